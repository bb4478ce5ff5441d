// The results file: a header of class diameters and one 98-field line per calculated sample.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
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
  // What the system's error concerns: the file, or the folder a new file is made in.
  enum class Place { File, Folder };
  // Why a file is not written although the system would let it be.
  enum class Refusal {
    None,
    ReadOnly,   // an existing file whose mode bits keep this user from writing it
    DeviceName  // a name Windows takes for a device (isDeviceName)
  };
  ResultsFileError(Stage stage, int systemError, Place place = Place::File);
  explicit ResultsFileError(Refusal refusal);
  Stage stage() const { return stage_; }
  int systemError() const { return systemError_; }
  Place place() const { return place_; }
  Refusal refusal() const { return refusal_; }

 private:
  Stage stage_;
  int systemError_;
  Place place_ = Place::File;
  Refusal refusal_ = Refusal::None;
};

// Why nothing may be written at the path whatever the system would allow: a file
// there that is read-only, a device's name on Windows. Checked before a file is
// created or replaced, so a read-only file keeps its content even for root.
std::optional<ResultsFileError> refusalToWrite(const std::filesystem::path& path);

// Created empty (an existing file is emptied in place, keeping its protection;
// refusalToWrite is checked first), written line by line. A line is
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
