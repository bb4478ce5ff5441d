#include "report/sample_pages.h"

#include <QPainter>
#include <algorithm>

#include "report/report_style.h"

namespace granomet::report {
namespace {

constexpr double kTablePoints = 7.5;
constexpr double kGap = 12;
constexpr double kChartHeight = 225;

double columnWidth() {
  return (bodyArea().width() - kGap) / 2;
}

}  // namespace

SamplePages::SamplePages(const Report& report, QPaintDevice& device)
    : warningsHeading_(fromProgramText(report.words.warningsHeading)),
      noWarnings_(fromProgramText(report.words.noWarnings)),
      continued_(fromProgramText(report.sampleWords.continued)),
      headingFont_(reportFont(12, true)),
      lineFont_(reportFont(8.5)),
      shortHeadingFont_(reportFont(9, true)),
      warningsHeadingFont_(reportFont(9, true)),
      warningFont_(reportFont(kTablePoints)),
      headingMetrics_(headingFont_, &device),
      lineMetrics_(lineFont_, &device),
      shortHeadingMetrics_(shortHeadingFont_, &device),
      warningsHeadingMetrics_(warningsHeadingFont_, &device),
      warningMetrics_(warningFont_, &device),
      tableFonts_(kTablePoints, device),
      charts_(report.sampleWords, report.words.noCurve, report.decimalMark, device),
      classTable_(report.sampleWords.finerNote, bodyArea().width(), device) {}

// The heading's lines, a little apart.
double SamplePages::lineHeight() const {
  return lineMetrics_.lineSpacing() + 1;
}

std::vector<SamplePages::Warning> SamplePages::warningsOf(const ReportSamplePage& sample) const {
  std::vector<QString> texts;
  for (const std::string& warning : sample.warnings) {
    texts.push_back(QString::fromUtf8("• ") + fromProgramText(warning));
  }
  if (texts.empty()) {
    texts.push_back(noWarnings_);
  }
  std::vector<Warning> warnings;
  for (const QString& text : texts) {
    warnings.push_back(wrapped(warningMetrics_, text, bodyArea().width()));
  }
  return warnings;
}

double SamplePages::tablesHeight(const ReportSamplePage& sample) const {
  const auto column = [this](const std::vector<ReportTable>& tables) {
    double height = 0;
    for (const ReportTable& table : tables) {
      height += TableLayout::heightOf(table, tableFonts_) + kGap / 2;
    }
    return height;
  };
  return std::max(column(sample.leftTables), column(sample.rightTables));
}

std::vector<SamplePages::Place> SamplePages::layout(const ReportSamplePage& sample,
                                                    const std::vector<Warning>& warnings) const {
  using Block = Place::Block;
  const QRectF body = bodyArea();
  std::vector<Place> places;
  int page = 0;
  double y = body.top();
  const auto place = [&](Block block, double height, int index = 0) {
    places.push_back({block, page, y, height, index});
    y += height;
  };
  // Onto a new page when the block does not fit below what is there already.
  const auto room = [&](double height) {
    if (y + height <= body.bottom()) {
      return;
    }
    ++page;
    y = body.top();
    place(Block::ShortHead, shortHeadingMetrics_.lineSpacing() + 6);
  };

  place(Block::Head, headingMetrics_.lineSpacing() + 3 +
                         lineHeight() * static_cast<double>(sample.lines.size()) + 6);
  place(Block::Charts, kChartHeight + kGap);
  const double tables = tablesHeight(sample);
  room(tables);
  place(Block::Tables, tables);

  // The warnings, a whole one at a time, their heading with the first on a page. One
  // longer than a page is cut at the page's foot.
  const double headingHeight = warningsHeadingMetrics_.lineSpacing() + 1;
  const double tallest = body.height() - shortHeadingMetrics_.lineSpacing() - 6 - headingHeight;
  int headingPage = -1;
  for (std::size_t i = 0; i < warnings.size(); ++i) {
    const double height = std::min(tallest, warnings[i].height + 1);
    room(headingPage == page ? height : headingHeight + height);
    if (headingPage != page) {
      place(Block::WarningsHead, headingHeight, headingPage < 0 ? 0 : 1);
      headingPage = page;
    }
    place(Block::Warning, height, static_cast<int>(i));
  }
  y += kGap / 2;

  const double classes = classTable_.height(sample);
  room(classes);
  place(Block::Classes, classes);
  return places;
}

int SamplePages::pageCount(const ReportSamplePage& sample) const {
  return layout(sample, warningsOf(sample)).back().page + 1;
}

void SamplePages::drawTables(QPainter& painter, const ReportSamplePage& sample, double y) const {
  const QRectF body = bodyArea();
  const double column = columnWidth();
  const auto drawColumn = [&](const std::vector<ReportTable>& tables, double x) {
    double at = y;
    for (const ReportTable& table : tables) {
      const TableLayout layout(table, column, tableFonts_, -1, true);
      at += layout.draw(painter, QPointF(x, at), 0, static_cast<int>(table.rows.size()),
                        fromProgramText(table.title)) +
            kGap / 2;
    }
  };
  drawColumn(sample.leftTables, body.left());
  drawColumn(sample.rightTables, body.left() + column + kGap);
}

void SamplePages::draw(QPainter& painter, const ReportSamplePage& sample, int colourIndex,
                       const std::function<void()>& newPage) const {
  using Block = Place::Block;
  const QRectF body = bodyArea();
  const std::vector<Warning> warnings = warningsOf(sample);
  const QString heading = fromProgramText(sample.heading);
  int page = -1;
  for (const Place& at : layout(sample, warnings)) {
    if (at.page != page) {
      newPage();
      page = at.page;
    }
    const QRectF box(body.left(), at.y, body.width(), at.height);
    switch (at.block) {
      case Block::Head: {
        painter.setFont(headingFont_);
        painter.setPen(kInk);
        painter.drawText(QRectF(box.left(), box.top(), box.width(), headingMetrics_.lineSpacing()),
                         Qt::AlignLeft | Qt::AlignTop,
                         headingMetrics_.elidedText(heading, Qt::ElideMiddle, box.width()));
        double y = box.top() + headingMetrics_.lineSpacing() + 3;
        painter.setFont(lineFont_);
        for (const std::string& line : sample.lines) {
          painter.drawText(
              QRectF(box.left(), y, box.width(), lineMetrics_.lineSpacing()),
              Qt::AlignLeft | Qt::AlignTop,
              lineMetrics_.elidedText(fromProgramText(line), Qt::ElideRight, box.width()));
          y += lineHeight();
        }
        break;
      }
      case Block::ShortHead:
        painter.setFont(shortHeadingFont_);
        painter.setPen(kInk);
        painter.drawText(
            box, Qt::AlignLeft | Qt::AlignTop,
            shortHeadingMetrics_.elidedText(heading + continued_, Qt::ElideMiddle, box.width()));
        break;
      case Block::Charts: {
        const double column = columnWidth();
        const QColor colour = curveColour(colourIndex);
        charts_.drawHistogram(painter, QRectF(box.left(), box.top(), column, kChartHeight), sample,
                              colour);
        charts_.drawProbability(painter,
                                QRectF(box.left() + column + kGap, box.top(), column, kChartHeight),
                                sample, colour);
        break;
      }
      case Block::Tables:
        drawTables(painter, sample, box.top());
        break;
      case Block::WarningsHead:
        painter.setFont(warningsHeadingFont_);
        painter.setPen(kInk);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop,
                         at.index == 0 ? warningsHeading_ : warningsHeading_ + continued_);
        break;
      case Block::Warning: {
        const Warning& warning = warnings[static_cast<std::size_t>(at.index)];
        painter.setFont(warningFont_);
        painter.setPen(kInk);
        painter.drawText(box, WrappedText::flags, warning.text);
        break;
      }
      case Block::Classes:
        classTable_.draw(painter, box.topLeft(), sample);
        break;
    }
  }
}

}  // namespace granomet::report
