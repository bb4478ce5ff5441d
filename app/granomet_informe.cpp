// granomet-informe: the statistics table of every sample in one or more results files.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "qt/qt_regional_settings.h"
#include "workflow/messages.h"
#include "workflow/statistics_run.h"

namespace {

using namespace granomet;

struct Arguments {
  std::optional<std::filesystem::path> table;
  std::vector<std::filesystem::path> resultsFiles;
  bool help = false;
};

// False on wrong arguments, after saying what is wrong where usage alone would not.
bool parseArguments(int argc, char** argv, Arguments& arguments) {
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      arguments.resultsFiles.emplace_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--help" || argument == "-h") {
      arguments.help = true;
      return true;
    } else if (argument == "-o") {
      if (++i >= argc) {
        return false;
      }
      if (std::string_view(argv[i]).empty()) {
        std::fputs(std::string(messages::informeTableNameMissing()).c_str(), stderr);
        return false;
      }
      arguments.table = std::filesystem::path(argv[i]);
    } else {
      return false;
    }
  }
  return !arguments.resultsFiles.empty();
}

}  // namespace

int main(int argc, char** argv) {
  Arguments arguments;
  if (!parseArguments(argc, argv, arguments)) {
    std::fputs(std::string(messages::informeUsage()).c_str(), stderr);
    return 2;
  }
  if (arguments.help) {
    std::fputs(std::string(messages::informeUsage()).c_str(), stdout);
    return 0;
  }
  const QtRegionalSettings regional;
  const std::filesystem::path table =
      arguments.table.value_or(defaultTablePath(arguments.resultsFiles.front()));
  const StatisticsRunResult run =
      runStatistics(arguments.resultsFiles, table, regional.decimalMark());
  for (const std::string& problem : run.problems) {
    std::fprintf(stderr, "granomet-informe: %s\n", problem.c_str());
  }
  if (run.tableWritten) {
    const std::u8string name = table.u8string();
    std::printf("%s\n", messages::tableWritten(std::string(name.begin(), name.end()), run.samples,
                                               run.filesRead)
                            .c_str());
  }
  return run.tableWritten && run.problems.empty() ? 0 : 1;
}
