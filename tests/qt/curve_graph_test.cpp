// The graph: curves join within a run, a new run clears them, the pointer names a curve.
#include "qt/curve_graph.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QHelpEvent>
#include <QLineSeries>
#include <QTest>
#include <QToolTip>
#include <QValueAxis>
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
  void curvesOfARunJoinAndANewRunClearsThem();
  void weightAxisHoldsTheHighestCurve_data();
  void weightAxisHoldsTheHighestCurve();
  void diameterAxisMarksTheFractionLimits();
  void restingOnACurveNamesItsSampleAndHighlightsItUntilANewRun();
  void theNameStaysWhileThePointerRests();
};

void CurveGraphTest::curvesOfARunJoinAndANewRunClearsThem() {
  CurveGraph graph(nullptr, ',');
  CurveValues x{}, y{};
  curve(8, x, y);
  graph.startRun();
  graph.plotCurve("M-01", x, y, {});
  graph.plotCurve("M-02", x, y, {});
  QCOMPARE(graph.curveCount(), 2);
  QCOMPARE(graph.curves().size(), std::size_t{2});
  QCOMPARE(graph.curves()[1]->count(), kSizeClasses);
  QCOMPARE(graph.curves()[1]->at(34), QPointF(x[34], y[34]));

  graph.startRun();
  QCOMPARE(graph.curveCount(), 0);
  QVERIFY(graph.curves().empty());
  graph.plotCurve("M-03", x, y, {});
  QCOMPARE(graph.curves().size(), std::size_t{1});

  // An export repeating order numbers can hand a run more curves than a lot has samples.
  for (int i = 0; i < 300; ++i) {
    graph.plotCurve("M-04", x, y, {});
  }
  QCOMPARE(graph.curves().size(), std::size_t{254});
}

void CurveGraphTest::weightAxisHoldsTheHighestCurve_data() {
  QTest::addColumn<double>("height");
  QTest::addColumn<double>("top");
  QTest::addColumn<double>("step");
  QTest::newRow("flat") << 0.0 << 5.0 << 1.0;
  QTest::newRow("low") << 4.2 << 5.0 << 1.0;
  QTest::newRow("14.6") << 14.6 << 15.0 << 5.0;
  QTest::newRow("all in one class") << 100.0 << 100.0 << 20.0;
}

void CurveGraphTest::weightAxisHoldsTheHighestCurve() {
  QFETCH(double, height);
  QFETCH(double, top);
  QFETCH(double, step);
  CurveGraph graph(nullptr, '.');
  CurveValues x{}, y{};
  curve(height, x, y);
  graph.plotCurve("M-01", x, y, {});
  const auto* axis = qobject_cast<QValueAxis*>(graph.chart()->axes(Qt::Vertical).front());
  QCOMPARE(axis->min(), 0.0);
  QCOMPARE(axis->max(), top);
  QCOMPARE(axis->tickInterval(), step);
}

void CurveGraphTest::diameterAxisMarksTheFractionLimits() {
  CurveGraph graph(nullptr, ',');
  auto* axis = qobject_cast<QCategoryAxis*>(graph.chart()->axes(Qt::Horizontal).front());
  QVERIFY(axis != nullptr);
  const QStringList labels = axis->categoriesLabels();
  for (const char* limit : {"4 µm", "63 µm", "2 mm"}) {
    QVERIFY2(labels.contains(QString::fromUtf8(limit)), limit);
  }
  QVERIFY(labels.contains(QString::fromUtf8("0,1 µm")));
  QCOMPARE(axis->endValue(QString::fromUtf8("63 µm")), std::log(63.0));
  QVERIFY(axis->min() < std::log(0.05) && axis->max() > std::log(8000.0));
}

// Its Windows-1252 name; drawn over curves added later until a new run.
void CurveGraphTest::restingOnACurveNamesItsSampleAndHighlightsItUntilANewRun() {
  CurveGraph graph(nullptr, '.');
  CurveValues x{}, y{};
  curve(8, x, y);
  graph.plotCurve(
      "Pe\xF1"
      "a-7",
      x, y, {});
  QLineSeries* series = graph.curves().front();
  emit series->hovered(series->at(30), true);
  QCOMPARE(graph.pointerTip(), QString::fromUtf8("Peña-7"));
  const auto* drawnLast = static_cast<QLineSeries*>(graph.chart()->series().back());
  QCOMPARE(drawnLast->points(), series->points());
  graph.plotCurve("M-03", x, y, {});
  QCOMPARE(graph.chart()->series().back(), drawnLast);
  graph.startRun();
  QCOMPARE(graph.highlightedCurve(), -1);
  QVERIFY(!graph.chart()->series().contains(drawnLast));
}

// Qt hides a tooltip when the pointer has rested a moment on a view without one;
// the curve's name must stay while the pointer stays on the curve.
void CurveGraphTest::theNameStaysWhileThePointerRests() {
  CurveGraph graph(nullptr, '.');
  graph.resize(600, 250);
  graph.show();
  QVERIFY(QTest::qWaitForWindowExposed(&graph));
  CurveValues x{}, y{};
  curve(8, x, y);
  graph.plotCurve("M-01", x, y, {});
  QLineSeries* series = graph.curves().front();
  const QPoint onCurve = graph.mapFromScene(graph.chart()->mapToPosition(series->at(34), series));
  QTest::mouseMove(graph.viewport(), onCurve);
  QTRY_COMPARE(graph.hoveredName(), QString("M-01"));
  QTRY_VERIFY(QToolTip::isVisible());
  QHelpEvent rest(QEvent::ToolTip, onCurve, graph.viewport()->mapToGlobal(onCurve));
  QApplication::sendEvent(graph.viewport(), &rest);
  QVERIFY(QToolTip::isVisible());
  QCOMPARE(QToolTip::text(), QString("M-01"));

  QTest::mouseMove(graph.viewport(), onCurve + QPoint(0, 1));
  QCOMPARE(graph.hoveredName(), QString("M-01"));
  QTest::mouseMove(graph.viewport(), QPoint(5, 5));
  QTRY_VERIFY(graph.hoveredName().isEmpty());
  QTRY_VERIFY(!QToolTip::isVisible());
}

QTEST_MAIN(CurveGraphTest)
#include "curve_graph_test.moc"
