// granomet-informe: the statistics table of every sample in one or more results files.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command_line.h"
#include "data/file_names.h"
#include "user_regional_settings.h"
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
      if (++i >= given.size()) {
        return false;
      }
      if (given[i].text.empty()) {
        std::fputs(std::string(messages::informeTableNameMissing()).c_str(), stderr);
        return false;
      }
      arguments.table = given[i].path;
    } else {
      return false;
    }
  }
  return !arguments.resultsFiles.empty();
}

}  // namespace

int main(int argc, char** argv) {
  useBinaryOutput();
  Arguments arguments;
  if (!parseArguments(commandArguments(argc, argv), arguments)) {
    std::fputs(std::string(messages::informeUsage()).c_str(), stderr);
    return 2;
  }
  if (arguments.help) {
    std::fputs(std::string(messages::informeUsage()).c_str(), stdout);
    return 0;
  }
  const UserRegionalSettings regional;
  const std::filesystem::path table =
      arguments.table.value_or(defaultTablePath(arguments.resultsFiles.front()));
  const StatisticsRunResult run =
      runStatistics(arguments.resultsFiles, table, regional.decimalMark());
  for (const std::string& problem : run.problems) {
    std::fprintf(stderr, "granomet-informe: %s\n", problem.c_str());
  }
  if (run.tableWritten) {
    std::printf("%s\n", messages::tableWritten(utf8Of(table), run.samples, run.filesRead).c_str());
  }
  return run.tableWritten && run.problems.empty() ? 0 : 1;
}
