// A triangle with its fields named and every sample's point numbered, laid out before it is drawn:
// numbers with no free place beside their point are listed under it and on continuation pages.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "report/report_style.h"
#include "report/ternary_frame.h"
#include "workflow/report_content.h"

class QPaintDevice;
class QPainter;

namespace granomet::report {

// Headings of the list of points whose number found no place beside them.
struct UnlabelledWords {
  QString heading;    // how many (%1)
  QString goesOn;     // how many (%1), and the page where the list goes on (%2)
  QString elsewhere;  // how many (%1), and the page where the list starts (%2)
  QString continued;  // heading of the continuation pages
};

class TernaryPlot {
 public:
  // area: the triangle's, with its key, note and the start of the list under it;
  // page: the device the list is drawn on, which its columns are measured for. The
  // triangle and the device must outlive the plot.
  TernaryPlot(const ReportTriangle& triangle, const QRectF& area, const UnlabelledWords& words,
              const QPaintDevice& page);

  // The points listed: the first ones under the triangle, the others on
  // continuation pages as wide as its area.
  std::size_t unlabelled() const { return unlabelled_.size(); }
  std::size_t listedHere() const { return listedHere_; }
  // goesOnAt: the report's page where the list goes on; 0 where it all fits here.
  void draw(QPainter& painter, int goesOnAt) const;

  // A piece of the list on a continuation page: a heading, the columns' titles and
  // entries [first, end) down `rows` lines, then across the page's columns of
  // entries; a name that wraps takes more than one line.
  double pieceHeight(int rows) const;
  // The end of the entries from first that the columns of `rows` lines hold.
  std::size_t entriesFitting(std::size_t first, int rows) const;
  // The fewest lines, no more than most, that hold the entries from first on.
  int linesFor(std::size_t first, int most) const;
  void drawPiece(QPainter& painter, QPointF topLeft, std::size_t first, std::size_t end,
                 int rows) const;

 private:
  struct Field {
    QPolygonF polygon;
    QRectF label;  // empty: too thin for its name
    QString name;
  };
  struct Corner {
    QRectF room;
    Qt::Alignment align;
    QString name;
  };
  struct Number {
    std::size_t point;
    QRectF box;
    QLineF leader;  // away from its point, joined to it by this line; null beside it
  };
  // A listed point's texts and their widths on the page.
  struct Entry {
    std::array<QString, 6> text;
    std::array<double, 6> width;
    QStringList nameLines;  // the name whole, over as many lines as its column needs
  };

  QPointF at(TernaryShares shares) const;
  // Text measured on the page it is drawn on.
  QFontMetricsF metricsOf(const QFont& font) const;
  QRectF pointBox(std::size_t point) const;
  void layOutFields();
  void layOutCorners();
  void placeNumbers();
  void layOutList();
  // Entries [first, end) of the list in columns of `rows` entries, from topLeft.
  void drawList(QPainter& painter, QPointF topLeft, std::size_t first, std::size_t end,
                int rows) const;
  double drawKey(QPainter& painter, double top) const;

  const ReportTriangle* triangle_;
  const QPaintDevice* page_;
  QRectF area_;
  UnlabelledWords words_;

  QFont titleFont_;
  QFont cornerFont_;
  QFont fieldFont_;
  QFont numberFont_;
  QFont keyFont_;
  QFont headerFont_;
  TernaryFrame frame_;
  std::vector<QString> key_;
  std::vector<Field> fields_;
  std::vector<Corner> corners_;
  std::vector<QRectF> taken_;  // field names and corners, before the points
  std::vector<QPointF> places_;
  std::vector<Number> numbers_;
  std::vector<Entry> unlabelled_;
  WrappedText note_;  // wrapped once the list is laid out
  double noteTop_ = 0;
  double listTop_ = 0;
  std::array<double, 6> widths_{};
  double entryWidth_ = 0;
  int entryColumns_ = 1;
  int rowsHere_ = 0;
  std::size_t listedHere_ = 0;
};

// A piece of a triangle's list on a continuation page, `top` from the page's top.
struct ListPiece {
  const TernaryPlot* plot;
  std::size_t first;
  std::size_t end;
  int rows;
  double top;
};
using ListPage = std::vector<ListPiece>;

// What does not fit under the triangles, one list after the other, on as many
// pages with this body as it takes.
std::vector<ListPage> flowLists(const std::vector<const TernaryPlot*>& plots, const QRectF& body);
void drawListPage(QPainter& painter, const ListPage& page, const QRectF& body);

}  // namespace granomet::report
