// Every way an input or the results file can be wrong, pressed through the three buttons: what
// the user is told, and that no line is left partial, no file open and the program can go on.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "data/field_reader.h"
#include "data/text_encoding.h"
#include "samplegen/sample_files.h"
#include "support/button_fixture.h"
#include "support/open_descriptors.h"
#include "support/test_data.h"

namespace granomet::testing {
namespace {

constexpr const char* kResultsName = "LOTE12_06062016_093005.csv";
constexpr const char* kCreated = "LOTE12_06062016_093005.csv HA SIDO CREADO.";
constexpr const char* kReplaceQuestion =
    "El fichero LOTE12_06062016_093005.csv ya existe. \xBF"
    "Desea reemplazarlo?";
constexpr std::size_t kResultsFields = 98;
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
  std::vector<std::string> fields;
  for (std::size_t at = start; at <= end;) {
    const std::size_t comma = std::min(goodExport().find(',', at), end);
    fields.push_back(goodExport().substr(at, comma - at));
    at = comma + 1;
  }
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

std::string replacedAll(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// What the presses show in a message box; no title: no message at all.
struct Shown {
  const char* title = nullptr;
  std::string fragment;
  MessageIcon icon = MessageIcon::None;
};
// What a spoil before the calculation reaches: the files' folder and the window.
struct Scene {
  const std::filesystem::path& folder;
  HeadlessWindow& window;
};
using Place = std::function<void(const std::filesystem::path&)>;  // puts a file at the path
using Spoil = std::function<void(const Scene&)>;

struct Row {
  const char* name;
  Place lot;
  Place exported;
  Spoil beforeRun{};  // between the export button and the calculation
  Shown shown{};      // the last message shown
  std::size_t list1 = 0;
  std::vector<std::string> list2{};
  std::string status{};  // Label8
  bool exportEnabled = false;
  bool calculateEnabled = false;
  bool sameResultsAsGoodFiles = false;
  bool needsPermissions = false;  // root writes through a read-only mode
  bool posixOnly = false;         // named pipes, devices, symbolic links
  // The calculation starts nothing: no file in the folder changes.
  bool refused = false;
  // Yes to the question to replace an existing results file, asked first.
  bool replaceAnsweredYes = false;
  // The lot's folder under the test's folder; the export always lies in the latter.
  const char* lotFolder = "";
  Place besideExport = [](const std::filesystem::path&) {};  // put as LOTE12.csv there
};

// Failures name the row, not its bytes.
void PrintTo(const Row& row, std::ostream* out) {
  *out << row.name;
}

Place text(std::string bytes) {
  return [bytes](const std::filesystem::path& path) {
    std::ofstream(path, std::ios::binary) << bytes;
  };
}
// Made when the row runs: files of megabytes.
Place bytes(std::function<std::string()> make) {
  return [make](const std::filesystem::path& path) {
    std::ofstream(path, std::ios::binary) << make();
  };
}
Place none() {
  return [](const std::filesystem::path&) {};
}
// The file, grown past the size no lab file reaches.
Place largerThanTheLimit(const std::string& (*file)()) {
  return [file](const std::filesystem::path& path) {
    std::ofstream(path, std::ios::binary) << file();
    std::filesystem::resize_file(path, kMaxFileBytes + 1);
  };
}
Place aFolder() {
  return [](const std::filesystem::path& path) { std::filesystem::create_directory(path); };
}
Place aNamedPipe() {
#ifdef _WIN32
  return [](const std::filesystem::path&) {};
#else
  return [](const std::filesystem::path& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); };
#endif
}
Place aLinkTo(const char* target) {
  return [target](const std::filesystem::path& path) {
    std::filesystem::create_symlink(target, path);
  };
}

// Whether a file made read-only refuses to be written: not for root on POSIX,
// nor under Wine run by root.
bool readOnlyHolds(const std::filesystem::path& folder) {
  const std::filesystem::path probe = folder / "solo_lectura";
  std::ofstream(probe).close();
  std::filesystem::permissions(probe, std::filesystem::perms::owner_read);
  const bool holds = !std::ofstream(probe, std::ios::app).is_open();
  std::filesystem::permissions(probe, std::filesystem::perms::owner_all);
  std::filesystem::remove(probe);
  return holds;
}

std::size_t fieldCount(const std::string& line) {
  std::size_t fields = 1;
  bool quoted = false;
  for (const char c : line) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      ++fields;
    }
  }
  return fields;
}

// Every regular file under the folder with its bytes; pipes are never opened.
std::map<std::filesystem::path, std::string> filesUnder(const std::filesystem::path& folder) {
  std::map<std::filesystem::path, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file() && !entry.is_symlink()) {
      files[entry.path()] = fileBytes(entry.path());
    }
  }
  return files;
}

std::string bytesIfRegular(const std::filesystem::path& path) {
  return std::filesystem::is_regular_file(path) ? fileBytes(path) : std::string();
}

// Whole CR LF lines with the header's field count; returns how many.
std::size_t wholeResultLines(const std::filesystem::path& path) {
  const std::string text = fileBytes(path);
  EXPECT_TRUE(text.ends_with("\r\n")) << "the last line is cut off";
  std::size_t lines = 0;
  for (std::size_t start = 0; start < text.size(); ++lines) {
    const std::size_t end = text.find("\r\n", start);
    const std::string line = text.substr(start, end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "line " << lines + 1;
    EXPECT_EQ(fieldCount(line), kResultsFields) << "line " << lines + 1;
    start = end == std::string::npos ? text.size() : end + 2;
  }
  return lines;
}

class FailureTableTest : public ButtonTest, public ::testing::WithParamInterface<Row> {
 protected:
  void pressAll(const std::filesystem::path& lotFile, const std::filesystem::path& exportFile,
                const Spoil& beforeRun = {}) {
    pressLot(lotFile);
    if (!window().enabled(ButtonId::exportbutton)) {
      return;
    }
    pressExport(exportFile);
    if (!window().enabled(ButtonId::calculatot)) {
      return;
    }
    if (beforeRun) {
      beforeRun({folder(), window()});
    }
    const std::string lotBefore = bytesIfRegular(lotFile);
    const std::string exportBefore = bytesIfRegular(exportFile);
    filesBeforeRun_ = filesUnder(folder());
    pressCalculate();
    EXPECT_EQ(bytesIfRegular(lotFile), lotBefore) << "the calculation changed the lot";
    EXPECT_EQ(bytesIfRegular(exportFile), exportBefore) << "the calculation changed the export";
  }

  // Empty when the calculation was not pressed.
  std::map<std::filesystem::path, std::string> filesBeforeRun_;

  std::filesystem::path goodFolder() const { return folder() / "bueno"; }
};

TEST_P(FailureTableTest, TellsTheUserAndCanGoOn) {
  const Row& row = GetParam();
#ifdef _WIN32
  if (row.posixOnly) {
    GTEST_SKIP() << "a scene only POSIX systems can set";
  }
#endif
  if (row.needsPermissions && !readOnlyHolds(folder())) {
    GTEST_SKIP() << "this user writes to read-only files";
  }
  const std::filesystem::path lotFile = folder() / row.lotFolder / "LOTE12.csv";
  std::filesystem::create_directories(lotFile.parent_path());
  row.lot(lotFile);
  row.exported(folder() / "LOTE12_export.txt");
  if (lotFile.parent_path() != folder()) {
    row.besideExport(folder() / "LOTE12.csv");
  }
  std::filesystem::create_directories(goodFolder());
  std::ofstream(goodFolder() / "LOTE12.csv", std::ios::binary) << goodLot();
  std::ofstream(goodFolder() / "LOTE12_export.txt", std::ios::binary) << goodExport();

  if (row.replaceAnsweredYes) {
    window().queueMessageAnswer(MessageAnswer::Yes);
  }
  const int filesBefore = openDescriptorCount();
  pressAll(lotFile, folder() / "LOTE12_export.txt", row.beforeRun);
  EXPECT_EQ(openDescriptorCount(), filesBefore) << "a file was left open";
  if (row.refused) {
    ASSERT_FALSE(filesBeforeRun_.empty()) << "the calculation was never pressed";
    EXPECT_TRUE(filesUnder(folder()) == filesBeforeRun_) << "a refused calculation wrote";
    EXPECT_EQ(window().plotted().runStarts(), 0) << "a refused calculation cleared the graph";
  }

  const auto& messages = window().messages();
  const std::size_t questions = row.replaceAnsweredYes ? 1 : 0;
  if (row.replaceAnsweredYes) {
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.front().request.prompt, kReplaceQuestion);
    EXPECT_EQ(messages.front().answer, MessageAnswer::Yes);
  }
  if (row.shown.title == nullptr) {
    EXPECT_EQ(messages.size(), questions) << messages.back().request.prompt;
  } else {
    ASSERT_EQ(messages.size(), questions + 1);
    const MessageRequest& message = messages.back().request;
    EXPECT_EQ(effectiveTitle(message), row.shown.title);
    EXPECT_EQ(message.icon, row.shown.icon);
    EXPECT_NE(message.prompt.find(row.shown.fragment), std::string::npos) << message.prompt;
  }
  EXPECT_EQ(items(ListId::List1).size(), row.list1);
  EXPECT_EQ(items(ListId::List2), row.list2);
  EXPECT_EQ(window().label(LabelId::Label8).text, row.status);
  EXPECT_EQ(window().enabled(ButtonId::exportbutton), row.exportEnabled);
  EXPECT_EQ(window().enabled(ButtonId::calculatot), row.calculateEnabled);
  const std::filesystem::path results = folder() / kResultsName;
  const bool written = !row.refused && std::filesystem::is_regular_file(results) &&
                       std::filesystem::file_size(results) > 0;
  if (written) {
    EXPECT_EQ(wholeResultLines(results), row.list1 + 1) << "the header and one line a sample";
  }

  // A good lot and export afterwards are read and calculated as ever.
  const std::size_t messagesBefore = messages.size();
  pressAll(goodFolder() / "LOTE12.csv", goodFolder() / "LOTE12_export.txt");
  EXPECT_EQ(messages.size(), messagesBefore);
  EXPECT_EQ(items(ListId::List1).size(), 12u);
  EXPECT_TRUE(items(ListId::List2).empty());
  EXPECT_EQ(window().label(LabelId::Label8).text, kCreated);
  EXPECT_EQ(wholeResultLines(goodFolder() / kResultsName), 13u);
  EXPECT_EQ(openDescriptorCount(), filesBefore);
  if (row.sameResultsAsGoodFiles) {
    EXPECT_EQ(fileBytes(results), fileBytes(goodFolder() / kResultsName));
  }
}

// The kinds of row: each fixes what that kind of failure always shows.

// The lot button fails: "ERROR EN CSV" quoting the order number read last and naming the file,
// the rows read before it listed, the export and calculation buttons disabled, the status line
// untouched.
Row lotFails(const char* name, Place lot, int readLast, const std::string& cause,
             std::size_t listed) {
  Row row{name, std::move(lot), bytes(goodExport)};
  // Negative: the message quotes no order number.
  const std::string at = readLast < 0 ? "" : "muestra " + std::to_string(readLast) + "\n\n";
  const std::string fragment = at + "LOTE12.csv" + cause;
  row.shown = {"ERROR EN CSV", fragment, MessageIcon::Error};
  row.list1 = listed;
  return row;
}

// The export button fails: "ERROR EN EXPORT" naming the file and the record, the records
// read before it listed; the lot stays loaded, the calculation disabled.
Row exportFails(const char* name, Place exported, const std::string& fragment, std::size_t listed) {
  Row row{name, bytes(goodLot), std::move(exported)};
  row.shown = {"ERROR EN EXPORT", fragment, MessageIcon::Error};
  row.list1 = listed;
  row.exportEnabled = true;
  return row;
}

// The run reaches its end without a message, by default with the good files' results.
Row runsThrough(const char* name, Place lot, Place exported, std::size_t listed = 12,
                const std::string& status = kCreated, bool sameResultsAsGoodFiles = true) {
  Row row{name, std::move(lot), std::move(exported)};
  row.list1 = listed;
  row.status = status;
  row.sameResultsAsGoodFiles = sameResultsAsGoodFiles;
  return row;
}

// One sample cannot be calculated: "MUESTRA NO CALCULADA" says why, the sample is listed in
// red as "M-0n ¿n?", the other eleven are calculated and written.
Row sampleNotCalculated(const char* name, Place lot, Place exported, const std::string& fragment,
                        int order) {
  Row row{name, std::move(lot), std::move(exported)};
  row.shown = {"MUESTRA NO CALCULADA", fragment, MessageIcon::Warning};
  row.list1 = 11;
  const std::string number = std::to_string(order);
  row.list2 = {"M-" + std::string(order < 10 ? "0" : "") + number + " \xBF" + number + "?"};
  row.status = kCreated;
  return row;
}

// A failure ends the run: "CÁLCULO INTERRUMPIDO" names the file and the cause, the status
// line where the run stopped; the samples written before stay.
Row runBreaks(const char* name, Spoil spoil, const std::string& fragment) {
  Row row{name, bytes(goodLot), bytes(goodExport), std::move(spoil)};
  row.shown = {"C\xC1LCULO INTERRUMPIDO", fragment, MessageIcon::Error};
  row.status = "C\xE1lculo interrumpido en la muestra 1 de 12";
  return row;
}

// The calculation refuses to start: "CÁLCULO NO INICIADO" says why, and the window keeps the
// export's listing and its buttons; nothing is written, the graph is not cleared.
Row refused(const char* name, Spoil spoil, const std::string& fragment) {
  Row row{name, bytes(goodLot), bytes(goodExport), std::move(spoil)};
  row.shown = {"C\xC1LCULO NO INICIADO", fragment, MessageIcon::Error};
  row.list1 = 12;
  row.exportEnabled = true;
  row.calculateEnabled = true;
  row.refused = true;
  return row;
}

// The scene needs what Windows lacks or keeps from ordinary users: named pipes in
// the file system, /dev, symbolic links.
Row posixOnly(Row row) {
  row.posixOnly = true;
  return row;
}

Spoil removed(const char* name) {
  return [name](const Scene& scene) { std::filesystem::remove(scene.folder / name); };
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
    const auto time = std::filesystem::last_write_time(scene.folder / name);
    bytes(make)(scene.folder / name);
    std::filesystem::last_write_time(scene.folder / name, time);
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
Place lineEnds(const std::string& (*file)(), const char* lineEnd) {
  return text(replacedAll(file(), "\r\n", lineEnd));
}
std::string exportHeadingAnd(const std::string& rest) {
  return goodExport().substr(0, goodExport().find("\r\n") + 2) + rest;
}

std::vector<Row> rows() {
  const Place lot = bytes(goodLot);
  const Place exported = bytes(goodExport);
  const std::string notAFile = " no es un fichero sino ";
  const std::string orderNumber = "muestra 4: el n\xFAmero de orden \"";
  const std::string creating = "No se puede crear el fichero de resultados ";
  return {
      lotFails("LotMissing", none(), 0, ": no se puede abrir", 0),
      lotFails("LotIsAFolder", aFolder(), 0, ":" + notAFile + "una carpeta.", 0),
      // Opening it for reading would wait for a writer for ever.
      posixOnly(lotFails("LotIsANamedPipe", aNamedPipe(), 0,
                         ":" + notAFile + "una tuber\xED" + "a con nombre.", 0)),
      posixOnly(
          lotFails("LotIsADevice", aLinkTo("/dev/zero"), 0, ":" + notAFile + "un dispositivo.", 0)),
      lotFails("LotSavedWithTabs", text(replacedAll(goodLot(), ",", "\t")), 0,
               ": la l\xEDnea 2, la cabecera del lote, tiene 9 campos separados por tabuladores, y "
               "un lote tiene 9 separados por comas (,) o por punto y coma (;). Gu\xE1rdelo",
               0),
      lotFails("LotOfOneColumn", text("Lote\r\nProyecto\r\nN\r\n"), 0,
               ": la l\xEDnea 2, la cabecera del lote, no tiene separadores de campos", 0),
      lotFails("LotCutInsideTheHeader", text(goodLot().substr(0, goodLot().find("GOLFO"))), 0,
               ": el fichero termina antes", 0),
      lotFails("LotCutInsideARow", text(goodLot().substr(0, goodLot().find(lotRowStart(12)) + 30)),
               12, ": el fichero termina antes", 11),
      lotFails("LotSampleCountBeyond16Bits",
               text(replaced(goodLot(), "de muestras,12\r\n", "de muestras,40000\r\n")), 0,
               ": el n\xFAmero \"40000\" es demasiado grande para su columna", 0),
      lotFails("LotOrderNumberBeyond16Bits", lotWithOrderNumber(5, "99999"), 4,
               ": el n\xFAmero \"99999\" es demasiado grande", 4),
      // The extra field is read as the next row's order number.
      lotFails("LotRowWithASeventeenthField",
               text(replaced(goodLot(), lotRowStart(5), ",x" + lotRowStart(5))), 0,
               ": el n\xFAmero de orden 0 no est\xE1 entre 1 y 254", 4),
      lotFails("LotOrderNumber0", lotWithOrderNumber(5, "0"), 0,
               ": el n\xFAmero de orden 0 no est\xE1 entre 1 y 254", 4),
      lotFails("LotOrderNumber255", lotWithOrderNumber(5, "255"), 255,
               ": el n\xFAmero de orden 255 no est\xE1", 4),
      lotFails("LotTenMegabyteLine", bytes([] { return std::string(kTenMegabytes, 'A'); }), 0,
               ": hay un campo o una l\xEDnea de m\xE1s de 1 MB", 0),
      lotFails("LotLargerThan64Megabytes", largerThanTheLimit(goodLot), 0,
               ": el fichero ocupa m\xE1s de 64 MB", 0),
      lotFails("LotWithNulBytes", text(replaced(goodLot(), "M-05", std::string("M\0\0", 3) + "5")),
               5, ": el fichero contiene bytes nulos", 4),
      // The description of the last row loses its closing quote.
      lotFails("LotQuoteOpenToTheEnd", bytes([] {
                 const std::string row = lotRow(12);
                 const std::size_t close = row.rfind('"');
                 return replaced(goodLot(), row, row.substr(0, close) + row.substr(close + 1));
               }),
               12, ": unas comillas (\") abren un campo que no se cierra", 11),

      // The other button's file, named for what it is.
      lotFails("ExportChosenAsTheLot", bytes(goodExport), -1,
               " parece una exportaci\xF3n del analizador l\xE1ser", 0),
      exportFails("LotChosenAsTheExport", bytes(goodLot),
                  "LOTE12_export.txt parece un fichero de lote", 0),
      exportFails("ExportMissing", none(),
                  "No se puede abrir el fichero de exportaci\xF3n LOTE12_export.txt.", 0),
      exportFails("ExportIsAFolder", aFolder(),
                  "exportaci\xF3n LOTE12_export.txt" + notAFile + "una carpeta.", 0),
      posixOnly(exportFails("ExportIsANamedPipe", aNamedPipe(),
                            "LOTE12_export.txt" + notAFile + "una tuber\xED" + "a con nombre.", 0)),
      posixOnly(exportFails("ExportIsADevice", aLinkTo("/dev/zero"),
                            "LOTE12_export.txt" + notAFile + "un dispositivo.", 0)),
      exportFails("ExportEmpty", text(""),
                  "El fichero de exportaci\xF3n LOTE12_export.txt est\xE1 vac\xEDo.", 0),
      exportFails("ExportCutInsideARecord",
                  text(goodExport().substr(0, goodExport().find(",M-03,LOTE12,3,") + 400)),
                  "LOTE12_export.txt, muestra 3: el fichero termina dentro de la muestra", 3),
      exportFails("ExportOrderNumberBeyond16Bits", exportWithOrderNumber("99999"),
                  orderNumber + "99999\" no es un n\xFAmero entre 1 y 254", 3),
      exportFails("ExportOrderNumber0", exportWithOrderNumber("0"), orderNumber + "0\"", 3),
      exportFails("ExportOrderNumber255", exportWithOrderNumber("255"), orderNumber + "255\"", 3),
      exportFails("ExportOrderNumberOfAHundredDigits", exportWithOrderNumber(std::string(100, '9')),
                  orderNumber + std::string(40, '9') + "...\" no es", 3),
      exportFails("ExportOrderNumberNotANumber", exportWithOrderNumber("abc"),
                  orderNumber + "abc\"", 3),
      exportFails("Export40000SampleLines", bytes([] { return exportWithLines(40000); }),
                  "LOTE12_export.txt tiene m\xE1s de 32767 l\xEDneas de muestra", 0),
      exportFails("ExportTenMegabyteLine",
                  bytes([] { return exportHeadingAnd(std::string(kTenMegabytes, 'A')); }),
                  "muestra 1: hay un campo de m\xE1s de 1 MB", 0),
      exportFails("ExportLargerThan64Megabytes", largerThanTheLimit(goodExport),
                  "LOTE12_export.txt ocupa m\xE1s de 64 MB", 0),
      exportFails("ExportWithNulBytes",
                  text(replaced(goodExport(), ",M-05,", std::string(",M\0\0", 4) + "5,")),
                  "LOTE12_export.txt contiene bytes nulos", 0),
      exportFails("ExportQuoteOpenToTheEnd", text(replaced(goodExport(), ",M-12,", ",\"M-12,")),
                  "muestra 12: unas comillas (\") abren un campo que no se cierra", 11),

      runsThrough("ExportCutInsideTheHeading", lot, text("Fecha,Ho"), 0,
                  "Sin muestras coincidentes", false),
      // The lab's spreadsheet may save the lot as UTF-8; its texts reach the results as
      // Windows-1252, as from a lot saved in that code page.
      runsThrough("LotInUtf8WithByteOrderMark", text("\xEF\xBB\xBF" + cp1252ToUtf8(goodLot())),
                  exported),
      runsThrough("ExportWithByteOrderMark", lot, text("\xEF\xBB\xBF" + goodExport())),
      // "CSV UTF-8" of many spreadsheets: no mark, yet "oliv\xE1" "ceo", not "oliv\xC3\xA1" "ceo".
      runsThrough("LotInUtf8WithoutByteOrderMark", text(cp1252ToUtf8(goodLot())), exported),
      runsThrough("ExportInUtf8WithoutByteOrderMark", lot, text(cp1252ToUtf8(goodExport()))),
      // The "CSV" of a Spanish-language spreadsheet.
      runsThrough("LotSavedWithSemicolons", text(tools::withSemicolons(goodLot())), exported),
      runsThrough("LotSavedWithSemicolonsInUtf8",
                  text(cp1252ToUtf8(tools::withSemicolons(goodLot()))), exported),
      // An older lot of the same name lies beside the export: the chosen one is read.
      [&] {
        Row row = runsThrough("SameNamedLotBesideTheExport", lot, exported);
        row.lotFolder = "lote";
        row.besideExport = bytes([] {
          tools::SampleFileOptions older;
          older.seed = 7;
          return tools::makeLotFile(older);
        });
        return row;
      }(),
      [&] {
        Row row = runsThrough("ResultsFileExistsAndTheAnswerIsYes", lot, exported);
        row.beforeRun = existingResults("viejo\r\n");
        row.replaceAnsweredYes = true;
        return row;
      }(),
      runsThrough("LineFeedsOnly", lineEnds(goodLot, "\n"), lineEnds(goodExport, "\n")),
      runsThrough("CarriageReturnsOnly", lineEnds(goodLot, "\r"), lineEnds(goodExport, "\r")),
      // Only the interpolation at a limit divides by the difference of two diameters.
      runsThrough(
          "EqualDiametersAwayFromALimit", lot,
          text(exportWithClasses(4, [](int c) { return std::to_string(c == 11 ? 10 : c); })), 12,
          kCreated, false),

      sampleNotCalculated(
          "LotWithFewerLinesThanAnOrderNumber", bytes([] {
            const std::string cut = goodLot().substr(0, goodLot().find(lotRowStart(12)) + 2);
            return replaced(cut, "de muestras,12\r\n", "de muestras,11\r\n");
          }),
          exported,
          "M-12 (n\xFAmero de orden 12) no se ha calculado: el fichero de lote no tiene fila "
          "completa en la l\xEDnea del n\xFAmero de orden 12",
          12),
      sampleNotCalculated("CarbonateEmpty", text(lotWithCarbonate("")), exported,
                          "el carbonato \"\" de la fila 4 del fichero de lote no es un porcentaje",
                          4),
      sampleNotCalculated("CarbonateNotANumber", text(lotWithCarbonate("abc")), exported,
                          "el carbonato \"abc\" de la fila 4", 4),
      sampleNotCalculated("ShellsAsHeavyAsTheSample", bytes([] {
                            tools::SampleFileOptions options;
                            options.allShellsRow = 4;
                            return tools::makeLotFile(options);
                          }),
                          exported, "el peso sin conchas es 0", 4),
      sampleNotCalculated(
          "EqualDiametersAtTheSandLimit", lot,
          text(exportWithClasses(4, [](int c) { return std::to_string(c < 65 ? c * 0.75 : 50); })),
          "dos clases vecinas con el mismo di\xE1metro", 4),
      sampleNotCalculated("NoClassBelow4Micrometres", lot,
                          text(exportWithClasses(4, [](int c) { return std::to_string(4 + c); })),
                          "ninguna clase de la distribuci\xF3n es menor de 4 \xB5m", 4),
      // Row 3 has no gravel and no shells, so the laser's one class is the whole sample.
      sampleNotCalculated(
          "WholeWeightInOneClass", lot,
          text(exportWithClasses(
              3, [](int c) { return std::to_string(c == 30   ? 250
                                                   : c == 31 ? 500
                                                             : c); },
              [](int c) { return std::string(c == 30 ? "100" : "0"); })),
          "la clasificaci\xF3n es 0 (todo el peso en una clase)", 3),

      refused("LotRemovedBeforeTheCalculation", removed("LOTE12.csv"),
              "El fichero de lote LOTE12.csv ya no est\xE1 o no se puede leer. \xC1"
              "bralo de nuevo con el bot\xF3n del lote."),
      refused("ExportRemovedBeforeTheCalculation", removed("LOTE12_export.txt"),
              "El fichero de exportaci\xF3n LOTE12_export.txt ya no est\xE1 o no se puede leer."),
      refused("LotChangedBeforeTheCalculation",
              rewritten("LOTE12.csv", [] { return lotWithCarbonate("99.9%"); }),
              "El fichero de lote LOTE12.csv ha cambiado desde que se abri\xF3."),
      refused(
          "ExportChangedBeforeTheCalculation",
          rewritten("LOTE12_export.txt", [] { return replaced(goodExport(), ",M-04,", ",M-40,"); }),
          "El fichero de exportaci\xF3n LOTE12_export.txt ha cambiado desde que se abri\xF3. \xC1"
          "bralo de nuevo con el bot\xF3n de exportaci\xF3n."),
      refused("ResultsNameIsTheLot", resultsNamed("LOTE12.csv"),
              "El fichero de resultados LOTE12.csv es el fichero de lote LOTE12.csv: los "
              "resultados lo borrar\xED"
              "an. Elija otro nombre para el fichero de resultados."),
      refused("ResultsNameIsTheExport", resultsNamed("LOTE12_export.txt"),
              "resultados LOTE12_export.txt es el fichero de exportaci\xF3n LOTE12_export.txt"),
      refused("ResultsNameIsTheLotSpeltOtherwise", resultsNamed("./LOTE12.csv"),
              "resultados ./LOTE12.csv es el fichero de lote LOTE12.csv"),
      posixOnly(refused("ResultsNameIsALinkToTheLot",
                        resultsNamed("enlace.csv", aLinkTo("LOTE12.csv")),
                        "resultados enlace.csv es el fichero de lote LOTE12.csv")),
      refused("ResultsNameIsAHardLinkToTheExport",
              resultsNamed("copia.txt",
                           [](const std::filesystem::path& path) {
                             std::filesystem::create_hard_link(
                                 path.parent_path() / "LOTE12_export.txt", path);
                           }),
              "resultados copia.txt es el fichero de exportaci\xF3n LOTE12_export.txt"),
      refused("ResultsNameMissing", resultsNamed(""),
              "Falta el nombre del fichero de resultados: escr\xED"
              "balo en \xAB"
              "Fichero de salida\xBB."),
      refused("ResultsNameOfBlanks", resultsNamed("  "), "Falta el nombre del fichero"),
      refused("ResultsNameIsAFolder", resultsNamed(kResultsName, aFolder()),
              creating + kResultsName + ": ese nombre es una carpeta."),
      posixOnly(refused("ResultsNameIsANamedPipe", resultsNamed("tubo.csv", aNamedPipe()),
                        creating + "tubo.csv: ese nombre es una tuber\xED" + "a con nombre.")),
      [] {
        Row row = refused("ResultsFileExistsAndTheAnswerIsNo", existingResults("viejo\r\n"), "");
        row.shown = {"Granomet", kReplaceQuestion, MessageIcon::Warning};
        return row;
      }(),
      // Found before the first sample: the files stay chosen for a corrected name.
      refused("ResultsFolderMissing", resultsNamed("no-such-folder/r.csv"),
              creating + "no-such-folder/r.csv: la carpeta no existe"),
      refused("ResultsNameEndsInASeparator", resultsNamed("LOTE12.csv/"),
              creating + "LOTE12.csv/: el nombre termina en una barra"),
      // Taken without the blanks and the dot around it, a typed name is the lot's.
      refused("ResultsNameIsTheLotWithBlanksAndADot", resultsNamed(" LOTE12.csv. "),
              "resultados LOTE12.csv es el fichero de lote LOTE12.csv"),
      [&] {
        Row row = runsThrough("ResultsNameWithBlanksAndADot", lot, exported);
        row.beforeRun = resultsNamed("  " + std::string(kResultsName) + ". ");
        return row;
      }(),
      posixOnly(runBreaks("ResultsOnAFullDisk", resultsNamed("/dev/full"),
                          "No se puede escribir en el fichero de resultados /dev/full: el disco "
                          "est\xE1 lleno.\n\nEl fichero de resultados /dev/full se ha creado, pero "
                          "sin ninguna muestra.")),
      // Refused before the question to replace it, by its mode even for root.
      refused(
          "ResultsFileReadOnly",
          [](const Scene& scene) {
            std::ofstream(scene.folder / kResultsName).close();
            std::filesystem::permissions(scene.folder / kResultsName,
                                         std::filesystem::perms::owner_read);
          },
          creating + kResultsName + ": el fichero es de solo lectura"),
      [&] {
        Row row = posixOnly(refused(
            "ResultsFolderReadOnly",
            [](const Scene& scene) {
              std::filesystem::create_directory(scene.folder / "protegida");
              std::filesystem::permissions(
                  scene.folder / "protegida",
                  std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
              resultsNamed("protegida/r.csv")(scene);
            },
            creating + "protegida/r.csv: no hay permiso para escribir en la carpeta"));
        row.needsPermissions = true;
        return row;
      }(),
  };
}

INSTANTIATE_TEST_SUITE_P(EveryFailure, FailureTableTest, ::testing::ValuesIn(rows()),
                         [](const ::testing::TestParamInfo<Row>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace granomet::testing
