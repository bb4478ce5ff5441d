// Reading the lot again from bytes kept for the run must match reading the file from its start.
#include "data/lot_rereader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <variant>
#include <vector>

#include "data/field_reader.h"
#include "data/lot_file.h"
#include "data/read_error.h"
#include "support/lot_from_start.h"
#include "support/sample_files.h"

namespace granomet {
namespace {

// What one reading leaves behind, or how it failed.
struct Reading {
  std::variant<std::int16_t, ReadError::Cause, std::string> outcome;  // string: carbonate
  LotHeader header;
  SampleRecord record;
  bool operator==(const Reading& other) const {
    const auto same = [](const SampleRecord& a, const SampleRecord& b) {
      return a.name == b.name && a.visualDescription == b.visualDescription &&
             a.carbonatePct == b.carbonatePct && a.totalWeight == b.totalWeight &&
             a.shellWeight3 == b.shellWeight3;
    };
    return outcome == other.outcome && header.ip == other.header.ip &&
           header.campaign == other.header.campaign &&
           header.sampleCount == other.header.sampleCount && same(record, other.record);
  }
};

template <typename Read>
Reading reading(Read read) {
  LotTable table;
  Reading result;
  try {
    result.outcome = read(table);
  } catch (const ReadError& error) {
    result.outcome = error.cause();
  } catch (const CarbonateError& error) {
    result.outcome = error.text();
  }
  result.header = table.header;
  if (decltype(table.records)::contains(table.currentOrderNumber)) {
    result.record = table.records[table.currentOrderNumber];
  }
  return result;
}

std::string withLineEnds(std::string text, const std::string& lineEnd) {
  std::string result;
  for (std::size_t at = 0; at < text.size();) {
    const auto end = text.find("\r\n", at);
    result += text.substr(at, end - at);
    if (end == std::string::npos) {
      break;
    }
    result += lineEnd;
    at = end + 2;
  }
  return result;
}

TEST(LotRereader, EveryOrderNumberReadsAsFromTheFilesStart) {
  tools::SampleFileOptions options;
  options.sampleCount = 9;
  const std::string lot = tools::makeLotFile(options);
  std::string quotedAcrossLines = lot;
  quotedAcrossLines.replace(quotedAcrossLines.find("\r\n3,M-03,"), 2, "\r\n\"a\r\nb\",");
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"CR LF", lot},
      {"LF only", withLineEnds(lot, "\n")},
      {"CR only", withLineEnds(lot, "\r")},
      {"no line end at the end", lot.substr(0, lot.size() - 2)},
      {"cut inside the sixth row", lot.substr(0, lot.find("\r\n6,M-06,") + 12)},
      {"cut inside the header", lot.substr(0, 120)},
      {"a quoted field across lines", quotedAcrossLines},
      {"a carbonate that is no number",
       [&] {
         std::string bytes = lot;
         const auto row = bytes.find("\r\n4,M-04,");
         const auto percent = bytes.find('%', row);
         bytes.replace(bytes.rfind(',', percent) + 1, percent - bytes.rfind(',', percent), "x%");
         return bytes;
       }()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LotRereader kept(c.bytes, commaFormatOf(c.bytes));
    // Out of order and repeated, so the kept line starts are reused and extended.
    for (const int n : {5, 1, 9, 2, 11, 5, 10, 3, 4, 6, 7, 8}) {
      SCOPED_TRACE(n);
      const auto order = static_cast<std::int16_t>(n);
      const Reading fromStart = reading([&](LotTable& table) {
        FieldReader reader = FieldReader::fromBytes(c.bytes);
        return rereadLotRow(reader, order, table, ',');
      });
      const Reading fromKept =
          reading([&](LotTable& table) { return kept.reread(order, table, ','); });
      EXPECT_TRUE(fromStart == fromKept);
    }
  }
}

}  // namespace
}  // namespace granomet
