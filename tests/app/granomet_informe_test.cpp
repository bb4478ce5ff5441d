// granomet-informe run as a script runs it: the table's name and decimal mark, the PDF report's
// text and pages, and its exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/csv_fields.h"
#include "support/expected_file.h"
#include "support/test_data.h"

namespace {

namespace fs = std::filesystem;
using granomet::testing::batchExpected;
using granomet::testing::csvFields;
using granomet::testing::expectSameAsFile;
using granomet::testing::fileBytes;
using granomet::testing::testData;

class GranometInforme : public ::testing::Test {
 protected:
  GranometInforme() { fs::create_directories(folder_); }
  ~GranometInforme() override { fs::remove_all(folder_); }

  // The exit status of a shell command line run in the folder in the locale, the built
  // granomet-informe first on the PATH; what it printed stays in out.txt and err.txt.
  int run(const std::string& locale, const std::string& commandLine) {
    const std::string command = "cd '" + folder_.string() + "' && export PATH='" +
                                fs::path(GRANOMET_INFORME).parent_path().string() +
                                "':\"$PATH\" LC_ALL=" + locale + " && unset LC_NUMERIC LANG && " +
                                commandLine + " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // What each command line prints and its exit status, in the C locale, the test's folder
  // as @CARPETA@.
  std::string said(std::initializer_list<std::string> commandLines) {
    std::string text;
    for (const std::string& line : commandLines) {
      const int status = run("C", line);
      text += "$ " + line + "\n" + fileBytes(folder_ / "out.txt") + "--- stderr\n" + err() +
              "--- exit " + std::to_string(status) + "\n";
    }
    return granomet::testing::replacedAll(text, folder_.string(), "@CARPETA@");
  }
  std::string err() { return fileBytes(folder_ / "err.txt"); }

  // The fields of each sample line of the results granomet-batch writes of a lot
  // granomet-gen makes with the options, in UTF-8.
  std::vector<std::vector<std::string>> generatedResults(const std::string& lot,
                                                         const std::string& options,
                                                         const std::string& results) {
    EXPECT_EQ(run("C", "'" GRANOMET_GEN "' --lot " + lot + " " + options + " . >/dev/null && " +
                           "granomet-batch --sin-archivo -o " + results + " " + lot + ".csv " +
                           lot + "_export.txt >/dev/null && iconv -f CP1252 -t UTF-8 " + results),
              0);
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(fileBytes(folder_ / "out.txt"));
    for (std::string line; std::getline(in, line);) {
      lines.push_back(csvFields(line));
    }
    lines.erase(lines.begin());  // the heading
    return lines;
  }

  // A failed report leaves the earlier one as it was and nothing beside it: the report is
  // made in a hidden file first.
  void expectEarlierReportKept(const std::string& earlier) {
    EXPECT_TRUE(fileBytes(folder_ / "informe.pdf") == earlier);
    for (const auto& entry : fs::directory_iterator(folder_)) {
      EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path() << " left";
    }
  }

  fs::path folder_ = fs::temp_directory_path() / ("granomet_informe_" + std::to_string(::getpid()));
};

// The expected tables come from tools/reference_statistics.py, a second calculation written
// apart from the program; granomet-informe.exe under Wine is compared with this program.
TEST_F(GranometInforme, WritesTheTableBesideTheFirstFileWithTheRegionalMark) {
  for (const char* name : {"plain_comma.csv", "mixed_comma.csv", "edited_comma.csv"}) {
    fs::copy_file(batchExpected(name), folder_ / name);
  }
  ASSERT_EQ(run("es_ES.UTF-8", "granomet-informe plain_comma.csv mixed_comma.csv edited_comma.csv"),
            0)
      << err();
  EXPECT_EQ(fileBytes(folder_ / "plain_comma_estadisticos.csv"),
            fileBytes(testData() / "statistics/expected/examples_comma.csv"));

  for (const auto& [results, table] :
       {std::pair{batchExpected("plain_point.csv"), "plain_point.csv"},
        std::pair{testData() / "statistics/odd_samples.csv", "odd_samples_point.csv"}}) {
    ASSERT_EQ(run("C", "granomet-informe -o tabla.csv '" + results.string() + "'"), 0) << err();
    EXPECT_EQ(fileBytes(folder_ / "tabla.csv"),
              fileBytes(testData() / "statistics/expected" / table));
  }
}

// Each output's refusals, their messages and exit status against a reviewed text, and
// nothing the user had touched. The table: a file it could not read (1, the table written all
// the same), wrong arguments (2), -o and -p naming one file however spelt (2, the report would
// replace the table). The samples' GeoPackage (-g): never over a results file or another
// output however spelt, written alone when neither -o nor -p is asked for; a background
// without a report is a wrong argument (its layer is read in geodata_tests). The report:
// refused over a results file or without one; a copy without the program that draws the
// report writes the table alone; a system without the report's font would get a report of
// boxes, said to be made; a report made tells a pipe nothing; no report not made touches the
// earlier one.
TEST_F(GranometInforme, EachOutputRefusedSaysWhyAndTouchesNothingTheUserHad) {
  fs::copy_file(batchExpected("plain_comma.csv"), folder_ / "r.csv");
  std::ofstream(folder_ / "t.csv") << "tabla anterior" << std::flush;
  fs::create_directory(folder_ / "sub");
  fs::create_symlink("t.csv", folder_ / "enlace.pdf");
#if GRANOMET_GDAL
  expectSameAsFile(
      said({"granomet-informe -g r.csv r.csv", "granomet-informe -g '' r.csv",
            "granomet-informe -o t.csv -g ./t.csv r.csv",
            "granomet-informe -p t.csv -g sub/../t.csv r.csv", "granomet-informe -g sub r.csv",
            "granomet-informe --fondo costa.geojson r.csv",
            "granomet-informe -g muestras.gpkg r.csv falta.csv"}),
      testData() / "app/informe_layer_refusals.txt");
  EXPECT_TRUE(fs::exists(folder_ / "muestras.gpkg"));
  EXPECT_FALSE(fs::exists(folder_ / "r_estadisticos.csv"));
#endif
  expectSameAsFile(said({"granomet-informe r.csv falta.csv", "granomet-informe -o r.csv r.csv",
                         "granomet-informe ", "granomet-informe -x r.csv",
                         "granomet-informe -o '' r.csv", "granomet-informe -o t.csv -p t.csv r.csv",
                         "granomet-informe -o t.csv -p sub/../t.csv r.csv",
                         "granomet-informe -o enlace.pdf -p t.csv r.csv",
                         "granomet-informe -o nuevo.csv -p ./nuevo.csv r.csv"}),
                   testData() / "app/informe_refusals.txt");
  EXPECT_TRUE(fs::exists(folder_ / "r_estadisticos.csv"));
  EXPECT_EQ(fileBytes(folder_ / "t.csv"), "tabla anterior");
  EXPECT_FALSE(fs::exists(folder_ / "nuevo.csv"));
#if GRANOMET_PDF
  std::ofstream(folder_ / "informe.pdf", std::ios::binary) << "anterior";
  fs::create_directories(folder_ / "sin_fuentes");
  std::ofstream(folder_ / "fonts.conf")
      << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig><dir>"
      << (folder_ / "sin_fuentes").string() << "</dir><cachedir>" << (folder_ / "cache").string()
      << "</cachedir></fontconfig>\n";
  fs::create_directory(folder_ / "solo");
  fs::copy_file(GRANOMET_INFORME, folder_ / "solo/granomet-informe");
  const std::string noFont = "export FONTCONFIG_FILE='" + (folder_ / "fonts.conf").string() + "'; ";
  expectSameAsFile(said({"granomet-informe -p r.csv r.csv", "granomet-informe -p '' r.csv",
                         "granomet-informe -p informe.pdf falta.csv",
                         noFont + "granomet-informe -p informe.pdf r.csv",
                         "solo/granomet-informe -o t.csv -p informe.pdf r.csv",
                         "granomet-informe -p nuevo.pdf r.csv"}),
                   testData() / "app/informe_report_refusals.txt");
  EXPECT_NE(fileBytes(folder_ / "t.csv"), "tabla anterior");
  expectEarlierReportKept("anterior");
  // Someone at a terminal sees how far the report is.
  ASSERT_EQ(run("C", "script -qec 'granomet-informe -p nuevo.pdf r.csv' /dev/null"), 0);
  const std::string seen = fileBytes(folder_ / "out.txt");
  EXPECT_NE(seen.find("\rInforme: página 33 de 33\r\n"), std::string::npos) << seen;
#if GRANOMET_GDAL
  // A background it cannot read is told, and the report drawn without it: exit 1, as for a
  // results file it could not read.
  std::ofstream(folder_ / "costa.geojson")
      << R"({"type": "FeatureCollection", "features": [{"type": "Feature", "properties": {},)"
      << R"("geometry": {"type": "LineString", "coordinates": [[-6.5, 36.4], [-6.3, 36.6]]}}]})";
  expectSameAsFile(said({"granomet-informe -p costa.pdf --fondo costa.geojson r.csv",
                         "granomet-informe -p sin_fondo.pdf --fondo falta.gpkg r.csv"}),
                   testData() / "app/informe_background.txt");
  EXPECT_TRUE(fs::exists(folder_ / "costa.pdf") && fs::exists(folder_ / "sin_fondo.pdf"));
#endif
#endif
  EXPECT_EQ(fileBytes(folder_ / "r.csv"), fileBytes(batchExpected("plain_comma.csv")));
}

#if GRANOMET_PDF

// A word of a PDF page as poppler reads it: its box in points and its text.
struct Word {
  double x = 0;
  double y = 0;
  double height = 0;
  std::string text;
  double width = 0;
};
using Line = std::vector<Word>;
using Page = std::map<double, Line>;  // by the line's top

// Every page of the folder's informe.pdf, its lines of words top to bottom and left to
// right; which: poppler's options that choose the pages ("-l 30").
std::vector<Page> pdfLines(const fs::path& folder, const std::string& which = {}) {
  EXPECT_EQ(std::system(("cd '" + folder.string() + "' && pdftotext -bbox " + which +
                         " informe.pdf informe.html")
                            .c_str()),
            0);
  std::vector<Page> pages;
  std::istringstream in(fileBytes(folder / "informe.html"));
  for (std::string line; std::getline(in, line);) {
    double left = 0, top = 0, right = 0, bottom = 0;
    int textStart = 0;
    if (line.find("<page ") != std::string::npos) {
      pages.emplace_back();
    } else if (std::sscanf(line.c_str(),
                           " <word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\">%n", &left,
                           &top, &right, &bottom, &textStart) == 4 &&
               textStart > 0 && !pages.empty()) {
      Line& words = pages.back()[std::round(top * 10) / 10];
      words.insert(
          std::find_if(words.begin(), words.end(), [&](auto& w) { return w.x > left; }),
          {left, top, bottom - top,
           line.substr(static_cast<std::size_t>(textStart), line.find("</word>") - textStart),
           right - left});
    }
  }
  return pages;
}

// The number a word of one to three digits is, else -1.
int smallNumber(const std::string& word) {
  const bool digits = word.find_first_not_of("0123456789") == std::string::npos;
  return !word.empty() && word.size() <= 3 && digits ? std::stoi(word) : -1;
}

std::string joined(const Line& line) {
  std::string text;
  for (const Word& word : line) {
    text += (text.empty() ? "" : " ") + word.text;
  }
  return text;
}

// Whether two word boxes share more than a hair of ink.
bool overlap(const Word& a, const Word& b) {
  constexpr double kHair = 0.3;
  return std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x) > kHair &&
         std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y) > kHair;
}

// No word of `words` over another.
void expectApart(const std::vector<Word>& words, const std::string& where) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    for (std::size_t j = i + 1; j < words.size(); ++j) {
      EXPECT_FALSE(overlap(words[i], words[j]))
          << where << ": " << words[i].text << " over " << words[j].text << " at " << words[i].x
          << ", " << words[i].y;
    }
  }
}

// A chart of all samples' curves, as its words lie: none inside its plot, none over
// another. The plot is where its axes' end labels are centred: 0,01 µm and 10000 µm
// along the foot, the lowest and highest value left of it.
void expectLabelsApart(const std::vector<Word>& chart) {
  double left = -1, right = -1;
  for (const Word& word : chart) {
    left = word.text == "0.01" ? word.x + word.width / 2 : left;
    right = word.text == "10000" ? word.x + word.width / 2 : right;
  }
  ASSERT_GT(left, 0);
  ASSERT_GT(right, left);
  double top = 1e9, bottom = -1;
  for (const Word& word : chart) {
    if (word.x + word.width < left &&
        word.text.find_first_not_of("0123456789") == std::string::npos) {
      top = std::min(top, word.y + word.height / 2);
      bottom = word.text == "0" ? word.y + word.height / 2 : bottom;
    }
  }
  ASSERT_GT(bottom, top);
  const Word interior{left + 0.5, top + 0.5, bottom - top - 1, "plot", right - left - 1};
  for (const Word& word : chart) {
    EXPECT_FALSE(overlap(word, interior)) << word.text << " in the plot";
  }
  expectApart(chart, "a curves chart");
}

// The whole report's words as pdftotext -layout sets them, against a text read and
// checked by hand, date aside: the example lot; the awkward samples (a class below 0,
// classes that do not add up, one class, two peaks...); the example with its first
// sample's classes edited to weigh less than nothing each, whose warnings run over its
// second page and push its class table onto a third (report/every_class_below_nothing.csv).
// No page is empty or inked at its edges, no label of a sample page's charts lies over
// another.
TEST_F(GranometInforme, TheReportSaysWhatItsReviewedTextSays) {
  const struct {
    fs::path results;
    const char* locale;
    const char* expected;
  } cases[] = {
      {batchExpected("plain_comma.csv"), "es_ES.UTF-8", "plain_comma.txt"},
      {testData() / "statistics/odd_samples.csv", "C", "odd_samples.txt"},
      {testData() / "report/every_class_below_nothing.csv", "C", "every_class_below_nothing.txt"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    fs::copy_file(c.results, folder_ / "r.csv", fs::copy_options::overwrite_existing);
    // The report, its text with the date as @FECHA@, its pages in grey.
    ASSERT_EQ(run(c.locale,
                  "granomet-informe -p informe.pdf r.csv >/dev/null && pdftotext -layout "
                  "informe.pdf - | sed -E 's|(Fecha[^:]*: )[0-9]{2}/[0-9]{2}/[0-9]{4}|\\1@FECHA@|' "
                  ">informe.txt && rm -rf paginas && mkdir paginas && pdftoppm -r 20 -gray "
                  "informe.pdf paginas/p"),
              0);
    EXPECT_FALSE(fs::exists(folder_ / "r_estadisticos.csv")) << "-p alone writes no table";
    expectSameAsFile(fileBytes(folder_ / "informe.txt"), testData() / "report" / c.expected);
    for (const auto& entry : fs::directory_iterator(folder_ / "paginas")) {
      SCOPED_TRACE(entry.path().filename().string());
      // The page drawn in grey, 255 for white: A4 at 20 dots per inch, whose margins of 40
      // points are 11 dots: the outer 6 stay white.
      std::istringstream in(fileBytes(entry.path()));
      std::string magic;
      int width = 0, height = 0, inked = 0, edge = 0;
      in >> magic >> width >> height >> magic;
      in.get();
      const std::string pixels(std::istreambuf_iterator<char>(in), {});
      ASSERT_TRUE(width > 150 && pixels.size() == static_cast<std::size_t>(width * height));
      for (int x = 0, y = 0, i = 0; i < width * height; ++i, x = i % width, y = i / width) {
        const bool dark = static_cast<unsigned char>(pixels[static_cast<std::size_t>(i)]) < 200;
        inked += dark ? 1 : 0;
        edge += dark && (std::min(x, y) < 6 || x >= width - 6 || y >= height - 6);
      }
      EXPECT_EQ(edge, 0) << "ink at the edge";
      EXPECT_GT(inked, 400) << "no more than the footer";
    }
    // A sample's charts, from the heading's lines to the tables; the reviewed text shows
    // how many sample pages there are.
    for (const Page& page : pdfLines(folder_)) {
      const std::string heading = page.empty() ? std::string() : joined(page.begin()->second);
      if (heading.rfind("Muestra ", 0) == 0 && heading.find("continuaci") == std::string::npos) {
        std::vector<Word> charts;
        for (auto line = std::next(page.begin(), 5);
             line != page.end() && line->second.front().text != "Composición"; ++line) {
          charts.insert(charts.end(), line->second.begin(), line->second.end());
        }
        expectApart(charts, heading);
      }
    }
  }
}

// A sample's number is beside its point, in the triangle's small numbers, or in the
// list under it or on the pages after it, before the sample's name: once, in one
// of them, whatever the number of samples.
// Every sample's curves are keyed in their pages' legends by its number and name,
// on charts whose labels stand apart; no text is printed under 7 points.
TEST_F(GranometInforme, AFullLotsSamplesAreFoundOnEachTriangleAndCurvesPageInLegibleType) {
  std::vector<std::string> names{""};
  for (const auto& fields : generatedResults("LOTE12", "--samples 254 --seed 3", "r.csv")) {
    names.push_back(fields.at(1));
  }
  const int samples = static_cast<int>(names.size()) - 1;
  ASSERT_EQ(samples, 254);
  ASSERT_EQ(run("C", "granomet-informe -p informe.pdf r.csv"), 0) << err();
  // The sample whose number line[i] is, if its name follows; else 0.
  const auto named = [&](const Line& line, std::size_t i) {
    const int number = smallNumber(line[i].text);
    const bool listed = number >= 1 && number <= samples && i + 1 < line.size();
    return listed && line[i + 1].text == names[static_cast<std::size_t>(number)] ? number : 0;
  };

  // By each triangle's title, how often each number is found on its pages.
  std::map<std::string, std::map<int, int>> triangles = {
      {"Clasificación de Shepard (1954): arena, limo y arcilla", {}},
      {"Grupos texturales de Folk (1954): grava, arena y fango", {}},
      {"Grupos texturales de Folk (1954): arena, limo y arcilla, muestras sin grava", {}},
  };
  int gravelly = -1;
  std::map<int, int> keyed;  // how often each number in a curves legend
  // Liberation Sans's words are 1.117 times their type's size high in poppler's boxes.
  constexpr double kSmallestWord = 7 * 1.11;
  const std::vector<Page> pages = pdfLines(folder_);
  for (std::size_t page = 0; page < pages.size(); ++page) {
    std::map<int, int>* triangle = nullptr;
    std::vector<std::vector<Word>> charts;
    for (const auto& [top, line] : pages[page]) {
      const std::string text = joined(line);
      for (const Word& word : line) {
        // A word turned along a value axis is as wide as its type is high: of a
        // letter alone, its length may be less.
        const bool letter = word.text.size() <= 2;
        EXPECT_GE(letter ? std::max(word.height, word.width) : word.height, kSmallestWord)
            << word.text << " on page " << page + 1;
      }
      if (text.rfind("Curvas de frecuencia", 0) == 0 || text.rfind("Curvas acumuladas", 0) == 0) {
        charts.emplace_back();
      }
      if (text.rfind("Granomet", 0) == 0) {
        continue;  // the footer
      }
      for (std::size_t i = 0; !charts.empty() && i < line.size(); ++i) {
        charts.back().push_back(line[i]);
        keyed[named(line, i)] += 1;
      }
      triangle = triangles.count(text) > 0 ? &triangles[text] : triangle;
      if (triangle == nullptr) {
        continue;
      }
      if (const auto at = text.find(" muestras con grava"); at != std::string::npos) {
        gravelly = std::stoi(text.substr(0, at));
      }
      for (std::size_t i = 0; i < line.size(); ++i) {
        // In the list, before its sample's name; else beside its point, unless it
        // counts the samples a note leaves out.
        const int number = smallNumber(line[i].text);
        if (number >= 0 && (named(line, i) > 0 || text.find(" muestras ") == std::string::npos)) {
          ++(*triangle)[number];
        }
      }
    }
    for (const std::vector<Word>& chart : charts) {
      SCOPED_TRACE("page " + std::to_string(page + 1));
      expectLabelsApart(chart);
    }
  }
  // Each in the frequency and in the cumulative chart's legend of one page.
  keyed.erase(0);
  EXPECT_EQ(static_cast<int>(keyed.size()), samples);
  for (const auto& [number, times] : keyed) {
    EXPECT_EQ(times, 2) << number;
  }
  for (const auto& [title, found] : triangles) {
    SCOPED_TRACE(title);
    // Folk's sand-silt-clay triangle holds the samples without gravel alone.
    EXPECT_EQ(static_cast<int>(found.size()),
              title.ends_with("sin grava") ? samples - gravelly : samples);
    for (const auto& [number, times] : found) {
      EXPECT_TRUE(number >= 1 && number <= samples && times == 1) << number << ": " << times;
    }
  }
  EXPECT_GT(gravelly, 0);

  // Past 512 KB the system refuses to write, as a full disk would: the drawing stops.
  const std::string drawn = fileBytes(folder_ / "informe.pdf");
  EXPECT_EQ(run("C", "trap '' XFSZ; ulimit -f 1024; granomet-informe -p informe.pdf r.csv"), 1);
  EXPECT_NE(err().find("No se puede escribir el informe informe.pdf"), std::string::npos) << err();
  expectEarlierReportKept(drawn);
}

// Two lots of the lab's long names, a sample of each not exported: the summary and
// the triangles number every sample by its lot and its order number in it
// ("LOTEA/4" for the third row), show every name whole within its column, and no
// word on their pages lies over another.
TEST_F(GranometInforme, SummaryAndTrianglesShowWholeNamesAndLotNumbersAndNoWordOverAnother) {
  std::vector<std::pair<std::string, std::string>> expected;  // number, name
  for (const std::string lot : {"LOTEA", "LOTEB"}) {
    const std::string seed = std::to_string(expected.size() + 1);
    const std::string options =
        "--samples 120 --lab-names --orders 1,2,$(seq -s, 4 120) --seed " + seed;
    for (const auto& fields : generatedResults(lot, options, lot + "_01012020_000000.csv")) {
      expected.emplace_back(lot + "/" + fields.at(0), fields.at(1));
    }
  }
  ASSERT_EQ(expected.size(), 238u);
  ASSERT_EQ(expected[2].first, "LOTEA/4");
  ASSERT_EQ(
      run("C",
          "granomet-informe -p informe.pdf LOTEA_01012020_000000.csv LOTEB_01012020_000000.csv"),
      0)
      << err();

  std::vector<std::pair<std::string, std::string>> rows;
  int trianglePages = 0;
  for (const Page& page : pdfLines(folder_, "-l 40")) {
    const std::string heading = page.empty() ? "" : joined(page.begin()->second);
    const bool summary = heading.rfind("Informe granulom", 0) == 0 ||
                         heading.rfind("Resumen de las muestras", 0) == 0;
    const bool triangle = heading.rfind("Clasificaci\xC3\xB3n de Shepard", 0) == 0 ||
                          heading.rfind("Grupos texturales de Folk", 0) == 0;
    if (!summary && !triangle) {
      continue;
    }
    trianglePages += summary ? 0 : 1;
    std::vector<Word> words;
    for (const auto& [top, line] : page) {
      words.insert(words.end(), line.begin(), line.end());
    }
    expectApart(words, heading);
    if (!summary) {
      continue;
    }
    // The rows: a number starts one, its name lies between the column titles
    // "Muestra" and "Clase", over more than one line where it wraps after a space or
    // a hyphen.
    double nameLeft = -1, nameEnd = -1;
    for (const auto& [top, line] : page) {
      if (nameLeft < 0) {
        for (std::size_t i = 0; i + 1 < line.size(); ++i) {
          if (line[i].text == "Muestra" && line[i + 1].text == "Clase") {
            nameLeft = line[i].x - 1;
            nameEnd = line[i + 1].x;
          }
        }
        continue;
      }
      if (line.front().text == "Granomet") {
        break;
      }
      for (const Word& word : line) {
        if (word.x < nameLeft) {
          rows.emplace_back(word.text, "");
        } else if (word.x < nameEnd && !rows.empty()) {
          EXPECT_LE(word.x + word.width, nameEnd) << word.text << " beyond its column";
          std::string& name = rows.back().second;
          name += (name.empty() || name.back() == '-' ? "" : " ") + word.text;
        }
      }
    }
  }
  EXPECT_EQ(rows, expected);  // on more pages than one: no page holds 238 rows
  EXPECT_GE(trianglePages, 2);
}

// Results files edited by hand far beyond any sediment: weights of hundreds of
// digits, a class near the largest double. The report is drawn all the same, and soon.
TEST_F(GranometInforme, FiguresBeyondAnySedimentStillGiveAReport) {
  int reports = 0;
  for (const fs::path& folder : {testData() / "../fuzz/regressions/statistics_table",
                                 testData() / "../../fuzz/seeds/statistics_table"}) {
    for (const auto& entry : fs::directory_iterator(folder)) {
      SCOPED_TRACE(entry.path().filename().string());
      fs::remove(folder_ / "informe.pdf");
      // pdfinfo reads the report only when it is said to be made.
      const std::string report = "granomet-informe -p informe.pdf '" + entry.path().string() + "'";
      ASSERT_EQ(run("C", report + " >/dev/null && pdfinfo informe.pdf"), 0) << err();
      ++reports;
    }
  }
  EXPECT_GE(reports, 4);
}

#endif

}  // namespace
