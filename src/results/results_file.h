// The results file: a header of class diameters and one 98-field line per calculated sample.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "compute/class_table.h"
#include "compute/sample_results.h"
#include "data/local_date_time.h"
#include "data/lot_table.h"

namespace granomet {

// Windows-1252 bytes, CR LF after every line. Fields 1 to 30 are named; 31 to 98
// are the classes from 68 (coarsest) down to 1, so that with the "Peso\Diametro"
// column they form the weight-by-diameter table of a multi-sample report.
std::string resultsHeaderLine(const CombinedDiameters& diameters, char decimalMark);

struct SampleLine {
  std::int16_t orderNumber = 0;
  const LotHeader& header;
  const SampleRecord& record;
  const SampleResults& results;
  const std::string& laserFile;
  const CombinedWeights& distribution;
};

std::string resultsSampleLine(const SampleLine& sample, const LocalDateTime& today,
                              char decimalMark);

class ResultsFileError : public std::runtime_error {
 public:
  enum class Stage { Create, Write };
  ResultsFileError(Stage stage, int systemError);
  Stage stage() const { return stage_; }
  int systemError() const { return systemError_; }

 private:
  Stage stage_;
  int systemError_;
};

// Created empty (an existing file is replaced), written line by line. A line is
// on disk when writeLine returns; a line that fails is cut off again, so the
// file never ends in part of a line. Failures throw ResultsFileError.
class ResultsFile {
 public:
  static ResultsFile create(const std::filesystem::path& path);

  ResultsFile(ResultsFile&& other) noexcept;
  ResultsFile& operator=(ResultsFile&& other) noexcept;
  ResultsFile(const ResultsFile&) = delete;
  ResultsFile& operator=(const ResultsFile&) = delete;
  ~ResultsFile();

  void writeLine(const std::string& line);
  void close();
  bool isOpen() const { return descriptor_ >= 0; }

 private:
  ResultsFile() = default;

  // Unbuffered, so that a failed line can be cut off without stale bytes
  // waiting in a buffer to be written later.
  int descriptor_ = -1;
  long long committed_ = 0;  // bytes of whole lines
};

}  // namespace granomet
