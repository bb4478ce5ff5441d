// File and lot names, typed names and the names Windows takes for devices or for one file.
#include "data/file_names.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

namespace granomet {
namespace {

// The file's name follows the last slash of either kind; the lot's name is all before its last
// dot.
TEST(FileNames, TheFileNameAndTheLotName) {
  for (const auto& [path, fileName, lotName] :
       {std::tuple{"LOTE12", "LOTE12", std::optional<std::string>()},
        {"/home/lab/lotes/LOTE12.csv", "LOTE12.csv", "LOTE12"},
        {"C:\\Datos\\lote.2016.06.csv", "lote.2016.06.csv", "lote.2016.06"},
        {"/mnt/c\\mixto/dir\\.csv", ".csv", ""},
        {"/dir/", "", std::nullopt}}) {
    EXPECT_EQ(fileNamePart(path), fileName) << path;
    EXPECT_EQ(lotNameOf(fileName), lotName) << path;
  }
}

// A typed name is Windows-1252 text; a path shown in the window becomes that text.
TEST(FileNames, TypedNamesAndShownPathsCrossBetweenTextAndPath) {
  EXPECT_EQ(typedPath("Bah\xEDo/r.csv"), std::filesystem::path(u8"Bahío/r.csv"));
  EXPECT_EQ(pathText(u8"/lab/Bahío/LOTE12.csv"), "/lab/Bah\xEDo/LOTE12.csv");
  EXPECT_EQ(displayName(u8"/lab/Łódź/Łódź.csv"), "?\363d?.csv");  // \363: ó in Windows-1252
}

// Windows writes these to a device whatever follows the first dot; the rule is
// tested everywhere, though only the Windows build refuses them.
TEST(FileNames, DeviceNamesInAnyCaseWithAnyExtension) {
  for (const char* name : {"nul.csv", "NUL", "Con.txt", "aux.tar.gz", "prn .csv", "com1.csv",
                           "LPT9", "COM\xC2\xB9.csv", "conout$.csv", "carpeta/NUL.csv"}) {
    EXPECT_TRUE(isDeviceName(pathOfUtf8(name))) << name;
  }
  for (const char* name : {"null.csv", "com10.csv", "console.csv", "lpt.csv", "anul.csv",
                           "nul/r.csv", "resultados.csv"}) {
    EXPECT_FALSE(isDeviceName(pathOfUtf8(name))) << name;
  }
}

// Windows takes these for one name; the rule is tested everywhere, though only the
// Windows build compares names so.
TEST(FileNames, WindowsNamesCompareWithoutCaseAndTrailingDotsOrBlanks) {
  for (const auto& [a, b, same] :
       {std::tuple{"C:/Lab/LOTE12.csv", "c:/lab/lote12.CSV", true},
        {"/lab/LOTE12.csv. .", "/lab/LOTE12.csv", true},
        {"/lab./LOTE12.csv", "/lab/LOTE12.csv", true},
        {"/Bah\xC3\xADo/\xC3\xB1.csv", "/BAH\xC3\x8DO/\xC3\x91.csv", true},
        {"/lab/LOTE12.csv", "/lab/LOTE12.csv2", false},
        {"/lab/LOTE12.csv", "/lab/LOTE12.csv/x", false},
        {"/lab/\xC3\xB7.csv", "/lab/\xC3\x97.csv", false}}) {  // ÷ and × are no letters
    EXPECT_EQ(sameNameOnWindows(pathOfUtf8(a), pathOfUtf8(b)), same) << a << " " << b;
  }
}

}  // namespace
}  // namespace granomet
