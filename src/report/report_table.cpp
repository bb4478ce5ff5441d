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

// A figure, maybe followed by its unit ("220,6 µm", "2,181 Ø"): aligned on the right.
bool looksNumeric(const QString& text) {
  constexpr qsizetype kLongestUnit = 2;
  const qsizetype space = text.lastIndexOf(' ');
  const QString figure =
      space >= 0 && text.size() - space - 1 <= kLongestUnit ? text.left(space) : text;
  return std::all_of(figure.begin(), figure.end(), [](QChar c) {
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

TableFonts::TableFonts(double points, const QPaintDevice& page)
    : font(reportFont(points)),
      secondFont(reportFont(points * kSecondScale)),
      headerFont(reportFont(points, true)),
      titleFont(reportFont(points + 1.5, true)),
      metrics(pageMetrics(font, page)),
      secondMetrics(pageMetrics(secondFont, page)),
      headerMetrics(pageMetrics(headerFont, page)),
      titleMetrics(pageMetrics(titleFont, page)) {}

double TableLayout::heightOf(const ReportTable& table, const TableFonts& fonts) {
  const TableHeights heights = heightsOf(table, fonts);
  return heights.title + heights.header + heights.row * static_cast<double>(table.rows.size());
}

TableLayout::Cell TableLayout::cellOf(const std::string& text, const QFontMetricsF& first,
                                      const QFontMetricsF& second) {
  const QString whole = fromProgramText(text);
  const auto newline = whole.indexOf('\n');
  if (newline < 0) {
    return {whole, {}, first.horizontalAdvance(whole), 0, {}};
  }
  Cell cell{whole.left(newline), whole.mid(newline + 1), 0, 0, {}};
  cell.firstWidth = first.horizontalAdvance(cell.first);
  cell.secondWidth = second.horizontalAdvance(cell.second);
  return cell;
}

TableLayout::TableLayout(const ReportTable& table, double width, const TableFonts& fonts,
                         int elastic, bool fill)
    : fonts_(fonts) {
  for (const std::string& column : table.columns) {
    header_.push_back(cellOf(column, fonts_.headerMetrics, fonts_.headerMetrics));
  }
  for (const auto& row : table.rows) {
    std::vector<Cell>& cells = rows_.emplace_back();
    for (const std::string& text : row) {
      cells.push_back(cellOf(text, fonts_.metrics, fonts_.secondMetrics));
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

  widths_.assign(columns, 0);
  rightAligned_.assign(columns, true);
  for (std::size_t c = 0; c < columns; ++c) {
    double natural = std::max(header_[c].firstWidth, header_[c].secondWidth);
    for (const auto& row : rows_) {
      natural = std::max({natural, row[c].firstWidth, row[c].secondWidth});
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
    for (auto& row : rows_) {
      if (Cell& cell = row[e]; cell.firstWidth > widths_[e] - 2 * kPad) {
        cell.wrapped = wrappedLines(fonts_.metrics, cell.first, widths_[e] - 2 * kPad);
      }
    }
  }
  if (fill && total < width && columns > 0) {
    widths_[0] += width - total;
  }

  const TableHeights heights = heightsOf(table, fonts_);
  titleHeight_ = heights.title;
  headerHeight_ = heights.header;
  rowTops_.assign(1, 0);
  for (const auto& row : rows_) {
    qsizetype lines = 1;
    for (const Cell& cell : row) {
      lines = std::max(lines, cell.wrapped.size());
    }
    const double wrappedHeight =
        static_cast<double>(lines) * fonts_.metrics.lineSpacing() + 2 * kPad;
    rowTops_.push_back(rowTops_.back() + std::max(heights.row, wrappedHeight));
  }
}

double TableLayout::height() const {
  return titleHeight_ + headerHeight_ + rowTops_.back();
}

int TableLayout::rowsFitting(int first, double height) const {
  const double room = height - titleHeight_ - headerHeight_;
  const auto from = static_cast<std::size_t>(first);
  std::size_t end = from;
  while (end < rows_.size() && rowTops_[end + 1] - rowTops_[from] <= room) {
    ++end;
  }
  return static_cast<int>(end - from);
}

double TableLayout::sliceHeight(int first, int end) const {
  return titleHeight_ + headerHeight_ + rowTops_[static_cast<std::size_t>(end)] -
         rowTops_[static_cast<std::size_t>(first)];
}

void TableLayout::drawLine(QPainter& painter, const QFontMetricsF& measured,
                           const QFontMetricsF& page, const QString& text, double width, double x,
                           double baseline, std::size_t column) const {
  const double inner = widths_[column] - 2 * kPad;
  if (text.isEmpty()) {
    return;
  }
  // Drawn from its baseline, not laid out in a box: ten thousand samples' tables
  // spent most of their time in the text layout a box asks for. The widths are
  // measured as the columns were, the position as a box puts the text on the page.
  QString shown = text;
  if (width > inner) {
    shown = measured.elidedText(text, Qt::ElideRight, inner);
  }
  const double left =
      rightAligned_[column] ? x + kPad + inner - page.horizontalAdvance(shown) : x + kPad;
  painter.drawText(QPointF(left, baseline), shown);
}

void TableLayout::drawLines(QPainter& painter, const std::vector<Cell>& cells, const QFont& font,
                            const QFontMetricsF& measured, bool second, double left,
                            double top) const {
  const QFontMetricsF page(font, painter.device());
  const double baseline = top + page.ascent();
  double x = left;
  for (std::size_t c = 0; c < cells.size(); ++c) {
    const Cell& cell = cells[c];
    if (second) {
      drawLine(painter, measured, page, cell.second, cell.secondWidth, x, baseline, c);
    } else if (cell.wrapped.isEmpty()) {
      drawLine(painter, measured, page, cell.first, cell.firstWidth, x, baseline, c);
    } else {
      double lineBaseline = baseline;
      for (const QString& line : cell.wrapped) {
        drawLine(painter, measured, page, line, measured.horizontalAdvance(line), x, lineBaseline,
                 c);
        lineBaseline += measured.lineSpacing();
      }
    }
    x += widths_[c];
  }
}

double TableLayout::draw(QPainter& painter, QPointF topLeft, int first, int end,
                         const QString& title) const {
  double y = topLeft.y();
  const double width = std::accumulate(widths_.begin(), widths_.end(), 0.0);
  if (titleHeight_ > 0) {
    painter.setFont(fonts_.titleFont);
    painter.setPen(kInk);
    drawTextLine(painter, QRectF(topLeft.x(), y, width, titleHeight_), Qt::AlignLeft, title);
    y += titleHeight_;
  }
  const auto rule = [&painter, &topLeft, width](double at) {
    painter.drawLine(QPointF(topLeft.x(), at), QPointF(topLeft.x() + width, at));
  };
  // Each kind of line and text at once, so that the page does not switch pens and
  // fonts at every cell.
  const double header = y;
  const double firstRow = header + headerHeight_;
  const auto rowTop = [&](int r) {
    return firstRow + rowTops_[static_cast<std::size_t>(r)] -
           rowTops_[static_cast<std::size_t>(first)];
  };
  const double bottom = rowTop(end);
  painter.setPen(QPen(kLightRule, 0.5));
  for (int r = first; r + 1 < end; ++r) {
    rule(rowTop(r + 1));
  }
  painter.setPen(QPen(kRule, 0.5));
  rule(header);
  rule(firstRow);
  rule(bottom);
  const double headerLine = fonts_.headerMetrics.lineSpacing();
  const double rowLine = fonts_.metrics.lineSpacing();
  painter.setFont(fonts_.headerFont);
  painter.setPen(kInk);
  drawLines(painter, header_, fonts_.headerFont, fonts_.headerMetrics, false, topLeft.x(),
            header + kPad);
  drawLines(painter, header_, fonts_.headerFont, fonts_.headerMetrics, true, topLeft.x(),
            header + kPad + headerLine);
  painter.setFont(fonts_.font);
  for (int r = first; r < end; ++r) {
    drawLines(painter, rows_[static_cast<std::size_t>(r)], fonts_.font, fonts_.metrics, false,
              topLeft.x(), rowTop(r) + kPad);
  }
  painter.setFont(fonts_.secondFont);
  painter.setPen(kGreyInk);
  for (int r = first; r < end; ++r) {
    drawLines(painter, rows_[static_cast<std::size_t>(r)], fonts_.secondFont, fonts_.secondMetrics,
              true, topLeft.x(), rowTop(r) + kPad + rowLine);
  }
  return bottom - topLeft.y();
}

}  // namespace granomet::report
