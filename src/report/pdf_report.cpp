#include "report/pdf_report.h"

#include <QFontMetricsF>
#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <algorithm>
#include <exception>
#include <vector>

#include "report/curve_chart.h"
#include "report/lot_pages.h"
#include "report/report_style.h"
#include "report/report_table.h"
#include "report/sample_pages.h"
#include "report/ternary_plot.h"
#include "results/whole_file.h"

namespace granomet::report {
namespace {

constexpr double kSummaryPoints = kSmallestPoints;
constexpr int kNameColumn = 1;  // the summary's sample names wrap when the table is too wide
constexpr double kGap = 12;

// The PDF writer's bytes passed on to the file being written whole. An error of the
// sink is kept until the drawing has stopped: no exception crosses Qt's code.
class SinkDevice : public QIODevice {
 public:
  explicit SinkDevice(WholeFileSink& sink) : sink_(sink) { open(QIODevice::WriteOnly); }
  bool isSequential() const override { return true; }
  const std::exception_ptr& failure() const { return failure_; }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    if (failure_) {
      return -1;
    }
    try {
      sink_.write(std::string_view(data, static_cast<std::size_t>(size)));
      return size;
    } catch (...) {
      failure_ = std::current_exception();
      return -1;
    }
  }

 private:
  WholeFileSink& sink_;
  std::exception_ptr failure_;
};

class ReportPages {
 public:
  ReportPages(const Report& report, QPdfWriter& writer, QPainter& painter,
              const ReportProgress& progress, const SinkDevice& device)
      : report_(report),
        writer_(writer),
        painter_(painter),
        progress_(progress),
        device_(device),
        summary_(report.summary, bodyArea().width(), TableFonts(kSummaryPoints, writer),
                 kNameColumn),
        samplePages_(report, writer),
        lotPages_(report, writer) {
    paginateSummary();
    layOutTriangles();
    pageCount_ = static_cast<int>(summaryPages_.size() + 2 + shepardLists_.size() +
                                  folkLists_.size() + report.curvePages.size()) +
                 lotPages_.pageCount();
    for (int i = 0; i < report.sampleCount; ++i) {
      pageCount_ += samplePages(i);
    }
  }

  // False where progress said stop or the file could not take the bytes.
  bool draw() {
    drawSummary();
    drawTriangles();
    lotPages_.draw(painter_, [this] {
      if (stopped_) {
        return false;
      }
      newPage();
      return true;
    });
    drawAllCurves();
    for (int i = 0; i < report_.sampleCount && !stopped_; ++i) {
      drawSample(report_.samplePage(i), i);
    }
    return goOn();
  }

 private:
  // The pages a sample's content takes.
  int samplePages(int index) const { return samplePages_.pageCount(report_.samplePage(index)); }

  // Tells the pages drawn; false from then on where progress said stop or the
  // file failed.
  bool goOn() {
    stopped_ = stopped_ || device_.failure() || (progress_ && !progress_(pageNumber_, pageCount_));
    return !stopped_;
  }

  // The first page's heading lines and, after a run, the samples it did not reach.
  double firstPageHead(bool drawIt) {
    const QRectF body = bodyArea();
    double y = body.top();
    const QFont titleFont = reportFont(16, true);
    const QFont factFont = reportFont(9);
    const QFont listFont = reportFont(8);
    const auto line = [&](const QFont& font, const QString& text, double spaceAfter) {
      const QFontMetricsF metrics = pageMetrics(font, writer_);
      const WrappedText wrap = wrapped(metrics, text, body.width());
      if (drawIt) {
        painter_.setFont(font);
        painter_.setPen(kInk);
        painter_.drawText(QRectF(body.left(), y, body.width(), wrap.height), WrappedText::flags,
                          wrap.text);
      }
      y += wrap.height + spaceAfter;
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
      goOn();
      writer_.newPage();
    }
    ++pageNumber_;
    const QFont footerFont = reportFont(7);
    painter_.setFont(footerFont);
    painter_.setPen(kGreyInk);
    QString footer = fromProgramText(report_.words.pageOf);
    footer.replace("%1", QString::number(pageNumber_)).replace("%2", QString::number(pageCount_));
    const double top = kPageHeight - kMargin - pageMetrics(footerFont, writer_).lineSpacing();
    const QRectF box(kMargin, top, kPageWidth - 2 * kMargin, kFooterHeight);
    drawTextLine(painter_, box, Qt::AlignLeft,
                 QString::fromUtf8("Granomet · ") + fromProgramText(report_.words.title));
    drawTextLine(painter_, box, Qt::AlignRight, footer);
  }

  void drawSummary() {
    for (std::size_t page = 0; page < summaryPages_.size() && !stopped_; ++page) {
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

  // Shepard's triangle on a page of its own, Folk's two on the next, each page
  // followed by the lists of the points without their number that go on.
  void layOutTriangles() {
    const UnlabelledWords words{fromProgramText(report_.words.unlabelled),
                                fromProgramText(report_.words.unlabelledGoesOn),
                                fromProgramText(report_.words.unlabelledElsewhere),
                                fromProgramText(report_.words.unlabelledContinued)};
    const QRectF body = bodyArea();
    const double half = (body.height() - kGap) / 2;
    for (std::size_t i = 0; i < report_.triangles.size() && i < 3; ++i) {
      const QRectF area =
          i == 0 ? body
                 : QRectF(body.left(), body.top() + static_cast<double>(i - 1) * (half + kGap),
                          body.width(), half);
      triangles_.emplace_back(report_.triangles[i], area, words, writer_);
    }
    std::vector<const TernaryPlot*> folk;
    for (std::size_t i = 1; i < triangles_.size(); ++i) {
      folk.push_back(&triangles_[i]);
    }
    if (!triangles_.empty()) {
      shepardLists_ = flowLists({&triangles_.front()}, body);
    }
    folkLists_ = flowLists(folk, body);
  }

  void drawTriangles() {
    // A list that goes on does so on the first page after the triangle's that holds a
    // piece of it.
    const auto goesOnAt = [this](const std::vector<ListPage>& pages, const TernaryPlot& plot) {
      for (std::size_t page = 0; page < pages.size(); ++page) {
        for (const ListPiece& piece : pages[page]) {
          if (piece.plot == &plot) {
            return pageNumber_ + 1 + static_cast<int>(page);
          }
        }
      }
      return 0;
    };
    const auto drawLists = [this](const std::vector<ListPage>& pages) {
      for (std::size_t page = 0; page < pages.size() && !stopped_; ++page) {
        newPage();
        drawListPage(painter_, pages[page], bodyArea());
      }
    };
    newPage();
    if (!triangles_.empty()) {
      triangles_[0].draw(painter_, goesOnAt(shepardLists_, triangles_[0]));
    }
    drawLists(shepardLists_);
    newPage();
    for (std::size_t i = 1; i < triangles_.size(); ++i) {
      triangles_[i].draw(painter_, goesOnAt(folkLists_, triangles_[i]));
    }
    drawLists(folkLists_);
  }

  ChartWords chartWords(const std::string& title, bool cumulative) const {
    return {fromProgramText(title), fromProgramText(report_.words.diameterAxis),
            fromProgramText(cumulative ? report_.words.finerAxis : report_.words.weightAxis),
            cumulative ? fromProgramText(report_.words.noCurve) : QString(), report_.decimalMark};
  }

  void drawAllCurves() {
    const QRectF body = bodyArea();
    const double half = (body.height() - kGap) / 2;
    for (std::size_t i = 0; i < report_.curvePages.size() && !stopped_; ++i) {
      const ReportCurvePage& page = report_.curvePages[i];
      newPage();
      drawCurveChart(painter_, QRectF(body.left(), body.top(), body.width(), half), page.curves,
                     CurveKind::Frequency, chartWords(page.frequencyTitle, false));
      drawCurveChart(painter_, QRectF(body.left(), body.top() + half + kGap, body.width(), half),
                     page.curves, CurveKind::Cumulative, chartWords(page.cumulativeTitle, true));
    }
  }

  void drawSample(const ReportSamplePage& sample, int index) {
    samplePages_.draw(painter_, sample, index, [this] { newPage(); });
  }

  const Report& report_;
  QPdfWriter& writer_;
  QPainter& painter_;
  const ReportProgress& progress_;
  const SinkDevice& device_;
  TableLayout summary_;
  SamplePages samplePages_;
  LotPages lotPages_;
  std::vector<std::pair<int, int>> summaryPages_;
  std::vector<TernaryPlot> triangles_;
  std::vector<ListPage> shepardLists_;
  std::vector<ListPage> folkLists_;
  int pageCount_ = 0;
  int pageNumber_ = 0;
  bool stopped_ = false;
};

}  // namespace

OutputEnd pdfReport(const Report& report, WholeFileSink& sink, const ReportProgress& progress) {
  SinkDevice device(sink);
  bool finished = false;
  bool ended = false;
  {
    QPdfWriter writer(&device);
    useReportPage(writer);
    writer.setCreator("Granomet");
    QString title = fromProgramText(report.words.title);
    if (!report.facts.empty()) {
      title += QString::fromUtf8(" · ") + fromProgramText(report.facts.front());
    }
    writer.setTitle(title);
    QPainter painter;
    if (!painter.begin(&writer)) {
      return OutputEnd::Failed;
    }
    finished = ReportPages(report, writer, painter, progress, device).draw();
    // A stopped drawing is ended too, so that the writer lets go of the device.
    ended = painter.end();
  }
  if (device.failure()) {
    std::rethrow_exception(device.failure());
  }
  if (!finished) {
    return OutputEnd::Stopped;
  }
  return ended ? OutputEnd::Made : OutputEnd::Failed;
}

ReportRenderer pdfRenderer() {
  return {[] {
            const std::vector<std::string> missing = missingReportFaces();
            return missing.empty() ? std::string() : messages::reportFontsMissing(missing);
          },
          pdfReport};
}

}  // namespace granomet::report
