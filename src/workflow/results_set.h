// Results files read for a table or a report, and the checks on the file to be written from them.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/whole_file.h"
#include "statistics/results_reader.h"
#include "workflow/messages.h"

namespace granomet {

class WholeFileSink;

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

// What reading results files and writing one file made from them came to.
struct OutputRun {
  // In UTF-8, one line each: a results file that could not be read, or why the
  // output was not written.
  std::vector<std::string> problems;
  int filesRead = 0;
  int samples = 0;
  bool written = false;
  bool stopped = false;  // by the user, who needs no problem told
};

// How making an output ended; Stopped and Failed leave no file.
enum class OutputEnd { Made, Stopped, Failed };

// Streams the output, made from the files read, into the file being written whole.
using OutputMaker = std::function<OutputEnd(const ResultsSet& results, WholeFileSink& sink)>;

// Refuses an output that is one of the results files (it would destroy it) or not
// a regular file; then every results file that can be read contributes, one that
// cannot is named in problems, and the output is written whole when one was read.
OutputRun writeFromResults(messages::Output kind,
                           const std::vector<std::filesystem::path>& resultsFiles,
                           const std::filesystem::path& output, const OutputMaker& make);

// As writeFromResults, from results already read (an archive's): refused where the
// output is one of keptFiles (files it must never replace, such as those the results
// came from) or not a regular file; the set's problems are told as the run's.
OutputRun writeFromResults(messages::Output kind, const ResultsSet& results,
                           const std::vector<std::filesystem::path>& keptFiles,
                           const std::filesystem::path& output, const OutputMaker& make);

// Makes the output from the files read at `made` with a writer of its own (a library
// that creates its file itself); nullopt, or why it could not (UTF-8, for the user).
using OutputFileMaker = std::function<std::optional<std::string>(
    const ResultsSet& results, const std::filesystem::path& made)>;

// As writeFromResults, for a writer of its own: the file it makes beside replaces the
// output whole (writeWholeFileBy), or the output stays as it was.
OutputRun writeFileFromResults(messages::Output kind,
                               const std::vector<std::filesystem::path>& resultsFiles,
                               const std::filesystem::path& output, const OutputFileMaker& make);

// As writeFileFromResults, from results already read, refused as writeFromResults
// refuses them.
OutputRun writeFileFromResults(messages::Output kind, const ResultsSet& results,
                               const std::vector<std::filesystem::path>& keptFiles,
                               const std::filesystem::path& output, const OutputFileMaker& make);

// One line of the output streamed from results files: made from a results line,
// its file's bare name (8-bit text) and its file's header (the contents hold no
// lines), and handed to the sink.
using LineWriter = std::function<void(std::string_view fileName, const ResultsFileContents& file,
                                      const ResultsLine& line, WholeFileSink& sink)>;

// As writeFromResults, but the output is written as it is made: `heading`, then
// one results line at a time, file after file, so memory stays that of the
// largest file whatever their number. Each file is checked whole before any of its
// lines is written: a file found malformed at its last line contributes nothing.
OutputRun writeLinesFromResults(messages::Output kind,
                                const std::vector<std::filesystem::path>& resultsFiles,
                                const std::filesystem::path& output, std::string_view heading,
                                const LineWriter& writeLine);

// Beside the first results file: its name with suffix in place of ".csv" (after the
// whole name, when it does not end in ".csv"), then extension.
std::filesystem::path besideResults(const std::filesystem::path& firstResultsFile,
                                    std::string_view suffix, std::string_view extension);

}  // namespace granomet
