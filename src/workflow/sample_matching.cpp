#include "workflow/sample_matching.h"

#include <array>
#include <optional>

#include "data/export_block.h"
#include "data/field_number.h"
#include "data/lot_file.h"
#include "data/spaces.h"
#include "data/text_encoding.h"

namespace granomet {
namespace {

std::string cp1252(std::string_view utf8) {
  return utf8ToCp1252(utf8);
}

// The lot row at that order number, read again; empty with the cause when the
// row cannot be used.
std::optional<std::string> rereadProblem(LotRereader& lot, std::int16_t orderNumber,
                                         LotTable& table, char decimalMark) {
  const std::string number = std::to_string(orderNumber);
  try {
    lot.reread(orderNumber, table, decimalMark);
    return std::nullopt;
  } catch (const CarbonateError&) {
    return cp1252("el carbonato \"") + table.carbonateText +
           cp1252("\" de la fila " + number + " del fichero de lote no es un porcentaje");
  } catch (const ReadError& error) {
    switch (error.cause()) {
      case ReadError::Cause::EndOfFile:
        return cp1252("el fichero de lote no tiene fila completa en la línea del número de orden " +
                      number);
      case ReadError::Cause::Overflow:
        return cp1252("la fila " + number +
                      " del fichero de lote tiene un número demasiado grande para su columna");
      case ReadError::Cause::OutOfRange:
        return cp1252("la fila " + number + " del fichero de lote lleva el número de orden " +
                      std::to_string(table.currentOrderNumber) + ", fuera de 1 a 254");
      case ReadError::Cause::UnclosedQuote:
        return cp1252("en la fila " + number +
                      " del fichero de lote unas comillas (\") abren un campo que no se cierra "
                      "hasta el final del fichero");
      case ReadError::Cause::TooLong:
        return cp1252("la fila " + number + " del fichero de lote tiene un campo de más de 1 MB");
      case ReadError::Cause::CannotOpen:
      case ReadError::Cause::Io:
      case ReadError::Cause::NotText:
      case ReadError::Cause::TooLarge:
      case ReadError::Cause::NotAFile:
        break;
    }
    throw LotFileUnreadable{error};
  }
}

struct LoadedClasses {
  std::array<float, kLaserClasses> diameters{};
  std::array<double, kLaserClasses> frequencies{};
  bool tooLarge = false;
};

// Every field is read even after a value too large for its width, so that the
// next record still starts at its first field.
LoadedClasses readClasses(FieldReader& exportFile, std::int16_t trailingComma) {
  LoadedClasses classes;
  for (std::size_t c = 0; c < kLaserClasses; ++c) {
    const std::string diameter = exportFile.readText();
    const std::string frequency = exportFile.readText();
    exportFile.skipField();
    try {
      classes.diameters[c] = fieldSingle(diameter);
      classes.frequencies[c] = fieldDouble(frequency);
    } catch (const ReadError&) {
      classes.tooLarge = true;
    }
  }
  if (trailingComma == 1) {
    exportFile.skipField();
  }
  return classes;
}

}  // namespace

void reportUncalculated(WindowOperations& window, const std::string& exportSampleName,
                        const std::string& orderText, const std::string& cause) {
  window.addItem(ListId::List2, exportSampleName + cp1252(" ¿") + orderText + "?");
  window.showMessage({cp1252("La muestra ") + exportSampleName + cp1252(" (número de orden ") +
                          orderText + cp1252(") no se ha calculado: ") + cause + ".",
                      cp1252("MUESTRA NO CALCULADA"), MessageButtons::Ok, MessageIcon::Warning});
}

RecordResult handleNextRecord(FieldReader& exportFile, Tables& tables, LotRereader& lot,
                              WindowOperations& window, char decimalMark) {
  ExportTable& exports = tables.exports;
  const ExportBlockHead head = readExportBlockHead(exportFile, exports);
  if (trimmedSpaces(exports.exportLotName) != tables.lot.header.lotName) {
    skipExportClasses(exportFile, exports.trailingComma);
    return {RecordOutcome::OtherLot, 0};
  }

  const auto ignore = [&](const std::string& orderText, const std::string& cause) {
    reportUncalculated(window, exports.exportSampleName, orderText, cause);
    skipExportClasses(exportFile, exports.trailingComma);
    return RecordResult{RecordOutcome::Ignored, 0};
  };
  if (!head.orderNumber) {
    return ignore(head.orderText, cp1252("el número de orden \"") + head.orderText +
                                      cp1252("\" de la exportación no está entre 1 y 254"));
  }
  const std::int16_t n = *head.orderNumber;
  const std::string orderText = std::to_string(n);
  if (const auto cause = rereadProblem(lot, n, tables.lot, decimalMark)) {
    return ignore(orderText, *cause);
  }

  if (trimmedSpaces(exports.exportSampleName) != tables.lot.records[n].name) {
    window.addItem(ListId::List2, exports.exportSampleName + cp1252(" ¿") + orderText + "?");
    window.showMessage({"Probablemente el Numero de Orden de " + exports.exportSampleName +
                            " en Export es erroneo.",
                        "", MessageButtons::Ok, MessageIcon::Warning});
    skipExportClasses(exportFile, exports.trailingComma);
    return {RecordOutcome::Ignored, 0};
  }

  const LoadedClasses classes = readClasses(exportFile, exports.trailingComma);
  if (classes.tooLarge) {
    reportUncalculated(window, exports.exportSampleName, orderText,
                       cp1252("un valor de su distribución es demasiado grande"));
    return {RecordOutcome::Ignored, 0};
  }
  tables.laserFile[n] = "F_" + head.resultFileName;
  ClassRow& row = exports.frequencies[n];
  for (int c = 1; c <= kLaserClasses; ++c) {
    exports.diameters[c] = classes.diameters[static_cast<std::size_t>(c - 1)];
    row[c] = classes.frequencies[static_cast<std::size_t>(c - 1)];
  }
  return {RecordOutcome::Matched, n};
}

}  // namespace granomet
