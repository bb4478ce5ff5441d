// The lot and export files as their buttons read them, so that the calculation reads the same ones.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "data/field_reader.h"
#include "data/input_file.h"

namespace granomet {

// One row of the lot as its button listed it: the calculation's own readings
// overwrite the lot table, so what the lot holds is kept apart.
struct LotRowName {
  std::int16_t orderNumber = 0;
  std::string name;  // blanks around it trimmed, as the sample list shows it
};

// The text boxes show bare names; the full paths are kept here, so that a file of
// the same name in another folder is never taken for the one chosen.
struct ChosenLot {
  std::filesystem::path path;  // empty until a lot has been read whole
  // The file as the lot button read it: the calculation reads its rows from these
  // bytes, and a file on disk that no longer holds them has changed.
  std::string bytes;
  FieldFormat format;
  std::vector<LotRowName> rows;  // in the file's order
};

struct ChosenExport {
  std::filesystem::path path;  // empty until an export has been read whole
  // Of the bytes the export button read its blocks from.
  ContentFingerprint fingerprint;
};

struct ChosenFiles {
  ChosenLot lot;
  ChosenExport exported;
};

}  // namespace granomet
