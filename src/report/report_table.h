// A report table laid out once for a width, then drawn a slice of its rows at a time.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <vector>

#include "workflow/report_content.h"

class QPainter;
class QPaintDevice;

namespace granomet::report {

// The fonts of tables of one size: made once, shared by every table drawn in it.
struct TableFonts {
  // points: the cells' size; a cell's second line is smaller. page: what the
  // tables are drawn on, so that they are measured as drawn.
  TableFonts(double points, const QPaintDevice& page);
  QFont font;
  QFont secondFont;
  QFont headerFont;
  QFont titleFont;
  QFontMetricsF metrics;
  QFontMetricsF secondMetrics;
  QFontMetricsF headerMetrics;
  QFontMetricsF titleMetrics;
};

class TableLayout {
 public:
  // elastic: the column that gives up width when the table does not fit (-1: none),
  // its first lines wrapped over as many lines as they need, never cut short (a
  // row with such a cell is taller); fill: widen the first column to the whole width.
  TableLayout(const ReportTable& table, double width, const TableFonts& fonts, int elastic = -1,
              bool fill = false);

  // The whole table's height, title included, without laying out its columns (and
  // so without wrapping any cell).
  static double heightOf(const ReportTable& table, const TableFonts& fonts);

  double titleHeight() const { return titleHeight_; }
  double headerHeight() const { return headerHeight_; }
  // The whole table, title included.
  double height() const;
  // How many rows from first fit in height under a title and the header.
  int rowsFitting(int first, double height) const;
  // The height rows [first, end) take drawn under the title and the header.
  double sliceHeight(int first, int end) const;

  // Draws the title (unless empty), the header and rows [first, end); returns the height used.
  double draw(QPainter& painter, QPointF topLeft, int first, int end, const QString& title) const;

 private:
  // A cell's lines with their widths, measured once for the columns and the drawing.
  struct Cell {
    QString first;
    QString second;
    double firstWidth = 0;
    double secondWidth = 0;
    QStringList wrapped;  // the first line over several, where its column is too narrow
  };
  static Cell cellOf(const std::string& text, const QFontMetricsF& first,
                     const QFontMetricsF& second);
  // One line of a cell, cut short where the column is too narrow for it; page: the
  // font's metrics on the page drawn.
  void drawLine(QPainter& painter, const QFontMetricsF& measured, const QFontMetricsF& page,
                const QString& text, double width, double x, double baseline,
                std::size_t column) const;
  // The rows' first lines, or their second lines, from top.
  void drawLines(QPainter& painter, const std::vector<Cell>& cells, const QFont& font,
                 const QFontMetricsF& measured, bool second, double left, double top) const;

  std::vector<std::vector<Cell>> rows_;
  std::vector<Cell> header_;
  std::vector<double> widths_;
  std::vector<bool> rightAligned_;
  TableFonts fonts_;
  double titleHeight_ = 0;
  double headerHeight_ = 0;
  std::vector<double> rowTops_;  // from the first row's top, one more than the rows
};

}  // namespace granomet::report
