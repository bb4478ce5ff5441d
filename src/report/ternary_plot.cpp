#include "report/ternary_plot.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>

#include "report/report_style.h"

namespace granomet::report {
namespace {

const double kHeight = std::sqrt(3.0) / 2;
constexpr double kPointRadius = 1.5;
constexpr std::array<QRgb, 4> kFieldFills{0xf4f7fb, 0xfbf6ee, 0xf1f8f1, 0xf8f1f6};
// Lines under the key kept for the note and the start of the list.
constexpr int kNoteLines = 4;
// The list: space between its columns and between its columns of entries, and
// the widest a sample's name may be before it is cut short.
constexpr double kColumnGap = 8;
constexpr double kEntryGap = 14;
constexpr double kWidestName = 80;
constexpr std::size_t kNameColumn = 1;
constexpr std::size_t kFieldColumn = 2;

QPointF centroidOf(const QPolygonF& polygon, double& area) {
  double twiceArea = 0;
  double x = 0;
  double y = 0;
  for (qsizetype i = 0; i < polygon.size(); ++i) {
    const QPointF& a = polygon[i];
    const QPointF& b = polygon[(i + 1) % polygon.size()];
    const double cross = a.x() * b.y() - b.x() * a.y();
    twiceArea += cross;
    x += (a.x() + b.x()) * cross;
    y += (a.y() + b.y()) * cross;
  }
  area = std::fabs(twiceArea / 2);
  if (std::fabs(twiceArea) < 1e-9) {
    return polygon.boundingRect().center();
  }
  return {x / (3 * twiceArea), y / (3 * twiceArea)};
}

// Boxes already taken, filed under the cells of a grid they cover, so that a new
// box is checked against its neighbours only: against every box taken, ten
// thousand samples' numbers took minutes to place.
class TakenBoxes {
 public:
  TakenBoxes(const QRectF& bounds, double cell)
      : bounds_(bounds),
        cell_(cell),
        columns_(std::max(1, static_cast<int>(std::ceil(bounds.width() / cell)))),
        rows_(std::max(1, static_cast<int>(std::ceil(bounds.height() / cell)))),
        cells_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_)) {}

  void add(const QRectF& box) {
    const std::size_t index = boxes_.size();
    boxes_.push_back(box);
    forCells(box, [&](std::vector<std::size_t>& cell) {
      cell.push_back(index);
      return false;
    });
  }

  bool overlaps(const QRectF& box) {
    return forCells(box, [&](const std::vector<std::size_t>& cell) {
      return std::any_of(cell.begin(), cell.end(),
                         [&](std::size_t index) { return box.intersects(boxes_[index]); });
    });
  }

 private:
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
  std::vector<QRectF> boxes_;
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

// Rows that hold the entries in that many columns.
int rowsFor(std::size_t entries, int columns) {
  const auto across = static_cast<std::size_t>(columns);
  return static_cast<int>((entries + across - 1) / across);
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
      note_(fromProgramText(triangle.note)) {
  for (const std::string& entry : triangle.key) {
    key_.push_back(fromProgramText(entry));
  }
  const QFontMetricsF titleMetrics(titleFont_);
  const QFontMetricsF cornerMetrics(cornerFont_);
  const QFontMetricsF keyMetrics(keyFont_);
  const double below =
      (columnsOf(area.width(), key_, keyMetrics).rows + kNoteLines) * keyMetrics.lineSpacing() + 8;
  const double available =
      area.height() - titleMetrics.lineSpacing() - 2 * cornerMetrics.lineSpacing() - below - 8;
  side_ = std::min(area.width() - 40, available / kHeight);
  origin_ =
      QPointF(area.center().x() - side_ / 2, area.top() + titleMetrics.lineSpacing() +
                                                 cornerMetrics.lineSpacing() + 6 + side_ * kHeight);
  layOutFields();
  layOutCorners();
  placeNumbers();
  layOutList();
}

QPointF TernaryPlot::at(TernaryShares shares) const {
  const PlanePoint point = planePointOf(shares);
  return {origin_.x() + point.x * side_, origin_.y() - point.y * side_};
}

void TernaryPlot::layOutFields() {
  const QFontMetricsF metrics(fieldFont_);
  for (const TernaryField& field : ternaryFields(triangle_->diagram)) {
    Field laid;
    for (const TernaryShares& corner : field.corners) {
      laid.polygon << at(corner);
    }
    double area = 0;
    const QPointF centre = centroidOf(laid.polygon, area);
    const auto id = static_cast<std::size_t>(field.id);
    laid.name =
        id < triangle_->fieldNames.size() ? fromProgramText(triangle_->fieldNames[id]) : QString();
    const QRectF box = laid.polygon.boundingRect();
    const double width = metrics.horizontalAdvance(laid.name);
    // Fields too thin for their name (the trace of gravel) stay unnamed.
    if (!laid.name.isEmpty() && box.height() >= metrics.height() &&
        area >= metrics.height() * width) {
      laid.label = QRectF(centre.x() - width / 2 - 1, centre.y() - metrics.height() / 2, width + 2,
                          metrics.height());
      taken_.push_back(laid.label);
    }
    fields_.push_back(std::move(laid));
  }
}

void TernaryPlot::layOutCorners() {
  const QFontMetricsF metrics(cornerFont_);
  const double line = metrics.lineSpacing();
  const QPointF apex = at({100, 0, 0});
  const QPointF left = at({0, 100, 0});
  const QPointF right = at({0, 0, 100});
  corners_ = {
      {QRectF(apex.x() - 100, apex.y() - line - 3, 200, line), Qt::AlignHCenter | Qt::AlignBottom,
       fromProgramText(triangle_->corners[0])},
      {QRectF(left.x() - 20, left.y() + 3, side_ / 2, line), Qt::AlignLeft | Qt::AlignTop,
       fromProgramText(triangle_->corners[1])},
      {QRectF(right.x() + 20 - side_ / 2, right.y() + 3, side_ / 2, line),
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

void TernaryPlot::placeNumbers() {
  const QFontMetricsF metrics(numberFont_);
  TakenBoxes taken(area_, 8);
  for (const QRectF& box : taken_) {
    taken.add(box);
  }
  // Points first, so that no number hides one.
  for (const ReportPoint& point : triangle_->points) {
    places_.push_back(at(point.shares));
    taken.add(QRectF(places_.back().x() - kPointRadius, places_.back().y() - kPointRadius,
                     2 * kPointRadius, 2 * kPointRadius));
  }
  // Each number in the first free place around its point, nearer places first.
  constexpr std::array<std::array<double, 2>, 8> kDirections{
      {{1, -1}, {1, 1}, {-1, -1}, {-1, 1}, {1, 0}, {-1, 0}, {0, -1}, {0, 1}}};
  const QRectF inside(area_.left(), area_.top(), area_.width(), origin_.y() - area_.top());
  const double height = metrics.ascent() + 0.4;
  for (std::size_t i = 0; i < places_.size(); ++i) {
    const ReportPoint& point = triangle_->points[i];
    const double width = metrics.horizontalAdvance(QString::fromStdString(point.label)) + 0.6;
    std::optional<Number> placed;
    for (int ring = 1; ring <= 3 && !placed; ++ring) {
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
        if (inside.contains(box) && !taken.overlaps(box)) {
          taken.add(box);
          placed = Number{i, box, ring > 1};
          break;
        }
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
        {{QString::fromStdString(point.label), fromProgramText(point.name),
          field && id < triangle_->fieldNames.size() ? fromProgramText(triangle_->fieldNames[id])
                                                     : QString(),
          fromProgramText(point.percent[0]), fromProgramText(point.percent[1]),
          fromProgramText(point.percent[2])},
         {}});
  }
}

void TernaryPlot::layOutList() {
  const QFontMetricsF metrics(keyFont_);
  const QFontMetricsF headerMetrics(headerFont_);
  const double line = metrics.lineSpacing();

  double y = origin_.y() + QFontMetricsF(cornerFont_).lineSpacing() + 8 +
             columnsOf(area_.width(), key_, metrics).rows * line;
  noteTop_ = y + 3;
  if (!note_.isEmpty()) {
    y = noteTop_ + metrics
                       .boundingRect(QRectF(area_.left(), noteTop_, area_.width(), 1e6),
                                     Qt::AlignLeft | Qt::TextWordWrap, note_)
                       .height();
  }
  listTop_ = y + 3;
  if (unlabelled_.empty()) {
    return;
  }

  // Measured once, on the page, for the columns and the drawing.
  const QFontMetricsF headerOnPage(headerFont_, page_);
  const QFontMetricsF onPage(keyFont_, page_);
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
  widths_[kNameColumn] = std::min(widths_[kNameColumn], kWidestName);
  entryWidth_ = (widths_.size() - 1) * kColumnGap;
  for (const double width : widths_) {
    entryWidth_ += width;
  }
  entryColumns_ =
      std::max(1, static_cast<int>((area_.width() + kEntryGap) / (entryWidth_ + kEntryGap)));

  // Under the triangle: its heading, the header and as many rows as there is room
  // for, no more than the entries fill in its columns.
  const double table = listTop_ + line + 1;
  const int room = std::max(0, static_cast<int>((area_.bottom() - table - line - 2) / line));
  rowsHere_ = std::min(room, rowsFor(unlabelled_.size(), entryColumns_));
}

std::size_t TernaryPlot::listedHere() const {
  return std::min(unlabelled_.size(), static_cast<std::size_t>(rowsHere_) * entryColumns_);
}

double TernaryPlot::pieceHeight(int rows) const {
  const double line = QFontMetricsF(keyFont_).lineSpacing();
  return QFontMetricsF(titleFont_).lineSpacing() + line + 3 + line + 2 + rows * line;
}

double TernaryPlot::drawKey(QPainter& painter, double top) const {
  if (key_.empty()) {
    return 0;
  }
  const QFontMetricsF metrics(keyFont_);
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
  const double line = QFontMetricsF(keyFont_).lineSpacing();
  const QFontMetricsF headerOnPage(headerFont_, page_);
  const QFontMetricsF onPage(keyFont_, page_);
  const std::size_t perColumn = static_cast<std::size_t>(rows);
  const int used =
      std::min(entryColumns_, static_cast<int>((end - first + perColumn - 1) / perColumn));
  const double headerBaseline = top + headerOnPage.ascent();
  const double firstBaseline = top + line + 2 + onPage.ascent();
  // Names and fields from the left, numbers from the right.
  const auto cell = [&](const QFontMetricsF& metrics, const QString& text, double width, double x,
                        double baseline, std::size_t column) {
    QString shown = text;
    if (width > widths_[column]) {
      shown = metrics.elidedText(text, Qt::ElideRight, widths_[column]);
      width = metrics.horizontalAdvance(shown);
    }
    const bool fromLeft = column == kNameColumn || column == kFieldColumn;
    painter.drawText(QPointF(fromLeft ? x : x + widths_[column] - width, baseline), shown);
  };
  for (int entryColumn = 0; entryColumn < used; ++entryColumn) {
    const double left = topLeft.x() + entryColumn * (entryWidth_ + kEntryGap);
    double x = left;
    painter.setFont(headerFont_);
    painter.setPen(kInk);
    for (std::size_t column = 0; column < widths_.size(); ++column) {
      const QString title = fromProgramText(triangle_->listColumns[column]);
      cell(headerOnPage, title, headerOnPage.horizontalAdvance(title), x, headerBaseline, column);
      x += widths_[column] + kColumnGap;
    }
    painter.setPen(QPen(kRule, 0.5));
    painter.drawLine(QPointF(left, top + line + 0.5),
                     QPointF(left + entryWidth_, top + line + 0.5));
    painter.setFont(keyFont_);
    painter.setPen(kInk);
    const std::size_t from = first + static_cast<std::size_t>(entryColumn) * perColumn;
    for (std::size_t entry = from; entry < std::min(end, from + perColumn); ++entry) {
      const double baseline = firstBaseline + static_cast<double>(entry - from) * line;
      x = left;
      for (std::size_t column = 0; column < widths_.size(); ++column) {
        cell(onPage, unlabelled_[entry].text[column], unlabelled_[entry].width[column], x, baseline,
             column);
        x += widths_[column] + kColumnGap;
      }
    }
  }
}

void TernaryPlot::draw(QPainter& painter, int goesOnAt) const {
  const QFontMetricsF titleMetrics(titleFont_);
  const QFontMetricsF keyMetrics(keyFont_);
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
  painter.drawPolygon(QPolygonF{at({100, 0, 0}), at({0, 100, 0}), at({0, 0, 100})});
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
    if (number.leader) {
      painter.setPen(QPen(kRule, 0.3));
      painter.drawLine(places_[number.point], number.box.center());
    }
    painter.setPen(kInk);
    painter.drawText(number.box, Qt::AlignCenter,
                     QString::fromStdString(triangle_->points[number.point].label));
  }

  drawKey(painter, origin_.y() + QFontMetricsF(cornerFont_).lineSpacing() + 8);
  painter.setFont(keyFont_);
  painter.setPen(kGreyInk);
  if (!note_.isEmpty()) {
    painter.drawText(QRectF(area_.left(), noteTop_, area_.width(), area_.bottom() - noteTop_),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, note_);
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
  const QFontMetricsF titleMetrics(titleFont_);
  const QFontMetricsF keyMetrics(keyFont_);
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
      rows = std::min(rows, rowsFor(plot->unlabelled() - first, plot->entryColumns()));
      const std::size_t end = std::min(
          plot->unlabelled(), first + static_cast<std::size_t>(rows) * plot->entryColumns());
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
