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

#if GRANOMET_ARCHIVE
#include <cstdlib>

#include "archive/open_archive.h"
#include "archive/run_archiving.h"
#endif

namespace {

using namespace granomet;

struct Arguments {
  std::optional<std::filesystem::path> resultsFile;
  std::string resultsName;  // as given, for the window's box and the messages
  std::filesystem::path lotFile;
  std::filesystem::path exportFile;
  // The archive each completed run is added to: --archivo's, else the default one.
  std::optional<std::filesystem::path> archive;
  bool archiving = true;  // false with --sin-archivo
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
    } else if (argument == "--archivo") {
#if GRANOMET_ARCHIVE
      if (++i >= given.size() || given[i].text.empty()) {
        printText(stderr, messages::batchArchiveNameMissing());
        return false;
      }
      arguments.archive = std::filesystem::absolute(given[i].path);
#else
      printText(stderr, messages::batchWithoutArchive());
      return false;
#endif
    } else if (argument == "--sin-archivo") {
      arguments.archiving = false;
    } else if (argument.size() > 1 && argument[0] == '-') {
      return false;
    } else {
      files.push_back(&given[i]);
    }
  }
  if (arguments.archive && !arguments.archiving) {
    printText(stderr, messages::batchArchiveOptionsMeet());
    return false;
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

#if GRANOMET_ARCHIVE
// The completed run added to the archive; its line for the summary, and whether it
// was archived.
RunArchiving archived(const Arguments& arguments, const Tables& tables, const LocalDateTime& when,
                      char decimalMark) {
  const std::filesystem::path archive =
      arguments.archive.value_or(defaultArchivePath([](std::string_view name) {
        const char* value = std::getenv(std::string(name).c_str());
        return value == nullptr ? std::nullopt : std::optional<std::string>(value);
      }));
  if (archive.empty()) {
    return {false, messages::runNotArchived(messages::archivePlaceUnknown())};
  }
  RunToArchive run;
  run.resultsFile = tables.lastRun.resultsPath;
  run.lotFile = arguments.lotFile;
  run.exportFile = arguments.exportFile;
  run.lotName = cp1252ToUtf8(tables.lot.header.lotName);
  run.when = when;
  run.decimalMark = decimalMark;
  run.origin = RunOrigin::Batch;
  return archiveRun(archive, run);
}
#endif

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
  const LocalDateTime started = clock.now();
  const RunOutcome outcome = calculatot(*tables, window, platform, ExistingResults::Replace,
                                        arguments.resultsFile.value_or(std::filesystem::path()));
  if (outcome == RunOutcome::Refused || outcome == RunOutcome::NotStarted) {
    return 1;
  }
  printList(window, ListId::List1, messages::kCalculatedHeading);
  printList(window, ListId::List2, messages::kIgnoredHeading);
  printText(stdout, cp1252ToUtf8(window.label(LabelId::Label8).text) + "\n");
  if (outcome != RunOutcome::Completed) {
    return 1;
  }
#if GRANOMET_ARCHIVE
  // A run that calculated no sample wrote no results file: nothing to keep.
  if (arguments.archiving && !tables->lastRun.resultsPath.empty()) {
    // The results file stands whatever the archive says; a run left out of it is
    // told on both streams and is no success.
    const RunArchiving archiving = archived(arguments, *tables, started, regional.decimalMark());
    printText(stdout, archiving.text + "\n");
    if (!archiving.archived) {
      printText(stderr, "granomet-batch: " + archiving.text + "\n");
      return 1;
    }
  }
#else
  (void)started;
#endif
  return 0;
}
