// Reading results files back: what is accepted as the program writes it, and what is refused where.
#include "statistics/results_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/text_encoding.h"
#include "support/test_data.h"

namespace granomet {
namespace {

std::string examplePlainComma() {
  return testing::fileBytes(testing::batchExpected("plain_comma.csv"));
}

// The `line`-th line (1-based) of a file.
std::string lineOf(const std::string& file, int line) {
  std::size_t start = 0;
  for (int i = 1; i < line; ++i) {
    start = file.find("\r\n", start) + 2;
  }
  return file.substr(start, file.find("\r\n", start) - start);
}

// The file with the `line`-th line replaced (each line of the example is unlike any other).
std::string withLine(std::string file, int line, const std::string& text) {
  const std::string old = lineOf(file, line);
  return file.replace(file.find(old), old.size(), text);
}

TEST(ResultsReader, QuotedFieldsKeepTheirCommasQuotesAndLineBreaks) {
  std::string file = examplePlainComma();
  file = withLine(
      file, 2,
      lineOf(file, 2).replace(lineOf(file, 2).find("\"M-01\""), 6, "\"M \"\"1\"\",\r\nnorte\""));
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
  EXPECT_EQ(contents.header[2],
            "Campa\xF1"
            "a");
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
  using Cause = ResultsFormatError::Cause;
  const std::string good = examplePlainComma();
  const std::string sample = lineOf(good, 3);
  const std::vector<Refusal> refusals = {
      {"empty", "", Cause::NoHeader, 1, 0},
      {"header only half", good.substr(0, good.find("\"3000")) + "\r\n", Cause::FieldCount, 1, 0},
      {"a diameter out of order",
       withLine(good, 1, lineOf(good, 1).replace(lineOf(good, 1).find("3000,000"), 8, "9000,000")),
       Cause::Diameters, 1, 33},
      {"a percentage that is text",
       withLine(good, 3,
                sample.substr(0, sample.find("\"00,00\"")) + "\"n/d\"" +
                    sample.substr(sample.find("\"00,00\"") + 7)),
       Cause::NotANumber, 3, kGravelField},
      {"a weight with two marks",
       withLine(good, 4, lineOf(good, 4).replace(lineOf(good, 4).rfind(",0"), 2, ",\"0.0,0\"")),
       Cause::NotANumber, 4, kResultsFields},
      {"a NUL byte", good + std::string("\0", 1), Cause::NotText, 14, 0},
      {"an open quote", good + "1,\"M-13\r\n", Cause::UnclosedQuote, 14, 0},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.what);
    try {
      parseResultsFile(refusal.file);
      ADD_FAILURE() << "accepted";
    } catch (const ResultsFormatError& error) {
      EXPECT_EQ(error.cause(), refusal.cause);
      EXPECT_EQ(error.line(), refusal.line);
      EXPECT_EQ(error.field(), refusal.field);
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
