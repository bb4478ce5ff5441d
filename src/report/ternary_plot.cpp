#include "report/ternary_plot.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>

#include "report/report_style.h"

namespace granomet::report {
namespace {

constexpr double kPointRadius = 1.5;
// Rings of places tried around a point for its number, 4 points apart.
constexpr int kRings = 4;
constexpr std::array<QRgb, 4> kFieldFills{0xf4f7fb, 0xfbf6ee, 0xf1f8f1, 0xf8f1f6};
// Lines under the key kept for the note and the start of the list.
constexpr int kNoteLines = 4;
// The list: space between its columns and between its columns of entries, and
// the narrowest its names' column gets, however wide the others.
constexpr double kColumnGap = 8;
constexpr double kEntryGap = 14;
constexpr double kNarrowestName = 60;
constexpr std::size_t kNameColumn = 1;
constexpr std::size_t kFieldColumn = 2;

// Whether the segment passes through the box (Liang and Barsky's clipping).
bool crosses(const QLineF& line, const QRectF& box) {
  const double dx = line.dx();
  const double dy = line.dy();
  double from = 0;
  double to = 1;
  const auto clip = [&from, &to](double p, double q) {
    if (p == 0) {
      return q >= 0;
    }
    const double t = q / p;
    if (p < 0) {
      from = std::max(from, t);
    } else {
      to = std::min(to, t);
    }
    return from <= to;
  };
  return clip(-dx, line.x1() - box.left()) && clip(dx, box.right() - line.x1()) &&
         clip(-dy, line.y1() - box.top()) && clip(dy, box.bottom() - line.y1());
}

// The line from a point to the edge of its number's box, aimed at its centre.
QLineF leaderTo(const QPointF& point, const QRectF& box) {
  const QPointF centre = box.center();
  const QPointF toward = centre - point;
  double enter = 0;
  for (const auto& [offset, near, far] :
       {std::array<double, 3>{toward.x(), box.left() - point.x(), box.right() - point.x()},
        std::array<double, 3>{toward.y(), box.top() - point.y(), box.bottom() - point.y()}}) {
    if (offset != 0) {
      enter = std::max(enter, std::min(near / offset, far / offset));
    }
  }
  return {point, point + toward * enter};
}

// What is already on the triangle: points, texts (field and corner names, numbers)
// and lines (the fields' edges, the leaders that join a number to its point), filed under the cells
// of a grid they cover, so that a new mark is checked against its neighbours only: against every
// mark, ten thousand samples' numbers took minutes to place.
class TakenMarks {
 public:
  enum class Kind { Point, Text, Line };

  TakenMarks(const QRectF& bounds, double cell)
      : bounds_(bounds),
        cell_(cell),
        columns_(std::max(1, static_cast<int>(std::ceil(bounds.width() / cell)))),
        rows_(std::max(1, static_cast<int>(std::ceil(bounds.height() / cell)))),
        cells_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_)) {}

  void add(const QRectF& box, Kind kind) { file({box, kind, {}}); }
  void addLine(const QLineF& line) {
    file({QRectF(line.p1(), line.p2()).normalized(), Kind::Line, line});
  }

  // Whether the box would cover a mark, or a line would cross it.
  bool overlaps(const QRectF& box) {
    return forCells(box, [&](const std::vector<std::size_t>& cell) {
      return std::any_of(cell.begin(), cell.end(), [&](std::size_t index) {
        const Mark& mark = marks_[index];
        return mark.kind == Kind::Line ? crosses(mark.line, box) : box.intersects(mark.box);
      });
    });
  }

  // Whether the line would cross a text.
  bool crossesText(const QLineF& line) {
    return forCells(QRectF(line.p1(), line.p2()).normalized(),
                    [&](const std::vector<std::size_t>& cell) {
                      return std::any_of(cell.begin(), cell.end(), [&](std::size_t index) {
                        const Mark& mark = marks_[index];
                        return mark.kind == Kind::Text && crosses(line, mark.box);
                      });
                    });
  }

 private:
  struct Mark {
    QRectF box;
    Kind kind;
    QLineF line;
  };

  void file(const Mark& mark) {
    const std::size_t index = marks_.size();
    marks_.push_back(mark);
    forCells(mark.box, [&](std::vector<std::size_t>& cell) {
      cell.push_back(index);
      return false;
    });
  }

  // A box beyond the grid is filed under its edge cells: two boxes that meet
  // still share a cell.
  int cellOf(double offset, int count) const {
    return std::clamp(static_cast<int>(std::floor(std::clamp(offset / cell_, -1.0, 1e6))), 0,
                      count - 1);
  }
  // Visits the box's cells until visit says true; returns whether it did.
  template <typename Visit>
  bool forCells(const QRectF& box, Visit visit) {
    const int left = cellOf(box.left() - bounds_.left(), columns_);
    const int right = cellOf(box.right() - bounds_.left(), columns_);
    const int top = cellOf(box.top() - bounds_.top(), rows_);
    const int bottom = cellOf(box.bottom() - bounds_.top(), rows_);
    for (int row = top; row <= bottom; ++row) {
      for (int column = left; column <= right; ++column) {
        if (visit(cells_[static_cast<std::size_t>(row * columns_ + column)])) {
          return true;
        }
      }
    }
    return false;
  }

  QRectF bounds_;
  double cell_;
  int columns_;
  int rows_;
  std::vector<std::vector<std::size_t>> cells_;
  std::vector<Mark> marks_;
};

// The key's entries in as many columns as the width holds.
struct Columns {
  int columns = 1;
  int rows = 0;
};
Columns columnsOf(double width, const std::vector<QString>& entries, const QFontMetricsF& metrics) {
  if (entries.empty()) {
    return {};
  }
  double widest = 0;
  for (const QString& entry : entries) {
    widest = std::max(widest, metrics.horizontalAdvance(entry));
  }
  const int columns = std::max(1, static_cast<int>(width / (widest + 12)));
  return {columns, (static_cast<int>(entries.size()) + columns - 1) / columns};
}

QString filled(QString pattern, std::size_t first, int second = 0) {
  return pattern.replace("%1", QString::number(first)).replace("%2", QString::number(second));
}

}  // namespace

TernaryPlot::TernaryPlot(const ReportTriangle& triangle, const QRectF& area,
                         const UnlabelledWords& words, const QPaintDevice& page)
    : triangle_(&triangle),
      page_(&page),
      area_(area),
      words_(words),
      titleFont_(reportFont(10, true)),
      cornerFont_(reportFont(8, true)),
      fieldFont_(reportFont(triangle.diagram == TernaryDiagram::Shepard ? 7.5 : kSmallestPoints)),
      numberFont_(reportFont(kSmallestPoints)),
      keyFont_(reportFont(kSmallestPoints)),
      headerFont_(reportFont(kSmallestPoints, true)),
      note_{fromProgramText(triangle.note), 0} {
  for (const std::string& entry : triangle.key) {
    key_.push_back(fromProgramText(entry));
  }
  const QFontMetricsF titleMetrics = metricsOf(titleFont_);
  const QFontMetricsF cornerMetrics = metricsOf(cornerFont_);
  const QFontMetricsF keyMetrics = metricsOf(keyFont_);
  const double below =
      (columnsOf(area.width(), key_, keyMetrics).rows + kNoteLines) * keyMetrics.lineSpacing() + 8;
  const double available =
      area.height() - titleMetrics.lineSpacing() - 2 * cornerMetrics.lineSpacing() - below - 8;
  const double side = std::min(area.width() - 40, available / TernaryFrame::heightOfUnit());
  frame_ = {QPointF(area.center().x() - side / 2, area.top() + titleMetrics.lineSpacing() +
                                                      cornerMetrics.lineSpacing() + 6 +
                                                      side * TernaryFrame::heightOfUnit()),
            side};
  for (const ReportPoint& point : triangle_->points) {
    places_.push_back(at(point.shares));
  }
  layOutCorners();
  layOutFields();
  placeNumbers();
  layOutList();
}

QFontMetricsF TernaryPlot::metricsOf(const QFont& font) const {
  return pageMetrics(font, *page_);
}

QPointF TernaryPlot::at(TernaryShares shares) const {
  return frame_.at(shares);
}

QRectF TernaryPlot::pointBox(std::size_t point) const {
  const QPointF& place = places_[point];
  return {place.x() - kPointRadius, place.y() - kPointRadius, 2 * kPointRadius, 2 * kPointRadius};
}

// A field's name goes where no point lies: the free place inside the field nearest
// its centre, or none (a field too thin for it, or full of points), the key or the
// list naming the field then.
void TernaryPlot::layOutFields() {
  const QFontMetricsF metrics = metricsOf(fieldFont_);
  TakenMarks points(area_, 8);
  for (std::size_t i = 0; i < places_.size(); ++i) {
    points.add(pointBox(i).adjusted(-0.5, -0.5, 0.5, 0.5), TakenMarks::Kind::Point);
  }
  for (const TernaryField& field : ternaryFields(triangle_->diagram)) {
    Field laid;
    laid.polygon = frame_.polygonOf(field);
    const auto id = static_cast<std::size_t>(field.id);
    laid.name =
        id < triangle_->fieldNames.size() ? fromProgramText(triangle_->fieldNames[id]) : QString();
    if (!laid.name.isEmpty()) {
      laid.label = fieldNamePlace(
          laid.polygon, QSizeF(metrics.horizontalAdvance(laid.name) + 2, metrics.height()), 1,
          [&points](const QRectF& box) { return points.overlaps(box); });
      if (!laid.label.isEmpty()) {
        taken_.push_back(laid.label);
      }
    }
    fields_.push_back(std::move(laid));
  }
}

void TernaryPlot::layOutCorners() {
  const QFontMetricsF metrics = metricsOf(cornerFont_);
  const double line = metrics.lineSpacing();
  const QPointF apex = at({100, 0, 0});
  const QPointF left = at({0, 100, 0});
  const QPointF right = at({0, 0, 100});
  corners_ = {
      {QRectF(apex.x() - 100, apex.y() - line - 3, 200, line), Qt::AlignHCenter | Qt::AlignBottom,
       fromProgramText(triangle_->corners[0])},
      {QRectF(left.x() - 20, left.y() + 3, frame_.side / 2, line), Qt::AlignLeft | Qt::AlignTop,
       fromProgramText(triangle_->corners[1])},
      {QRectF(right.x() + 20 - frame_.side / 2, right.y() + 3, frame_.side / 2, line),
       Qt::AlignRight | Qt::AlignTop, fromProgramText(triangle_->corners[2])},
  };
  // Numbers keep off the corner names.
  for (const Corner& corner : corners_) {
    const double width = metrics.horizontalAdvance(corner.name);
    const double x = (corner.align & Qt::AlignHCenter) ? corner.room.center().x() - width / 2
                     : (corner.align & Qt::AlignRight) ? corner.room.right() - width
                                                       : corner.room.left();
    taken_.emplace_back(x, corner.room.top(), width, corner.room.height());
  }
}

// Each number in the first free place around its point, nearer places first: a
// number covers no point, no name and no other number, and no line (a field's edge,
// a leader) crosses it; a number away from its point is joined to it by a leader
// that crosses no text.
void TernaryPlot::placeNumbers() {
  const QFontMetricsF metrics = metricsOf(numberFont_);
  TakenMarks taken(area_, 8);
  for (const QRectF& box : taken_) {
    taken.add(box, TakenMarks::Kind::Text);
  }
  for (std::size_t i = 0; i < places_.size(); ++i) {
    taken.add(pointBox(i), TakenMarks::Kind::Point);
  }
  for (const Field& field : fields_) {
    for (qsizetype i = 0; i < field.polygon.size(); ++i) {
      taken.addLine(QLineF(field.polygon[i], field.polygon[(i + 1) % field.polygon.size()]));
    }
  }
  constexpr std::array<std::array<double, 2>, 8> kDirections{
      {{1, -1}, {1, 1}, {-1, -1}, {-1, 1}, {1, 0}, {-1, 0}, {0, -1}, {0, 1}}};
  const QRectF inside(area_.left(), area_.top(), area_.width(), frame_.origin.y() - area_.top());
  // As tall as the text's whole line, as a PDF reader boxes it.
  const double height = metrics.height();
  for (std::size_t i = 0; i < places_.size(); ++i) {
    const ReportPoint& point = triangle_->points[i];
    const double width = metrics.horizontalAdvance(fromProgramText(point.label)) + 0.6;
    std::optional<Number> placed;
    for (int ring = 1; ring <= kRings && !placed; ++ring) {
      const double reach = kPointRadius + 0.8 + (ring - 1) * 4;
      for (const auto& direction : kDirections) {
        const double x = places_[i].x() + direction[0] * reach +
                         (direction[0] < 0   ? -width
                          : direction[0] > 0 ? 0
                                             : -width / 2);
        const double y = places_[i].y() + direction[1] * reach +
                         (direction[1] < 0   ? -height
                          : direction[1] > 0 ? 0
                                             : -height / 2);
        const QRectF box(x, y, width, height);
        if (!inside.contains(box) || taken.overlaps(box)) {
          continue;
        }
        const QLineF leader = ring > 1 ? leaderTo(places_[i], box) : QLineF();
        if (ring > 1 && taken.crossesText(leader)) {
          continue;
        }
        taken.add(box, TakenMarks::Kind::Text);
        if (ring > 1) {
          taken.addLine(leader);
        }
        placed = Number{i, box, leader};
        break;
      }
    }
    if (placed) {
      numbers_.push_back(*placed);
      continue;
    }
    // Listed with its sample and where it lies, so that the reader finds the point.
    const std::optional<int> field = ternaryFieldAt(triangle_->diagram, point.shares);
    const auto id = static_cast<std::size_t>(field.value_or(-1));
    unlabelled_.push_back(
        {{fromProgramText(point.label), fromProgramText(point.name),
          field && id < triangle_->fieldNames.size() ? fromProgramText(triangle_->fieldNames[id])
                                                     : QString(),
          fromProgramText(point.percent[0]), fromProgramText(point.percent[1]),
          fromProgramText(point.percent[2])},
         {},
         {}});
  }
}

void TernaryPlot::layOutList() {
  const QFontMetricsF metrics = metricsOf(keyFont_);
  const QFontMetricsF headerMetrics = metricsOf(headerFont_);
  const double line = metrics.lineSpacing();

  double y = frame_.origin.y() + metricsOf(cornerFont_).lineSpacing() + 8 +
             columnsOf(area_.width(), key_, metrics).rows * line;
  noteTop_ = y + 3;
  if (!note_.text.isEmpty()) {
    note_ = wrapped(metrics, note_.text, area_.width());
    y = noteTop_ + note_.height;
  }
  listTop_ = y + 3;
  if (unlabelled_.empty()) {
    return;
  }

  // Measured once, on the page, for the columns and the drawing.
  const QFontMetricsF headerOnPage = metricsOf(headerFont_);
  const QFontMetricsF onPage = metricsOf(keyFont_);
  for (std::size_t column = 0; column < widths_.size(); ++column) {
    widths_[column] =
        headerOnPage.horizontalAdvance(fromProgramText(triangle_->listColumns[column]));
  }
  for (Entry& entry : unlabelled_) {
    for (std::size_t column = 0; column < widths_.size(); ++column) {
      entry.width[column] = onPage.horizontalAdvance(entry.text[column]);
      widths_[column] = std::max(widths_[column], entry.width[column]);
    }
  }
  // Names whole: as wide as the widest, wrapped where the page is narrower than that.
  double others = (widths_.size() - 1) * kColumnGap;
  for (std::size_t column = 0; column < widths_.size(); ++column) {
    others += column == kNameColumn ? 0 : widths_[column];
  }
  widths_[kNameColumn] =
      std::min(widths_[kNameColumn], std::max(kNarrowestName, area_.width() - others));
  for (Entry& entry : unlabelled_) {
    entry.nameLines = entry.width[kNameColumn] > widths_[kNameColumn]
                          ? wrappedLines(onPage, entry.text[kNameColumn], widths_[kNameColumn])
                          : QStringList{entry.text[kNameColumn]};
  }
  entryWidth_ = others + widths_[kNameColumn];
  entryColumns_ =
      std::max(1, static_cast<int>((area_.width() + kEntryGap) / (entryWidth_ + kEntryGap)));

  // Under the triangle: its heading, the header and as many lines as there is room
  // for, no more than the entries fill in its columns.
  const double table = listTop_ + line + 1;
  const int room = std::max(0, static_cast<int>((area_.bottom() - table - line - 2) / line));
  rowsHere_ = linesFor(0, room);
  listedHere_ = entriesFitting(0, rowsHere_);
}

std::size_t TernaryPlot::entriesFitting(std::size_t first, int rows) const {
  std::size_t entry = first;
  for (int column = 0; column < entryColumns_ && rows > 0; ++column) {
    int used = 0;
    while (entry < unlabelled_.size()) {
      const auto lines = static_cast<int>(unlabelled_[entry].nameLines.size());
      // An entry taller than the column still takes one of its own.
      if (used > 0 && used + lines > rows) {
        break;
      }
      used += lines;
      ++entry;
    }
  }
  return entry;
}

int TernaryPlot::linesFor(std::size_t first, int most) const {
  if (most <= 0 || entriesFitting(first, most) < unlabelled_.size()) {
    return most;
  }
  int rows = 1;
  while (rows < most && entriesFitting(first, rows) < unlabelled_.size()) {
    ++rows;
  }
  return rows;
}

double TernaryPlot::pieceHeight(int rows) const {
  const double line = metricsOf(keyFont_).lineSpacing();
  return metricsOf(titleFont_).lineSpacing() + line + 3 + line + 2 + rows * line;
}

double TernaryPlot::drawKey(QPainter& painter, double top) const {
  if (key_.empty()) {
    return 0;
  }
  const QFontMetricsF metrics = metricsOf(keyFont_);
  const auto [columns, rows] = columnsOf(area_.width(), key_, metrics);
  const double columnWidth = area_.width() / columns;
  painter.setFont(keyFont_);
  painter.setPen(kInk);
  for (std::size_t i = 0; i < key_.size(); ++i) {
    const int column = static_cast<int>(i) / rows;
    const int row = static_cast<int>(i) % rows;
    painter.drawText(QRectF(area_.left() + column * columnWidth, top + row * metrics.lineSpacing(),
                            columnWidth, metrics.lineSpacing()),
                     Qt::AlignLeft | Qt::AlignTop,
                     metrics.elidedText(key_[i], Qt::ElideRight, columnWidth - 4));
  }
  return rows * metrics.lineSpacing();
}

void TernaryPlot::drawList(QPainter& painter, QPointF topLeft, std::size_t first, std::size_t end,
                           int rows) const {
  const double top = topLeft.y();
  const double line = metricsOf(keyFont_).lineSpacing();
  const QFontMetricsF headerOnPage = metricsOf(headerFont_);
  const QFontMetricsF onPage = metricsOf(keyFont_);
  const double headerBaseline = top + headerOnPage.ascent();
  const double firstBaseline = top + line + 2 + onPage.ascent();
  // Names and fields from the left, numbers from the right.
  const auto cell = [&](const QString& text, double width, double x, double baseline,
                        std::size_t column) {
    const bool fromLeft = column == kNameColumn || column == kFieldColumn;
    painter.drawText(QPointF(fromLeft ? x : x + widths_[column] - width, baseline), text);
  };
  const auto heading = [&](double left) {
    painter.setFont(headerFont_);
    painter.setPen(kInk);
    double x = left;
    for (std::size_t column = 0; column < widths_.size(); ++column) {
      const QString title = fromProgramText(triangle_->listColumns[column]);
      cell(title, headerOnPage.horizontalAdvance(title), x, headerBaseline, column);
      x += widths_[column] + kColumnGap;
    }
    painter.setPen(QPen(kRule, 0.5));
    painter.drawLine(QPointF(left, top + line + 0.5),
                     QPointF(left + entryWidth_, top + line + 0.5));
    painter.setFont(keyFont_);
    painter.setPen(kInk);
  };
  // Column after column, as entriesFitting fills them.
  int entryColumn = -1;
  int used = rows;
  for (std::size_t entry = first; entry < end; ++entry) {
    const Entry& listed = unlabelled_[entry];
    const auto lines = static_cast<int>(listed.nameLines.size());
    if (entryColumn < 0 || (used > 0 && used + lines > rows)) {
      ++entryColumn;
      used = 0;
      heading(topLeft.x() + entryColumn * (entryWidth_ + kEntryGap));
    }
    const double left = topLeft.x() + entryColumn * (entryWidth_ + kEntryGap);
    const double baseline = firstBaseline + used * line;
    double x = left;
    for (std::size_t column = 0; column < widths_.size(); ++column) {
      if (column == kNameColumn) {
        for (qsizetype k = 0; k < listed.nameLines.size(); ++k) {
          painter.drawText(QPointF(x, baseline + static_cast<double>(k) * line),
                           listed.nameLines[k]);
        }
      } else {
        cell(listed.text[column], listed.width[column], x, baseline, column);
      }
      x += widths_[column] + kColumnGap;
    }
    used += lines;
  }
}

void TernaryPlot::draw(QPainter& painter, int goesOnAt) const {
  const QFontMetricsF titleMetrics = metricsOf(titleFont_);
  const QFontMetricsF keyMetrics = metricsOf(keyFont_);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setFont(titleFont_);
  painter.setPen(kInk);
  painter.drawText(QRectF(area_.left(), area_.top(), area_.width(), titleMetrics.lineSpacing()),
                   Qt::AlignLeft | Qt::AlignTop, fromProgramText(triangle_->title));

  int fill = 0;
  for (const Field& field : fields_) {
    painter.setPen(QPen(kRule, 0.5));
    painter.setBrush(QColor(kFieldFills[static_cast<std::size_t>(fill++) % kFieldFills.size()]));
    painter.drawPolygon(field.polygon);
    if (!field.label.isEmpty()) {
      painter.setFont(fieldFont_);
      painter.setPen(kGreyInk);
      painter.drawText(field.label, Qt::AlignCenter, field.name);
    }
  }
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kInk, 0.8));
  painter.drawPolygon(frame_.outline());
  painter.setFont(cornerFont_);
  painter.setPen(kInk);
  for (const Corner& corner : corners_) {
    painter.drawText(corner.room, corner.align, corner.name);
  }

  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(20, 40, 120));
  for (const QPointF& place : places_) {
    painter.drawEllipse(place, kPointRadius, kPointRadius);
  }
  painter.setFont(numberFont_);
  for (const Number& number : numbers_) {
    if (!number.leader.isNull()) {
      painter.setPen(QPen(kRule, 0.3));
      painter.drawLine(number.leader);
    }
    painter.setPen(kInk);
    painter.drawText(number.box, Qt::AlignCenter,
                     fromProgramText(triangle_->points[number.point].label));
  }

  drawKey(painter, frame_.origin.y() + metricsOf(cornerFont_).lineSpacing() + 8);
  painter.setFont(keyFont_);
  painter.setPen(kGreyInk);
  if (!note_.text.isEmpty()) {
    painter.drawText(QRectF(area_.left(), noteTop_, area_.width(), area_.bottom() - noteTop_),
                     WrappedText::flags, note_.text);
  }
  if (!unlabelled_.empty()) {
    const QString heading = goesOnAt == 0 ? filled(words_.heading, unlabelled_.size())
                                          : filled(rowsHere_ > 0 ? words_.goesOn : words_.elsewhere,
                                                   unlabelled_.size(), goesOnAt);
    drawTextLine(painter, QRectF(area_.left(), listTop_, area_.width(), keyMetrics.lineSpacing()),
                 Qt::AlignLeft, keyMetrics.elidedText(heading, Qt::ElideRight, area_.width()));
    if (rowsHere_ > 0) {
      drawList(painter, QPointF(area_.left(), listTop_ + keyMetrics.lineSpacing() + 1), 0,
               listedHere(), rowsHere_);
    }
  }
  painter.restore();
}

void TernaryPlot::drawPiece(QPainter& painter, QPointF topLeft, std::size_t first, std::size_t end,
                            int rows) const {
  const QFontMetricsF titleMetrics = metricsOf(titleFont_);
  const QFontMetricsF keyMetrics = metricsOf(keyFont_);
  painter.save();
  painter.setFont(titleFont_);
  painter.setPen(kInk);
  double y = topLeft.y();
  drawTextLine(
      painter, QRectF(topLeft.x(), y, area_.width(), titleMetrics.lineSpacing()), Qt::AlignLeft,
      titleMetrics.elidedText(fromProgramText(triangle_->title), Qt::ElideRight, area_.width()));
  y += titleMetrics.lineSpacing();
  painter.setFont(keyFont_);
  painter.setPen(kGreyInk);
  drawTextLine(painter, QRectF(topLeft.x(), y, area_.width(), keyMetrics.lineSpacing()),
               Qt::AlignLeft, words_.continued);
  y += keyMetrics.lineSpacing() + 3;
  drawList(painter, QPointF(topLeft.x(), y), first, end, rows);
  painter.restore();
}

std::vector<ListPage> flowLists(const std::vector<const TernaryPlot*>& plots, const QRectF& body) {
  constexpr double kPieceGap = 12;
  std::vector<ListPage> pages;
  double y = body.bottom();
  for (const TernaryPlot* plot : plots) {
    std::size_t first = plot->listedHere();
    while (first < plot->unlabelled()) {
      if (plot->pieceHeight(1) > body.bottom() - y) {
        pages.emplace_back();
        y = body.top();
      }
      int rows = 1;
      while (plot->pieceHeight(rows + 1) <= body.bottom() - y) {
        ++rows;
      }
      rows = plot->linesFor(first, rows);
      const std::size_t end = plot->entriesFitting(first, rows);
      pages.back().push_back({plot, first, end, rows, y - body.top()});
      y += plot->pieceHeight(rows) + kPieceGap;
      first = end;
    }
  }
  return pages;
}

void drawListPage(QPainter& painter, const ListPage& page, const QRectF& body) {
  for (const ListPiece& piece : page) {
    piece.plot->drawPiece(painter, QPointF(body.left(), body.top() + piece.top), piece.first,
                          piece.end, piece.rows);
  }
}

}  // namespace granomet::report
