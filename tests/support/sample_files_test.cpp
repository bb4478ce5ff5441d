// A full lot of 254 samples and its export, read through the buttons of the headless window.
#include "support/sample_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "data/export_block.h"
#include "data/field_reader.h"
#include "support/button_fixture.h"
#include "workflow/list_items.h"

namespace granomet::testing {
namespace {

using GeneratedFiles = ButtonTest;

TEST_F(GeneratedFiles, AFullLotAndItsExportReadCompletely) {
  for (const bool trailingComma : {false, true}) {
    SCOPED_TRACE(trailingComma);
    tools::SampleFileOptions options;
    options.sampleCount = 254;
    options.lotName = "LOTE254";
    options.trailingComma = trailingComma;
    tools::writeSampleFiles(options, folder());

    pressLot(folder() / "LOTE254.csv");
    ASSERT_EQ(items(ListId::List1).size(), 254u);
    EXPECT_EQ(items(ListId::List1)[253], lotListItem(254, 254, "M-254"));
    EXPECT_EQ(window().text(TextBoxId::recalculado_file), "LOTE254_06062016_093005.csv");

    pressExport(folder() / "LOTE254_export.txt");
    EXPECT_TRUE(window().messages().empty());
    EXPECT_EQ(exports().exportSampleCount, 254);
    EXPECT_EQ(exports().trailingComma, trailingComma ? 1 : 0);
    ASSERT_EQ(items(ListId::List1).size(), 254u);
    EXPECT_EQ(items(ListId::List1)[253], "254  M-254");

    // Every sample's curve must come out whole: a field taken from the wrong
    // place would break the sum or the growth of the diameters.
    FieldReader reader = FieldReader::open(folder() / "LOTE254_export.txt");
    reader.readLine();
    for (int sample = 1; sample <= 254; ++sample) {
      EXPECT_EQ(readExportBlockHead(reader).lotName, "LOTE254");
      const LaserClasses classes =
          readBlockClasses(reader, exports().trailingComma, BadValue::Throw).classes;
      double sum = 0;
      for (int c = 1; c <= 66; ++c) {
        sum += classes.frequencies[c];
        if (c > 1) {
          ASSERT_GT(classes.diameters[c], classes.diameters[c - 1]) << "class " << c;
        }
      }
      ASSERT_NEAR(sum, 100, 0.05) << "sample " << sample;
    }
    EXPECT_TRUE(window().enabled(ButtonId::calculatot));
  }
}

// The reader keeps a buffer of its own; reading from the file must give exactly
// what reading the same bytes from memory gives.
TEST_F(GeneratedFiles, FileAndMemoryReadingsAgree) {
  tools::SampleFileOptions options;
  options.sampleCount = 254;
  const std::string bytes = tools::makeExportFile(options);
  FieldReader fromFile = FieldReader::open(write("E.txt", bytes));
  FieldReader fromMemory = FieldReader::fromBytes(bytes);
  int fields = 0;
  while (!fromMemory.atEnd()) {
    ASSERT_EQ(fromFile.readText(), fromMemory.readText()) << "field " << fields;
    ++fields;
  }
  EXPECT_TRUE(fromFile.atEnd());
  EXPECT_GT(fields, 254 * 228);
}

}  // namespace
}  // namespace granomet::testing
