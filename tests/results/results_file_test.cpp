// The results file's lines and the file itself: 98 fields, CR LF, replaced whole, never a partial
// line.
#include "results/results_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace granomet {
namespace {

// Splits a line as a database import does: commas outside double quotes, "" inside.
std::vector<std::string> fieldsOf(std::string line) {
  EXPECT_TRUE(line.ends_with("\r\n"));
  line.resize(line.size() - 2);
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') {
      if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else {
        quoted = !quoted;
      }
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

TEST(ResultsFile, SampleLineMixesBareNumbersWithAPointAndRegionalPatterns) {
  LotHeader header{"LOTE12", "IP-0416", "GOLFO-16", 12};
  SampleRecord record;
  record.name = "M-07";
  record.longitude = -6.4261f;
  record.latitude = 2.5f;
  record.depthM = 7.1f;
  record.subDepthCm = "0-10";
  record.carbonatePct = 12.5f;
  record.samplingMethod = "Box-corer";
  record.visualDescription = "Arena, con cantos de 2\" de eje";
  SampleResults results;
  results.gravelPercent = 3.456;
  results.sandPercent = 100;
  results.siltPercent = 0;
  results.clayPercent = 5.5;
  results.shellPercent = 0;
  results.meanMicron = 363.5546f;
  results.skewnessPhi = -0.1991479f;
  results.shepardName = "Silty_Sand";
  const std::string laserFile = "F_12";
  CombinedWeights distribution;
  distribution[67] = 2.5;
  distribution[2] = 0.0004;
  distribution[1] = 0.0123;

  const std::string line = resultsSampleLine({7, header, record, results, laserFile, distribution},
                                             {2016, 6, 6, 9, 30, 5}, ',');
  const std::vector<std::string> fields = fieldsOf(line);
  ASSERT_EQ(fields.size(), 98u);
  const std::vector<std::string> named(fields.begin(), fields.begin() + 30);
  const std::vector<std::string> expected = {"7",
                                             "M-07",
                                             "GOLFO-16",
                                             "IP-0416",
                                             "-6.4261",
                                             "2.5",
                                             "7.1",
                                             "0-10",
                                             "12.5",
                                             "Box-corer",
                                             "Arena, con cantos de 2\" de eje",
                                             "Silty_Sand",
                                             "F_12",
                                             "03,46",
                                             "100,00",
                                             "00,00",
                                             "05,50",
                                             "00,0",
                                             "363.5546",
                                             "0",
                                             "0",
                                             "0",
                                             "0",
                                             "0",
                                             "-0.1991479",
                                             "0",
                                             "M-07",
                                             "NERITA",
                                             "06/06/2016",
                                             "100"};
  EXPECT_EQ(named, expected);
  EXPECT_EQ(fields[30], "0,000");  // class 68, always empty
  EXPECT_EQ(fields[31], "2,500");
  EXPECT_EQ(fields[96], "0,000");  // class 2
  EXPECT_EQ(fields[97], "0.0123");
  // Texts quoted, the inner quote doubled; bare numbers unquoted.
  EXPECT_TRUE(
      line.starts_with("7,\"M-07\",\"GOLFO-16\",\"IP-0416\",-6.4261,2.5,7.1,\"0-10\",12.5,"));
  EXPECT_NE(line.find("\"Arena, con cantos de 2\"\" de eje\""), std::string::npos);
  EXPECT_TRUE(line.ends_with(",\"0,000\",0.0123\r\n"));
}

class ResultsFileOnDisk : public ::testing::Test {
 protected:
  ~ResultsFileOnDisk() override { std::filesystem::remove_all(folder_); }
  std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::filesystem::path folder_ =
      std::filesystem::temp_directory_path() / ("granomet_results_" + std::to_string(::getpid()));
};

TEST_F(ResultsFileOnDisk, CreatingReplacesAnOldFileWhole) {
  std::filesystem::create_directories(folder_);
  const auto path = folder_ / "r.csv";
  std::ofstream(path) << "an older run's results, longer than the new ones\r\n";
  ResultsFile file = ResultsFile::create(path);
  file.writeLine("a\r\n");
  file.writeLine("b\r\n");
  EXPECT_EQ(contents(path), "a\r\nb\r\n") << "each line is on disk once written";
  file.close();
  EXPECT_FALSE(file.isOpen());
  EXPECT_EQ(contents(path), "a\r\nb\r\n");
}

TEST_F(ResultsFileOnDisk, FailuresSayWhy) {
  try {
    ResultsFile::create(folder_ / "missing" / "r.csv");
    ADD_FAILURE() << "created in a folder that does not exist";
  } catch (const ResultsFileError& error) {
    EXPECT_EQ(error.stage(), ResultsFileError::Stage::Create);
    EXPECT_EQ(error.systemError(), ENOENT);
  }
  if (std::filesystem::exists("/dev/full")) {
    ResultsFile full = ResultsFile::create("/dev/full");
    try {
      full.writeLine("a line that cannot be written\r\n");
      ADD_FAILURE() << "a write to a full disk succeeded";
    } catch (const ResultsFileError& error) {
      EXPECT_EQ(error.stage(), ResultsFileError::Stage::Write);
      EXPECT_EQ(error.systemError(), ENOSPC);
    }
  }
}

}  // namespace
}  // namespace granomet
