// resetWindow on the headless window: what it empties and what it leaves.
#include "headless/headless_window.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "ui/remembered_folder.h"

namespace granomet {
namespace {

namespace fs = std::filesystem;

// Nothing is created on disk: the folder only works on names.
const fs::path kBase = fs::temp_directory_path() / "granomet-lab";

TEST(ResetWindow, EmptiesBoxesListsAndCountsOnly) {
  constexpr TextBoxId kBoxes[] = {TextBoxId::LOTE_file, TextBoxId::EXPORT_file,
                                  TextBoxId::recalculado_file};
  RememberedFolder folder(kBase);
  HeadlessWindow window(folder);
  for (const TextBoxId box : kBoxes) {
    window.setText(box, "file.csv");
  }
  window.addItem(ListId::List1, "S1");
  window.addItemWithReason(ListId::List2, "S9", "por esto");
  window.setLabelText(LabelId::Label10, "1");
  window.setLabelToolTip(LabelId::Label10, "S2 sin calcular");
  window.setLabelText(LabelId::Label11, "1");
  window.setLabelText(LabelId::Label8, "Lote cargado");
  window.setEnabled(ButtonId::exportbutton, true);

  resetWindow(window);
  for (const TextBoxId box : kBoxes) {
    EXPECT_EQ(window.text(box), "") << "box " << static_cast<int>(box);
  }
  EXPECT_EQ(window.itemCount(ListId::List1) + window.itemCount(ListId::List2), 0);
  EXPECT_TRUE(window.list(ListId::List2).reasons.empty());
  EXPECT_EQ(window.label(LabelId::Label10).text, "0");
  EXPECT_EQ(window.label(LabelId::Label10).toolTip, "");
  EXPECT_EQ(window.label(LabelId::Label11).text, "0");
  EXPECT_EQ(window.label(LabelId::Label8).text, "Lote cargado");
  EXPECT_TRUE(window.enabled(ButtonId::exportbutton));
}

}  // namespace
}  // namespace granomet
