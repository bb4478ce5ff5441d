#include "workflow/batch_run.h"

#include <cmath>
#include <optional>
#include <string>
#include <unordered_set>
#include <utility>
#include <variant>
#include <vector>

#include "compute/compute_fault.h"
#include "compute/sample_computation.h"
#include "data/file_names.h"
#include "data/lot_rereader.h"
#include "data/read_error.h"
#include "results/results_file.h"
#include "workflow/messages.h"
#include "workflow/run_checks.h"
#include "workflow/sample_matching.h"

namespace granomet {
namespace {

// A failure that ends the run, with its message.
struct RunBroken {
  std::string what;
};

class Run {
 public:
  Run(Tables& tables, WindowOperations& window, const Platform& platform,
      std::filesystem::path resultsPath)
      : tables_(tables),
        window_(window),
        platform_(platform),
        resultsPath_(std::move(resultsPath)),
        rereader_(tables.chosen.lot.bytes, tables.chosen.lot.format) {}

  // The blocks the export button read; the file has been checked unchanged since.
  void records() {
    for (const ExportBlock& block : tables_.exports.blocks) {
      ++record_;
      std::optional<ExportRecord> found;
      try {
        found.emplace(matchRecord(block, tables_.lot, rereader_, decimalMark()));
      } catch (const LotFileUnreadable& failure) {
        throw RunBroken{
            messages::lotUnreadableInRun(window_.text(TextBoxId::LOTE_file), failure.error)};
      }
      if (auto* other = std::get_if<OtherLotRecord>(&*found)) {
        otherLot(std::move(other->lotName));
      } else if (const auto* record = std::get_if<IgnoredRecord>(&*found)) {
        ++lotRecords_;
        show(*record);
      } else if (const auto* record = std::get_if<MatchedRecord>(&*found)) {
        ++lotRecords_;
        calculated(*record);
      }
    }
  }

  void finish() {
    if (results_) {
      try {
        results_->close();
      } catch (const ResultsFileError& error) {
        results_.reset();
        throw RunBroken{resultsFailure(error)};
      }
    }
  }

  void closeAll() { results_.reset(); }

  messages::ResultsKept resultsKept() const {
    // The file may have been created, replacing an older one, before its header failed.
    return resultsWritten_ == 1 ? messages::ResultsKept::Samples
           : resultsCreated_    ? messages::ResultsKept::Empty
                                : messages::ResultsKept::None;
  }
  bool resultsWritten() const { return resultsWritten_ == 1; }
  bool resultsCreated() const { return resultsCreated_; }
  int record() const { return record_; }
  int recordCount() const { return recordCount_; }
  // Records of the lot, calculated or not.
  int lotRecords() const { return lotRecords_; }
  // The other lots' names, distinct, in the order they first came.
  const std::vector<std::string>& otherLots() const { return otherLots_; }

 private:
  char decimalMark() const { return platform_.regional.decimalMark(); }

  void show(const IgnoredRecord& record) {
    window_.addItemWithReason(ListId::List2, record.listItem, record.warning.prompt);
    window_.showMessage(record.warning);
  }

  void otherLot(std::string lotName) {
    if (otherLotsSeen_.insert(lotName).second) {
      otherLots_.push_back(std::move(lotName));
    }
  }

  std::string resultsFailure(const ResultsFileError& error) const {
    return messages::resultsUnwritable(window_.text(TextBoxId::recalculado_file), error);
  }

  void calculated(const MatchedRecord& record) {
    std::optional<ComputedSample> sample;
    try {
      sample = computeSample(record.lotRow, record.classes, scales_);
    } catch (const ComputeFault& fault) {
      show(uncalculated(record, messages::computationFailed(fault)));
      return;
    }

    // Written before it is listed, so that a results file that fails leaves
    // List1 and its count showing only the samples that were written.
    const std::string line =
        resultsSampleLine({record.orderNumber, tables_.lot.header, record.lotRow, sample->results,
                           record.laserFile, sample->distribution},
                          platform_.clock.now(), decimalMark());
    try {
      if (resultsWritten_ == 0) {
        results_ = ResultsFile::create(resultsPath_);
        resultsCreated_ = true;
        results_->writeLine(resultsHeaderLine(sample->diameters, decimalMark()));
        // The whole run is drawn against the diameters of its first sample.
        for (int i = 1; i <= kSizeClasses; ++i) {
          x_[static_cast<std::size_t>(i - 1)] =
              static_cast<float>(std::log(static_cast<double>(sample->diameters[i])));
        }
      }
      results_->writeLine(line);
    } catch (const ResultsFileError& error) {
      throw RunBroken{resultsFailure(error)};
    }

    window_.addItem(ListId::List1, record.sampleName + "  " + sample->results.shepardName);
    CurveValues y{};
    for (int i = 1; i <= kSizeClasses; ++i) {
      y[static_cast<std::size_t>(i - 1)] = static_cast<float>(sample->distribution[i]);
    }
    const SampleResults& made = sample->results;
    window_.graph().plotCurve(record.sampleName, x_, y,
                              {made.gravelPercent, made.sandPercent, made.siltPercent,
                               made.clayPercent, made.shepardCode});
    resultsWritten_ = 1;
  }

  Tables& tables_;
  WindowOperations& window_;
  const Platform& platform_;
  const std::filesystem::path resultsPath_;
  LotRereader rereader_;
  ClassScales scales_;
  std::optional<ResultsFile> results_;
  std::int16_t resultsWritten_ = 0;
  bool resultsCreated_ = false;
  int record_ = 0;
  const int recordCount_ = static_cast<int>(tables_.exports.blocks.size());
  CurveValues x_{};
  int lotRecords_ = 0;
  std::vector<std::string> otherLots_;
  std::unordered_set<std::string> otherLotsSeen_;
};

void showEnd(WindowOperations& window, const std::string& status) {
  window.setLabelText(LabelId::Label10, std::to_string(window.itemCount(ListId::List1)));
  window.setLabelText(LabelId::Label11, std::to_string(window.itemCount(ListId::List2)));
  window.setLabelBackColor(LabelId::Label8, kLightYellow);
  window.setLabelText(LabelId::Label8, status);
  window.setEnabled(ButtonId::calculatot, false);
  window.setEnabled(ButtonId::exportbutton, false);
}

// Asks, shows why not, or lets the run start.
bool mayStart(const Tables& tables, WindowOperations& window,
              const std::filesystem::path& resultsPath, ExistingResults existing) {
  const std::string resultsName = window.text(TextBoxId::recalculado_file);
  if (const auto refusal = refusalBeforeRun(tables.chosen, resultsName, resultsPath)) {
    window.showMessage(messages::runNotStarted(*refusal));
    return false;
  }
  if (existing == ExistingResults::Ask && resultsFileExists(resultsPath)) {
    return window.showMessage(messages::replaceResults(resultsName)) == MessageAnswer::Yes;
  }
  return true;
}

}  // namespace

RunOutcome calculatot(Tables& tables, WindowOperations& window, const Platform& platform,
                      ExistingResults existing, const std::filesystem::path& resultsPath) {
  const bool lotChosen = !window.text(TextBoxId::LOTE_file).empty() &&
                         !tables.lot.header.lotName.empty() && !tables.chosen.lot.path.empty();
  if (!lotChosen || window.text(TextBoxId::EXPORT_file).empty() ||
      tables.chosen.exported.path.empty()) {
    // The graph is cleared as the press always did; the message says why nothing follows.
    window.graph().startRun();
    window.showMessage(messages::runNotStarted(lotChosen ? messages::exportNotChosen()
                                                         : messages::lotNotChosen()));
    return RunOutcome::NotStarted;
  }
  std::filesystem::path results = resultsPath;
  if (results.empty()) {
    // A typed name is taken as the run takes it, and shown so in its box and the status line.
    const std::string typed = window.text(TextBoxId::recalculado_file);
    const std::string taken = typedResultsName(typed);
    if (taken != typed) {
      window.setText(TextBoxId::recalculado_file, taken);
    }
    results = platform.folder.resolve(typedPath(taken));
  }
  if (!mayStart(tables, window, results, existing)) {
    return RunOutcome::Refused;
  }
  window.graph().startRun();
  window.setLabelTextColor(LabelId::Label8, kDarkRed);
  window.setListTextColor(ListId::List1, kBlack);
  window.clearList(ListId::List1);
  window.clearList(ListId::List2);
  window.setLabelToolTip(LabelId::Label10, "");
  tables.lastRun = {};

  Run run(tables, window, platform, results);
  try {
    run.records();
    run.finish();
  } catch (const RunBroken& broken) {
    run.closeAll();
    if (run.resultsCreated()) {
      tables.lastRun.resultsPath = results;
    }
    window.showMessage(messages::runInterrupted(run.record(), run.recordCount(), broken.what,
                                                run.resultsKept(),
                                                window.text(TextBoxId::recalculado_file)));
    showEnd(window, messages::runInterruptedStatus(run.record(), run.recordCount()));
    return RunOutcome::Broken;
  }
  LastRun& last = tables.lastRun;
  last.completed = true;
  if (run.resultsCreated()) {
    last.resultsPath = results;
  }
  last.unreachedSamples =
      unreachedSamples(tables.chosen.lot.rows, tables.exports.blocks, tables.lot.header.lotName);
  window.setLabelToolTip(LabelId::Label10, messages::unreachedSamplesTip(last.unreachedSamples));
  showEnd(window, run.resultsWritten()
                      ? messages::resultsCreatedStatus(window.text(TextBoxId::recalculado_file))
                      : messages::noMatchingSamplesStatus());
  if (run.lotRecords() == 0 && !run.otherLots().empty()) {
    window.showMessage(messages::noRecordOfTheLot(
        tables.lot.header.lotName, window.text(TextBoxId::EXPORT_file), run.otherLots()));
  }
  return RunOutcome::Completed;
}

}  // namespace granomet
