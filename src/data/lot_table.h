// The lot in memory: its header, one record per order number and the order number read last.
#pragma once

#include <cstdint>
#include <string>

#include "data/indexed_array.h"

namespace granomet {

// A lot holds at most 254 samples, numbered 1 to 254 by their order number.
inline constexpr int kMaxSamples = 254;

struct LotHeader {
  std::string lotName;  // lot file name without folder and extension
  std::string ip;
  std::string campaign;
  std::int16_t sampleCount = 0;
};

// One lot row. Texts are the file's 8-bit bytes; the widths are the lab's
// (positions and shells in single precision, weights in double).
struct SampleRecord {
  std::string name;
  float longitude = 0;
  float latitude = 0;
  float depthM = 0;
  std::string subDepthCm;
  std::string samplingMethod;
  std::string visualDescription;
  float carbonatePct = 0;  // set only by the calculation's second reading
  double totalWeight = 0;
  double partialWeight1 = 0;  // coarsest gravel fraction, shells included
  double partialWeight2 = 0;
  double partialWeight3 = 0;
  float shellWeight1 = 0;
  float shellWeight2 = 0;
  float shellWeight3 = 0;
};

// Records are never cleared: a new lot overwrites only the order numbers it holds.
struct LotTable {
  LotHeader header;
  IndexedArray<SampleRecord, kMaxSamples> records;
  std::int16_t currentOrderNumber = 0;  // column 1 of the row read last, for messages
};

}  // namespace granomet
