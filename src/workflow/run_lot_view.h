// The lot's views of the samples the window shows, read back from their results files and tied to
// their curves.
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

// The results files read again (curveNames: the samples in the order drawn, program
// text; lotName: empty where the files' names tell it). Files that no longer hold
// them, name for name, still give their views, unlinked; files of which one cannot
// be read give none.
RunLotView runLotView(const std::vector<std::filesystem::path>& resultsFiles,
                      std::string_view lotName, const std::vector<std::string>& curveNames);

}  // namespace granomet
