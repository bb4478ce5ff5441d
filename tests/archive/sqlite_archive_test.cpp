#include "archive/sqlite_archive.h"

#include <gtest/gtest.h>

#include "archive/open_archive.h"
#include "archive_folder.h"
#include "statistics/results_reader.h"

namespace granomet {
namespace {

using testing::ArchiveFolder;
using testing::fileBytes;

RunToArchive importOf(const std::filesystem::path& results) {
  RunToArchive run;
  run.resultsFile = results;
  return run;
}

ArchiveSort sortedBy(ArchiveColumn column, bool descending = false) {
  ArchiveSort sort;
  sort.column = column;
  sort.descending = descending;
  return sort;
}

std::vector<std::int64_t> idsOf(const std::vector<ArchivedSample>& samples) {
  std::vector<std::int64_t> ids;
  for (const ArchivedSample& sample : samples) {
    ids.push_back(sample.id);
  }
  return ids;
}

TEST(SqliteArchive, KeepsARunAndGivesItsFileBackByteForByte) {
  const ArchiveFolder folder("archive_round_trip");
  const auto results = folder.results("LOTE12_06062016_103105.csv");
  const auto archive = openArchive(folder.archive(), ArchiveAccess::Write);
  const AddedRun added = archive->addRun(importOf(results));
  EXPECT_EQ(added.end, AddRunEnd::Added);
  EXPECT_EQ(added.samples, 12);
  EXPECT_EQ(archive->countSamples({}), 12);

  const auto samples = archive->samples({}, sortedBy(ArchiveColumn::LotNumber), 0, 100);
  ASSERT_EQ(samples.size(), 12U);
  EXPECT_EQ(samples[0].lot, "LOTE12");
  EXPECT_EQ(samples[0].lotNumber, "1");
  EXPECT_EQ(samples[0].campaign, "GOLFO-16");
  EXPECT_EQ(samples[0].runDateTime, "2016-06-06T10:31:05");

  const auto files = archive->resultsFilesOf(idsOf(samples));
  ASSERT_EQ(files.size(), 1U);
  EXPECT_EQ(files[0].name, "LOTE12_06062016_103105.csv");
  EXPECT_EQ(files[0].bytes, fileBytes(results));

  const AddedRun again = archive->addRun(importOf(results));
  EXPECT_EQ(again.end, AddRunEnd::AlreadyArchived);
  EXPECT_EQ(again.runId, added.runId);
  EXPECT_EQ(archive->countSamples({}), 12);
}

}  // namespace
}  // namespace granomet
