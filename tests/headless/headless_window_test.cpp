// resetWindow, the remembered folder, and the headless file dialog that granomet-batch
// chooses its files with.
#include "headless/headless_window.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "ui/remembered_folder.h"

namespace granomet {
namespace {

namespace fs = std::filesystem;

// Nothing is created on disk: the dialog and folder only work on names.
const fs::path kBase = fs::temp_directory_path() / "granomet-lab";
// The same name as the program's Windows-1252 bytes and as UTF-8.
constexpr const char* kBahia1252 =
    "Bah\xED"
    "a.csv";
constexpr const char* kBahiaUtf8 = "Bahía.csv";

TEST(ResetWindow, EmptiesBoxesListsAndCountsOnly) {
  constexpr TextBoxId kBoxes[] = {TextBoxId::LOTE_file, TextBoxId::EXPORT_file,
                                  TextBoxId::recalculado_file};
  RememberedFolder folder(kBase);
  HeadlessWindow window(folder);
  for (const TextBoxId box : kBoxes) {
    window.setText(box, "file.csv");
  }
  window.addItem(ListId::List1, "S1");
  window.addItem(ListId::List2, "S9");
  window.setLabelText(LabelId::Label10, "1");
  window.setLabelText(LabelId::Label11, "1");
  window.setLabelText(LabelId::Label8, "Lote cargado");
  window.setEnabled(ButtonId::exportbutton, true);

  resetWindow(window);
  for (const TextBoxId box : kBoxes) {
    EXPECT_EQ(window.text(box), "") << "box " << static_cast<int>(box);
  }
  EXPECT_EQ(window.itemCount(ListId::List1), 0);
  EXPECT_EQ(window.itemCount(ListId::List2), 0);
  EXPECT_EQ(window.label(LabelId::Label10).text, "0");
  EXPECT_EQ(window.label(LabelId::Label11).text, "0");
  EXPECT_EQ(window.label(LabelId::Label8).text, "Lote cargado");
  EXPECT_TRUE(window.enabled(ButtonId::exportbutton));
}

TEST(RememberedFolder, ResolvesWindows1252NamesAgainstItsFolder) {
  const struct {
    const char* name;
    fs::path expected;
  } cases[] = {
      {"LOTE12.csv", kBase / "LOTE12.csv"},
      {"sub/x.txt", kBase / "sub" / "x.txt"},
      {kBahia1252, kBase / kBahiaUtf8},
      {"/elsewhere/LOTE12.csv", "/elsewhere/LOTE12.csv"},
  };
  RememberedFolder folder(kBase);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(folder.resolve(c.name), c.expected);
  }
  folder.change(kBase / "other");
  EXPECT_EQ(folder.resolve("x.csv"), kBase / "other" / "x.csv");
}

// granomet-batch hands the dialog UTF-8 paths; the window holds names in Windows-1252.
TEST(HeadlessFileDialog, HoldsAChoiceInWindows1252AndMakesItsFolderCurrent) {
  RememberedFolder folder(kBase);
  HeadlessFileDialog dialog(folder);
  dialog.queueAnswer(kBase / "lots" / kBahiaUtf8);
  dialog.showOpen();
  EXPECT_EQ(dialog.fileName(), (kBase / "lots/").string() + kBahia1252);
  EXPECT_EQ(folder.path(), kBase / "lots");
  EXPECT_EQ(folder.resolve(dialog.fileName()), kBase / "lots" / kBahiaUtf8);
}

}  // namespace
}  // namespace granomet
