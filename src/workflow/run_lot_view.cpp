#include "workflow/run_lot_view.h"

#include <algorithm>

#include "data/file_names.h"
#include "workflow/messages.h"
#include "workflow/results_set.h"

namespace granomet {

RunLotView runLotView(const std::vector<std::filesystem::path>& resultsFiles,
                      std::string_view lotName, const std::vector<std::string>& curveNames) {
  RunLotView run;
  const ResultsSet results = readResultsFiles(resultsFiles);
  if (results.files.size() != resultsFiles.size() || results.files.empty()) {
    run.note = messages::lotViewUnreadable(results.problems);
    return run;
  }
  run.view = lotViewOf(results, lotName);
  run.linked = std::equal(
      run.view.samples.begin(), run.view.samples.end(), curveNames.begin(), curveNames.end(),
      [](const LotViewSample& sample, const std::string& name) { return sample.name == name; });
  if (!run.linked) {
    run.note = messages::lotViewUnlinked(pathText(resultsFiles.front()));
  }
  return run;
}

}  // namespace granomet
