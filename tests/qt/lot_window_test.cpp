// The lot's views after a run: opened from the graph's menu, their points one selection with
// List1, the run's results file read again, and the background layer remembered or refused.
#include "qt/lot_window.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <filesystem>
#include <fstream>

#include "qt/curve_graph.h"
#include "qt/qt_text.h"
#include "qt/sample_links.h"
#include "support/expected_text.h"
#include "support/shown_principal.h"
#include "workflow/messages.h"

using namespace granomet;

namespace {

// Two cores and samples without a position among the others; one sample ignored.
const tools::SampleFileOptions kLot{
    .sampleCount = 16, .nameMismatchEvery = 7, .coreCount = 2, .withoutPositionEvery = 3};

// Two lines of coast near the generated lot's samples, in WGS 84, as a GIS program writes them.
constexpr const char* kCoast = R"({"type": "FeatureCollection", "features": [
{"type": "Feature", "properties": {"nombre": "costa"}, "geometry": {"type": "LineString",
 "coordinates": [[-6.50, 36.40], [-6.30, 36.45], [-6.20, 36.70]]}},
{"type": "Feature", "properties": {"nombre": "bajo"}, "geometry": {"type": "Polygon",
 "coordinates": [[[-6.40, 36.50], [-6.35, 36.50], [-6.35, 36.55], [-6.40, 36.50]]]}}]})";

}  // namespace

class LotWindowTest : public QObject {
  Q_OBJECT

  QListWidget& list1() const { return *shown_.window().findChild<QListWidget*>("List1"); }
  CurveGraph& graph() const { return *shown_.window().findChild<CurveGraph*>("CWGraph1"); }
  SampleLinks& links() const { return shown_.window().sampleLinks(); }
  QAction& lotViewItem() const { return *links().menu().findChild<QAction*>("lotViewAction"); }

  // Through the menu; null when it did not open.
  LotWindow* openViews() {
    lotViewItem().trigger();
    LotWindow* views = links().lotWindow();
    return views != nullptr && QTest::qWaitForWindowExposed(views) ? views : nullptr;
  }

  // Clicks sample k's point in the tab; false where another point lies over it.
  static bool click(LotWindow& views, LotTab tab, int k) {
    views.showTab(tab);
    const auto place = views.placeOf(tab, k);
    if (place) {
      QTest::mouseClick(&views.canvas(tab), Qt::LeftButton, {}, place->toPoint());
    }
    return place.has_value();
  }

  tools::ShownPrincipal shown_;
  QTemporaryDir settings_;

 private slots:
  void initTestCase() {
    // The user's own settings stay as they are, and so do those of the tests and tools
    // running beside this one.
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(settings_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
  }
  void init() {
    QSettings("Granomet", "Granomet").clear();
    QVERIFY(shown_.open());
  }
  void cleanup() { shown_.close(); }

  // A point clicked selects its item (hence its curve); an item selected highlights its point
  // in every view; the tip names the sample as List1 does. A results file changed since the
  // run is said and unlinks the views (window_archive_test sees a new run link them again).
  void theViewsShareTheSelectionWithTheRun() {
    QVERIFY(!lotViewItem().isEnabled());
    shown_.readSamples(kLot);
    QVERIFY(lotViewItem().isEnabled());
    LotWindow* views = openViews();
    QVERIFY(views != nullptr && views->linked() && views->note().isEmpty());
    QCOMPARE(static_cast<int>(views->view().samples.size()), graph().curveCount());
    auto* tabs = views->findChild<QTabWidget*>("lotTabs");
    QCOMPARE((QStringList{tabs->tabText(0), tabs->tabText(1), tabs->tabText(2)}),
             (QStringList{"Mapa de muestras", "Diagramas bivariantes", "Perfil en profundidad"}));

    views->move(shown_.window().frameGeometry().right() + 40, shown_.window().y());
    int clicked = 0;
    for (const LotTab tab : {LotTab::Map, LotTab::Bivariate}) {
      for (int k = 0; k < graph().curveCount(); ++k) {
        // Another sample elsewhere first, so that the click must change the selection.
        list1().setCurrentRow(links().rowOfCurve(k == 0 ? 1 : 0));
        if (!click(*views, tab, k) || views->highlightedSample() != k) {
          continue;  // no place on the map, or a point over it
        }
        QCOMPARE(list1().currentRow(), links().rowOfCurve(k));
        ++clicked;
      }
    }
    QVERIFY(clicked >= graph().curveCount());

    // Selecting an item draws its point larger: the picture around it changes.
    int placed = 0;
    while (!views->placeOf(LotTab::Map, placed) || !views->placeOf(LotTab::Bivariate, placed)) {
      ++placed;
    }
    for (const LotTab tab : {LotTab::Map, LotTab::Bivariate}) {
      views->showTab(tab);
      list1().clearSelection();
      QCOMPARE(views->highlightedSample(), -1);
      const QImage plain = views->canvas(tab).grab().toImage();
      list1().setCurrentRow(links().rowOfCurve(placed));
      QCOMPARE(views->highlightedSample(), placed);
      QVERIFY(views->canvas(tab).grab().toImage() != plain);
    }

    // The profile follows the selected sample to its core; a sample in none is said so.
    views->showTab(LotTab::Profile);
    const auto* coreChoice = views->findChild<QComboBox*>("coreChoice");
    QCOMPARE(coreChoice->count(), 2);
    std::vector<int> inCore(views->view().samples.size(), -1);
    for (int c = 0; c < 2; ++c) {
      for (const CoreLevel& level : views->view().cores[static_cast<std::size_t>(c)].levels) {
        inCore[static_cast<std::size_t>(level.sample)] = c;
      }
    }
    for (int k = graph().curveCount() - 1; k >= 0; --k) {
      list1().setCurrentRow(links().rowOfCurve(k));
      const int core = inCore[static_cast<std::size_t>(k)];
      if (core >= 0) {
        QCOMPARE(coreChoice->currentIndex(), core);
        QVERIFY(views->profileNote().isEmpty());
      } else {
        QVERIFY2(views->profileNote().contains(toQString(graph().samples()[k].name)),
                 qPrintable(views->profileNote()));
      }
    }

    // The tip, shown where the pointer rests on the point: the number, the name and the class
    // the run gave the sample.
    const PlottedSample& drawn = graph().samples()[static_cast<std::size_t>(placed)];
    const QString tip = views->tipOf(placed);
    QVERIFY2(
        tip.startsWith(QString::fromStdString(views->view().samples[placed].label)) &&
            tip.contains(toQString(drawn.name)) &&
            tip.endsWith(
                "(" + toQString(messages::shepardClassName(drawn.composition.shepardCode)) + ")"),
        qPrintable(tip));
    views->showTab(LotTab::Bivariate);
    const QPoint at = views->placeOf(LotTab::Bivariate, placed)->toPoint();
    QHelpEvent rest(QEvent::ToolTip, at, views->canvas(LotTab::Bivariate).mapToGlobal(at));
    QApplication::sendEvent(&views->canvas(LotTab::Bivariate), &rest);
    QTRY_COMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), tip);

    // Another colouring redraws the points.
    const QImage byShepard = views->canvas(LotTab::Bivariate).grab().toImage();
    views->findChild<QComboBox*>("colouring")->setCurrentIndex(1);
    QVERIFY(views->canvas(LotTab::Bivariate).grab().toImage() != byShepard);

    // The saved picture of the map, through the graph's own dialogs.
    views->showTab(LotTab::Map);
    shown_.boxes().then("saveChartDialog", [this](QDialog& dialog) {
      auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
      QCOMPARE(QFileInfo(name->text()).fileName(), "LOTE12_06062016_093005_mapa.png");
      name->setText(shown_.inFolder("mapa.png"));
      QTest::keyClick(name, Qt::Key_Return);
    });
    shown_.boxes().then("chartSizeDialog", [](QDialog& dialog) {
      dialog.findChild<QSpinBox*>("width")->setValue(1000);
      dialog.findChild<QSpinBox*>("height")->setValue(700);
      dialog.accept();
    });
    QTest::mouseClick(views->findChild<QPushButton*>("saveView"), Qt::LeftButton);
    QVERIFY(shown_.boxes().endScript());
    const QImage picture(shown_.inFolder("mapa.png"), "PNG");
    QCOMPARE(picture.size(), QSize(1000, 700));
    int inked = 0;
    for (int i = 0; i < 1000 * 700; ++i) {
      inked += picture.pixelColor(i % 1000, i / 1000) != QColor(Qt::white);
    }
    QVERIFY(inked > 1000);

    // The results file changed since the run, then gone: said, and no click reaches List1.
    const std::filesystem::path results = shown_.window().tables().lastRun.resultsPath;
    std::string bytes = testing::fileBytes(results.string());
    const std::string first = views->view().samples.front().name;
    bytes.replace(bytes.find(",\"" + first + "\","), first.size() + 4, ",\"OTRA\",");
    std::ofstream(results, std::ios::binary) << bytes;
    const std::filesystem::path moved = results.string() + ".aparte";
    for (const bool gone : {false, true}) {
      if (gone) {
        std::filesystem::rename(results, moved);
      }
      QVERIFY(openViews() == views);
      QVERIFY(!views->linked());
      QVERIFY2(views->note().contains(QString::fromStdString(results.filename().string())),
               qPrintable(views->note()));
      list1().setCurrentRow(links().rowOfCurve(2));
      QCOMPARE(views->highlightedSample(), -1);
      if (!gone) {
        QVERIFY(click(*views, LotTab::Bivariate, placed));
        QCOMPARE(views->highlightedSample(), placed);
        QCOMPARE(list1().currentRow(), links().rowOfCurve(2));
      }
    }
  }

  // Chosen through its button, the layer comes back in the next window; one that cannot be read
  // is said, the map keeps what it had and still draws; one gone since is noted and forgotten;
  // "Quitar capa" forgets it.
  void theBackgroundLayerIsRemembered() {
#if !GRANOMET_GDAL
    QSKIP("built without GDAL: no layer is offered");
#endif
    shown_.readSamples({.sampleCount = 6});
    const std::filesystem::path coast = shown_.folder() / "costa.geojson";
    std::ofstream(coast) << kCoast;
    std::ofstream(shown_.folder() / "rota.geojson")
        << R"({"type": "FeatureCollection", "features": [)";

    LotWindow* views = openViews();
    QVERIFY(views != nullptr && views->backgroundLayer().empty());
    const QImage bare = views->canvas(LotTab::Map).grab().toImage();
    shown_.boxes().then("backgroundLayerDialog", [this](QDialog& dialog) {
      auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
      name->setText(shown_.inFolder("costa.geojson"));
      QTest::keyClick(name, Qt::Key_Return);
    });
    QTest::mouseClick(views->findChild<QPushButton*>("chooseLayer"), Qt::LeftButton);
    QVERIFY(shown_.boxes().endScript());
    QCOMPARE(views->backgroundLayer(), coast);
    const QImage withCoast = views->canvas(LotTab::Map).grab().toImage();
    QVERIFY(withCoast != bare);

    QVERIFY(!views->setBackgroundLayer(shown_.folder() / "rota.geojson"));
    QCOMPARE(shown_.boxes().seen().size(), std::size_t{1});
    QVERIFY2(shown_.boxes().seen().front().text.contains("rota.geojson"),
             qPrintable(shown_.boxes().seen().front().text));
    QCOMPARE(views->backgroundLayer(), coast);
    QCOMPARE(views->canvas(LotTab::Map).grab().toImage(), withCoast);

    const auto nextWindow = [] { return std::make_unique<LotWindow>(nullptr, ','); };
    QCOMPARE(nextWindow()->backgroundLayer(), coast);
    std::filesystem::rename(coast, shown_.folder() / "costa_vieja.geojson");
    {
      const auto next = nextWindow();
      QVERIFY2(next->backgroundLayer().empty() && next->note().contains("costa.geojson"),
               qPrintable(next->note()));
    }
    QVERIFY(nextWindow()->note().isEmpty());

    std::filesystem::rename(shown_.folder() / "costa_vieja.geojson", coast);
    QVERIFY(views->setBackgroundLayer(coast));
    QTest::mouseClick(views->findChild<QPushButton*>("removeLayer"), Qt::LeftButton);
    QVERIFY(views->backgroundLayer().empty());
    QCOMPARE(views->canvas(LotTab::Map).grab().toImage(), bare);
    QVERIFY(nextWindow()->backgroundLayer().empty());
  }
};

QTEST_MAIN(LotWindowTest)
#include "lot_window_test.moc"
