#include "report/phi_charts.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "report/report_style.h"
#include "statistics/normal_quantile.h"
#include "statistics/size_distribution.h"

namespace granomet::report {
namespace {

constexpr double kTickLength = 2.5;
constexpr double kLeastLabelGap = 24;  // between the centres of two labels of a scale
constexpr double kLeastGridGap = 8;    // between two grid lines

// Folk's probability paper: the percentiles his measures read (16, 50, 84) drawn stronger.
constexpr double kProbabilityTicks[] = {0.1, 1, 5, 10, 16, 25, 50, 75, 84, 90, 95, 99, 99.9};

QString numberLabel(double value, int decimals, char decimalMark) {
  if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals)) {
    value = 0;  // no "-0"
  }
  return QString::number(value, 'f', decimals).replace('.', QChar(decimalMark));
}

// A decade of µm in phi, and back, without passing through diameters a double cannot hold.
double phiOfDecade(int power) {
  return (3 - power) * std::log2(10.0);
}
double decadeOfPhi(double phi) {
  return 3 - phi * std::log10(2.0);
}

int decimalsOf(double step) {
  return step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
}

QColor tint(const QColor& colour) {
  const auto light = [](int channel) { return (channel * 35 + 255 * 65) / 100; };
  return QColor(light(colour.red()), light(colour.green()), light(colour.blue()));
}

}  // namespace

// The parts both charts share: title, phi along the bottom, µm along the top, the
// limits of gravel, sand, silt and clay, the value axis on the left and a note below.
class PhiCharts::Frame {
 public:
  Frame(const ChartFonts& fonts, const QRectF& area, double phiFrom, double phiTo, double low,
        double high, const std::vector<Tick>& ticks)
      : fonts_(fonts), area_(area), phiFrom_(phiFrom), phiTo_(phiTo), low_(low), high_(high) {
    const QFontMetricsF& label = fonts.labelMetrics;
    double widest = 0;
    for (const Tick& tick : ticks) {
      widest = std::max(widest, label.horizontalAdvance(tick.label));
    }
    const double line = label.lineSpacing();
    const double left = area.left() + line + 3 + widest + 3;
    // The value labels at the plot's top and foot reach half a line beyond it: the
    // scales above and below keep clear of them.
    const double clear = std::max(kTickLength, line / 2) + 1;
    const double top = area.top() + fonts.titleMetrics.lineSpacing() + 2 + 2 * line + clear;
    // Two lines kept for a note under every chart, so that the two plots align.
    const double bottom = area.bottom() - fonts.twoLabelLines - line - clear;
    // Half a label of room on the right for the finest phi label, centred on the edge.
    plot_ = QRectF(left, top, area.right() - 6 - left, bottom - top);
  }

  const QRectF& plot() const { return plot_; }
  double x(double phi) const {
    return plot_.left() + (phi - phiFrom_) / (phiTo_ - phiFrom_) * plot_.width();
  }
  double y(double value) const {
    return plot_.bottom() - (value - low_) / (high_ - low_) * plot_.height();
  }

  void draw(QPainter& painter, const QString& title, const QString& valueAxis,
            const std::vector<Tick>& ticks, const PhiCharts& words) const {
    const QFontMetricsF& label = fonts_.labelMetrics;
    const double line = label.lineSpacing();
    painter.setFont(fonts_.title);
    painter.setPen(kInk);
    painter.drawText(QRectF(plot_.left(), area_.top(), plot_.width(), line * 2),
                     Qt::AlignHCenter | Qt::AlignTop, title);
    painter.setFont(fonts_.label);
    // Each kind of line gathered into one path, drawn once.
    QPainterPath grid;
    QPainterPath strong;
    QPainterPath marks;
    QPainterPath limits;
    const auto across = [this](QPainterPath& path, double at) {
      path.moveTo(plot_.left(), at);
      path.lineTo(plot_.right(), at);
    };
    const auto down = [this](QPainterPath& path, double at) {
      path.moveTo(at, plot_.top());
      path.lineTo(at, plot_.bottom());
    };

    // The value axis: labels left of the plot, its name turned along it. A label
    // too near another is left out, the strong lines' last: a line is read by its label.
    std::vector<double> labelled;
    const auto clearOfOthers = [&labelled, line](double at) {
      return std::all_of(labelled.begin(), labelled.end(),
                         [at, line](double other) { return std::fabs(other - at) >= line; });
    };
    for (const bool strongFirst : {true, false}) {
      for (const Tick& tick : ticks) {
        const double at = y(tick.value);
        if (tick.strong != strongFirst || !clearOfOthers(at)) {
          continue;
        }
        labelled.push_back(at);
        painter.drawText(QRectF(area_.left(), at - line / 2, plot_.left() - area_.left() - 3, line),
                         Qt::AlignRight | Qt::AlignVCenter, tick.label);
      }
    }
    for (const Tick& tick : ticks) {
      across(tick.strong ? strong : grid, y(tick.value));
    }
    painter.save();
    painter.translate(area_.left(), plot_.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot_.height() / 2, 0, plot_.height(), line),
                     Qt::AlignHCenter | Qt::AlignTop, valueAxis);
    painter.restore();

    // Phi below: a grid line at every whole phi that stands apart from the next, a
    // label at every step far enough apart to be read.
    const double span = phiTo_ - phiFrom_;
    const auto steps = [&](double least) {
      return niceStep(span, std::max(1, static_cast<int>(plot_.width() / least)), 1);
    };
    const double gridStep = steps(kLeastGridGap);
    for (double phi = std::ceil(phiFrom_ / gridStep) * gridStep; phi <= phiTo_; phi += gridStep) {
      down(grid, x(phi));
    }
    const double labelStep = steps(kLeastLabelGap);
    const double clear = std::max(kTickLength, line / 2) + 1;
    const double below = plot_.bottom() + clear;
    double leftmost = plot_.right();
    for (double phi = std::ceil(phiFrom_ / labelStep) * labelStep; phi <= phiTo_;
         phi += labelStep) {
      const double at = x(phi);
      painter.drawText(QRectF(at - 15, below, 30, line), Qt::AlignHCenter | Qt::AlignTop,
                       numberLabel(phi, 0, '.'));
      leftmost = std::min(leftmost, at - 6);
    }
    // Each scale's unit before its first label.
    const auto unit = [&](const QString& text, double top, double before) {
      painter.drawText(QRectF(area_.left(), top, before - area_.left(), line),
                       Qt::AlignRight | Qt::AlignTop, text);
    };
    unit(words.phiUnit_, below, leftmost - 2);

    // µm above: the decades, short ticks outside the plot.
    const double above = plot_.top() - clear - line;
    const int finest = static_cast<int>(std::ceil(decadeOfPhi(phiTo_)));
    const int coarsest = static_cast<int>(std::floor(decadeOfPhi(phiFrom_)));
    const int decades = std::max(1, coarsest - finest + 1);
    const int every =
        std::max(1, static_cast<int>(std::ceil(decades * kLeastLabelGap / plot_.width())));
    leftmost = plot_.right();
    for (int power = coarsest; power >= finest; power -= every) {
      const double at = x(phiOfDecade(power));
      marks.moveTo(at, plot_.top());
      marks.lineTo(at, plot_.top() - kTickLength);
      const QString text = decadeLabel(power, words.decimalMark_);
      const double half = label.horizontalAdvance(text) / 2;
      painter.drawText(QRectF(at - half - 1, above, 2 * half + 2, line),
                       Qt::AlignHCenter | Qt::AlignTop, text);
      leftmost = std::min(leftmost, at - half);
    }
    unit(words.micrometreUnit_, above, leftmost - 3);

    // The limits: dashed across the plot, named above the µm scale.
    double taken = area_.left();
    painter.setPen(kGreyInk);
    for (const SizeLimit& limit : kSizeLimits) {
      const double at = x(phiOf(limit.micrometres));
      if (at < plot_.left() || at > plot_.right()) {
        continue;
      }
      down(limits, at);
      const QString name = QString::fromUtf8(limit.label);
      const double half = label.horizontalAdvance(name) / 2;
      if (at - half > taken) {
        painter.drawText(QRectF(at - half - 1, above - line, 2 * half + 2, line),
                         Qt::AlignHCenter | Qt::AlignTop, name);
        taken = at + half + 4;
      }
    }

    painter.strokePath(grid, QPen(kLightRule, 0.4));
    painter.strokePath(strong, QPen(kRule, 0.4));
    painter.strokePath(marks, QPen(kInk, 0.5));
    QPen dashed(kRule, 0.6);
    dashed.setStyle(Qt::DashLine);
    painter.strokePath(limits, dashed);
  }

  void drawBorder(QPainter& painter) const {
    painter.setPen(QPen(kInk, 0.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot_);
  }

  // Under the phi scale, in at most two lines.
  void drawNote(QPainter& painter, const QString& note) const {
    if (note.isEmpty()) {
      return;
    }
    const double room = fonts_.twoLabelLines;
    painter.setFont(fonts_.label);
    painter.setPen(kGreyInk);
    painter.drawText(QRectF(area_.left(), area_.bottom() - room, area_.width(), room),
                     WrappedText::flags, wrapped(fonts_.labelMetrics, note, area_.width()).text);
  }

 private:
  const ChartFonts& fonts_;
  QRectF area_;
  QRectF plot_;
  double phiFrom_;
  double phiTo_;
  double low_;
  double high_;
};

PhiCharts::PhiCharts(const SamplePageWords& words, const std::string& noCurve, char decimalMark,
                     QPaintDevice& device)
    : fonts_(&device),
      histogramTitle_(fromProgramText(words.histogram)),
      densityAxis_(fromProgramText(words.densityAxis)),
      probabilityTitle_(fromProgramText(words.probabilityChart)),
      coarserAxis_(fromProgramText(words.coarserAxis)),
      phiUnit_(fromProgramText(words.phiUnit)),
      micrometreUnit_(fromProgramText(words.micrometreUnit)),
      noCurve_(fromProgramText(noCurve)),
      decimalMark_(decimalMark) {
  for (const double percent : kProbabilityTicks) {
    probabilityTicks_.push_back(
        {normalQuantile(percent / 100),
         numberLabel(percent, percent < 1 || percent > 99 ? 1 : 0, decimalMark),
         percent == 16 || percent == 50 || percent == 84});
  }
}

void PhiCharts::drawHistogram(QPainter& painter, const QRectF& area, const ReportSamplePage& sample,
                              const QColor& colour) const {
  double low = 0;
  double high = 0;
  for (const ReportBar& bar : sample.histogram) {
    if (std::isfinite(bar.density)) {
      low = std::min(low, bar.density);
      high = std::max(high, bar.density);
    }
  }
  // A bar below nothing (a class weighing less than nothing) is drawn downwards. The
  // scale stops short of what a double holds, for files edited beyond any sediment.
  constexpr double kFarthest = 1e300;
  low = std::max(low, -kFarthest);
  high = std::clamp(high, 1.0, kFarthest);
  const double step = niceStep(high - low, 5, 0.1);
  low = std::floor(low / step) * step;
  high = std::ceil(high / step) * step;
  std::vector<Tick> ticks;
  const int decimals = decimalsOf(step);
  for (double value = low; value <= high + step / 2; value += step) {
    ticks.push_back({value, numberLabel(value, decimals, decimalMark_), value == 0});
  }

  const Frame frame(fonts_, area, sample.phiFrom, sample.phiTo, low, high, ticks);
  painter.save();
  frame.draw(painter, histogramTitle_, densityAxis_, ticks, *this);

  QPainterPath bars;
  const double base = frame.y(0);
  for (const ReportBar& bar : sample.histogram) {
    if (bar.density == 0 || !std::isfinite(bar.density)) {
      continue;
    }
    const double left = frame.x(bar.phiFrom);
    const double right = frame.x(bar.phiTo);
    const double top = frame.y(bar.density);
    if (std::isfinite(left) && std::isfinite(right)) {
      bars.addRect(QRectF(QPointF(left, std::min(top, base)), QPointF(right, std::max(top, base))));
    }
  }
  painter.setClipRect(frame.plot());
  painter.setPen(QPen(colour, 0.5));
  painter.setBrush(tint(colour));
  painter.drawPath(bars);
  painter.setClipping(false);
  frame.drawBorder(painter);
  frame.drawNote(painter, fromProgramText(sample.histogramNote));
  painter.restore();
}

void PhiCharts::drawProbability(QPainter& painter, const QRectF& area,
                                const ReportSamplePage& sample, const QColor& colour) const {
  const Frame frame(fonts_, area, sample.phiFrom, sample.phiTo, probabilityTicks_.front().value,
                    probabilityTicks_.back().value, probabilityTicks_);
  painter.save();
  frame.draw(painter, probabilityTitle_, coarserAxis_, probabilityTicks_, *this);

  // 0 and 100 % lie at infinity: the line breaks there. Beyond the scale but short of
  // them, it runs on to the plot's edge.
  QPainterPath line;
  QPainterPath marks;
  bool joined = false;
  constexpr double kMark = 1.1;
  for (const ReportCurvePoint& point : sample.probability) {
    const double z = normalQuantile(point.percentCoarser / 100);
    const QPointF at(frame.x(point.phi), frame.y(z));
    if (!std::isfinite(at.x()) || !std::isfinite(at.y())) {
      joined = false;
      continue;
    }
    if (joined) {
      line.lineTo(at);
    } else {
      line.moveTo(at);
      joined = true;
    }
    if (point.percentCoarser >= kProbabilityScaleLow &&
        point.percentCoarser <= kProbabilityScaleHigh && frame.plot().contains(at)) {
      marks.addEllipse(at, kMark, kMark);
    }
  }
  painter.setClipRect(frame.plot());
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(colour, 0.9));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(line);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawPath(marks);
  painter.setClipping(false);
  frame.drawBorder(painter);
  if (sample.probability.empty()) {
    painter.setFont(fonts_.label);
    painter.setPen(kGreyInk);
    const QRectF box = frame.plot().adjusted(8, 8, -8, -8);
    painter.drawText(box, Qt::AlignCenter,
                     wrapped(fonts_.labelMetrics, noCurve_, box.width()).text);
  }
  frame.drawNote(painter, fromProgramText(sample.probabilityNote));
  painter.restore();
}

}  // namespace granomet::report
