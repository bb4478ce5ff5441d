// The ternary window on its own: the triangle's shape at any size, what each place says,
// and the points painted where they are said to be.
#include "qt/ternary_window.h"

#include <QImage>
#include <QLineF>
#include <QTest>
#include <cmath>

using namespace granomet;

namespace {

PlottedSample sample(const char* name, SampleComposition composition, QColor color = Qt::blue) {
  return {name, composition, color};
}

}  // namespace

class TernaryWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void keepsItsShapeAtAnySize_data();
  void keepsItsShapeAtAnySize();
  void eachPlaceNamesItsFieldOrSample_data();
  void eachPlaceNamesItsFieldOrSample();
  void pointsArePaintedWhereTheyAreSaidToBe();
};

void TernaryWindowTest::keepsItsShapeAtAnySize_data() {
  QTest::addColumn<QSize>("size");
  QTest::newRow("opened") << QSize(560, 520);
  QTest::newRow("wide") << QSize(900, 300);
  QTest::newRow("tall") << QSize(300, 800);
}

void TernaryWindowTest::keepsItsShapeAtAnySize() {
  QFETCH(QSize, size);
  TernaryWindow window(nullptr);
  window.resize(size);
  window.setSamples({sample("clay", {0, 0, 0, 100, 1}), sample("sand", {0, 100, 0, 0, 2}),
                     sample("silt", {0, 0, 100, 0, 3})});
  const QPointF top = *window.pointOf(0);
  const QPointF left = *window.pointOf(1);
  const QPointF right = *window.pointOf(2);
  const double side = QLineF(left, right).length();
  QCOMPARE(left.y(), right.y());
  QVERIFY(std::abs(QLineF(top, left).length() - side) < 0.01);
  QVERIFY(std::abs(QLineF(top, right).length() - side) < 0.01);
  // Within the window, with room for the corner names, and filling one direction.
  const QRectF inside(QPointF(0, 0), QSizeF(size));
  for (const QPointF corner : {top, left, right}) {
    QVERIFY(inside.adjusted(10, 10, -10, -10).contains(corner));
  }
  QVERIFY(side > 0.6 * std::min<double>(size.width(), size.height() / 0.866));
}

void TernaryWindowTest::eachPlaceNamesItsFieldOrSample_data() {
  QTest::addColumn<double>("gravel");
  QTest::addColumn<double>("sand");
  QTest::addColumn<double>("silt");
  QTest::addColumn<double>("clay");
  QTest::addColumn<int>("field");
  QTest::addColumn<QString>("name");
  // Each field's place is the diagram's and its name the catalogue's, both checked with the
  // report: a corner, the centre, and gravel counted with the sand.
  QTest::newRow("2") << 0.0 << 85.0 << 10.0 << 5.0 << 2 << "Arena";
  QTest::newRow("4, sand as gravel") << 30.0 << 25.0 << 35.0 << 10.0 << 4 << "Arena limosa";
  QTest::newRow("10") << 0.0 << 34.0 << 33.0 << 33.0 << 10 << "Arena-limo-arcilla";
}

void TernaryWindowTest::eachPlaceNamesItsFieldOrSample() {
  QFETCH(double, gravel);
  QFETCH(double, sand);
  QFETCH(double, silt);
  QFETCH(double, clay);
  QFETCH(int, field);
  QFETCH(QString, name);
  TernaryWindow window(nullptr);
  window.setSamples({sample("M-07", {gravel, sand, silt, clay, field})});
  const QPointF point = *window.pointOf(0);
  QCOMPARE(window.fieldAt(point), std::optional<int>(field));
  QCOMPARE(window.sampleAt(point + QPointF(3, 3)), 0);
  QCOMPARE(window.tipAt(point), "M-07 (" + name + ")");
  window.setSamples({});
  QCOMPARE(window.tipAt(point), name);
  QVERIFY(window.tipAt(QPointF(2, 2)).isEmpty());
}

void TernaryWindowTest::pointsArePaintedWhereTheyAreSaidToBe() {
  TernaryWindow window(nullptr);
  const QColor red(220, 20, 20);
  const QColor green(20, 160, 20);
  window.setSamples({sample("A", {0, 60, 30, 10, 4}, red), sample("B", {0, 10, 30, 60, 7}, green),
                     sample("sin sitio", {0, NAN, 30, 10, 0}, Qt::black)});
  QVERIFY(!window.pointOf(2).has_value());
  const QPointF a = *window.pointOf(0);
  const QPointF b = *window.pointOf(1);
  const auto pixel = [&window](QPointF at) {
    return window.grab().toImage().pixelColor(at.toPoint());
  };
  QCOMPARE(pixel(a), red);
  QCOMPARE(pixel(b), green);
  // The highlighted point is drawn larger.
  const QPointF aside(5, 0);
  QVERIFY(pixel(b + aside) != green);
  window.highlightSample(1);
  QCOMPARE(window.highlightedSample(), 1);
  QCOMPARE(pixel(b + aside), green);
  QVERIFY(pixel(a + aside) != red);
}

QTEST_MAIN(TernaryWindowTest)
#include "ternary_window_test.moc"
