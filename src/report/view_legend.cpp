#include "report/view_legend.h"

#include <QPainter>
#include <algorithm>
#include <set>

#include "report/lot_colours.h"
#include "report/report_style.h"

namespace granomet::report {
namespace {

// The mean's scale, phi, a tick every two.
constexpr int kMeanTickStep = 2;
constexpr double kBarLines = 7;  // the scale's height in lines of text

QString wordAt(const std::vector<std::string>& names, std::size_t index) {
  return index < names.size() ? fromProgramText(names[index]) : QString::number(index);
}

}  // namespace

ViewLegend::ViewLegend(const LotView& view, MapColouring colouring, const LotViewWords& words,
                       const ViewText& text)
    : text_(&text), titleFont_(text.font(1, true)), font_(text.font()) {
  const QFontMetricsF metrics = text.metrics(font_);
  double width = 0;
  double height = text.metrics(titleFont_).lineSpacing();
  bool unknown = false;
  switch (colouring) {
    case MapColouring::Shepard: {
      title_ = fromProgramText(words.shepardLegend);
      std::set<int> codes;
      for (const LotViewSample& sample : view.samples) {
        if (sample.shepardCode >= 1 && sample.shepardCode <= 10) {
          codes.insert(sample.shepardCode);
        } else {
          unknown = true;
        }
      }
      for (const int code : codes) {
        entries_.emplace_back(shepardColour(code),
                              wordAt(words.shepardNames, static_cast<std::size_t>(code)));
      }
      break;
    }
    case MapColouring::Folk: {
      title_ = fromProgramText(words.folkLegend);
      std::set<int> groups;
      for (const LotViewSample& sample : view.samples) {
        if (sample.folkGroup) {
          groups.insert(static_cast<int>(*sample.folkGroup));
        } else {
          unknown = true;
        }
      }
      for (const int group : groups) {
        entries_.emplace_back(folkColour(static_cast<FolkGroup>(group)),
                              wordAt(words.folkNames, static_cast<std::size_t>(group)));
      }
      break;
    }
    case MapColouring::Mean:
      title_ = fromProgramText(words.meanLegend);
      meanScale_ = true;
      width = swatch() * 1.5 + metrics.horizontalAdvance("-10");
      height += kBarLines * metrics.lineSpacing() + metrics.height() / 2;
      unknown = std::any_of(view.samples.begin(), view.samples.end(),
                            [](const LotViewSample& sample) { return !sample.meanPhi; });
      break;
  }
  if (unknown && !words.shepardNames.empty()) {
    entries_.emplace_back(kUnknownColour, fromProgramText(words.shepardNames.front()));
  }
  for (const auto& [colour, name] : entries_) {
    width = std::max(width, swatch() * 1.6 + metrics.horizontalAdvance(name));
    height += metrics.lineSpacing();
  }
  width = std::max(width, text.metrics(titleFont_).horizontalAdvance(title_));
  size_ = QSizeF(width, height);
}

double ViewLegend::swatch() const {
  return text_->units() * 0.9;
}

void ViewLegend::draw(QPainter& painter, QPointF topLeft) const {
  const QFontMetricsF titleMetrics = text_->metrics(titleFont_);
  const QFontMetricsF metrics = text_->metrics(font_);
  painter.setPen(kInk);
  ViewText::use(painter, titleFont_);
  drawTextLine(painter, QRectF(topLeft, QSizeF(size_.width(), titleMetrics.height())),
               Qt::AlignLeft, title_);
  double y = topLeft.y() + titleMetrics.lineSpacing();
  ViewText::use(painter, font_);
  const double line = metrics.lineSpacing();
  if (meanScale_) {
    const double barTop = y + metrics.height() / 2;
    const double barHeight = kBarLines * line;
    QLinearGradient gradient(0, barTop, 0, barTop + barHeight);
    for (int i = 0; i <= 10; ++i) {
      const double at = i / 10.0;
      gradient.setColorAt(
          at, meanColour(kMeanColourCoarse + at * (kMeanColourFine - kMeanColourCoarse)));
    }
    const QRectF bar(topLeft.x(), barTop, swatch(), barHeight);
    painter.fillRect(bar, gradient);
    painter.setPen(QPen(kGreyInk, 0));
    painter.drawRect(bar);
    painter.setPen(kInk);
    for (int phi = static_cast<int>(kMeanColourCoarse); phi <= kMeanColourFine;
         phi += kMeanTickStep) {
      const double at =
          barTop + (phi - kMeanColourCoarse) / (kMeanColourFine - kMeanColourCoarse) * barHeight;
      painter.drawLine(QPointF(bar.right(), at), QPointF(bar.right() + swatch() * 0.3, at));
      drawTextLine(painter,
                   QRectF(bar.right() + swatch() * 0.5, at - metrics.height() / 2, size_.width(),
                          metrics.height()),
                   Qt::AlignLeft, QString::number(phi));
    }
    y = barTop + barHeight + metrics.height() / 2;
  }
  for (const auto& [colour, name] : entries_) {
    const double s = swatch();
    painter.setPen(QPen(kGreyInk, 0));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(topLeft.x(), y + (metrics.height() - s) / 2, s, s));
    painter.setPen(kInk);
    drawTextLine(painter, QRectF(topLeft.x() + s * 1.6, y, size_.width(), metrics.height()),
                 Qt::AlignLeft, name);
    y += line;
  }
  painter.setBrush(Qt::NoBrush);
}

}  // namespace granomet::report
