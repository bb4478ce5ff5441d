#include "workflow/sample_matching.h"

#include <optional>

#include "data/export_block.h"
#include "data/lot_file.h"
#include "data/spaces.h"
#include "workflow/messages.h"

namespace granomet {
namespace {

IgnoredRecord ignored(const std::string& sampleName, const std::string& orderText,
                      const std::string& cause) {
  return {messages::notCalculatedItem(sampleName, orderText),
          messages::sampleNotCalculated(sampleName, orderText, cause), std::nullopt};
}

// Reads the lot row at that order number again; the cause when it cannot be used.
std::optional<std::string> rereadProblem(LotRereader& rereader, std::int16_t orderNumber,
                                         LotTable& lot, char decimalMark) {
  try {
    rereader.reread(orderNumber, lot, decimalMark);
    return std::nullopt;
  } catch (const CarbonateError& error) {
    return messages::carbonateNotAPercentage(orderNumber, error.text());
  } catch (const ReadError& error) {
    std::string cause = messages::lotRowUnusable(orderNumber, error, lot.currentOrderNumber);
    if (cause.empty()) {
      throw LotFileUnreadable{error};
    }
    return cause;
  }
}

}  // namespace

ExportRecord readNextRecord(FieldReader& exportFile, std::int16_t trailingComma, LotTable& lot,
                            LotRereader& rereader, char decimalMark) {
  const ExportBlockHead head = readExportBlockHead(exportFile);
  const auto classes = [&] { return readBlockClasses(exportFile, trailingComma, BadValue::Keep); };
  if (trimmedSpaces(head.lotName) != lot.header.lotName) {
    classes();
    return OtherLotRecord{};
  }
  // The record is judged before its classes are read, so that its warning is
  // shown even when the export ends inside them.
  const auto ignoreRest = [&](IgnoredRecord record) -> ExportRecord {
    try {
      classes();
    } catch (const ReadError& error) {
      record.cutOff = error;
    }
    return record;
  };
  if (!head.orderNumber) {
    return ignoreRest(ignored(head.sampleName, head.orderText,
                              messages::exportOrderNumberOutOfRange(head.orderText)));
  }
  const std::int16_t n = *head.orderNumber;
  const std::string orderText = std::to_string(n);
  if (const auto cause = rereadProblem(rereader, n, lot, decimalMark)) {
    return ignoreRest(ignored(head.sampleName, orderText, *cause));
  }
  if (trimmedSpaces(head.sampleName) != lot.records[n].name) {
    return ignoreRest({messages::notCalculatedItem(head.sampleName, orderText),
                       messages::orderNumberProbablyWrong(head.sampleName), std::nullopt});
  }

  BlockClasses block = classes();
  if (block.badValue) {
    return ignored(head.sampleName, orderText, messages::classValueTooLarge());
  }
  return MatchedRecord{n, head.sampleName, "F_" + head.resultFileName, lot.records[n],
                       std::move(block.classes)};
}

IgnoredRecord uncalculated(const MatchedRecord& record, const std::string& cause) {
  return ignored(record.sampleName, std::to_string(record.orderNumber), cause);
}

}  // namespace granomet
