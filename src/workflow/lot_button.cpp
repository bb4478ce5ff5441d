#include "workflow/lot_button.h"

#include <optional>
#include <string>

#include "data/field_reader.h"
#include "data/file_names.h"
#include "data/lot_file.h"
#include "data/lot_format.h"
#include "data/read_error.h"
#include "data/text_encoding.h"
#include "workflow/list_items.h"

namespace granomet {
namespace {

// Thrown when the chosen name has no "." to cut the lot name at.
struct NoExtension {};

// The whole file is read and kept: the calculation reads its rows from these bytes.
ChosenLot readLot(Tables& tables, WindowOperations& window, const Platform& platform) {
  ChosenLot chosen;
  chosen.path = platform.folder.resolve(window.text(TextBoxId::LOTE_file));
  chosen.bytes = readInputFile(chosen.path);
  chosen.format = lotFormatOf(chosen.bytes);
  LotTable& lot = tables.lot;
  FieldReader reader = FieldReader::overBytes(chosen.bytes, chosen.format);
  readLotPreamble(reader, lot.header);
  for (int row = 1; row <= lot.header.sampleCount; ++row) {
    const std::int16_t orderNumber = readLotRow(reader, lot, NameSpaces::Trim);
    window.addItem(ListId::List1, lotListItem(row, orderNumber, lot.records[orderNumber].name));
  }
  return chosen;
}

std::string separatorName(char separator) {
  switch (separator) {
    case ',':
      return "comas (,)";
    case ';':
      return "punto y coma (;)";
    case '\t':
      return "tabuladores";
    default:
      break;
  }
  return std::string("\"") + separator + "\"";
}

std::string formatText(const LotFormatError& error) {
  const std::string found = error.separatorFound() == '\0'
                                ? "la línea 2, la cabecera del lote, no tiene separadores de campos"
                                : "la línea 2, la cabecera del lote, tiene " +
                                      std::to_string(error.fields()) + " campos separados por " +
                                      separatorName(error.separatorFound());
  return found +
         ", y un lote tiene 9 separados por comas (,) o por punto y coma (;). Guárdelo desde la "
         "hoja de cálculo como «CSV (delimitado por comas)» o «Texto CSV» con separador de "
         "campos «,» o «;».";
}

std::string causeText(const ReadError& error, std::int16_t orderNumber) {
  switch (error.cause()) {
    case ReadError::Cause::CannotOpen:
      return "no se puede abrir el fichero.";
    case ReadError::Cause::EndOfFile:
      return "el fichero termina antes de lo esperado (faltan filas o columnas).";
    case ReadError::Cause::Overflow:
      if (error.subject().empty()) {
        return "hay un número demasiado grande para su columna.";
      }
      return "el número \"" + cp1252ToUtf8(error.subject()) +
             "\" es demasiado grande para su columna.";
    case ReadError::Cause::OutOfRange:
      return "el número de orden " + std::to_string(orderNumber) + " no está entre 1 y 254.";
    case ReadError::Cause::NotText:
      return "el fichero contiene bytes nulos: no es un fichero de texto.";
    case ReadError::Cause::UnclosedQuote:
      return "unas comillas (\") abren un campo que no se cierra hasta el final del fichero.";
    case ReadError::Cause::TooLong:
      return "hay un campo o una línea de más de 1 MB: no es un fichero de lote.";
    case ReadError::Cause::TooLarge:
      return "el fichero ocupa más de 64 MB: no es un fichero de lote.";
    case ReadError::Cause::NotAFile:
      return "no es un fichero sino " + cp1252ToUtf8(error.subject()) + ".";
    case ReadError::Cause::Io:
      break;
  }
  return "error de lectura del fichero.";
}

void reportFailure(const Tables& tables, WindowOperations& window, const std::string& cause) {
  const std::string file = fileNamePart(window.text(TextBoxId::LOTE_file));
  const std::string prompt = "Error aproximadamente en la muestra " +
                             std::to_string(tables.lot.currentOrderNumber) + "\n\n" + file + ": " +
                             utf8ToCp1252(cause);
  window.showMessage({prompt, "ERROR EN CSV", MessageButtons::Ok, MessageIcon::Error});
  window.setLabelTextColor(LabelId::Label8, kDarkRed);
  window.setListTextColor(ListId::List1, kBlack);
  window.setEnabled(ButtonId::exportbutton, false);
  window.setEnabled(ButtonId::calculatot, false);
}

}  // namespace

void lotebutton(Tables& tables, WindowOperations& window, const Platform& platform) {
  resetWindow(window);
  tables.exports.exportSampleCount = 0;
  // Whatever was chosen before no longer goes into a calculation.
  tables.chosen = {};
  FileDialog& dialog = window.fileDialog();
  if (showOpenDialog(dialog, kLotFilter).empty()) {
    return;
  }
  window.setText(TextBoxId::LOTE_file, dialog.fileName());
  ChosenLot chosen;
  try {
    chosen = readLot(tables, window, platform);
    window.setText(TextBoxId::recalculado_file, "");
    window.setText(TextBoxId::LOTE_file, fileNamePart(window.text(TextBoxId::LOTE_file)));
    const std::optional<std::string> lotName = lotNameOf(window.text(TextBoxId::LOTE_file));
    if (!lotName) {
      throw NoExtension{};
    }
    tables.lot.header.lotName = *lotName;
  } catch (const ReadError& error) {
    reportFailure(tables, window, causeText(error, tables.lot.currentOrderNumber));
    return;
  } catch (const LotFormatError& error) {
    reportFailure(tables, window, formatText(error));
    return;
  } catch (const NoExtension&) {
    reportFailure(tables, window, "el nombre del fichero no tiene extensión (falta el punto).");
    return;
  }
  tables.chosen.lot = std::move(chosen);
  window.setText(TextBoxId::recalculado_file,
                 proposedResultsName(tables.lot.header.lotName, platform.clock.now()));
  dialog.setFileName("");
  window.setEnabled(ButtonId::exportbutton, true);
  window.setEnabled(ButtonId::calculatot, true);
}

}  // namespace granomet
