#include "archive/archive.h"

namespace granomet {

ResultsSet resultsSetOf(const std::vector<ArchivedResultsFile>& files) {
  ResultsSet set;
  set.files.reserve(files.size());
  for (const ArchivedResultsFile& file : files) {
    set.files.push_back({file.name, parseResultsFile(file.bytes)});
  }
  return set;
}

}  // namespace granomet
