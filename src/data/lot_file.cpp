#include "data/lot_file.h"

#include <charconv>
#include <string>
#include <utility>

#include "data/read_error.h"
#include "data/spaces.h"

namespace granomet {

void readLotPreamble(FieldReader& reader, LotHeader& header) {
  reader.readLine();
  reader.skipField();
  reader.skipField();
  header.ip = reader.readText();
  reader.skipField();
  reader.skipField();
  reader.skipField();
  header.campaign = reader.readText();
  reader.skipField();
  header.sampleCount = reader.readInt16();
  reader.readLine();
  reader.readLine();
}

LotRow readLotRow(FieldReader& reader, LotTable& table, NameSpaces nameSpaces) {
  table.currentOrderNumber = reader.readInt16();
  const std::int16_t orderNumber = table.currentOrderNumber;
  if (!decltype(table.records)::contains(orderNumber)) {
    throw ReadError(ReadError::Cause::OutOfRange,
                    "order number " + std::to_string(orderNumber) + " outside 1..254");
  }
  SampleRecord& record = table.records[orderNumber];
  record.name = reader.readText();
  if (nameSpaces == NameSpaces::Trim) {
    record.name = std::string(trimmedSpaces(record.name));
  }
  record.longitude = reader.readSingle();
  record.latitude = reader.readSingle();
  record.depthM = reader.readSingle();
  record.subDepthCm = reader.readText();
  record.samplingMethod = reader.readText();
  record.visualDescription = reader.readText();
  std::string carbonateText = reader.readText();
  record.totalWeight = reader.readDouble();
  record.partialWeight1 = reader.readDouble();
  record.partialWeight2 = reader.readDouble();
  record.partialWeight3 = reader.readDouble();
  record.shellWeight1 = reader.readSingle();
  record.shellWeight2 = reader.readSingle();
  record.shellWeight3 = reader.readSingle();
  return {orderNumber, std::move(carbonateText)};
}

std::int16_t readLotRowWithCarbonate(FieldReader& reader, LotTable& table, char decimalMark) {
  LotRow row = readLotRow(reader, table, NameSpaces::Keep);
  const std::optional<float> carbonate = parseCarbonate(row.carbonateText, decimalMark);
  if (!carbonate) {
    throw CarbonateError(std::move(row.carbonateText));
  }
  table.records[row.orderNumber].carbonatePct = *carbonate;
  return row.orderNumber;
}

std::optional<float> parseCarbonate(std::string_view text, char decimalMark) {
  if (text.empty()) {
    return std::nullopt;
  }
  std::string number(text.substr(0, text.size() - 1));
  for (char& c : number) {
    if (c == decimalMark) {
      c = '.';
    }
  }
  const std::string_view trimmed = trimmedSpaces(number);
  if (trimmed.empty()) {
    return std::nullopt;
  }
  const char* begin = trimmed.data();
  const char* end = trimmed.data() + trimmed.size();
  if (*begin == '+' || *begin == '-') {
    ++begin;
  }
  // from_chars would take "inf" and "nan", which no lab means as a percentage.
  if (begin == end || !((*begin >= '0' && *begin <= '9') || *begin == '.')) {
    return std::nullopt;
  }
  if (trimmed.front() == '-') {
    --begin;
  }
  float value = 0;
  const auto [stop, error] = std::from_chars(begin, end, value, std::chars_format::fixed);
  if (error != std::errc() || stop != end) {
    return std::nullopt;
  }
  return value;
}

}  // namespace granomet
