#include "report/class_table.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <numeric>
#include <vector>

#include "report/report_style.h"

namespace granomet::report {
namespace {

constexpr double kPoints = 7.5;
constexpr double kHalfGap = 16;  // between the two halves
constexpr double kLeastColumnGap = 6;
constexpr double kInset = 2;  // of the first and last column from the rules' ends
const QColor kBand(242, 242, 242);

std::size_t halfOf(const ReportTable& table) {
  return (table.rows.size() + 1) / 2;
}

// A heading's two lines, the first empty when it has one.
std::array<std::string_view, 2> headingLines(std::string_view heading) {
  const auto newline = heading.find('\n');
  if (newline == std::string_view::npos) {
    return {std::string_view(), heading};
  }
  return {heading.substr(0, newline), heading.substr(newline + 1)};
}

}  // namespace

ClassTable::Advances ClassTable::advancesOf(const QFontMetricsF& metrics) {
  Advances advances{};
  for (int byte = 32; byte < 256; ++byte) {
    const char c = static_cast<char>(byte);
    const QString text = fromProgramText(std::string_view(&c, 1));
    advances[static_cast<std::size_t>(byte)] =
        text.isEmpty() ? 0 : metrics.horizontalAdvance(text.front());
  }
  return advances;
}

double ClassTable::widthOf(std::string_view text, const Advances& advances) {
  double width = 0;
  for (const char c : text) {
    width += advances[static_cast<unsigned char>(c)];
  }
  return width;
}

ClassTable::ClassTable(const std::string& note, double width, QPaintDevice& device)
    : titleFont_(reportFont(kPoints + 1.5, true)),
      headerFont_(reportFont(kPoints, true)),
      font_(reportFont(kPoints)),
      noteFont_(reportFont(7)),
      titleMetrics_(titleFont_, &device),
      headerMetrics_(headerFont_, &device),
      metrics_(font_, &device),
      noteMetrics_(noteFont_, &device),
      headerAdvances_(advancesOf(headerMetrics_)),
      advances_(advancesOf(metrics_)),
      note_(fromProgramText(note)),
      width_(width),
      noteWrap_(wrapped(noteMetrics_, note_, width)) {}

double ClassTable::height(const ReportSamplePage& sample) const {
  const double omitted = sample.classesOmitted.empty() ? 0 : noteMetrics_.lineSpacing();
  return titleMetrics_.lineSpacing() + 2 + 2 * headerMetrics_.lineSpacing() + 4 +
         static_cast<double>(halfOf(sample.classes)) * metrics_.lineSpacing() + 5 + omitted +
         noteWrap_.height;
}

std::vector<ClassTable::Column> ClassTable::columnsOf(const ReportTable& table, double room) const {
  // Each column as wide as its widest cell or heading line.
  std::vector<Column> columns(table.columns.size());
  for (std::size_t c = 0; c < columns.size(); ++c) {
    for (const std::string_view line : headingLines(table.columns[c])) {
      columns[c].width = std::max(columns[c].width, widthOf(line, headerAdvances_));
    }
    for (const auto& row : table.rows) {
      if (c < row.size()) {
        columns[c].width = std::max(columns[c].width, widthOf(row[c], advances_));
      }
    }
  }
  // Figures beyond any sediment in a hand-edited file may not fit: the columns that
  // fit an equal share keep their width, the others share what remains and cut
  // their texts short.
  const double gaps = static_cast<double>(std::max<std::size_t>(columns.size(), 2) - 1);
  const auto natural = [&columns] {
    return std::accumulate(columns.begin(), columns.end(), 0.0,
                           [](double sum, const Column& c) { return sum + c.width; });
  };
  double share = room - kLeastColumnGap * gaps;
  if (natural() > share) {
    std::vector<bool> kept(columns.size(), false);
    auto others = static_cast<double>(columns.size());
    for (bool keptOne = true; keptOne;) {
      keptOne = false;
      for (std::size_t c = 0; c < columns.size(); ++c) {
        if (!kept[c] && columns[c].width <= share / others) {
          kept[c] = true;
          share -= columns[c].width;
          --others;
          keptOne = true;
        }
      }
    }
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (!kept[c]) {
        columns[c].width = std::max(0.0, share / others);
      }
    }
  }
  // What is left over goes between the columns.
  const double gap = std::max(kLeastColumnGap, (room - natural()) / gaps);
  double x = kInset;
  for (Column& column : columns) {
    column.right = x + column.width;
    x = column.right + gap;
  }
  return columns;
}

void ClassTable::put(QPainter& painter, const QFontMetricsF& metrics, const Advances& advances,
                     std::string_view text, const Column& column, double left,
                     double baseline) const {
  if (text.empty()) {
    return;
  }
  const double width = widthOf(text, advances);
  const double right = left + column.right;
  if (width <= column.width) {
    painter.drawText(QPointF(right - width, baseline), fromProgramText(text));
  } else {
    painter.drawText(QPointF(right - column.width, baseline),
                     metrics.elidedText(fromProgramText(text), Qt::ElideRight, column.width));
  }
}

void ClassTable::draw(QPainter& painter, QPointF topLeft, const ReportSamplePage& sample) const {
  const ReportTable& table = sample.classes;
  const std::size_t half = halfOf(table);
  const double line = metrics_.lineSpacing();
  const double halfWidth = (width_ - kHalfGap) / 2;
  const std::vector<Column> columns = columnsOf(table, halfWidth - 2 * kInset);

  painter.save();
  double y = topLeft.y();
  painter.setFont(titleFont_);
  painter.setPen(kInk);
  painter.drawText(QPointF(topLeft.x(), y + titleMetrics_.ascent()), fromProgramText(table.title));
  y += titleMetrics_.lineSpacing() + 2;
  const double headerTop = y;
  const double rowsTop = headerTop + 2 * headerMetrics_.lineSpacing() + 4;
  const double rowsBottom = rowsTop + static_cast<double>(half) * line + 2;

  for (std::size_t h = 0; h < 2; ++h) {
    const double left = topLeft.x() + static_cast<double>(h) * (halfWidth + kHalfGap);
    const std::size_t first = h == 0 ? 0 : half;
    const std::size_t end = h == 0 ? half : table.rows.size();
    // Every other row on a light band, so that a line is followed across.
    QPainterPath bands;
    for (std::size_t r = first + 1; r < end; r += 2) {
      bands.addRect(QRectF(left, rowsTop + static_cast<double>(r - first) * line, halfWidth, line));
    }
    painter.fillPath(bands, kBand);
    painter.setPen(QPen(kRule, 0.5));
    for (const double at : {headerTop, rowsTop - 2, rowsBottom}) {
      painter.drawLine(QPointF(left, at), QPointF(left + halfWidth, at));
    }

    // Headings sit on the header's foot, right-aligned like the figures.
    painter.setPen(kInk);
    painter.setFont(headerFont_);
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const auto lines = headingLines(table.columns[c]);
      for (std::size_t l = 0; l < lines.size(); ++l) {
        put(painter, headerMetrics_, headerAdvances_, lines[l], columns[c], left,
            headerTop + 2 + headerMetrics_.ascent() +
                static_cast<double>(l) * headerMetrics_.lineSpacing());
      }
    }
    painter.setFont(font_);
    for (std::size_t r = first; r < end; ++r) {
      const auto& row = table.rows[r];
      const double baseline = rowsTop + static_cast<double>(r - first) * line + metrics_.ascent();
      for (std::size_t c = 0; c < columns.size() && c < row.size(); ++c) {
        put(painter, metrics_, advances_, row[c], columns[c], left, baseline);
      }
    }
  }

  painter.setFont(noteFont_);
  painter.setPen(kGreyInk);
  y = rowsBottom + 3;
  if (!sample.classesOmitted.empty()) {
    painter.drawText(QPointF(topLeft.x(), y + noteMetrics_.ascent()),
                     fromProgramText(sample.classesOmitted));
    y += noteMetrics_.lineSpacing();
  }
  painter.drawText(QRectF(topLeft.x(), y, width_, noteWrap_.height), noteWrap_.flags,
                   noteWrap_.text);
  painter.restore();
}

}  // namespace granomet::report
