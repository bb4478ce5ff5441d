// The main window and the archive: each completed run kept in the window's own archive, one that
// cannot be written leaving the run whole, and archived samples of several runs shown as a run's.
#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "archive/open_archive.h"
#include "data/file_names.h"
#include "qt/archive_model.h"
#include "qt/archive_window.h"
#include "qt/curve_graph.h"
#include "qt/lot_window.h"
#include "qt/principal.h"
#include "qt/sample_links.h"
#include "support/control_texts.h"
#include "support/expected_text.h"
#include "support/shown_principal.h"

using namespace granomet;

namespace {

// The results file's name the fixed clock gives a lot.
std::string resultsName(const std::string& lot) {
  return lot + "_06062016_093005.csv";
}

}  // namespace

class WindowArchiveTest : public QObject {
  Q_OBJECT

  principal& window() const { return shown_.window(); }
  std::filesystem::path folder() const { return shown_.folder(); }
  QString status() const { return window().findChild<QLabel*>("Label8")->text(); }
  // The status line whole: its tip where it is shortened to fit, which it must.
  QString wholeStatus() const {
    const auto* label = window().findChild<QLabel*>("Label8");
    const QRect inside = label->contentsRect();
    const int room = std::min(inside.right(), window().width() - 1 - label->x()) - inside.left();
    if (label->fontMetrics().horizontalAdvance(label->text()) > room) {
      return "does not fit: " + label->text();
    }
    return label->toolTip().isEmpty() ? label->text() : label->toolTip();
  }
  QListWidget& list1() const { return *window().findChild<QListWidget*>("List1"); }
  CurveGraph& graph() const { return *window().findChild<CurveGraph*>("CWGraph1"); }
  std::filesystem::path defaultArchive() const {
    return folder() / "datos" / "granomet" / "archivo.gpkg";
  }

  // Every version of every sample the window's default archive holds.
  std::int64_t archived() const {
    ArchiveFilter every;
    every.allVersions = true;
    return openArchive(defaultArchive(), ArchiveAccess::Read)->countSamples(every);
  }

  // Reads a lot of so many samples and its export, written here, and calculates, its
  // results file replaced where an earlier run left one.
  void run(const std::string& lot, int samples) {
    if (std::filesystem::exists(folder() / resultsName(lot))) {
      shown_.boxes().queue(QMessageBox::Yes);
    }
    shown_.readSamples({.sampleCount = samples, .lotName = lot});
    QCOMPARE(list1().count(), samples);
  }

  tools::ShownPrincipal shown_;

 private slots:
  void init() { QVERIFY(shown_.open(true)); }
  void cleanup() { shown_.close(); }

  // Run after run into the default archive, once each, none while archiving is off; an
  // archive that is a text file, or lies under a file, is said in the status line and a
  // warning naming it, and the run stands whole. Ctrl+Shift+A opens the Archivo window, which
  // shows the runs archived and sends them back.
  void eachCompletedRunIsKeptOnceAndAFailureLeavesTheRunWhole() {
    const std::filesystem::path textFile = folder() / "notas.gpkg";
    std::ofstream(textFile, std::ios::binary) << "no es un archivo\n";
    std::ofstream(folder() / "fichero", std::ios::binary) << "x";
    const std::filesystem::path underAFile = folder() / "fichero" / "archivo.gpkg";
    const QString inDefault = QString::fromStdString(utf8Of(defaultArchive()));
    const QString added = "Ejecución archivada en %1 (%2 muestras).";
    const QString again = "La ejecución ya estaba en el archivo %1: no se añade de nuevo.";
    const QString notAdded = "La ejecución NO se ha archivado.";
    const struct {
      std::string lot;
      int samples;
      bool on;
      std::filesystem::path archive;  // empty: the default place
      QString said;                   // after the run's own status; %1: the archive
      std::int64_t archived;          // in the default archive afterwards
    } rows[] = {{"LOTE12", 12, true, {}, added.arg("%1", "12"), 12},
                {"LOTE12", 12, true, {}, again, 12},
                {"LOTE20", 5, false, {}, "", 12},
                {"LOTE12", 7, true, {}, added.arg("%1", "7"), 19},
                {"LOTE20", 6, true, textFile, notAdded, 19},
                {"LOTE20", 4, true, underAFile, notAdded, 19}};
    for (const auto& row : rows) {
      shown_.archive().setArchivesRuns(row.on);
      shown_.archive().setArchivePath(row.archive);
      shown_.boxes().clear();
      run(row.lot, row.samples);
      const QString created = QString::fromStdString(resultsName(row.lot)) + " HA SIDO CREADO.";
      QCOMPARE(wholeStatus(),
               row.said.isEmpty() ? created : created + "  " + row.said.arg(inDefault));
      const bool failed = row.said == notAdded;
      const QString boxes = tools::boxTexts(shown_.boxes().seen());
      QCOMPARE(boxes.count("[Warning] ARCHIVO: "), int{failed});
      QVERIFY2(!failed || boxes.contains(QString::fromStdString(utf8Of(row.archive))),
               qPrintable(boxes));
      // The run is whole: its results file holds every sample, and its views open.
      QCOMPARE(std::ranges::count(testing::fileBytes(folder() / resultsName(row.lot)), '\n'),
               row.samples + 1);
      QVERIFY(window().sampleLinks().linked());
      QCOMPARE(archived(), row.archived);
    }
    QCOMPARE(testing::fileBytes(textFile), std::string("no es un archivo\n"));

    // Ctrl+Shift+A opens the Archivo window, which finds the runs; it reads the archive
    // again after a run, and its choice comes back to List1 (Alt+S, Alt+M: all, shown).
    shown_.archive().setArchivePath({});
    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window()));
    QTest::keyClick(&window(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_VERIFY(window().archiveWindow() != nullptr && window().archiveWindow()->isVisible());
    ArchiveWindow& archiveWindow = *window().archiveWindow();
    QCOMPARE(archiveWindow.model().total(), 12);  // LOTE12's current versions
    run("LOTE20", 3);
    QCOMPARE(archiveWindow.model().total(), 15);
    archiveWindow.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&archiveWindow));
    // A button's letter clicks it a moment later; "Mostrar" waits for a selection.
    QTest::keyClick(&archiveWindow, Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(archiveWindow.selectedRows().size(), std::size_t{15});
    QTest::keyClick(&archiveWindow, Qt::Key_M, Qt::AltModifier);
    QTRY_COMPARE(status(), QString("Del archivo: 15 muestras de 2 lotes."));
    QCOMPARE(list1().count(), 15);
  }

  // Two runs of two lots brought back from the archive: List1 lists them with their lots,
  // the graph draws them, the lot's views and the report take both, and what is made of them
  // is proposed where the user works. Reading a lot ends the show, its folder removed, and
  // the buttons work as before.
  void archivedSamplesOfTwoLotsShowAsARunsSamples() {
    run("LOTE12", 5);
    run("LOTE20", 4);
    // A new archive numbers its samples from 1.
    window().showArchivedSamples(openArchive(defaultArchive(), ArchiveAccess::Read)
                                     ->resultsFilesOf({1, 2, 3, 4, 5, 6, 7, 8, 9}));

    QCOMPARE(list1().count(), 9);
    for (const auto& [row, item] : {std::pair{0, "LOTE12/1  M-01"},
                                    {4, "LOTE12/5  M-05"},
                                    {5, "LOTE20/1  M-01"},
                                    {8, "LOTE20/4  M-04"}}) {
      QCOMPARE(list1().item(row)->text().section("  ", 0, 1), item);
    }
    QCOMPARE(graph().curveCount(), 9);
    QCOMPARE(status(), QString("Del archivo: 9 muestras de 2 lotes."));
    const QString counts = tools::controlTexts(window());
    QVERIFY2(counts.contains("Label10: 9") && counts.contains("Label11: 0"), qPrintable(counts));

    SampleLinks& links = window().sampleLinks();
    QVERIFY(links.linked());
    links.showLotWindow();
    LotWindow* lot = links.lotWindow();
    QVERIFY(lot != nullptr && lot->linked());
    QCOMPARE(std::ranges::count(lot->view().samples, "LOTE20", &LotViewSample::lot), 4);
    QCOMPARE(lot->view().samples.size(), std::size_t{9});
    list1().setCurrentRow(7);
    QCOMPARE(std::pair(graph().highlightedCurve(), lot->highlightedSample()), std::pair(7, 7));

    // The files lie in a folder of the user's alone, away from where the user works.
    const std::vector<std::filesystem::path> files = window().shownResults().files;
    QCOMPARE(files.size(), std::size_t{2});
    const std::filesystem::path kept = files.front().parent_path().parent_path();
    QCOMPARE(std::filesystem::status(kept).permissions() & std::filesystem::perms::all,
             std::filesystem::perms::owner_all);
    QVERIFY(kept != folder());

    QString proposed;
    shown_.boxes().then("saveReportDialog", [&proposed](QDialog& shown) {
      auto& dialog = static_cast<QFileDialog&>(shown);
      proposed = dialog.selectedFiles().value(0);
      QTest::keyClick(dialog.findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
    });
    shown_.boxes().clear();
    links.menu().findChild<QAction*>("reportAction")->trigger();
    QVERIFY(shown_.boxes().endScript());
    QCOMPARE(proposed, shown_.inFolder("LOTE12_06062016_093005_informe.pdf"));
    QCOMPARE(shown_.boxes().seen().size(), std::size_t{1});
    QVERIFY2(shown_.boxes().seen().front().text.contains("9 muestras"),
             qPrintable(shown_.boxes().seen().front().text));

    // A lot read: the show ends; the calculation shows its own run again.
    shown_.pressWith("lotebutton", folder() / "LOTE20.csv");
    QVERIFY(!std::filesystem::exists(kept));
    shown_.pressWith("exportbutton", folder() / "LOTE20_export.txt");
    shown_.boxes().queue(QMessageBox::Yes);
    shown_.press("calculatot");
    QCOMPARE(list1().count(), 4);
    QCOMPARE(window().shownResults().files,
             std::vector<std::filesystem::path>{folder() / resultsName("LOTE20")});
    QVERIFY(lot->linked() && lot->view().samples.size() == 4);
  }

  // Files the archive gives back that climb out of their folder or bear no file's name are
  // shown from inside the private folder; one that is no results file, or more samples
  // than the graph draws, are said in a message, the window left as it was.
  void archivedFilesAreWrittenOnlyIntoTheirFolder() {
    shown_.close();
    QVERIFY(shown_.open(false));
    run("LOTE12", 3);
    const std::string bytes = testing::fileBytes(folder() / resultsName("LOTE12"));
    const struct {
      std::vector<ArchivedResultsFile> files;
      QString shownName;  // empty: not shown
      QString said;       // in the message, when not shown
    } rows[] = {
        {{{"../../fuera.csv", bytes}}, "fuera.csv", ""},
        {{{"..", bytes}}, "resultados.csv", ""},
        {{{"C:\\lab\\LOTE12_06062016_093005.csv", bytes}}, "LOTE12_06062016_093005.csv", ""},
        {{{"roto.csv", "no es un fichero de resultados\r\n"}}, "", "roto.csv"},
        {std::vector<ArchivedResultsFile>(85, {"x.csv", bytes}), "", "255 muestras"}};
    for (const auto& row : rows) {
      shown_.boxes().clear();
      window().showArchivedSamples(row.files);
      const QString boxes = tools::boxTexts(shown_.boxes().seen());
      QCOMPARE(list1().count(), 3);  // as the run or the last row shown left it
      if (row.shownName.isEmpty()) {
        QVERIFY2(boxes.count("[Warning] ARCHIVO: ") == 1 && boxes.contains(row.said),
                 qPrintable(boxes));
        continue;
      }
      QVERIFY2(boxes.isEmpty(), qPrintable(boxes));
      const std::filesystem::path file = window().shownResults().files.at(0);
      QCOMPARE(QString::fromStdString(utf8Of(file.filename())), row.shownName);
      QCOMPARE(file.parent_path().filename(), std::filesystem::path("1"));
    }
    QVERIFY(!std::filesystem::exists(folder().parent_path() / "fuera.csv"));
  }
};

QTEST_MAIN(WindowArchiveTest)
#include "window_archive_test.moc"
