// One sample's pages of the report: its heading, its two charts against phi, its measure tables,
// its warnings and its table of classes, flowed over as many pages as they take.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <functional>
#include <vector>

#include "report/class_table.h"
#include "report/phi_charts.h"
#include "report/report_style.h"
#include "report/report_table.h"
#include "workflow/report_content.h"

class QPainter;
class QPaintDevice;

namespace granomet::report {

class SamplePages {
 public:
  // Made once for a report: fonts measured for the device the report is drawn on,
  // words and the parts every sample's pages share.
  SamplePages(const Report& report, QPaintDevice& device);

  // How many pages the sample takes (two, unless its warnings run long), without
  // drawing it: the report numbers its pages before it draws them.
  int pageCount(const ReportSamplePage& sample) const;

  // Draws the sample's pages, each one begun by newPage. colourIndex: the sample's
  // curve colour among all the samples.
  void draw(QPainter& painter, const ReportSamplePage& sample, int colourIndex,
            const std::function<void()>& newPage) const;

 private:
  // Where each block of a sample goes: a page (from 0) and a height on it.
  struct Place {
    enum class Block { Head, ShortHead, Charts, Tables, WarningsHead, Warning, Classes };
    Block block;
    int page;
    double y;
    double height;
    int index = 0;  // the warning
  };
  using Warning = WrappedText;
  std::vector<Place> layout(const ReportSamplePage& sample,
                            const std::vector<Warning>& warnings) const;
  std::vector<Warning> warningsOf(const ReportSamplePage& sample) const;
  double lineHeight() const;
  double tablesHeight(const ReportSamplePage& sample) const;
  void drawTables(QPainter& painter, const ReportSamplePage& sample, double y) const;

  QString warningsHeading_;
  QString noWarnings_;
  QString continued_;
  QFont headingFont_;
  QFont lineFont_;
  QFont shortHeadingFont_;
  QFont warningsHeadingFont_;
  QFont warningFont_;
  QFontMetricsF headingMetrics_;
  QFontMetricsF lineMetrics_;
  QFontMetricsF shortHeadingMetrics_;
  QFontMetricsF warningsHeadingMetrics_;
  QFontMetricsF warningMetrics_;
  TableFonts tableFonts_;
  PhiCharts charts_;
  ClassTable classTable_;
};

}  // namespace granomet::report
