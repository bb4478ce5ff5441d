// The calculation's second reading of a lot row, and the carbonate column.
#include "data/lot_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/read_error.h"
#include "support/lot_from_start.h"
#include "support/sample_files.h"

namespace granomet {
namespace {

TEST(ParseCarbonate, DropsTheLastCharacterAndReadsTheRestRegionally) {
  struct Case {
    const char* text;
    char mark;
    std::optional<float> expected;
  };
  const std::vector<Case> cases = {
      {"12.5%", '.', 12.5f},       {"12.5%", ',', 12.5f},  // a point never turns into 125
      {"12,5%", ',', 12.5f},       {"12,5%", '.', std::nullopt}, {"40%", '.', 40.0f},
      {"7.25 ", '.', 7.25f},       {" 3%", '.', 3.0f},           {"-1.5%", '.', -1.5f},
      {"", '.', std::nullopt},     {"%", '.', std::nullopt},     {"abc", '.', std::nullopt},
      {"12.5", '.', 12.0f},  // the last character goes whatever it is
      {"inf%", '.', std::nullopt}, {"1e3%", '.', std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " with mark " + c.mark);
    EXPECT_EQ(parseCarbonate(c.text, c.mark), c.expected);
  }
}

class RereadLotRow : public ::testing::Test {
 protected:
  std::unique_ptr<LotTable> table = std::make_unique<LotTable>();
};

TEST_F(RereadLotRow, FindsTheRowByItsLineAndKeepsTheNameAsRead) {
  tools::SampleFileOptions options;
  options.sampleCount = 254;
  const std::string lot = tools::makeLotFile(options);
  for (const std::int16_t order : {1, 7, 254}) {
    SCOPED_TRACE(order);
    FieldReader reader = FieldReader::fromBytes(lot);
    EXPECT_EQ(rereadLotRow(reader, order, *table, ','), order);
    char name[16];
    std::snprintf(name, sizeof name, "M-%02d", order);
    EXPECT_EQ(table->records[order].name, name);
    EXPECT_GT(table->records[order].carbonatePct, 0);
    EXPECT_EQ(table->header.ip, "IP-0416");
  }
  FieldReader spaced = FieldReader::fromBytes(
      "t\r\na,b,IP,d,e,f,C,h,1\r\nh1\r\nh2\r\n1,\"  M-01 \",0,0,0,x,y,z,9.5%,1,2,3,4,5,6,7\r\n");
  rereadLotRow(spaced, 1, *table, '.');
  EXPECT_EQ(table->records[1].name, "  M-01 ");
  EXPECT_FLOAT_EQ(table->records[1].carbonatePct, 9.5f);
  EXPECT_DOUBLE_EQ(table->records[1].partialWeight3, 4);
}

TEST_F(RereadLotRow, FailsOnShortFilesBadOrderNumbersAndBadCarbonate) {
  const std::string head = "t\r\na,b,IP,d,e,f,C,h,2\r\nh1\r\nh2\r\n";
  const std::string tail = ",0,0,0,x,y,z,9.5%,1,2,3,4,5,6,7\r\n";
  FieldReader shortFile = FieldReader::fromBytes(head + "1,A" + tail);
  EXPECT_THROW(
      try { rereadLotRow(shortFile, 3, *table, '.'); } catch (const ReadError& error) {
        EXPECT_EQ(error.cause(), ReadError::Cause::EndOfFile);
        throw;
      },
      ReadError);
  FieldReader badOrder = FieldReader::fromBytes(head + "1,A" + tail + "255,B" + tail);
  EXPECT_THROW(rereadLotRow(badOrder, 2, *table, '.'), ReadError);
  EXPECT_EQ(table->currentOrderNumber, 255);
  for (const char* carbonate : {"", "abc"}) {
    std::string row = "1,A,0,0,0,x,y,z," + std::string(carbonate) + ",1,2,3,4,5,6,7\r\n";
    FieldReader reader = FieldReader::fromBytes(head + row);
    EXPECT_THROW(rereadLotRow(reader, 1, *table, '.'), CarbonateError) << carbonate;
  }
}

}  // namespace
}  // namespace granomet
