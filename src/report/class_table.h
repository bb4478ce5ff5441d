// A sample's table of classes, one line a class in two halves side by side. Its cells are placed
// from widths summed character by character, never laid out to be measured: the table is most of
// a sample's text.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QString>
#include <array>
#include <string_view>
#include <vector>

#include "report/report_style.h"
#include "workflow/report_content.h"

class QPainter;
class QPaintDevice;

namespace granomet::report {

class ClassTable {
 public:
  // Made once for a report: fonts measured for the device the report is drawn on, and
  // the note under every class table, which is `width` wide.
  ClassTable(const std::string& note, double width, QPaintDevice& device);

  // The height the table takes: title, header, rows, what was left out, note.
  double height(const ReportSamplePage& sample) const;
  void draw(QPainter& painter, QPointF topLeft, const ReportSamplePage& sample) const;

 private:
  // Advances of the program's 8-bit characters in one font.
  using Advances = std::array<double, 256>;
  static Advances advancesOf(const QFontMetricsF& metrics);
  static double widthOf(std::string_view text, const Advances& advances);
  struct Column {
    double width = 0;
    double right = 0;  // from the left of the table's half
  };
  std::vector<Column> columnsOf(const ReportTable& table, double room) const;
  // Right-aligned in its column, cut short where it is wider.
  void put(QPainter& painter, const QFontMetricsF& metrics, const Advances& advances,
           std::string_view text, const Column& column, double left, double baseline) const;

  QFont titleFont_;
  QFont headerFont_;
  QFont font_;
  QFont noteFont_;
  QFontMetricsF titleMetrics_;
  QFontMetricsF headerMetrics_;
  QFontMetricsF metrics_;
  QFontMetricsF noteMetrics_;
  Advances headerAdvances_;
  Advances advances_;
  QString note_;
  double width_;
  WrappedText noteWrap_;
};

}  // namespace granomet::report
