// What the report's charts share: their fonts, the steps of a value axis and the labels of a
// logarithmic one.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <array>
#include <vector>

#include "data/size_classes.h"

class QPaintDevice;

namespace granomet::report {

struct SizeLimit {
  double micrometres;
  const char* label;
};
// Gravel, sand and silt end at these diameters: a sediment is named by them.
// The window's graph draws them too.
inline constexpr std::array kSizeLimits{SizeLimit{kGravelLimitMicron, "2 mm"},
                                        SizeLimit{kSandLimitMicron, "63 µm"},
                                        SizeLimit{kSiltLimitMicron, "4 µm"}};

// Made once for a report: a font's metrics are looked up where it is made, for the
// device the charts are drawn on.
struct ChartFonts {
  explicit ChartFonts(QPaintDevice* device);
  QFont title;
  QFont label;  // ticks, axes, limits and notes: the smallest text a chart prints
  QFontMetricsF titleMetrics;
  QFontMetricsF labelMetrics;
  // Two lines of wrapped label text as drawn, which may lie further apart than the
  // font's line spacing.
  double twoLabelLines;
};

// 1, 2 or 5 times a power of ten, so that at most `mostSteps` steps reach `span`;
// never below `least`.
double niceStep(double span, int mostSteps, double least);

// The multiples of step from `from` to `to`, both included where they fall on one; none
// where a step would not move the value on (figures far beyond any sediment) or they
// would be more than a chart can show.
std::vector<double> ticksOf(double from, double to, double step);

// A tick's value with as many decimals as its step has: "0,25", "-1", never "-0".
QString tickLabel(double value, double step, char decimalMark);

// 10 to the power, as a diameter in µm is read: 1000, 1, 0,01.
QString decadeLabel(int power, char decimalMark);

}  // namespace granomet::report
