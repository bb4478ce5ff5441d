// granomet-informe: the statistics table and the PDF report of every sample in one or more results
// files.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "command_line.h"
#include "data/file_names.h"
#include "data/input_file.h"
#include "ui/system_regional_settings.h"
#include "workflow/messages.h"
#include "workflow/statistics_run.h"

#if GRANOMET_GDAL
#include "geodata/samples_layer.h"
#endif

#if GRANOMET_PDF
#include "report_program.h"
#endif

namespace {

using namespace granomet;

struct Arguments {
  std::optional<std::filesystem::path> table;
  std::optional<std::filesystem::path> report;
  std::optional<std::filesystem::path> layer;
  std::optional<std::filesystem::path> background;
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
    } else if (argument == "-g") {
      if (!optionPath(given, i, messages::informeLayerNameMissing(), arguments.layer)) {
        return false;
      }
    } else if (argument == "--fondo") {
      if (!optionPath(given, i, messages::informeBackgroundNameMissing(), arguments.background)) {
        return false;
      }
    } else {
      return false;
    }
  }
  if (arguments.background && !arguments.report) {
    printText(stderr, messages::informeBackgroundWithoutReport());
    return false;
  }
  return !arguments.resultsFiles.empty();
}

void printProblems(const std::vector<std::string>& problems) {
  for (const std::string& problem : problems) {
    printText(stderr, "granomet-informe: " + problem + "\n");
  }
}

// Whether two outputs name one file, however spelt, saying so: as the outputs are
// told from the inputs. One would replace the other.
bool outputsMeet(const Arguments& arguments) {
  if (arguments.table && arguments.report && sameFile(*arguments.table, *arguments.report)) {
    printProblems({messages::informeOutputsMeet(utf8Of(*arguments.report))});
    return true;
  }
  for (const auto& [option, other] :
       {std::pair{"-o", &arguments.table}, {"-p", &arguments.report}}) {
    if (arguments.layer && *other && sameFile(*arguments.layer, **other)) {
      printProblems({messages::informeLayerMeets(option, utf8Of(*arguments.layer))});
      return true;
    }
  }
  return false;
}

// True when the report was written and every results file read. The report is
// drawn by granomet-informe-pdf, which loads Qt: the table alone never waits for it.
bool writeReport(const Arguments& arguments) {
#if GRANOMET_PDF
  return drawReportWithProgram(*arguments.report, arguments.background, arguments.resultsFiles);
#else
  printText(stderr, "granomet-informe: " + messages::informeWithoutPdf() + "\n");
  if (arguments.background) {
    printProblems({messages::informeWithoutLayers()});
  }
  return false;
#endif
}

// True when the layer was written and every results file read.
bool writeLayer(const Arguments& arguments) {
#if GRANOMET_GDAL
  int withoutPosition = 0;
  const OutputRun run =
      writeSamplesLayer(arguments.resultsFiles, *arguments.layer, withoutPosition);
  printProblems(run.problems);
  if (run.written) {
    printText(stdout, messages::layerWritten(utf8Of(*arguments.layer), run.samples, run.filesRead,
                                             withoutPosition) +
                          "\n");
  }
  return run.written && run.problems.empty();
#else
  (void)arguments;
  printProblems({messages::informeWithoutLayers()});
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
  // One output would replace another; like a wrong argument, nothing is done.
  if (outputsMeet(arguments)) {
    return 2;
  }
  const SystemRegionalSettings regional;
  bool succeeded = true;
  // The table unless only a report or a layer was asked for.
  if (arguments.table || (!arguments.report && !arguments.layer)) {
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
    return 2;
  }
  if (arguments.layer) {
    succeeded = writeLayer(arguments) && succeeded;
  }
  if (outputsMeet(arguments)) {
    return 2;
  }
  if (arguments.report) {
    succeeded = writeReport(arguments) && succeeded;
  }
  return succeeded ? 0 : 1;
}
