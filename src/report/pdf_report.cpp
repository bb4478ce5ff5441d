#include "report/pdf_report.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <algorithm>
#include <vector>

#include "report/curve_chart.h"
#include "report/report_style.h"
#include "report/report_table.h"
#include "report/sample_pages.h"
#include "report/ternary_plot.h"

namespace granomet::report {
namespace {

constexpr double kSummaryPoints = 6.5;
constexpr int kNameColumn = 1;  // the summary's sample names give way when the table is too wide
constexpr double kGap = 12;

class ReportPages {
 public:
  ReportPages(const Report& report, QPdfWriter& writer, QPainter& painter)
      : report_(report),
        writer_(writer),
        painter_(painter),
        summary_(report.summary, bodyArea().width(), kSummaryPoints, kNameColumn),
        samplePages_(report, writer) {
    paginateSummary();
    pageCount_ = static_cast<int>(summaryPages_.size()) + 3;
    for (const ReportSamplePage& sample : report.samples) {
      pageCount_ += samplePages_.pageCount(sample);
    }
  }

  void draw() {
    drawSummary();
    drawTriangles();
    drawAllCurves();
    for (std::size_t i = 0; i < report_.samples.size(); ++i) {
      drawSample(report_.samples[i], static_cast<int>(i));
    }
  }

 private:
  // The first page's heading lines and, after a run, the samples it did not reach.
  double firstPageHead(bool drawIt) {
    const QRectF body = bodyArea();
    double y = body.top();
    const QFont titleFont = reportFont(16, true);
    const QFont factFont = reportFont(9);
    const QFont listFont = reportFont(8);
    const auto line = [&](const QFont& font, const QString& text, double spaceAfter) {
      const QFontMetricsF metrics(font);
      const QRectF box = metrics.boundingRect(QRectF(body.left(), y, body.width(), 10000),
                                              Qt::AlignLeft | Qt::TextWordWrap, text);
      if (drawIt) {
        painter_.setFont(font);
        painter_.setPen(kInk);
        painter_.drawText(QRectF(body.left(), y, body.width(), box.height()),
                          Qt::AlignLeft | Qt::TextWordWrap, text);
      }
      y += box.height() + spaceAfter;
    };
    line(titleFont, fromProgramText(report_.words.title), 6);
    for (const std::string& fact : report_.facts) {
      line(factFont, fromProgramText(fact), 1);
    }
    if (!report_.unreachedHeading.empty()) {
      y += 4;
      line(factFont, fromProgramText(report_.unreachedHeading), 1);
      if (!report_.unreached.empty()) {
        QStringList names;
        for (const std::string& name : report_.unreached) {
          names << fromProgramText(name);
        }
        line(listFont, names.join(", "), 0);
      }
    }
    return y + kGap - body.top();
  }

  void paginateSummary() {
    const double rows = static_cast<double>(report_.summary.rows.size());
    int first = 0;
    double room = bodyArea().height() - firstPageHead(false);
    do {
      const int fitting = std::max(1, summary_.rowsFitting(first, room));
      const int end = std::min(static_cast<int>(rows), first + fitting);
      summaryPages_.push_back({first, end});
      first = end;
      room = bodyArea().height();
    } while (first < static_cast<int>(rows));
  }

  void newPage() {
    if (pageNumber_ > 0) {
      writer_.newPage();
    }
    ++pageNumber_;
    const QFont footerFont = reportFont(7);
    painter_.setFont(footerFont);
    painter_.setPen(kGreyInk);
    QString footer = fromProgramText(report_.words.pageOf);
    footer.replace("%1", QString::number(pageNumber_)).replace("%2", QString::number(pageCount_));
    const double top = kPageHeight - kMargin - QFontMetricsF(footerFont).lineSpacing();
    painter_.drawText(QRectF(kMargin, top, kPageWidth - 2 * kMargin, kFooterHeight),
                      Qt::AlignLeft | Qt::AlignTop,
                      QString::fromUtf8("Granomet · ") + fromProgramText(report_.words.title));
    painter_.drawText(QRectF(kMargin, top, kPageWidth - 2 * kMargin, kFooterHeight),
                      Qt::AlignRight | Qt::AlignTop, footer);
  }

  void drawSummary() {
    for (std::size_t page = 0; page < summaryPages_.size(); ++page) {
      newPage();
      double y = bodyArea().top();
      if (page == 0) {
        y += firstPageHead(true);
      }
      const auto [first, end] = summaryPages_[page];
      summary_.draw(
          painter_, QPointF(bodyArea().left(), y), first, end,
          fromProgramText(page == 0 ? report_.summary.title : report_.words.summaryGoesOn));
    }
  }

  void drawTriangles() {
    const QString unlabelled = fromProgramText(report_.words.unlabelled);
    const QRectF body = bodyArea();
    newPage();
    if (!report_.triangles.empty()) {
      drawTernaryPlot(painter_, body, report_.triangles[0], unlabelled);
    }
    newPage();
    const double half = (body.height() - kGap) / 2;
    for (std::size_t i = 1; i < report_.triangles.size() && i < 3; ++i) {
      drawTernaryPlot(painter_,
                      QRectF(body.left(), body.top() + static_cast<double>(i - 1) * (half + kGap),
                             body.width(), half),
                      report_.triangles[i], unlabelled);
    }
  }

  ChartWords chartWords(const std::string& title, bool cumulative) const {
    return {fromProgramText(title), fromProgramText(report_.words.diameterAxis),
            fromProgramText(cumulative ? report_.words.finerAxis : report_.words.weightAxis),
            cumulative ? fromProgramText(report_.words.noCurve) : QString(), report_.decimalMark};
  }

  void drawAllCurves() {
    newPage();
    const QRectF body = bodyArea();
    const double half = (body.height() - kGap) / 2;
    drawCurveChart(painter_, QRectF(body.left(), body.top(), body.width(), half), report_.curves,
                   CurveKind::Frequency, chartWords(report_.words.frequencyCurves, false));
    drawCurveChart(painter_, QRectF(body.left(), body.top() + half + kGap, body.width(), half),
                   report_.curves, CurveKind::Cumulative,
                   chartWords(report_.words.cumulativeCurves, true));
  }

  void drawSample(const ReportSamplePage& sample, int index) {
    samplePages_.draw(painter_, sample, index, [this] { newPage(); });
  }

  const Report& report_;
  QPdfWriter& writer_;
  QPainter& painter_;
  TableLayout summary_;
  SamplePages samplePages_;
  std::vector<std::pair<int, int>> summaryPages_;
  int pageCount_ = 0;
  int pageNumber_ = 0;
};

}  // namespace

std::optional<std::string> pdfReport(const Report& report) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(kPointsPerInch);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    writer.setCreator("Granomet");
    QString title = fromProgramText(report.words.title);
    if (!report.facts.empty()) {
      title += QString::fromUtf8(" · ") + fromProgramText(report.facts.front());
    }
    writer.setTitle(title);
    QPainter painter;
    if (!painter.begin(&writer)) {
      return std::nullopt;
    }
    ReportPages(report, writer, painter).draw();
    if (!painter.end()) {
      return std::nullopt;
    }
  }
  const QByteArray bytes = buffer.data();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace granomet::report
