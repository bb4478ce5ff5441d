// A report table laid out once for a width, then drawn a slice of its rows at a time.
#pragma once

#include <QFont>
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
  struct Cell {
    QString first;
    QString second;
  };
  static Cell cellOf(const std::string& text);
  void drawCell(QPainter& painter, const Cell& cell, double x, double y, std::size_t column,
                bool header) const;

  std::vector<std::vector<Cell>> rows_;
  std::vector<Cell> header_;
  std::vector<double> widths_;
  std::vector<bool> rightAligned_;
  QFont font_;
  QFont secondFont_;
  QFont headerFont_;
  QFont titleFont_;
  double titleHeight_ = 0;
  double headerHeight_ = 0;
  double rowHeight_ = 0;
};

}  // namespace granomet::report
