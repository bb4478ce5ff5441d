#include "workflow/results_set.h"

#include <algorithm>
#include <cctype>

#include "data/file_names.h"
#include "data/input_file.h"
#include "data/read_error.h"
#include "results/results_file.h"
#include "results/whole_file.h"
#include "workflow/messages.h"

namespace granomet {
namespace fs = std::filesystem;
namespace {

bool isCsv(const fs::path& extension) {
  std::string text = utf8Of(extension);
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text == ".csv";
}

}  // namespace

int ResultsSet::samples() const {
  int count = 0;
  for (const ResultsSetFile& file : files) {
    count += static_cast<int>(file.contents.lines.size());
  }
  return count;
}

ResultsSet readResultsFiles(const std::vector<fs::path>& resultsFiles) {
  ResultsSet set;
  for (const fs::path& resultsFile : resultsFiles) {
    try {
      set.files.push_back({displayName(resultsFile), readResultsFile(resultsFile)});
    } catch (const ReadError& error) {
      set.problems.push_back(messages::resultsFileUnreadable(utf8Of(resultsFile), error));
    } catch (const ResultsFormatError& error) {
      set.problems.push_back(messages::resultsFileMalformed(utf8Of(resultsFile), error));
    }
  }
  return set;
}

namespace {

// Why nothing is to be written at the output: it is one of the results files
// (it would destroy it) or no regular file.
std::optional<std::string> outputRefusal(messages::Output kind,
                                         const std::vector<fs::path>& resultsFiles,
                                         const fs::path& output) {
  for (const fs::path& resultsFile : resultsFiles) {
    if (sameFile(output, resultsFile)) {
      return messages::outputIsAResultsFile(kind, utf8Of(output));
    }
  }
  if (const FileKind fileKind = fileKindOf(output); fileKind != FileKind::Regular) {
    return messages::outputIsNoFile(kind, utf8Of(output), fileKind);
  }
  return std::nullopt;
}

// The file's bytes when it is a results file throughout; else nullopt, and why in problems.
std::optional<std::string> checkedResultsFile(const fs::path& path,
                                              std::vector<std::string>& problems) {
  try {
    std::string bytes = readInputFile(path);
    ResultsLineReader reader(bytes);
    ResultsLine line;
    while (reader.next(line)) {
    }
    return bytes;
  } catch (const ReadError& error) {
    problems.push_back(messages::resultsFileUnreadable(utf8Of(path), error));
  } catch (const ResultsFormatError& error) {
    problems.push_back(messages::resultsFileMalformed(utf8Of(path), error));
  }
  return std::nullopt;
}

// Counts the set's files and samples into run, with its problems; false, after saying
// so, where none was read.
bool takenIn(messages::Output kind, const ResultsSet& results, OutputRun& run) {
  run.problems.insert(run.problems.end(), results.problems.begin(), results.problems.end());
  run.filesRead = static_cast<int>(results.files.size());
  run.samples = results.samples();
  if (run.filesRead == 0) {
    run.problems.push_back(messages::noResultsRead(kind));
    return false;
  }
  return true;
}

void writeMade(messages::Output kind, const ResultsSet& results, const fs::path& output,
               const OutputMaker& make, OutputRun& run) {
  OutputEnd end = OutputEnd::Failed;
  try {
    run.written = writeWholeFile(output, [&](WholeFileSink& sink) {
      end = make(results, sink);
      return end == OutputEnd::Made;
    });
  } catch (const ResultsFileError& error) {
    run.problems.push_back(messages::outputUnwritable(kind, utf8Of(output), error));
    return;
  }
  run.stopped = end == OutputEnd::Stopped;
  if (end == OutputEnd::Failed) {
    run.problems.push_back(messages::outputNotMade(kind, utf8Of(output)));
  }
}

void writeMadeBy(messages::Output kind, const ResultsSet& results, const fs::path& output,
                 const OutputFileMaker& make, OutputRun& run) {
  std::optional<std::string> failure;
  try {
    run.written = writeWholeFileBy(output, [&](const fs::path& made) {
      failure = make(results, made);
      return !failure;
    });
  } catch (const ResultsFileError& error) {
    run.problems.push_back(messages::outputUnwritable(kind, utf8Of(output), error));
    return;
  }
  if (failure) {
    run.problems.push_back(std::move(*failure));
  }
}

// The output's refusal, then the results as given (none: keptFiles read), then the
// writing.
template <typename Maker, typename Write>
OutputRun refusedOrWritten(messages::Output kind, const std::vector<fs::path>& keptFiles,
                           const fs::path& output, const ResultsSet* given, const Maker& make,
                           const Write& write) {
  OutputRun run;
  if (std::optional<std::string> refusal = outputRefusal(kind, keptFiles, output)) {
    run.problems.push_back(std::move(*refusal));
    return run;
  }
  ResultsSet read;
  if (given == nullptr) {
    read = readResultsFiles(keptFiles);
    given = &read;
  }
  if (takenIn(kind, *given, run)) {
    write(kind, *given, output, make, run);
  }
  return run;
}

}  // namespace

OutputRun writeFromResults(messages::Output kind, const std::vector<fs::path>& resultsFiles,
                           const fs::path& output, const OutputMaker& make) {
  return refusedOrWritten(kind, resultsFiles, output, nullptr, make, writeMade);
}

OutputRun writeFromResults(messages::Output kind, const ResultsSet& results,
                           const std::vector<fs::path>& keptFiles, const fs::path& output,
                           const OutputMaker& make) {
  return refusedOrWritten(kind, keptFiles, output, &results, make, writeMade);
}

OutputRun writeFileFromResults(messages::Output kind, const std::vector<fs::path>& resultsFiles,
                               const fs::path& output, const OutputFileMaker& make) {
  return refusedOrWritten(kind, resultsFiles, output, nullptr, make, writeMadeBy);
}

OutputRun writeFileFromResults(messages::Output kind, const ResultsSet& results,
                               const std::vector<fs::path>& keptFiles, const fs::path& output,
                               const OutputFileMaker& make) {
  return refusedOrWritten(kind, keptFiles, output, &results, make, writeMadeBy);
}

OutputRun writeLinesFromResults(messages::Output kind, const std::vector<fs::path>& resultsFiles,
                                const fs::path& output, std::string_view heading,
                                const LineWriter& writeLine) {
  OutputRun run;
  if (std::optional<std::string> refusal = outputRefusal(kind, resultsFiles, output)) {
    run.problems.push_back(std::move(*refusal));
    return run;
  }
  try {
    run.written = writeWholeFile(output, [&](WholeFileSink& sink) {
      sink.write(heading);
      for (const fs::path& resultsFile : resultsFiles) {
        const std::optional<std::string> bytes = checkedResultsFile(resultsFile, run.problems);
        if (!bytes) {
          continue;
        }
        const std::string name = displayName(resultsFile);
        ResultsLineReader reader(*bytes);
        const ResultsFileContents header{reader.header(), {}};
        ResultsLine line;
        while (reader.next(line)) {
          writeLine(name, header, line, sink);
          ++run.samples;
        }
        ++run.filesRead;
      }
      return run.filesRead > 0;
    });
    if (!run.written) {
      run.problems.push_back(messages::noResultsRead(kind));
    }
  } catch (const ResultsFileError& error) {
    run.problems.push_back(messages::outputUnwritable(kind, utf8Of(output), error));
  }
  return run;
}

fs::path besideResults(const fs::path& firstResultsFile, std::string_view suffix,
                       std::string_view extension) {
  fs::path made = firstResultsFile;
  const fs::path ownExtension = firstResultsFile.extension();
  if (!isCsv(ownExtension)) {
    made += pathOfUtf8(suffix);
    made += pathOfUtf8(extension);
    return made;
  }
  made.replace_filename(firstResultsFile.stem());
  made += pathOfUtf8(suffix);
  // A table keeps the results file's own spelling of ".csv".
  made += isCsv(pathOfUtf8(extension)) ? ownExtension : pathOfUtf8(extension);
  return made;
}

}  // namespace granomet
