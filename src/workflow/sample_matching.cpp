#include "workflow/sample_matching.h"

#include <algorithm>
#include <array>
#include <optional>

#include "data/lot_file.h"
#include "data/spaces.h"
#include "workflow/list_items.h"
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
  const std::string_view lotName = trimmedSpaces(block.lotName);
  if (lotName != lot.header.lotName) {
    return OtherLotRecord{std::string(lotName)};
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

std::vector<std::string> unreachedSamples(const std::vector<LotRowName>& rows,
                                          const std::vector<ExportBlock>& blocks,
                                          std::string_view lotName) {
  // The names the lot's blocks give each order number.
  std::array<std::vector<std::string_view>, kMaxSamples + 1> named;
  for (const ExportBlock& block : blocks) {
    if (trimmedSpaces(block.lotName) == lotName) {
      named[static_cast<std::size_t>(block.orderNumber)].push_back(trimmedSpaces(block.sampleName));
    }
  }
  std::vector<std::string> unreached;
  for (const LotRowName& row : rows) {
    const auto& names = named[static_cast<std::size_t>(row.orderNumber)];
    if (std::find(names.begin(), names.end(), row.name) == names.end()) {
      unreached.push_back(exportListItem(row.orderNumber, row.name));
    }
  }
  return unreached;
}

}  // namespace granomet
