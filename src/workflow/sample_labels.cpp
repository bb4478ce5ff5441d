#include "workflow/sample_labels.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace granomet {
namespace {

constexpr std::string_view kNoValue = "\x97";  // an em dash in the program's 8-bit text

}  // namespace

std::string lotOfResultsFile(std::string_view fileName, std::string_view lotName) {
  if (!lotName.empty()) {
    return std::string(lotName);
  }
  constexpr std::string_view kStamp = "_dddddddd_dddddd.csv";
  const auto stem = [fileName] {
    const auto dot = fileName.rfind('.');
    return std::string(dot == std::string_view::npos || dot == 0 ? fileName
                                                                 : fileName.substr(0, dot));
  };
  if (fileName.size() <= kStamp.size()) {
    return stem();
  }
  const std::size_t start = fileName.size() - kStamp.size();
  for (std::size_t i = 0; i < kStamp.size(); ++i) {
    const char c = fileName[start + i];
    const char expected = kStamp[i];
    const bool matches = expected == 'd' ? (c >= '0' && c <= '9')
                                         : std::tolower(static_cast<unsigned char>(c)) == expected;
    if (!matches) {
      return stem();
    }
  }
  return std::string(fileName.substr(0, start));
}

std::vector<std::string> lotsOf(const ResultsSet& results, std::string_view lotName) {
  std::vector<std::string> lots;
  for (const ResultsSetFile& file : results.files) {
    std::string lot = lotOfResultsFile(file.name, lotName);
    if (!lot.empty() && std::find(lots.begin(), lots.end(), lot) == lots.end()) {
      lots.push_back(std::move(lot));
    }
  }
  if (lots.empty() && !lotName.empty()) {
    lots.emplace_back(lotName);
  }
  return lots;
}

std::vector<std::string> sampleLabels(const ResultsSet& results, std::string_view lotName) {
  const bool severalLots = lotsOf(results, lotName).size() > 1;
  std::vector<std::string> labels;
  labels.reserve(static_cast<std::size_t>(results.samples()));
  std::map<std::string, int> seen;
  for (const ResultsSetFile& file : results.files) {
    const std::string lot = severalLots ? lotOfResultsFile(file.name, lotName) : std::string();
    for (const ResultsLine& line : file.contents.lines) {
      const std::string& field = line.fields.at(static_cast<std::size_t>(kLotNumberField - 1));
      const std::string number = field.empty() ? std::string(kNoValue) : field;
      std::string label = severalLots ? lot + "/" + number : number;
      const int times = ++seen[label];
      if (times > 1) {
        std::string letters;
        for (int left = times; left > 0; left = (left - 1) / 26) {
          letters.insert(letters.begin(), static_cast<char>('a' + (left - 1) % 26));
        }
        label += letters;
      }
      labels.push_back(std::move(label));
    }
  }
  return labels;
}

}  // namespace granomet
