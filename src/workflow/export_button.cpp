#include "workflow/export_button.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/export_block.h"
#include "data/field_reader.h"
#include "data/file_names.h"
#include "data/file_shape.h"
#include "data/read_error.h"
#include "workflow/list_items.h"
#include "workflow/messages.h"

namespace granomet {
namespace {

constexpr std::size_t kOrderNumberWidth = 3;

// Reads every block into the table and lists it.
void readBlocks(FieldReader reader, ExportTable& table, WindowOperations& window, int& block) {
  reader.readLine();
  table.blocks.reserve(static_cast<std::size_t>(table.exportSampleCount));
  for (block = 1; block <= table.exportSampleCount; ++block) {
    ExportBlockHead head = readExportBlockHead(reader);
    if (!head.orderNumber) {
      throw ReadError(ReadError::Cause::OutOfRange, "order number outside 1..254", head.orderText);
    }
    window.addItem(ListId::List1, exportListItem(*head.orderNumber, head.sampleName));
    table.blocks.push_back({std::move(head.resultFileName), std::move(head.sampleName),
                            std::move(head.lotName), *head.orderNumber,
                            readBlockClasses(reader, table.trailingComma)});
  }
}

// The blocks' list items are compared in text order, the order a sorting list
// shows, so that every repeat is found wherever it lies in the file.
void reportRepeatedOrderNumbers(WindowOperations& window, const std::vector<ExportBlock>& blocks) {
  std::vector<std::string> items;
  for (const ExportBlock& block : blocks) {
    items.push_back(exportListItem(block.orderNumber, block.sampleName));
  }
  std::stable_sort(items.begin(), items.end());
  for (std::size_t i = 1; i < items.size(); ++i) {
    const std::string& earlier = items[i - 1];
    const std::string& later = items[i];
    if (earlier.compare(0, kOrderNumberWidth, later, 0, kOrderNumberWidth) != 0) {
      continue;
    }
    const std::string orderNumber = later.substr(0, kOrderNumberWidth);
    window.showMessage(messages::repeatedOrderNumber(orderNumber));
    const std::string reason = messages::repeatedOrderNumberReason(orderNumber);
    window.addItemWithReason(ListId::List2, earlier, reason);
    window.addItemWithReason(ListId::List2, later, reason);
  }
}

}  // namespace

void exportbutton(Tables& tables, WindowOperations& window, const Platform& platform) {
  FileDialog& dialog = window.fileDialog();
  const std::filesystem::path file = showOpenDialog(dialog, messages::kExportFilter);
  if (file.empty()) {
    // Cancelled: the lists, the files chosen and the buttons stay as they were.
    return;
  }
  ExportTable& table = tables.exports;
  window.clearList(ListId::List1);
  window.clearList(ListId::List2);
  table.exportSampleCount = 0;
  table.blocks.clear();
  window.setListTextColor(ListId::List2, kDarkRed);
  window.setText(TextBoxId::EXPORT_file, pathText(file));
  const std::string fileName = fileNamePart(pathText(file));
  window.setText(TextBoxId::EXPORT_file, fileName);
  dialog.setFileName({});
  const std::filesystem::path path = platform.folder.resolve(file);
  int block = 0;
  const auto refuse = [&](const MessageRequest& message) {
    table.exportSampleCount = 0;
    table.blocks.clear();
    tables.chosen.exported = {};
    window.setEnabled(ButtonId::calculatot, false);
    window.showMessage(message);
  };
  ContentFingerprint fingerprint;
  try {
    // Read once, then gone through twice: to count the sample lines, to read the blocks.
    const std::string bytes = readInputFile(path);
    fingerprint = fingerprintOf(bytes);
    const FieldFormat format = commaFormatOf(bytes);
    FieldReader counter = FieldReader::overBytes(bytes, format);
    countSampleLines(counter, table);
    // A lot chosen here has no sample line: named for what it is.
    if (table.exportSampleCount == 0 && shapeOf(bytes) == FileShape::Lot) {
      refuse(messages::exportLooksLikeLot(fileName));
      return;
    }
    readBlocks(FieldReader::overBytes(bytes, format), table, window, block);
  } catch (const ReadError& error) {
    refuse(messages::exportUnreadable(fileName, block, error));
    return;
  }
  tables.chosen.exported = {path, fingerprint};
  reportRepeatedOrderNumbers(window, table.blocks);
  window.setEnabled(ButtonId::calculatot, true);
}

}  // namespace granomet
