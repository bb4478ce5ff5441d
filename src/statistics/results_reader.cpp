#include "statistics/results_reader.h"

#include <array>
#include <charconv>
#include <cmath>
#include <utility>

#include "data/input_file.h"
#include "data/text_encoding.h"

namespace granomet {
namespace {

constexpr std::string_view kFirstHeaderField = "Lot-Num";

// Splits the bytes into lines of comma-separated fields. A field in double quotes
// may hold commas, line ends and doubled quotes; CR LF, LF and a lone CR end a line.
class RecordSplitter {
 public:
  explicit RecordSplitter(std::string_view bytes) : bytes_(bytes) {}

  // False at the end of the bytes; blank lines are skipped. Fields beyond a results
  // line's are counted, not kept: a line of commas must not fill the memory.
  bool next(std::vector<std::string>& fields, int& startLine, int& fieldCount) {
    while (pos_ < bytes_.size()) {
      startLine = line_;
      fields.clear();
      readRecord(fields, fieldCount);
      if (fieldCount > 1 || !fields.front().empty() || quoted_) {
        return true;
      }
    }
    return false;
  }

 private:
  void readRecord(std::vector<std::string>& fields, int& fieldCount) {
    std::string field;
    bool fieldQuoted = false;
    quoted_ = false;
    fieldCount = 1;
    while (pos_ < bytes_.size()) {
      const char c = bytes_[pos_++];
      if (c == '\0') {
        throw ResultsFormatError(ResultsFormatError::Cause::NotText, line_);
      }
      if (c == '"' && field.empty() && !fieldQuoted) {
        fieldQuoted = true;
        quoted_ = true;
        readQuoted(field);
      } else if (c == ',') {
        if (fieldCount++ <= kResultsFields) {
          fields.push_back(std::move(field));
        }
        field.clear();
        fieldQuoted = false;
      } else if (c == '\r' || c == '\n') {
        if (c == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') {
          ++pos_;
        }
        ++line_;
        break;
      } else {
        field += c;
      }
    }
    if (fieldCount <= kResultsFields) {
      fields.push_back(std::move(field));
    }
  }

  void readQuoted(std::string& field) {
    const int opened = line_;
    while (pos_ < bytes_.size()) {
      const char c = bytes_[pos_++];
      if (c == '\0') {
        throw ResultsFormatError(ResultsFormatError::Cause::NotText, line_);
      }
      if (c == '"') {
        if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
          field += '"';
          ++pos_;
          continue;
        }
        return;
      }
      if (c == '\n' || (c == '\r' && !(pos_ < bytes_.size() && bytes_[pos_] == '\n'))) {
        ++line_;
      }
      field += c;
    }
    throw ResultsFormatError(ResultsFormatError::Cause::UnclosedQuote, opened);
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
  int line_ = 1;
  bool quoted_ = false;  // whether the record read last had a quoted field
};

double numberField(const std::vector<std::string>& fields, int field, int line) {
  const std::optional<double> value = resultsNumber(fields[static_cast<std::size_t>(field - 1)]);
  if (!value) {
    throw ResultsFormatError(ResultsFormatError::Cause::NotANumber, line, field,
                             fields[static_cast<std::size_t>(field - 1)]);
  }
  return *value;
}

void checkFieldCount(int fieldCount, int line) {
  if (fieldCount != kResultsFields) {
    throw ResultsFormatError(ResultsFormatError::Cause::FieldCount, line, 0, {}, fieldCount);
  }
}

}  // namespace

ResultsFormatError::ResultsFormatError(Cause cause, int line, int field, std::string subject,
                                       int fieldCount)
    : std::runtime_error("not a results file"),
      cause_(cause),
      line_(line),
      field_(field),
      subject_(std::move(subject)),
      fieldCount_(fieldCount) {}

std::optional<double> resultsNumber(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
    text.remove_suffix(1);
  }
  // Longer than any number the program writes.
  std::array<char, 64> digits{};
  if (text.empty() || text.size() > digits.size()) {
    return std::nullopt;
  }
  int marks = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    digits[i] = text[i] == ',' ? '.' : text[i];
    marks += digits[i] == '.' ? 1 : 0;
  }
  double value = 0;
  const char* end = digits.data() + text.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value);
  if (marks > 1 || error != std::errc() || stop != end || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

ResultsFileContents parseResultsFile(std::string_view bytes) {
  std::string converted;
  if (bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
    converted = utf8ToCp1252(bytes.substr(kUtf8ByteOrderMark.size()));
    bytes = converted;
  } else if (isUtf8Text(bytes)) {
    converted = utf8ToCp1252(bytes);
    bytes = converted;
  }

  RecordSplitter splitter(bytes);
  ResultsFileContents contents;
  int line = 1;
  int fieldCount = 0;
  if (!splitter.next(contents.header, line, fieldCount) ||
      contents.header.front() != kFirstHeaderField) {
    throw ResultsFormatError(ResultsFormatError::Cause::NoHeader, line);
  }
  checkFieldCount(fieldCount, line);
  IndexedArray<double, kResultsClasses> diameters;
  for (int j = 1; j <= kResultsClasses; ++j) {
    const int field = kFirstClassField + j - 1;
    diameters[j] = numberField(contents.header, field, line);
    if (!(diameters[j] > 0) || (j > 1 && !(diameters[j] < diameters[j - 1]))) {
      throw ResultsFormatError(ResultsFormatError::Cause::Diameters, line, field,
                               contents.header[static_cast<std::size_t>(field - 1)]);
    }
  }

  ResultsLine next;
  while (splitter.next(next.fields, next.lineNumber, fieldCount)) {
    checkFieldCount(fieldCount, next.lineNumber);
    ResultsSample& sample = next.sample;
    sample.classes.lowerDiameter = diameters;
    for (int j = 1; j <= kResultsClasses; ++j) {
      sample.classes.weight[j] =
          numberField(next.fields, kFirstClassField + j - 1, next.lineNumber);
    }
    sample.gravelPercent = numberField(next.fields, kGravelField, next.lineNumber);
    sample.sandPercent = numberField(next.fields, kGravelField + 1, next.lineNumber);
    sample.siltPercent = numberField(next.fields, kGravelField + 2, next.lineNumber);
    sample.clayPercent = numberField(next.fields, kGravelField + 3, next.lineNumber);
    // The shells and the moments in µm are only copied, but must be numbers too.
    numberField(next.fields, kGravelField + 4, next.lineNumber);
    for (int field = kMeanMicronField; field < kMeanPhiField; ++field) {
      numberField(next.fields, field, next.lineNumber);
    }
    sample.meanPhi = numberField(next.fields, kMeanPhiField, next.lineNumber);
    sample.sortingPhi = numberField(next.fields, kMeanPhiField + 1, next.lineNumber);
    sample.skewnessPhi = numberField(next.fields, kMeanPhiField + 2, next.lineNumber);
    sample.kurtosisPhi = numberField(next.fields, kMeanPhiField + 3, next.lineNumber);
    contents.lines.push_back(std::move(next));
    next = ResultsLine();
  }
  return contents;
}

ResultsFileContents readResultsFile(const std::filesystem::path& path) {
  return parseResultsFile(readInputFile(path));
}

}  // namespace granomet
