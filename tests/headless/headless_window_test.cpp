// The headless window, its file dialog, folder and graph, and resetWindow.
#include "headless/headless_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

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
constexpr const char* kLodzUtf8 = "Łódź.csv";

constexpr TextBoxId kBoxes[] = {TextBoxId::LOTE_file, TextBoxId::EXPORT_file,
                                TextBoxId::recalculado_file};

// What start-up and resetWindow have in common; Label8 and the buttons are checked apart.
void expectCleared(const HeadlessWindow& window) {
  for (const TextBoxId box : kBoxes) {
    EXPECT_EQ(window.text(box), "") << "box " << static_cast<int>(box);
  }
  EXPECT_EQ(window.itemCount(ListId::List1), 0);
  EXPECT_EQ(window.itemCount(ListId::List2), 0);
  EXPECT_EQ(window.label(LabelId::Label10).text, "0");
  EXPECT_EQ(window.label(LabelId::Label11).text, "0");
}

TEST(HeadlessWindow, StartsAsTheMainWindowDoes) {
  RememberedFolder folder(kBase);
  const HeadlessWindow window(folder);
  expectCleared(window);
  EXPECT_EQ(window.list(ListId::List1).textColor, kBlack);
  EXPECT_EQ(window.list(ListId::List2).textColor, (Rgb{255, 0, 0}));
  EXPECT_EQ(window.label(LabelId::Label8).text, "");
  EXPECT_EQ(window.label(LabelId::Label8).textColor, kBlack);
  EXPECT_EQ(window.label(LabelId::Label8).backColor, kWhite);
  EXPECT_FALSE(window.enabled(ButtonId::exportbutton));
  EXPECT_FALSE(window.enabled(ButtonId::calculatot));
}

TEST(HeadlessWindow, ResetEmptiesBoxesListsAndCountsOnly) {
  RememberedFolder folder(kBase);
  HeadlessWindow window(folder);
  for (const TextBoxId box : kBoxes) {
    window.setText(box, "file.csv");
  }
  window.addItem(ListId::List1, "S1");
  window.addItem(ListId::List1, "S2");
  window.addItem(ListId::List2, "S9");
  window.setLabelText(LabelId::Label10, "2");
  window.setLabelText(LabelId::Label11, "1");
  window.setLabelText(LabelId::Label8, "Lote cargado");
  window.setLabelTextColor(LabelId::Label8, kDarkRed);
  window.setLabelBackColor(LabelId::Label8, kLightYellow);
  window.setEnabled(ButtonId::exportbutton, true);
  ASSERT_EQ(window.item(ListId::List1, 1), "S2");
  EXPECT_THROW(window.item(ListId::List1, 2), std::out_of_range);

  resetWindow(window);
  expectCleared(window);
  EXPECT_EQ(window.label(LabelId::Label8).text, "Lote cargado");
  EXPECT_EQ(window.label(LabelId::Label8).textColor, kDarkRed);
  EXPECT_EQ(window.label(LabelId::Label8).backColor, kLightYellow);
  EXPECT_TRUE(window.enabled(ButtonId::exportbutton));
  EXPECT_FALSE(window.enabled(ButtonId::calculatot));
}

struct MessageCase {
  const char* name;
  MessageButtons buttons;
  std::vector<MessageAnswer> queued;
  std::vector<MessageAnswer> expected;  // one message is shown per expected answer
};

TEST(HeadlessWindow, AnswersMessagesFromTheQueueElseByDefault) {
  using enum MessageAnswer;
  const MessageCase cases[] = {
      {"Ok by default", MessageButtons::Ok, {}, {Ok}},
      {"Yes by default", MessageButtons::YesNo, {}, {Yes, Yes}},
      {"queued No", MessageButtons::YesNo, {No}, {No}},
      {"queue in order, then default", MessageButtons::YesNo, {No, Yes, No}, {No, Yes, No, Yes}},
  };
  for (const MessageCase& c : cases) {
    SCOPED_TRACE(c.name);
    RememberedFolder folder(kBase);
    HeadlessWindow window(folder);
    std::vector<std::string> observed;
    window.onMessage(
        [&](const HeadlessWindow::Message& m) { observed.push_back(m.request.prompt); });
    for (const MessageAnswer answer : c.queued) {
      window.queueMessageAnswer(answer);
    }
    std::vector<MessageAnswer> answers;
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
      const MessageRequest request{"prompt " + std::to_string(i), "", c.buttons,
                                   MessageIcon::Warning};
      answers.push_back(window.showMessage(request));
      ASSERT_EQ(window.messages().size(), i + 1);
      const HeadlessWindow::Message& recorded = window.messages().back();
      EXPECT_EQ(recorded.request.prompt, request.prompt);
      EXPECT_EQ(recorded.request.buttons, c.buttons);
      EXPECT_EQ(recorded.answer, answers.back());
    }
    EXPECT_EQ(answers, c.expected);
    EXPECT_EQ(observed.size(), c.expected.size());
  }
  EXPECT_EQ(effectiveTitle({"p", "", MessageButtons::Ok, MessageIcon::None}), "Granomet");
  EXPECT_EQ(effectiveTitle({"p", "Lote", MessageButtons::Ok, MessageIcon::None}), "Lote");
}

struct DialogStep {
  const char* name;
  std::optional<std::optional<fs::path>> answer;  // outer nullopt: nothing queued
  fs::path expectedName;
  fs::path expectedFolder;
};

TEST(HeadlessFileDialog, KeepsItsNameAcrossShowingsAndMovesTheFolder) {
  const fs::path lots = kBase / "lots";
  const DialogStep steps[] = {
      {"empty queue cancels", std::nullopt, "start.csv", kBase},
      {"nullopt cancels", std::optional<fs::path>{}, "start.csv", kBase},
      {"absolute choice", lots / "LOTE12.csv", lots / "LOTE12.csv", lots},
      {"relative to the current folder", fs::path("sub/../EXPORT.txt"), lots / "EXPORT.txt", lots},
      {"a name outside Windows-1252 held as it is", fs::path("deep") / kLodzUtf8,
       lots / "deep" / kLodzUtf8, lots / "deep"},
      {"cancelling later keeps the choice", std::optional<fs::path>{}, lots / "deep" / kLodzUtf8,
       lots / "deep"},
  };
  RememberedFolder folder(kBase);
  HeadlessFileDialog dialog(folder);
  dialog.setFileName("start.csv");
  std::vector<fs::path> openedWith;
  for (const DialogStep& step : steps) {
    SCOPED_TRACE(step.name);
    if (step.answer) {
      dialog.queueAnswer(*step.answer);
    }
    openedWith.push_back(dialog.fileName());
    dialog.showOpen();
    EXPECT_EQ(dialog.fileName(), step.expectedName);
    EXPECT_EQ(folder.path(), step.expectedFolder);
    EXPECT_EQ(dialog.pendingAnswers(), 0u);
  }
  EXPECT_EQ(dialog.shownNames(), openedWith);
  EXPECT_EQ(dialog.showings(), static_cast<int>(std::size(steps)));
}

TEST(RememberedFolder, ResolvesRelativeNamesAgainstItsFolder) {
  const struct {
    const char* name;
    fs::path expected;
  } cases[] = {
      {"LOTE12.csv", kBase / "LOTE12.csv"},
      {"sub/x.txt", kBase / "sub" / "x.txt"},
      {kLodzUtf8, kBase / kLodzUtf8},
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

TEST(HeadlessGraph, RecordsRunsAndCurves) {
  RememberedFolder folder(kBase);
  HeadlessWindow window(folder);
  CurveValues x{};
  CurveValues y{};
  x.front() = -1.5f;
  y.back() = 12.5f;
  window.graph().startRun();
  window.graph().startRun();
  window.graph().plotCurve(kBahia1252, x, y);
  const HeadlessGraph& graph = window.plotted();
  EXPECT_EQ(graph.runStarts(), 2);
  ASSERT_EQ(graph.curves().size(), 1u);
  EXPECT_EQ(graph.curves()[0].sampleName, kBahia1252);
  EXPECT_EQ(graph.curves()[0].x, x);
  EXPECT_EQ(graph.curves()[0].y, y);
}

}  // namespace
}  // namespace granomet
