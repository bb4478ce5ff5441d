// Synthetic lot files and matching laser export files for tests, demos and benchmarks.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace granomet::tools {

struct SampleFileOptions {
  int sampleCount = 12;             // lot rows, and export blocks when orderNumbers is empty
  std::string lotName = "LOTE12";   // written into field 26 of every export block
  bool trailingComma = false;       // every export sample line ends with ","
  std::vector<int> orderNumbers{};  // order number of each export block; empty = 1..sampleCount
  int nameMismatchEvery = 0;  // >0: blocks k, 2k, ... carry a sample name unlike the lot's ("B")
  int otherLotEvery = 0;      // >0: blocks k, 2k, ... carry lotName + "X" in field 26
  int allShellsRow = 0;       // >0: this lot row is all shells (total 150.5, shells 150.5)
  // Names as the lab writes them ("BC16-001-GOLFO DE CÁDIZ-Peñón"), long, with
  // accents; otherwise M-01, M-02...
  bool labNames = false;
  // >0: so many stations are cores, from row 2 on with one ordinary row between them,
  // of 4, 5, 6, 4... levels (as many as the lot's rows allow): each level at its
  // core's first position and depth, sub-depths "0-2", "2-4"... The first core's top
  // level is "superficial"; the second core's third level is "s/d", which cannot be read.
  int coreCount = 0;
  // >0: rows k, 2k, ... outside the cores have no position: the first "0","0" (as a
  // spreadsheet fills an empty cell), the others empty fields.
  int withoutPositionEvery = 0;
  unsigned seed = 1;
};

// Both return the file's bytes: Windows-1252 text with CR LF line ends.
// Throw std::invalid_argument when sampleCount is negative.
std::string makeLotFile(const SampleFileOptions& options);
std::string makeExportFile(const SampleFileOptions& options);

// The same lot as a Spanish-language spreadsheet saves it as "CSV": semicolons
// between fields, decimal commas ("12,5%"), quotes only around a field that holds
// a semicolon or a quote. Takes a lot with commas and decimal points whose quoted
// fields close on their line, such as makeLotFile gives.
std::string withSemicolons(const std::string& commaLot);

// Writes folder/<lotName>.csv and folder/<lotName>_export.txt, creating folder if needed.
// Throws std::runtime_error when a file cannot be written.
void writeSampleFiles(const SampleFileOptions& options, const std::filesystem::path& folder);

}  // namespace granomet::tools
