// The tables indexed from 1: bounds, a clean start, and records kept apart.
#include "workflow/tables.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <utility>

namespace granomet {
namespace {

struct Bounds {
  const char* table;
  int size;
  std::function<void(Tables&, int)> touch;
};

TEST(Tables, AcceptOnlyIndicesFromOneToTheirSize) {
  const Bounds tables[] = {
      {"lot records", 254, [](Tables& t, int i) { t.lot.records[i].name = "s"; }},
      {"frequency rows", 254, [](Tables& t, int i) { t.exports.frequencies[i][1] = 1; }},
      {"classes of a row", 70, [](Tables& t, int i) { t.exports.frequencies[1][i] = 1; }},
      {"diameters", 70, [](Tables& t, int i) { t.exports.diameters[i] = 1; }},
      {"read-only diameters", 70,
       [](Tables& t, int i) { (void)std::as_const(t.exports).diameters[i]; }},
  };
  auto owned = std::make_unique<Tables>();
  for (const Bounds& b : tables) {
    SCOPED_TRACE(b.table);
    for (const int index : {1, b.size}) {
      EXPECT_NO_THROW(b.touch(*owned, index)) << "index " << index;
    }
    for (const int index : {0, -1, b.size + 1, INT_MIN, INT_MAX}) {
      try {
        b.touch(*owned, index);
        ADD_FAILURE() << "index " << index << " was accepted";
      } catch (const IndexError& error) {
        EXPECT_EQ(error.index(), index);
      }
    }
  }
}

TEST(Tables, StartEmptyWhateverTheMemoryHeld) {
  // Built over dirty memory so that a member left uninitialised shows up.
  auto storage = std::make_unique<unsigned char[]>(sizeof(Tables));
  std::memset(storage.get(), 0xA5, sizeof(Tables));
  auto* tables = new (storage.get()) Tables;
  const LotTable& lot = tables->lot;
  EXPECT_TRUE(lot.header.lotName.empty() && lot.header.ip.empty() && lot.header.campaign.empty());
  EXPECT_EQ(lot.header.sampleCount, 0);
  EXPECT_EQ(lot.currentOrderNumber, 0);
  for (int i = 1; i <= kMaxSamples; ++i) {
    const SampleRecord& r = lot.records[i];
    const bool textsEmpty = r.name.empty() && r.subDepthCm.empty() && r.samplingMethod.empty() &&
                            r.visualDescription.empty();
    const double numbers[] = {r.longitude,    r.latitude,       r.depthM,         r.carbonatePct,
                              r.totalWeight,  r.partialWeight1, r.partialWeight2, r.partialWeight3,
                              r.shellWeight1, r.shellWeight2,   r.shellWeight3};
    EXPECT_TRUE(textsEmpty) << "record " << i;
    for (const double n : numbers) {
      EXPECT_EQ(n, 0) << "record " << i;
    }
  }
  const ExportTable& exports = tables->exports;
  EXPECT_EQ(exports.exportSampleCount, 0);
  EXPECT_EQ(exports.trailingComma, 0);
  for (int c = 1; c <= kMaxClasses; ++c) {
    EXPECT_EQ(exports.diameters[c], 0) << "class " << c;
    for (int i = 1; i <= kMaxSamples; ++i) {
      EXPECT_EQ(exports.frequencies[i][c], 0) << "sample " << i << " class " << c;
    }
  }
  tables->~Tables();
}

TEST(Tables, WritingOneRecordLeavesTheOthersUntouched) {
  auto tables = std::make_unique<Tables>();
  tables->lot.records[1].name = "first";
  tables->lot.records[kMaxSamples].name = "last";
  tables->lot.records[7].totalWeight = 150.5;
  tables->exports.frequencies[7][3] = 42;
  tables->exports.frequencies[kMaxSamples][kMaxClasses] = 9;
  tables->exports.diameters[5] = 0.25f;
  for (int i = 1; i <= kMaxSamples; ++i) {
    SCOPED_TRACE("sample " + std::to_string(i));
    const SampleRecord& r = tables->lot.records[i];
    EXPECT_EQ(r.name, i == 1 ? "first" : i == kMaxSamples ? "last" : "");
    EXPECT_EQ(r.totalWeight, i == 7 ? 150.5 : 0);
    for (int c = 1; c <= kMaxClasses; ++c) {
      const double expected = i == 7 && c == 3 ? 42 : i == kMaxSamples && c == kMaxClasses ? 9 : 0;
      EXPECT_EQ(tables->exports.frequencies[i][c], expected) << "class " << c;
    }
  }
  for (int c = 1; c <= kMaxClasses; ++c) {
    EXPECT_EQ(tables->exports.diameters[c], c == 5 ? 0.25f : 0) << "class " << c;
  }
}

}  // namespace
}  // namespace granomet
