#include "archive/sqlite_archive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <tuple>

#include "archive/open_archive.h"
#include "archive_folder.h"
#include "compute/shepard.h"
#include "workflow/messages.h"

// GCC 12 warns of each field a designated initializer leaves to its default: the filters
// below name only the fields they set.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace granomet {
namespace {

using testing::ArchiveFolder;
using testing::fileBytes;
using testing::importOf;
using testing::replacedAll;

ArchiveSort sortedBy(ArchiveColumn column, bool descending = false) {
  return {column, descending};
}

std::vector<std::int64_t> idsOf(const std::vector<ArchivedSample>& samples) {
  std::vector<std::int64_t> ids;
  std::ranges::transform(samples, std::back_inserter(ids), &ArchivedSample::id);
  return ids;
}

// The file's lines as the results reader counts them, each with its line end.
std::vector<std::string> linesOf(const std::string& bytes) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end = 0; start < bytes.size(); start = end) {
    end = std::min(bytes.find("\r\n", start), bytes.size() - 2) + 2;
    lines.push_back(bytes.substr(start, end - start));
  }
  return lines;
}

// LOTE12: 12 samples of GOLFO-16 run on 6 June 2016, samples 1 and 11's description holding a
// line break (their lines two of the file's); LOTE20: 14 samples of CÁDIZ-17 named Peñón-01... run
// on 7 July 2017; an older LOTE12 run of 2015.
class SqliteArchiveOfTwoLots : public ::testing::Test {
 protected:
  SqliteArchiveOfTwoLots() {
    for (const auto& [name, bytes] : {std::pair{"LOTE12_06062016_103105.csv", lot12_},
                                      {"LOTE20_07072017_080000.csv", lot20_},
                                      {"LOTE12_01012015_000000.csv", lot12Of2015_}}) {
      EXPECT_EQ(archive_->addRun(importOf(folder_.write(name, bytes))).end, AddRunEnd::Added);
    }
  }
  const ArchiveFolder folder_{"archive_two_lots"};
  const std::string lot12_ =
      replacedAll(fileBytes(folder_.results("a.csv")), "Arena fina, con", "Arena fina,\r\ncon");
  const std::string lot20_ =
      replacedAll(replacedAll(fileBytes(folder_.results("m.csv", "mixed_comma")), "GOLFO-16",
                              "C\xC1"
                              "DIZ-17"),
                  "\"M-", "\"Pe\xF1\xF3n-");
  const std::string lot12Of2015_ = fileBytes(folder_.results("b.csv", "plain_comma", "01/01/2015"));
  const std::unique_ptr<Archive> archive_ = openArchive(folder_.archive(), ArchiveAccess::Write);
};

TEST_F(SqliteArchiveOfTwoLots, GivesRunsBackByteForByteWhateverSamplesAreChosen) {
  const auto all12 =
      archive_->samples(ArchiveFilter{.lot = "LOTE12"}, sortedBy(ArchiveColumn::LotNumber), 0, 100);
  const auto all20 =
      archive_->samples(ArchiveFilter{.lot = "LOTE20"}, sortedBy(ArchiveColumn::LotNumber), 0, 100);
  ASSERT_EQ(std::tuple(all12.size(), all20.size()), std::tuple(12U, 14U));

  // A few samples of each asked for out of order (the last of its file among them), the second
  // run first.
  const auto some = archive_->resultsFilesOf(
      {all20[5].id, all12[2].id, all20[1].id, all12[11].id, all12[0].id, all20[5].id, 999999});
  ASSERT_EQ(some.size(), 2U);
  const auto mixedLines = linesOf(lot20_);
  EXPECT_EQ(some[0].name, "LOTE20_07072017_080000.csv");
  EXPECT_EQ(some[0].bytes, mixedLines[0] + mixedLines[2] + mixedLines[6]);
  const auto plainLines = linesOf(lot12_);
  EXPECT_EQ(some[1].name, "LOTE12_06062016_103105.csv");
  EXPECT_EQ(some[1].bytes,
            plainLines[0] + plainLines[1] + plainLines[2] + plainLines[4] + plainLines.back());
  EXPECT_EQ(resultsSetOf(some).samples(), 5);
}

TEST(SqliteArchive, TheLatestRunOfASampleIsItsCurrentVersion) {
  const ArchiveFolder folder("archive_versions");
  const auto archive = openArchive(folder.archive(), ArchiveAccess::Write);
  // Dated by their names, the bytes differing in the lines' date: one of the same moment
  // archived later, then an older run.
  archive->addRun(
      importOf(folder.results("LOTE12_07062016_090000.csv", "plain_comma", "07/06/2016")));
  const AddedRun sameMoment = archive->addRun(
      importOf(folder.results("LOTE12_07062016_090000.csv", "plain_comma", "7/6/2016")));
  archive->addRun(
      importOf(folder.results("LOTE12_01062016_120000.csv", "plain_comma", "01/06/2016")));
  const ArchiveFilter every{.allVersions = true};
  for (const ArchivedSample& sample : archive->samples(every, {}, 0, 100)) {
    EXPECT_EQ(sample.current, sample.runId == sameMoment.runId) << sample.runId;
  }

  // The same results file again adds nothing, under any name.
  const AddedRun again =
      archive->addRun(importOf(folder.results("copia.csv", "plain_comma", "7/6/2016")));
  EXPECT_EQ(std::tuple(again.end, again.runId),
            std::tuple(AddRunEnd::AlreadyArchived, sameMoment.runId));
  EXPECT_EQ(archive->countSamples(every), 36);
  EXPECT_EQ(archive->runs().size(), 3U);
}

TEST(SqliteArchive, TellsEachRunsMomentLotAndDecimalMark) {
  const ArchiveFolder folder("archive_run_records");
  const auto archive = openArchive(folder.archive(), ArchiveAccess::Write);
  // The window's run gives everything; an import, the name's stamp, else the lines'
  // date, else the file's time, and the mark its numbers are written with.
  archive->addRun({.resultsFile = folder.results("resultados.csv"),
                   .lotFile = folder.write("LOTE12.csv", "lote"),
                   .exportFile = folder.path() / "falta.txt",
                   .lotName = "LOTE-Ñ",
                   .when = LocalDateTime{2020, 2, 29, 23, 59, 58},
                   .decimalMark = '.',
                   .origin = RunOrigin::Window});
  archive->addRun(importOf(folder.results("L_31122019_010203.csv", "plain_comma", "01/01/2000")));
  // Given relative to the working folder, recorded whole, to be checked from anywhere.
  const auto unstamped = folder.results("sin_sello.csv", "plain_point", "15/03/2018");
  archive->addRun(importOf(std::filesystem::relative(unstamped)));
  archive->addRun(importOf(folder.results("sin_fecha.csv", "edited_comma", "")));
  const std::string today = archive->runs().back().dateTime;  // the file's, just written
  const std::tuple<std::string, std::string, char, RunOrigin> expected[] = {
      {"LOTE-Ñ", "2020-02-29T23:59:58", '.', RunOrigin::Window},
      {"L", "2019-12-31T01:02:03", ',', RunOrigin::Import},
      {"sin_sello", "2018-03-15T00:00:00", '.', RunOrigin::Import},
      {"sin_fecha", today.substr(0, 4) >= "2024" ? today : "(not today)", ',', RunOrigin::Import},
  };
  const auto runs = archive->runs();
  ASSERT_EQ(runs.size(), 4U);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(std::tie(runs[i].lot, runs[i].dateTime, runs[i].decimalMark, runs[i].origin),
              expected[i])
        << i;
    EXPECT_EQ(runs[i].samples, i == 3 ? 6 : 12);
    EXPECT_EQ(runs[i].lotFile.has_value(), i == 0);
  }
  EXPECT_EQ(runs[0].lotFile->size, 4U);
  EXPECT_EQ(runs[0].lotFile->sha256,
            "cbcc76b499e38eea951d9ac7fa676de8d780c8eac01d4a417e6da2340e7ec97d");
  EXPECT_EQ(runs[0].exportFile->sha256, "");  // named, but it could not be read
  EXPECT_EQ(runs[2].resultsFile.name, unstamped.string());

  // The check hashes the lot file again too, and tells a file gone from one changed.
  folder.write("LOTE12.csv", "lote cambiado");
  std::filesystem::remove(folder.path() / "sin_fecha.csv");
  const ArchiveCheck check = archive->check();
  EXPECT_EQ(
      std::tie(check.databaseSound, check.filesChecked, check.filesMissing, check.filesChanged,
               check.problems),
      std::tuple(
          true, 4, 1, 1,
          std::vector{messages::archivedFileChanged((folder.path() / "LOTE12.csv").string())}));
}

TEST_F(SqliteArchiveOfTwoLots, FiltersAsTheListingAsks) {
  const std::pair<ArchiveFilter, std::int64_t> cases[] = {
      {{}, 26},  // the current versions
      {{.allVersions = true}, 38},
      {{.campaign = "cadiz-17"}, 14},
      {{.campaign = "CÁDIZ-17"}, 14},
      {{.campaign = "cádiz"}, 0},  // equal, not contained
      {{.lot = "lote12"}, 12},
      {{.lot = "Lote12", .allVersions = true}, 24},
      {{.sample = "PENON-1"}, 7},
      {{.sample = "ñón-0"}, 6},
      {{.sample = "M_0%"}, 0},  // no pattern
      {{.shepard = "sand"}, 12},
      {{.shepard = std::to_string(shepardCodeOf("Sand"))}, 12},
      {{.shepard = "Arena"}, 12},
      {{.campaign = "golfo-16", .shepard = "limo ARENOSO"}, 1},
      {{.shepard = "Grava"}, 0},
      {{.campaign = "GOLFO-16", .shepard = "SANDY_SILT"}, 1},
      {{.folk = "(g)S"}, 10},
      {{.folk = "M"}, 1},
      {{.folk = "(G)s"}, 0},  // case kept
      {{.depthMin = 10, .depthMax = 20}, 6},
      {{.depthMin = 15.6, .depthMax = 15.6}, 1},  // inclusive
      {{.depthMin = 38.4}, 4},
      {{.zone = GeoBox{-6.30, 36.40, -6.20, 36.60}}, 8},
      {{.zone = GeoBox{170, 36.40, -6.25, 36.60}}, 23},  // across 180°
      {{.zone = GeoBox{-6.2, 36.4, -6.1, 36.6}}, 0},
      {{.since = LocalDateTime{2017, 7, 7}}, 14},
      {{.until = LocalDateTime{2016, 6, 6}}, 12},
      {{.since = LocalDateTime{2016, 6, 7}, .until = LocalDateTime{2017, 7, 6}}, 0},
      {{.until = LocalDateTime{2015, 12, 31}, .allVersions = true}, 12},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& [filter, count] = cases[i];
    EXPECT_EQ(archive_->countSamples(filter), count) << "row " << i;
    EXPECT_EQ(static_cast<std::int64_t>(archive_->samples(filter, {}, 0, 1000).size()), count)
        << "row " << i;
  }
}

TEST_F(SqliteArchiveOfTwoLots, SortsAndPagesTheListing) {
  const auto byNumber = archive_->samples({}, sortedBy(ArchiveColumn::LotNumber), 0, 100);
  ASSERT_EQ(byNumber.size(), 26U);
  // Order numbers as numbers (10 after 9), ties by lot.
  EXPECT_EQ(byNumber[0].lotNumber + byNumber[0].lot, "1LOTE12");
  EXPECT_EQ(byNumber[1].lotNumber + byNumber[1].lot, "1LOTE20");
  EXPECT_EQ(byNumber[14].lotNumber + byNumber[14].lot, "9LOTE20");
  EXPECT_EQ(byNumber[15].lotNumber, "10");

  const auto deepest = archive_->samples({}, sortedBy(ArchiveColumn::Depth, true), 0, 3);
  ASSERT_EQ(deepest.size(), 3U);
  EXPECT_EQ(*deepest[0].depth, 39.3);
  EXPECT_EQ(*deepest[1].depth, 38.8);
  EXPECT_EQ(*deepest[2].depth, 38.4);

  // Pages follow one another without gap or repeat.
  std::vector<std::int64_t> paged;
  for (std::int64_t offset = 0; offset < 26; offset += 5) {
    const auto page = idsOf(archive_->samples({}, sortedBy(ArchiveColumn::Sand), offset, 5));
    paged.insert(paged.end(), page.begin(), page.end());
  }
  EXPECT_EQ(paged, idsOf(archive_->samples({}, sortedBy(ArchiveColumn::Sand), 0, 100)));
  const auto bySand = archive_->samples({}, sortedBy(ArchiveColumn::Sand), 0, 100);
  EXPECT_TRUE(std::is_sorted(bySand.begin(), bySand.end(),
                             [](const auto& a, const auto& b) { return *a.sand < *b.sand; }));
}

}  // namespace
}  // namespace granomet
