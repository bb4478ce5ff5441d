#include "workflow/results_set.h"

#include <algorithm>
#include <cctype>

#include "data/file_names.h"
#include "data/input_file.h"
#include "data/read_error.h"
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

std::optional<std::string> outputRefusal(OutputKind kind, const fs::path& output,
                                         const std::vector<fs::path>& resultsFiles) {
  const messages::Output said =
      kind == OutputKind::Table ? messages::Output::Table : messages::Output::Report;
  for (const fs::path& resultsFile : resultsFiles) {
    if (sameFile(output, resultsFile)) {
      return messages::outputIsAResultsFile(said, utf8Of(output));
    }
  }
  if (const FileKind fileKind = fileKindOf(output); fileKind != FileKind::Regular) {
    return messages::outputIsNoFile(said, utf8Of(output), fileKind);
  }
  return std::nullopt;
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
