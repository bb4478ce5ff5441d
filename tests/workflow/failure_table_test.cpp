// Every way an input or the results file can be wrong, pressed through the three buttons: what
// the user is told, and that no line is left partial, no file open and the program can go on.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "data/input_file.h"
#include "data/text_encoding.h"
#include "samplegen/sample_files.h"
#include "statistics/results_reader.h"
#include "support/button_fixture.h"
#include "support/csv_fields.h"
#include "support/expected_file.h"
#include "support/open_descriptors.h"
#include "support/test_data.h"

namespace granomet::testing {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kTenMegabytes = 10'000'000;

const std::string& goodLot() {
  static const std::string lot = tools::makeLotFile({});
  return lot;
}
const std::string& goodExport() {
  static const std::string exported = tools::makeExportFile({});
  return exported;
}

// "\r\n4,M-04," opens the lot row of order number 4.
std::string lotRowStart(int order) {
  const std::string number = std::to_string(order);
  return "\r\n" + number + ",M-" + (order < 10 ? "0" : "") + number + ",";
}

std::string lotRow(int order) {
  const std::size_t start = goodLot().find(lotRowStart(order)) + 2;
  return goodLot().substr(start, goodLot().find("\r\n", start) - start);
}

// The lot with column 9 of row 4 replaced.
std::string lotWithCarbonate(const std::string& carbonate) {
  const std::string row = lotRow(4);
  const auto percent = row.find('%');
  const auto comma = row.rfind(',', percent);
  return replaced(goodLot(), row, row.substr(0, comma + 1) + carbonate + row.substr(percent + 1));
}

// The export with the 66 diameters (and, when given, frequencies) of record `order` replaced.
std::string exportWithClasses(int order, const std::function<std::string(int)>& diameter,
                              const std::function<std::string(int)>& frequency = {}) {
  const std::string number = std::to_string(order);
  const std::string head = ",M-" + std::string(order < 10 ? "0" : "") + number + ",LOTE12," +
                           number + ",IP-0416,GOLFO-16,,";
  const std::size_t start = goodExport().find(head) + head.size();
  const std::size_t end = goodExport().find("\r\n", start);
  const std::vector<std::string> fields = csvFields(goodExport().substr(start, end - start));
  std::string classes;
  for (int c = 1; c <= 66; ++c) {
    const std::size_t at = static_cast<std::size_t>(3 * (c - 1));
    classes += (c > 1 ? "," : "") + diameter(c) + "," +
               (frequency ? frequency(c) : fields[at + 1]) + "," + fields[at + 2];
  }
  return goodExport().substr(0, start) + classes + goodExport().substr(end);
}

// The heading and `lines` sample lines, the generated ones over and over.
std::string exportWithLines(int lines) {
  const std::size_t firstBlock = goodExport().find("\r\n") + 2;
  std::string text = goodExport().substr(0, firstBlock);
  for (std::size_t start = firstBlock; lines > 0; --lines) {
    const std::size_t end = goodExport().find("\r\n", start) + 2;
    text.append(goodExport(), start, end - start);
    start = end == goodExport().size() ? firstBlock : end;
  }
  return text;
}

// What a spoil before the calculation reaches: the files' folder and the window.
struct Scene {
  const fs::path& folder;
  HeadlessWindow& window;
};
using Place = std::function<void(const fs::path&)>;  // puts a file at the path
using Spoil = std::function<void(const Scene&)>;

// The bytes are made when the file is put, so that the table holds no file of megabytes.
Place bytes(std::function<std::string()> make) {
  return [make](const fs::path& path) { std::ofstream(path, std::ios::binary) << make(); };
}
Place text(std::string made) {
  return bytes([made] { return made; });
}
const Place none = [](const fs::path&) {};

// What the user is shown is in tests/data/workflow/failures/NAME.txt.
struct Row {
  const char* name;
  Place lot = bytes(goodLot);
  Place exported = bytes(goodExport);
  Spoil beforeRun{};              // between the export button and the calculation
  bool posixOnly = false;         // named pipes, devices, symbolic links
  bool needsPermissions = false;  // root writes through a read-only mode
  // Yes to the question to replace an existing results file, asked first.
  bool replaceAnsweredYes = false;
  // The lot's folder under the test's folder; the export always lies in the latter.
  const char* lotFolder = "";
  Place besideExport = none;  // put as LOTE12.csv there
};

// Test names, listings and failures name the row, not its bytes.
void PrintTo(const Row& row, std::ostream* out) {
  *out << row.name;
}

// The file, grown past the size no lab file reaches.
Place largerThanTheLimit(const std::string& (*file)()) {
  return [file](const fs::path& path) {
    std::ofstream(path, std::ios::binary) << file();
    fs::resize_file(path, kMaxFileBytes + 1);
  };
}
const Place aFolder = [](const fs::path& path) { fs::create_directory(path); };
#ifdef _WIN32
const Place aNamedPipe = [](const fs::path&) {};
#else
const Place aNamedPipe = [](const fs::path& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); };
#endif
Place aLinkTo(const char* target) {
  return [target](const fs::path& path) { fs::create_symlink(target, path); };
}

// Every regular file under the folder with its bytes; pipes are never opened.
std::map<fs::path, std::string> filesUnder(const fs::path& folder) {
  std::map<fs::path, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file() && !entry.is_symlink()) {
      files[entry.path()] = fileBytes(entry.path());
    }
  }
  return files;
}

std::string bytesIfRegular(const fs::path& path) {
  return fs::is_regular_file(path) ? fileBytes(path) : std::string();
}

// Whole CR LF lines of 98 fields (the reader throws at any other count); returns how many.
std::size_t wholeResultLines(const fs::path& path) {
  const std::string text = fileBytes(path);
  EXPECT_TRUE(text.ends_with("\r\n")) << "the last line is cut off";
  const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\r')), lines);
  EXPECT_EQ(parseResultsFile(text).lines.size() + 1, lines);
  return lines;
}

class FailureTableTest : public ButtonTest, public ::testing::WithParamInterface<Row> {
 protected:
  // The calculation's outcome, or "not pressed" when a button before it failed.
  std::string pressAll(const fs::path& lotFile, const fs::path& exportFile,
                       const Spoil& beforeRun = {}) {
    pressLot(lotFile);
    if (window().enabled(ButtonId::exportbutton)) {
      pressExport(exportFile);
    }
    if (!window().enabled(ButtonId::calculatot)) {
      return "sin pulsar";
    }
    if (beforeRun) {
      beforeRun({folder(), window()});
    }
    const std::string lotBefore = bytesIfRegular(lotFile);
    const std::string exportBefore = bytesIfRegular(exportFile);
    const auto filesBefore = filesUnder(folder());
    const RunOutcome outcome = pressCalculate();
    EXPECT_EQ(bytesIfRegular(lotFile), lotBefore) << "the calculation changed the lot";
    EXPECT_EQ(bytesIfRegular(exportFile), exportBefore) << "the calculation changed the export";
    if (outcome == RunOutcome::Refused) {
      EXPECT_TRUE(filesUnder(folder()) == filesBefore) << "a refused calculation wrote";
      EXPECT_EQ(window().plotted().runStarts(), 0) << "a refused calculation cleared the graph";
    }
    return outcomeName(outcome);
  }

  fs::path goodFolder() const { return folder() / "bueno"; }
};

TEST_P(FailureTableTest, TellsTheUserAndCanGoOn) {
  const Row& row = GetParam();
#ifdef _WIN32
  if (row.posixOnly) {
    GTEST_SKIP() << "a scene only POSIX systems can set";
  }
#else
  if (row.needsPermissions && ::geteuid() == 0) {
    GTEST_SKIP() << "root writes through a read-only mode";
  }
#endif
  const fs::path lotFile = folder() / row.lotFolder / "LOTE12.csv";
  fs::create_directories(lotFile.parent_path());
  row.lot(lotFile);
  row.exported(folder() / "LOTE12_export.txt");
  row.besideExport(folder() / "LOTE12.csv");  // none where the lot lies there
  tools::writeSampleFiles({}, goodFolder());

  if (row.replaceAnsweredYes) {
    window().queueMessageAnswer(MessageAnswer::Yes);
  }
  const int filesBefore = openDescriptorCount();
  const std::string outcome = pressAll(lotFile, folder() / "LOTE12_export.txt", row.beforeRun);
  EXPECT_EQ(openDescriptorCount(), filesBefore) << "a file was left open";
  const std::string shown = windowText();
  const fs::path results = folder() / kResultsName;
  const bool written =
      outcome != "rechazado" && fs::is_regular_file(results) && fs::file_size(results) > 0;

  // A good lot and export afterwards are read and calculated as ever.
  const std::size_t messagesBefore = window().messages().size();
  pressAll(goodFolder() / "LOTE12.csv", goodFolder() / "LOTE12_export.txt");
  EXPECT_EQ(std::tuple(window().messages().size(), items(ListId::List1).size(),
                       items(ListId::List2).size(), window().label(LabelId::Label8).text),
            std::tuple(messagesBefore, 12u, 0u, "LOTE12_06062016_093005.csv HA SIDO CREADO."));
  EXPECT_EQ(wholeResultLines(goodFolder() / kResultsName), 13u);
  EXPECT_EQ(openDescriptorCount(), filesBefore);

  const std::string resultsText =
      !written ? "ninguno"
               : std::to_string(wholeResultLines(results)) + " l\u00edneas enteras, " +
                     (fileBytes(results) == fileBytes(goodFolder() / kResultsName)
                          ? "los de los ficheros buenos"
                          : "otros");
  expectSameAsFile(shown + "c\u00e1lculo: " + outcome + "\nresultados: " + resultsText + "\n",
                   testData() / "workflow" / "failures" / (std::string(row.name) + ".txt"));
}

Spoil removed(const char* name) {
  return [name](const Scene& scene) { fs::remove(scene.folder / name); };
}
Spoil resultsNamed(std::string name) {
  return [name](const Scene& scene) { scene.window.setText(TextBoxId::recalculado_file, name); };
}
// The file put at the name in the folder, and the results named so.
Spoil resultsNamed(const char* name, Place place) {
  return [name, place](const Scene& scene) {
    place(scene.folder / name);
    resultsNamed(name)(scene);
  };
}
// Rewritten with its modification time put back, as a copy that keeps times does.
Spoil rewritten(const char* name, std::function<std::string()> make) {
  return [name, make](const Scene& scene) {
    const auto time = fs::last_write_time(scene.folder / name);
    bytes(make)(scene.folder / name);
    fs::last_write_time(scene.folder / name, time);
  };
}
Spoil existingResults(const std::string& content) {
  return [content](const Scene& scene) {
    std::ofstream(scene.folder / kResultsName, std::ios::binary) << content;
  };
}

Place lotWithOrderNumber(int order, const std::string& number) {
  return text(replaced(goodLot(), lotRowStart(order), "\r\n" + number + ",M-0X,"));
}
Place exportWithOrderNumber(const std::string& number) {
  return text(replaced(goodExport(), ",M-04,LOTE12,4,", ",M-04,LOTE12," + number + ","));
}
Place lineEnds(const std::string& file, const char* lineEnd) {
  return text(replacedAll(file, "\r\n", lineEnd));
}

std::vector<Row> rows() {
  const std::string lot = goodLot();
  const std::string exported = goodExport();
  return {
      {.name = "LotMissing", .lot = none},
      {.name = "LotIsAFolder", .lot = aFolder},
      // Opening it for reading would wait for a writer for ever.
      {.name = "LotIsANamedPipe", .lot = aNamedPipe, .posixOnly = true},
      {.name = "LotIsADevice", .lot = aLinkTo("/dev/zero"), .posixOnly = true},
      {.name = "LotSavedWithTabs", .lot = text(replacedAll(lot, ",", "\t"))},
      {.name = "LotOfOneColumn", .lot = text("Lote\r\nProyecto\r\nN\r\n")},
      {.name = "LotCutInsideTheHeader", .lot = text(lot.substr(0, lot.find("GOLFO")))},
      {.name = "LotCutInsideARow", .lot = text(lot.substr(0, lot.find(lotRowStart(12)) + 30))},
      {.name = "LotSampleCountBeyond16Bits",
       .lot = text(replaced(lot, "de muestras,12\r\n", "de muestras,40000\r\n"))},
      {.name = "LotOrderNumberBeyond16Bits", .lot = lotWithOrderNumber(5, "99999")},
      // The extra field is read as the next row's order number.
      {.name = "LotRow17Fields", .lot = text(replaced(lot, lotRowStart(5), ",x" + lotRowStart(5)))},
      {.name = "LotOrderNumber0", .lot = lotWithOrderNumber(5, "0")},
      {.name = "LotOrderNumber255", .lot = lotWithOrderNumber(5, "255")},
      {.name = "LotTenMegabyteLine", .lot = bytes([] { return std::string(kTenMegabytes, 'A'); })},
      {.name = "LotLargerThan64Megabytes", .lot = largerThanTheLimit(goodLot)},
      {.name = "LotWithNuls", .lot = text(replaced(lot, "M-05", std::string("M\0\0", 3) + "5"))},
      // The description of the last row loses its closing quote.
      {.name = "LotQuoteOpenToTheEnd",
       .lot = bytes([] {
         const std::string row = lotRow(12);
         const std::size_t close = row.rfind('"');
         return replaced(goodLot(), row, row.substr(0, close) + row.substr(close + 1));
       })},

      // The other button's file, named for what it is.
      {.name = "ExportChosenAsTheLot", .lot = bytes(goodExport)},
      {.name = "LotChosenAsTheExport", .exported = bytes(goodLot)},
      {.name = "ExportMissing", .exported = none},
      {.name = "ExportIsAFolder", .exported = aFolder},
      {.name = "ExportIsANamedPipe", .exported = aNamedPipe, .posixOnly = true},
      {.name = "ExportIsADevice", .exported = aLinkTo("/dev/zero"), .posixOnly = true},
      {.name = "ExportEmpty", .exported = text("")},
      {.name = "ExportCutInsideARecord",
       .exported = text(exported.substr(0, exported.find(",M-03,LOTE12,3,") + 400))},
      {.name = "ExportOrderNumberBeyond16Bits", .exported = exportWithOrderNumber("99999")},
      {.name = "ExportOrderNumber0", .exported = exportWithOrderNumber("0")},
      {.name = "ExportOrderNumber255", .exported = exportWithOrderNumber("255")},
      {.name = "ExportOrderNumberOfAHundredDigits",
       .exported = exportWithOrderNumber(std::string(100, '9'))},
      {.name = "ExportOrderNumberNotANumber", .exported = exportWithOrderNumber("abc")},
      {.name = "Export40000SampleLines", .exported = bytes([] { return exportWithLines(40000); })},
      {.name = "ExportTenMegabyteLine",
       .exported = bytes([] { return exportWithLines(0) + std::string(kTenMegabytes, 'A'); })},
      {.name = "ExportLargerThan64Megabytes", .exported = largerThanTheLimit(goodExport)},
      {.name = "ExportWithNulBytes",
       .exported = text(replaced(exported, ",M-05,", std::string(",M\0\0", 4) + "5,"))},
      {.name = "ExportQuoteOpenToEnd", .exported = text(replaced(exported, ",M-12,", ",\"M-12,"))},
      {.name = "ExportCutInsideTheHeading", .exported = text("Fecha,Ho")},

      // The lab's spreadsheet may save the lot as UTF-8; its texts reach the results as
      // Windows-1252, as from a lot saved in that code page.
      {.name = "LotInUtf8WithByteOrderMark", .lot = text("\xEF\xBB\xBF" + cp1252ToUtf8(lot))},
      {.name = "ExportWithByteOrderMark", .exported = text("\xEF\xBB\xBF" + exported)},
      // "CSV UTF-8" of many spreadsheets: no mark, yet "oliv\xE1" "ceo", not "oliv\xC3\xA1" "ceo".
      {.name = "LotInUtf8WithoutByteOrderMark", .lot = text(cp1252ToUtf8(lot))},
      {.name = "ExportInUtf8WithoutByteOrderMark", .exported = text(cp1252ToUtf8(exported))},
      // The "CSV" of a Spanish-language spreadsheet.
      {.name = "LotSavedWithSemicolons", .lot = text(tools::withSemicolons(lot))},
      {.name = "LotWithSemicolonsInUtf8", .lot = text(cp1252ToUtf8(tools::withSemicolons(lot)))},
      // An older lot of the same name lies beside the export: the chosen one is read.
      {.name = "SameNamedLotBesideTheExport",
       .lotFolder = "lote",
       .besideExport = bytes([] { return tools::makeLotFile({.seed = 7}); })},
      {.name = "ResultsFileExistsAndTheAnswerIsYes",
       .beforeRun = existingResults("viejo\r\n"),
       .replaceAnsweredYes = true},
      {.name = "LineFeedsOnly", .lot = lineEnds(lot, "\n"), .exported = lineEnds(exported, "\n")},
      {.name = "LinesEndInCR", .lot = lineEnds(lot, "\r"), .exported = lineEnds(exported, "\r")},
      // Only the interpolation at a limit divides by the difference of two diameters.
      {.name = "EqualDiametersAwayFromALimit",
       .exported =
           text(exportWithClasses(4, [](int c) { return std::to_string(c == 11 ? 10 : c); }))},

      // One sample cannot be calculated, the others are.
      {.name = "LotWithFewerLinesThanAnOrderNumber",
       .lot = text(replaced(lot.substr(0, lot.find(lotRowStart(12)) + 2), "de muestras,12\r\n",
                            "de muestras,11\r\n"))},
      {.name = "CarbonateEmpty", .lot = text(lotWithCarbonate(""))},
      {.name = "CarbonateNotANumber", .lot = text(lotWithCarbonate("abc"))},
      {.name = "ShellsAsHeavyAsTheSample", .lot = text(tools::makeLotFile({.allShellsRow = 4}))},
      {.name = "EqualDiametersAtTheSandLimit",
       .exported = text(
           exportWithClasses(4, [](int c) { return std::to_string(c < 65 ? c * 0.75 : 50); }))},
      {.name = "NoClassBelow4Micrometres",
       .exported = text(exportWithClasses(4, [](int c) { return std::to_string(4 + c); }))},
      // Row 3 has no gravel and no shells, so the laser's one class is the whole sample.
      {.name = "WholeWeightInOneClass",
       .exported = text(exportWithClasses(
           3, [](int c) { return std::to_string(c == 30 ? 250 : (c == 31 ? 500 : c)); },
           [](int c) { return std::string(c == 30 ? "100" : "0"); }))},

      // The calculation refuses to start; nothing is written, the graph is not cleared.
      {.name = "LotRemovedBeforeTheCalculation", .beforeRun = removed("LOTE12.csv")},
      {.name = "ExportRemovedBeforeTheCalculation", .beforeRun = removed("LOTE12_export.txt")},
      {.name = "LotChangedBeforeTheCalculation",
       .beforeRun = rewritten("LOTE12.csv", [] { return lotWithCarbonate("99.9%"); })},
      {.name = "ExportChangedBeforeTheCalculation",
       .beforeRun = rewritten("LOTE12_export.txt",
                              [] { return replaced(goodExport(), ",M-04,", ",M-40,"); })},
      {.name = "ResultsNameIsTheLot", .beforeRun = resultsNamed("LOTE12.csv")},
      {.name = "ResultsNameIsTheExport", .beforeRun = resultsNamed("LOTE12_export.txt")},
      {.name = "ResultsNameIsTheLotSpeltOtherwise", .beforeRun = resultsNamed("./LOTE12.csv")},
      {.name = "ResultsNameIsALinkToTheLot",
       .beforeRun = resultsNamed("enlace.csv", aLinkTo("LOTE12.csv")),
       .posixOnly = true},
      {.name = "ResultsNameIsAHardLinkToTheExport",
       .beforeRun = resultsNamed("copia.txt",
                                 [](const fs::path& path) {
                                   fs::create_hard_link(path.parent_path() / "LOTE12_export.txt",
                                                        path);
                                 })},
      {.name = "ResultsNameMissing", .beforeRun = resultsNamed("")},
      {.name = "ResultsNameOfBlanks", .beforeRun = resultsNamed("  ")},
      {.name = "ResultsNameIsAFolder", .beforeRun = resultsNamed(kResultsName, aFolder)},
      {.name = "ResultsNameIsANamedPipe",
       .beforeRun = resultsNamed("tubo.csv", aNamedPipe),
       .posixOnly = true},
      {.name = "ResultsFileExistsAndTheAnswerIsNo", .beforeRun = existingResults("viejo\r\n")},
      // Found before the first sample: the files stay chosen for a corrected name.
      {.name = "ResultsFolderMissing", .beforeRun = resultsNamed("no-such-folder/r.csv")},
      {.name = "ResultsNameEndsInASeparator", .beforeRun = resultsNamed("LOTE12.csv/")},
      // Taken without the blanks and the dot around it, a typed name is the lot's.
      {.name = "ResultsNameIsTheLotWithBlanksAndADot", .beforeRun = resultsNamed(" LOTE12.csv. ")},
      {.name = "ResultsNameWithBlanksAndADot",
       .beforeRun = resultsNamed("  " + std::string(kResultsName) + ". ")},
      // The samples written before stay.
      {.name = "ResultsOnAFullDisk", .beforeRun = resultsNamed("/dev/full"), .posixOnly = true},
      // Refused before the question to replace it, by its mode even for root.
      {.name = "ResultsFileReadOnly",
       .beforeRun =
           [](const Scene& scene) {
             std::ofstream(scene.folder / kResultsName).close();
             fs::permissions(scene.folder / kResultsName, fs::perms::owner_read);
           }},
      {.name = "ResultsFolderReadOnly",
       .beforeRun =
           [](const Scene& scene) {
             fs::create_directory(scene.folder / "protegida");
             fs::permissions(scene.folder / "protegida",
                             fs::perms::owner_read | fs::perms::owner_exec);
             resultsNamed("protegida/r.csv")(scene);
           },
       .posixOnly = true,
       .needsPermissions = true},
  };
}

INSTANTIATE_TEST_SUITE_P(EveryFailure, FailureTableTest, ::testing::ValuesIn(rows()),
                         ::testing::PrintToStringParamName());

}  // namespace
}  // namespace granomet::testing
