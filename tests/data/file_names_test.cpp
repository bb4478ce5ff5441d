// The bare file name, the lot name and the proposed results file name.
#include "data/file_names.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace granomet {
namespace {

TEST(FileNames, CutsAtTheLastSlashOfEitherKind) {
  EXPECT_EQ(fileNamePart("/home/lab/lotes/LOTE12.csv"), "LOTE12.csv");
  EXPECT_EQ(fileNamePart("C:\\Datos\\LOTE12.csv"), "LOTE12.csv");
  EXPECT_EQ(fileNamePart("/mnt/c\\mixto/dir\\LOTE12.csv"), "LOTE12.csv");
  EXPECT_EQ(fileNamePart("LOTE12.csv"), "LOTE12.csv");
  EXPECT_EQ(fileNamePart("/dir/"), "");
}

// A typed name is Windows-1252 text; a path shown in the window becomes that text.
TEST(FileNames, TypedNamesAndShownPathsCrossBetweenTextAndPath) {
  EXPECT_EQ(typedPath("Bah\xEDo/r.csv"), std::filesystem::path(u8"Bahío/r.csv"));
  EXPECT_EQ(pathText(u8"/lab/Bahío/LOTE12.csv"), "/lab/Bah\xEDo/LOTE12.csv");
  EXPECT_EQ(displayName(u8"/lab/Łódź/Łódź.csv"),
            "?\xF3"
            "d?.csv");
}

TEST(FileNames, TheLotNameIsEverythingBeforeTheLastDot) {
  EXPECT_EQ(lotNameOf("LOTE12.csv"), "LOTE12");
  EXPECT_EQ(lotNameOf("lote.2016.06.csv"), "lote.2016.06");
  EXPECT_EQ(lotNameOf(".csv"), "");
  EXPECT_EQ(lotNameOf("LOTE12"), std::nullopt);
}

// Windows writes these to a device whatever follows the first dot; the rule is
// tested everywhere, though only the Windows build refuses them.
TEST(FileNames, DeviceNamesInAnyCaseWithAnyExtension) {
  const std::vector<std::pair<const char*, bool>> cases = {
      {"nul.csv", true},
      {"NUL", true},
      {"Con.txt", true},
      {"aux.tar.gz", true},
      {"prn .csv", true},
      {"com1.csv", true},
      {"LPT9", true},
      {"COM\xC2\xB9.csv", true},
      {"conout$.csv", true},
      {"carpeta/NUL.csv", true},
      {"null.csv", false},
      {"com10.csv", false},
      {"console.csv", false},
      {"lpt.csv", false},
      {"anul.csv", false},
      {"nul/r.csv", false},
      {"resultados.csv", false},
  };
  for (const auto& [name, device] : cases) {
    EXPECT_EQ(isDeviceName(pathOfUtf8(name)), device) << name;
  }
}

// A typed results name loses what Windows would drop; what is left may still name a folder.
TEST(FileNames, TypedResultsNamesLoseBlanksAndDotsAtTheirEnds) {
  const std::vector<std::tuple<const char*, const char*, bool>> cases = {
      {" LOTE12.csv. ", "LOTE12.csv", false}, {"r.csv . .", "r.csv", false},
      {"a b.csv", "a b.csv", false},          {"..", "", false},
      {"carpeta/.", "carpeta/", true},        {"LOTE12.csv/ ", "LOTE12.csv/", true},
  };
  for (const auto& [typed, taken, folder] : cases) {
    EXPECT_EQ(typedResultsName(typed), taken) << typed;
    EXPECT_EQ(endsInSeparator(typedResultsName(typed)), folder) << typed;
  }
}

// Windows takes these for one name; the rule is tested everywhere, though only the
// Windows build compares names so.
TEST(FileNames, WindowsNamesCompareWithoutCaseAndTrailingDotsOrBlanks) {
  const std::vector<std::tuple<const char*, const char*, bool>> cases = {
      {"C:/Lab/LOTE12.csv", "c:/lab/lote12.CSV", true},
      {"/lab/LOTE12.csv. .", "/lab/LOTE12.csv", true},
      {"/lab./LOTE12.csv", "/lab/LOTE12.csv", true},
      {"/Bah\xC3\xADo/\xC3\xB1.csv", "/BAH\xC3\x8DO/\xC3\x91.csv", true},
      {"/lab/LOTE12.csv", "/lab/LOTE12.csv2", false},
      {"/lab/LOTE12.csv", "/lab/LOTE12.csv/x", false},
      {"/lab/\xC3\xB7.csv", "/lab/\xC3\x97.csv", false},  // ÷ and × are no letters
  };
  for (const auto& [a, b, same] : cases) {
    EXPECT_EQ(sameNameOnWindows(pathOfUtf8(a), pathOfUtf8(b)), same) << a << " " << b;
  }
}

TEST(FileNames, ResultsNameTakesDayMonthYearAndTwoDigitTimePieces) {
  struct Case {
    LocalDateTime time;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {{2016, 6, 6, 9, 30, 5}, "LOTE12_06062016_093005.csv"},
      {{2016, 6, 6, 9, 5, 7}, "LOTE12_06062016_090507.csv"},  // one-digit hour
      {{2016, 6, 6, 14, 5, 7}, "LOTE12_06062016_140507.csv"},
      {{2026, 12, 31, 0, 0, 0}, "LOTE12_31122026_000000.csv"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(proposedResultsName("LOTE12", c.time), c.expected);
  }
}

}  // namespace
}  // namespace granomet
