// granomet-informe run as a script runs it: the table's name and decimal mark, and its exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/test_data.h"

namespace {

namespace fs = std::filesystem;
using granomet::testing::batchExpected;
using granomet::testing::fileBytes;
using granomet::testing::testData;

class GranometInforme : public ::testing::Test {
 protected:
  GranometInforme() { fs::create_directories(folder_); }
  ~GranometInforme() override { fs::remove_all(folder_); }

  // The exit status; what the program printed stays in out.txt and err.txt.
  int run(const std::string& locale, const std::string& arguments) {
    const std::string command = "cd '" + folder_.string() +
                                "' && env -u LC_ALL -u LC_NUMERIC -u LANG LC_ALL=" + locale + " '" +
                                GRANOMET_INFORME + "' " + arguments + " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string err() { return fileBytes(folder_ / "err.txt"); }

  fs::path folder_ = fs::temp_directory_path() / ("granomet_informe_" + std::to_string(::getpid()));
};

TEST_F(GranometInforme, WritesTheTableBesideTheFirstFileWithTheRegionalMark) {
  for (const char* name : {"plain_comma.csv", "mixed_comma.csv", "edited_comma.csv"}) {
    fs::copy_file(batchExpected(name), folder_ / name);
  }
  ASSERT_EQ(run("es_ES.UTF-8", "plain_comma.csv mixed_comma.csv edited_comma.csv"), 0) << err();
  EXPECT_EQ(fileBytes(folder_ / "plain_comma_estadisticos.csv"),
            fileBytes(testData() / "statistics/expected/examples_comma.csv"));

  ASSERT_EQ(run("C", "-o tabla.csv '" + batchExpected("plain_point.csv").string() + "'"), 0)
      << err();
  EXPECT_EQ(fileBytes(folder_ / "tabla.csv"),
            fileBytes(testData() / "statistics/expected/plain_point.csv"));
}

TEST_F(GranometInforme, ExitsWithOneForAFileItCouldNotReadAndTwoForWrongArguments) {
  fs::copy_file(batchExpected("plain_comma.csv"), folder_ / "r.csv");
  EXPECT_EQ(run("C", "r.csv falta.csv"), 1);
  EXPECT_NE(err().find("falta.csv: no se puede abrir el fichero."), std::string::npos) << err();
  EXPECT_TRUE(fs::exists(folder_ / "r_estadisticos.csv"));
  EXPECT_EQ(run("C", "-o r.csv r.csv"), 1);
  EXPECT_EQ(fileBytes(folder_ / "r.csv"), fileBytes(batchExpected("plain_comma.csv")));
  EXPECT_EQ(run("C", ""), 2);
  EXPECT_EQ(run("C", "-x r.csv"), 2);
  EXPECT_EQ(run("C", "-o '' r.csv"), 2);
}

}  // namespace
