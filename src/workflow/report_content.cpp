#include "workflow/report_content.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <optional>
#include <tuple>
#include <utility>

#include "compute/shepard.h"
#include "statistics/cumulative_curve.h"
#include "statistics/folk_group.h"
#include "statistics/sample_statistics.h"
#include "workflow/lot_summary.h"
#include "workflow/messages.h"
#include "workflow/sample_labels.h"
#include "workflow/statistics_table.h"

namespace granomet {
namespace {

using messages::ReportText;

std::string said(ReportText text) {
  return messages::reportText(text);
}

// "%1", "%2"... replaced by the values in their order.
std::string filledWith(std::string pattern, const std::vector<std::string>& values) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::string mark = "%" + std::to_string(i + 1);
    if (const auto at = pattern.find(mark); at != std::string::npos) {
      pattern.replace(at, mark.size(), values[i]);
    }
  }
  return pattern;
}

std::string filled(std::string pattern, const std::string& first, const std::string& second = {}) {
  return filledWith(std::move(pattern), {first, second});
}

constexpr std::string_view kNoValue = "\x97";  // an em dash in the program's 8-bit text

// One precision for each kind of figure a page prints: diameters to four significant
// figures (micrometres), phi values and figures without a unit to three decimals,
// percentages to two; only the class table gives the weights with the results
// file's three decimals, and the percentage finer beside them alike.
constexpr int kPhiDecimals = 3;
constexpr int kPercentDecimals = 2;
constexpr int kClassWeightDecimals = 3;

// Diameters to four significant figures: 1234, 123,4, 12,34, 1,234, 0,1234.
std::string micrometres(std::optional<double> value, char decimalMark) {
  if (!value) {
    return std::string(kNoValue);
  }
  const double size = std::fabs(*value);
  const int decimals = size >= 1000 ? 0 : size >= 100 ? 1 : size >= 10 ? 2 : size >= 1 ? 3 : 4;
  return fixedNumber(*value, decimals, decimalMark);
}

// A class bound as the results file's header gives it, without trailing zeros:
// 2474,5, 1000, 0,011.
std::string bound(double micrometres, char decimalMark) {
  std::string text = fixedNumber(micrometres, 3, decimalMark);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == decimalMark) {
    text.pop_back();
  }
  return text;
}

// The diameters a share of the sample was counted between: "1000–2474,5", "> 8000", "< 4".
std::string boundsOf(const SizeBand& band, char decimalMark) {
  if (!band.coarserBound) {
    return "> " + (band.finerBound ? bound(*band.finerBound, decimalMark) : std::string());
  }
  if (!band.finerBound) {
    return "< " + bound(*band.coarserBound, decimalMark);
  }
  return bound(*band.finerBound, decimalMark) + "\x96" + bound(*band.coarserBound, decimalMark);
}

std::string plain(std::optional<double> value, int decimals, char decimalMark) {
  return value ? fixedNumber(*value, decimals, decimalMark) : std::string(kNoValue);
}

// A figure with its unit, where the column it stands in holds figures of other units.
std::string withUnit(std::string figure, const std::string& unit) {
  return figure == kNoValue ? figure : figure + " " + unit;
}

template <typename Term>
std::string termText(std::optional<Term> term, std::string (*name)(Term)) {
  return term ? name(*term) : std::string(kNoValue);
}

const std::string& fieldOf(const ResultsLine& line, int field) {
  return line.fields.at(static_cast<std::size_t>(field - 1));
}

std::string shepardText(const std::string& kept) {
  const std::string spanish = messages::shepardClassName(shepardCodeOf(kept));
  return spanish.empty() ? kept : spanish + " (" + kept + ")";
}

ReportCurve curveOf(const SizeDistribution& classes) {
  ReportCurve curve;
  curve.diameter.reserve(kSizeClasses);
  const CumulativeCurve cumulative(classes);
  const bool readable = cumulative.gap() == CurveGap::None;
  for (int j = 1; j <= kSizeClasses; ++j) {
    curve.diameter.push_back(classes.lowerDiameter[j]);
    curve.weight.push_back(classes.weight[j]);
    if (readable) {
      curve.percentFiner.push_back(100 - cumulative.percentCoarser(j));
    }
  }
  return curve;
}

std::string pageSaid(messages::SamplePageText text) {
  return messages::samplePageText(text);
}

// Each bounded class spread over its width in phi, so that a wide sieve class does
// not stand out as a spike beside the narrow laser classes. The open coarsest class
// has no width: what it weighs is said instead (never, in files the program writes).
std::vector<ReportBar> histogramOf(const SizeDistribution& classes) {
  std::vector<ReportBar> bars;
  bars.reserve(kSizeClasses - 1);
  for (int j = 2; j <= kSizeClasses; ++j) {
    const double from = phiOf(classes.lowerDiameter[j - 1]);
    const double to = phiOf(classes.lowerDiameter[j]);
    bars.push_back({from, to, classes.weight[j] / (to - from)});
  }
  return bars;
}

std::vector<ReportCurvePoint> probabilityOf(const SizeDistribution& classes,
                                            const CumulativeCurve& cumulative) {
  std::vector<ReportCurvePoint> points;
  if (cumulative.gap() == CurveGap::NoWeight) {
    return points;
  }
  points.reserve(kSizeClasses);
  for (int j = 1; j <= kSizeClasses; ++j) {
    points.push_back({phiOf(classes.lowerDiameter[j]), cumulative.percentCoarser(j)});
  }
  return points;
}

std::string offScaleNote(const std::vector<ReportCurvePoint>& points, char decimalMark) {
  const auto beyond = std::count_if(points.begin(), points.end(), [](const ReportCurvePoint& p) {
    return !(p.percentCoarser >= kProbabilityScaleLow && p.percentCoarser <= kProbabilityScaleHigh);
  });
  if (beyond == 0) {
    return {};
  }
  return filledWith(pageSaid(messages::SamplePageText::OffScale),
                    {std::to_string(beyond), std::to_string(points.size()),
                     fixedNumber(kProbabilityScaleLow, 1, decimalMark),
                     fixedNumber(kProbabilityScaleHigh, 1, decimalMark)});
}

// Whole phi units around the classes that hold weight and the limits of sand and
// silt (-1 and 8), one more on each side.
std::pair<double, double> phiSpanOf(const SizeDistribution& classes) {
  double coarsest = -1;
  double finest = 8;
  for (int j = 1; j <= kSizeClasses; ++j) {
    if (classes.weight[j] == 0) {
      continue;
    }
    const double upper = phiOf(classes.lowerDiameter[j > 1 ? j - 1 : 1]);
    const double lower = phiOf(classes.lowerDiameter[j]);
    if (std::isfinite(upper)) {
      coarsest = std::min(coarsest, upper);
    }
    if (std::isfinite(lower)) {
      finest = std::max(finest, lower);
    }
  }
  return {std::floor(coarsest) - 1, std::ceil(finest) + 1};
}

// The classes with weight, with their bounds in µm and phi, their weight as the file
// gives it and the percentage finer than their lower bound from the curve the
// percentiles are read from. Those without weight at either end are only named.
struct ClassRows {
  ReportTable table;
  std::string omitted;
};
ClassRows classTableOf(const SizeDistribution& classes, const CumulativeCurve& cumulative,
                       char decimalMark) {
  using messages::SamplePageText;
  ClassRows made{
      {pageSaid(SamplePageText::ClassTable),
       {pageSaid(SamplePageText::ClassNumber), said(ReportText::Micrometres), said(ReportText::Phi),
        pageSaid(SamplePageText::Weight), pageSaid(SamplePageText::Finer)},
       {}},
      {}};
  int first = 1;
  int last = kSizeClasses;
  while (first <= last && classes.weight[first] == 0) {
    ++first;
  }
  while (last >= first && classes.weight[last] == 0) {
    --last;
  }
  const auto run = [](int from, int to) {
    return from == to ? std::to_string(from) : std::to_string(from) + "\x96" + std::to_string(to);
  };
  if (first > last) {
    made.omitted = pageSaid(SamplePageText::NoClassWeight);
  } else if (first > 1 && last < kSizeClasses) {
    made.omitted = filled(pageSaid(SamplePageText::OmittedClassesBoth), run(1, first - 1),
                          run(last + 1, kSizeClasses));
  } else if (first > 1 || last < kSizeClasses) {
    const int from = first > 1 ? 1 : last + 1;
    const int to = first > 1 ? first - 1 : kSizeClasses;
    made.omitted =
        filled(pageSaid(from == to ? SamplePageText::OmittedClass : SamplePageText::OmittedClasses),
               run(from, to));
  }

  const bool curve = cumulative.gap() != CurveGap::NoWeight;
  for (int j = first; j <= last; ++j) {
    const double lower = classes.lowerDiameter[j];
    const std::string lowerPhi = plain(finiteValue(phiOf(lower)), kPhiDecimals, decimalMark);
    std::string sizes = "> " + micrometres(lower, decimalMark);
    std::string phis = "< " + lowerPhi;
    if (j > 1) {
      const double upper = classes.lowerDiameter[j - 1];
      sizes = micrometres(lower, decimalMark) + "\x96" + micrometres(upper, decimalMark);
      // Spaced where a minus would follow the dash.
      phis = plain(finiteValue(phiOf(upper)), kPhiDecimals, decimalMark) +
             (lowerPhi.front() == '-' ? " \x96 " : "\x96") + lowerPhi;
    }
    made.table.rows.push_back(
        {std::to_string(j), std::move(sizes), std::move(phis),
         plain(finiteValue(classes.weight[j]), kClassWeightDecimals, decimalMark),
         curve ? plain(finiteValue(100 - cumulative.percentCoarser(j)), kClassWeightDecimals,
                       decimalMark)
               : std::string(kNoValue)});
  }
  return made;
}

// Mean, sorting, skewness, kurtosis: the rows of the report's measure tables.
std::optional<double> measure(const SizeMeasures& measures, int row) {
  switch (row) {
    case 0:
      return measures.mean;
    case 1:
      return measures.sorting;
    case 2:
      return measures.skewness;
    default:
      return measures.kurtosis;
  }
}

// One sample as every part of the report needs it; label: its number wherever the
// report names it.
struct Sample {
  const ResultsSetFile& file;
  const ResultsLine& line;
  SampleStatistics statistics;
  std::string label;
};

std::vector<std::string> facts(const ResultsSet& results, const ReportContext& context) {
  const std::vector<std::string> lots = lotsOf(results, context.lotName);
  std::string lotList;
  for (const std::string& lot : lots) {
    lotList += (lotList.empty() ? "" : ", ") + lot;
  }
  std::string fileList;
  for (const ResultsSetFile& file : results.files) {
    fileList += (fileList.empty() ? "" : ", ") + file.name;
  }
  std::array<char, 16> date{};
  std::snprintf(date.data(), date.size(), "%02d/%02d/%04d", context.madeOn.day,
                context.madeOn.month, context.madeOn.year);
  return {
      said(lots.size() == 1 ? ReportText::Lot : ReportText::Lots) + ": " + lotList,
      said(ReportText::Date) + ": " + date.data(),
      said(ReportText::Samples) + ": " + std::to_string(results.samples()),
      said(results.files.size() == 1 ? ReportText::ResultsFile : ReportText::ResultsFiles) + ": " +
          fileList,
  };
}

ReportTable summaryOf(const std::vector<Sample>& samples, char decimalMark) {
  ReportTable table{
      said(ReportText::SummaryTitle),
      {said(ReportText::Number), said(ReportText::Sample), said(ReportText::ShepardClass),
       said(ReportText::FolkCode), said(ReportText::Gravel) + "\n%", said(ReportText::Sand) + "\n%",
       said(ReportText::Silt) + "\n%", said(ReportText::Clay) + "\n%",
       said(ReportText::Shells) + "\n%", said(ReportText::FolkWardMean),
       said(ReportText::FolkWardSorting)},
      {}};
  for (const Sample& sample : samples) {
    const SampleStatistics& statistics = sample.statistics;
    const std::string& kept = fieldOf(sample.line, kShepardField);
    const std::string spanish = messages::shepardClassName(shepardCodeOf(kept));
    std::vector<std::string> row{
        sample.label,
        fieldOf(sample.line, kSampleNameField),
        spanish.empty() ? kept : spanish + "\n" + kept,
        statistics.folkGroup ? std::string(folkCode(*statistics.folkGroup)) : std::string(kNoValue),
    };
    // The shells' share is kept with one decimal, the others with two: printed
    // alike, as the sample's page prints them.
    for (int field = kGravelField; field < kGravelField + 5; ++field) {
      row.push_back(
          plain(resultsNumber(fieldOf(sample.line, field)), kPercentDecimals, decimalMark));
    }
    row.push_back(micrometres(statistics.folkWardMicron.mean, decimalMark) + "\n" +
                  termText(statistics.meanSizeTerm, messages::meanSizeTermName));
    row.push_back(plain(statistics.folkWardPhi.sorting, 3, decimalMark) + "\n" +
                  termText(statistics.sortingTerm, messages::sortingTermName));
    table.rows.push_back(std::move(row));
  }
  return table;
}

ReportTriangle triangleOf(TernaryDiagram diagram, const std::vector<Sample>& samples,
                          char decimalMark) {
  ReportTriangle triangle;
  triangle.diagram = diagram;
  int leftOut = 0;
  int gravelly = 0;
  for (const Sample& sample : samples) {
    const ResultsSample& figures = sample.line.sample;
    const std::optional<TernaryShares> shares =
        ternarySharesOf(diagram, figures.gravelPercent, figures.sandPercent, figures.siltPercent,
                        figures.clayPercent);
    if (shares) {
      triangle.points.push_back(
          {sample.label,
           *shares,
           fieldOf(sample.line, kSampleNameField),
           {fixedNumber(shares->top, 1, decimalMark), fixedNumber(shares->left, 1, decimalMark),
            fixedNumber(shares->right, 1, decimalMark)}});
    } else if (diagram == TernaryDiagram::FolkSandSiltClay &&
               ternarySharesOf(TernaryDiagram::FolkGravelSandMud, figures.gravelPercent,
                               figures.sandPercent, figures.siltPercent, figures.clayPercent)) {
      ++gravelly;
    } else {
      ++leftOut;
    }
  }
  if (leftOut > 0) {
    triangle.note = filled(said(ReportText::PointsLeftOut), std::to_string(leftOut));
  }
  if (gravelly > 0) {
    triangle.note += (triangle.note.empty() ? "" : " ") +
                     filled(said(ReportText::GravellyLeftOut), std::to_string(gravelly));
  }

  const auto folkFields = [&triangle](int first, int last) {
    triangle.fieldNames.assign(static_cast<std::size_t>(FolkGroup::Clay) + 1, std::string());
    for (int id = first; id <= last; ++id) {
      const auto group = static_cast<FolkGroup>(id);
      triangle.fieldNames[static_cast<std::size_t>(id)] = std::string(folkCode(group));
      triangle.key.push_back(std::string(folkCode(group)) + ": " + messages::folkGroupName(group));
    }
  };
  switch (diagram) {
    case TernaryDiagram::Shepard:
      triangle.title = said(ReportText::ShepardTriangle);
      triangle.corners = {said(ReportText::Clay), said(ReportText::SandWithGravel),
                          said(ReportText::Silt)};
      triangle.fieldNames.assign(11, std::string());
      for (int code = 1; code <= 10; ++code) {
        triangle.fieldNames[static_cast<std::size_t>(code)] = messages::shepardClassName(code);
      }
      break;
    case TernaryDiagram::FolkGravelSandMud:
      triangle.title = said(ReportText::GravelSandMudTriangle);
      triangle.corners = {said(ReportText::Gravel), said(ReportText::Mud), said(ReportText::Sand)};
      folkFields(static_cast<int>(FolkGroup::Gravel),
                 static_cast<int>(FolkGroup::SlightlyGravellyMud));
      // The band below a trace of gravel, too thin to be named on the triangle,
      // still names the points listed in it.
      for (const FolkGroup group :
           {FolkGroup::Sand, FolkGroup::MuddySand, FolkGroup::SandyMud, FolkGroup::Mud}) {
        triangle.fieldNames[static_cast<std::size_t>(group)] = std::string(folkCode(group));
      }
      break;
    case TernaryDiagram::FolkSandSiltClay:
      triangle.title = said(ReportText::SandSiltClayTriangle);
      triangle.corners = {said(ReportText::Sand), said(ReportText::Clay), said(ReportText::Silt)};
      folkFields(static_cast<int>(FolkGroup::Sand), static_cast<int>(FolkGroup::Clay));
      break;
  }
  triangle.listColumns = {
      said(ReportText::Number),
      said(ReportText::Sample),
      said(diagram == TernaryDiagram::Shepard ? ReportText::PointClass : ReportText::PointGroup),
      triangle.corners[0],
      triangle.corners[1],
      triangle.corners[2]};
  return triangle;
}

// Each page's curves, told apart by colour and by the legend that numbers them as
// the summary does.
std::vector<ReportCurvePage> curvePagesOf(const std::vector<Sample>& samples,
                                          const ReportTable& summary) {
  using messages::CurvePageText;
  std::vector<ReportCurvePage> pages;
  const int count = static_cast<int>(samples.size());
  for (int first = 0; first < count || (first == 0 && pages.empty()); first += kCurvesPerPage) {
    ReportCurvePage& page = pages.emplace_back();
    const int end = std::min(count, first + kCurvesPerPage);
    for (int i = first; i < end; ++i) {
      const auto at = static_cast<std::size_t>(i);
      ReportCurve curve = curveOf(samples[at].line.sample.classes);
      curve.label = summary.rows.at(at).front();
      curve.name = fieldOf(samples[at].line, kSampleNameField);
      curve.colour = i;
      page.curves.push_back(std::move(curve));
    }
    const auto title = [&](ReportText chart) {
      if (first == 0 && end == count) {
        return filled(messages::curvePageText(CurvePageText::OfAll), said(chart));
      }
      if (end - first == 1) {
        return filled(messages::curvePageText(CurvePageText::OfOne), said(chart),
                      page.curves.front().label);
      }
      return filledWith(messages::curvePageText(CurvePageText::OfSome),
                        {said(chart), page.curves.front().label, page.curves.back().label});
    };
    page.frequencyTitle = title(ReportText::FrequencyCurves);
    page.cumulativeTitle = title(ReportText::CumulativeCurves);
  }
  return pages;
}

ReportSamplePage pageOf(const Sample& sample, char decimalMark) {
  const ResultsLine& line = sample.line;
  const SampleStatistics& statistics = sample.statistics;
  ReportSamplePage page;
  page.heading =
      filled(said(ReportText::SampleHeading), sample.label) + fieldOf(line, kSampleNameField);
  if (statistics.sedimentName) {
    page.heading = filled(said(ReportText::SampleNamed), page.heading,
                          messages::sedimentName(*statistics.sedimentName));
  }
  page.lines = {
      filled(said(ReportText::SampleLot), fieldOf(line, kLotNumberField), sample.file.name) +
          said(ReportText::Campaign) + fieldOf(line, kCampaignField),
      said(ReportText::Description) + fieldOf(line, kDescriptionField),
      said(ReportText::SampleShepard) + shepardText(fieldOf(line, kShepardField)),
      said(ReportText::SampleFolk) + (statistics.folkGroup
                                          ? std::string(folkCode(*statistics.folkGroup)) + ", " +
                                                messages::folkGroupName(*statistics.folkGroup)
                                          : said(ReportText::NoFolkGroup)),
  };
  const SizeDistribution& classes = line.sample.classes;
  const CumulativeCurve cumulative(classes);
  std::tie(page.phiFrom, page.phiTo) = phiSpanOf(classes);
  page.histogram = histogramOf(classes);
  if (classes.weight[1] != 0) {
    page.histogramNote =
        filled(pageSaid(messages::SamplePageText::OpenClass),
               micrometres(classes.lowerDiameter[1], decimalMark),
               plain(finiteValue(classes.weight[1]), kPercentDecimals, decimalMark));
  }
  page.probability = probabilityOf(classes, cumulative);
  page.probabilityNote = offScaleNote(page.probability, decimalMark);
  ClassRows classTable = classTableOf(classes, cumulative, decimalMark);
  page.classes = std::move(classTable.table);
  page.classesOmitted = std::move(classTable.omitted);

  ReportTable composition{said(ReportText::Composition), {"", "%"}, {}};
  const ReportText components[] = {ReportText::Gravel, ReportText::Sand, ReportText::Silt,
                                   ReportText::Clay, ReportText::Shells};
  for (int i = 0; i < 5; ++i) {
    composition.rows.push_back(
        {said(components[i]),
         plain(resultsNumber(fieldOf(line, kGravelField + i)), kPercentDecimals, decimalMark)});
  }

  // The measures' columns hold figures of more than one unit: a mean and a sorting
  // carry theirs (µm or phi), a ratio, a skewness and a kurtosis none. Told the
  // geometric way only the mean is a diameter; the sorting is a ratio.
  const std::string micrometre = said(ReportText::Micrometres);
  const std::string phi = said(ReportText::Phi);
  const ReportText measures[] = {ReportText::Mean, ReportText::Sorting, ReportText::Skewness,
                                 ReportText::Kurtosis};
  const auto inMicrometres = [&](std::optional<double> value, int row) {
    return row > 1 ? plain(value, kPhiDecimals, decimalMark)
                   : withUnit(micrometres(value, decimalMark), micrometre);
  };
  const auto inPhi = [&](std::optional<double> value, int row) {
    const std::string figure = plain(value, kPhiDecimals, decimalMark);
    return row > 1 ? figure : withUnit(figure, phi);
  };
  const auto geometric = [&](const SizeMeasures& measures, int row) {
    return row == 0 ? inMicrometres(measure(measures, row), row)
                    : plain(measure(measures, row), kPhiDecimals, decimalMark);
  };
  const std::string arithmetic = pageSaid(messages::SamplePageText::Arithmetic);
  const std::string logarithmic = pageSaid(messages::SamplePageText::Logarithmic);
  ReportTable moments{
      said(ReportText::LabMoments), {"", arithmetic, logarithmic, said(ReportText::Geometric)}, {}};
  for (int i = 0; i < 4; ++i) {
    // The lab's own moments as the results file gives them, never recomputed.
    moments.rows.push_back({said(measures[i]),
                            inMicrometres(resultsNumber(fieldOf(line, kMeanMicronField + i)), i),
                            inPhi(resultsNumber(fieldOf(line, kMeanPhiField + i)), i),
                            geometric(statistics.geometricMoments, i)});
  }

  // The whole sample, gravel to clay, each share with the diameters it was counted between.
  const SizeFractions& shares = statistics.fractions;
  ReportTable fractions{said(ReportText::Fractions),
                        {said(ReportText::Fraction), said(ReportText::Micrometres), "%"},
                        {}};
  const auto share = [&](std::string name, const SizeBand& band) {
    fractions.rows.push_back(
        {std::move(name), boundsOf(band, decimalMark), plain(band.percent, 2, decimalMark)});
  };
  for (const GravelClass& gravel : shares.gravel) {
    share(messages::gravelGradeName(gravel.finest, gravel.coarsest), gravel.band);
  }
  for (int i = 0; i < kSizeFractions; ++i) {
    share(messages::sizeFractionName(i), shares.sandAndSilt[static_cast<std::size_t>(i)]);
  }
  share(said(ReportText::Clay), shares.clay);

  const std::string terms[] = {termText(statistics.meanSizeTerm, messages::meanSizeTermName),
                               termText(statistics.sortingTerm, messages::sortingTermName),
                               termText(statistics.skewnessTerm, messages::skewnessTermName),
                               termText(statistics.kurtosisTerm, messages::kurtosisTermName)};
  ReportTable folkWard{said(ReportText::FolkWard),
                       {"", logarithmic, said(ReportText::Geometric), said(ReportText::Term)},
                       {}};
  for (int i = 0; i < 4; ++i) {
    folkWard.rows.push_back({said(measures[i]), inPhi(measure(statistics.folkWardPhi, i), i),
                             geometric(statistics.folkWardMicron, i), terms[i]});
  }

  ReportTable percentiles{said(ReportText::Percentiles), {"", said(ReportText::Value)}, {}};
  const auto diameter = [&](const char* name, std::optional<double> value) {
    percentiles.rows.push_back({name, withUnit(micrometres(value, decimalMark), micrometre)});
  };
  diameter("D10", statistics.d10);
  diameter("D25", statistics.d25);
  diameter("D50", statistics.d50);
  diameter("D75", statistics.d75);
  diameter("D90", statistics.d90);
  percentiles.rows.push_back({"D90/D10", plain(statistics.d90OverD10, kPhiDecimals, decimalMark)});
  diameter(
      "D90\x96"
      "D10",
      statistics.d90MinusD10);
  percentiles.rows.push_back({"D75/D25", plain(statistics.d75OverD25, kPhiDecimals, decimalMark)});
  diameter(
      "D75\x96"
      "D25",
      statistics.d75MinusD25);
  diameter(said(ReportText::Mode).c_str(), statistics.modeMicron);
  const std::optional<Modes>& modes = statistics.modes;
  percentiles.rows.push_back(
      {said(ReportText::Modality),
       modes ? messages::modalityName(modes->modality) : std::string(kNoValue)});
  for (int k = 0; k < kModesTold; ++k) {
    diameter(filled(said(ReportText::NumberedMode), std::to_string(k + 1)).c_str(),
             modes ? modes->diameters[static_cast<std::size_t>(k)] : std::nullopt);
  }

  // What the sample is made of on the left, the measures of its sizes on the right:
  // two columns of about the same height.
  page.leftTables = {std::move(composition), std::move(fractions)};
  page.rightTables = {std::move(moments), std::move(folkWard), std::move(percentiles)};
  page.warnings = qualityWarningTexts(sample.file.contents, line, statistics, decimalMark);
  return page;
}

}  // namespace

Report reportOf(const ResultsSet& results, const ReportContext& context) {
  const char decimalMark = context.decimalMark;
  std::vector<Sample> samples;
  samples.reserve(static_cast<std::size_t>(results.samples()));
  for (const ResultsSetFile& file : results.files) {
    for (const ResultsLine& line : file.contents.lines) {
      samples.push_back({file, line, statisticsOf(line.sample), {}});
    }
  }
  std::vector<std::string> labels = sampleLabels(results, context.lotName);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    samples[i].label = std::move(labels[i]);
  }

  Report report;
  report.decimalMark = decimalMark;
  report.words = {said(ReportText::Title),
                  said(ReportText::DiameterAxis),
                  said(ReportText::WeightAxis),
                  said(ReportText::FinerAxis),
                  said(ReportText::Warnings),
                  said(ReportText::NoWarnings),
                  said(ReportText::NoCurve),
                  said(ReportText::Unlabelled),
                  said(ReportText::UnlabelledGoesOn),
                  said(ReportText::UnlabelledElsewhere),
                  said(ReportText::UnlabelledContinued),
                  said(ReportText::PageOf),
                  said(ReportText::SummaryGoesOn)};
  using messages::SamplePageText;
  report.sampleWords = {
      pageSaid(SamplePageText::Continued),   pageSaid(SamplePageText::Histogram),
      pageSaid(SamplePageText::DensityAxis), pageSaid(SamplePageText::ProbabilityChart),
      pageSaid(SamplePageText::CoarserAxis), said(ReportText::Phi),
      said(ReportText::Micrometres),         pageSaid(SamplePageText::FinerNote)};
  report.facts = facts(results, context);
  if (context.afterRun) {
    report.unreachedHeading =
        said(context.unreachedSamples.empty() ? ReportText::NoneUnreached : ReportText::Unreached);
    report.unreached = context.unreachedSamples;
  }
  report.summary = summaryOf(samples, decimalMark);
  for (const TernaryDiagram diagram : {TernaryDiagram::Shepard, TernaryDiagram::FolkGravelSandMud,
                                       TernaryDiagram::FolkSandSiltClay}) {
    report.triangles.push_back(triangleOf(diagram, samples, decimalMark));
  }
  report.lot = lotViewOf(results, context.lotName);
  report.lotWords = lotViewWords();
  report.mapBackground = context.mapBackground;
  report.lotSummary = lotSummaryTables(lotSummaryOf(results), decimalMark);
  report.curvePages = curvePagesOf(samples, report.summary);
  report.sampleCount = static_cast<int>(samples.size());
  report.samplePage = [samples = std::make_shared<const std::vector<Sample>>(std::move(samples)),
                       decimalMark](int index) {
    return pageOf(samples->at(static_cast<std::size_t>(index)), decimalMark);
  };
  return report;
}

}  // namespace granomet
