#include "workflow/lot_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "compute/shepard.h"
#include "statistics/descriptive_terms.h"
#include "statistics/sample_position.h"
#include "statistics/sample_stations.h"
#include "statistics/sub_depth.h"
#include "workflow/messages.h"
#include "workflow/sample_labels.h"
#include "workflow/statistics_table.h"

namespace granomet {
namespace {

const std::string& fieldOf(const ResultsLine& line, int field) {
  return line.fields.at(static_cast<std::size_t>(field - 1));
}

LotViewSample viewSampleOf(const ResultsLine& line, std::string label, std::string lot) {
  LotViewSample sample;
  sample.label = std::move(label);
  sample.name = fieldOf(line, kSampleNameField);
  sample.lot = std::move(lot);
  sample.position = samplePosition(fieldOf(line, kLongitudeField), fieldOf(line, kLatitudeField));
  sample.shepardCode = shepardCodeOf(fieldOf(line, kShepardField));
  const SampleStatistics statistics = statisticsOf(line.sample);
  sample.folkGroup = statistics.folkGroup;
  sample.meanPhi = statistics.folkWardPhi.mean;
  sample.sortingPhi = statistics.folkWardPhi.sorting;
  sample.skewnessPhi = statistics.folkWardPhi.skewness;
  sample.gravel = resultsNumber(fieldOf(line, kGravelField));
  sample.sand = resultsNumber(fieldOf(line, kSandField));
  sample.silt = resultsNumber(fieldOf(line, kSiltField));
  sample.clay = resultsNumber(fieldOf(line, kClayField));
  sample.depthMetres = resultsNumber(fieldOf(line, kDepthField));
  sample.subDepth = fieldOf(line, kSubDepthField);
  return sample;
}

// A station whose samples have at least two readable sub-depths, shallowest first
// (by top, then bottom, then the report's order).
std::optional<SampleCore> coreOf(const LotView& view, const MapStation& station) {
  SampleCore core;
  for (const int index : station.samples) {
    const SubDepth depth = subDepthOf(view.samples[static_cast<std::size_t>(index)].subDepth);
    if (depth.reading == SubDepth::Reading::Read) {
      core.levels.push_back({index, depth.topCm, depth.bottomCm});
    } else if (depth.reading == SubDepth::Reading::Unreadable) {
      core.unreadDepths.push_back(index);
    }
  }
  if (core.levels.size() < 2) {
    return std::nullopt;
  }
  std::stable_sort(core.levels.begin(), core.levels.end(),
                   [](const CoreLevel& a, const CoreLevel& b) {
                     return a.topCm != b.topCm ? a.topCm < b.topCm : a.bottomCm < b.bottomCm;
                   });
  core.lot = view.samples[static_cast<std::size_t>(station.samples.front())].lot;
  core.position = station.position;
  return core;
}

template <typename Term>
std::vector<std::string> termNames(int count, std::string (*name)(Term)) {
  std::vector<std::string> names;
  for (int term = 0; term < count; ++term) {
    names.push_back(name(static_cast<Term>(term)));
  }
  return names;
}

}  // namespace

LotView lotViewOf(const ResultsSet& results, std::string_view lotName) {
  LotView view;
  std::vector<std::string> labels = sampleLabels(results, lotName);
  view.samples.reserve(labels.size());
  for (const ResultsSetFile& file : results.files) {
    const std::string lot = lotOfResultsFile(file.name, lotName);
    for (const ResultsLine& line : file.contents.lines) {
      view.samples.push_back(viewSampleOf(line, std::move(labels[view.samples.size()]), lot));
    }
  }

  std::vector<std::optional<GeoPoint>> positions;
  std::vector<std::string> lots;
  for (const LotViewSample& sample : view.samples) {
    positions.push_back(sample.position);
    lots.push_back(sample.lot);
  }
  for (std::vector<int>& samples : stationsOf(positions, lots, kStationToleranceMetres)) {
    const GeoPoint first = *positions[static_cast<std::size_t>(samples.front())];
    view.stations.push_back({first, std::move(samples)});
  }
  for (std::size_t i = 0; i < positions.size(); ++i) {
    if (!positions[i]) {
      view.withoutPosition.push_back(static_cast<int>(i));
    }
  }
  for (const MapStation& station : view.stations) {
    if (std::optional<SampleCore> core = coreOf(view, station)) {
      view.cores.push_back(std::move(*core));
    }
  }
  return view;
}

LotViewWords lotViewWords() {
  using messages::LotViewText;
  using messages::ReportText;
  const auto said = [](LotViewText text) { return messages::lotViewText(text); };
  LotViewWords words;
  words.mapTitle = said(LotViewText::MapTitle);
  words.bivariateTitle = said(LotViewText::BivariateTitle);
  words.summaryTitle = said(LotViewText::SummaryTitle);
  words.profileTitle = said(LotViewText::ProfileTitle);
  words.withoutPosition = said(LotViewText::WithoutPosition);
  words.north = said(LotViewText::North);
  words.south = said(LotViewText::South);
  words.east = said(LotViewText::East);
  words.west = said(LotViewText::West);
  words.northArrow = said(LotViewText::NorthArrow);
  words.metres = said(LotViewText::Metres);
  words.kilometres = said(LotViewText::Kilometres);
  words.stationCount = said(LotViewText::StationCount);
  words.shepardLegend = said(LotViewText::ShepardLegend);
  words.folkLegend = said(LotViewText::FolkLegend);
  words.meanLegend = said(LotViewText::MeanLegend);
  words.shepardNames.push_back(said(LotViewText::UnknownShepardClass));
  for (int code = 1; code <= 10; ++code) {
    words.shepardNames.push_back(messages::shepardClassName(code));
  }
  words.folkNames = termNames(static_cast<int>(FolkGroup::Clay) + 1, messages::folkGroupName);
  words.meanAxis = said(LotViewText::MeanAxis);
  words.sortingAxis = said(LotViewText::SortingAxis);
  words.skewnessAxis = said(LotViewText::SkewnessAxis);
  words.meanTerms = termNames(static_cast<int>(kMeanSizeLimits.size()), messages::meanSizeTermName);
  words.sortingTerms =
      termNames(static_cast<int>(kSortingLimits.size()), messages::sortingTermName);
  words.skewnessTerms =
      termNames(static_cast<int>(kSkewnessLimits.size()), messages::skewnessTermName);
  words.depthAxis = said(LotViewText::DepthAxis);
  words.percentAxis = said(LotViewText::PercentAxis);
  words.gravel = messages::reportText(ReportText::Gravel);
  words.sand = messages::reportText(ReportText::Sand);
  words.silt = messages::reportText(ReportText::Silt);
  words.clay = messages::reportText(ReportText::Clay);
  words.coreHeading = said(LotViewText::CoreHeading);
  words.unreadDepths = said(LotViewText::UnreadDepths);
  return words;
}

std::string coordinateText(double degrees, std::string_view positive, std::string_view negative,
                           char decimalMark) {
  // In thousandths of a minute, so that 59.9996' rounds up into the next degree.
  const long long thousandths = std::llround(std::fabs(degrees) * 60'000);
  const std::string minutes =
      fixedNumber(static_cast<double>(thousandths % 60'000) / 1000, 3, decimalMark);
  std::string text = std::to_string(thousandths / 60'000) + "\xB0" +
                     (minutes.size() < 6 ? "0" : "") + minutes + "' ";
  text += thousandths == 0 || degrees > 0 ? positive : negative;
  return text;
}

std::string positionText(GeoPoint position, const LotViewWords& words, char decimalMark) {
  return coordinateText(position.latitude, words.north, words.south, decimalMark) + " " +
         coordinateText(position.longitude, words.east, words.west, decimalMark);
}

}  // namespace granomet
