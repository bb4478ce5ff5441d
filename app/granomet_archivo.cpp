// granomet-archivo: the archive of every run from the command line: results files imported, the
// samples listed, exported, reported on, and the archive checked.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/archive.h"
#include "archive/filter_text.h"
#include "archive/open_archive.h"
#include "command_line.h"
#include "data/file_names.h"
#include "data/text_encoding.h"
#include "results/number_format.h"
#include "ui/system_regional_settings.h"
#include "workflow/messages.h"
#include "workflow/results_set.h"
#include "workflow/statistics_run.h"

#if GRANOMET_GDAL
#include "geodata/samples_layer.h"
#endif
#if GRANOMET_PDF
#include "report_program.h"
#endif

namespace {

using namespace granomet;
namespace fs = std::filesystem;
using messages::ArchivoOrder;

struct Arguments {
  std::optional<ArchivoOrder> order;
  std::vector<fs::path> resultsFiles;  // importar's
  std::optional<fs::path> archive;
  ArchiveFilter filter;
  std::optional<CommandArgument> output;  // exportar's -o
  std::optional<CommandArgument> report;  // informe's -p
  std::optional<CommandArgument> background;
  bool help = false;
};

std::optional<ArchivoOrder> orderNamed(std::string_view name) {
  for (const ArchivoOrder order : {ArchivoOrder::Import, ArchivoOrder::List, ArchivoOrder::Export,
                                   ArchivoOrder::Report, ArchivoOrder::Check}) {
    if (name == messages::archivoOrderName(order)) {
      return order;
    }
  }
  return std::nullopt;
}

bool selects(ArchivoOrder order) {
  return order == ArchivoOrder::List || order == ArchivoOrder::Export ||
         order == ArchivoOrder::Report;
}

// A filter's value read into the filter; false when it does not read.
bool takeFilter(std::string_view option, const std::string& value, ArchiveFilter& filter) {
  if (option == "--campaña" || option == "--campana") {
    filter.campaign = value;
  } else if (option == "--lote") {
    filter.lot = value;
  } else if (option == "--muestra") {
    filter.sample = value;
  } else if (option == "--clase") {
    filter.shepard = value;
  } else if (option == "--folk") {
    filter.folk = value;
  } else if (option == "--prof") {
    const std::optional<DepthRange> range = depthRangeOf(value);
    if (!range) {
      return false;
    }
    filter.depthMin = range->min;
    filter.depthMax = range->max;
  } else if (option == "--zona") {
    filter.zone = zoneOf(value);
    return filter.zone.has_value();
  } else {
    (option == "--desde" ? filter.since : filter.until) = filterDateOf(value);
    return (option == "--desde" ? filter.since : filter.until).has_value();
  }
  return true;
}

bool isFilter(std::string_view option) {
  static constexpr std::array<std::string_view, 10> kFilters = {
      "--campaña", "--campana", "--lote", "--muestra", "--clase",
      "--folk",    "--prof",    "--zona", "--desde",   "--hasta"};
  for (const std::string_view filter : kFilters) {
    if (option == filter) {
      return true;
    }
  }
  return false;
}

// False on wrong arguments, after saying what is wrong where usage alone would not.
bool parseArguments(const std::vector<CommandArgument>& given, Arguments& arguments) {
  // The value after an option, or nullopt after saying it is missing.
  const auto valueOf = [&given](std::size_t& i) -> std::optional<CommandArgument> {
    const std::string& option = given[i].text;
    if (++i >= given.size() || given[i].text.empty()) {
      printText(stderr, messages::archivoValueMissing(option));
      return std::nullopt;
    }
    return given[i];
  };
  std::vector<std::string> optionsGiven;
  for (std::size_t i = 0; i < given.size(); ++i) {
    const std::string& argument = given[i].text;
    if (argument == "--help" || argument == "-h") {
      arguments.help = true;
      return true;
    }
    if (argument.size() < 2 || argument[0] != '-') {
      if (!arguments.order) {
        arguments.order = orderNamed(argument);
        if (!arguments.order) {
          printText(stderr, messages::archivoUnknownOrder(argument));
          return false;
        }
      } else {
        arguments.resultsFiles.push_back(given[i].path);
      }
      continue;
    }
    optionsGiven.push_back(argument);
    std::optional<CommandArgument> value;
    if (argument == "--todas") {
      arguments.filter.allVersions = true;
      continue;
    }
    if (argument != "--archivo" && argument != "-o" && argument != "-p" && argument != "--fondo" &&
        !isFilter(argument)) {
      printText(stderr, messages::archivoUnknownOption(argument));
      return false;
    }
    if (value = valueOf(i); !value) {
      return false;
    }
    if (argument == "--archivo") {
      arguments.archive = value->path;
    } else if (argument == "-o") {
      arguments.output = value;
    } else if (argument == "-p") {
      arguments.report = value;
    } else if (argument == "--fondo") {
      arguments.background = value;
    } else {
      if (!takeFilter(argument, value->text, arguments.filter)) {
        printText(stderr, messages::archivoFilterUnread(argument, value->text));
        return false;
      }
    }
  }
  if (!arguments.order) {
    return false;
  }
  const ArchivoOrder order = *arguments.order;
  // What each order takes, and nothing else.
  for (const std::string& option : optionsGiven) {
    const bool fits = option == "--archivo" || (isFilter(option) && selects(order)) ||
                      (option == "--todas" && selects(order)) ||
                      (option == "-o" && order == ArchivoOrder::Export) ||
                      ((option == "-p" || option == "--fondo") && order == ArchivoOrder::Report);
    if (!fits) {
      printText(stderr, messages::archivoOptionNotForOrder(option, order));
      return false;
    }
  }
  if (order == ArchivoOrder::Import && arguments.resultsFiles.empty()) {
    printText(stderr, messages::archivoImportWithoutFiles());
    return false;
  }
  if (order != ArchivoOrder::Import && !arguments.resultsFiles.empty()) {
    printText(stderr, messages::archivoFilesNotForOrder(order, utf8Of(arguments.resultsFiles[0])));
    return false;
  }
  if (order == ArchivoOrder::Export && !arguments.output) {
    printText(stderr, messages::archivoExportWithoutOutput());
    return false;
  }
  if (order == ArchivoOrder::Report && !arguments.report) {
    printText(stderr, messages::archivoReportWithoutOutput());
    return false;
  }
  return true;
}

void tell(const std::string& problem) {
  printText(stderr, "granomet-archivo: " + problem + "\n");
}

// Where the archive is: --archivo's, else the default place the environment tells.
std::optional<fs::path> archivePath(const Arguments& arguments) {
  if (arguments.archive) {
    return arguments.archive;
  }
  fs::path path = defaultArchivePath([](std::string_view name) -> std::optional<std::string> {
    const char* value = std::getenv(std::string(name).c_str());
    return value == nullptr ? std::nullopt : std::optional<std::string>(value);
  });
  if (path.empty()) {
    tell(messages::archivePlaceUnknown());
    return std::nullopt;
  }
  return path;
}

int importFiles(Archive& archive, const std::vector<fs::path>& resultsFiles) {
  messages::ArchivoImport counts;
  bool stopped = false;
  for (const fs::path& file : resultsFiles) {
    if (stopped) {
      ++counts.filesNotTried;
      continue;
    }
    RunToArchive run;
    run.resultsFile = fs::absolute(file);
    run.origin = RunOrigin::Import;
    try {
      const AddedRun added = archive.addRun(run);
      if (added.end == AddRunEnd::Added) {
        ++counts.filesAdded;
        counts.samplesAdded += added.samples;
      } else {
        ++counts.filesSkipped;
        counts.samplesSkipped += added.samples;
      }
    } catch (const ArchiveError& error) {
      tell(error.what());
      // A file the archive cannot take; any other failure is the archive's, the
      // same for every file after it.
      if (error.cause() == ArchiveError::Cause::ResultsRefused) {
        ++counts.filesRefused;
      } else {
        ++counts.filesNotTried;
        stopped = true;
      }
    }
  }
  printText(stdout, messages::archivoImported(archive.location(), counts));
  return counts.filesRefused + counts.filesNotTried == 0 ? 0 : 1;
}

std::vector<ArchivedSample> selected(Archive& archive, const ArchiveFilter& filter) {
  const std::int64_t count = archive.countSamples(filter);
  if (count == 0) {
    return {};
  }
  return archive.samples(filter, ArchiveSort{}, 0, count);
}

// UTF-8 characters, each taken as one column of a terminal.
std::size_t columnsOf(std::string_view text) {
  std::size_t columns = 0;
  for (const char c : text) {
    columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  }
  return columns;
}

std::string listed(const std::optional<double>& value, char decimalMark) {
  return value ? patternNumber(*value, NumberPattern{1, 2}, decimalMark) : std::string();
}

// The samples as a table of aligned columns, numbers to the right, then the count.
std::string sampleTable(const std::vector<ArchivedSample>& samples, char decimalMark) {
  const std::vector<std::string>& titles = messages::archiveColumnTitles();
  std::vector<std::vector<std::string>> rows{titles};
  for (const ArchivedSample& s : samples) {
    std::string run = s.runDateTime;
    if (run.size() > 10 && run[10] == 'T') {
      run[10] = ' ';
    }
    rows.push_back({s.lot, s.lotNumber, s.name, s.campaign, listed(s.depth, decimalMark),
                    shepardShown(s.shepard), s.folkCode, listed(s.meanPhi, decimalMark),
                    listed(s.gravel, decimalMark), listed(s.sand, decimalMark),
                    listed(s.silt, decimalMark), listed(s.clay, decimalMark), run,
                    messages::archivoCurrentText(s.current)});
  }
  constexpr std::array kRight = {false, true, false, false, true, false, false,
                                 true,  true, true,  true,  true, false, false};
  std::vector<std::size_t> widths(titles.size(), 0);
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      widths[i] = std::max(widths[i], columnsOf(row[i]));
    }
  }
  std::string table;
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      const std::string padding(widths[i] - columnsOf(row[i]), ' ');
      line += (i == 0 ? "" : "  ") + (kRight.at(i) ? padding + row[i] : row[i] + padding);
    }
    line.erase(line.find_last_not_of(' ') + 1);
    table += line + "\n";
  }
  return table + messages::archiveSampleCount(static_cast<std::int64_t>(samples.size())) + "\n";
}

// The paths of every file the archive's runs came from: an output never replaces them.
std::vector<fs::path> archivedFiles(Archive& archive) {
  std::vector<fs::path> files;
  for (const ArchivedRun& run : archive.runs()) {
    for (const auto* record : {&run.lotFile, &run.exportFile}) {
      if (*record) {
        files.push_back(pathOfUtf8((*record)->name));
      }
    }
    files.push_back(pathOfUtf8(run.resultsFile.name));
  }
  return files;
}

// Why the output must not be written: it is the archive, or a file archived.
std::optional<std::string> outputRefusal(const fs::path& output, const fs::path& archivePath,
                                         const std::vector<fs::path>& archived) {
  if (sameFile(output, archivePath)) {
    return messages::archivoOutputIsArchive(utf8Of(output));
  }
  for (const fs::path& file : archived) {
    if (sameFile(output, file)) {
      return messages::archivoOutputIsArchived(utf8Of(output), utf8Of(file));
    }
  }
  return std::nullopt;
}

std::vector<std::int64_t> idsOf(const std::vector<ArchivedSample>& samples) {
  std::vector<std::int64_t> ids;
  ids.reserve(samples.size());
  for (const ArchivedSample& sample : samples) {
    ids.push_back(sample.id);
  }
  return ids;
}

enum class ExportFormat { Table, GeoPackage, GeoJson };

std::optional<ExportFormat> exportFormatOf(const fs::path& output) {
  std::string extension = utf8Of(output.extension());
  for (char& c : extension) {
    c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  if (extension == ".csv") {
    return ExportFormat::Table;
  }
  if (extension == ".gpkg") {
    return ExportFormat::GeoPackage;
  }
  if (extension == ".geojson") {
    return ExportFormat::GeoJson;
  }
  return std::nullopt;
}

// The selected samples' ids for output; none, the user told why, where output would
// replace the archive or a file archived, or the filter lets no sample through.
std::vector<std::int64_t> selectedFor(Archive& archive, const fs::path& archivePath,
                                      const std::vector<fs::path>& archived, const fs::path& output,
                                      const ArchiveFilter& filter) {
  if (std::optional<std::string> refusal = outputRefusal(output, archivePath, archived)) {
    tell(*refusal);
    return {};
  }
  const std::vector<ArchivedSample> samples = selected(archive, filter);
  if (samples.empty()) {
    tell(messages::archivoNothingSelected(utf8Of(output)));
  }
  return idsOf(samples);
}

int exportSamples(Archive& archive, const fs::path& archivePath, const Arguments& arguments,
                  ExportFormat format, char decimalMark) {
  const fs::path& output = arguments.output->path;
  const std::vector<fs::path> archived = archivedFiles(archive);
  const std::vector<std::int64_t> ids =
      selectedFor(archive, archivePath, archived, output, arguments.filter);
  if (ids.empty()) {
    return 1;
  }
  const ResultsSet results = resultsSetOf(archive.resultsFilesOf(ids));
  OutputRun run;
  int withoutPosition = 0;
  if (format == ExportFormat::Table) {
    run = runStatistics(results, archived, output, decimalMark);
  } else {
#if GRANOMET_GDAL
    run = writeSamplesLayer(
        results, archived, output,
        format == ExportFormat::GeoJson ? LayerFormat::GeoJson : LayerFormat::GeoPackage,
        withoutPosition);
#else
    run.problems.push_back(messages::archivoWithoutLayers());
#endif
  }
  for (const std::string& problem : run.problems) {
    tell(problem);
  }
  if (run.written) {
    printText(stdout, (format == ExportFormat::Table
                           ? messages::tableWritten(utf8Of(output), run.samples, run.filesRead)
                           : messages::layerWritten(utf8Of(output), run.samples, run.filesRead,
                                                    withoutPosition)) +
                          "\n");
  }
  return run.written && run.problems.empty() ? 0 : 1;
}

#if GRANOMET_PDF
// A folder of the user's own for the report's results files, removed with them.
class PrivateFolder {
 public:
  PrivateFolder() {
    std::string pattern = (fs::temp_directory_path() / "granomet-archivo-XXXXXX").string();
    // mkdtemp makes it readable by its owner alone.
    if (::mkdtemp(pattern.data()) != nullptr) {
      path_ = pattern;
    }
  }
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;
  ~PrivateFolder() {
    std::error_code ignored;
    if (!path_.empty()) {
      fs::remove_all(path_, ignored);
    }
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// The archived samples as results files in folder, each in a folder of its own
// under its run's name, so that two runs' files of one name both stay and the
// report names each lot as before.
std::vector<fs::path> writtenResultsFiles(const std::vector<ArchivedResultsFile>& files,
                                          const fs::path& folder) {
  std::vector<fs::path> written;
  for (std::size_t i = 0; i < files.size(); ++i) {
    fs::path name = pathOfUtf8(cp1252ToUtf8(files[i].name)).filename();
    if (name.empty() || name == "." || name == "..") {
      name = "resultados.csv";
    }
    const fs::path own = folder / std::to_string(i + 1);
    fs::create_directory(own);
    written.push_back(own / name);
    std::FILE* file = std::fopen(written.back().c_str(), "wb");
    const bool complete =
        file != nullptr &&
        std::fwrite(files[i].bytes.data(), 1, files[i].bytes.size(), file) == files[i].bytes.size();
    if (file == nullptr || std::fclose(file) != 0 || !complete) {
      throw fs::filesystem_error("fwrite", written.back(),
                                 std::error_code(errno, std::generic_category()));
    }
  }
  return written;
}
#endif

int reportSamples(Archive& archive, const fs::path& archivePath, const Arguments& arguments) {
#if GRANOMET_PDF
  const fs::path& report = arguments.report->path;
  const std::vector<std::int64_t> ids =
      selectedFor(archive, archivePath, archivedFiles(archive), report, arguments.filter);
  if (ids.empty()) {
    return 1;
  }
  const std::vector<ArchivedResultsFile> files = archive.resultsFilesOf(ids);
  const PrivateFolder folder;
  std::vector<fs::path> written;
  try {
    if (folder.path().empty()) {
      throw fs::filesystem_error("mkdtemp", fs::temp_directory_path(),
                                 std::error_code(errno, std::generic_category()));
    }
    written = writtenResultsFiles(files, folder.path());
  } catch (const fs::filesystem_error& error) {
    tell(messages::archivoReportFolderFailed(utf8Of(error.path1()), error.code().message()));
    return 1;
  }
  std::optional<fs::path> background;
  if (arguments.background) {
    background = arguments.background->path;
  }
  return drawReportWithProgram(report, background, written) ? 0 : 1;
#else
  (void)archive;
  (void)archivePath;
  (void)arguments;
  tell(messages::archivoWithoutPdf());
  return 1;
#endif
}

int checkArchive(Archive& archive) {
  const ArchiveCheck check = archive.check();
  printText(stdout, messages::archivoChecked(archive.location(), check.databaseSound,
                                             check.filesChecked, check.filesMissing,
                                             check.filesChanged, check.problems, check.missing));
  return check.databaseSound && check.problems.empty() && check.filesChanged == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  useBinaryOutput();
  Arguments arguments;
  const std::vector<CommandArgument> given = commandArguments(argc, argv);
  if (!parseArguments(given, arguments)) {
    // The whole usage where nothing was asked; after a wrong argument, how to see it.
    printText(stderr, given.empty() ? messages::archivoUsage() : messages::archivoUsageHint());
    return 2;
  }
  if (arguments.help) {
    printText(stdout, messages::archivoUsage());
    return 0;
  }
  std::optional<ExportFormat> format;
  if (*arguments.order == ArchivoOrder::Export) {
    format = exportFormatOf(arguments.output->path);
    if (!format) {
      printText(stderr, messages::archivoUnknownExtension(arguments.output->text));
      printText(stderr, messages::archivoUsageHint());
      return 2;
    }
  }
  const std::optional<fs::path> path = archivePath(arguments);
  if (!path) {
    return 1;
  }
  const SystemRegionalSettings regional;
  try {
    const std::unique_ptr<Archive> archive =
        openArchive(*path, *arguments.order == ArchivoOrder::Import ? ArchiveAccess::Write
                                                                    : ArchiveAccess::Read);
    switch (*arguments.order) {
      case ArchivoOrder::Import:
        return importFiles(*archive, arguments.resultsFiles);
      case ArchivoOrder::List:
        printText(stdout,
                  sampleTable(selected(*archive, arguments.filter), regional.decimalMark()));
        return 0;
      case ArchivoOrder::Export:
        return exportSamples(*archive, *path, arguments, *format, regional.decimalMark());
      case ArchivoOrder::Report:
        return reportSamples(*archive, *path, arguments);
      case ArchivoOrder::Check:
        return checkArchive(*archive);
    }
  } catch (const ArchiveError& error) {
    tell(error.what());
  } catch (const ResultsFormatError& error) {
    // Only a damaged archive hands back lines that do not read.
    tell(messages::archivoDamagedLines(utf8Of(*path), error.what()));
  }
  return 1;
}
