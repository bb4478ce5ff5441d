// Reading results files back: what is accepted as the program writes it, and what is refused where.
#include "statistics/results_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "data/text_encoding.h"
#include "support/test_data.h"

namespace granomet {
namespace {

std::string examplePlainComma() {
  return testing::fileBytes(testing::batchExpected("plain_comma.csv"));
}

// The file with the first `from` from the start of its `line`-th line (1-based) on replaced.
std::string edited(std::string file, int line, const std::string& from, const std::string& to) {
  std::size_t start = 0;
  for (int i = 1; i < line; ++i) {
    start = file.find("\r\n", start) + 2;
  }
  return file.replace(file.find(from, start), from.size(), to);
}

TEST(ResultsReader, QuotedFieldsKeepTheirCommasQuotesAndLineBreaks) {
  const std::string file = edited(examplePlainComma(), 2, "\"M-01\"", "\"M \"\"1\"\",\r\nnorte\"");
  const ResultsFileContents contents = parseResultsFile(file);
  ASSERT_EQ(contents.lines.size(), 12U);
  EXPECT_EQ(contents.lines[0].fields[1], "M \"1\",\r\nnorte");
  EXPECT_EQ(contents.lines[1].lineNumber, 4);
}

TEST(ResultsReader, AUtf8FileIsHeldInTheProgramsCode) {
  std::string file = examplePlainComma();
  file.insert(file.find("M-01") + 1, "\xF1");
  const ResultsFileContents contents = parseResultsFile(cp1252ToUtf8(file));
  EXPECT_EQ(contents.lines[0].fields[1], "M\xF1-01");
  EXPECT_EQ(contents.header[2], "Campa\361a");  // \361: ñ in Windows-1252
}

struct Refusal {
  const char* what;
  std::string file;
  ResultsFormatError::Cause cause;
  int line;
  int field;
};

// A lot file and a line with a field too many are the statistics run's own cases.
TEST(ResultsReader, RefusesWhatIsNotAResultsFileAndSaysWhere) {
  using enum ResultsFormatError::Cause;
  const std::string good = examplePlainComma();
  const std::vector<Refusal> refusals = {
      {"empty", "", NoHeader, 1, 0},
      {"header only half", good.substr(0, good.find("\"3000")) + "\r\n", FieldCount, 1, 0},
      {"a diameter out of order", edited(good, 1, "3000,000", "9000,000"), Diameters, 1, 33},
      {"a text percentage", edited(good, 3, "\"00,00\"", "\"n/d\""), NotANumber, 3, kGravelField},
      {"two marks", edited(good, 4, ",0\r\n", ",\"0.0,0\"\r\n"), NotANumber, 4, kResultsFields},
      {"a NUL byte", good + std::string("\0", 1), NotText, 14, 0},
      {"an open quote", good + "1,\"M-13\r\n", UnclosedQuote, 14, 0},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.what);
    try {
      parseResultsFile(refusal.file);
      ADD_FAILURE() << "accepted";
    } catch (const ResultsFormatError& error) {
      EXPECT_EQ(std::tuple(error.cause(), error.line(), error.field()),
                std::tuple(refusal.cause, refusal.line, refusal.field));
    }
  }
}

TEST(ResultsReader, NumbersAreTakenWithEitherMarkAndNothingElse) {
  EXPECT_EQ(resultsNumber("01,92"), 1.92);
  EXPECT_EQ(resultsNumber(" 1.234568E-05"), 1.234568E-05);
  EXPECT_EQ(resultsNumber("-6"), -6.0);
  for (const char* text : {"", "1.234,5", "1,2,3", "nan", "inf", "1e999", "12 kg", "-"}) {
    EXPECT_FALSE(resultsNumber(text)) << text;
  }
}

}  // namespace
}  // namespace granomet
