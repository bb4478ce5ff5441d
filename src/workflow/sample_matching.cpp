#include "workflow/sample_matching.h"

#include <optional>

#include "data/lot_file.h"
#include "data/spaces.h"
#include "workflow/messages.h"

namespace granomet {
namespace {

IgnoredRecord ignored(const std::string& sampleName, const std::string& orderText,
                      const std::string& cause) {
  return {messages::notCalculatedItem(sampleName, orderText),
          messages::sampleNotCalculated(sampleName, orderText, cause)};
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

ExportRecord matchRecord(const ExportBlock& block, LotTable& lot, LotRereader& rereader,
                         char decimalMark) {
  if (trimmedSpaces(block.lotName) != lot.header.lotName) {
    return OtherLotRecord{};
  }
  const std::int16_t n = block.orderNumber;
  const std::string orderText = std::to_string(n);
  if (const auto cause = rereadProblem(rereader, n, lot, decimalMark)) {
    return ignored(block.sampleName, orderText, *cause);
  }
  if (trimmedSpaces(block.sampleName) != lot.records[n].name) {
    return IgnoredRecord{messages::notCalculatedItem(block.sampleName, orderText),
                         messages::orderNumberProbablyWrong(block.sampleName)};
  }
  return MatchedRecord{n, block.sampleName, "F_" + block.resultFileName, lot.records[n],
                       block.classes};
}

IgnoredRecord uncalculated(const MatchedRecord& record, const std::string& cause) {
  return ignored(record.sampleName, std::to_string(record.orderNumber), cause);
}

}  // namespace granomet
