// What the PDF report of one or more results files says, page by page, its words and numbers ready
// to draw.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "data/local_date_time.h"
#include "statistics/ternary_diagram.h"
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
  std::vector<double> diameter;
  std::vector<double> weight;
  std::vector<double> percentFiner;
};

struct ReportPoint {
  std::string label;  // the sample's number in the summary table
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

struct ReportSamplePage {
  std::string heading;
  std::vector<std::string> lines;  // lot, results file, classes
  ReportCurve curve;
  // Left column, then right column, then across the page.
  std::vector<ReportTable> leftTables;
  std::vector<ReportTable> rightTables;
  std::vector<std::string> warnings;
};

// The chart and page words, so that the drawing holds no text of its own.
struct ReportWords {
  std::string title;
  std::string frequencyCurves;  // every sample's
  std::string cumulativeCurves;
  std::string frequencyCurve;  // one sample's
  std::string cumulativeCurve;
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

struct Report {
  char decimalMark = '.';
  ReportWords words;
  std::vector<std::string> facts;  // lot(s), date, number of samples, results files
  std::string unreachedHeading;    // empty when the report is not made after a run
  std::vector<std::string> unreached;
  ReportTable summary;
  std::vector<ReportTriangle> triangles;  // Shepard, then Folk's two
  std::vector<ReportCurve> curves;        // every sample, in the summary's order
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
};

Report reportOf(const ResultsSet& results, const ReportContext& context);

}  // namespace granomet
