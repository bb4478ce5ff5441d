// Every text the program tells the user, in Spanish, and every cause turned into words.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compute/compute_fault.h"
#include "data/lot_format.h"
#include "data/read_error.h"
#include "results/results_file.h"
#include "statistics/descriptive_terms.h"
#include "statistics/folk_group.h"
#include "statistics/modes.h"
#include "statistics/results_reader.h"
#include "statistics/sample_statistics.h"
#include "statistics/sediment_name.h"
#include "statistics/size_fractions.h"
#include "ui/window_operations.h"

// Texts come out in the program's 8-bit code, as the window operations take them;
// names going in (files, samples, order numbers as the files write them) are in
// that code too. The source is UTF-8: each text is converted as it leaves.
namespace granomet::messages {

enum class InputFile { Lot, Export };

// The file dialog's lists of file kinds: descriptions and patterns separated by "|".
inline constexpr const char* kLotFilter =
    "All files (*.*)|*.*|Ficheros CSV de LOTE de Muestras (*.CSV)|*.csv";
inline constexpr const char* kExportFilter =
    "All files (*.*)|*.*|EXPORT-UNIT FILES (*.TXT)|*.txt|EXPORT SEPARADO POR COMAS (*.CSV)|*.csv";

// The lot button: "ERROR EN CSV", near the order number read last.
MessageRequest lotUnreadable(std::string_view fileName, std::int16_t nearOrderNumber,
                             const ReadError& error);
MessageRequest lotLayoutUnknown(std::string_view fileName, std::int16_t nearOrderNumber,
                                const LotFormatError& error);
MessageRequest lotWithoutExtension(std::string_view fileName, std::int16_t nearOrderNumber);

// The export button: "ERROR EN EXPORT". block: the sample block being read, 0 before the first.
MessageRequest exportUnreadable(std::string_view fileName, int block, const ReadError& error);
// orderNumber: the three digits the sample list shows. The warning is one of a
// per-sample series; the reason goes with each of the two red list items.
MessageRequest repeatedOrderNumber(std::string_view orderNumber);
std::string repeatedOrderNumberReason(std::string_view orderNumber);

// A file chosen at the other file's button: an export at the lot button ("ERROR EN
// CSV"), a lot at the export button ("ERROR EN EXPORT"), told by its shape.
MessageRequest lotLooksLikeExport(std::string_view fileName);
MessageRequest exportLooksLikeLot(std::string_view fileName);

// After a press whose per-sample warnings the window held back: how many, and
// that the red list keeps them all.
MessageRequest warningsHeldBack(int count);

// Why the calculation does not start, and the question before it replaces a file.
std::string resultsNameMissing();
std::string resultsNameIsNoFile(std::string_view resultsName, FileKind kind);
std::string resultsNameIsAnInput(std::string_view resultsName, InputFile input,
                                 std::string_view inputName);
std::string inputGone(InputFile input, std::string_view inputName);
std::string inputChanged(InputFile input, std::string_view inputName);
MessageRequest runNotStarted(std::string_view refusal);
// «Cálculo» pressed before both files were chosen, and a typed results name that
// ends in a separator, the name of a folder.
std::string lotNotChosen();
std::string exportNotChosen();
std::string resultsNameEndsInSeparator(std::string_view resultsName);
MessageRequest replaceResults(std::string_view resultsName);

// A record of the export that is not calculated: its red list item, and the
// warning that says why (cause: one of the texts below), one of a per-sample series.
std::string notCalculatedItem(std::string_view sampleName, std::string_view orderText);
MessageRequest sampleNotCalculated(std::string_view sampleName, std::string_view orderText,
                                   std::string_view cause);
// The lot row at that order number has another name: the lab's old warning.
MessageRequest orderNumberProbablyWrong(std::string_view sampleName);
// Empty when the failure is not the row's but the whole file's: it ends the run.
std::string lotRowUnusable(std::int16_t orderNumber, const ReadError& error,
                           std::int16_t rowOrderNumber);
std::string carbonateNotAPercentage(std::int16_t orderNumber, std::string_view carbonate);
std::string computationFailed(const ComputeFault& fault);

// A calculation that breaks off: what failed, and what became of the results file.
std::string lotUnreadableInRun(std::string_view fileName, const ReadError& error);
std::string resultsUnwritable(std::string_view resultsName, const ResultsFileError& error);
// Why a file could not be created or written (a refusal or the system's error), in
// words, with no name: "el disco está lleno".
std::string fileFailureCause(const ResultsFileError& error);
enum class ResultsKept { None, Empty, Samples };
MessageRequest runInterrupted(int record, int recordCount, std::string_view failure,
                              ResultsKept kept, std::string_view resultsName);

// The status line at the end of a calculation.
std::string runInterruptedStatus(int record, int recordCount);
std::string resultsCreatedStatus(std::string_view resultsName);
std::string noMatchingSamplesStatus();
// A run that found no record of the lot: the lots the export holds (distinct, in
// the order they first come, blanks trimmed), so that a renamed lot file or the
// wrong export shows for what it is.
MessageRequest noRecordOfTheLot(std::string_view lotName, std::string_view exportName,
                                const std::vector<std::string>& exportLots);
// The tooltip of the count of calculated samples: the lot's samples no record
// reached (LastRun::unreachedSamples); empty when there are none.
std::string unreachedSamplesTip(const std::vector<std::string>& samples);

// The exit button and the window's close box.
MessageRequest finishedQuestion();

// The menu of the graph and the sample list after a calculation, and the pointer's hint for it.
std::string reportMenuItem();
std::string saveChartMenuItem();
std::string ternaryMenuItem();
std::string graphMenuHint();
// Saving the graph as a picture: the dialog's title and file kinds, the size asked
// for, the question before a file is replaced and a failure (cause: the system's words).
std::string saveChartTitle();
std::string chartImageFilter();
std::string chartSizeTitle();
std::string chartWidthLabel();
std::string chartHeightLabel();
MessageRequest replaceChartImage(std::string_view fileName);
MessageRequest chartImageUnwritable(std::string_view fileName, std::string_view cause);
std::string chartImageTooLarge();
// What the saved picture says beside the graph: its title (the lot, the results file),
// the sample drawn wider, and, in place of a legend too long to read, how many curves.
std::string chartImageTitle(std::string_view lotName, std::string_view resultsFile);
std::string chartImageHighlighted(std::string_view sampleName);
std::string chartImageNoLegend(int curves);
// The graph's axes.
std::string graphDiameterAxis();
std::string graphWeightAxis();
// The ternary diagram's window: its title, Shepard's corners (top, bottom left,
// bottom right) and a sample's point.
std::string ternaryTitle();
std::string shepardCornerName(int corner);
std::string ternaryPointTip(std::string_view sampleName, int shepardCode);

// The window of the lot's views: the menu item that opens it, its title, its controls, the
// background layer's dialog and failures, a sample's point, and the notes above its tabs.
std::string lotViewMenuItem();
std::string lotWindowTitle(std::string_view lotName);
std::string colouringLabel();
// By MapColouring, in its order.
std::vector<std::string> colouringNames();
std::string backgroundLayerButton();
std::string removeBackgroundButton();
std::string saveViewButton();
std::string coreChoiceLabel();
std::string backgroundLayerTitle();
std::string backgroundLayerFilter();
// cause: why the layer cannot be read, in UTF-8, naming the file.
MessageRequest backgroundLayerUnreadable(std::string_view cause);
// The layer chosen in an earlier session is no longer there.
std::string rememberedLayerGone(std::string_view layer);
// ... or can no longer be read (cause: UTF-8, naming the file).
std::string rememberedLayerUnreadable(std::string_view cause);
// label: the sample's number as the views number it; className: its class under the colouring.
std::string lotPointTip(std::string_view label, std::string_view sampleName,
                        std::string_view className);
// The run's results file cannot be read (problems in UTF-8), or no longer holds the
// run's samples in the order drawn.
std::string lotViewUnreadable(const std::vector<std::string>& problems);
std::string lotViewUnlinked(std::string_view resultsFile);
// A core to choose: its lot, the number of its first sample and how many levels it has.
std::string coreChoice(std::string_view lotName, std::string_view firstLabel, int levels);
// The profile's tab without a core to draw.
std::string sampleInNoCore(std::string_view sampleName);
std::string lotHasNoCores();

// The help window's second page: what its fixed first page, written before them,
// does not tell (the right-click menu, the report, the diagram, the picture, the
// keyboard), and the button that turns between the two pages.
struct HelpSection {
  std::string heading;
  std::string text;
};
std::vector<HelpSection> helpMoreSections();
std::string helpMoreButton();
std::string helpBackButton();

// granomet-batch, in UTF-8 for the terminal; its lists are headed as the window's.
std::string_view batchUsage();
std::string_view batchResultsNameMissing();
inline constexpr const char* kCalculatedHeading = "Calculadas";
inline constexpr const char* kIgnoredHeading = "Ignoradas";

// The statistics table's words for a sample.
std::string meanSizeTermName(MeanSizeTerm term);
std::string sortingTermName(SortingTerm term);
std::string skewnessTermName(SkewnessTerm term);
std::string kurtosisTermName(KurtosisTerm term);
std::string folkGroupName(FolkGroup group);
// Shepard's class in Spanish from its code, 1 to 10 (the results file keeps the
// English code, which the lab's database reads); empty for any other code.
std::string shepardClassName(int code);
// diameter: the warned class's diameter as the table writes it; figure: the
// warned class's weight, or the sample's gravel, as the results file gives it.
std::string qualityWarning(const QualityWarning& warning, std::string_view diameter,
                           std::string_view figure, char decimalMark);
inline constexpr const char* kWarningSeparator = "; ";

// The sample's full name: "Arena media ligeramente gravosa, moderadamente clasificada".
std::string sedimentName(const SedimentName& name);
std::string modalityName(Modality modality);
// The Udden-Wentworth grades a gravel class reaches into: "Gránulos y guijarros".
std::string gravelGradeName(WentworthGrade finest, WentworthGrade coarsest);

// granomet-informe, in UTF-8 for the terminal; file names in the system's UTF-8.
std::string_view informeUsage();
std::string_view informeTableNameMissing();
std::string_view informeReportNameMissing();
std::string_view informeLayerNameMissing();
std::string_view informeBackgroundNameMissing();
std::string informeWithoutPdf();
// A build without GDAL (Windows): -g and --fondo cannot be done here.
std::string informeWithoutLayers();
// --fondo without -p: there is no report to draw the background in.
std::string_view informeBackgroundWithoutReport();
// granomet-informe-pdf, which draws the report for granomet-informe, would not start.
std::string informePdfProgramMissing(std::string_view programName);
// ... or was stopped by a signal before it ended.
std::string informePdfProgramStopped(std::string_view programName, int signal);
// -o and -p name one file (outputName as given to -p): the report would replace the table.
std::string informeOutputsMeet(std::string_view outputName);
// -g names the file -o or -p (option) names: the layer would replace it.
std::string informeLayerMeets(std::string_view option, std::string_view layerName);
std::string resultsFileUnreadable(std::string_view fileName, const ReadError& error);
std::string resultsFileMalformed(std::string_view fileName, const ResultsFormatError& error);
// The statistics table, the PDF report or the GeoPackage of the samples made from
// results files.
enum class Output { Table, Report, Layer };
std::string outputIsAResultsFile(Output output, std::string_view outputName);
std::string outputIsNoFile(Output output, std::string_view outputName, FileKind kind);
std::string outputUnwritable(Output output, std::string_view outputName,
                             const ResultsFileError& error);
std::string noResultsRead(Output output);
std::string tableWritten(std::string_view tableName, int samples, int files);
std::string reportWritten(std::string_view reportName, int samples, int files);
std::string outputNotMade(Output output, std::string_view outputName);
// Map layers, in UTF-8: the GeoPackage of the samples (granomet-informe -g) and the
// background of the report's map (--fondo); file names in the system's UTF-8.
std::string layerWritten(std::string_view layerName, int samples, int files, int withoutPosition);
// detail: GDAL's own words on what failed, in English; empty where it gave none.
std::string layerNotWritten(std::string_view layerName, std::string_view detail);
enum class BackgroundProblem {
  Missing,            // no file by that name
  NotALayer,          // no GeoPackage, shapefile or GeoJSON GDAL can open
  NoLines,            // a layer, but none of its layers holds lines or polygons
  NoReferenceSystem,  // no reference system, and coordinates that are no degrees
  NotConvertible,     // a reference system that cannot be turned into longitude and latitude
  Unreadable,         // failed while its features were read
};
std::string backgroundUnreadable(std::string_view fileName, BackgroundProblem problem,
                                 std::string_view detail = {});
// After a background that cannot be read: the report is drawn without it.
std::string reportWithoutBackground();

// The window's report: made, not made (problems in UTF-8, one a line), or asked
// for before any run wrote a results file.
MessageRequest reportMade(std::string_view reportName, int samples);
MessageRequest reportFailed(const std::vector<std::string>& problems);
MessageRequest reportWithoutRun();
std::string saveReportTitle();
// The report's save dialog's file kinds: descriptions and patterns separated by "|".
std::string reportFilter();

// Making the report: how far it is (UTF-8, for the terminal), the user stopping it in
// the window, and a system without the report's font (faces: those missing).
std::string reportProgress(int page, int pages);
std::string reportProgressLabel(int page, int pages);  // for the window
MessageRequest reportStopped(std::string_view reportName);
std::string reportFontsMissing(const std::vector<std::string>& faces);

// The PDF report's own words.
enum class ReportText {
  Title,
  SummaryTitle,
  SummaryGoesOn,
  Lot,
  Lots,
  Date,
  Samples,
  ResultsFile,
  ResultsFiles,
  Unreached,
  NoneUnreached,
  Number,
  Sample,
  ShepardClass,
  FolkCode,
  Gravel,
  Sand,
  Silt,
  Clay,
  Shells,
  Mud,
  SandWithGravel,
  FolkWardMean,
  FolkWardSorting,
  FrequencyCurves,
  CumulativeCurves,
  DiameterAxis,
  WeightAxis,
  FinerAxis,
  NoCurve,
  Unlabelled,
  UnlabelledGoesOn,
  UnlabelledElsewhere,
  UnlabelledContinued,
  PointClass,
  PointGroup,
  PageOf,
  ShepardTriangle,
  GravelSandMudTriangle,
  SandSiltClayTriangle,
  PointsLeftOut,
  GravellyLeftOut,
  SampleHeading,
  SampleNamed,  // the heading, then the sample's full name
  SampleLot,
  Campaign,
  Description,
  SampleShepard,
  SampleFolk,
  NoFolkGroup,
  Composition,
  LabMoments,
  Micrometres,
  Phi,
  Geometric,
  FolkWard,
  Term,
  Mean,
  Sorting,
  Skewness,
  Kurtosis,
  Percentiles,
  Value,
  Mode,
  Modality,
  NumberedMode,  // "Moda %1"
  Fractions,
  Fraction,
  Warnings,
  NoWarnings,
};
// %1, %2 stand for the figures the caller puts in.
std::string reportText(ReportText text);
// The Udden-Wentworth sand and silt classes, very coarse sand first.
std::string sizeFractionName(int fraction);

// The words of the lot's views, on the report's pages and in the window alike: the
// sample map, the bivariate plots, the lot's summary and the cores' depth profiles.
enum class LotViewText {
  MapTitle,
  BivariateTitle,
  SummaryTitle,
  ProfileTitle,
  WithoutPosition,  // heading of the samples the map cannot place
  North,
  South,
  East,
  West,
  NorthArrow,
  Metres,
  Kilometres,
  StationCount,  // %1 the samples a point stands for
  ShepardLegend,
  FolkLegend,
  MeanLegend,
  UnknownShepardClass,
  MeanAxis,
  SortingAxis,
  SkewnessAxis,
  DepthAxis,
  PercentAxis,
  CoreHeading,   // %1 the lot, %2 the position, %3 how many levels
  UnreadDepths,  // %1 the samples whose sub-depth cannot be read
};
std::string lotViewText(LotViewText text);
// The lot summary's tables: each number column's figures over the lot's samples,
// and how many samples fall in each of Shepard's classes and Folk's groups.
enum class LotSummaryText {
  FiguresTitle,
  Column,
  Count,
  Minimum,
  Median,
  Mean,
  Maximum,
  StandardDeviation,
  ShepardTitle,
  ShepardClass,
  FolkTitle,
  FolkGroup,
  Samples,
  UnknownClass,  // a class the results line names that Shepard's has not
  NoGroup,       // samples whose percentages give no Folk group
};
std::string lotSummaryText(LotSummaryText text);

// The words of a sample's own pages of the report: its histogram, its cumulative
// curve on probability paper and its table of classes.
enum class SamplePageText {
  Continued,  // after the sample's heading on its later pages
  Histogram,
  DensityAxis,
  ProbabilityChart,
  CoarserAxis,
  OpenClass,  // %1 the coarsest class's lower bound (µm), %2 its weight
  OffScale,   // %1 of the %2 class bounds; %3 and %4 the scale's ends (%)
  ClassTable,
  OmittedClass,        // %1 the one class without weight at an end of the table
  OmittedClasses,      // %1 the classes without weight at one end ("1\x968")
  OmittedClassesBoth,  // %1 and %2 those at the coarse and at the fine end
  NoClassWeight,
  ClassNumber,
  Weight,
  Finer,
  FinerNote,
  Arithmetic,   // the moments' column of the arithmetic ones
  Logarithmic,  // the moments' column of the ones in phi
};
std::string samplePageText(SamplePageText text);

// The titles of the curves pages' charts, each page some of the samples.
enum class CurvePageText {
  OfAll,   // %1 the chart ("Curvas de frecuencia"), every sample on one page
  OfSome,  // %1 the chart, %2 and %3 the first and last sample's numbers
  OfOne,   // %1 the chart, %2 the sample's number
};
std::string curvePageText(CurvePageText text);

// The archive of every run, in UTF-8 (the window converts what it shows).
// Each section below is one user's: run archiving, granomet-archivo, the Archivo window.
// The archive's listing and table columns, in the order of ArchiveColumn.
const std::vector<std::string>& archiveColumnTitles();
// After a run: where it was archived, that the same results file was there already,
// or that it was not archived and why (cause: the archive's message, naming it).
std::string runArchived(std::string_view archive, int samples);
std::string runAlreadyArchived(std::string_view archive);
std::string runNotArchived(std::string_view cause);

// The archive's own failures, each naming the archive (UTF-8) and, where there is
// one, SQLite's or the system's words (detail).
enum class ArchiveProblem {
  Missing,
  NotAnArchive,
  NewerVersion,
  Busy,
  ReadOnly,
  Full,
  Damaged,
  Unreadable,
};
std::string archiveProblem(ArchiveProblem problem, std::string_view archive,
                           std::string_view detail);
// A results file with its header and no sample line: nothing to archive.
std::string resultsFileWithoutSamples(std::string_view fileName);
// What checking the archive found: an archived file gone or changed since, and
// the database's own check failing.
std::string archivedFileMissing(std::string_view fileName);
std::string archivedFileChanged(std::string_view fileName);
std::string archiveCheckFailed(std::string_view archive, std::string_view detail);

// The Archivo window: its labels, the count, and why a field or the archive was not read.
enum class ArchiveWindowText {
  Title,
  Place,  // %1 the archive's path
  ChooseArchive,
  ChooseTitle,
  ChooseFilter,  // the file dialog's filter, "Name (*.gpkg)|*.gpkg|..."
  ArchivesRuns,
  Campaign,
  Lot,
  Sample,
  Shepard,
  Folk,
  Depth,
  Zone,
  Since,
  Until,
  AllVersions,
  Search,
  AnyClass,  // the class combo's first entry
  AnyGroup,  // the Folk combo's first entry
  DepthHint,
  ZoneHint,
  DateHint,
  SelectAll,
  Show,
  Yes,
  No,
  NotSearched,  // before the field errors, which follow, separated by "; "
  BadDepth,     // %1 the text typed
  BadZone,
  BadDate,  // %1 the field's label, %2 the text typed
  BadFolk,
  UntilBeforeSince,
  NoPlace,   // neither a chosen archive nor a default place
  NotShown,  // %1 the archive's own message, naming it
};
std::string archiveWindowText(ArchiveWindowText text);
// "1 muestra", "25400 muestras"; the selection's "3 seleccionadas".
std::string archiveSampleCount(std::int64_t samples);
std::string archiveSelectedCount(std::int64_t samples);

// granomet-archivo, in UTF-8 for the terminal; its wrong arguments end in a blank
// line, before the usage.
enum class ArchivoOrder { Import, List, Export, Report, Check };
// The order's word on the command line ("importar").
std::string_view archivoOrderName(ArchivoOrder order);
std::string_view archivoUsage();
// After a wrong argument: the usage's first line and how to see the rest.
std::string_view archivoUsageHint();
std::string archivoUnknownOrder(std::string_view word);
std::string archivoUnknownOption(std::string_view option);
std::string archivoValueMissing(std::string_view option);
// A filter's value that does not read, with what the option takes.
std::string archivoFilterUnread(std::string_view option, std::string_view value);
std::string archivoOptionNotForOrder(std::string_view option, ArchivoOrder order);
std::string archivoFilesNotForOrder(ArchivoOrder order, std::string_view file);
std::string_view archivoImportWithoutFiles();
std::string_view archivoExportWithoutOutput();
std::string_view archivoReportWithoutOutput();
std::string archivoUnknownExtension(std::string_view output);
// Neither XDG_DATA_HOME nor HOME (LOCALAPPDATA on Windows) tells where the archive is.
std::string archivePlaceUnknown();
struct ArchivoImport {
  int filesAdded = 0;
  int samplesAdded = 0;
  int filesSkipped = 0;  // archived before
  int samplesSkipped = 0;
  int filesRefused = 0;
  int filesNotTried = 0;  // after the archive itself failed
};
// The summary of an import, a line each.
std::string archivoImported(std::string_view archive, const ArchivoImport& counts);
std::string archivoCurrentText(bool current);
std::string archivoOutputIsArchive(std::string_view output);
std::string archivoOutputIsArchived(std::string_view output, std::string_view archivedAs);
std::string archivoNothingSelected(std::string_view output);
std::string archivoWithoutLayers();
std::string archivoWithoutPdf();
std::string archivoReportFolderFailed(std::string_view folder, std::string_view cause);
// What checking the archive found, a line each, the problems among them.
std::string archivoChecked(std::string_view archive, bool databaseSound, int filesChecked,
                           int filesMissing, int filesChanged,
                           const std::vector<std::string>& problems,
                           const std::vector<std::string>& missing);
std::string archivoDamagedLines(std::string_view archive, std::string_view cause);

// granomet-batch's archiving options: no name after --archivo, both given, and --archivo where the
// program was built without an archive (Windows).
std::string_view batchArchiveNameMissing();
std::string_view batchArchiveOptionsMeet();
std::string_view batchWithoutArchive();

// The main window's side of the archive, in the program's 8-bit text as the window
// operations take it: the status line and warning of a run not archived (said: the
// line run archiving gave, UTF-8), the menu item that opens the Archivo window, and
// archived samples shown as a run's (cause: UTF-8, naming the file).
std::string runNotArchivedStatus();
MessageRequest runNotArchivedWarning(std::string_view said);
std::string archiveMenuItem();
std::string archivedSamplesShown(int samples, int lots);
MessageRequest archivedSamplesUnshown(std::string_view cause);
// More samples chosen than the graph draws at once (most: a lot's).
MessageRequest tooManyArchivedSamples(int chosen, int most);

}  // namespace granomet::messages
