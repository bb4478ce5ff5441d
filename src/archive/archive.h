// The lab's archive of every run: what its users ask of it, whichever database keeps it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "data/local_date_time.h"
#include "statistics/geo_point.h"
#include "workflow/results_set.h"

namespace granomet {

// A file of a run as the archive records it.
struct ArchivedFileRecord {
  std::string name;  // UTF-8: the path as it was archived from
  std::uint64_t size = 0;
  std::string sha256;  // 64 lower-case hexadecimal digits
};

// Who archived a run.
enum class RunOrigin { Window, Batch, Import };

// A run to keep: the results file it wrote and what made it. The window and
// granomet-batch give every field; an import gives the results file alone.
struct RunToArchive {
  std::filesystem::path resultsFile;
  std::optional<std::filesystem::path> lotFile;
  std::optional<std::filesystem::path> exportFile;
  // UTF-8; empty: the one the results file's name tells (lotOfResultsFile).
  std::string lotName;
  // The run's moment; none for an import: the stamp of the name the program
  // proposes (LOT_ddmmyyyy_hhmmss.csv), else the date the file's lines carry,
  // else the file's modification time.
  std::optional<LocalDateTime> when;
  // The decimal mark of the run's regional settings; none for an import: the one
  // the file's numbers are written with.
  std::optional<char> decimalMark;
  RunOrigin origin = RunOrigin::Import;
};

// A run as the archive holds it (the table "ejecuciones").
struct ArchivedRun {
  std::int64_t id = 0;
  std::string lot;       // UTF-8
  std::string campaign;  // of the file's first sample
  std::string ip;
  std::string dateTime;  // local, "2016-06-06T10:31:05"
  std::string programVersion;
  char decimalMark = ',';
  RunOrigin origin = RunOrigin::Import;
  std::optional<ArchivedFileRecord> lotFile;
  std::optional<ArchivedFileRecord> exportFile;
  ArchivedFileRecord resultsFile;
  int samples = 0;
};

enum class AddRunEnd { Added, AlreadyArchived };

struct AddedRun {
  AddRunEnd end = AddRunEnd::Added;
  std::int64_t runId = 0;  // the run added, or the one that held the same results file
  int samples = 0;         // the run's samples
};

// Rectangle of longitudes and latitudes, degrees; west > east crosses 180°.
struct GeoBox {
  double west = 0;
  double south = 0;
  double east = 0;
  double north = 0;
};

// Which archived samples; every field left empty lets every sample through, and
// the fields combine (all must hold).
struct ArchiveFilter {
  std::string campaign;  // UTF-8: equal, ignoring case and accents
  std::string lot;       // UTF-8: equal, ignoring case and accents
  std::string sample;    // UTF-8: contained in the name, ignoring case and accents
  std::string shepard;   // Shepard's class: its name (ignoring case and accents) or its code
  std::string folk;      // Folk's group code as the table writes it ("(g)mS"), case kept
  std::optional<double> depthMin;  // metres ("Prof(m)"), inclusive
  std::optional<double> depthMax;
  std::optional<GeoBox> zone;          // samples with a position inside it
  std::optional<LocalDateTime> since;  // the run's date, from this day (time ignored)
  std::optional<LocalDateTime> until;  // to this day, inclusive
  bool allVersions = false;            // false: only the current version of each sample
};

// The columns the archive's listing and window show, and sort by.
enum class ArchiveColumn {
  Lot,
  LotNumber,
  Sample,
  Campaign,
  Depth,
  Shepard,
  Folk,
  MeanPhi,
  Gravel,
  Sand,
  Silt,
  Clay,
  RunDate,
  Current
};

struct ArchiveSort {
  ArchiveColumn column = ArchiveColumn::Lot;  // then by lot, order number and run date
  bool descending = false;
};

// One archived sample as the listing and the window's table show it.
struct ArchivedSample {
  std::int64_t id = 0;  // the layer's feature id
  std::int64_t runId = 0;
  bool current = true;    // the latest version of its lot, order number and name
  std::string lot;        // UTF-8
  std::string lotNumber;  // as the results file wrote it
  std::string name;
  std::string campaign;
  std::optional<double> depth;  // metres
  std::optional<GeoPoint> position;
  std::string shepard;            // the class as the results file names it
  std::string folkCode;           // as the statistics table writes it
  std::optional<double> meanPhi;  // Folk & Ward, phi
  std::optional<double> gravel;   // percent
  std::optional<double> sand;
  std::optional<double> silt;
  std::optional<double> clay;
  std::string runDateTime;  // local, "2016-06-06T10:31:05"
};

// A results file made of archived samples.
struct ArchivedResultsFile {
  std::string name;   // bare, in the program's 8-bit text, as the run's results file was named
  std::string bytes;  // the results file's header and the samples' lines
};

// What checking the archive found.
struct ArchiveCheck {
  bool databaseSound = false;  // the database's own integrity check passed
  int filesChecked = 0;        // archived files that still exist and were read again
  int filesMissing = 0;
  int filesChanged = 0;  // their SHA-256 is no longer the archived one
  // UTF-8, one line each, naming the file or the table and the cause.
  std::vector<std::string> problems;
  // UTF-8, one line each: the archived files no longer on disk. Told, not a problem:
  // files are moved and cleaned up, and the archive keeps their samples.
  std::vector<std::string> missing;
};

// Why the archive could not do what was asked. what() is the user's message
// (Spanish, UTF-8), naming the archive or the file and the cause.
class ArchiveError : public std::runtime_error {
 public:
  enum class Cause {
    Missing,         // no archive at that path (opened for reading)
    NotAnArchive,    // a file that is not one of the program's archives: left as it is
    NewerVersion,    // written by a later version of the program: refused, left as it is
    Busy,            // another program held it longer than the wait
    ReadOnly,        // no permission to write it, or its folder
    Full,            // the disk is full
    Damaged,         // the database is corrupt
    ResultsRefused,  // a results file that cannot be archived (its line and cause told)
    Unreadable       // any other failure of the file or the database
  };
  ArchiveError(Cause cause, const std::string& message)
      : std::runtime_error(message), cause_(cause) {}
  Cause cause() const { return cause_; }

 private:
  Cause cause_;
};

// The archive's operations. One backend keeps it in a SQLite file laid out as a
// GeoPackage; a shared database server could be another, its callers unchanged.
// Every operation throws ArchiveError; a run is added whole or not at all.
class Archive {
 public:
  virtual ~Archive() = default;

  // Where it is, as the user should be told ("archivada en ...").
  virtual std::string location() const = 0;

  // Keeps the run: its files' names, sizes and SHA-256, and every sample of its
  // results file, which becomes the current version of its lot, order number and
  // name when its run is the latest. A results file archived before (same SHA-256)
  // adds nothing. A results file that cannot be read changes nothing
  // (ArchiveError::ResultsRefused).
  virtual AddedRun addRun(const RunToArchive& run) = 0;

  virtual std::int64_t countSamples(const ArchiveFilter& filter) = 0;
  // The samples the filter lets through, sorted, from offset, at most limit.
  virtual std::vector<ArchivedSample> samples(const ArchiveFilter& filter, const ArchiveSort& sort,
                                              std::int64_t offset, std::int64_t limit) = 0;
  // The samples of these ids as results files: one for each run they come from, in
  // the order of the ids' first appearance, named as the run's results file was (so
  // that its lot is told as before), holding its header and the archived lines as
  // the file held them, byte for byte, in their file order.
  virtual std::vector<ArchivedResultsFile> resultsFilesOf(
      const std::vector<std::int64_t>& sampleIds) = 0;

  virtual std::vector<ArchivedRun> runs() = 0;

  // The database's integrity check, then each archived file that still exists
  // hashed again.
  virtual ArchiveCheck check() = 0;
};

// Shepard's class of an archived sample as the lab reads it: its Spanish name
// (UTF-8), or the stored text where that names no class.
std::string shepardShown(std::string_view stored);

// The files read as a results set (the report's, the table's and the layer's
// input). Throws ResultsFormatError only where the archive was damaged.
ResultsSet resultsSetOf(const std::vector<ArchivedResultsFile>& files);

}  // namespace granomet
