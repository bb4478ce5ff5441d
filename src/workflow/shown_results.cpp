#include "workflow/shown_results.h"

#include <cmath>
#include <set>

#include "data/results_columns.h"
#include "workflow/lot_view.h"
#include "workflow/messages.h"

namespace granomet {

ShownResults lastRunResults(const Tables& tables) {
  ShownResults shown;
  if (!tables.lastRun.resultsPath.empty()) {
    shown.files = {tables.lastRun.resultsPath};
  }
  shown.nameBeside = tables.lastRun.resultsPath;
  shown.lotName = tables.lot.header.lotName;
  shown.unreachedSamples = tables.lastRun.unreachedSamples;
  shown.afterRun = true;
  return shown;
}

SamplesShown showArchivedResults(const ResultsSet& results, WindowOperations& window) {
  window.graph().startRun();
  window.setListTextColor(ListId::List1, kBlack);
  window.clearList(ListId::List1);
  window.clearList(ListId::List2);
  window.setLabelToolTip(LabelId::Label10, "");

  // The labels, lots and classes as the lot's views and the report give them.
  const LotView view = lotViewOf(results, {});
  SamplesShown shown;
  std::set<std::string> lots;
  for (const ResultsSetFile& file : results.files) {
    for (const ResultsLine& line : file.contents.lines) {
      const LotViewSample& sample = view.samples[static_cast<std::size_t>(shown.samples++)];
      lots.insert(sample.lot);
      window.addItem(ListId::List1, sample.label + "  " + sample.name + "  " +
                                        line.fields[static_cast<std::size_t>(kShepardField - 1)]);
      // Each file's curves against its own diameters, which the reader found falling above 0.
      const SizeDistribution& classes = line.sample.classes;
      CurveValues x{};
      CurveValues y{};
      for (int i = 1; i <= kSizeClasses; ++i) {
        x[static_cast<std::size_t>(i - 1)] = static_cast<float>(std::log(classes.lowerDiameter[i]));
        y[static_cast<std::size_t>(i - 1)] = static_cast<float>(classes.weight[i]);
      }
      const ResultsSample& made = line.sample;
      window.graph().plotCurve(sample.name, x, y,
                               {made.gravelPercent, made.sandPercent, made.siltPercent,
                                made.clayPercent, sample.shepardCode});
    }
  }
  shown.lots = static_cast<int>(lots.size());

  window.setLabelText(LabelId::Label10, std::to_string(window.itemCount(ListId::List1)));
  window.setLabelText(LabelId::Label11, "0");
  window.setLabelTextColor(LabelId::Label8, kDarkRed);
  window.setLabelBackColor(LabelId::Label8, kLightYellow);
  window.setLabelText(LabelId::Label8, messages::archivedSamplesShown(shown.samples, shown.lots));
  return shown;
}

}  // namespace granomet
