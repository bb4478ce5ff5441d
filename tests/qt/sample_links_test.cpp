// After a run: the graph's menu, the graph saved as a picture, the ternary window and the
// selection shared by List1, the curves and the points.
#include "qt/sample_links.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHelpEvent>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QSet>
#include <QSpinBox>
#include <QSvgRenderer>
#include <QTest>
#include <QToolTip>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "qt/chart_image.h"
#include "qt/curve_graph.h"
#include "qt/principal.h"
#include "qt/qt_text.h"
#include "qt/ternary_window.h"
#include "report/pdf_report.h"
#include "samplegen/sample_files.h"
#include "support/control_texts.h"
#include "support/expected_text.h"
#include "support/shown_principal.h"
#include "workflow/messages.h"
#include "workflow/report_run.h"

using namespace granomet;

namespace {

constexpr const char* kResultsStem = "LOTE12_06062016_093005";

// The lines of a PDF's text as poppler reads them.
QSet<QString> pdfLines(const QString& pdf) {
  QProcess text;
  text.start("pdftotext", {pdf, "-"});
  text.waitForFinished(60000);
  QSet<QString> lines;
  for (const QString& line : QString::fromUtf8(text.readAllStandardOutput()).split('\n')) {
    lines.insert(line.trimmed());
  }
  lines.remove({});
  return lines;
}

}  // namespace

class SampleLinksTest : public QObject {
  Q_OBJECT

  std::filesystem::path folder() const { return shown_.folder(); }
  QString inFolder(const QString& name) const { return shown_.inFolder(name); }
  CurveGraph& graph() const { return *shown_.window().findChild<CurveGraph*>("CWGraph1"); }
  QListWidget& list1() const { return *shown_.window().findChild<QListWidget*>("List1"); }
  SampleLinks& links() const { return shown_.window().sampleLinks(); }
  QAction& action(const char* name) const { return *links().menu().findChild<QAction*>(name); }

  void run(int sampleCount = 12) {
    // An ignored sample: List1's calculated items are not the export's records one for one.
    shown_.readSamples({.sampleCount = sampleCount, .nameMismatchEvery = 5});
    QCOMPARE(graph().curveCount(), list1().count());
    QVERIFY(graph().curveCount() > 0);
  }

  // Through the menu; null when it did not open.
  TernaryWindow* openTernary() {
    action("ternaryAction").trigger();
    TernaryWindow* ternary = links().ternaryWindow();
    return ternary != nullptr && QTest::qWaitForWindowExposed(ternary) ? ternary : nullptr;
  }

  // Answers a save dialog with typed (empty: the proposed name) and the file kind
  // filterIndex places down its list, recording the name it proposed.
  tools::ModalAnswerer::Act saveAs(const QString& typed, int filterIndex = 0) {
    return [this, typed, filterIndex](QDialog& shown) {
      auto& dialog = static_cast<QFileDialog&>(shown);
      proposedName_ = dialog.selectedFiles().value(0);
      for (int i = 0; i < filterIndex; ++i) {
        QTest::keyClick(dialog.findChild<QComboBox*>("fileTypeCombo"), Qt::Key_Down);
      }
      auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
      if (!typed.isEmpty()) {
        name->setText(typed);
      }
      QTest::keyClick(name, Qt::Key_Return);
    };
  }

  // Through the menu, the file and size dialogs answered; true when both were shown.
  bool saveChart(const QString& typed, QSize size, int filterIndex = 0) {
    shown_.boxes().then("saveChartDialog", saveAs(typed, filterIndex));
    // The size dialog offers the default size, then the last one chosen, in pixels a side;
    // checked once it is answered, so that a failure does not leave it open.
    shown_.boxes().then("chartSizeDialog", [this, size](QDialog& dialog) {
      auto* width = dialog.findChild<QSpinBox*>("width");
      auto* height = dialog.findChild<QSpinBox*>("height");
      const QSize offered(width->value(), height->value());
      const QString words = tools::controlTexts(dialog);
      // Beside the title, a title bar holds the window's icon (one bar's height), its
      // close button (Windows draws it half as wide again as the bar is high) and margins.
      const int titleBar = dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight);
      const int titleRoom =
          dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) + 3 * titleBar;
      width->setValue(size.width());
      height->setValue(size.height());
      dialog.accept();
      QCOMPARE(offered, std::exchange(lastSize_, size));
      QCOMPARE(words.count("píxeles") + words.count("px"), 2);
      QVERIFY(dialog.width() >= titleRoom);
    });
    action("saveChartAction").trigger();
    return shown_.boxes().endScript();
  }

  // Through the menu, its file dialog answered; true when it was shown.
  bool createReport(const QString& typed = {}) {
    shown_.boxes().then("saveReportDialog", saveAs(typed));
    action("reportAction").trigger();
    return shown_.boxes().endScript();
  }

  // Right-clicks control, or presses key on it once Tab from List1 has reached it.
  void openMenu(const QString& control, int key) {
    auto* area = shown_.window().findChild<QAbstractScrollArea*>(control);
    if (key == 0) {
      const QPoint at(40, 30);
      QContextMenuEvent click(QContextMenuEvent::Mouse, at, area->viewport()->mapToGlobal(at));
      QApplication::sendEvent(area->viewport(), &click);
      return;
    }
    shown_.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&shown_.window()));
    list1().setFocus(Qt::TabFocusReason);
    if (control == "CWGraph1") {
      QTest::keyClick(&list1(), Qt::Key_Tab);
    }
    QTRY_VERIFY(area->hasFocus());
    if (key == Qt::Key_F10) {
      QTest::keyClick(area, Qt::Key_F10, Qt::ShiftModifier);
    } else {
      // What the window system makes of the menu key, to the focused control.
      QContextMenuEvent press(QContextMenuEvent::Keyboard, QPoint(), area->mapToGlobal(QPoint()));
      QApplication::sendEvent(area, &press);
    }
  }

  tools::ShownPrincipal shown_;
  QString proposedName_;
  QSize lastSize_;  // what the size dialog must offer next

 private slots:
  void init() {
    lastSize_ = kDefaultChartImageSize;
    QVERIFY(shown_.open());
  }
  void cleanup() { shown_.close(); }

  // Before a run the menu offers only the archive and List1 leads nowhere. After one: a file
  // replaced only when the user says so, a picture that cannot be written saying where and
  // why, the graph saved as pictures of the chosen sizes, the report, the menu opened by
  // every way, and tips that stay while the pointer rests (Qt hides its tips after about
  // ten seconds: each of the window's is shown with the longest time a tip can take,
  // which is what its timer is set to). Once a new lot is read, the menu offers nothing.
  void theMenuActsOnlyOnTheCurrentRun() {
    for (const char* name : {"reportAction", "saveChartAction", "ternaryAction", "lotViewAction"}) {
      QVERIFY2(!action(name).isEnabled(), name);
    }
    // The archive is there with or without a run.
    QVERIFY(action("archiveAction").isEnabled());
    action("ternaryAction").trigger();
    QVERIFY(links().ternaryWindow() == nullptr && graph().pointerTip().isEmpty());
    run();

    // Replacing; pictures that cannot be written.
    for (const auto& [name, replace] :
         {std::pair{"viejas.png", false}, std::pair{"otras.png", true},
          std::pair{"informe.pdf", false}}) {  // ".pdf" added
      shown_.boxes().clear();
      const QString file = inFolder(name);
      std::ofstream(file.toStdString(), std::ios::binary) << "viejo";
      shown_.boxes().queue(replace ? QMessageBox::Yes : QMessageBox::No);
      const bool report = file.endsWith(".pdf");
      QCOMPARE(report ? createReport("informe") : saveChart(name, {500, 400}), replace || report);
      QCOMPARE(tools::boxTexts(shown_.boxes().seen()),
               "[Warning] Granomet: El fichero " + file +
                   " ya existe. ¿Desea reemplazarlo? [Yes|No, No]\n");
      QCOMPARE(QImage(file, "PNG").size(), replace ? QSize(500, 400) : QSize(0, 0));
      QVERIFY(replace || QFileInfo(file).size() == 5);
    }
    // A folder that is a file: no user, root included, can write in it. A read-only
    // picture, refused by its mode whoever runs the program.
    std::ofstream(folder() / "fichero", std::ios::binary) << "x";
    std::ofstream(folder() / "protegida.png", std::ios::binary) << "x";
    std::filesystem::permissions(folder() / "protegida.png", std::filesystem::perms::owner_read);
    for (const char* name : {"fichero/curvas.png", "protegida.png"}) {
      const std::string cause =
          writeChartImage(*graph().chart(), {}, inFolder(name), {300, 200}, ChartImageKind::Png)
              .value_or("");
      const MessageRequest said = messages::chartImageUnwritable(name, cause);
      QVERIFY(!cause.empty() && said.prompt.find(name) != std::string::npos &&
              said.prompt.find(cause) != std::string::npos && said.icon == MessageIcon::Error);
    }
    QCOMPARE(QFileInfo(inFolder("protegida.png")).size(), 1);

    // The pictures.
    shown_.boxes().clear();
    list1().setCurrentRow(2);
    const QString highlighted = graph().curves().at(2)->name();
    const QRectF shown = graph().chart()->geometry();
    const QString proposed = QString(kResultsStem) + "_grafico";
    const struct {
      QString typed, written;  // typed empty: the proposed name
      int filter;              // 1: svg
      QSize size;
    } rows[] = {{"curvas.png", "curvas.png", 0, {900, 700}},
                {"curvas.svg", "curvas.svg", 0, {1200, 800}},
                {"figura", "figura.svg", 1, {640, 400}},
                {"dibujo.jpg", "dibujo.jpg.png", 0, {300, 200}},
                {"", proposed + ".svg", 1, {400, 300}},
                // Last: once the proposed file is there, the dialog selects it.
                {"", proposed + ".png", 0, {1600, 1000}}};
    for (const auto& row : rows) {
      QVERIFY2(saveChart(row.typed, row.size, row.filter), qPrintable(row.written));
      QCOMPARE(proposedName_, inFolder(proposed + ".png"));
      const QString file = inFolder(row.written);
      if (row.written.endsWith(".svg")) {
        QSvgRenderer picture(file);
        QVERIFY2(picture.isValid(), qPrintable(file));
        QCOMPARE(picture.defaultSize(), row.size);
        const QString words = QString::fromStdString(testing::fileBytes(file.toStdString()));
        // It says what it shows: the lot and the results file, the axes, the sample
        // drawn wider, and, in its legend, every curve's sample, in its colour.
        // The results file's name holds the lot's.
        QStringList said{"Diámetro", "Peso (%)", QString(kResultsStem) + ".csv"};
        said << "Curva resaltada: " + highlighted << graph().curves().front()->pen().color().name();
        for (const QLineSeries* curve : graph().curves()) {
          said << ">" + curve->name() + "<";
        }
        for (const QString& word : said) {
          QVERIFY2(words.contains(word), qPrintable(word));
        }
      } else {
        // Its curves drawn are checked in the SVG's words; a PNG drawn, in lot_window_test.
        QCOMPARE(QImage(file, "PNG").size(), row.size);
      }
      // The window's graph is as it was.
      QCOMPARE(graph().chart()->geometry(), shown);
    }
    QVERIFY(shown_.boxes().seen().empty());

    // The report.
    const std::filesystem::path results = shown_.window().tables().lastRun.resultsPath;
    const std::vector<std::string> unreached = shown_.window().tables().lastRun.unreachedSamples;
    QVERIFY(!unreached.empty());
    QVERIFY(createReport());
    const QString report = inFolder(QString(kResultsStem) + "_informe.pdf");

    // The command line's report of the same results file, on the same day.
    QVERIFY(runReport({results}, folder() / "linea.pdf",
                      {shown_.clock().now(), ',', false, {}, {}, {}}, report::pdfRenderer())
                .written);
    const QSet<QString> fromWindow = pdfLines(report);
    const QSet<QString> fromCommandLine = pdfLines(inFolder("linea.pdf"));
    QVERIFY(!fromCommandLine.isEmpty());
    QVERIFY2(fromWindow.contains(fromCommandLine),
             qPrintable(QStringList((fromCommandLine - fromWindow).values()).join(" | ")));
    const QString extra = QStringList((fromWindow - fromCommandLine).values()).join(" ");
    QVERIFY2(extra.contains("ningún registro del export"), qPrintable(extra));
    for (const std::string& sample : unreached) {
      QVERIFY2(extra.contains(toQString(sample).simplified()), sample.c_str());
    }

    // The menu.
    int reports = 0;
    shown_.window().setReportAction([&reports] { ++reports; });
    // A right click (0), the menu key or Shift+F10 opens it on either control.
    for (const int key : {0, int(Qt::Key_Menu), int(Qt::Key_F10)}) {
      for (const char* control : {"CWGraph1", "List1"}) {
        openMenu(control, key);
        QTRY_VERIFY2(links().menu().isVisible(), control);
        QStringList enabled;
        for (const QAction* item : links().menu().actions()) {
          enabled.push_back(item->isEnabled() ? item->text() : "");
        }
        QCOMPARE(enabled, (QStringList{"Crear informe PDF…", "Guardar gráfico como imagen…",
                                       "Diagrama ternario", "Mapa de muestras", "", "Archivo…"}));
        links().menu().close();
      }
    }
    action("reportAction").trigger();
    QCOMPARE(reports, 1);
    QVERIFY(graph().pointerTip().startsWith("Clic derecho: informe PDF"));

    // The tips.
    for (const QString place : {"List2", "CWGraph1", "curve", "Label10", "lotebutton", "ternary"}) {
      QToolTip::hideText();
      QTRY_VERIFY(!QToolTip::isVisible());
      QWidget* over = shown_.window().findChild<QWidget*>(place);
      QPoint at(5, 5);
      if (place == "List2" || place == "CWGraph1") {
        over = static_cast<QAbstractScrollArea*>(over)->viewport();
      } else if (place == "curve") {
        QLineSeries* curve = graph().curves().front();
        emit curve->hovered(curve->at(20), true);
      } else if (place == "ternary") {
        over = openTernary();
        QVERIFY(over != nullptr);
        at = links().ternaryWindow()->pointOf(0)->toPoint();
      }
      if (place != "curve") {
        QHelpEvent rest(QEvent::ToolTip, at, over->mapToGlobal(at));
        QApplication::sendEvent(over, &rest);
      }
      QTRY_VERIFY2(QToolTip::isVisible() && !QToolTip::text().isEmpty(), qPrintable(place));
      int lasting = 0;  // the shown tip's timers, each of a day or more
      for (QWidget* tip : QApplication::topLevelWidgets()) {
        for (const auto& timer : QAbstractEventDispatcher::instance()->registeredTimers(tip)) {
          const bool shownTip = tip->inherits("QTipLabel") && tip->isVisible();
          lasting += shownTip ? 1 : 0;
          QVERIFY2(!shownTip || timer.interval >= 24 * 3600 * 1000, qPrintable(place));
        }
      }
      QVERIFY(lasting > 0);
    }

    // A new lot.
    shown_.pressWith("lotebutton", folder() / "LOTE12.csv");
    // The old run's curves stay drawn.
    QVERIFY(graph().curveCount() > 0 && !action("saveChartAction").isEnabled());
    list1().setCurrentRow(2);
    QCOMPARE(graph().highlightedCurve(), -1);
  }

  // Selecting an item highlights its curve and point; resting on either selects it. The
  // diagram's fields come from the triangle's geometry, a sample's class from the
  // calculation's rule: each point must still fall in the field its class names (the item's
  // class, the field's number and the point's tip, reviewed). Leaving closes the window.
  void theSelectionIsSharedAndEachPointLiesInItsClassField() {
    run(40);
    TernaryWindow* ternary = openTernary();
    QVERIFY(ternary != nullptr);
    // Its title and how many points it holds, then one line an item of List1.
    QString fields = QString("%1: %2\n").arg(ternary->windowTitle()).arg(ternary->sampleCount());
    for (int k = 0; k < list1().count(); ++k) {
      const auto point = ternary->pointOf(k);
      QVERIFY(point.has_value());
      fields += QString("%1: %2, %3\n")
                    .arg(list1().item(k)->text())
                    .arg(ternary->fieldAt(*point).value_or(0))
                    .arg(ternary->tipAt(*point));
    }
    tools::compareWithFile(fields, "sample_links_fields.txt");

    for (const int item : {0, 5, 9}) {  // the first, after the ignored sample, the last
      list1().setCurrentRow(item);
      QCOMPARE(std::pair(graph().highlightedCurve(), ternary->highlightedSample()),
               std::pair(item, item));
      // The highlight is drawn last, over every curve, with the item's sample's points.
      const auto* drawnLast = static_cast<QLineSeries*>(graph().chart()->series().back());
      const QLineSeries* curve = graph().curves().at(static_cast<std::size_t>(item));
      QVERIFY(list1().item(item)->text().startsWith(curve->name() + "  "));
      QVERIFY(drawnLast->points() == curve->points() &&
              drawnLast->pen().width() > curve->pen().width() &&
              drawnLast->pen().color() == curve->pen().color());
    }
    list1().clearSelection();
    QCOMPARE(std::pair(graph().highlightedCurve(), ternary->highlightedSample()),
             std::pair(-1, -1));

    for (const int k : {3, 0, 9}) {
      QLineSeries* curve = graph().curves().at(static_cast<std::size_t>(k));
      emit curve->hovered(curve->at(20), true);
      QCOMPARE(list1().currentRow(), k);
      QCOMPARE(graph().pointerTip(), curve->name());
    }
    // Beside the main window: the off-screen platform moves the pointer in the first
    // window that holds it, whatever is shown on top.
    ternary->move(shown_.window().frameGeometry().right() + 40, shown_.window().y());
    int tried = 0;
    for (int k = 0; k < ternary->sampleCount(); ++k) {
      const QPoint at = ternary->pointOf(k)->toPoint();
      if (ternary->sampleAt(at) != k) {
        continue;  // another point lies nearer to the pixel
      }
      QTest::mouseMove(ternary, at);
      QTRY_COMPARE(list1().currentRow(), k);
      QCOMPARE(graph().highlightedCurve(), k);
      ++tried;
    }
    QVERIFY(tried >= 5);

    shown_.boxes().queue(QMessageBox::Yes);
    shown_.press("exitbutton");
    QTRY_VERIFY(!ternary->isVisible());
  }
};

QTEST_MAIN(SampleLinksTest)
#include "sample_links_test.moc"
