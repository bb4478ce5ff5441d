// The report's page, fonts and colours, shared by everything that draws on it.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <array>
#include <string>
#include <string_view>
#include <vector>

class QPainter;
class QPaintDevice;
class QPdfWriter;

namespace granomet::report {

// Device units are PostScript points: the PDF writer works at 72 dots per inch.
inline constexpr int kPointsPerInch = 72;
inline constexpr double kPageWidth = 595.28;  // A4
inline constexpr double kPageHeight = 841.89;
inline constexpr double kMargin = 40;
inline constexpr double kFooterHeight = 18;

// The writer set to the report's page: A4 upright, in points, the margins drawn by the
// pages themselves.
void useReportPage(QPdfWriter& writer);

// The area between the margins, above the footer.
inline QRectF bodyArea() {
  return {kMargin, kMargin, kPageWidth - 2 * kMargin, kPageHeight - 2 * kMargin - kFooterHeight};
}

// Printed smaller than this a figure is hard to read: no text of the report is.
inline constexpr double kSmallestPoints = 7;

// Liberation Sans, which the package depends on, or the metric twin the system has;
// never smaller than kSmallestPoints.
QFont reportFont(double points, bool bold = false);

// Text measured as the page draws it, at the page's resolution (the PDF writer's 72
// dots per inch): measured at the screen's, every width comes out a third too wide.
// Everything that lays text out on a page measures it so.
QFontMetricsF pageMetrics(const QFont& font, const QPaintDevice& page);

// A text broken into lines no wider than width: after spaces, hyphens and slashes
// where it can, anywhere in a word wider than the width (a name in capitals, a figure
// of hundreds of digits in a hand-edited file); never cut short. The one rule for
// every text the report wraps.
QStringList wrappedLines(const QFontMetricsF& metrics, const QString& text, double width);

// wrappedLines as one text to draw in a box with `flags`, and the height it takes.
struct WrappedText {
  QString text;
  double height;
  static constexpr int flags = Qt::AlignLeft | Qt::AlignTop;
};
WrappedText wrapped(const QFontMetricsF& metrics, const QString& text, double width);

// The faces of the report's font (regular, bold) the system cannot give with every
// character the report uses: where one is missing, Qt would draw the text in boxes.
std::vector<std::string> missingReportFaces();

// The program's 8-bit text (Windows-1252) for Qt.
QString fromProgramText(std::string_view text);

// One line in the painter's font at the top of box, to its left, right or centre,
// where drawText in the box puts it but drawn from its baseline: the text layout a
// box asks for took most of a large report's time.
void drawTextLine(QPainter& painter, const QRectF& box, Qt::Alignment align, const QString& text);

inline const QColor kInk(0, 0, 0);
inline const QColor kGreyInk(90, 90, 90);
inline const QColor kRule(150, 150, 150);
inline const QColor kLightRule(215, 215, 215);

// The curves' colours, the main window's and the report's, so that a sample looks the
// same on screen and paper: the index-th sample's, the palette repeating. As many as
// a curves page of the report holds curves.
inline constexpr std::array<QRgb, 10> kCurveColours{
    0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e, 0x9467bd,
    0x8c564b, 0xe377c2, 0x17becf, 0x7f7f7f, 0xbcbd22,
};
QColor curveColour(int index);

}  // namespace granomet::report
