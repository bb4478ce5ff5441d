// granomet-informe-pdf: the PDF report of granomet-informe -p, drawn with Qt in a program of its
// own so that granomet-informe loads Qt only when a report is asked for.
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "command_line.h"
#include "data/file_names.h"
#include "report/pdf_report.h"
#include "ui/system_clock.h"
#include "ui/system_regional_settings.h"
#include "workflow/messages.h"
#include "workflow/report_run.h"

#if GRANOMET_GDAL
#include "geodata/background_layer.h"
#endif

namespace {

// The map's background, or none after saying why; false when it could not be read.
bool readBackground(const std::filesystem::path& layer, std::vector<granomet::GeoPath>& paths) {
  using namespace granomet;
#if GRANOMET_GDAL
  try {
    paths = readBackgroundLayer(layer);
    return true;
  } catch (const BackgroundLayerError& error) {
    printText(stderr, "granomet-informe: " + std::string(error.what()) + " " +
                          messages::reportWithoutBackground() + "\n");
  }
#else
  (void)layer;
  (void)paths;
  printText(stderr, "granomet-informe: " + messages::informeWithoutLayers() + "\n");
#endif
  return false;
}

}  // namespace

// Called by granomet-informe as: granomet-informe-pdf [--fondo LAYER] REPORT RESULTS_FILE...
// Exit status: 0 when the report was written, every results file and the layer read,
// 1 otherwise, 2 on wrong arguments.
int main(int argc, char** argv) {
  using namespace granomet;
  useBinaryOutput();
  const std::vector<CommandArgument> given = commandArguments(argc, argv);
  const std::size_t first = !given.empty() && given.front().text == "--fondo" ? 2 : 0;
  if (given.size() < first + 2) {
    return 2;
  }
  const std::filesystem::path report = given[first].path;
  std::vector<std::filesystem::path> resultsFiles;
  for (std::size_t i = first + 1; i < given.size(); ++i) {
    resultsFiles.push_back(given[i].path);
  }

  // Qt's own notes (a runtime folder it would like to have) are no concern of the
  // user's; its failures still reach the terminal.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
      printText(stderr, "granomet-informe: " + text.toStdString() + "\n");
    }
  });
  // Fonts need a GUI application; no window is shown, nor any display needed.
  std::vector<char*> qtArguments{argv[0], const_cast<char*>("-platform"),
                                 const_cast<char*>("offscreen")};
  int qtCount = static_cast<int>(qtArguments.size());
  const QGuiApplication application(qtCount, qtArguments.data());
  const SystemClock clock;
  const SystemRegionalSettings regional;
  // Where someone watches, the page being drawn, written over itself; at most a few
  // hundred times, for a slow terminal.
  bool told = false;
  ReportProgress progress;
  if (isTerminal(stderr)) {
    progress = [&told](int done, int pages) {
      if (done == 1 || done == pages || done % std::max(1, pages / 200) == 0) {
        std::fprintf(stderr, "\r%s", messages::reportProgress(done, pages).c_str());
        std::fflush(stderr);
        told = true;
      }
      return true;
    };
  }
  ReportContext context{clock.now(), regional.decimalMark(), false, {}, {}, {}};
  const bool backgroundRead = first == 0 || readBackground(given[1].path, context.mapBackground);
  const OutputRun run = runReport(resultsFiles, report, context, report::pdfRenderer(), progress);
  if (told) {
    std::fputc('\n', stderr);
  }
  for (const std::string& problem : run.problems) {
    printText(stderr, "granomet-informe: " + problem + "\n");
  }
  if (run.written) {
    printText(stdout, messages::reportWritten(utf8Of(report), run.samples, run.filesRead) + "\n");
  }
  return run.written && run.problems.empty() && backgroundRead ? 0 : 1;
}
