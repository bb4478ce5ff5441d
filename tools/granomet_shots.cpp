// granomet-shots: PNG pictures of the main window in its four states and maximised, the help
// window's two pages, the ternary diagram, the lot's views, the saved graph, the report's pages,
// the Archivo window and the archived samples shown as a run's.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTranslator>
#include <QWidget>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#ifdef GRANOMET_ARCHIVE
#include <QTableView>

#include "archive/open_archive.h"
#include "qt/archive_model.h"
#include "qt/archive_window.h"
#endif
#include "headless/fixed_clock.h"
#include "headless/headless_file_dialog.h"
#include "offscreen_arguments.h"
#include "qt/archive_settings.h"
#include "qt/chart_image.h"
#include "qt/curve_graph.h"
#include "qt/lot_window.h"
#include "qt/principal.h"
#include "qt/sample_links.h"
#include "qt/ternary_window.h"
#include "report/pdf_report.h"
#include "samplegen/sample_files.h"
#include "support/modal_answerer.h"
#include "ui/remembered_folder.h"
#include "ui/system_regional_settings.h"
#include "workflow/window_report.h"

namespace {

using namespace granomet;

bool save(QWidget& widget, const QDir& folder, const char* name) {
  QApplication::processEvents();
  const QString path = folder.filePath(name);
  if (!widget.grab().save(path, "PNG")) {
    std::fprintf(stderr, "No se puede escribir %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

// The pictures are only worth looking at when each step reached its state.
bool expect(bool reached, const char* otherwise) {
  if (!reached) {
    std::fprintf(stderr, "%s\n", otherwise);
  }
  return reached;
}

// The window with its right-click menu open over the graph: the menu is a window of
// its own, drawn here where it stands.
bool saveWithMenu(principal& window, const QDir& folder, const char* name) {
  QMenu& menu = window.sampleLinks().menu();
  QWidget* graph = window.findChild<QWidget*>("CWGraph1");
  menu.popup(graph->mapToGlobal(graph->rect().center()));
  QApplication::processEvents();
  QPixmap picture = window.grab();
  QPainter painter(&picture);
  painter.drawPixmap(window.mapFromGlobal(menu.pos()), menu.grab());
  painter.end();
  menu.hide();
  const QString path = folder.filePath(name);
  if (!picture.save(path, "PNG")) {
    std::fprintf(stderr, "No se puede escribir %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

// The last run's report, and its pages as pictures (poppler's pdftoppm): pages
// first to last, or every page when last is 0, and the report's last page.
bool saveReport(principal& window, const Platform& platform, const QDir& folder, const char* name,
                int last) {
  const QString pdf = folder.filePath(QString(name) + ".pdf");
  const MessageRequest said =
      reportOfLastRun(window.tables(), pdf.toStdString(), platform, report::pdfRenderer());
  if (said.icon != MessageIcon::None) {
    std::fprintf(stderr, "No se ha creado %s: %s\n", qPrintable(pdf), said.prompt.c_str());
    return false;
  }
  const QString pages = folder.filePath(name);
  QStringList ranges{"-r", "60", "-png"};
  if (last > 0) {
    ranges << "-f"
           << "1"
           << "-l" << QString::number(last);
  }
  bool drawn = QProcess::execute("pdftoppm", ranges + QStringList{pdf, pages}) == 0;
  if (last > 0) {
    QProcess count;
    count.start("pdfinfo", {pdf});
    count.waitForFinished();
    const QString info = QString::fromUtf8(count.readAllStandardOutput());
    const QString pagesLine = info.section("Pages:", 1).section('\n', 0, 0).trimmed();
    drawn = drawn && QProcess::execute("pdftoppm", {"-r", "60", "-png", "-f", pagesLine, "-l",
                                                    pagesLine, pdf, pages}) == 0;
  }
  if (!drawn) {
    std::fprintf(stderr, "No se han dibujado las páginas de %s (pdftoppm)\n", qPrintable(pdf));
  }
  std::printf("%s\n", qPrintable(pdf));
  return drawn;
}

// The report's first page that begins with heading, drawn at 100 dots per inch as
// folder/name.png (poppler's pdftotext and pdftoppm).
bool saveReportPage(const QString& pdf, const QString& heading, const QDir& folder,
                    const QString& name) {
  QProcess text;
  text.start("pdftotext", {"-l", "60", pdf, "-"});
  text.waitForFinished();
  const QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split('\f');
  for (qsizetype page = 0; page < pages.size(); ++page) {
    if (pages[page].trimmed().startsWith(heading)) {
      const QString number = QString::number(page + 1);
      const bool drawn =
          QProcess::execute("pdftoppm", {"-r", "100", "-png", "-singlefile", "-f", number, "-l",
                                         number, pdf, folder.filePath(name)}) == 0;
      if (drawn) {
        std::printf("%s.png\n", qPrintable(folder.filePath(name)));
      }
      return drawn;
    }
  }
  std::fprintf(stderr, "Ninguna página de %s empieza por %s\n", qPrintable(pdf),
               qPrintable(heading));
  return false;
}

// The graph as "Guardar gráfico como imagen…" saves it, at its first size.
bool saveChart(principal& window, const QDir& folder, const char* name) {
  const QString path = folder.filePath(name);
  auto* graph = window.findChild<CurveGraph*>("CWGraph1");
  const auto failure = graph == nullptr
                           ? std::optional<std::string>("sin gráfico")
                           : writeChartImage(*graph->chart(), window.sampleLinks().chartCaption(),
                                             path, kDefaultChartImageSize, ChartImageKind::Png);
  if (failure) {
    std::fprintf(stderr, "No se puede escribir %s: %s\n", qPrintable(path), failure->c_str());
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

void press(QWidget& window, const char* button) {
  window.findChild<QAbstractButton*>(button)->click();
  QApplication::processEvents();
}

// The lot's views of the run, the same sample selected, the map over a coastline and a
// shoal written here as a GIS program would write them.
bool saveLotViews(principal& window, const QDir& folder, const std::filesystem::path& inputs) {
  const std::filesystem::path coast = inputs / "costa.geojson";
  std::ofstream(coast, std::ios::binary) << R"({"type": "FeatureCollection", "features": [
{"type": "Feature", "properties": {}, "geometry": {"type": "LineString", "coordinates":
 [[-6.48, 36.39], [-6.40, 36.43], [-6.33, 36.47], [-6.27, 36.55], [-6.22, 36.62]]}},
{"type": "Feature", "properties": {}, "geometry": {"type": "Polygon", "coordinates":
 [[[-6.45, 36.55], [-6.38, 36.53], [-6.36, 36.58], [-6.43, 36.60], [-6.45, 36.55]]]}}]})";
  window.sampleLinks().showLotWindow();
  LotWindow* views = window.sampleLinks().lotWindow();
  if (!expect(views != nullptr, "las vistas del lote no se han abierto")) {
    return false;
  }
#if GRANOMET_GDAL
  if (!expect(views->setBackgroundLayer(coast), "la capa de fondo no se ha leído")) {
    return false;
  }
#endif
  views->showTab(LotTab::Map);
  bool saved = save(*views, folder, "6_mapa_muestras.png");
  views->showTab(LotTab::Bivariate);
  saved = save(*views, folder, "6_diagramas_bivariantes.png") && saved;
  views->close();
  return saved;
}

#ifdef GRANOMET_ARCHIVE
// The Archivo window over an archive of the two runs made here (18 and 254 samples), three rows
// chosen.
bool saveArchiveWindow(const QDir& folder, const std::filesystem::path& inputs) {
  const std::filesystem::path archive =
      std::filesystem::absolute(folder.filePath("archivo.gpkg").toStdString());
  std::filesystem::remove(archive);
  try {
    const auto kept = openArchive(archive, ArchiveAccess::Write);
    for (const char* lot : {"LOTE20", "LOTE254"}) {
      RunToArchive run;
      run.resultsFile = inputs / (std::string(lot) + "_06062016_093005.csv");
      run.lotFile = inputs / (std::string(lot) + ".csv");
      run.exportFile = inputs / (std::string(lot) + "_export.txt");
      run.when = LocalDateTime{2016, 6, 6, 9, 30, 5};
      run.decimalMark = '.';
      run.origin = RunOrigin::Window;
      kept->addRun(run);
    }
  } catch (const ArchiveError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return false;
  }
  bool archivesRuns = true;
  ArchivePlace place{[archive] { return archive; }, [](const std::filesystem::path&) {},
                     [&archivesRuns] { return archivesRuns; },
                     [&archivesRuns](bool on) { archivesRuns = on; }};
  ArchiveWindow window(
      nullptr, place, ',', [](auto) {}, openArchiveToRead);
  window.show();
  QTableView& table = window.table();
  for (const int row : {2, 3, 5}) {
    table.selectionModel()->select(table.model()->index(row, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
  return expect(window.model().total() == 18 + 254, "el archivo no tiene las 272 muestras") &&
         save(window, folder, "11_archivo.png");
}

// The samples the runs archived, a lot's worth of both lots by the archive's order, shown as
// a run's: List1, the curves, the status line and the lot's map of both lots.
bool saveArchivedSamples(principal& window, const ArchiveSettings& archive, const QDir& folder) {
  try {
    const auto kept = openArchive(archive.archivePath(), ArchiveAccess::Read);
    std::vector<std::int64_t> ids;
    for (const ArchivedSample& sample : kept->samples({}, {}, 0, 120)) {
      ids.push_back(sample.id);
    }
    window.showArchivedSamples(kept->resultsFilesOf(ids));
  } catch (const ArchiveError& error) {
    std::fprintf(stderr, "No se leen las muestras archivadas: %s\n", error.what());
    return false;
  }
  if (!expect(window.itemCount(ListId::List1) > 0, "no se muestran las muestras archivadas")) {
    return false;
  }
  window.findChild<QListWidget*>("List1")->setCurrentRow(30);
  bool saved = save(window, folder, "12_muestras_archivadas.png");
  window.sampleLinks().showLotWindow();
  LotWindow* views = window.sampleLinks().lotWindow();
  if (views != nullptr) {
    views->showTab(LotTab::Map);
  }
  saved = views != nullptr && save(*views, folder, "12_muestras_archivadas_mapa.png") && saved;
  return saved;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  // Pictures need no screen.
  tools::OffscreenArguments arguments(argc, argv);
  QApplication application(arguments.count(), arguments.values());
  const QStringList rest = QApplication::arguments();
  if (rest.size() != 2) {
    std::fprintf(stderr, "Uso: granomet-shots CARPETA\n");
    return 2;
  }
  QTranslator qtTexts;
  if (qtTexts.load("qtbase_es", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTexts);
  }
  const QDir folder(rest[1]);
  if (!QDir().mkpath(folder.path())) {
    std::fprintf(stderr, "No se puede crear %s\n", qPrintable(folder.path()));
    return 1;
  }
  // The background layer the views remember is kept with the pictures, apart from the
  // user's settings and from the tests'.
  QStandardPaths::setTestModeEnabled(true);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.filePath("ajustes"));

  // A generated 20-sample lot with one name that disagrees, so the run shows both lists.
  const std::filesystem::path inputs =
      std::filesystem::absolute(folder.filePath("entrada").toStdString());
  tools::SampleFileOptions options;
  options.sampleCount = 20;
  options.lotName = "LOTE20";
  options.nameMismatchEvery = 9;
  tools::writeSampleFiles(options, inputs);

  const FixedClock clock({2016, 6, 6, 9, 30, 5});
  const SystemRegionalSettings regional;
  RememberedFolder current(inputs);
  auto dialog = std::make_unique<HeadlessFileDialog>(current);
  HeadlessFileDialog& answers = *dialog;
  // The runs are archived with the pictures.
  ArchiveSettings archive(
      [data = std::filesystem::absolute(folder.filePath("datos").toStdString()).string()](
          std::string_view name) {
        return name == "XDG_DATA_HOME" ? std::optional<std::string>(data) : std::nullopt;
      });
  principal window(clock, regional, current, archive, std::move(dialog));
  window.show();
  tools::ModalAnswerer boxes;

  bool saved = save(window, folder, "1_inicio.png");
  answers.queueAnswer(inputs / "LOTE20.csv");
  press(window, "lotebutton");
  saved = expect(window.itemCount(ListId::List1) == 20, "el lote no se ha leído") && saved;
  saved = save(window, folder, "2_lote_leido.png") && saved;
  answers.queueAnswer(inputs / "LOTE20_export.txt");
  press(window, "exportbutton");
  saved = expect(window.text(TextBoxId::EXPORT_file) == "LOTE20_export.txt",
                 "el fichero export no se ha leído") &&
          saved;
  saved = save(window, folder, "3_export_leido.png") && saved;
  press(window, "calculatot");
  saved = expect(window.itemCount(ListId::List1) == 18 && window.itemCount(ListId::List2) == 2,
                 "el cálculo no ha dado 18 muestras calculadas y 2 ignoradas") &&
          saved;
  saved = save(window, folder, "4_calculo_hecho.png") && saved;
  press(window, "helpbutton");
  saved =
      window.helpWindow() != nullptr && save(*window.helpWindow(), folder, "5_ayuda.png") && saved;
  if (window.helpWindow() != nullptr) {
    window.helpWindow()->moreButton()->click();
    saved = save(*window.helpWindow(), folder, "5_ayuda_mas.png") && saved;
    window.helpWindow()->close();
  }
  // The ternary diagram of the run, one sample selected in List1.
  window.findChild<QListWidget*>("List1")->setCurrentRow(3);
  window.sampleLinks().showTernaryWindow();
  const TernaryWindow* ternary = window.sampleLinks().ternaryWindow();
  saved = ternary != nullptr &&
          save(*window.sampleLinks().ternaryWindow(), folder, "6_diagrama_ternario.png") && saved;
  saved = saveLotViews(window, folder, inputs) && saved;
  saved = saveWithMenu(window, folder, "7_menu.png") && saved;
  saved = saveChart(window, folder, "9_grafico.png") && saved;
  const Platform platform{clock, regional, current};
  saved = saveReport(window, platform, folder, "informe_20", 0) && saved;

  // A full lot with the lab's long names, two cores and some samples without a
  // position: 254 curves in the window and a report of some 550 pages, of which the
  // summary's, the diagrams', the curves' and the first and last samples' are drawn,
  // and the summary's first page, Folk's triangles and the lot's views at a size to
  // read them.
  options.sampleCount = 254;
  options.lotName = "LOTE254";
  options.nameMismatchEvery = 0;
  options.labNames = true;
  options.coreCount = 2;
  options.withoutPositionEvery = 50;
  tools::writeSampleFiles(options, inputs);
  answers.queueAnswer(inputs / "LOTE254.csv");
  press(window, "lotebutton");
  answers.queueAnswer(inputs / "LOTE254_export.txt");
  press(window, "exportbutton");
  press(window, "calculatot");
  saved =
      expect(window.itemCount(ListId::List1) == 254, "el cálculo no ha dado 254 muestras") && saved;
  saved = save(window, folder, "8_calculo_254.png") && saved;
  // Maximised on the off-screen platform's screen: the lists and the graph take the room.
  const QSize designed = window.size();
  window.showMaximized();
  for (int wait = 0; wait < 100 && window.size() == designed; ++wait) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  saved = expect(window.width() > designed.width() && window.height() > designed.height(),
                 "la ventana no se ha maximizado") &&
          save(window, folder, "9_maximizada.png") && saved;
  window.showNormal();
  saved = saveChart(window, folder, "10_grafico_254.png") && saved;
  saved = saveReport(window, platform, folder, "informe_254", 16) && saved;
  const QString pdf = folder.filePath("informe_254.pdf");
  saved = saveReportPage(pdf, "Informe granulom", folder, "informe_254_resumen") && saved;
  saved =
      saveReportPage(pdf, "Grupos texturales de Folk (1954): grava", folder, "informe_254_folk") &&
      saved;
  saved = saveReportPage(pdf, "Mapa de muestras", folder, "informe_254_mapa") && saved;
  saved = saveReportPage(pdf, "Diagramas bivariantes", folder, "informe_254_bivariantes") && saved;
  saved = saveReportPage(pdf, "Perfil en profundidad", folder, "informe_254_perfil") && saved;
#ifdef GRANOMET_ARCHIVE
  saved = saveArchiveWindow(folder, inputs) && saved;
  saved = saveArchivedSamples(window, archive, folder) && saved;
#endif
  return saved ? 0 : 1;
}
