// The graph: its axes, the pointer naming a curve, curves joining within a run until a new one.
#include "qt/curve_graph.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QHelpEvent>
#include <QLineSeries>
#include <QTest>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

using namespace granomet;

namespace {

// A bell of the given height over the 68 classes.
void curve(double height, CurveValues& x, CurveValues& y) {
  for (int i = 0; i < kSizeClasses; ++i) {
    const auto slot = static_cast<std::size_t>(i);
    x[slot] = static_cast<float>(std::log(8000.0) - i * 0.2);
    y[slot] = static_cast<float>(height * std::exp(-std::pow((i - 34) / 8.0, 2)));
  }
}

}  // namespace

class CurveGraphTest : public QObject {
  Q_OBJECT

 private slots:
  // The weight axis holds the highest curve; the diameter axis marks the fraction limits.
  void theAxesHoldTheCurvesAndMarkTheFractionLimits() {
    const struct {
      double height, top, step;
    } rows[] = {{0.0, 5.0, 1.0}, {4.2, 5.0, 1.0}, {14.6, 15.0, 5.0}, {100.0, 100.0, 20.0}};
    for (const auto& row : rows) {
      CurveGraph graph(nullptr, '.');
      CurveValues x{}, y{};
      curve(row.height, x, y);
      graph.plotCurve("M-01", x, y, {});
      const auto* axis = qobject_cast<QValueAxis*>(graph.chart()->axes(Qt::Vertical).front());
      QCOMPARE(QList<double>({axis->min(), axis->max(), axis->tickInterval()}),
               QList<double>({0.0, row.top, row.step}));
    }
    CurveGraph graph(nullptr, ',');
    auto* axis = qobject_cast<QCategoryAxis*>(graph.chart()->axes(Qt::Horizontal).front());
    QVERIFY(axis != nullptr);
    for (const char* limit : {"4 µm", "63 µm", "2 mm", "0,1 µm"}) {
      QVERIFY2(axis->categoriesLabels().contains(QString::fromUtf8(limit)), limit);
    }
    QCOMPARE(axis->endValue(QString::fromUtf8("63 µm")), std::log(63.0));
    QVERIFY(axis->min() < std::log(0.05) && axis->max() > std::log(8000.0));
  }

  // The pointer on a curve names its sample (Windows-1252) and highlights it: the name
  // stays while the pointer rests on the curve, though Qt hides a tooltip when the
  // pointer rests on a view without one; the highlight is drawn over curves added
  // later, until a new run clears the curves. An export repeating order numbers can hand
  // a run more curves than a lot has samples.
  void restingOnACurveHighlightsItUntilANewRunClearsTheCurves() {
    CurveGraph graph(nullptr, '.');
    graph.resize(600, 250);
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    CurveValues x{}, y{};
    curve(8, x, y);
    graph.plotCurve("Pe\361a-7", x, y, {});  // ñ in Windows-1252
    QLineSeries* series = graph.curves().front();
    const QPoint onCurve = graph.mapFromScene(graph.chart()->mapToPosition(series->at(34), series));
    QTest::mouseMove(graph.viewport(), onCurve);
    const QString name = QString::fromUtf8("Peña-7");
    QTRY_COMPARE(graph.hoveredName(), name);
    QCOMPARE(graph.pointerTip(), name);
    QTRY_VERIFY(QToolTip::isVisible());
    QHelpEvent rest(QEvent::ToolTip, onCurve, graph.viewport()->mapToGlobal(onCurve));
    QApplication::sendEvent(graph.viewport(), &rest);
    QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), name);
    const auto* drawnLast = static_cast<QLineSeries*>(graph.chart()->series().back());
    QCOMPARE(drawnLast->points(), series->points());

    QTest::mouseMove(graph.viewport(), onCurve + QPoint(0, 1));
    QCOMPARE(graph.hoveredName(), name);
    QTest::mouseMove(graph.viewport(), QPoint(5, 5));
    QTRY_VERIFY(graph.hoveredName().isEmpty());
    QTRY_VERIFY(!QToolTip::isVisible());

    graph.plotCurve("M-03", x, y, {});
    QCOMPARE(graph.curveCount(), 2);
    QCOMPARE(graph.curves()[1]->at(34), QPointF(x[34], y[34]));
    const auto widest = [&graph] {
      const QList<QAbstractSeries*> drawn = graph.chart()->series();
      return static_cast<QLineSeries*>(
          *std::max_element(drawn.begin(), drawn.end(), [](QAbstractSeries* a, QAbstractSeries* b) {
            return static_cast<QLineSeries*>(a)->pen().width() <
                   static_cast<QLineSeries*>(b)->pen().width();
          }));
    };
    const int curveWidth = series->pen().width();
    QCOMPARE(graph.chart()->series().back(), widest());
    QCOMPARE(widest()->points(), series->points());
    // Samples selected in turn, then none, as reading a new lot leaves them: drawn each time.
    for (const int index : {1, 0, 1, -1, 0}) {
      graph.highlightCurve(index);
      graph.viewport()->repaint();
      QCOMPARE(widest()->pen().width() > curveWidth, index >= 0);
    }
    graph.startRun();
    QCOMPARE(graph.highlightedCurve(), -1);
    QVERIFY(widest()->pen().width() <= curveWidth && graph.curveCount() == 0 &&
            graph.curves().empty());
    for (int i = 0; i < 300; ++i) {
      graph.plotCurve("M-04", x, y, {});
    }
    QCOMPARE(graph.curves().size(), std::size_t{254});
  }
};

QTEST_MAIN(CurveGraphTest)
#include "curve_graph_test.moc"
