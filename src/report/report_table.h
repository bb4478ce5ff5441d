// A report table laid out once for a width, then drawn a slice of its rows at a time.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QString>
#include <vector>

#include "workflow/report_content.h"

class QPainter;

namespace granomet::report {

class TableLayout {
 public:
  // fontPoints: the cells' size; a cell's second line is drawn smaller. elastic:
  // the column that gives up width, its texts cut short, when the table does not
  // fit (-1: none); fill: widen the first column to the whole width.
  TableLayout(const ReportTable& table, double width, double fontPoints, int elastic = -1,
              bool fill = false);

  double titleHeight() const { return titleHeight_; }
  double headerHeight() const { return headerHeight_; }
  double rowHeight() const { return rowHeight_; }
  // The whole table, title included.
  double height() const;
  // How many rows from first fit in height under a title and the header.
  int rowsFitting(int first, double height) const;

  // Draws the title (unless empty), the header and rows [first, end); returns the height used.
  double draw(QPainter& painter, QPointF topLeft, int first, int end, const QString& title) const;

 private:
  // A cell's lines with their widths, measured once for the columns and the drawing.
  struct Cell {
    QString first;
    QString second;
    double firstWidth = 0;
    double secondWidth = 0;
  };
  // A font and its line spacing, which the layout asks for again and again.
  struct Type {
    explicit Type(const QFont& font);
    QFont font;
    double lineSpacing;
  };
  static Cell cellOf(const std::string& text, const QFontMetricsF& first,
                     const QFontMetricsF& second);
  // One line of a cell, cut short where the column is too narrow for it; page: the
  // type's metrics on the page drawn.
  void drawLine(QPainter& painter, const Type& type, const QFontMetricsF& page, const QString& text,
                double width, double x, double baseline, std::size_t column) const;
  // The rows' first lines, or their second lines, from top.
  void drawLines(QPainter& painter, const std::vector<Cell>& cells, const Type& type, bool second,
                 double left, double top) const;

  std::vector<std::vector<Cell>> rows_;
  std::vector<Cell> header_;
  std::vector<double> widths_;
  std::vector<bool> rightAligned_;
  Type type_;
  Type secondType_;
  Type headerType_;
  QFont titleFont_;
  double titleHeight_ = 0;
  double headerHeight_ = 0;
  double rowHeight_ = 0;
};

}  // namespace granomet::report
