#include "archive/archive.h"

#include "compute/shepard.h"
#include "data/text_encoding.h"
#include "workflow/messages.h"

namespace granomet {

std::string shepardShown(std::string_view stored) {
  const std::string name = messages::shepardClassName(shepardCodeOf(stored));
  return name.empty() ? std::string(stored) : cp1252ToUtf8(name);
}

ResultsSet resultsSetOf(const std::vector<ArchivedResultsFile>& files) {
  ResultsSet set;
  set.files.reserve(files.size());
  for (const ArchivedResultsFile& file : files) {
    set.files.push_back({file.name, parseResultsFile(file.bytes)});
  }
  return set;
}

}  // namespace granomet
