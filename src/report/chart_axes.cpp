#include "report/chart_axes.h"

#include <algorithm>
#include <cmath>

#include "report/report_style.h"

namespace granomet::report {

ChartFonts::ChartFonts(QPaintDevice* device)
    : title(reportFont(8.5, true)),
      label(reportFont(7)),
      titleMetrics(title, device),
      labelMetrics(label, device),
      twoLabelLines(
          labelMetrics.boundingRect(QRectF(0, 0, 1000, 1000), Qt::AlignLeft, "X\nX").height()) {}

double niceStep(double span, int mostSteps, double least) {
  const double smallest = span / mostSteps;
  if (!(smallest > least) || !std::isfinite(smallest)) {
    return least;
  }
  const double power = std::pow(10.0, std::floor(std::log10(smallest)));
  for (const double multiple : {1.0, 2.0, 5.0}) {
    if (multiple * power >= smallest) {
      return std::max(least, multiple * power);
    }
  }
  return std::max(least, 10 * power);
}

std::vector<double> ticksOf(double from, double to, double step) {
  constexpr double kMostTicks = 1000;
  std::vector<double> ticks;
  const double first = std::ceil(from / step - 1e-9);
  const double last = std::floor(to / step + 1e-9);
  if (!(step > 0) || !std::isfinite(first) || !std::isfinite(last) || last - first > kMostTicks ||
      first + 1 == first) {
    return ticks;
  }
  for (double k = first; k <= last; ++k) {
    ticks.push_back(k * step);
  }
  return ticks;
}

QString tickLabel(double value, double step, char decimalMark) {
  const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
  // A tick a rounding error off zero: no "-0".
  const double shown = std::abs(value) < step * 1e-6 ? 0 : value;
  return QString::number(shown, 'f', std::min(decimals, 12)).replace('.', QChar(decimalMark));
}

QString decadeLabel(int power, char decimalMark) {
  if (power >= 0) {
    return QString::number(static_cast<long long>(std::llround(std::pow(10.0, power))));
  }
  QString text = "0" + QString(QChar(decimalMark));
  for (int zeros = -power - 1; zeros > 0; --zeros) {
    text += '0';
  }
  return text + '1';
}

}  // namespace granomet::report
