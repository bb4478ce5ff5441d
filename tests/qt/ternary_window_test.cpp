// The ternary window on its own: the triangle's shape at any size, what each place says,
// and the points painted where they are said to be.
#include "qt/ternary_window.h"

#include <QImage>
#include <QLineF>
#include <QTest>
#include <cmath>

using namespace granomet;

class TernaryWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // Equilateral within the window, with room for the corner names, filling one direction.
  void keepsItsShapeAtAnySize() {
    for (const QSize size : {QSize(560, 520), QSize(900, 300), QSize(300, 800)}) {
      TernaryWindow window(nullptr);
      window.resize(size);
      window.setSamples({{"clay", {0, 0, 0, 100, 1}, Qt::blue},
                         {"sand", {0, 100, 0, 0, 2}, Qt::blue},
                         {"silt", {0, 0, 100, 0, 3}, Qt::blue}});
      const QPointF top = *window.pointOf(0), left = *window.pointOf(1), right = *window.pointOf(2);
      const double side = QLineF(left, right).length();
      QCOMPARE(left.y(), right.y());
      QVERIFY(std::abs(QLineF(top, left).length() - side) < 0.01);
      QVERIFY(std::abs(QLineF(top, right).length() - side) < 0.01);
      for (const QPointF corner : {top, left, right}) {
        QVERIFY(QRectF(QPointF(0, 0), QSizeF(size)).adjusted(10, 10, -10, -10).contains(corner));
      }
      QVERIFY(side > 0.6 * std::min<double>(size.width(), size.height() / 0.866));
    }
  }

  // Each field's place is the diagram's and its name the catalogue's, both checked with the
  // report: a corner, the centre, and gravel counted with the sand.
  void eachPlaceNamesItsFieldOrSample() {
    const std::pair<SampleComposition, QString> rows[] = {
        {{0, 85, 10, 5, 2}, "Arena"},
        {{30, 25, 35, 10, 4}, "Arena limosa"},
        {{0, 34, 33, 33, 10}, "Arena-limo-arcilla"}};
    for (const auto& [composition, name] : rows) {
      TernaryWindow window(nullptr);
      window.setSamples({{"M-07", composition, Qt::blue}});
      const QPointF point = *window.pointOf(0);
      QCOMPARE(window.fieldAt(point), std::optional<int>(composition.shepardCode));
      QCOMPARE(window.sampleAt(point + QPointF(3, 3)), 0);
      QCOMPARE(window.tipAt(point), "M-07 (" + name + ")");
      window.setSamples({});
      QCOMPARE(window.tipAt(point), name);
      QVERIFY(window.tipAt(QPointF(2, 2)).isEmpty());
    }
  }

  // The highlighted point is drawn larger.
  void pointsArePaintedWhereTheyAreSaidToBe() {
    TernaryWindow window(nullptr);
    const QColor red(220, 20, 20), green(20, 160, 20);
    window.setSamples({{"A", {0, 60, 30, 10, 4}, red},
                       {"B", {0, 10, 30, 60, 7}, green},
                       {"sin sitio", {0, NAN, 30, 10, 0}, Qt::black}});
    QVERIFY(!window.pointOf(2).has_value());
    const QPointF a = *window.pointOf(0), b = *window.pointOf(1);
    const auto pixel = [&window](QPointF at) {
      return window.grab().toImage().pixelColor(at.toPoint());
    };
    QCOMPARE(pixel(a), red);
    QCOMPARE(pixel(b), green);
    const QPointF aside(5, 0);
    QVERIFY(pixel(b + aside) != green);
    window.highlightSample(1);
    QCOMPARE(window.highlightedSample(), 1);
    QCOMPARE(pixel(b + aside), green);
    QVERIFY(pixel(a + aside) != red);
  }
};

QTEST_MAIN(TernaryWindowTest)
#include "ternary_window_test.moc"
