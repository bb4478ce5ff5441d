#include "workflow/export_button.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "data/export_block.h"
#include "data/field_reader.h"
#include "data/file_names.h"
#include "data/read_error.h"
#include "data/text_encoding.h"
#include "workflow/list_items.h"

namespace granomet {
namespace {

constexpr std::size_t kOrderNumberWidth = 3;

// block: the sample block being read when the failure came, 0 before the first.
std::string failureText(const std::string& file, int block, const ReadError& error) {
  if (block == 0) {
    switch (error.cause()) {
      case ReadError::Cause::CannotOpen:
        return "No se puede abrir el fichero de exportación " + file + ".";
      case ReadError::Cause::EndOfFile:
        return "El fichero de exportación " + file + " está vacío.";
      case ReadError::Cause::Overflow:
        return "El fichero de exportación " + file + " tiene más de 32767 líneas de muestra.";
      case ReadError::Cause::NotText:
        return "El fichero de exportación " + file +
               " contiene bytes nulos: no es un fichero de texto.";
      case ReadError::Cause::TooLong:
        return "El fichero de exportación " + file + " tiene una línea de más de 1 MB.";
      case ReadError::Cause::TooLarge:
        return "El fichero de exportación " + file + " ocupa más de 64 MB.";
      case ReadError::Cause::NotAFile:
        return "El fichero de exportación " + file + " no es un fichero sino " +
               cp1252ToUtf8(error.subject()) + ".";
      default:
        return "Error de lectura en el fichero de exportación " + file + ".";
    }
  }
  const std::string sample =
      "Fichero de exportación " + file + ", muestra " + std::to_string(block) + ": ";
  switch (error.cause()) {
    case ReadError::Cause::EndOfFile:
      return sample + "el fichero termina dentro de la muestra (faltan campos).";
    case ReadError::Cause::OutOfRange:
      return sample + "el número de orden \"" + cp1252ToUtf8(error.subject()) +
             "\" no es un número entre 1 y 254.";
    case ReadError::Cause::Overflow:
      return sample + "hay un valor demasiado grande.";
    case ReadError::Cause::UnclosedQuote:
      return sample + "unas comillas (\") abren un campo que no se cierra hasta el final del " +
             "fichero.";
    case ReadError::Cause::TooLong:
      return sample + "hay un campo de más de 1 MB.";
    case ReadError::Cause::NotText:
      return sample + "el fichero contiene bytes nulos: no es un fichero de texto.";
    default:
      return sample + "error de lectura del fichero.";
  }
}

void readBlocks(const std::filesystem::path& path, ExportTable& table, WindowOperations& window,
                int& block) {
  FieldReader reader = FieldReader::open(path);
  reader.readLine();
  for (block = 1; block <= table.exportSampleCount; ++block) {
    const ExportBlockHead head = readExportBlockHead(reader, table);
    if (!head.orderNumber) {
      throw ReadError(ReadError::Cause::OutOfRange, "order number outside 1..254", head.orderText);
    }
    window.addItem(ListId::List1, exportListItem(*head.orderNumber, table.exportSampleName));
    readExportClasses(reader, table, *head.orderNumber);
  }
}

// Neighbours are compared in text order, the order a sorting list shows, so that
// every repeat is found wherever it lies in the file.
void reportRepeatedOrderNumbers(WindowOperations& window) {
  std::vector<std::string> items;
  for (int i = 0; i < window.itemCount(ListId::List1); ++i) {
    items.push_back(window.item(ListId::List1, i));
  }
  std::stable_sort(items.begin(), items.end());
  for (std::size_t i = 1; i < items.size(); ++i) {
    const std::string& earlier = items[i - 1];
    const std::string& later = items[i];
    if (earlier.compare(0, kOrderNumberWidth, later, 0, kOrderNumberWidth) != 0) {
      continue;
    }
    window.showMessage(
        {"Muestras con el mismo numero de orden" + later.substr(0, kOrderNumberWidth), "ERROR",
         MessageButtons::Ok, MessageIcon::Warning});
    window.addItem(ListId::List2, earlier);
    window.addItem(ListId::List2, later);
  }
}

}  // namespace

void exportbutton(Tables& tables, WindowOperations& window, const Platform& platform) {
  ExportTable& table = tables.exports;
  window.clearList(ListId::List1);
  window.clearList(ListId::List2);
  table.exportSampleCount = 0;
  window.setListTextColor(ListId::List2, kDarkRed);
  FileDialog& dialog = window.fileDialog();
  if (showOpenDialog(dialog, kExportFilter).empty()) {
    return;
  }
  window.setText(TextBoxId::EXPORT_file, dialog.fileName());
  window.setText(TextBoxId::EXPORT_file, fileNamePart(window.text(TextBoxId::EXPORT_file)));
  dialog.setFileName("");
  const std::string file = window.text(TextBoxId::EXPORT_file);
  const std::filesystem::path path = platform.folder.resolve(file);
  int block = 0;
  // Taken before the reading, so that a change made while it reads counts too.
  const std::optional<FileStamp> stamp = stampOf(path);
  try {
    countSampleLines(path, table);
    readBlocks(path, table, window, block);
  } catch (const ReadError& error) {
    table.exportSampleCount = 0;
    tables.chosen.exported = {};
    window.setEnabled(ButtonId::calculatot, false);
    window.showMessage({utf8ToCp1252(failureText(cp1252ToUtf8(file), block, error)),
                        "ERROR EN EXPORT", MessageButtons::Ok, MessageIcon::Error});
    return;
  }
  tables.chosen.exported = {path, stamp};
  reportRepeatedOrderNumbers(window);
  window.setEnabled(ButtonId::calculatot, true);
}

}  // namespace granomet
