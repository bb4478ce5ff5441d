// granomet-batch: presses the window's buttons on a lot and an export file, drawing nothing.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/export_button.h"
#include "data/lot_button.h"
#include "data/tables.h"
#include "data/text_encoding.h"
#include "ui/headless/fixed_regional_settings.h"
#include "ui/headless/headless_folder.h"
#include "ui/headless/headless_window.h"
#include "ui/system_clock.h"

namespace {

using namespace granomet;

constexpr const char* kUsage =
    "Uso: granomet-batch [-o FICHERO_RESULTADOS] FICHERO_LOTE FICHERO_EXPORT\n"
    "\n"
    "Lee el lote y el fichero de exportación del láser como lo hacen los botones de la\n"
    "ventana, escribe cada mensaje en la salida de errores como \"TÍTULO: TEXTO\" y\n"
    "lista las muestras en la salida estándar.\n";

struct Arguments {
  std::string resultsName;
  std::filesystem::path lotFile;
  std::filesystem::path exportFile;
};

// Returns false on wrong arguments; help asked for is reported through `help`.
bool parseArguments(int argc, char** argv, Arguments& arguments, bool& help) {
  std::vector<std::string_view> files;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      help = true;
      return true;
    }
    if (argument == "-o") {
      if (++i >= argc) {
        return false;
      }
      arguments.resultsName = argv[i];
    } else if (argument.size() > 1 && argument[0] == '-') {
      return false;
    } else {
      files.push_back(argument);
    }
  }
  if (files.size() != 2) {
    return false;
  }
  // Paths on the command line mean the shell's folder, not the folder the lot
  // file's choice makes current.
  arguments.lotFile = std::filesystem::absolute(files[0]);
  arguments.exportFile = std::filesystem::absolute(files[1]);
  return true;
}

void printList(const HeadlessWindow& window, ListId list) {
  for (const std::string& item : window.list(list).items) {
    std::printf("%s\n", cp1252ToUtf8(item).c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  Arguments arguments;
  bool help = false;
  if (!parseArguments(argc, argv, arguments, help)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (help) {
    std::fputs(kUsage, stdout);
    return 0;
  }

  HeadlessFolder folder;
  SystemClock clock;
  FixedRegionalSettings regional;
  const Platform platform{clock, regional, folder};
  HeadlessWindow window(folder);
  auto tables = std::make_unique<Tables>();
  window.onMessage([](const HeadlessWindow::Message& message) {
    std::fprintf(stderr, "%s: %s\n", cp1252ToUtf8(effectiveTitle(message.request)).c_str(),
                 cp1252ToUtf8(message.request.prompt).c_str());
  });
  resetWindow(window);

  window.dialog().queueAnswer(arguments.lotFile);
  lotebutton(*tables, window, platform);
  if (!window.enabled(ButtonId::exportbutton)) {
    return 1;
  }
  if (!arguments.resultsName.empty()) {
    window.setText(TextBoxId::recalculado_file, utf8ToCp1252(arguments.resultsName));
  }
  window.dialog().queueAnswer(arguments.exportFile);
  exportbutton(*tables, window, platform);
  if (!window.enabled(ButtonId::calculatot)) {
    return 1;
  }
  std::printf("Lote: %s (%d muestras)\n", cp1252ToUtf8(tables->lot.header.lotName).c_str(),
              tables->lot.header.sampleCount);
  std::printf("Resultados: %s\n", cp1252ToUtf8(window.text(TextBoxId::recalculado_file)).c_str());
  std::printf("Export: %d muestras\n", tables->exports.exportSampleCount);
  printList(window, ListId::List1);
  std::printf("Mismo numero de orden: %d\n", window.itemCount(ListId::List2));
  printList(window, ListId::List2);
  return 0;
}
