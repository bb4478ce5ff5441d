#include "qt/lot_canvas.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <utility>

#include "qt/lasting_tool_tip.h"

namespace granomet {
namespace {

// Between the views and the canvas's edge, where a page would have its margin.
constexpr double kMargin = 8;

QRectF inside(const QRectF& area) {
  return area.adjusted(kMargin, kMargin, -kMargin, -kMargin);
}

}  // namespace

LotCanvas::LotCanvas(QWidget* parent, LotLayout layout, std::function<QString(int)> tipOf)
    : QWidget(parent), layout_(std::move(layout)), tipOf_(std::move(tipOf)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(240, 200);
}

void LotCanvas::relayout() {
  panels_.clear();
  laidOutSize_ = {};
  update();
}

void LotCanvas::setHighlighted(int sample) {
  if (sample != highlighted_) {
    highlighted_ = sample;
    update();
  }
}

void LotCanvas::setTextSize(double pixels) {
  textSize_ = pixels;
  relayout();
}

const std::vector<LotPanel>& LotCanvas::panels() const {
  if (laidOutSize_ != size()) {
    panels_ = layout_(inside(QRectF(rect())), textSize_);
    laidOutSize_ = size();
  }
  return panels_;
}

std::optional<QPointF> LotCanvas::placeOf(int sample) const {
  for (const LotPanel& panel : panels()) {
    if (const auto place = panel.placeOf(sample)) {
      return place;
    }
  }
  return std::nullopt;
}

int LotCanvas::sampleAt(QPointF position) const {
  for (const LotPanel& panel : panels()) {
    if (const int sample = panel.sampleAt(position); sample >= 0) {
      return sample;
    }
  }
  return -1;
}

void LotCanvas::paintPicture(QPainter& painter, QSize size) const {
  // As the graph's picture: larger than the window, the view is magnified whole, so that
  // its texts keep their size against what they name.
  const double scale = std::max(1.0, std::min(size.width() / std::max(1.0, width() * 1.0),
                                              size.height() / std::max(1.0, height() * 1.0)));
  const QRectF area(0, 0, size.width() / scale, size.height() / scale);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.fillRect(QRectF(QPointF(0, 0), QSizeF(size)), Qt::white);
  painter.scale(scale, scale);
  for (const LotPanel& panel : layout_(inside(area), textSize_)) {
    panel.draw(painter, highlighted_);
  }
  painter.restore();
}

bool LotCanvas::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const int sample = sampleAt(help->pos());
    showLastingTip(help->globalPos(), sample >= 0 ? tipOf_(sample) : QString(), this);
    return true;
  }
  return QWidget::event(event);
}

void LotCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.fillRect(rect(), Qt::white);
  for (const LotPanel& panel : panels()) {
    panel.draw(painter, highlighted_);
  }
}

void LotCanvas::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    if (const int sample = sampleAt(event->position()); sample >= 0) {
      emit sampleClicked(sample);
    }
  }
  QWidget::mousePressEvent(event);
}

}  // namespace granomet
