// The lot's views on their own: each point painted where the window is told it is and found there
// again, the background kept inside the map's frame, the bivariate plots' bands shaded at the
// terms' limits, a core's levels down its depth axis, and the report's pages of the lot counted.
#include "report/lot_charts.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTest>
#include <cmath>
#include <limits>
#include <set>

#include "report/chart_axes.h"
#include "report/lot_pages.h"
#include "samplegen/synthetic_lot.h"

using namespace granomet;
using namespace granomet::report;

namespace {

// What draw paints on white paper of the size.
template <typename Draw>
QImage painted(QSizeF size, Draw draw) {
  QImage image(size.toSize(), QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    draw(painter);
  }
  return image;
}

LotViewSample sampleAt(double mean, double sorting, double skewness, int shepard) {
  LotViewSample sample;
  sample.label = std::to_string(shepard);
  sample.meanPhi = mean;
  sample.sortingPhi = sorting;
  sample.skewnessPhi = skewness;
  sample.shepardCode = shepard;
  return sample;
}

bool sameColour(QRgb pixel, const QColor& colour) {
  const QColor seen(pixel);
  return std::abs(seen.red() - colour.red()) <= 2 && std::abs(seen.green() - colour.green()) <= 2 &&
         std::abs(seen.blue() - colour.blue()) <= 2;
}

}  // namespace

class LotChartsTest : public QObject {
  Q_OBJECT

 private slots:
  // Each station painted in its sample's colour where placeOf says, on pages and windows
  // of any shape; the highlighted one too; the first of its samples found there.
  void mapStationsAreWhereTheyAreSaidToBe() {
    const LotView view = tools::syntheticLotView({15, 0, 1, 1, 1});
    const LotViewWords words = lotViewWords();
    for (const QSize size : {QSize(1000, 700), QSize(400, 900), QSize(900, 300)}) {
      for (const int highlighted : {-1, 4, 12}) {
        const QRectF area(QPointF(5, 5), QSizeF(size) - QSizeF(10, 10));
        const SampleMap map(view, {}, MapColouring::Folk, words, area, 10);
        QVERIFY(area.contains(map.frame()));
        const QImage image = painted(size, [&](QPainter& p) { map.draw(p, highlighted); });
        for (const MapStation& station : view.stations) {
          const auto place = map.placeOf(station.position);
          QVERIFY(place);
          QVERIFY(map.frame().contains(*place));
          const int first = station.samples.front();
          QCOMPARE(map.sampleAt(*place + QPointF(1, -1)), first);
          const QColor colour =
              colourOf(view.samples[static_cast<std::size_t>(first)], MapColouring::Folk);
          QVERIFY2(sameColour(image.pixel(place->toPoint()), colour),
                   qPrintable(QString("sample %1").arg(first)));
        }
        QCOMPARE(map.sampleAt(area.topLeft() - QPointF(50, 50)), -1);
      }
    }
    // A lot without a single position draws no map of nowhere.
    LotView unplaced = view;
    unplaced.stations.clear();
    unplaced.withoutPosition = {0, 1, 2};
    const SampleMap map(unplaced, {}, MapColouring::Folk, words, QRectF(0, 0, 500, 400), 10);
    QVERIFY(map.frame().isEmpty());
    QVERIFY(!map.placeOf(view.stations[0].position));
    QCOMPARE(map.sampleAt(QPointF(250, 200)), -1);
  }

  // Lines and rings that cross the whole area are drawn inside the frame only, and
  // never where nothing of them lies.
  void theBackgroundStaysInsideTheFrame() {
    LotView view;
    view.samples = {sampleAt(2, 1, 0, 2), sampleAt(3, 1, 0, 3)};
    view.samples[0].position = GeoPoint{-6.5, 36.5};
    view.samples[1].position = GeoPoint{-6.4, 36.6};
    view.stations = {{{-6.5, 36.5}, {0}}, {{-6.4, 36.6}, {1}}};
    const std::vector<GeoPath> background{
        {{{-20, 36.55}, {20, 36.55}}, false},              // across, west to east
        {{{-6.45, 20}, {-6.45, 50}}, false},               // across, south to north
        {{{-9, 30}, {-3, 30}, {-3, 33}, {-9, 33}}, true},  // far south of the view
        {{{-6.6, 36.4}, {-6.3, 36.4}, {-6.3, 36.7}, {-6.6, 36.7}}, true}};  // around the lot
    const QRectF area(0, 0, 800, 600);
    const SampleMap map(view, background, MapColouring::Shepard, lotViewWords(), area, 10);
    const QImage image = painted(area.size(), [&](QPainter& p) { map.draw(p); });
    const QRectF frame = map.frame();
    const QPointF centreLine = *map.placeOf({-6.45, 36.55});
    // Just outside the frame, in line with the crossing lines: nothing drawn there.
    for (const QPointF outside :
         {QPointF(frame.left() - 3, centreLine.y()), QPointF(centreLine.x(), frame.top() - 3)}) {
      QCOMPARE(QColor(image.pixel(outside.toPoint())), QColor(Qt::white));
    }
    // Inside, the lines are there, and the ring round the lot is filled.
    for (const QPointF inside : {QPointF(frame.left() + 40, centreLine.y()),
                                 QPointF(centreLine.x(), frame.bottom() - 40)}) {
      QVERIFY(QColor(image.pixel(inside.toPoint())) != QColor(Qt::white));
    }
  }

  // The bands change shade exactly at a term's limit, both ways: 2 phi for the mean,
  // 0.7 phi for the sorting; the points found where they are drawn.
  void bivariateBandsChangeAtTheTermsLimits() {
    LotView view;
    view.samples = {sampleAt(1.5, 0.6, -0.2, 2), sampleAt(2.5, 0.8, 0.2, 9),
                    sampleAt(2.0, std::nan(""), 0, 4)};
    view.samples[2].sortingPhi.reset();
    const QRectF area(0, 0, 900, 600);
    const BivariatePlot plot(view, BivariateKind::MeanSorting, MapColouring::Shepard,
                             lotViewWords(), area, 10);
    QVERIFY(!plot.placeOf(2));
    const QPointF a = *plot.placeOf(0), b = *plot.placeOf(1);
    QCOMPARE(plot.sampleAt(a), 0);
    QCOMPARE(plot.sampleAt(b + QPointF(2, 0)), 1);
    // The plot's own scale, from the two points.
    const auto xOf = [&](double mean) { return a.x() + (mean - 1.5) / 1.0 * (b.x() - a.x()); };
    const auto yOf = [&](double sorting) {
      return a.y() + (sorting - 0.6) / 0.2 * (b.y() - a.y());
    };
    const QImage image = painted(area.size(), [&](QPainter& p) { plot.draw(p); });
    const auto shade = [&image](double x, double y) {
      return QColor(image.pixel(static_cast<int>(std::round(x)), static_cast<int>(std::round(y))));
    };
    const double dx = 0.03 * (b.x() - a.x()), dy = 0.015 / 0.2 * (a.y() - b.y());
    QVERIFY(shade(xOf(2) - dx, yOf(0.55)) != shade(xOf(2) + dx, yOf(0.55)));
    QCOMPARE(shade(xOf(1.6) - dx, yOf(0.55)), shade(xOf(1.9), yOf(0.55)));
    QVERIFY(shade(xOf(1.2), yOf(0.7) + dy) != shade(xOf(1.2), yOf(0.7) - dy));
    QCOMPARE(shade(xOf(1.2), yOf(0.65)), shade(xOf(1.2), yOf(0.55)));
    QCOMPARE(colourOf(view.samples[1], MapColouring::Shepard), QColor(image.pixel(b.toPoint())));
  }

  // Found again down the depth axis: every level, shallowest on top, each as tall as its
  // centimetres; a level given as one figure still found; unread depths nowhere.
  void coreLevelsFollowTheirDepth() {
    const LotView view = tools::syntheticLotView({12, 1, 0, 0, 4});
    SampleCore core = view.cores.front();
    core.levels = {{core.levels[0].sample, 0, 10},
                   {core.levels[1].sample, 10, 30},
                   {core.levels[2].sample, 30, 40},
                   {core.levels[3].sample, 55, 55}};
    const QRectF area(0, 0, 700, 500);
    const DepthProfile profile(view, core, lotViewWords(), area, 10);
    std::vector<std::vector<int>> rows(core.levels.size());
    for (int y = 0; y < 500; ++y) {
      std::set<int> found;
      for (int x = 0; x < 700; x += 7) {
        found.insert(profile.sampleAt(QPointF(x, y)));
      }
      found.erase(-1);
      QVERIFY(found.size() <= 1);
      for (std::size_t level = 0; level < core.levels.size(); ++level) {
        if (found.count(core.levels[level].sample) != 0) {
          rows[level].push_back(y);
        }
      }
      QVERIFY(found.count(core.unreadDepths.front()) == 0);
    }
    for (std::size_t level = 0; level < rows.size(); ++level) {
      QVERIFY2(
          !rows[level].empty() && (level == 0 || rows[level].front() > rows[level - 1].front()),
          qPrintable(QString("level %1").arg(level)));
    }
    // Where one level gives way to the next, 10 and 30 cm; the thin level's middle, 55 cm.
    const double at10 = rows[1].front(), at30 = rows[2].front();
    const double at55 = (rows[3].front() + rows[3].back()) / 2.0;
    QVERIFY(at30 - at10 > 50);
    QVERIFY(std::abs((at55 - at30) / (at30 - at10) - 25.0 / 20) < 0.03);
  }

  // Figures of a results file edited by hand far beyond any sediment are drawn, and
  // soon: no axis steps forever through values its step cannot move, nor divides by
  // a span of nothing.
  void figuresBeyondAnySedimentAreDrawn() {
    // Nothing drawn at a place that is not a number.
    QTest::failOnWarning(QRegularExpression("NaN"));
    const double huge = 1e300;
    LotView view = tools::syntheticLotView({10, 1, 0, 0, 6});
    for (LotViewSample& sample : view.samples) {
      sample.meanPhi = huge;
      sample.sortingPhi = huge;
      sample.skewnessPhi = -huge;
    }
    view.samples[0].meanPhi = std::nan("");
    view.samples[1].sortingPhi = std::numeric_limits<double>::infinity();
    view.cores.front().levels.back().bottomCm = 1e15;
    const QRectF area(0, 0, 600, 400);
    const LotViewWords words = lotViewWords();
    painted(area.size(), [&](QPainter& painter) {
      for (const BivariateKind kind :
           {BivariateKind::MeanSorting, BivariateKind::SortingSkewness}) {
        BivariatePlot(view, kind, MapColouring::Mean, words, area, 10).draw(painter, 2);
      }
      DepthProfile(view, view.cores.front(), words, area, 10).draw(painter, 2);
      SampleMap(view, {}, MapColouring::Mean, words, area, 10).draw(painter, 2);
      // And nothing at all, as the window has before a run; a rectangle too small to
      // hold anything.
      for (const QRectF& room : {area, QRectF(0, 0, 3, 2)}) {
        SampleMap({}, {}, MapColouring::Shepard, words, room, 10).draw(painter, 0);
        BivariatePlot({}, BivariateKind::MeanSorting, MapColouring::Shepard, words, room, 10)
            .draw(painter, 0);
        DepthProfile({}, {}, words, room, 10).draw(painter, 0);
      }
    });
  }

  // Every class and group a colour of its own, none the unknown's grey, none too pale to
  // see on white paper; the mean darkening from coarse to fine and kept at its ends.
  void eachPaletteTellsItsClassesApart() {
    const auto luminance = [](const QColor& c) {
      return 0.2126 * c.redF() + 0.7152 * c.greenF() + 0.0722 * c.blueF();
    };
    std::vector<QColor> shepard, folk;
    for (int code = 1; code <= 10; ++code) {
      shepard.push_back(shepardColour(code));
    }
    for (int group = 0; group <= static_cast<int>(FolkGroup::Clay); ++group) {
      folk.push_back(folkColour(static_cast<FolkGroup>(group)));
    }
    for (const std::vector<QColor>& palette : {shepard, folk}) {
      std::set<QRgb> apart{kUnknownColour.rgb()};
      for (const QColor& colour : palette) {
        QVERIFY2(apart.insert(colour.rgb()).second && luminance(colour) < 0.85,
                 qPrintable(colour.name()));
      }
    }
    for (const int code : {0, 11, -3}) {
      QCOMPARE(shepardColour(code), kUnknownColour);
    }
    double before = 2;
    for (double phi = kMeanColourCoarse; phi <= kMeanColourFine; phi += 0.5) {
      const double now = luminance(meanColour(phi));
      QVERIFY2(now < before, qPrintable(QString::number(phi)));
      before = now;
    }
    QCOMPARE(meanColour(kMeanColourCoarse - 5), meanColour(kMeanColourCoarse));
    QCOMPARE(meanColour(kMeanColourFine + 5), meanColour(kMeanColourFine));
    LotViewSample unknown;
    for (const MapColouring colouring :
         {MapColouring::Shepard, MapColouring::Folk, MapColouring::Mean}) {
      QCOMPARE(colourOf(unknown, colouring), kUnknownColour);
    }
  }

  // An axis's ticks: every round value inside it, the ends included, labelled with
  // the step's decimals and never "-0"; none where the step cannot move on.
  void ticksAreTheStepsRoundValues() {
    struct Case {
      double from, to, step;
      QStringList labels;
    };
    for (const auto& [from, to, step, labels] : std::vector<Case>{
             {0.35, 2.2, 0.5, {"0,5", "1,0", "1,5", "2,0"}},
             {-0.3, 0.3, 0.1, {"-0,3", "-0,2", "-0,1", "0,0", "0,1", "0,2", "0,3"}},
             {-1, 9, 2, {"0", "2", "4", "6", "8"}},
             {0, 40, 10, {"0", "10", "20", "30", "40"}},
             {0.7, 1.05, 0.05, {"0,70", "0,75", "0,80", "0,85", "0,90", "0,95", "1,00", "1,05"}},
             {1e300, 1e300, 0.01, {}},
             {0, 1e9, 1e-3, {}},
         }) {
      QStringList seen;
      for (const double value : ticksOf(from, to, step)) {
        seen << tickLabel(value, step, ',');
      }
      QCOMPARE(seen, labels);
    }
  }

  // A lot without samples has no pages; a lot's pages, counted and drawn, are in the reviewed
  // reports of granomet_informe_tests.
  void aLotWithoutSamplesHasNoPages() {
    QBuffer buffer;
    QPdfWriter writer(&buffer);
    QCOMPARE(LotPages(Report{}, writer).pageCount(), 0);
  }
};

QTEST_MAIN(LotChartsTest)
#include "lot_charts_test.moc"
