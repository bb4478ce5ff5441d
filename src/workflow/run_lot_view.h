// The lot's views of the window's last run, read back from its results file and tied to its curves.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "workflow/lot_view.h"

namespace granomet {

struct RunLotView {
  LotView view;
  // Sample i is the run's curve i: the file's lines are the samples the run drew, in
  // the order drawn, as long as nobody changed the file since.
  bool linked = false;
  // Why the views stand apart from the run (program text); empty when linked.
  std::string note;
};

// The results file read again (curveNames: the run's samples in the order drawn,
// program text). A file that no longer holds them, name for name, still gives its
// views, unlinked; one that cannot be read gives none.
RunLotView runLotView(const std::filesystem::path& resultsFile, std::string_view lotName,
                      const std::vector<std::string>& curveNames);

}  // namespace granomet
