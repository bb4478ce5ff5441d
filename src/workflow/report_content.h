// What the PDF report of one or more results files says, page by page, its words and numbers ready
// to draw.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "data/local_date_time.h"
#include "statistics/geo_point.h"
#include "statistics/ternary_diagram.h"
#include "workflow/lot_view.h"
#include "workflow/results_set.h"

namespace granomet {

// Every text is the program's 8-bit text (Windows-1252), as the results files and
// the messages give it; numbers carry the regional decimal mark.

// A table: a heading, its column titles (empty: none) and rows of cells. A cell may
// hold a second line after "\n", drawn smaller.
struct ReportTable {
  std::string title;
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
};

// One sample's classes for the curves: diameters (µm, lower bounds, coarsest
// first), weight % and % finer than each diameter (empty where no curve can be read).
struct ReportCurve {
  std::string label;  // the sample's number in the summary table
  std::string name;
  int colour = 0;  // the sample's place among all, which gives its colour as in the window
  std::vector<double> diameter;
  std::vector<double> weight;
  std::vector<double> percentFiner;
};

// So many curves share a curves page, as many as the window's palette has colours:
// each is told apart on its page by its colour and found in the legend.
inline constexpr int kCurvesPerPage = 10;

// A curves page: the frequency and cumulative curves of up to kCurvesPerPage samples.
struct ReportCurvePage {
  std::string frequencyTitle;
  std::string cumulativeTitle;
  std::vector<ReportCurve> curves;
};

struct ReportPoint {
  std::string label;  // the sample's number in the summary table: its order number in its lot
  TernaryShares shares;
  // Where a reader finds the point whose number found no place beside it: the
  // sample's name and its shares of the top, bottom left and bottom right corners.
  std::string name;
  std::array<std::string, 3> percent;
};

struct ReportTriangle {
  std::string title;
  TernaryDiagram diagram = TernaryDiagram::Shepard;
  std::array<std::string, 3> corners;   // top, bottom left, bottom right
  std::vector<std::string> fieldNames;  // by field id
  std::vector<ReportPoint> points;
  std::string note;  // samples left out of this triangle, and why
  // The key under the triangle: one entry per field, its code and name.
  std::vector<std::string> key;
  // The columns of the list of points whose number found no place beside them:
  // number, sample, field, then the corners' shares in %.
  std::array<std::string, 6> listColumns;
};

// A class of bounded width as a bar of the histogram: its span in phi (coarse end
// first) and its weight per unit phi (%).
struct ReportBar {
  double phiFrom = 0;
  double phiTo = 0;
  double density = 0;
};

// A point of the cumulative curve: a class's lower bound and the percentage of the
// sample coarser than it.
struct ReportCurvePoint {
  double phi = 0;
  double percentCoarser = 0;
};

// The probability chart's scale, in percent: Folk's probability paper, 0.1 to 99.9.
inline constexpr double kProbabilityScaleLow = 0.1;
inline constexpr double kProbabilityScaleHigh = 99.9;

struct ReportSamplePage {
  std::string heading;
  std::vector<std::string> lines;  // lot, results file, classes
  // The phi span both charts share: the classes that hold weight and the limits
  // between gravel, sand, silt and clay, with room around them.
  double phiFrom = 0;
  double phiTo = 0;
  std::vector<ReportBar> histogram;           // every class but the open coarsest one
  std::string histogramNote;                  // the open coarsest class's weight, when it has any
  std::vector<ReportCurvePoint> probability;  // every class's lower bound; empty: no curve
  std::string probabilityNote;                // what lies beyond the scale
  // One row a class, coarsest first, from the first class with weight to the last;
  // the classes left out at either end are named in classesOmitted.
  ReportTable classes;
  std::string classesOmitted;
  // Left column, then right column, then across the page.
  std::vector<ReportTable> leftTables;
  std::vector<ReportTable> rightTables;
  std::vector<std::string> warnings;
};

// The chart and page words, so that the drawing holds no text of its own.
struct ReportWords {
  std::string title;
  std::string diameterAxis;
  std::string weightAxis;
  std::string finerAxis;
  std::string warningsHeading;
  std::string noWarnings;
  std::string noCurve;
  // Heading the points whose number found no place beside them: how many (%1) and,
  // where the list goes on, or only starts, on the following pages, which page (%2).
  std::string unlabelled;
  std::string unlabelledGoesOn;
  std::string unlabelledElsewhere;
  std::string unlabelledContinued;  // heading of those pages
  std::string pageOf;               // "Página %1 de %2"
  std::string summaryGoesOn;        // heading of the summary table's later pages
};

// The words of a sample's own charts and later pages.
struct SamplePageWords {
  std::string continued;  // after the sample's heading on its later pages
  std::string histogram;
  std::string densityAxis;
  std::string probabilityChart;
  std::string coarserAxis;
  std::string phiUnit;
  std::string micrometreUnit;
  std::string finerNote;  // what the class table's "finer" column holds
};

struct Report {
  char decimalMark = '.';
  ReportWords words;
  SamplePageWords sampleWords;
  std::vector<std::string> facts;  // lot(s), date, number of samples, results files
  std::string unreachedHeading;    // empty when the report is not made after a run
  std::vector<std::string> unreached;
  ReportTable summary;
  std::vector<ReportTriangle> triangles;  // Shepard, then Folk's two
  // The lot seen whole, after the triangles: the map over its background, the
  // bivariate plots, the summary's tables and a depth profile for each core.
  LotView lot;
  LotViewWords lotWords;
  std::vector<GeoPath> mapBackground;
  std::vector<ReportTable> lotSummary;
  std::vector<ReportCurvePage> curvePages;  // every sample, in the summary's order
  // Each sample's page, made as it is drawn (index from 0, in the summary's order):
  // a large lot's pages made at once would take hundreds of megabytes. Reads the
  // results set the report was made of, which must outlive it.
  int sampleCount = 0;
  std::function<ReportSamplePage(int index)> samplePage;
};

// What a report made after a run adds: the lot's samples that no export record reached.
struct ReportContext {
  LocalDateTime madeOn;
  char decimalMark = '.';
  bool afterRun = false;
  std::string lotName;  // the run's lot; empty: told by the results files' names
  std::vector<std::string> unreachedSamples;
  // The map's background layer, read by the caller; empty: none.
  std::vector<GeoPath> mapBackground;
};

Report reportOf(const ResultsSet& results, const ReportContext& context);

}  // namespace granomet
