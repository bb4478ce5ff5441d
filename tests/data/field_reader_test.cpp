// The field reader: fields, lines, numbers and the failures it tells apart.
#include "data/field_reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/read_error.h"

namespace granomet {
namespace {

using Cause = ReadError::Cause;
using Strings = std::vector<std::string>;

template <typename Action>
std::optional<Cause> failureOf(Action action) {
  try {
    action();
  } catch (const ReadError& error) {
    return error.cause();
  }
  return std::nullopt;
}

// Commas and decimal points over bytes the caller keeps.
FieldReader readerOf(const std::string& bytes) {
  return FieldReader::overBytes(bytes, commaFormatOf(bytes));
}

struct SplitCase {
  const char* name;
  std::string input;
  Strings expected;
};

TEST(FieldReader, ReadsFieldsAndLinesUntilTheEnd) {
  const std::vector<SplitCase> fields = {
      {"plain", "a,b,c\r\n", {"a", "b", "c"}},
      {"blanks around an unquoted field", "  a  ,\t b\t\r\n", {"a", "b"}},
      {"quoted keeps commas, tail dropped", "\"x, y\" junk,z\r\n", {"x, y", "z"}},
      {"quoted runs across line ends", "\"one\r\ntwo\",n\r\n", {"one\r\ntwo", "n"}},
      {"an empty line is one empty field", "\r\n", {""}},
      {"empty line between lines", "a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"comma before line end", "a,\r\n", {"a", ""}},
      {"a comma promises one more field at end of file", "a,", {"a", ""}},
      {"LF line ends", "a,b\nc\n", {"a", "b", "c"}},
      {"lone CR line ends", "a,b\rc\r", {"a", "b", "c"}},
      {"Windows-1252 bytes pass through", "Espa\xF1ol,N\xBA\r\n", {"Espa\xF1ol", "N\xBA"}},
      // UTF-8 behind its byte-order mark turns into Windows-1252.
      {"UTF-8 with a mark", "\xEF\xBB\xBFPa\xC3\xB1o,\"N\xC2\xBA\"\r\n", {"Pa\xF1o", "N\xBA"}},
      {"no input", "", {}},
  };
  // Lines whatever ends them.
  const std::vector<SplitCase> lines = {
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"LF", "a\nb\n", {"a", "b"}},
      {"lone CR", "a\rb\r", {"a", "b"}},
      {"last line without line end", "a\r\nb", {"a", "b"}},
      {"empty lines", "\r\n\nx", {"", "", "x"}},
      {"LF then CR is two line ends", "a\n\rb", {"a", "", "b"}},
      {"CR then CR LF is two line ends", "a\r\r\nb", {"a", "", "b"}},
      {"commas and quotes stay in the line", "\"q,1\",2\r\n", {"\"q,1\",2"}},
  };
  for (const auto* table : {&fields, &lines}) {
    for (const SplitCase& c : *table) {
      SCOPED_TRACE(c.name);
      FieldReader reader = readerOf(c.input);
      Strings read;
      while (!reader.atEnd()) {
        read.push_back(table == &fields ? reader.readText() : reader.readLine());
      }
      EXPECT_EQ(read, c.expected);
    }
  }
}

TEST(FieldReader, FailsWithTheCause) {
  const std::string longest(kMaxFieldBytes, 'x');
  using enum Cause;
  using R = FieldReader&;
  const struct {
    const char* name;
    std::string input;
    std::function<void(R)> read;
    Cause cause;
  } cases[] = {
      {"a line past the end", "only\r\n", [](R r) { r.readLine(), r.readLine(); }, EndOfFile},
      {"a field past the end", "only\r\n", [](R r) { r.readText(), r.readText(); }, EndOfFile},
      // The field a trailing comma promises is given once, then the end is reached.
      {"past promise", "a,", [](R r) { r.readText(), r.readText(), r.readDouble(); }, EndOfFile},
      {"an open quote", "a,\"open, x\r\ny", [](R r) { r.readText(), r.readText(); }, UnclosedQuote},
      {"a NUL byte in a field", std::string("a\0b,c", 5), [](R r) { r.readText(); }, NotText},
      // The byte behind a CR is looked at for the LF it may pair with.
      {"NUL behind a CR", std::string("a\r\0", 3), [](R r) { r.readText(); }, NotText},
      {"NUL in a skipped line", std::string("a\0b\r\n", 5), [](R r) { r.skipLine(); }, NotText},
      {"a field one byte too long", longest + "x,", [](R r) { r.readText(); }, TooLong},
      {"quoted, too long", "\"" + longest + "x\"", [](R r) { r.readText(); }, TooLong},
      {"a line one byte too long", longest + "x\r\n", [](R r) { r.readLine(); }, TooLong},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FieldReader reader = readerOf(c.input);
    EXPECT_EQ(failureOf([&] { c.read(reader); }), c.cause);
  }
  const std::string twoLines = longest + "\r\n" + longest;
  FieldReader longestField = readerOf(twoLines);
  EXPECT_EQ(longestField.readText().size(), kMaxFieldBytes);
  EXPECT_EQ(longestField.readLine().size(), kMaxFieldBytes);
  // What a long line is made of does not matter where it is only skipped.
  const std::string longLine = longest + longest;
  EXPECT_EQ(readerOf(longLine).skipLine().length, 2 * kMaxFieldBytes);
}

using ReadNumber = double (*)(FieldReader&);

TEST(FieldReader, ConvertsNumbersToTheirWidth) {
  const ReadNumber D = [](FieldReader& reader) { return reader.readDouble(); };
  const ReadNumber S = [](FieldReader& reader) -> double { return reader.readSingle(); };
  const ReadNumber I = [](FieldReader& reader) -> double { return reader.readInt16(); };
  // The last four: a value too small for a double is zero however it is written.
  const std::string tiny = "0." + std::string(400, '0') + "1";
  const std::string huge = "1" + std::string(400, '0');
  const struct {
    std::string text;
    ReadNumber read;
    std::optional<double> expected;  // nullopt: the value overflows the width
  } cases[] = {
      {"12.5", D, 12.5},       {"abc", D, 0},         {"", D, 0},        {" 7 ", D, 7},
      {"12.5%", D, 12.5},      {"-3", D, -3},         {"+4", D, 4},      {"1e3", D, 1000},
      {".5", D, 0.5},          {"inf", D, 0},         {"-inf", D, 0},    {"nan", D, 0},
      {"--3", D, 0},           {"1e400", D, {}},      {"-1e400", D, {}}, {"1e-400", D, 0},
      {"1.5", S, 1.5},         {"1e39", S, {}},       {"-1e39", S, {}},  {"32767", I, 32767},
      {"32768", I, {}},        {"-32768", I, -32768}, {"-32769", I, {}}, {"2.5", I, 2},
      {"3.5", I, 4},           {"-2.5", I, -2},       {"2.6", I, 3},     {"32767.5", I, {}},
      {"-32768.5", I, -32768}, {"1e10", I, {}},       {tiny, D, 0},      {huge, D, {}},
      {"0.001e-400", D, 0},    {"1000e306", D, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("\"" + c.text + "\"");
    const std::string line = c.text + "\r\n";
    FieldReader reader = readerOf(line);
    double value = 0;
    const auto failure = failureOf([&] { value = c.read(reader); });
    if (c.expected) {
      EXPECT_EQ(failure, std::nullopt);
      EXPECT_EQ(value, *c.expected);
    } else {
      EXPECT_EQ(failure, Cause::Overflow);
    }
  }
}

// The export counts a line's characters, which in UTF-8 are fewer than its bytes.
TEST(FieldReader, AUtf8FileCountsCharactersOfALine) {
  const std::string bytes = "\xEF\xBB\xBF\xC3\xB1\xC3\xB1,\r\nx";
  FieldReader reader = readerOf(bytes);
  const LineSummary line = reader.skipLine();
  EXPECT_EQ(line.length, 3u);
  EXPECT_EQ(line.lastChar, ',');
  EXPECT_EQ(reader.readLine(), "x");
}

}  // namespace
}  // namespace granomet
