// The report's pages of the lot seen whole: the sample map, the bivariate plots, the lot's
// summary tables and a depth profile for each core, laid out before they are drawn.
#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <functional>
#include <vector>

#include "report/lot_charts.h"
#include "report/report_table.h"
#include "workflow/report_content.h"

class QPainter;
class QPaintDevice;
class QPdfWriter;

namespace granomet::report {

class LotPages {
 public:
  // The report and the device must outlive the pages.
  LotPages(const Report& report, const QPaintDevice& page);

  // None where the lot has no samples; the summary's only where it has tables.
  int pageCount() const;

  // Draws the pages, each begun by newPage, which returns false where the report
  // has been stopped: nothing more is drawn then.
  void draw(QPainter& painter, const std::function<bool()>& newPage) const;

 private:
  // A slice of a summary table on a page, `top` from the body's top.
  struct Piece {
    std::size_t table;
    int first;
    int end;
    double top;
  };
  void paginateSummary();
  void drawTitle(QPainter& painter, const std::string& title) const;

  const Report* report_;
  QFont titleFont_;
  double titleHeight_;  // with the room under the title
  TableFonts tableFonts_;
  std::vector<TableLayout> tables_;
  std::vector<std::vector<Piece>> summaryPages_;
  bool drawn_ = false;  // the lot has samples
};

// The lot's pages alone, as a document of their own on the writer (the pictures tool
// and the benchmark); how many were drawn.
int drawLotPagesAlone(const Report& report, QPdfWriter& writer);

}  // namespace granomet::report
