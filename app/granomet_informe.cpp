// granomet-informe: the statistics table and the PDF report of every sample in one or more results
// files.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command_line.h"
#include "data/file_names.h"
#include "data/input_file.h"
#include "ui/system_clock.h"
#include "ui/system_regional_settings.h"
#include "workflow/messages.h"
#include "workflow/report_run.h"
#include "workflow/statistics_run.h"

#if GRANOMET_PDF
#include <QGuiApplication>

#include "report/pdf_report.h"
#endif

namespace {

using namespace granomet;

struct Arguments {
  std::optional<std::filesystem::path> table;
  std::optional<std::filesystem::path> report;
  std::vector<std::filesystem::path> resultsFiles;
  bool help = false;
};

// The path after an option; false, after saying so, where it is missing or empty.
bool optionPath(const std::vector<CommandArgument>& given, std::size_t& i, std::string_view missing,
                std::optional<std::filesystem::path>& path) {
  if (++i >= given.size()) {
    return false;
  }
  if (given[i].text.empty()) {
    printText(stderr, missing);
    return false;
  }
  path = given[i].path;
  return true;
}

// False on wrong arguments, after saying what is wrong where usage alone would not.
bool parseArguments(const std::vector<CommandArgument>& given, Arguments& arguments) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < given.size(); ++i) {
    const std::string_view argument = given[i].text;
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      arguments.resultsFiles.push_back(given[i].path);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--help" || argument == "-h") {
      arguments.help = true;
      return true;
    } else if (argument == "-o") {
      if (!optionPath(given, i, messages::informeTableNameMissing(), arguments.table)) {
        return false;
      }
    } else if (argument == "-p") {
      if (!optionPath(given, i, messages::informeReportNameMissing(), arguments.report)) {
        return false;
      }
    } else {
      return false;
    }
  }
  return !arguments.resultsFiles.empty();
}

// Whether -o and -p name one file, however spelt: as the outputs are told from the inputs.
bool outputsMeet(const Arguments& arguments) {
  return arguments.table && arguments.report && sameFile(*arguments.table, *arguments.report);
}

void printProblems(const std::vector<std::string>& problems) {
  for (const std::string& problem : problems) {
    printText(stderr, "granomet-informe: " + problem + "\n");
  }
}

// True when the report was written and every results file read.
bool writeReport(char* programName, const Arguments& arguments, char decimalMark) {
#if GRANOMET_PDF
  // Qt's own notes (a runtime folder it would like to have) are no concern of the
  // user's; its failures still reach the terminal.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
      printText(stderr, "granomet-informe: " + text.toStdString() + "\n");
    }
  });
  // Fonts need a GUI application; no window is shown, nor any display needed.
  std::vector<char*> qtArguments{programName, const_cast<char*>("-platform"),
                                 const_cast<char*>("offscreen")};
  int qtCount = static_cast<int>(qtArguments.size());
  const QGuiApplication application(qtCount, qtArguments.data());
  const SystemClock clock;
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
  const OutputRun run =
      runReport(arguments.resultsFiles, *arguments.report,
                {clock.now(), decimalMark, false, {}, {}}, report::pdfRenderer(), progress);
  if (told) {
    std::fputc('\n', stderr);
  }
  printProblems(run.problems);
  if (run.written) {
    printText(
        stdout,
        messages::reportWritten(utf8Of(*arguments.report), run.samples, run.filesRead) + "\n");
  }
  return run.written && run.problems.empty();
#else
  (void)programName;
  (void)arguments;
  (void)decimalMark;
  printText(stderr, "granomet-informe: " + messages::informeWithoutPdf() + "\n");
  return false;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  useBinaryOutput();
  Arguments arguments;
  if (!parseArguments(commandArguments(argc, argv), arguments)) {
    printText(stderr, messages::informeUsage());
    return 2;
  }
  if (arguments.help) {
    printText(stdout, messages::informeUsage());
    return 0;
  }
  // The report would replace the table; like a wrong argument, nothing is done.
  if (outputsMeet(arguments)) {
    printProblems({messages::informeOutputsMeet(utf8Of(*arguments.report))});
    return 2;
  }
  const SystemRegionalSettings regional;
  bool succeeded = true;
  // The table unless only a report was asked for.
  if (arguments.table || !arguments.report) {
    const std::filesystem::path table =
        arguments.table.value_or(defaultTablePath(arguments.resultsFiles.front()));
    const OutputRun run = runStatistics(arguments.resultsFiles, table, regional.decimalMark());
    printProblems(run.problems);
    if (run.written) {
      printText(stdout, messages::tableWritten(utf8Of(table), run.samples, run.filesRead) + "\n");
    }
    succeeded = run.written && run.problems.empty();
  }
  // Asked again once the table exists: on a file system that ignores case, two
  // names of a file not yet made are only then known to be one.
  if (outputsMeet(arguments)) {
    printProblems({messages::informeOutputsMeet(utf8Of(*arguments.report))});
    return 2;
  }
  if (arguments.report) {
    succeeded = writeReport(argv[0], arguments, regional.decimalMark()) && succeeded;
  }
  return succeeded ? 0 : 1;
}
