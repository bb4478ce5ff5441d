// A headless main window with its tables, clock and current folder, in a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "data/tables.h"
#include "data/text_encoding.h"
#include "headless/fixed_clock.h"
#include "headless/fixed_regional_settings.h"
#include "headless/headless_window.h"
#include "support/test_data.h"
#include "ui/remembered_folder.h"
#include "workflow/batch_run.h"
#include "workflow/export_button.h"
#include "workflow/lot_button.h"

namespace granomet::testing {

// The text with the first `from` replaced by `to`; a `from` the text lacks fails the test.
inline std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The results file's name the window proposes for the example lot at the fixture's clock.
constexpr const char* kResultsName = "LOTE12_06062016_093005.csv";

inline std::string outcomeName(RunOutcome outcome) {
  return std::vector<std::string>{"no iniciado", "rechazado", "completo", "roto"}.at(
      static_cast<std::size_t>(outcome));
}

class ButtonTest : public ::testing::Test {
 protected:
  ButtonTest()
      : folder_(makeFolder()),
        currentFolder_(std::filesystem::temp_directory_path()),
        window_(currentFolder_) {
    resetWindow(window_);
  }
  ~ButtonTest() override {
    std::error_code ignored;
    // Windows keeps a read-only file from being deleted; links and pipes are left
    // as they are, so that nothing they point to changes.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_, ignored)) {
      if (!entry.is_symlink(ignored) && entry.is_regular_file(ignored)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ignored);
      }
    }
    std::filesystem::remove_all(folder_, ignored);
  }

  std::filesystem::path write(const std::string& name, const std::string& bytes) {
    const std::filesystem::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  // nullopt cancels the dialog.
  void pressLot(std::optional<std::filesystem::path> file) {
    window_.dialog().queueAnswer(std::move(file));
    lotebutton(*tables_, window_, platform_);
  }
  void pressExport(std::optional<std::filesystem::path> file) {
    window_.dialog().queueAnswer(std::move(file));
    exportbutton(*tables_, window_, platform_);
  }

  RunOutcome pressCalculate() { return calculatot(*tables_, window_, platform_); }

  const std::vector<std::string>& items(ListId list) const { return window_.list(list).items; }
  Tables& tables() { return *tables_; }
  const Platform& platform() const { return platform_; }
  HeadlessWindow& window() { return window_; }
  const std::filesystem::path& folder() const { return folder_; }

  // The window as the user sees it, for a reviewed file: every message with its title, icon
  // and answer, the lists with each red item's reason, the labels, the two buttons. In UTF-8,
  // the test's folder as @CARPETA@ and Windows' separators as "/".
  std::string windowText() const {
    static const char* const icons[] = {"", ", aviso", ", error"};
    static const char* const answers[] = {"Aceptar", "S\xED", "No"};
    std::string text;
    for (const auto& [request, answer] : window_.messages()) {
      text += "mensaje \xAB" + std::string(effectiveTitle(request)) + "\xBB" +
              icons[static_cast<int>(request.icon)] +
              (request.perSampleWarning ? ", por muestra" : "") + ", respuesta " +
              answers[static_cast<int>(answer)] + "\n  " +
              replacedAll(request.prompt, "\n", "\n  ") + "\n";
    }
    const auto rgb = [](Rgb c) {
      return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue);
    };
    for (const ListId id : {ListId::List1, ListId::List2}) {
      const auto& list = window_.list(id);
      text += std::string(id == ListId::List1 ? "List1 " : "List2 ") + rgb(list.textColor) + ":\n";
      for (std::size_t i = 0; i < list.items.size(); ++i) {
        const bool reason = i < list.reasons.size() && !list.reasons[i].empty();
        text += "  " + list.items[i] + (reason ? " -- " + list.reasons[i] : "") + "\n";
      }
    }
    const auto& status = window_.label(LabelId::Label8);
    const std::string& tip = window_.label(LabelId::Label10).toolTip;
    text += "Label8 \xAB" + status.text + "\xBB " + rgb(status.textColor) + " sobre " +
            rgb(status.backColor) + "\nLabel10 \xAB" + window_.label(LabelId::Label10).text +
            "\xBB" + (tip.empty() ? "" : "\n  " + replacedAll(tip, "\n", "\n  ")) +
            "\nLabel11 \xAB" + window_.label(LabelId::Label11).text + "\xBB\nexportbutton " +
            (window_.enabled(ButtonId::exportbutton) ? "on" : "off") + ", calculatot " +
            (window_.enabled(ButtonId::calculatot) ? "on" : "off") + "\n";
    return withoutFolder(replacedAll(cp1252ToUtf8(text), "\n  \n", "\n\n"));
  }
  std::string withoutFolder(const std::string& text) const {
    return replacedAll(replacedAll(text, folder_.string(), "@CARPETA@"), "\\", "/");
  }

 private:
  static std::filesystem::path makeFolder() {
    std::random_device random;
    const auto path = std::filesystem::temp_directory_path() /
                      ("granomet_test_" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path);
    return path;
  }

  std::filesystem::path folder_;
  RememberedFolder currentFolder_;
  HeadlessWindow window_;
  FixedClock clock_{{2016, 6, 6, 9, 30, 5}};
  FixedRegionalSettings regional_;
  Platform platform_{clock_, regional_, currentFolder_};
  std::unique_ptr<Tables> tables_ = std::make_unique<Tables>();
};

}  // namespace granomet::testing
