#include "statistics/results_reader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <utility>

#include "data/input_file.h"
#include "data/text_encoding.h"

namespace granomet {
namespace {

constexpr std::string_view kFirstHeaderField = kNamedColumns.front();

// The bytes that end a run of plain field text.
constexpr bool isSpecial(char c) {
  return c == ',' || c == '"' || c == '\r' || c == '\n' || c == '\0';
}

// The field at `index`, emptied: a string an earlier line left there keeps its room.
std::string& fieldAt(std::vector<std::string>& fields, std::size_t index) {
  if (index == fields.size()) {
    fields.emplace_back();
  }
  fields[index].clear();
  return fields[index];
}

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

ResultsLineReader::ResultsLineReader(std::string_view bytes) : bytes_(bytes) {
  if (bytes_.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
    bytes_.remove_prefix(kUtf8ByteOrderMark.size());
    utf8_ = true;
  } else {
    utf8_ = isUtf8Text(bytes_);
  }
  int line = 1;
  int fieldCount = 0;
  if (!nextRecord(header_, line, fieldCount) || header_.front() != kFirstHeaderField) {
    throw ResultsFormatError(ResultsFormatError::Cause::NoHeader, line);
  }
  checkFieldCount(fieldCount, line);
  for (int j = 1; j <= kSizeClasses; ++j) {
    const int field = kFirstClassField + j - 1;
    diameters_[j] = numberField(header_, field, line);
    if (!(diameters_[j] > 0) || (j > 1 && !(diameters_[j] < diameters_[j - 1]))) {
      throw ResultsFormatError(ResultsFormatError::Cause::Diameters, line, field,
                               header_[static_cast<std::size_t>(field - 1)]);
    }
  }
}

bool ResultsLineReader::next(ResultsLine& next) {
  int fieldCount = 0;
  if (!nextRecord(next.fields, next.lineNumber, fieldCount)) {
    return false;
  }
  checkFieldCount(fieldCount, next.lineNumber);
  ResultsSample& sample = next.sample;
  sample.classes.lowerDiameter = diameters_;
  for (int j = 1; j <= kSizeClasses; ++j) {
    sample.classes.weight[j] = numberField(next.fields, kFirstClassField + j - 1, next.lineNumber);
  }
  sample.gravelPercent = numberField(next.fields, kGravelField, next.lineNumber);
  sample.sandPercent = numberField(next.fields, kSandField, next.lineNumber);
  sample.siltPercent = numberField(next.fields, kSiltField, next.lineNumber);
  sample.clayPercent = numberField(next.fields, kClayField, next.lineNumber);
  // The shells and the moments in µm are only copied, but must be numbers too.
  numberField(next.fields, kShellsField, next.lineNumber);
  for (int field = kMeanMicronField; field < kMeanPhiField; ++field) {
    numberField(next.fields, field, next.lineNumber);
  }
  sample.meanPhi = numberField(next.fields, kMeanPhiField, next.lineNumber);
  sample.sortingPhi = numberField(next.fields, kMeanPhiField + 1, next.lineNumber);
  sample.skewnessPhi = numberField(next.fields, kMeanPhiField + 2, next.lineNumber);
  sample.kurtosisPhi = numberField(next.fields, kMeanPhiField + 3, next.lineNumber);
  return true;
}

// False at the end of the bytes; blank lines are skipped. Fields beyond a results
// line's are counted, not kept: a line of commas must not fill the memory.
bool ResultsLineReader::nextRecord(std::vector<std::string>& fields, int& startLine,
                                   int& fieldCount) {
  while (pos_ < bytes_.size()) {
    startLine = line_;
    readRecord(fields, fieldCount);
    if (fieldCount > 1 || !fields.front().empty() || quoted_) {
      // UTF-8 never uses a byte below 128 inside a character, so the fields split
      // as they would once converted, and only the fields are.
      if (utf8_) {
        for (std::string& field : fields) {
          if (std::any_of(field.begin(), field.end(),
                          [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
            field = utf8ToCp1252(field);
          }
        }
      }
      return true;
    }
  }
  return false;
}

// A field in double quotes may hold commas, line ends and doubled quotes; CR LF, LF
// and a lone CR end a line.
void ResultsLineReader::readRecord(std::vector<std::string>& fields, int& fieldCount) {
  std::size_t kept = 0;
  std::string* field = &fieldAt(fields, kept++);
  bool fieldQuoted = false;
  quoted_ = false;
  fieldCount = 1;
  while (pos_ < bytes_.size()) {
    // Plain text up to the next byte that means something, taken at once.
    const std::size_t plainStart = pos_;
    while (pos_ < bytes_.size() && !isSpecial(bytes_[pos_])) {
      ++pos_;
    }
    field->append(bytes_.data() + plainStart, pos_ - plainStart);
    if (pos_ == bytes_.size()) {
      break;
    }
    const char c = bytes_[pos_++];
    if (c == '\0') {
      throw ResultsFormatError(ResultsFormatError::Cause::NotText, line_);
    }
    if (c == '"') {
      if (field->empty() && !fieldQuoted) {
        fieldQuoted = true;
        quoted_ = true;
        readQuoted(*field);
      } else {
        *field += c;
      }
    } else if (c == ',') {
      ++fieldCount;
      if (kept < static_cast<std::size_t>(kResultsFields)) {
        field = &fieldAt(fields, kept++);
      } else {
        beyond_.clear();
        field = &beyond_;
      }
      fieldQuoted = false;
    } else {
      if (c == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') {
        ++pos_;
      }
      ++line_;
      break;
    }
  }
  fields.resize(kept);
}

void ResultsLineReader::readQuoted(std::string& field) {
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

ResultsFileContents parseResultsFile(std::string_view bytes) {
  // Room for every line at once: a vector grown by doubling would move the lines
  // it holds, holding them twice meanwhile. No more lines than line ends, nor than
  // a line's 97 commas allow; room never used costs no memory.
  const auto count = [bytes](char c) {
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), c));
  };
  const std::size_t lines =
      std::min(std::max(count('\n'), count('\r')), count(',') / (kResultsFields - 1) + 1);
  ResultsLineReader reader(bytes);
  ResultsFileContents contents;
  contents.header = reader.header();
  contents.lines.reserve(lines);
  for (;;) {
    // Each line's own fields, exactly as many as it has: held for the whole file.
    ResultsLine line;
    line.fields.reserve(kResultsFields);
    if (!reader.next(line)) {
      return contents;
    }
    contents.lines.push_back(std::move(line));
  }
}

ResultsFileContents readResultsFile(const std::filesystem::path& path) {
  return parseResultsFile(readInputFile(path));
}

}  // namespace granomet
