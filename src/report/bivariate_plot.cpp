#include <QPainter>
#include <algorithm>
#include <cmath>
#include <span>

#include "report/chart_axes.h"
#include "report/lot_charts.h"
#include "report/report_style.h"
#include "report/view_legend.h"
#include "report/view_text.h"
#include "statistics/descriptive_terms.h"

namespace granomet::report {
namespace {

const QColor kBandShade(0, 0, 0, 16);

// A measure on an axis: its values, the limits of its terms' bands and their names, and the
// values it can take at all (Folk & Ward's sorting is never negative, their skewness lies
// between -1 and 1).
struct Measure {
  std::span<const double> limits;
  std::vector<QString> names;
  QString title;
  double least;
  double most;
};

std::optional<double> valueOf(const LotViewSample& sample, int measure) {
  return measure == 0 ? sample.meanPhi : measure == 1 ? sample.sortingPhi : sample.skewnessPhi;
}

// The band limits around the values: from the limit at or below the least to the one
// above the most; a whole phi further where no limit lies beyond them, within the
// values the measure can take.
std::pair<double, double> spanOf(const Measure& measure, double low, double high) {
  double from = std::floor(low) - 1;
  double to = std::ceil(high) + 1;
  for (const double limit : measure.limits) {
    if (std::isfinite(limit) && limit <= low) {
      from = limit;
    }
  }
  for (auto it = measure.limits.rbegin(); it != measure.limits.rend(); ++it) {
    if (std::isfinite(*it) && *it > high) {
      to = *it;
    }
  }
  return {std::max(from, measure.least), std::min(to, measure.most)};
}

}  // namespace

struct BivariatePlot::Layout {
  struct Axis {
    Measure measure;
    double from = 0;
    double to = 1;
    double step = 1;
  };

  Layout(const LotView& view, BivariateKind kind, MapColouring colouring, const LotViewWords& words,
         const QRectF& area, double textPoints, char decimalMark);

  QPointF at(double x, double y) const {
    return {plot.left() + (x - xAxis.from) / (xAxis.to - xAxis.from) * plot.width(),
            plot.bottom() - (y - yAxis.from) / (yAxis.to - yAxis.from) * plot.height()};
  }
  double radius() const { return text.units() * 0.4 * 1.3; }
  double line() const { return metrics.lineSpacing(); }
  void drawBands(QPainter& painter) const;
  void drawAxes(QPainter& painter) const;

  ViewText text;
  QFont font;
  QFontMetricsF metrics;
  char decimalMark;
  QRectF area;
  QRectF plot;
  Axis xAxis;
  Axis yAxis;
  std::vector<std::optional<QPointF>> places;  // by sample
  std::vector<QColor> colours;
  ViewLegend legend;
  QPointF legendAt;
};

BivariatePlot::Layout::Layout(const LotView& view, BivariateKind kind, MapColouring colouring,
                              const LotViewWords& words, const QRectF& area_, double textPoints,
                              char decimalMark_)
    : text(textPoints),
      font(text.font()),
      metrics(text.metrics(font)),
      decimalMark(decimalMark_),
      area(area_),
      legend(view, colouring, words, text) {
  const auto names = [](const std::vector<std::string>& terms) {
    std::vector<QString> texts;
    for (const std::string& term : terms) {
      texts.push_back(fromProgramText(term));
    }
    return texts;
  };
  const Measure mean{kMeanSizeLimits, names(words.meanTerms), fromProgramText(words.meanAxis),
                     -HUGE_VAL, HUGE_VAL};
  const Measure sorting{kSortingLimits, names(words.sortingTerms),
                        fromProgramText(words.sortingAxis), 0, HUGE_VAL};
  const Measure skewness{kSkewnessLimits, names(words.skewnessTerms),
                         fromProgramText(words.skewnessAxis), -1, 1};
  const int xMeasure = kind == BivariateKind::MeanSorting ? 0 : 1;
  const int yMeasure = kind == BivariateKind::MeanSorting ? 1 : 2;
  xAxis.measure = kind == BivariateKind::MeanSorting ? mean : sorting;
  yAxis.measure = kind == BivariateKind::MeanSorting ? sorting : skewness;

  // The axes fitted to the samples that have both values, and the bands around them.
  const auto fit = [&view](Axis& axis, int measure, int other, double lowDefault,
                           double highDefault) {
    double low = HUGE_VAL, high = -HUGE_VAL;
    for (const LotViewSample& sample : view.samples) {
      const auto value = valueOf(sample, measure);
      if (value && valueOf(sample, other) && std::isfinite(*value)) {
        low = std::min(low, *value);
        high = std::max(high, *value);
      }
    }
    if (low > high) {
      low = lowDefault;
      high = highDefault;
    }
    std::tie(axis.from, axis.to) = spanOf(axis.measure, low, high);
    if (!(axis.to > axis.from)) {
      // A figure so large that a whole phi is lost in its rounding.
      axis.to = axis.from + std::max(1.0, std::abs(axis.from) * 1e-6);
    }
  };
  fit(xAxis, xMeasure, yMeasure, xMeasure == 0 ? 1.0 : 0.5, xMeasure == 0 ? 4.0 : 1.5);
  fit(yAxis, yMeasure, xMeasure, yMeasure == 1 ? 0.5 : -0.1, yMeasure == 1 ? 1.5 : 0.1);

  const double gap = line() * 0.6;
  const double tickWidth =
      std::max(metrics.horizontalAdvance("-0,00"), metrics.horizontalAdvance("00,0"));
  const double left = area.left() + line() * 1.2 + tickWidth + gap;
  const double right = area.right() - legend.size().width() - gap * 2;
  plot = QRectF(left, area.top() + line() * 0.5, std::max(right - left, 1.0),
                std::max(area.height() - line() * 3.2, 1.0));
  legendAt = QPointF(plot.right() + gap * 2, plot.top());
  xAxis.step = niceStep(xAxis.to - xAxis.from,
                        std::max(2, static_cast<int>(plot.width() / (tickWidth * 2))), 0.01);
  yAxis.step = niceStep(yAxis.to - yAxis.from,
                        std::max(2, static_cast<int>(plot.height() / (line() * 2.5))), 0.01);

  for (const LotViewSample& sample : view.samples) {
    const auto x = valueOf(sample, xMeasure);
    const auto y = valueOf(sample, yMeasure);
    places.push_back(x && y && std::isfinite(*x) && std::isfinite(*y)
                         ? std::optional<QPointF>(at(*x, *y))
                         : std::nullopt);
    colours.push_back(colourOf(sample, colouring));
  }
}

// Every other band shaded, both ways, its name in it where the name fits: the x axis's
// names upright along the top, the y axis's at the right or the left, whichever covers
// fewer points, clear of the upright names, left out where there is no room.
void BivariatePlot::Layout::drawBands(QPainter& painter) const {
  painter.save();
  painter.setClipRect(plot);
  ViewText::use(painter, font);
  const auto bandsOf = [](const Axis& axis) {
    std::vector<std::pair<double, double>> bands;
    const auto& limits = axis.measure.limits;
    for (std::size_t i = 0; i < limits.size(); ++i) {
      const double from = std::isfinite(limits[i]) ? limits[i] : -HUGE_VAL;
      const double to = i + 1 < limits.size() ? limits[i + 1] : HUGE_VAL;
      bands.emplace_back(std::max(from, axis.from), std::min(to, axis.to));
    }
    return bands;
  };
  const auto nameOf = [](const Axis& axis, std::size_t band) {
    const auto& names = axis.measure.names;
    return band < names.size() ? names[band] : QString();
  };
  const double pad = line() * 0.3;
  std::vector<QRectF> upright;  // the x axis's names, as boxes on the plot
  painter.setPen(kGreyInk);
  const auto xBands = bandsOf(xAxis);
  for (std::size_t i = 0; i < xBands.size(); ++i) {
    const auto [from, to] = xBands[i];
    if (!(to > from)) {
      continue;
    }
    const double left = at(from, 0).x(), right = at(to, 0).x();
    if (i % 2 == 1) {
      painter.fillRect(QRectF(left, plot.top(), right - left, plot.height()), kBandShade);
    }
    const QString name = nameOf(xAxis, i);
    const double length = metrics.horizontalAdvance(name);
    if (!name.isEmpty() && right - left >= metrics.height() && length <= plot.height() * 0.45) {
      const QRectF box((left + right - metrics.height()) / 2, plot.top() + pad, metrics.height(),
                       length);
      upright.push_back(box);
      painter.save();
      // Turned a quarter clockwise: the baseline runs down the box, the ascent to its right.
      painter.translate(box.left() + metrics.descent(), box.top());
      painter.rotate(90);
      painter.drawText(QPointF(0, 0), name);
      painter.restore();
    }
  }
  std::sort(upright.begin(), upright.end(),
            [](const QRectF& a, const QRectF& b) { return a.left() > b.left(); });
  const auto yBands = bandsOf(yAxis);
  for (std::size_t i = 0; i < yBands.size(); ++i) {
    const auto [from, to] = yBands[i];
    if (!(to > from)) {
      continue;
    }
    const double bottom = at(0, from).y(), top = at(0, to).y();
    if (i % 2 == 1) {
      painter.fillRect(QRectF(plot.left(), top, plot.width(), bottom - top), kBandShade);
    }
    const QString name = nameOf(yAxis, i);
    if (name.isEmpty() || bottom - top < metrics.height()) {
      continue;
    }
    const double width = metrics.horizontalAdvance(name);
    const double y = (top + bottom - metrics.height()) / 2;
    // At the right, or at the left where it covers fewer points.
    QRectF right(plot.right() - pad - width, y, width, metrics.height());
    for (const QRectF& other : upright) {
      if (other.intersects(right)) {
        right.moveRight(other.left() - pad);
      }
    }
    QRectF left(plot.left() + pad, y, width, metrics.height());
    for (auto other = upright.rbegin(); other != upright.rend(); ++other) {
      if (other->intersects(left)) {
        left.moveLeft(other->right() + pad);
      }
    }
    const auto covered = [this](const QRectF& box) {
      const QRectF reach = box.adjusted(-radius(), -radius(), radius(), radius());
      return std::count_if(places.begin(), places.end(),
                           [&reach](const auto& place) { return place && reach.contains(*place); });
    };
    const bool rightFits = right.left() >= plot.left() + pad;
    const bool leftFits = left.right() <= plot.right() - pad;
    if (rightFits && (!leftFits || covered(right) <= covered(left))) {
      drawTextLine(painter, right, Qt::AlignLeft, name);
    } else if (leftFits) {
      drawTextLine(painter, left, Qt::AlignLeft, name);
    }
  }
  painter.restore();
}

void BivariatePlot::Layout::drawAxes(QPainter& painter) const {
  const double tick = line() * 0.3;
  painter.setPen(QPen(kInk, 0));
  painter.drawRect(plot);
  ViewText::use(painter, font);
  for (const double value : ticksOf(xAxis.from, xAxis.to, xAxis.step)) {
    const double x = at(value, yAxis.from).x();
    painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tick));
    drawTextLine(painter, QRectF(x - 40 * line(), plot.bottom() + tick, 80 * line(), line()),
                 Qt::AlignHCenter, tickLabel(value, xAxis.step, decimalMark));
  }
  for (const double value : ticksOf(yAxis.from, yAxis.to, yAxis.step)) {
    const double y = at(xAxis.from, value).y();
    painter.drawLine(QPointF(plot.left() - tick, y), QPointF(plot.left(), y));
    drawTextLine(painter,
                 QRectF(area.left(), y - metrics.height() / 2,
                        plot.left() - tick * 1.5 - area.left(), line()),
                 Qt::AlignRight, tickLabel(value, yAxis.step, decimalMark));
  }
  drawTextLine(painter,
               QRectF(plot.left(), plot.bottom() + tick + line() * 1.1, plot.width(), line()),
               Qt::AlignHCenter, xAxis.measure.title);
  painter.save();
  painter.translate(area.left(), plot.center().y());
  painter.rotate(-90);
  drawTextLine(painter, QRectF(-plot.height() / 2, 0, plot.height(), line()), Qt::AlignHCenter,
               yAxis.measure.title);
  painter.restore();
}

BivariatePlot::BivariatePlot(const LotView& view, BivariateKind kind, MapColouring colouring,
                             const LotViewWords& words, const QRectF& area, double textPoints,
                             char decimalMark)
    : layout_(
          std::make_shared<Layout>(view, kind, colouring, words, area, textPoints, decimalMark)) {}

std::optional<QPointF> BivariatePlot::placeOf(int sample) const {
  if (sample < 0 || static_cast<std::size_t>(sample) >= layout_->places.size()) {
    return std::nullopt;
  }
  return layout_->places[static_cast<std::size_t>(sample)];
}

int BivariatePlot::sampleAt(QPointF position) const {
  const double reach = layout_->radius() * 1.8;
  int found = -1;
  double nearest = reach * reach;
  for (std::size_t i = 0; i < layout_->places.size(); ++i) {
    if (const auto& place = layout_->places[i]) {
      const QPointF d = *place - position;
      const double distance = QPointF::dotProduct(d, d);
      if (distance < nearest) {
        nearest = distance;
        found = static_cast<int>(i);
      }
    }
  }
  return found;
}

void BivariatePlot::draw(QPainter& painter, int highlighted) const {
  const Layout& layout = *layout_;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.fillRect(layout.plot, Qt::white);
  layout.drawBands(painter);
  layout.drawAxes(painter);
  painter.save();
  painter.setClipRect(
      layout.plot.adjusted(-layout.radius(), -layout.radius(), layout.radius(), layout.radius()));
  const double r = layout.radius();
  for (std::size_t i = 0; i < layout.places.size(); ++i) {
    if (layout.places[i] && static_cast<int>(i) != highlighted) {
      painter.setPen(QPen(kInk, r / 6));
      painter.setBrush(layout.colours[i]);
      painter.drawEllipse(*layout.places[i], r, r);
    }
  }
  if (const auto place = placeOf(highlighted)) {
    painter.setPen(QPen(kInk, r / 3));
    painter.setBrush(layout.colours[static_cast<std::size_t>(highlighted)]);
    painter.drawEllipse(*place, r * 1.6, r * 1.6);
  }
  painter.restore();
  layout.legend.draw(painter, layout.legendAt);
  painter.restore();
}

}  // namespace granomet::report
