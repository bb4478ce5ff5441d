#include "report/lot_pages.h"

#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "report/report_style.h"

namespace granomet::report {
namespace {

constexpr double kTitlePoints = 12;
constexpr double kTablePoints = 8;
constexpr double kGap = 12;

}  // namespace

LotPages::LotPages(const Report& report, const QPaintDevice& page)
    : report_(&report),
      titleFont_(reportFont(kTitlePoints, true)),
      titleHeight_(pageMetrics(titleFont_, page).lineSpacing() + kGap),
      tableFonts_(kTablePoints, page),
      drawn_(!report.lot.samples.empty()) {
  if (!drawn_) {
    return;
  }
  for (const ReportTable& table : report.lotSummary) {
    tables_.emplace_back(table, bodyArea().width(), tableFonts_);
  }
  paginateSummary();
}

// The tables one after the other under the page's title, each going on over as many
// pages as its rows take; a table goes to the next page where not even its title,
// header and first row fit.
void LotPages::paginateSummary() {
  if (tables_.empty()) {
    return;  // no summary, no page for it
  }
  const double height = bodyArea().height();
  summaryPages_.emplace_back();
  double y = titleHeight_;
  for (std::size_t t = 0; t < tables_.size(); ++t) {
    const TableLayout& table = tables_[t];
    const int rows = static_cast<int>(report_->lotSummary[t].rows.size());
    int first = 0;
    do {
      int fitting = table.rowsFitting(first, height - y);
      const bool fits = rows > first ? fitting > 0 : table.sliceHeight(0, 0) <= height - y;
      if (!fits && !summaryPages_.back().empty()) {
        summaryPages_.emplace_back();
        y = 0;
        fitting = table.rowsFitting(first, height);
      }
      const int end = std::min(rows, first + std::max(fitting, 1));
      summaryPages_.back().push_back({t, first, end, y});
      y += table.sliceHeight(first, end) + kGap;
      first = end;
    } while (first < rows);
  }
}

int LotPages::pageCount() const {
  if (!drawn_) {
    return 0;
  }
  return 2 + static_cast<int>(summaryPages_.size()) + static_cast<int>(report_->lot.cores.size());
}

void LotPages::drawTitle(QPainter& painter, const std::string& title) const {
  painter.setFont(titleFont_);
  painter.setPen(kInk);
  drawTextLine(painter, QRectF(bodyArea().left(), bodyArea().top(), bodyArea().width(), 20),
               Qt::AlignLeft, fromProgramText(title));
}

void LotPages::draw(QPainter& painter, const std::function<bool()>& newPage) const {
  if (!drawn_) {
    return;
  }
  const Report& report = *report_;
  const LotViewWords& words = report.lotWords;
  const QRectF body = bodyArea();
  const double top = titleHeight_;
  const QRectF below(body.left(), body.top() + top, body.width(), body.height() - top);
  if (!newPage()) {
    return;
  }
  drawTitle(painter, words.mapTitle);
  SampleMap(report.lot, report.mapBackground, MapColouring::Shepard, words, below, kSmallestPoints,
            report.decimalMark)
      .draw(painter);

  if (!newPage()) {
    return;
  }
  drawTitle(painter, words.bivariateTitle);
  const double half = (below.height() - kGap) / 2;
  BivariatePlot(report.lot, BivariateKind::MeanSorting, MapColouring::Shepard, words,
                QRectF(below.left(), below.top(), below.width(), half), kSmallestPoints,
                report.decimalMark)
      .draw(painter);
  BivariatePlot(report.lot, BivariateKind::SortingSkewness, MapColouring::Shepard, words,
                QRectF(below.left(), below.top() + half + kGap, below.width(), half),
                kSmallestPoints, report.decimalMark)
      .draw(painter);

  for (std::size_t page = 0; page < summaryPages_.size(); ++page) {
    if (!newPage()) {
      return;
    }
    if (page == 0) {
      drawTitle(painter, words.summaryTitle);
    }
    for (const Piece& piece : summaryPages_[page]) {
      const ReportTable& table = report.lotSummary[piece.table];
      // A table that goes on says so, as a sample's pages do.
      const std::string title =
          piece.first > 0 ? table.title + report.sampleWords.continued : table.title;
      tables_[piece.table].draw(painter, QPointF(body.left(), body.top() + piece.top), piece.first,
                                piece.end, fromProgramText(title));
    }
  }

  for (const SampleCore& core : report.lot.cores) {
    if (!newPage()) {
      return;
    }
    drawTitle(painter, words.profileTitle);
    DepthProfile(report.lot, core, words, below, kSmallestPoints, report.decimalMark).draw(painter);
  }
}

int drawLotPagesAlone(const Report& report, QPdfWriter& writer) {
  useReportPage(writer);
  QPainter painter(&writer);
  const LotPages pages(report, writer);
  bool first = true;
  pages.draw(painter, [&] {
    if (!first) {
      writer.newPage();
    }
    first = false;
    return true;
  });
  painter.end();
  return pages.pageCount();
}

}  // namespace granomet::report
