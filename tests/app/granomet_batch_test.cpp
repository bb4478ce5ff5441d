// granomet-batch run as the lab's scripts run it, its results checked byte for byte against
// files computed independently of the program.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/expected_file.h"
#include "support/test_data.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSource = GRANOMET_SOURCE_DIR;
using granomet::testing::expectSameAsFile;
using granomet::testing::fileBytes;
using granomet::testing::replacedAll;

// The proposed results names, LOTE12_ddmmyyyy_hhmmss, as @@.
std::string withoutStamps(std::string text) {
  const auto digits = [&](std::size_t at, std::size_t count) {
    return at + count <= text.size() && text.find_first_not_of("0123456789", at) >= at + count;
  };
  for (auto at = text.find("LOTE12_"); at != std::string::npos; at = text.find("LOTE12_", at + 1)) {
    if (digits(at + 7, 8) && digits(at + 16, 6) && text[at + 15] == '_') {
      text.replace(at, 22, "@@");
    }
  }
  return text;
}

std::string today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%d/%m/%Y", &local);
  return text;
}

class GranometBatch : public ::testing::Test {
 protected:
  GranometBatch() { fs::create_directories(folder_); }
  ~GranometBatch() override { fs::remove_all(folder_); }

  // Copies the inputs into the test's folder, so that the results land there.
  void copyIn(const fs::path& from) {
    fs::copy_file(from, folder_ / from.filename(), fs::copy_options::overwrite_existing);
  }

  // What the program printed on stdout, then stderr, then its exit status. environment:
  // assignments for env(1), such as "LC_ALL=C". The default archive is the test's own,
  // datos/granomet/archivo.gpkg, never the user's.
  // program: how the program is started, when not as itself.
  std::string run(const std::string& environment, const std::string& arguments,
                  const std::string& program = "'" GRANOMET_BATCH "'") {
    const std::string command = "cd '" + folder_.string() +
                                "' && env -u LC_ALL -u LC_NUMERIC HOME=/nonexistent "
                                "XDG_DATA_HOME='" +
                                (folder_ / "datos").string() + "' " + environment + " " + program +
                                " " + arguments + " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    return fileBytes(folder_ / "out.txt") + "--- stderr\n" + fileBytes(folder_ / "err.txt") +
           "--- exit " + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + "\n";
  }

  fs::path folder_ = fs::temp_directory_path() / ("granomet_batch_" + std::to_string(::getpid()));
};

TEST_F(GranometBatch, ResultsMatchTheIndependentCalculation) {
  const fs::path batch = granomet::testing::testData() / "batch";
  const fs::path lote12 = kSource / "examples/LOTE12.csv";
  const struct {
    const char* expected;
    fs::path lot;
    fs::path exported;
    const char* environment;
  } cases[] = {
      {"plain_point", lote12, kSource / "examples/LOTE12_export.txt", "LC_ALL=C"},
      {"plain_comma", lote12, kSource / "examples/LOTE12_export.txt", "LC_ALL=es_ES.UTF-8"},
      // Trailing commas, records of another lot, names that disagree, a sample all shells.
      {"mixed_comma", batch / "mixed/LOTE20.csv", batch / "mixed/LOTE20_export.txt",
       "LANG=es_ES.UTF-8"},
      // Blanks around names, a quote in a description, a zero total, carbonates "abc"
      // and "12,5%", a lot field in the wrong case.
      {"edited_comma", batch / "edited/LOTE8.csv", batch / "edited/LOTE8_export.txt",
       "LC_NUMERIC=es_ES.UTF-8"},
  };
  // The lot saved again as "CSV UTF-8" or by a spreadsheet set to Spanish gives the same
  // results: the failure table's rows LotInUtf8WithoutByteOrderMark and LotSavedWithSemicolons.
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    copyIn(c.lot);
    copyIn(c.exported);
    const std::string before = today();
    const std::string said =
        run(c.environment, "--sin-archivo -o resultados.csv " + c.lot.filename().string() + " " +
                               c.exported.filename().string());
    const std::string after = today();
    const std::string out = fileBytes(batch / "expected" / (std::string(c.expected) + ".txt"));
    EXPECT_TRUE(said.starts_with(out + "--- stderr\n") && said.ends_with("--- exit 0\n")) << said;
    // Today's date, either side of midnight, where the expected results have @FECHA@. Not
    // expectSameAsFile: these were computed independently, never written by the program.
    const std::string written = fileBytes(folder_ / "resultados.csv");
    EXPECT_TRUE(replacedAll(replacedAll(written, before, "@FECHA@"), after, "@FECHA@") ==
                fileBytes(batch / "expected" / (std::string(c.expected) + ".csv")))
        << "results differ from tests/data/batch/expected/" << c.expected << ".csv";
    fs::remove(folder_ / "resultados.csv");
  }
}

// Each command line's output and exit status against a reviewed text, with the test's
// folder and the proposed results name's date and time put as @@. Without -o the results
// go beside the export under the proposed name; a name after -o means what a shell
// command means: relative to the command's folder, replacing a file there. A refusal or a
// failure writes nothing, and the inputs stay as they were whatever happens.
TEST_F(GranometBatch, EachCommandLineSaysHowFarItGot) {
  fs::create_directories(folder_ / "laser");
  fs::create_directories(folder_ / "salida");
  for (const char* name : {"LOTE12.csv", "LOTE12_export.txt"}) {
    copyIn(kSource / "examples" / name);
    fs::copy_file(kSource / "examples" / name, folder_ / "laser" / name);
  }
  std::ofstream(folder_ / "salida/r.csv") << "viejo\r\n" << std::flush;
  const std::string files = " LOTE12.csv LOTE12_export.txt";
  const std::string commandLines[] = {
      "",
      "LOTE12.csv",
      "-x LOTE12.csv",
      "LOTE12.csv LOTE12_export.txt -o",
      "-o ''" + files,
      "--help",
      "NOLOTE.csv LOTE12_export.txt",
      "LOTE12.csv NOEXPORT.txt",
      "-o ./LOTE12.csv" + files,
      "-o no/such/r.csv" + files,
      "-o /dev/full" + files,
      "../" + folder_.filename().string() + "/LOTE12.csv laser/LOTE12_export.txt",
      "-o salida/r.csv --sin-archivo laser/LOTE12.csv laser/LOTE12_export.txt"};
  std::string said;
  for (const std::string& arguments : commandLines) {
    said += "$ granomet-batch " + arguments + "\n" + run("LC_ALL=C", arguments);
    for (const char* name : {"LOTE12.csv", "LOTE12_export.txt"}) {
      EXPECT_EQ(fileBytes(folder_ / name), fileBytes(kSource / "examples" / name)) << arguments;
    }
  }
  expectSameAsFile(withoutStamps(replacedAll(replacedAll(said, folder_.string(), "@CARPETA@"),
                                             folder_.filename().string(), "@@")),
                   granomet::testing::testData() / "app/batch_command_lines.txt");
  // out.txt, err.txt and datos, the test's archive, too.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), {}), 7);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "laser"), {}), 3);
  EXPECT_TRUE(fileBytes(folder_ / "salida/r.csv").starts_with("\"Lot-Num\""));
}

// A completed run lands in the archive XDG_DATA_HOME tells, or in --archivo's, with its
// samples; --sin-archivo leaves none. An archive that cannot be written (no archive, a
// read-only one) leaves the results file written, says why on both streams and ends with 1.
// What it says is in tests/data/app/batch_archiving.txt.
TEST_F(GranometBatch, ArchivesEachCompletedRun) {
  for (const char* name : {"LOTE12.csv", "LOTE12_export.txt"}) {
    copyIn(kSource / "examples" / name);
  }
  std::ofstream(folder_ / "texto.gpkg") << "no es un archivo" << std::flush;
  const std::string files = " LOTE12.csv LOTE12_export.txt";
  std::string said;
  for (const std::string& arguments :
       {"-o r1.csv" + files, "--archivo propio.gpkg -o r2.csv" + files,
        "--sin-archivo -o r3.csv" + files, "--archivo texto.gpkg -o r4.csv" + files,
        "--archivo a.gpkg --sin-archivo" + files, "-o r5.csv" + files + " --archivo"}) {
    said += "$ granomet-batch " + arguments + "\n" + run("LC_ALL=C", arguments);
  }
  // Only root writes through a read-only file: the run is then made as "nobody", in a
  // folder it may write, with a copy of the program it may reach.
  fs::copy_file(folder_ / "propio.gpkg", folder_ / "solo_lectura.gpkg");
  fs::permissions(folder_ / "solo_lectura.gpkg",
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  // With a decimal comma: a results file the archive has not seen.
  const std::string readOnly = "--archivo solo_lectura.gpkg -o r6.csv" + files;
  std::string program = "'" GRANOMET_BATCH "'";
  if (::geteuid() == 0) {
    fs::permissions(folder_, fs::perms::all);
    fs::copy_file(GRANOMET_BATCH, folder_ / "granomet-batch");
    program = "runuser -u nobody -- ./granomet-batch";
  }
  said += "$ granomet-batch " + readOnly + "\n" + run("LC_ALL=es_ES.UTF-8", readOnly, program);
  for (const char* written : {"r1.csv", "r2.csv", "r3.csv", "r4.csv", "r6.csv"}) {
    EXPECT_TRUE(fileBytes(folder_ / written).starts_with("\"Lot-Num\"")) << written;
  }
  EXPECT_TRUE(fs::is_regular_file(folder_ / "datos/granomet/archivo.gpkg"));
  EXPECT_FALSE(fs::exists(folder_ / "a.gpkg"));
  EXPECT_EQ(fileBytes(folder_ / "texto.gpkg"), "no es un archivo");
  EXPECT_TRUE(fileBytes(folder_ / "solo_lectura.gpkg") == fileBytes(folder_ / "propio.gpkg"));
  expectSameAsFile(replacedAll(said, folder_.string(), "@CARPETA@"),
                   granomet::testing::testData() / "app/batch_archiving.txt");
}

}  // namespace
