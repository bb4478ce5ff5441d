#include "workflow/lot_button.h"

#include <optional>
#include <string>

#include "data/field_reader.h"
#include "data/file_names.h"
#include "data/file_shape.h"
#include "data/lot_file.h"
#include "data/lot_format.h"
#include "data/read_error.h"
#include "workflow/list_items.h"
#include "workflow/messages.h"

namespace granomet {
namespace {

// Thrown when the chosen name has no "." to cut the lot name at.
struct NoExtension {};

// The lot table and List1 from the chosen file's bytes, kept for the calculation to read its
// rows from.
void readLot(Tables& tables, WindowOperations& window, ChosenLot& chosen) {
  chosen.format = lotFormatOf(chosen.bytes);
  LotTable& lot = tables.lot;
  FieldReader reader = FieldReader::overBytes(chosen.bytes, chosen.format);
  readLotPreamble(reader, lot.header);
  for (int row = 1; row <= lot.header.sampleCount; ++row) {
    const std::int16_t orderNumber = readLotRow(reader, lot, NameSpaces::Trim).orderNumber;
    const std::string& name = lot.records[orderNumber].name;
    window.addItem(ListId::List1, lotListItem(row, orderNumber, name));
    chosen.rows.push_back({orderNumber, name});
  }
}

void reportFailure(WindowOperations& window, const MessageRequest& message) {
  window.showMessage(message);
  window.setLabelTextColor(LabelId::Label8, kDarkRed);
  window.setListTextColor(ListId::List1, kBlack);
  window.setEnabled(ButtonId::exportbutton, false);
  window.setEnabled(ButtonId::calculatot, false);
}

}  // namespace

void lotebutton(Tables& tables, WindowOperations& window, const Platform& platform) {
  FileDialog& dialog = window.fileDialog();
  const std::filesystem::path file = showOpenDialog(dialog, messages::kLotFilter);
  if (file.empty()) {
    // Cancelled: the window, its last run and the files chosen stay as they were.
    return;
  }
  resetWindow(window);
  tables.exports.exportSampleCount = 0;
  tables.exports.blocks.clear();
  // Whatever was chosen before no longer goes into a calculation, nor into a report.
  tables.chosen = {};
  tables.lastRun = {};
  window.setText(TextBoxId::LOTE_file, pathText(file));
  const std::string fileName = fileNamePart(pathText(file));
  ChosenLot chosen;
  chosen.path = platform.folder.resolve(file);
  try {
    chosen.bytes = readInputFile(chosen.path);
    // An export chosen here would read as a lot of no sample or of nonsense, or fail.
    if (shapeOf(chosen.bytes) == FileShape::Export) {
      window.setText(TextBoxId::LOTE_file, fileName);
      reportFailure(window, messages::lotLooksLikeExport(fileName));
      return;
    }
    readLot(tables, window, chosen);
    window.setText(TextBoxId::recalculado_file, "");
    window.setText(TextBoxId::LOTE_file, fileName);
    const std::optional<std::string> lotName = lotNameOf(fileName);
    if (!lotName) {
      throw NoExtension{};
    }
    tables.lot.header.lotName = *lotName;
  } catch (const ReadError& error) {
    reportFailure(window, messages::lotUnreadable(fileName, tables.lot.currentOrderNumber, error));
    return;
  } catch (const LotFormatError& error) {
    reportFailure(window,
                  messages::lotLayoutUnknown(fileName, tables.lot.currentOrderNumber, error));
    return;
  } catch (const NoExtension&) {
    reportFailure(window, messages::lotWithoutExtension(fileName, tables.lot.currentOrderNumber));
    return;
  }
  tables.chosen.lot = std::move(chosen);
  window.setText(TextBoxId::recalculado_file,
                 proposedResultsName(tables.lot.header.lotName, platform.clock.now()));
  dialog.setFileName({});
  window.setEnabled(ButtonId::exportbutton, true);
  window.setEnabled(ButtonId::calculatot, true);
}

}  // namespace granomet
