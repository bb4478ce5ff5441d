// A results file read back: its class diameters and, for each sample line, its fields and figures.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "data/results_columns.h"
#include "statistics/sample_statistics.h"

namespace granomet {

struct ResultsLine {
  int lineNumber = 0;               // in the file, where the sample's line starts
  std::vector<std::string> fields;  // kResultsFields, unquoted, in Windows-1252
  ResultsSample sample;
};

struct ResultsFileContents {
  std::vector<std::string> header;  // kResultsFields; the class diameters as written
  std::vector<ResultsLine> lines;
};

// A file that is not a results file as the program writes it.
class ResultsFormatError : public std::runtime_error {
 public:
  enum class Cause {
    NoHeader,      // line 1 is not the results file's header
    FieldCount,    // a line without its 98 fields; fieldCount says how many
    NotANumber,    // the field that should hold a number does not; subject holds it
    Diameters,     // the header's class diameters do not fall from class to class above 0
    NotText,       // a NUL byte
    UnclosedQuote  // a double quote that never closes
  };
  ResultsFormatError(Cause cause, int line, int field = 0, std::string subject = {},
                     int fieldCount = 0);
  Cause cause() const { return cause_; }
  int line() const { return line_; }
  int field() const { return field_; }  // 1-based; 0 for the whole line
  const std::string& subject() const { return subject_; }
  int fieldCount() const { return fieldCount_; }

 private:
  Cause cause_;
  int line_;
  int field_;
  std::string subject_;
  int fieldCount_;
};

// A results file's lines one at a time, so that what is made of them need hold no
// more than one. Windows-1252, or UTF-8 as isUtf8Text judges it (each field turned
// into Windows-1252). Numbers bare or quoted, with a decimal point or a decimal
// comma. Throws ResultsFormatError where the bytes are not a results file.
class ResultsLineReader {
 public:
  // Reads the header; the bytes must outlive the reader.
  explicit ResultsLineReader(std::string_view bytes);

  const std::vector<std::string>& header() const { return header_; }
  // The next sample line into `line`, whose strings are reused; false at the end.
  bool next(ResultsLine& line);

 private:
  bool nextRecord(std::vector<std::string>& fields, int& startLine, int& fieldCount);
  void readRecord(std::vector<std::string>& fields, int& fieldCount);
  void readQuoted(std::string& field);

  std::string_view bytes_;
  std::size_t pos_ = 0;
  int line_ = 1;
  bool quoted_ = false;  // whether the record read last had a quoted field
  bool utf8_ = false;
  std::string beyond_;  // the fields past a results line's, counted and dropped
  std::vector<std::string> header_;
  IndexedArray<double, kSizeClasses> diameters_{};
};

// Every line of the file. Throws ResultsFormatError.
ResultsFileContents parseResultsFile(std::string_view bytes);

// Also throws ReadError where the file cannot be read.
ResultsFileContents readResultsFile(const std::filesystem::path& path);

// A number as a results file writes it, with either decimal mark; nullopt for anything else.
std::optional<double> resultsNumber(std::string_view text);

}  // namespace granomet
