// The export button: counting and reading the blocks, repeated order numbers and broken exports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "samplegen/sample_files.h"
#include "support/button_fixture.h"

namespace granomet::testing {
namespace {

constexpr const char* kHeading = "Fecha,Hora,RESULT FILE NAME,SAMPLE NAME,LOTE\r\n";

// A block of 228 fields, every unused field empty, every frequency q (or empty
// with no q), the first field padded so that the line is `length` characters long.
std::string block(const std::string& order, const std::string& name, const std::string& q = "1",
                  std::size_t length = 0) {
  std::vector<std::string> fields(229);
  fields[24] = "R.ngb";
  fields[25] = name;
  fields[26] = "LOTE12";
  fields[27] = order;
  fields[228] = "100";  // an empty last field would read as a trailing comma
  for (int c = 1; c <= 66 && !q.empty(); ++c) {
    fields[28 + 3 * c] = std::to_string(c);
    fields[29 + 3 * c] = q;
  }
  std::string line = fields[1];
  for (int field = 2; field <= 228; ++field) {
    line += "," + fields[static_cast<std::size_t>(field)];
  }
  if (line.size() < length) {
    line.insert(0, length - line.size(), 'x');
  }
  return line + "\r\n";
}

using ExportButtonTest = ButtonTest;

TEST_F(ExportButtonTest, ReadsCountsAndListsTheBlocksWithOrWithoutTrailingComma) {
  for (const bool trailingComma : {false, true}) {
    SCOPED_TRACE(trailingComma);
    tools::SampleFileOptions options;
    options.trailingComma = trailingComma;
    pressExport(write("LOTE12_export.txt", tools::makeExportFile(options)));

    EXPECT_EQ(exports().exportSampleCount, 12);
    EXPECT_EQ(exports().trailingComma, trailingComma ? 1 : 0);
    ASSERT_EQ(items(ListId::List1).size(), 12u);
    EXPECT_EQ(items(ListId::List1)[6], "007  M-07");
    EXPECT_EQ(window().text(TextBoxId::EXPORT_file), "LOTE12_export.txt");
    // The extra field must not shift the next block.
    EXPECT_EQ(items(ListId::List1)[11], "012  M-12");
    EXPECT_TRUE(window().enabled(ButtonId::calculatot));
    EXPECT_EQ(window().dialog().fileName(), "");
    EXPECT_EQ(window().dialog().filterIndex(), 2);
    EXPECT_EQ(window().list(ListId::List2).textColor, kDarkRed);
    EXPECT_TRUE(window().messages().empty());
  }
}

TEST_F(ExportButtonTest, OnlyLinesLongerThan300CharactersAreSamples) {
  struct Case {
    std::string body;
    int count;
    std::vector<std::string> listed;
  };
  const std::vector<Case> cases = {
      {"", 0, {}},
      {block("5", "M", "", 300), 0, {}},
      {block("5", "M", "", 301), 1, {"005  M"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body.size());
    pressExport(write("E.txt", kHeading + c.body));
    EXPECT_EQ(exports().exportSampleCount, c.count);
    EXPECT_EQ(items(ListId::List1), c.listed);
    EXPECT_TRUE(window().messages().empty());
    EXPECT_TRUE(window().enabled(ButtonId::calculatot));
  }
}

TEST_F(ExportButtonTest, EveryRepeatedOrderNumberIsReported) {
  struct Case {
    std::vector<int> orders;
    std::vector<std::string> messages;
    std::vector<std::string> list2;
  };
  const std::string m5 = "005  M-05";
  const std::string warning = "Muestras con el mismo numero de orden005";
  const std::vector<Case> cases = {
      {{5, 5, 7}, {warning}, {m5, m5}},
      {{5, 7, 5}, {warning}, {m5, m5}},  // not neighbours in the file, still found
      {{5, 5, 5}, {warning, warning}, {m5, m5, m5, m5}},
      {{1, 2, 3}, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.orders));
    tools::SampleFileOptions options;
    options.orderNumbers = c.orders;
    const std::size_t before = window().messages().size();
    pressExport(write("E.txt", tools::makeExportFile(options)));
    std::vector<std::string> shown;
    for (std::size_t i = before; i < window().messages().size(); ++i) {
      const MessageRequest& message = window().messages()[i].request;
      EXPECT_EQ(message.title, "ERROR");
      EXPECT_EQ(message.icon, MessageIcon::Warning);
      EXPECT_TRUE(message.perSampleWarning);
      shown.push_back(message.prompt);
    }
    EXPECT_EQ(shown, c.messages);
    EXPECT_EQ(items(ListId::List2), c.list2);
    // Each red item says why it is there.
    EXPECT_EQ(window().list(ListId::List2).reasons,
              std::vector<std::string>(c.list2.size(),
                                       "Otra muestra de la exportaci\xF3n tiene el mismo "
                                       "n\xFAmero de orden, 005."));
    EXPECT_EQ(items(ListId::List1).size(), c.orders.size());
    EXPECT_TRUE(window().enabled(ButtonId::calculatot));
  }
}

TEST_F(ExportButtonTest, AnEmptyLineAfterTheOnlySampleLineDecidesTheTrailingComma) {
  std::string line = block("5", "M");
  line.insert(line.size() - 2, ",");
  pressExport(write("E.txt", kHeading + line + "\r\n"));
  EXPECT_EQ(exports().exportSampleCount, 1);
  EXPECT_EQ(exports().trailingComma, 0);
  EXPECT_TRUE(window().messages().empty());
}

// The dialog comes back with the name it held, and the lot is named for what it is.
TEST_F(ExportButtonTest, CancellingAfterAFailedLotReadReadsTheLotFileAsAnExport) {
  pressLot(write("LOTE", tools::makeLotFile({})));
  ASSERT_FALSE(window().enabled(ButtonId::calculatot));
  pressExport(std::nullopt);
  EXPECT_EQ(window().text(TextBoxId::EXPORT_file), "LOTE");
  EXPECT_EQ(exports().exportSampleCount, 0);
  EXPECT_FALSE(window().enabled(ButtonId::calculatot));
  ASSERT_EQ(window().messages().size(), 2u);
  EXPECT_TRUE(window().messages()[1].request.prompt.starts_with("LOTE parece un fichero de lote"));
}

}  // namespace
}  // namespace granomet::testing
