// The lot seen whole from results files: each sample as the report names it, its station and core.
#include "workflow/lot_view.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "statistics/descriptive_terms.h"
#include "support/test_data.h"
#include "workflow/report_content.h"

namespace granomet::testing {
namespace {

std::string figure(std::optional<double> value) {
  if (!value) {
    return "-";
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", *value);
  return text;
}

std::string labelsOf(const LotView& view, const std::vector<int>& samples) {
  std::string text;
  for (const int sample : samples) {
    text += " " + view.samples.at(static_cast<std::size_t>(sample)).label;
  }
  return text;
}

// The example's lot with its places and sub-depths rewritten, and a second lot
// with one sample at the first's core; each sample: longitude, latitude, "SProf(cm)".
TEST(LotView, GroupsTheSamplesIntoStationsAndCoresAndLabelsThemAsTheReport) {
  ResultsSet results =
      readResultsFiles({batchExpected("plain_comma.csv"), batchExpected("plain_comma.csv")});
  results.files.at(0).name = "LOTE12_06062016_093005.csv";
  results.files.at(1).name = "LOTE13_06062016_093005.csv";
  const std::vector<std::vector<std::string>> places = {
      {"-6.3", "36.5", "4-6"},
      {"-6.3", "36.50003", "0-2"},  // 3 m north
      {"-6.3", "36.5", "superficial"},
      {"-6.3", "36.5", "s/d"},
      {"-6.31", "36.5", "0-2"},
      {"-6.31", "36.5", "x"},  // one level read: no core
      {"0", "0", "0-2"},
      {"", "36.5", "2-4"},
      {"-6.32", "36.5", "0-2"},
      {"-6,32", "36,5", "0 - 2"},
      {"-6.32", "36.5", "0-1"},
      {"-6.33", "36.5", ""},
  };
  std::vector<ResultsLine>& lines = results.files.at(0).contents.lines;
  ASSERT_EQ(lines.size(), places.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    lines[i].fields.at(kLongitudeField - 1) = places[i][0];
    lines[i].fields.at(kLatitudeField - 1) = places[i][1];
    lines[i].fields.at(kSubDepthField - 1) = places[i][2];
  }
  std::vector<ResultsLine>& other = results.files.at(1).contents.lines;
  other.resize(1);
  other[0].fields.at(kLongitudeField - 1) = "-6.3";
  other[0].fields.at(kLatitudeField - 1) = "36.5";
  other[0].fields.at(kSubDepthField - 1) = "8-10";

  const LotView view = lotViewOf(results, "");
  std::string text;
  for (const MapStation& station : view.stations) {
    text += "estaci\xF3n" + labelsOf(view, station.samples) + "\n";
  }
  text += "sin posici\xF3n" + labelsOf(view, view.withoutPosition) + "\n";
  for (const SampleCore& core : view.cores) {
    text += "testigo " + core.lot + " " + figure(core.position.longitude) + " " +
            figure(core.position.latitude) + ":";
    for (const CoreLevel& level : core.levels) {
      text += " " + view.samples.at(static_cast<std::size_t>(level.sample)).label + " " +
              figure(level.topCm) + "-" + figure(level.bottomCm) + ";";
    }
    text += " ilegibles" + labelsOf(view, core.unreadDepths) + "\n";
  }
  const LotViewSample& first = view.samples.at(0);
  text += first.label + " " + first.name + " " + first.lot + " " +
          std::to_string(first.shepardCode) + " " +
          (first.folkGroup ? std::string(folkCode(*first.folkGroup)) : "-") + " " +
          figure(first.meanPhi) + " " + figure(first.sortingPhi) + " " + figure(first.skewnessPhi) +
          " " + figure(first.gravel) + " " + figure(first.sand) + " " + figure(first.silt) + " " +
          figure(first.clay) + " " + figure(first.depthMetres) + " " + first.subDepth + "\n";
  EXPECT_EQ(text,
            "estaci\xF3n LOTE12/1 LOTE12/2 LOTE12/3 LOTE12/4\n"
            "estaci\xF3n LOTE12/5 LOTE12/6\n"
            "estaci\xF3n LOTE12/9 LOTE12/10 LOTE12/11\n"
            "estaci\xF3n LOTE12/12\n"
            "estaci\xF3n LOTE13/1\n"
            "sin posici\xF3n LOTE12/7 LOTE12/8\n"
            "testigo LOTE12 -6.300 36.500: LOTE12/3 0.000-0.000; LOTE12/2 0.000-2.000; "
            "LOTE12/1 4.000-6.000; ilegibles LOTE12/4\n"
            "testigo LOTE12 -6.320 36.500: LOTE12/11 0.000-1.000; LOTE12/9 0.000-2.000; "
            "LOTE12/10 0.000-2.000; ilegibles\n"
            "LOTE12/1 M-01 LOTE12 2 (g)S 2.203 1.355 -0.026 1.920 89.170 8.910 0.000 15.600 4-6\n");

  // The report carries the same view, its samples numbered as its summary numbers them.
  const Report report = reportOf(results, {{2026, 12, 7, 10, 0, 0}, ',', false, {}, {}, {}});
  ASSERT_EQ(report.lot.samples.size(), report.summary.rows.size());
  for (std::size_t i = 0; i < report.summary.rows.size(); ++i) {
    EXPECT_EQ(report.lot.samples[i].label, report.summary.rows[i].at(0));
  }
  EXPECT_EQ(report.lot.cores.size(), 2U);
}

// Every name the views look up by code or band is there.
TEST(LotView, HasAWordForEveryClassAndBand) {
  const LotViewWords words = lotViewWords();
  for (const auto& [names, count] :
       {std::pair{&words.shepardNames, std::size_t{11}},
        {&words.folkNames, static_cast<std::size_t>(FolkGroup::Clay) + 1},
        {&words.meanTerms, kMeanSizeLimits.size()},
        {&words.sortingTerms, kSortingLimits.size()},
        {&words.skewnessTerms, kSkewnessLimits.size()}}) {
    ASSERT_EQ(names->size(), count);
    for (const std::string& name : *names) {
      EXPECT_FALSE(name.empty());
    }
  }
}

// Minutes to a thousandth, rounded into the next degree, the letter by the sign.
TEST(LotView, WritesAPlaceInDegreesAndMinutes) {
  for (const auto& [degrees, mark, text] : {std::tuple{36.5, ',',
                                                       "36\xB0"
                                                       "30,000' N"},
                                            {-6.3, ',',
                                             "6\xB0"
                                             "18,000' S"},
                                            {5.0083333, '.',
                                             "5\xB0"
                                             "00.500' N"},
                                            {36.99999999, ',',
                                             "37\xB0"
                                             "00,000' N"},
                                            {-0.0000001, ',',
                                             "0\xB0"
                                             "00,000' N"}}) {
    EXPECT_EQ(coordinateText(degrees, "N", "S", mark), text);
  }
  EXPECT_EQ(positionText({-6.3, 36.5}, lotViewWords(), ','),
            "36\xB0"
            "30,000' N 6\xB0"
            "18,000' O");
}

}  // namespace
}  // namespace granomet::testing
