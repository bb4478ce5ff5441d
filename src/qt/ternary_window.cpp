#include "qt/ternary_window.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QToolTip>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>

#include "qt/lasting_tool_tip.h"
#include "qt/qt_text.h"
#include "qt/window_geometry.h"
#include "workflow/messages.h"

namespace granomet {
namespace {

constexpr double kPointRadius = 4;
constexpr double kHighlightedRadius = 7;
// A point is under the pointer a little beyond its drawn edge.
constexpr double kHitRadius = 7;

// Pale enough for the samples' colours to stand out on them; by class code.
constexpr std::array<QRgb, 11> kFieldColours{
    0xffffff, 0xf3e6d8, 0xfdf3c4, 0xdcebf5, 0xf6efd5, 0xe2f0e0,
    0xe4e4f2, 0xefdfec, 0xf7e4d4, 0xf5ead0, 0xececec,
};

}  // namespace

TernaryWindow::TernaryWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), fields_(ternaryFields(TernaryDiagram::Shepard)) {
  setObjectName("TernaryWindow");
  setWindowTitle(toQString(messages::ternaryTitle()));
  setAttribute(Qt::WA_DeleteOnClose, false);
  setMouseTracking(true);
  setAutoFillBackground(true);
  QPalette colors = palette();
  colors.setColor(QPalette::Window, Qt::white);
  setPalette(colors);
  setFont(windowFont(FontFace::Arial, 12, false));
  setMinimumSize(280, 260);
  resize(560, 520);
}

void TernaryWindow::setSamples(const std::vector<PlottedSample>& samples) {
  points_.clear();
  points_.reserve(samples.size());
  for (const PlottedSample& sample : samples) {
    const SampleComposition& made = sample.composition;
    points_.push_back({toQString(messages::ternaryPointTip(sample.name, made.shepardCode)),
                       ternarySharesOf(TernaryDiagram::Shepard, made.gravelPercent,
                                       made.sandPercent, made.siltPercent, made.clayPercent),
                       sample.color});
  }
  if (highlighted_ >= sampleCount()) {
    highlighted_ = -1;
  }
  hovered_ = -1;
  namePlaces_.clear();
  update();
}

void TernaryWindow::highlightSample(int index) {
  if (index < 0 || index >= sampleCount()) {
    index = -1;
  }
  if (index != highlighted_) {
    highlighted_ = index;
    update();
  }
}

// The largest triangle that fits between the corner names, centred.
report::TernaryFrame TernaryWindow::frame() const {
  const QFontMetricsF metrics(font());
  const double sideMargin =
      metrics.horizontalAdvance(toQString(messages::shepardCornerName(1))) / 2 + 12;
  const double topMargin = metrics.height() * 1.8;
  const double bottomMargin = metrics.height() * 1.8;
  const double available = height() - topMargin - bottomMargin;
  const double side = std::max(
      0.0, std::min(width() - 2 * sideMargin, available / report::TernaryFrame::heightOfUnit()));
  return {QPointF((width() - side) / 2,
                  topMargin + (available + side * report::TernaryFrame::heightOfUnit()) / 2),
          side};
}

QPointF TernaryWindow::toWidget(const TernaryShares& shares) const {
  return frame().at(shares);
}

TernaryShares TernaryWindow::toShares(QPointF position) const {
  return frame().sharesAt(position);
}

QFont TernaryWindow::fieldNameFont() const {
  QFont names = font();
  names.setPixelSize(std::max(9, font().pixelSize() - 2));
  return names;
}

// The report's rule: a field's name where no point lies, nearest the field's centre.
const std::vector<QRectF>& TernaryWindow::fieldNamePlaces() const {
  if (namePlacesSize_ == size() && namePlaces_.size() == fields_.size()) {
    return namePlaces_;
  }
  const report::TernaryFrame place = frame();
  const QFontMetricsF metrics(fieldNameFont());
  std::vector<QRectF> points;
  for (const Point& point : points_) {
    if (point.shares) {
      const QPointF at = place.at(*point.shares);
      points.emplace_back(at.x() - kHighlightedRadius, at.y() - kHighlightedRadius,
                          2 * kHighlightedRadius, 2 * kHighlightedRadius);
    }
  }
  const auto taken = [&points](const QRectF& box) {
    return std::any_of(points.begin(), points.end(),
                       [&box](const QRectF& point) { return point.intersects(box); });
  };
  namePlaces_.clear();
  for (const TernaryField& field : fields_) {
    const QString name = toQString(messages::shepardClassName(field.id));
    namePlaces_.push_back(report::fieldNamePlace(place.polygonOf(field),
                                                 metrics.boundingRect(name).size(), 2, taken));
  }
  namePlacesSize_ = size();
  return namePlaces_;
}

std::optional<QPointF> TernaryWindow::pointOf(int index) const {
  if (index < 0 || index >= sampleCount()) {
    return std::nullopt;
  }
  const Point& point = points_[static_cast<std::size_t>(index)];
  if (!point.shares) {
    return std::nullopt;
  }
  return toWidget(*point.shares);
}

int TernaryWindow::sampleAt(QPointF position) const {
  // The highlighted point is drawn over the others, so it is found first.
  if (const auto highlighted = pointOf(highlighted_)) {
    if (QLineF(*highlighted, position).length() <= kHitRadius) {
      return highlighted_;
    }
  }
  int nearest = -1;
  double nearestDistance = std::numeric_limits<double>::infinity();
  for (int i = 0; i < sampleCount(); ++i) {
    if (const auto point = pointOf(i)) {
      const double distance = QLineF(*point, position).length();
      if (distance <= kHitRadius && distance < nearestDistance) {
        nearest = i;
        nearestDistance = distance;
      }
    }
  }
  return nearest;
}

std::optional<int> TernaryWindow::fieldAt(QPointF position) const {
  if (frame().side <= 0) {
    return std::nullopt;
  }
  return ternaryFieldAt(TernaryDiagram::Shepard, toShares(position));
}

QString TernaryWindow::tipAt(QPointF position) const {
  if (const int sample = sampleAt(position); sample >= 0) {
    return points_[static_cast<std::size_t>(sample)].tip;
  }
  if (const auto field = fieldAt(position)) {
    return toQString(messages::shepardClassName(*field));
  }
  return {};
}

bool TernaryWindow::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    showLastingTip(help->globalPos(), tipAt(help->pos()), this);
    return true;
  }
  return QWidget::event(event);
}

void TernaryWindow::mouseMoveEvent(QMouseEvent* event) {
  const int sample = sampleAt(event->position());
  if (sample != hovered_) {
    hovered_ = sample;
    if (sample >= 0) {
      emit sampleHovered(sample);
    }
  }
  // A shown tip follows the pointer from point to field.
  if (sample >= 0 || QToolTip::isVisible()) {
    showLastingTip(event->globalPosition().toPoint(), tipAt(event->position()), this);
  }
  QWidget::mouseMoveEvent(event);
}

void TernaryWindow::leaveEvent(QEvent* event) {
  hovered_ = -1;
  QWidget::leaveEvent(event);
}

void TernaryWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  if (frame().side <= 0) {
    return;
  }
  drawFields(painter);
  drawCorners(painter);
  for (int i = 0; i < sampleCount(); ++i) {
    if (i != highlighted_) {
      drawPoint(painter, points_[static_cast<std::size_t>(i)], false);
    }
  }
  if (highlighted_ >= 0) {
    drawPoint(painter, points_[static_cast<std::size_t>(highlighted_)], true);
  }
}

void TernaryWindow::drawFields(QPainter& painter) const {
  const report::TernaryFrame place = frame();
  painter.setFont(fieldNameFont());
  const std::vector<QRectF>& names = fieldNamePlaces();
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const TernaryField& field = fields_[i];
    const auto colour = static_cast<std::size_t>(field.id) < kFieldColours.size()
                            ? kFieldColours[static_cast<std::size_t>(field.id)]
                            : kFieldColours.front();
    painter.setPen(QPen(QColor(160, 160, 160), 1));
    painter.setBrush(QColor(colour));
    painter.drawPolygon(place.polygonOf(field));
    if (!names[i].isEmpty()) {
      painter.setPen(QColor(110, 110, 110));
      painter.drawText(names[i], Qt::AlignCenter, toQString(messages::shepardClassName(field.id)));
    }
  }
  painter.setPen(QPen(Qt::black, 1.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawPolygon(place.outline());
}

void TernaryWindow::drawCorners(QPainter& painter) const {
  painter.setFont(font());
  painter.setPen(Qt::black);
  const QFontMetricsF metrics(font());
  const std::array<TernaryShares, 3> corners{{{100, 0, 0}, {0, 100, 0}, {0, 0, 100}}};
  for (int corner = 0; corner < 3; ++corner) {
    const QString name = toQString(messages::shepardCornerName(corner));
    const QPointF at = toWidget(corners[static_cast<std::size_t>(corner)]);
    QRectF text = metrics.boundingRect(name);
    // Above the top corner, below the bottom ones.
    const double gap = metrics.height() * 0.4;
    text.moveCenter(corner == 0 ? QPointF(at.x(), at.y() - gap - text.height() / 2)
                                : QPointF(at.x(), at.y() + gap + text.height() / 2));
    painter.drawText(text, Qt::AlignCenter, name);
  }
}

void TernaryWindow::drawPoint(QPainter& painter, const Point& point, bool highlighted) const {
  if (!point.shares) {
    return;
  }
  const double radius = highlighted ? kHighlightedRadius : kPointRadius;
  painter.setPen(QPen(highlighted ? Qt::black : point.color.darker(150), highlighted ? 2 : 1));
  painter.setBrush(point.color);
  painter.drawEllipse(toWidget(*point.shares), radius, radius);
}

}  // namespace granomet
