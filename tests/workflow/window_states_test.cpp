// What the lot, export and calculation buttons read, list and leave the window able to do,
// pressed in turn: successful reads, cancelled dialogs, presses that cannot start, refusals
// the user corrects. What each row leaves is in tests/data/workflow/presses/NAME.txt.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "samplegen/sample_files.h"
#include "support/button_fixture.h"
#include "support/expected_file.h"
#include "support/test_data.h"

namespace granomet::testing {
namespace {

// A button given a file of the test's folder, written first unless `bytes` is empty; no file:
// the dialog cancelled. Type puts `file` in «Fichero de salida», Forget empties the export's box.
// The hand-made inputs are in tests/data/workflow/presses/inputs.
struct Press {
  enum Kind { Lot, Export, Run, Type, Forget } kind;
  std::string file{};
  std::string bytes{};
};
std::string input(const char* name) {
  return fileBytes(testData() / "workflow" / "presses" / "inputs" / name);
}
Press lot(std::string file = "LOTE12.csv", std::string bytes = {}) {
  return {Press::Lot, std::move(file), std::move(bytes)};
}
Press exported(std::string file = "LOTE12_export.txt", std::string bytes = {}) {
  return {Press::Export, std::move(file), std::move(bytes)};
}

Press typed(std::string name) {
  return {Press::Type, std::move(name)};
}

struct Case {
  const char* name;
  std::vector<Press> presses;
};

// Test names, listings and failures name the row, not its bytes.
void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

class WindowStatesTest : public ButtonTest, public ::testing::WithParamInterface<Case> {};

TEST_P(WindowStatesTest, LeavesWhatTheReviewedFileSays) {
  tools::writeSampleFiles({}, folder());
  for (const Press& press : GetParam().presses) {
    if (!press.bytes.empty()) {
      write(press.file, press.bytes);
    }
    const auto file = press.file.empty() ? std::nullopt : std::optional(folder() / press.file);
    if (press.kind == Press::Lot) {
      pressLot(file);
    } else if (press.kind == Press::Export) {
      pressExport(file);
    } else if (press.kind == Press::Run) {
      pressCalculate();
    } else {
      window().setText(
          press.kind == Press::Type ? TextBoxId::recalculado_file : TextBoxId::EXPORT_file,
          press.file);
    }
  }
  std::string text = "LOTE_file \xAB" + window().text(TextBoxId::LOTE_file) +
                     "\xBB EXPORT_file \xAB" + window().text(TextBoxId::EXPORT_file) +
                     "\xBB recalculado_file \xAB" + window().text(TextBoxId::recalculado_file) +
                     "\xBB\ndi\xE1logo \xAB" + window().dialog().fileName().string() +
                     "\xBB filtro " + std::to_string(window().dialog().filterIndex()) +
                     "\nlote \xAB" + tables().lot.header.lotName + "\xBB:";
  for (int order = 1; order <= 254; ++order) {
    if (!tables().lot.records[order].name.empty()) {
      text += " " + std::to_string(order) + " " + tables().lot.records[order].name;
    }
  }
  text += "\nexportaci\xF3n: " + std::to_string(tables().exports.exportSampleCount) +
          " muestras, coma final " + std::to_string(tables().exports.trailingComma) +
          "\n\xFAltimo c\xE1lculo: " + (tables().lastRun.completed ? "completo " : "") +
          tables().lastRun.resultsPath.string() + " " +
          std::to_string(tables().lastRun.unreachedSamples.size()) +
          " sin registro\ninicios de curvas: " + std::to_string(window().plotted().runStarts()) +
          "\n";
  expectSameAsFile(windowText() + withoutFolder(cp1252ToUtf8(text)),
                   testData() / "workflow" / "presses" / (std::string(GetParam().name) + ".txt"));
}

std::string exportFile(std::vector<int> orders, bool trailingComma = false) {
  return tools::makeExportFile({.trailingComma = trailingComma, .orderNumbers = std::move(orders)});
}

std::vector<Case> cases() {
  const Press run{Press::Run};
  const Press cancelLot{Press::Lot};
  const Press cancelExport{Press::Export};
  return {
      // Cancelling either dialog changes nothing: the run stays whole, for its report too.
      {"CancelledLotAfterARun", {lot(), exported("E.txt", exportFile({1, 2, 4})), run, cancelLot}},
      {"CancelledLotAfterALot", {lot(), cancelLot}},
      {"CancelledExportAfterALot", {lot(), cancelExport}},
      {"CancelledExportThenCalculated", {lot(), exported(), cancelExport, run}},
      // Cálculo says why it cannot start, and the files stay chosen for the next press.
      {"CalculatedWithoutAnyFile", {run}},
      {"CalculatedWithoutExport", {lot(), run}},
      {"CalculatedWithoutExportAfterACancel", {lot(), cancelExport, run}},
      {"CalculatedWithTheExportsNameEmptied", {lot(), exported(), {Press::Forget}, run}},
      // A results name in a missing folder, refused, then the proposed one.
      {"FolderFixed",
       {lot(), exported(), typed("no-such-folder/r.csv"), run, typed("LOTE12_06062016_093005.csv"),
        run}},

      // The lot button: names trimmed and unquoted, listed in file order, the results name
      // proposed, the export to be read again, the last run forgotten but its status line.
      {"LotRead",
       {lot(), exported("E.txt", exportFile({1, 2, 4})), run,
        lot("LOTE12.csv", input("lote_leido.csv"))}},
      // A header of zero or fewer samples still loads the lot.
      {"LotOfNoSamples", {lot("VACIO.csv", input("cero_muestras.csv"))}},
      {"LotOfMinusThreeSamples", {lot("VACIO.csv", input("menos_tres_muestras.csv"))}},
      // The bare name shown, the old lot's name kept.
      {"LotNameWithoutExtension",
       {lot("LOTE1.csv", input("lote_a.csv")), lot("LOTE2", input("lote_b.csv"))}},
      {"LotCancelledAfterAFailedRead", {lot("MALO.csv", input("orden_255.csv")), cancelLot}},
      // A record the new lot lacks keeps the old values; a repeated order number the later row.
      {"LotRecordsKeptAcrossLots",
       {lot("A.csv", input("dos_registros.csv")), lot("B.csv", input("orden_repetido.csv"))}},
      {"LotOrderNumber254", {lot("L.csv", input("orden_254.csv"))}},
      // The rest of line 2 and line 3 are the two lines read and discarded, so line 4
      // (the units) is read as the first row and fails on its order number.
      {"LotHeaderLineWithMoreFields", {lot("L.csv", input("cabecera_larga.csv"))}},

      // The export button: blocks counted and listed with or without a trailing comma.
      {"ExportRead", {exported("LOTE12_export.txt", exportFile({}))}},
      {"ExportReadWithTrailingCommas", {exported("LOTE12_export.txt", exportFile({}, true))}},
      // Only lines longer than 300 characters are samples.
      {"ExportOfAHeadingOnly", {exported("E.txt", input("solo_cabecera.txt"))}},
      {"ExportLineOf300Characters", {exported("E.txt", input("linea_de_300.txt"))}},
      {"ExportLineOf301Characters", {exported("E.txt", input("linea_de_301.txt"))}},
      // Every repeated order number is reported, neighbours in the file or not.
      {"ExportOrderNumberTwiceInARow", {exported("E.txt", exportFile({5, 5, 7}))}},
      {"ExportOrderNumberTwiceApart", {exported("E.txt", exportFile({5, 7, 5}))}},
      {"ExportOrderNumberThreeTimes", {exported("E.txt", exportFile({5, 5, 5}))}},
      {"ExportOrderNumbersOnce", {exported("E.txt", exportFile({1, 2, 3}))}},
      // An empty line after the only sample line decides the trailing comma.
      {"ExportEmptyLineAfterASample", {exported("E.txt", input("coma_final_y_linea_vacia.txt"))}},
      // The dialog comes back with the name it held, and the lot is named for what it is.
      {"ExportCancelledAfterAFailedLotRead", {lot("LOTE", tools::makeLotFile({})), cancelExport}},
  };
}

INSTANTIATE_TEST_SUITE_P(EveryState, WindowStatesTest, ::testing::ValuesIn(cases()),
                         ::testing::PrintToStringParamName());

}  // namespace
}  // namespace granomet::testing
