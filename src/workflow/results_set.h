// Results files read for a table or a report, and the checks on the file to be written from them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "statistics/results_reader.h"

namespace granomet {

struct ResultsSetFile {
  std::string name;  // the bare file name, in the program's 8-bit text
  ResultsFileContents contents;
};

struct ResultsSet {
  // Every file that could be read, in the order given.
  std::vector<ResultsSetFile> files;
  // In UTF-8, one line each: a results file that could not be read.
  std::vector<std::string> problems;
  int samples() const;
};

// A file that cannot be read is named in problems and the others are still read.
ResultsSet readResultsFiles(const std::vector<std::filesystem::path>& resultsFiles);

enum class OutputKind { Table, Report };

// Why the table or report may not be written at output, in UTF-8: it is one of the
// results files it is made from (it would destroy it), or not a regular file.
std::optional<std::string> outputRefusal(OutputKind kind, const std::filesystem::path& output,
                                         const std::vector<std::filesystem::path>& resultsFiles);

// Beside the first results file: its name with suffix in place of ".csv" (after the
// whole name, when it does not end in ".csv"), then extension.
std::filesystem::path besideResults(const std::filesystem::path& firstResultsFile,
                                    std::string_view suffix, std::string_view extension);

}  // namespace granomet
