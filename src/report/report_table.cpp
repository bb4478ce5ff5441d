#include "report/report_table.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <numeric>

#include "report/report_style.h"

namespace granomet::report {
namespace {

constexpr double kPad = 2.5;
constexpr double kSecondScale = 0.85;
constexpr double kNarrowest = 30;  // an elastic column never shrinks below this

bool looksNumeric(const QString& text) {
  if (text.isEmpty()) {
    return true;
  }
  return std::all_of(text.begin(), text.end(), [](QChar c) {
    return c.isDigit() || c == '.' || c == ',' || c == '-' || c == QChar(0x2014);
  });
}

// The heights of a table's title, header and rows: a second line in any cell of a
// row makes every row two lines high.
struct TableHeights {
  double title;
  double header;
  double row;
};
TableHeights heightsOf(const ReportTable& table, const TableFonts& fonts) {
  const auto twoLines = [](const std::string& text) {
    return text.find('\n') != std::string::npos;
  };
  const bool headerSecondLines = std::any_of(table.columns.begin(), table.columns.end(), twoLines);
  const bool secondLines = std::any_of(table.rows.begin(), table.rows.end(), [&](const auto& row) {
    return std::any_of(row.begin(), row.end(), twoLines);
  });
  return {table.title.empty() ? 0 : fonts.titleMetrics.lineSpacing() + 2,
          fonts.headerMetrics.lineSpacing() * (headerSecondLines ? 2 : 1) + 2 * kPad,
          fonts.metrics.lineSpacing() + (secondLines ? fonts.secondMetrics.lineSpacing() : 0) +
              2 * kPad};
}

}  // namespace

TableLayout::Cell TableLayout::cellOf(const std::string& text) {
  const QString whole = fromProgramText(text);
  const auto newline = whole.indexOf('\n');
  if (newline < 0) {
    return {whole, {}};
  }
  return {whole.left(newline), whole.mid(newline + 1)};
}

TableFonts::TableFonts(double points, QPaintDevice* device)
    : font(reportFont(points)),
      secondFont(reportFont(points * kSecondScale)),
      headerFont(reportFont(points, true)),
      titleFont(reportFont(points + 1.5, true)),
      metrics(font, device),
      secondMetrics(secondFont, device),
      headerMetrics(headerFont, device),
      titleMetrics(titleFont, device) {}

double TableLayout::heightOf(const ReportTable& table, const TableFonts& fonts) {
  const TableHeights heights = heightsOf(table, fonts);
  return heights.title + heights.header + heights.row * static_cast<double>(table.rows.size());
}

TableLayout::TableLayout(const ReportTable& table, double width, double fontPoints, int elastic,
                         bool fill)
    : TableLayout(table, width, TableFonts(fontPoints), elastic, fill) {}

TableLayout::TableLayout(const ReportTable& table, double width, const TableFonts& fonts,
                         int elastic, bool fill)
    : fonts_(fonts) {
  for (const std::string& column : table.columns) {
    header_.push_back(cellOf(column));
  }
  for (const auto& row : table.rows) {
    std::vector<Cell>& cells = rows_.emplace_back();
    for (const std::string& text : row) {
      cells.push_back(cellOf(text));
    }
  }
  std::size_t columns = header_.size();
  for (const auto& row : rows_) {
    columns = std::max(columns, row.size());
  }
  header_.resize(columns);
  for (auto& row : rows_) {
    row.resize(columns);
  }

  const QFontMetricsF& metrics = fonts.metrics;
  const QFontMetricsF& secondMetrics = fonts.secondMetrics;
  const QFontMetricsF& headerMetrics = fonts.headerMetrics;
  widths_.assign(columns, 0);
  rightAligned_.assign(columns, true);
  for (std::size_t c = 0; c < columns; ++c) {
    double natural = std::max(headerMetrics.horizontalAdvance(header_[c].first),
                              headerMetrics.horizontalAdvance(header_[c].second));
    for (const auto& row : rows_) {
      natural = std::max({natural, metrics.horizontalAdvance(row[c].first),
                          secondMetrics.horizontalAdvance(row[c].second)});
      rightAligned_[c] = rightAligned_[c] && looksNumeric(row[c].first);
    }
    widths_[c] = natural + 2 * kPad;
  }
  if (columns > 0) {
    rightAligned_[0] = false;
  }
  const double total = std::accumulate(widths_.begin(), widths_.end(), 0.0);
  if (total > width && elastic >= 0 && static_cast<std::size_t>(elastic) < columns) {
    const auto e = static_cast<std::size_t>(elastic);
    widths_[e] = std::max(kNarrowest, widths_[e] - (total - width));
  }
  if (fill && total < width && columns > 0) {
    widths_[0] += width - total;
  }

  const TableHeights heights = heightsOf(table, fonts);
  titleHeight_ = heights.title;
  headerHeight_ = heights.header;
  rowHeight_ = heights.row;
}

double TableLayout::height() const {
  return titleHeight_ + headerHeight_ + rowHeight_ * static_cast<double>(rows_.size());
}

int TableLayout::rowsFitting(int first, double height) const {
  const double room = height - titleHeight_ - headerHeight_;
  const int fitting = room > 0 ? static_cast<int>(room / rowHeight_) : 0;
  return std::clamp(fitting, 0, static_cast<int>(rows_.size()) - first);
}

void TableLayout::drawCell(QPainter& painter, const Cell& cell, double x, double y,
                           std::size_t column, bool header) const {
  const double inner = widths_[column] - 2 * kPad;
  const Qt::Alignment align =
      (rightAligned_[column] ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop;
  const QFont& firstFont = header ? fonts_.headerFont : fonts_.font;
  const QFont& secondFont = header ? fonts_.headerFont : fonts_.secondFont;
  const QFontMetricsF& firstMetrics = header ? fonts_.headerMetrics : fonts_.metrics;
  painter.setFont(firstFont);
  painter.setPen(kInk);
  painter.drawText(QRectF(x + kPad, y + kPad, inner, firstMetrics.lineSpacing()), align,
                   firstMetrics.elidedText(cell.first, Qt::ElideRight, inner));
  if (!cell.second.isEmpty()) {
    const QFontMetricsF& secondMetrics = header ? fonts_.headerMetrics : fonts_.secondMetrics;
    painter.setFont(secondFont);
    painter.setPen(header ? kInk : kGreyInk);
    painter.drawText(
        QRectF(x + kPad, y + kPad + firstMetrics.lineSpacing(), inner, secondMetrics.lineSpacing()),
        align, secondMetrics.elidedText(cell.second, Qt::ElideRight, inner));
  }
}

double TableLayout::draw(QPainter& painter, QPointF topLeft, int first, int end,
                         const QString& title) const {
  double y = topLeft.y();
  const double width = std::accumulate(widths_.begin(), widths_.end(), 0.0);
  if (titleHeight_ > 0) {
    painter.setFont(fonts_.titleFont);
    painter.setPen(kInk);
    painter.drawText(QRectF(topLeft.x(), y, width, titleHeight_), Qt::AlignLeft | Qt::AlignTop,
                     title);
    y += titleHeight_;
  }
  const auto rule = [&painter, &topLeft, width](double at, const QColor& colour) {
    painter.setPen(QPen(colour, 0.5));
    painter.drawLine(QPointF(topLeft.x(), at), QPointF(topLeft.x() + width, at));
  };
  const auto drawRow = [&](const std::vector<Cell>& cells, bool header) {
    double x = topLeft.x();
    for (std::size_t c = 0; c < cells.size(); ++c) {
      drawCell(painter, cells[c], x, y, c, header);
      x += widths_[c];
    }
  };
  rule(y, kRule);
  drawRow(header_, true);
  y += headerHeight_;
  rule(y, kRule);
  for (int r = first; r < end; ++r) {
    drawRow(rows_[static_cast<std::size_t>(r)], false);
    y += rowHeight_;
    rule(y, r + 1 == end ? kRule : kLightRule);
  }
  return y - topLeft.y();
}

}  // namespace granomet::report
