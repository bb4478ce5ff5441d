// granomet-batch run as the lab's scripts run it, its results checked byte for byte against
// files computed independently of the program.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "data/text_encoding.h"
#include "samplegen/sample_files.h"
#include "support/test_data.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSource = GRANOMET_SOURCE_DIR;
const fs::path kProgram = GRANOMET_BATCH;
using granomet::testing::fileBytes;

std::string today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%d/%m/%Y", &local);
  return text;
}

std::string withDate(std::string text, const std::string& date) {
  for (auto at = text.find("@FECHA@"); at != std::string::npos; at = text.find("@FECHA@", at)) {
    text.replace(at, 7, date);
  }
  return text;
}

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

class GranometBatch : public ::testing::Test {
 protected:
  GranometBatch() { fs::create_directories(folder_); }
  ~GranometBatch() override { fs::remove_all(folder_); }

  // Copies the inputs into the test's folder, so that the results land there.
  void copyIn(const fs::path& from) {
    fs::copy_file(from, folder_ / from.filename(), fs::copy_options::overwrite_existing);
  }

  // environment: assignments for env(1), such as "LC_ALL=C".
  Outcome run(const std::string& environment, const std::string& arguments) {
    const std::string command = "cd '" + folder_.string() + "' && env -u LC_ALL -u LC_NUMERIC " +
                                environment + " '" + kProgram.string() + "' " + arguments +
                                " >out.txt 2>err.txt";
    Outcome result;
    const int status = std::system(command.c_str());
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = fileBytes(folder_ / "out.txt");
    result.err = fileBytes(folder_ / "err.txt");
    return result;
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
    // The lot as the lab's spreadsheet may save it again; none: as it is.
    std::string (*resaved)(const std::string&) = nullptr;
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
      // "CSV UTF-8" without a byte-order mark, and the semicolons and decimal commas of a
      // spreadsheet set to Spanish, give the results of the lot saved in Windows-1252.
      {"plain_comma", lote12, kSource / "examples/LOTE12_export.txt", "LC_ALL=es_ES.UTF-8",
       [](const std::string& lot) { return granomet::cp1252ToUtf8(lot); }},
      {"plain_comma", lote12, kSource / "examples/LOTE12_export.txt", "LC_ALL=es_ES.UTF-8",
       granomet::tools::withSemicolons},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.expected) + (c.resaved ? ", saved again" : ""));
    const std::string lot = fileBytes(c.lot);
    std::ofstream(folder_ / c.lot.filename(), std::ios::binary)
        << (c.resaved ? c.resaved(lot) : lot);
    copyIn(c.exported);
    const std::string before = today();
    const Outcome result = run(c.environment, "-o resultados.csv " + c.lot.filename().string() +
                                                  " " + c.exported.filename().string());
    const std::string after = today();
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, fileBytes(batch / "expected" / (std::string(c.expected) + ".txt")));
    const std::string expected = fileBytes(batch / "expected" / (std::string(c.expected) + ".csv"));
    const std::string written = fileBytes(folder_ / "resultados.csv");
    EXPECT_TRUE(written == withDate(expected, before) || written == withDate(expected, after))
        << "results differ from tests/data/batch/expected/" << c.expected << ".csv";
    fs::remove(folder_ / "resultados.csv");
  }
}

TEST_F(GranometBatch, ExitStatusTellsHowFarItGot) {
  copyIn(kSource / "examples/LOTE12.csv");
  copyIn(kSource / "examples/LOTE12_export.txt");
  fs::create_directories(folder_ / "laser");
  fs::copy_file(kSource / "examples/LOTE12_export.txt", folder_ / "laser/LOTE12_export.txt");
  const std::string files = " LOTE12.csv LOTE12_export.txt";
  const struct {
    const char* name;
    std::string arguments;
    int status;
    const char* out;
    const char* err;
  } cases[] = {
      {"no arguments", "", 2, "", "Uso: granomet-batch"},
      {"one file", "LOTE12.csv", 2, "", "Uso: granomet-batch"},
      {"unknown option", "-x LOTE12.csv", 2, "", "Uso: granomet-batch"},
      {"-o without a name", "LOTE12.csv LOTE12_export.txt -o", 2, "", "Uso: granomet-batch"},
      {"-o with an empty name", "-o ''" + files, 2, "",
       "granomet-batch: falta el nombre del fichero de resultados detrás de -o."},
      {"help", "--help", 0, "Uso: granomet-batch", ""},
      {"a lot that does not exist", "NOLOTE.csv LOTE12_export.txt", 1, "",
       "ERROR EN CSV: Error aproximadamente en la muestra"},
      {"an export that does not exist", "LOTE12.csv NOEXPORT.txt", 1, "",
       "ERROR EN EXPORT: No se puede abrir el fichero de exportación NOEXPORT.txt."},
      {"a lot in another folder than the export",
       "../" + folder_.filename().string() + "/LOTE12.csv laser/LOTE12_export.txt", 0,
       "Calculadas: 12\n", ""},
      // Nothing is printed, nothing is written: the lot stays as it was.
      {"the lot as the results", "-o ./LOTE12.csv" + files, 1, "",
       "CÁLCULO NO INICIADO: El fichero de resultados ./LOTE12.csv es el fichero de lote"},
      {"a results folder that does not exist", "-o no/such/r.csv" + files, 1, "",
       "CÁLCULO NO INICIADO: No se puede crear el fichero de resultados no/such/r.csv: la "
       "carpeta no existe."},
      {"a results file that cannot be written", "-o /dev/full" + files, 1,
       "Calculadas: 0\nIgnoradas: 0\nCálculo interrumpido en la muestra 1 de 12\n",
       "CÁLCULO INTERRUMPIDO: El cálculo se ha interrumpido en la muestra 1 de 12."},
  };
  const std::string lot = fileBytes(folder_ / "LOTE12.csv");
  const std::string exported = fileBytes(folder_ / "LOTE12_export.txt");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome result = run("LC_ALL=C", c.arguments);
    EXPECT_EQ(result.status, c.status);
    EXPECT_TRUE(result.out.starts_with(c.out)) << result.out;
    EXPECT_TRUE(result.err.starts_with(c.err)) << result.err;
    EXPECT_EQ(fileBytes(folder_ / "LOTE12.csv"), lot);
    EXPECT_EQ(fileBytes(folder_ / "LOTE12_export.txt"), exported);
  }
}

// Without -o the results go beside the export under the proposed name; a name after -o
// means what a shell command means: relative to the command's folder, replacing a file there.
TEST_F(GranometBatch, ResultsGoBesideTheExportOrWhereTheCommandSays) {
  fs::create_directories(folder_ / "laser");
  fs::create_directories(folder_ / "salida");
  fs::copy_file(kSource / "examples/LOTE12.csv", folder_ / "laser/LOTE12.csv");
  fs::copy_file(kSource / "examples/LOTE12_export.txt", folder_ / "laser/LOTE12_export.txt");
  const std::string inputs = "laser/LOTE12.csv laser/LOTE12_export.txt";
  Outcome result = run("LC_ALL=C", inputs);
  EXPECT_EQ(result.status, 0) << result.err;
  std::vector<std::string> written;
  for (const auto& entry : fs::directory_iterator(folder_ / "laser")) {
    written.push_back(entry.path().filename().string());
  }
  std::erase_if(written, [](const std::string& name) {
    return name == "LOTE12.csv" || name == "LOTE12_export.txt";
  });
  ASSERT_EQ(written.size(), 1u);
  EXPECT_TRUE(written[0].starts_with("LOTE12_") && written[0].ends_with(".csv")) << written[0];
  EXPECT_NE(result.out.find(written[0] + " HA SIDO CREADO."), std::string::npos) << result.out;

  std::ofstream(folder_ / "salida/r.csv") << "viejo\r\n";
  result = run("LC_ALL=C", "-o salida/r.csv " + inputs);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(result.err.empty()) << result.err;
  EXPECT_NE(result.out.find("\nsalida/r.csv HA SIDO CREADO.\n"), std::string::npos) << result.out;
  EXPECT_TRUE(fileBytes(folder_ / "salida/r.csv").starts_with("\"Lot-Num\""));
  EXPECT_FALSE(fs::exists(folder_ / "laser/salida"));
}

}  // namespace
