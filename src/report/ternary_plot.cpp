#include "report/ternary_plot.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "report/report_style.h"

namespace granomet::report {
namespace {

const double kHeight = std::sqrt(3.0) / 2;
constexpr double kPointRadius = 1.5;
constexpr std::array<QRgb, 4> kFieldFills{0xf4f7fb, 0xfbf6ee, 0xf1f8f1, 0xf8f1f6};

// The triangle's corners in the page: side `side`, bottom left at `origin`.
struct Frame {
  QPointF origin;
  double side;
  QPointF at(TernaryShares shares) const {
    const PlanePoint point = planePointOf(shares);
    return {origin.x() + point.x * side, origin.y() - point.y * side};
  }
};

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

bool overlapsAny(const QRectF& box, const std::vector<QRectF>& taken) {
  return std::any_of(taken.begin(), taken.end(),
                     [&box](const QRectF& other) { return box.intersects(other); });
}

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

// Lays out text lines in columns under the triangle; returns the height used.
double drawColumns(QPainter& painter, const QRectF& area, const std::vector<QString>& entries,
                   const QFont& font) {
  if (entries.empty()) {
    return 0;
  }
  const QFontMetricsF metrics(font);
  const auto [columns, rows] = columnsOf(area.width(), entries, metrics);
  const double columnWidth = area.width() / columns;
  painter.setFont(font);
  painter.setPen(kInk);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const int column = static_cast<int>(i) / rows;
    const int row = static_cast<int>(i) % rows;
    painter.drawText(
        QRectF(area.left() + column * columnWidth, area.top() + row * metrics.lineSpacing(),
               columnWidth, metrics.lineSpacing()),
        Qt::AlignLeft | Qt::AlignTop,
        metrics.elidedText(entries[i], Qt::ElideRight, columnWidth - 4));
  }
  return rows * metrics.lineSpacing();
}

}  // namespace

void drawTernaryPlot(QPainter& painter, const QRectF& area, const ReportTriangle& triangle,
                     const QString& unlabelledWord) {
  const QFont titleFont = reportFont(10, true);
  const QFont cornerFont = reportFont(8, true);
  const QFont fieldFont = reportFont(triangle.diagram == TernaryDiagram::Shepard ? 7.5 : 6.5);
  const QFont numberFont = reportFont(5);
  const QFont keyFont = reportFont(6.5);
  const QFontMetricsF titleMetrics(titleFont);
  const QFontMetricsF cornerMetrics(cornerFont);
  const QFontMetricsF fieldMetrics(fieldFont);
  const QFontMetricsF numberMetrics(numberFont);
  const QFontMetricsF keyMetrics(keyFont);

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setFont(titleFont);
  painter.setPen(kInk);
  painter.drawText(QRectF(area.left(), area.top(), area.width(), titleMetrics.lineSpacing()),
                   Qt::AlignLeft | Qt::AlignTop, fromProgramText(triangle.title));

  // Under the triangle: the key in columns, the note, the unlabelled points.
  std::vector<QString> key;
  for (const std::string& entry : triangle.key) {
    key.push_back(fromProgramText(entry));
  }
  // Room for the key and four lines of notes.
  constexpr int kNoteLines = 4;
  const double below =
      (columnsOf(area.width(), key, keyMetrics).rows + kNoteLines) * keyMetrics.lineSpacing() + 8;
  const double available =
      area.height() - titleMetrics.lineSpacing() - 2 * cornerMetrics.lineSpacing() - below - 8;
  const double side = std::min(area.width() - 40, available / kHeight);
  const Frame frame{
      QPointF(area.center().x() - side / 2, area.top() + titleMetrics.lineSpacing() +
                                                cornerMetrics.lineSpacing() + 6 + side * kHeight),
      side};

  std::vector<QRectF> taken;
  int fill = 0;
  for (const TernaryField& field : ternaryFields(triangle.diagram)) {
    QPolygonF polygon;
    for (const TernaryShares& corner : field.corners) {
      polygon << frame.at(corner);
    }
    painter.setPen(QPen(kRule, 0.5));
    painter.setBrush(QColor(kFieldFills[static_cast<std::size_t>(fill++) % kFieldFills.size()]));
    painter.drawPolygon(polygon);
    double area = 0;
    const QPointF centre = centroidOf(polygon, area);
    const auto id = static_cast<std::size_t>(field.id);
    const QString name =
        id < triangle.fieldNames.size() ? fromProgramText(triangle.fieldNames[id]) : QString();
    const QRectF box = polygon.boundingRect();
    // Fields too thin for their name (the trace of gravel) stay unnamed.
    if (name.isEmpty() || box.height() < fieldMetrics.height() ||
        area < fieldMetrics.height() * fieldMetrics.horizontalAdvance(name)) {
      continue;
    }
    const QRectF label(centre.x() - fieldMetrics.horizontalAdvance(name) / 2 - 1,
                       centre.y() - fieldMetrics.height() / 2,
                       fieldMetrics.horizontalAdvance(name) + 2, fieldMetrics.height());
    painter.setFont(fieldFont);
    painter.setPen(kGreyInk);
    painter.drawText(label, Qt::AlignCenter, name);
    taken.push_back(label);
  }
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kInk, 0.8));
  painter.drawPolygon(
      QPolygonF{frame.at({100, 0, 0}), frame.at({0, 100, 0}), frame.at({0, 0, 100})});

  painter.setFont(cornerFont);
  painter.setPen(kInk);
  // Numbers keep off the corner names.
  const auto corner = [&](const QRectF& room, Qt::Alignment align, const std::string& name) {
    const QString text = fromProgramText(name);
    painter.drawText(room, align, text);
    const double width = cornerMetrics.horizontalAdvance(text);
    const double left = (align & Qt::AlignHCenter) ? room.center().x() - width / 2
                        : (align & Qt::AlignRight) ? room.right() - width
                                                   : room.left();
    taken.emplace_back(left, room.top(), width, room.height());
  };
  const QPointF apex = frame.at({100, 0, 0});
  corner(QRectF(apex.x() - 100, apex.y() - cornerMetrics.lineSpacing() - 3, 200,
                cornerMetrics.lineSpacing()),
         Qt::AlignHCenter | Qt::AlignBottom, triangle.corners[0]);
  const QPointF leftCorner = frame.at({0, 100, 0});
  corner(QRectF(leftCorner.x() - 20, leftCorner.y() + 3, side / 2, cornerMetrics.lineSpacing()),
         Qt::AlignLeft | Qt::AlignTop, triangle.corners[1]);
  const QPointF rightCorner = frame.at({0, 0, 100});
  corner(QRectF(rightCorner.x() + 20 - side / 2, rightCorner.y() + 3, side / 2,
                cornerMetrics.lineSpacing()),
         Qt::AlignRight | Qt::AlignTop, triangle.corners[2]);

  // Points first, so that no number hides one.
  std::vector<QPointF> places;
  for (const ReportPoint& point : triangle.points) {
    places.push_back(frame.at(point.shares));
    taken.emplace_back(places.back().x() - kPointRadius, places.back().y() - kPointRadius,
                       2 * kPointRadius, 2 * kPointRadius);
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(20, 40, 120));
  for (const QPointF& place : places) {
    painter.drawEllipse(place, kPointRadius, kPointRadius);
  }

  // Each number in the first free place around its point, nearer places first.
  constexpr std::array<std::array<double, 2>, 8> kDirections{
      {{1, -1}, {1, 1}, {-1, -1}, {-1, 1}, {1, 0}, {-1, 0}, {0, -1}, {0, 1}}};
  QStringList unlabelled;
  painter.setFont(numberFont);
  for (std::size_t i = 0; i < places.size(); ++i) {
    const QString number = QString::fromStdString(triangle.points[i].label);
    const double width = numberMetrics.horizontalAdvance(number) + 0.6;
    const double height = numberMetrics.ascent() + 0.4;
    bool placed = false;
    for (int ring = 1; ring <= 3 && !placed; ++ring) {
      const double reach = kPointRadius + 0.8 + (ring - 1) * 4;
      for (const auto& direction : kDirections) {
        const double x = places[i].x() + direction[0] * reach +
                         (direction[0] < 0   ? -width
                          : direction[0] > 0 ? 0
                                             : -width / 2);
        const double y = places[i].y() + direction[1] * reach +
                         (direction[1] < 0   ? -height
                          : direction[1] > 0 ? 0
                                             : -height / 2);
        const QRectF box(x, y, width, height);
        const QRectF inside(area.left(), area.top(), area.width(), frame.origin.y() - area.top());
        if (!inside.contains(box) || overlapsAny(box, taken)) {
          continue;
        }
        taken.push_back(box);
        if (ring > 1) {
          painter.setPen(QPen(kRule, 0.3));
          painter.drawLine(places[i], box.center());
        }
        painter.setPen(kInk);
        painter.drawText(box, Qt::AlignCenter, number);
        placed = true;
        break;
      }
    }
    if (!placed) {
      unlabelled.push_back(number);
    }
  }

  double y = frame.origin.y() + cornerMetrics.lineSpacing() + 8;
  y += drawColumns(painter, QRectF(area.left(), y, area.width(), area.bottom() - y), key, keyFont);
  painter.setFont(keyFont);
  painter.setPen(kGreyInk);
  const QRectF noteArea(area.left(), y + 3, area.width(), area.bottom() - y - 3);
  const QString note = fromProgramText(triangle.note);
  // As many of the unlabelled numbers as the room under the triangle holds; the
  // summary table and each sample's page still tell where every sample falls.
  QString notes = note;
  for (qsizetype shown = unlabelled.size(); shown > 0; --shown) {
    QString list = unlabelled.mid(0, shown).join(", ");
    list += shown < unlabelled.size() ? QString::fromUtf8(" … (+%1)").arg(unlabelled.size() - shown)
                                      : QString(".");
    notes = (note.isEmpty() ? QString() : note + " ") + unlabelledWord + " " + list;
    const QRectF needed =
        keyMetrics.boundingRect(QRectF(noteArea.left(), noteArea.top(), noteArea.width(), 1e6),
                                Qt::AlignLeft | Qt::TextWordWrap, notes);
    if (needed.height() <= noteArea.height()) {
      break;
    }
  }
  if (!notes.isEmpty()) {
    painter.drawText(noteArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, notes);
  }
  painter.restore();
}

}  // namespace granomet::report
