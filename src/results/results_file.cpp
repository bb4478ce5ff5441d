#include "results/results_file.h"

#include <array>
#include <cerrno>
#include <string_view>
#include <utility>

#include "data/file_names.h"
#include "data/results_columns.h"
#include "data/system_file.h"
#include "data/text_encoding.h"
#include "results/number_format.h"
#include "results/quoted_field.h"

namespace granomet {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kLabTag = "NERITA";
constexpr std::int16_t kTotalWeightPercent = 100;

// Joins fields with single commas and ends the line.
class LineBuilder {
 public:
  // A sample's line is about 1 KB: grown once, not field by field.
  LineBuilder() { line_.reserve(2048); }

  // Each field names its column, so that the line cannot drift from the columns' description.
  void bare(int column, const std::string& field) {
    separate(column);
    line_ += field;
  }
  void text(int column, std::string_view field) {
    separate(column);
    appendQuoted(line_, field);
  }
  // A pattern number in quotes, written in place: its only possible quote is the mark.
  void patterned(int column, double value, NumberPattern pattern, char decimalMark) {
    if (decimalMark == '"') {
      text(column, patternNumber(value, pattern, decimalMark));
      return;
    }
    separate(column);
    line_ += '"';
    appendPatternNumber(line_, value, pattern, decimalMark);
    line_ += '"';
  }
  std::string finish() {
    line_ += kLineEnd;
    return std::move(line_);
  }

 private:
  void separate(int column) {
    if (column != ++written_) {
      throw std::logic_error("results field written out of its column");
    }
    if (written_ > 1) {
      line_ += ',';
    }
  }
  std::string line_;
  int written_ = 0;
};

}  // namespace

std::string resultsHeaderLine(const CombinedDiameters& diameters, char decimalMark) {
  LineBuilder line;
  int column = 0;
  for (std::string_view name : kNamedColumns) {
    line.text(++column, utf8ToCp1252(name));
  }
  for (int c = kSizeClasses; c >= 1; --c) {
    line.text(++column, patternNumber(diameters[c], kPatternThreeDecimals, decimalMark));
  }
  return line.finish();
}

std::string resultsSampleLine(const SampleLine& sample, const LocalDateTime& today,
                              char decimalMark) {
  const SampleRecord& record = sample.record;
  const SampleResults& results = sample.results;
  LineBuilder line;
  line.bare(kLotNumberField, bareNumber(sample.orderNumber));
  line.text(kSampleNameField, record.name);
  line.text(kCampaignField, sample.header.campaign);
  line.text(kIpField, sample.header.ip);
  line.bare(kLongitudeField, bareNumber(record.longitude));
  line.bare(kLatitudeField, bareNumber(record.latitude));
  line.bare(kDepthField, bareNumber(record.depthM));
  line.text(kSubDepthField, record.subDepthCm);
  line.bare(kCarbonateField, bareNumber(record.carbonatePct));
  line.text(kSamplingMethodField, record.samplingMethod);
  line.text(kDescriptionField, record.visualDescription);
  line.text(kShepardField, results.shepardName);
  line.text(kLaserFileField, sample.laserFile);
  line.patterned(kGravelField, results.gravelPercent, kPatternTwoDecimals, decimalMark);
  line.patterned(kSandField, results.sandPercent, kPatternTwoDecimals, decimalMark);
  line.patterned(kSiltField, results.siltPercent, kPatternTwoDecimals, decimalMark);
  line.patterned(kClayField, results.clayPercent, kPatternTwoDecimals, decimalMark);
  line.patterned(kShellsField, results.shellPercent, kPatternOneDecimal, decimalMark);
  const float moments[] = {results.meanMicron,     results.sortingMicron, results.skewnessMicron,
                           results.kurtosisMicron, results.meanPhi,       results.sortingPhi,
                           results.skewnessPhi,    results.kurtosisPhi};
  int column = kMeanMicronField;
  for (const float moment : moments) {
    line.bare(column++, bareNumber(moment));
  }
  line.text(kSampleNameAgainField, record.name);
  line.text(kLabField, kLabTag);
  line.text(kDateField, shortDate(today));
  line.bare(kTotalWeightField, bareNumber(kTotalWeightPercent));
  column = kFirstClassField;
  for (int c = kSizeClasses; c >= 2; --c) {
    line.patterned(column++, sample.distribution[c], kPatternThreeDecimals, decimalMark);
  }
  // The finest class alone is bare, with a point: the lab's database has always read it so.
  line.bare(column, bareNumber(sample.distribution[1]));
  return line.finish();
}

ResultsFileError::ResultsFileError(Stage stage, int systemError, Place place)
    : std::runtime_error(stage == Stage::Create ? "cannot create results file"
                                                : "cannot write results file"),
      stage_(stage),
      systemError_(systemError),
      place_(place) {}

ResultsFileError::ResultsFileError(Refusal refusal)
    : std::runtime_error("file not to be written"),
      stage_(Stage::Create),
      systemError_(0),
      refusal_(refusal) {}

std::optional<ResultsFileError> refusalToWrite(const std::filesystem::path& path) {
  if (kDeviceNamesRefused && isDeviceName(path)) {
    return ResultsFileError(ResultsFileError::Refusal::DeviceName);
  }
  const std::optional<FileProtection> existing = protectionAt(path);
  if (existing && kindAtPath(path) == FileKind::Regular && !writableByMode(*existing)) {
    return ResultsFileError(ResultsFileError::Refusal::ReadOnly);
  }
  return std::nullopt;
}

ResultsFile ResultsFile::create(const std::filesystem::path& path) {
  if (std::optional<ResultsFileError> refusal = refusalToWrite(path)) {
    throw *refusal;
  }
  const bool existed = protectionAt(path).has_value();
  ResultsFile file;
  // Opened without waiting, so that a named pipe cannot hold the program.
  file.descriptor_ = openToWrite(path, false);
  if (file.descriptor_ < 0) {
    // Where no file was, it is the folder that refuses a new one.
    throw ResultsFileError(
        ResultsFileError::Stage::Create, errno,
        existed ? ResultsFileError::Place::File : ResultsFileError::Place::Folder);
  }
  const std::optional<OpenFileInfo> info = infoOfDescriptor(file.descriptor_);
  if (info && info->kind == FileKind::NamedPipe) {
    throw ResultsFileError(ResultsFileError::Stage::Create, ENXIO);
  }
  waitOnDescriptor(file.descriptor_);
  return file;
}

ResultsFile::ResultsFile(ResultsFile&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)), committed_(other.committed_) {}

ResultsFile& ResultsFile::operator=(ResultsFile&& other) noexcept {
  if (this != &other) {
    if (descriptor_ >= 0) {
      closeDescriptor(descriptor_);
    }
    descriptor_ = std::exchange(other.descriptor_, -1);
    committed_ = other.committed_;
  }
  return *this;
}

ResultsFile::~ResultsFile() {
  if (descriptor_ >= 0) {
    closeDescriptor(descriptor_);
  }
}

void ResultsFile::writeLine(const std::string& line) {
  if (const int error = writeAll(descriptor_, line); error != 0) {
    // Whatever part of the line reached the disk is cut off again.
    truncateTo(descriptor_, committed_);
    throw ResultsFileError(ResultsFileError::Stage::Write, error);
  }
  committed_ += static_cast<long long>(line.size());
}

void ResultsFile::close() {
  if (descriptor_ >= 0) {
    if (closeDescriptor(std::exchange(descriptor_, -1)) != 0 && errno != EINTR) {
      throw ResultsFileError(ResultsFileError::Stage::Write, errno);
    }
  }
}

}  // namespace granomet
