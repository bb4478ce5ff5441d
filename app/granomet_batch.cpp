// granomet-batch: the window's three buttons pressed on a lot and an export file, drawing nothing.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command_line.h"
#include "data/file_names.h"
#include "data/tables.h"
#include "data/text_encoding.h"
#include "headless/headless_window.h"
#include "ui/remembered_folder.h"
#include "ui/system_clock.h"
#include "ui/system_regional_settings.h"
#include "workflow/batch_run.h"
#include "workflow/export_button.h"
#include "workflow/lot_button.h"
#include "workflow/messages.h"

namespace {

using namespace granomet;

struct Arguments {
  std::optional<std::filesystem::path> resultsFile;
  std::string resultsName;  // as given, for the window's box and the messages
  std::filesystem::path lotFile;
  std::filesystem::path exportFile;
  bool help = false;
};

// False on wrong arguments, after saying what is wrong where usage alone would not.
bool parseArguments(const std::vector<CommandArgument>& given, Arguments& arguments) {
  std::vector<const CommandArgument*> files;
  for (std::size_t i = 0; i < given.size(); ++i) {
    const std::string_view argument = given[i].text;
    if (argument == "--help" || argument == "-h") {
      arguments.help = true;
      return true;
    }
    if (argument == "-o") {
      if (++i >= given.size()) {
        return false;
      }
      if (given[i].text.empty()) {
        printText(stderr, messages::batchResultsNameMissing());
        return false;
      }
      // Meant from the shell's folder, as the input paths are.
      arguments.resultsFile = std::filesystem::absolute(given[i].path);
      arguments.resultsName = pathText(given[i].path);
    } else if (argument.size() > 1 && argument[0] == '-') {
      return false;
    } else {
      files.push_back(&given[i]);
    }
  }
  if (files.size() != 2) {
    return false;
  }
  // Paths on the command line mean the shell's folder, not the folder the lot
  // file's choice makes current.
  arguments.lotFile = std::filesystem::absolute(files[0]->path);
  arguments.exportFile = std::filesystem::absolute(files[1]->path);
  return true;
}

void printList(const HeadlessWindow& window, ListId list, const char* heading) {
  const auto& items = window.list(list).items;
  printText(stdout, std::string(heading) + ": " + std::to_string(items.size()) + "\n");
  for (const std::string& item : items) {
    printText(stdout, cp1252ToUtf8(item) + "\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  useBinaryOutput();
  Arguments arguments;
  if (!parseArguments(commandArguments(argc, argv), arguments)) {
    printText(stderr, messages::batchUsage());
    return 2;
  }
  if (arguments.help) {
    printText(stdout, messages::batchUsage());
    return 0;
  }

  RememberedFolder folder;
  SystemClock clock;
  const SystemRegionalSettings regional;
  const Platform platform{clock, regional, folder};
  HeadlessWindow window(folder);
  auto tables = std::make_unique<Tables>();
  window.onMessage([](const HeadlessWindow::Message& message) {
    printText(stderr, cp1252ToUtf8(effectiveTitle(message.request)) + ": " +
                          cp1252ToUtf8(message.request.prompt) + "\n");
  });
  resetWindow(window);

  window.dialog().queueAnswer(arguments.lotFile);
  lotebutton(*tables, window, platform);
  if (!window.enabled(ButtonId::exportbutton)) {
    return 1;
  }
  if (arguments.resultsFile) {
    window.setText(TextBoxId::recalculado_file, arguments.resultsName);
  }
  window.dialog().queueAnswer(arguments.exportFile);
  exportbutton(*tables, window, platform);
  if (!window.enabled(ButtonId::calculatot)) {
    return 1;
  }
  // The script asked for that path: an existing file there is replaced. The
  // proposed name goes beside the export, as in the window.
  const RunOutcome outcome = calculatot(*tables, window, platform, ExistingResults::Replace,
                                        arguments.resultsFile.value_or(std::filesystem::path()));
  if (outcome == RunOutcome::Refused || outcome == RunOutcome::NotStarted) {
    return 1;
  }
  printList(window, ListId::List1, messages::kCalculatedHeading);
  printList(window, ListId::List2, messages::kIgnoredHeading);
  printText(stdout, cp1252ToUtf8(window.label(LabelId::Label8).text) + "\n");
  return outcome == RunOutcome::Completed ? 0 : 1;
}
