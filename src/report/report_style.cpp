#include "report/report_style.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QStringList>
#include <algorithm>

#include "data/text_encoding.h"
#include "workflow/report_content.h"

namespace granomet::report {

namespace {

// Liberation Sans and the fonts it is metrically compatible with.
const QStringList kFamilies{"Liberation Sans", "Arial", "Helvetica"};
// Beyond plain ASCII: the Spanish words, the units and symbols, the sample names'
// usual letters.
constexpr char16_t kCharacters[] = u"áéíóúÁÉÍÓÚñÑüÜµØφ·–—…•º±«»°";

}  // namespace

void useReportPage(QPdfWriter& writer) {
  writer.setResolution(kPointsPerInch);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(0, 0, 0, 0), QPageLayout::Point));
}

QFont reportFont(double points, bool bold) {
  QFont font;
  font.setFamilies(kFamilies);
  font.setPointSizeF(std::max(points, kSmallestPoints));
  font.setBold(bold);
  // At 72 dots per inch hinting would round every advance to a whole point.
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(true);
  return font;
}

QFontMetricsF pageMetrics(const QFont& font, const QPaintDevice& page) {
  return QFontMetricsF(font, &page);
}

QStringList wrappedLines(const QFontMetricsF& metrics, const QString& text, double width) {
  // The pieces a line may end after: a word with its space, or a part with its hyphen.
  QStringList pieces;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == ' ' || c == '-' || c == '/') {
      pieces << text.mid(start, i + 1 - start);
      start = i + 1;
    }
  }
  if (start < text.size()) {
    pieces << text.mid(start);
  }
  QStringList lines;
  QString line;
  const auto fits = [&metrics, width](const QString& candidate) {
    return metrics.horizontalAdvance(candidate.trimmed()) <= width;
  };
  for (const QString& piece : pieces) {
    if (fits(line + piece)) {
      line += piece;
      continue;
    }
    if (!line.isEmpty()) {
      lines << line.trimmed();
      line.clear();
    }
    // A piece wider than the line: as many characters a line as it holds, one at least.
    for (const QChar c : piece) {
      if (!line.isEmpty() && !fits(line + c)) {
        lines << line.trimmed();
        line.clear();
      }
      line += c;
    }
  }
  if (!line.trimmed().isEmpty() || lines.isEmpty()) {
    lines << line.trimmed();
  }
  return lines;
}

WrappedText wrapped(const QFontMetricsF& metrics, const QString& text, double width) {
  constexpr double kTall = 1e6;
  QString lines = wrappedLines(metrics, text, width).join(QChar('\n'));
  const double height =
      metrics.boundingRect(QRectF(0, 0, width, kTall), WrappedText::flags, lines).height();
  return {std::move(lines), height};
}

std::vector<std::string> missingReportFaces() {
  std::vector<std::string> missing;
  for (const bool bold : {false, true}) {
    const QFont font = reportFont(10, bold);
    // Without the family the box font stands in, which claims every character.
    bool usable = kFamilies.contains(QFontInfo(font).family(), Qt::CaseInsensitive);
    const QRawFont raw = QRawFont::fromFont(font);
    usable = usable && raw.isValid();
    for (const char16_t character : std::u16string_view(kCharacters)) {
      usable = usable && raw.supportsCharacter(QChar(character));
    }
    if (!usable) {
      missing.push_back(kFamilies.front().toStdString() + (bold ? " Bold" : ""));
    }
  }
  return missing;
}

QString fromProgramText(std::string_view text) {
  return QString::fromStdString(cp1252ToUtf8(text));
}

void drawTextLine(QPainter& painter, const QRectF& box, Qt::Alignment align, const QString& text) {
  const QFontMetricsF page(painter.font(), painter.device());
  double x = box.left();
  if (align & (Qt::AlignRight | Qt::AlignHCenter)) {
    const double width = page.horizontalAdvance(text);
    x = (align & Qt::AlignRight) ? box.right() - width : box.center().x() - width / 2;
  }
  painter.drawText(QPointF(x, box.top() + page.ascent()), text);
}

static_assert(kCurveColours.size() == kCurvesPerPage,
              "each curve of a curves page in a colour of its own");

QColor curveColour(int index) {
  const auto size = static_cast<int>(kCurveColours.size());
  return QColor(kCurveColours[static_cast<std::size_t>((index % size + size) % size)]);
}

}  // namespace granomet::report
