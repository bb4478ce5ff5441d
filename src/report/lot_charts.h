// The lot's views, each laid out in a rectangle and drawn there, for the report's pages and the
// window's lot views alike: the sample map, the two bivariate plots and a core's depth profile.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <memory>
#include <optional>
#include <vector>

#include "report/lot_colours.h"
#include "statistics/geo_point.h"
#include "workflow/lot_view.h"

class QPainter;

namespace granomet::report {

// Every view copies what it draws when it is laid out: the lot's view, the background
// and the words need not outlive it. textPoints: the size of its smallest text in the
// device's units (the page's points, kSmallestPoints and up; the window's pixels), the
// whole view laid out in those units. decimalMark: the numbers'.
// highlighted: a sample drawn larger, over the others; -1 none.

// The samples at their positions in an equirectangular view scaled by the cosine of
// its central latitude, fitted to them with a margin; the background in grey under
// them, clipped to the frame; graticule, scale bar, north arrow and legend; the
// samples without a position listed under it.
class SampleMap {
 public:
  SampleMap(const LotView& view, const std::vector<GeoPath>& background, MapColouring colouring,
            const LotViewWords& words, const QRectF& area, double textPoints,
            char decimalMark = '.');
  void draw(QPainter& painter, int highlighted = -1) const;
  // The rectangle the map itself fills, inside area.
  QRectF frame() const;
  // Where a position is drawn; nullopt outside the frame.
  std::optional<QPointF> placeOf(GeoPoint position) const;
  // The first sample of the station under the position, or -1.
  int sampleAt(QPointF position) const;

 private:
  struct Layout;
  std::shared_ptr<const Layout> layout_;
};

enum class BivariateKind { MeanSorting, SortingSkewness };

// One of the two classic plots, Folk & Ward in phi, with the bands of the
// descriptive terms shaded and named at their published limits.
class BivariatePlot {
 public:
  BivariatePlot(const LotView& view, BivariateKind kind, MapColouring colouring,
                const LotViewWords& words, const QRectF& area, double textPoints,
                char decimalMark = '.');
  void draw(QPainter& painter, int highlighted = -1) const;
  std::optional<QPointF> placeOf(int sample) const;
  int sampleAt(QPointF position) const;

 private:
  struct Layout;
  std::shared_ptr<const Layout> layout_;
};

// A core against depth in cm, increasing downwards: the Folk & Ward mean and sorting
// (phi) and the stacked gravel, sand, silt and clay percentages.
class DepthProfile {
 public:
  DepthProfile(const LotView& view, const SampleCore& core, const LotViewWords& words,
               const QRectF& area, double textPoints, char decimalMark = '.');
  void draw(QPainter& painter, int highlighted = -1) const;
  int sampleAt(QPointF position) const;

 private:
  struct Layout;
  std::shared_ptr<const Layout> layout_;
};

}  // namespace granomet::report
