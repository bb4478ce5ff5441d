#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

#include "report/chart_axes.h"
#include "report/lot_charts.h"
#include "report/report_style.h"
#include "report/view_text.h"

namespace granomet::report {
namespace {

// Gravel, sand, silt and clay, from coarse to fine as the maps' sands and muds.
constexpr std::array<QRgb, 4> kFractionColours{0x8c510a, 0xe6c35c, 0x8fbf6b, 0x5b84c4};
constexpr int kPanels = 3;

}  // namespace

struct DepthProfile::Layout {
  struct Panel {
    QRectF box;
    QString title;
    double from = 0;
    double to = 1;
    double step = 1;
    std::vector<std::optional<double>> values;  // by level; the fractions' panel has none
  };

  Layout(const LotView& view, const SampleCore& core, const LotViewWords& words, const QRectF& area,
         double textPoints, char decimalMark);
  double line() const { return metrics.lineSpacing(); }
  double yOf(double cm) const { return plotTop + cm / depthTo * plotHeight; }
  double xOf(const Panel& panel, double value) const {
    return panel.box.left() + (value - panel.from) / (panel.to - panel.from) * panel.box.width();
  }
  // A level's band, at least a thin bar where its depth is one figure, kept inside the
  // panels (a surface sample at 0 cm).
  std::pair<double, double> bandOf(const CoreLevel& level) const {
    const double top = yOf(level.topCm), bottom = yOf(level.bottomCm);
    const double thin = text.units() * 0.5;
    if (bottom - top >= thin) {
      return {top, bottom};
    }
    const double from = std::clamp((top + bottom - thin) / 2, plotTop, plotTop + plotHeight - thin);
    return {from, from + thin};
  }
  void drawValues(QPainter& painter, const Panel& panel, int highlighted) const;
  void drawFractions(QPainter& painter, int highlighted) const;
  void drawAxes(QPainter& painter) const;

  ViewText text;
  QFont font;
  QFont boldFont;
  QFontMetricsF metrics;
  char decimalMark;
  QRectF area;
  QStringList heading;
  QStringList unread;
  QString depthTitle;
  std::array<QString, 4> fractionNames;
  std::vector<CoreLevel> levels;
  std::vector<std::array<double, 4>> fractions;  // by level, percent; NaN: no number
  std::array<Panel, kPanels> panels;
  double plotTop = 0;
  double plotHeight = 1;
  double depthTo = 1;
  double depthStep = 1;
  double legendTop = 0;
};

DepthProfile::Layout::Layout(const LotView& view, const SampleCore& core, const LotViewWords& words,
                             const QRectF& area_, double textPoints, char decimalMark_)
    : text(textPoints),
      font(text.font()),
      boldFont(text.font(1.15, true)),
      metrics(text.metrics(font)),
      decimalMark(decimalMark_),
      area(area_),
      depthTitle(fromProgramText(words.depthAxis)),
      fractionNames{fromProgramText(words.gravel), fromProgramText(words.sand),
                    fromProgramText(words.silt), fromProgramText(words.clay)},
      levels(core.levels) {
  const QFontMetricsF boldMetrics = text.metrics(boldFont);
  QString title = fromProgramText(words.coreHeading);
  title.replace("%1", fromProgramText(core.lot))
      .replace("%2", fromProgramText(positionText(core.position, words, decimalMark)))
      .replace("%3", QString::number(core.levels.size()));
  heading = wrappedLines(boldMetrics, title, area.width());
  if (!core.unreadDepths.empty()) {
    QStringList labels;
    for (const int sample : core.unreadDepths) {
      labels << fromProgramText(view.samples[static_cast<std::size_t>(sample)].label);
    }
    unread =
        wrappedLines(metrics, fromProgramText(words.unreadDepths).replace("%1", labels.join(", ")),
                     area.width());
  }
  const double top = area.top() + static_cast<double>(heading.size()) * boldMetrics.lineSpacing() +
                     static_cast<double>(unread.size()) * line() + line() * 0.8;
  // Panel titles above, ticks, axis names and the fractions' legend below.
  plotTop = top + line() * 1.3;
  legendTop = area.bottom() - line();
  plotHeight = std::max(legendTop - line() * 2.6 - plotTop, 1.0);

  double deepest = 0;
  for (const CoreLevel& level : levels) {
    deepest = std::max({deepest, level.topCm, level.bottomCm});
  }
  depthStep = niceStep(deepest > 0 ? deepest : 10,
                       std::max(2, static_cast<int>(plotHeight / (line() * 2))), 1);
  depthTo = std::max(std::ceil(deepest / depthStep - 1e-9) * depthStep, depthStep);
  // A level given as one figure at the axis's end would be half out of the panels.
  if (std::any_of(levels.begin(), levels.end(), [this](const CoreLevel& level) {
        return level.topCm == level.bottomCm && level.bottomCm >= depthTo;
      })) {
    depthTo += depthStep;
  }

  const double tickWidth = metrics.horizontalAdvance("0000");
  const double left = area.left() + line() * 1.3 + tickWidth;
  // Room for half of each neighbour's end tick label.
  const double gap = tickWidth + line() * 0.5;
  const double width = (area.right() - left - gap * (kPanels - 1)) / kPanels;
  const std::array<QString, kPanels> titles{fromProgramText(words.meanAxis),
                                            fromProgramText(words.sortingAxis),
                                            fromProgramText(words.percentAxis)};
  for (int i = 0; i < kPanels; ++i) {
    Panel& panel = panels[static_cast<std::size_t>(i)];
    panel.box = QRectF(left + i * (width + gap), plotTop, std::max(width, 1.0), plotHeight);
    panel.title = titles[static_cast<std::size_t>(i)];
  }
  for (const CoreLevel& level : levels) {
    const LotViewSample& sample = view.samples[static_cast<std::size_t>(level.sample)];
    panels[0].values.push_back(sample.meanPhi);
    panels[1].values.push_back(sample.sortingPhi);
    const auto percent = [](const std::optional<double>& value) {
      return value ? *value : std::nan("");
    };
    fractions.push_back(
        {percent(sample.gravel), percent(sample.sand), percent(sample.silt), percent(sample.clay)});
  }
  for (int i = 0; i < 2; ++i) {
    Panel& panel = panels[static_cast<std::size_t>(i)];
    double low = HUGE_VAL, high = -HUGE_VAL;
    for (const auto& value : panel.values) {
      if (value && std::isfinite(*value)) {
        low = std::min(low, *value);
        high = std::max(high, *value);
      }
    }
    if (low > high) {
      low = 0;
      high = 1;
    }
    const int steps = std::max(2, static_cast<int>(panel.box.width() / (tickWidth * 1.5)));
    panel.step = niceStep(std::max(high - low, 0.1), steps, 0.01);
    panel.from = std::floor(low / panel.step - 1e-9) * panel.step;
    panel.to = std::ceil(high / panel.step + 1e-9) * panel.step;
    if (i == 1) {
      panel.from = std::max(panel.from, 0.0);
    }
    if (!(panel.to > panel.from)) {
      // A figure so large that its step is lost in its rounding.
      panel.to = panel.from + std::max(panel.step, std::abs(panel.from) * 1e-6);
    }
  }
  panels[2].from = 0;
  panels[2].to = 100;
  panels[2].step = panels[2].box.width() > tickWidth * 6 ? 25 : 50;
}

void DepthProfile::Layout::drawValues(QPainter& painter, const Panel& panel,
                                      int highlighted) const {
  const double r = text.units() * 0.4 * 1.3;
  QPolygonF path;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    if (panel.values[i] && std::isfinite(*panel.values[i])) {
      path << QPointF(xOf(panel, *panel.values[i]),
                      yOf((levels[i].topCm + levels[i].bottomCm) / 2));
    }
  }
  painter.setPen(QPen(kGreyInk, text.units() * 0.1));
  painter.drawPolyline(path);
  for (std::size_t i = 0; i < levels.size(); ++i) {
    if (!panel.values[i] || !std::isfinite(*panel.values[i])) {
      continue;
    }
    const double x = xOf(panel, *panel.values[i]);
    const bool special = levels[i].sample == highlighted;
    painter.setPen(QPen(kInk, text.units() * (special ? 0.25 : 0.12)));
    painter.drawLine(QPointF(x, yOf(levels[i].topCm)), QPointF(x, yOf(levels[i].bottomCm)));
    painter.setBrush(special ? QColor(kInk) : QColor(Qt::white));
    const double size = special ? r * 1.5 : r;
    painter.drawEllipse(QPointF(x, yOf((levels[i].topCm + levels[i].bottomCm) / 2)), size, size);
    painter.setBrush(Qt::NoBrush);
  }
}

void DepthProfile::Layout::drawFractions(QPainter& painter, int highlighted) const {
  const Panel& panel = panels[2];
  for (std::size_t i = 0; i < levels.size(); ++i) {
    const auto [top, bottom] = bandOf(levels[i]);
    double from = 0;
    for (std::size_t part = 0; part < 4; ++part) {
      const double share = fractions[i][part];
      if (!std::isfinite(share) || share <= 0) {
        continue;
      }
      const double to = std::min(from + share, 100.0);
      painter.fillRect(QRectF(QPointF(xOf(panel, from), top), QPointF(xOf(panel, to), bottom)),
                       QColor(kFractionColours[part]));
      from = to;
    }
    if (levels[i].sample == highlighted) {
      painter.setPen(QPen(kInk, text.units() * 0.25));
      painter.drawRect(QRectF(QPointF(panel.box.left(), top), QPointF(panel.box.right(), bottom)));
    }
  }
}

void DepthProfile::Layout::drawAxes(QPainter& painter) const {
  const double tick = line() * 0.3;
  ViewText::use(painter, font);
  painter.setPen(QPen(kInk, 0));
  for (const double cm : ticksOf(0, depthTo, depthStep)) {
    const double y = yOf(cm);
    const double left = panels[0].box.left();
    painter.setPen(QPen(kInk, 0));
    painter.drawLine(QPointF(left - tick, y), QPointF(left, y));
    drawTextLine(
        painter,
        QRectF(area.left(), y - metrics.height() / 2, left - tick * 1.5 - area.left(), line()),
        Qt::AlignRight, tickLabel(cm, depthStep, decimalMark));
    painter.setPen(QPen(kLightRule, 0));
    for (const Panel& panel : panels) {
      painter.drawLine(QPointF(panel.box.left(), y), QPointF(panel.box.right(), y));
    }
  }
  painter.save();
  painter.translate(area.left(), plotTop + plotHeight / 2);
  painter.rotate(-90);
  painter.setPen(kInk);
  drawTextLine(painter, QRectF(-plotHeight / 2, 0, plotHeight, line()), Qt::AlignHCenter,
               depthTitle);
  painter.restore();
  for (const Panel& panel : panels) {
    painter.setPen(QPen(kInk, 0));
    painter.drawRect(panel.box);
    drawTextLine(painter,
                 QRectF(panel.box.left(), plotTop - line() * 1.2, panel.box.width(), line()),
                 Qt::AlignHCenter, panel.title);
    for (const double value : ticksOf(panel.from, panel.to, panel.step)) {
      const double x = xOf(panel, value);
      painter.drawLine(QPointF(x, panel.box.bottom()), QPointF(x, panel.box.bottom() + tick));
      drawTextLine(painter, QRectF(x - 20 * line(), panel.box.bottom() + tick, 40 * line(), line()),
                   Qt::AlignHCenter, tickLabel(value, panel.step, decimalMark));
    }
  }
  // The fractions' legend under the panels.
  double x = panels[0].box.left();
  const double s = text.units() * 0.9;
  for (std::size_t part = 0; part < 4; ++part) {
    painter.fillRect(QRectF(x, legendTop + (metrics.height() - s) / 2, s, s),
                     QColor(kFractionColours[part]));
    painter.setPen(kInk);
    drawTextLine(painter, QRectF(x + s * 1.5, legendTop, area.width(), line()), Qt::AlignLeft,
                 fractionNames[part]);
    x += s * 1.5 + metrics.horizontalAdvance(fractionNames[part]) + line();
  }
}

DepthProfile::DepthProfile(const LotView& view, const SampleCore& core, const LotViewWords& words,
                           const QRectF& area, double textPoints, char decimalMark)
    : layout_(std::make_shared<Layout>(view, core, words, area, textPoints, decimalMark)) {}

int DepthProfile::sampleAt(QPointF position) const {
  const Layout& layout = *layout_;
  const auto inPanel = std::any_of(
      layout.panels.begin(), layout.panels.end(), [&position](const Layout::Panel& panel) {
        return position.x() >= panel.box.left() && position.x() <= panel.box.right();
      });
  if (!inPanel) {
    return -1;
  }
  // The level drawn there, or the nearest within reach: a thin level is hard to hit.
  const double reach = layout.text.units() * 0.6;
  int found = -1;
  double nearest = reach;
  for (const CoreLevel& level : layout.levels) {
    const auto [top, bottom] = layout.bandOf(level);
    if (position.y() >= top && position.y() <= bottom) {
      return level.sample;
    }
    const double distance = std::min(std::abs(position.y() - top), std::abs(position.y() - bottom));
    if (distance <= nearest) {
      nearest = distance;
      found = level.sample;
    }
  }
  return found;
}

void DepthProfile::draw(QPainter& painter, int highlighted) const {
  const Layout& layout = *layout_;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  double y = layout.area.top();
  painter.setPen(kInk);
  ViewText::use(painter, layout.boldFont);
  const double boldLine = layout.text.metrics(layout.boldFont).lineSpacing();
  for (const QString& text : layout.heading) {
    drawTextLine(painter, QRectF(layout.area.left(), y, layout.area.width(), boldLine),
                 Qt::AlignLeft, text);
    y += boldLine;
  }
  ViewText::use(painter, layout.font);
  for (const QString& text : layout.unread) {
    drawTextLine(painter, QRectF(layout.area.left(), y, layout.area.width(), layout.line()),
                 Qt::AlignLeft, text);
    y += layout.line();
  }
  for (const Layout::Panel& panel : layout.panels) {
    painter.fillRect(panel.box, Qt::white);
  }
  layout.drawAxes(painter);
  layout.drawFractions(painter, highlighted);
  layout.drawValues(painter, layout.panels[0], highlighted);
  layout.drawValues(painter, layout.panels[1], highlighted);
  painter.restore();
}

}  // namespace granomet::report
