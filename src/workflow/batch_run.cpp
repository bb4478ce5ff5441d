#include "workflow/batch_run.h"

#include <cmath>
#include <optional>
#include <string>

#include "compute/compute_fault.h"
#include "compute/sample_computation.h"
#include "data/field_reader.h"
#include "data/lot_rereader.h"
#include "data/read_error.h"
#include "data/text_encoding.h"
#include "results/results_file.h"
#include "workflow/run_checks.h"
#include "workflow/sample_matching.h"

namespace granomet {
namespace {

constexpr float kCoarsestGravelDiameter = 8000;  // µm, always empty
constexpr float kSieveGravelDiameter = 6000;     // µm, the coarsest weighed fraction
constexpr float kUnusedClass66Diameter = 4000;   // every loaded record overwrites it

// A failure that ends the run, with its message in UTF-8.
struct RunBroken {
  std::string what;
};

// fileKind: "exportación" or "lote"; record: the record being read, 0 before the first.
std::string readFailure(const std::string& fileKind, const std::string& file,
                        const ReadError& error, int record) {
  const std::string theFile = "el fichero de " + fileKind + " " + file;
  switch (error.cause()) {
    case ReadError::Cause::CannotOpen:
      return "No se puede abrir " + theFile + ".";
    case ReadError::Cause::EndOfFile:
      if (record > 0) {
        return "En " + theFile + " falta el final de la muestra " + std::to_string(record) +
               " (el fichero termina dentro de ella).";
      }
      return "No hay nada en " + theFile + ".";
    case ReadError::Cause::UnclosedQuote:
      return "En " + theFile + " unas comillas (\") abren un campo de la muestra " +
             std::to_string(record) + " que no se cierra hasta el final del fichero.";
    case ReadError::Cause::TooLong:
      return "En " + theFile + " la muestra " + std::to_string(record) +
             " tiene un campo de más de 1 MB.";
    case ReadError::Cause::NotText:
      return "No se puede leer " + theFile + ": tiene bytes nulos, no es un fichero de texto.";
    case ReadError::Cause::TooLarge:
      return "No se puede leer " + theFile + ": ocupa más de 64 MB.";
    case ReadError::Cause::NotAFile:
      return "No se puede leer " + theFile + ": no es un fichero sino " +
             cp1252ToUtf8(error.subject()) + ".";
    case ReadError::Cause::Overflow:
    case ReadError::Cause::OutOfRange:
    case ReadError::Cause::Io:
      break;
  }
  return "Error de lectura en " + theFile + ".";
}

class Run {
 public:
  Run(Tables& tables, WindowOperations& window, const Platform& platform)
      : tables_(tables),
        window_(window),
        platform_(platform),
        lot_(tables.chosen.lot.bytes, tables.chosen.lot.format) {}

  void records() {
    const std::string exportName = cp1252ToUtf8(window_.text(TextBoxId::EXPORT_file));
    std::optional<FieldReader> exportFile;
    try {
      exportFile = FieldReader::open(tables_.chosen.exported.path);
      exportFile->readLine();
    } catch (const ReadError& error) {
      throw RunBroken{readFailure("exportación", exportName, error, 0)};
    }
    for (record_ = 1; record_ <= recordCount_; ++record_) {
      RecordResult result;
      try {
        result = handleNextRecord(*exportFile, tables_, lot_, window_, decimalMark());
      } catch (const ReadError& error) {
        throw RunBroken{readFailure("exportación", exportName, error, record_)};
      } catch (const LotFileUnreadable& error) {
        throw RunBroken{
            readFailure("lote", cp1252ToUtf8(window_.text(TextBoxId::LOTE_file)), error.error, 0)};
      }
      if (result.outcome == RecordOutcome::Matched) {
        calculated(result.currentSample);
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

  bool resultsWritten() const { return resultsWritten_ == 1; }
  // The file may have been created, replacing an older one, before its header failed.
  bool resultsCreated() const { return resultsCreated_; }
  int record() const { return record_; }
  int recordCount() const { return recordCount_; }

 private:
  char decimalMark() const { return platform_.regional.decimalMark(); }

  std::string resultsFailure(const ResultsFileError& error) const {
    const std::string file = cp1252ToUtf8(window_.text(TextBoxId::recalculado_file));
    return (error.stage() == ResultsFileError::Stage::Create
                ? "No se puede crear el fichero de resultados "
                : "No se puede escribir en el fichero de resultados ") +
           file + ": " + error.cause() + ".";
  }

  void calculated(std::int16_t n) {
    ExportTable& exports = tables_.exports;
    std::optional<ComputedSample> sample;
    try {
      sample = computeSample(tables_.lot.records[n], exports.diameters, exports.frequencies[n]);
    } catch (const ComputeFault& fault) {
      reportUncalculated(window_, exports.exportSampleName, std::to_string(n),
                         utf8ToCp1252(fault.describe()));
      return;
    }
    tables_.lot.records[n] = sample->record;
    exports.frequencies[n] = sample->distribution;
    tables_.classTable = sample->classTable;
    tables_.results[n] = sample->results;

    // Written before it is listed, so that a results file that fails leaves
    // List1 and its count showing only the samples that were written.
    const std::string line =
        resultsSampleLine({n, tables_.lot.header, tables_.lot.records[n], tables_.results[n],
                           tables_.laserFile[n], exports.frequencies[n]},
                          platform_.clock.now(), decimalMark());
    try {
      if (resultsWritten_ == 0) {
        results_ = ResultsFile::create(
            platform_.folder.resolve(window_.text(TextBoxId::recalculado_file)));
        resultsCreated_ = true;
        results_->writeLine(resultsHeaderLine(exports.diameters, decimalMark()));
        // The whole run is drawn against the diameters of its first sample.
        for (int i = 1; i <= kPlottedClasses; ++i) {
          x_[static_cast<std::size_t>(i - 1)] =
              static_cast<float>(std::log(static_cast<double>(exports.diameters[i])));
        }
      }
      results_->writeLine(line);
    } catch (const ResultsFileError& error) {
      throw RunBroken{resultsFailure(error)};
    }

    window_.addItem(ListId::List1,
                    exports.exportSampleName + "  " + tables_.results[n].shepardName);
    CurveValues y{};
    for (int i = 1; i <= kPlottedClasses; ++i) {
      y[static_cast<std::size_t>(i - 1)] = static_cast<float>(exports.frequencies[n][i]);
    }
    window_.graph().plotCurve(exports.exportSampleName, x_, y);
    resultsWritten_ = 1;
  }

  Tables& tables_;
  WindowOperations& window_;
  const Platform& platform_;
  LotRereader lot_;
  std::optional<ResultsFile> results_;
  std::int16_t resultsWritten_ = 0;
  bool resultsCreated_ = false;
  int record_ = 0;
  const int recordCount_ = tables_.exports.exportSampleCount;
  CurveValues x_{};
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
bool mayStart(const Tables& tables, WindowOperations& window, const Platform& platform,
              ExistingResults existing) {
  const std::string resultsName = window.text(TextBoxId::recalculado_file);
  const std::filesystem::path resultsPath = platform.folder.resolve(resultsName);
  if (const auto refusal = refusalBeforeRun(tables.chosen, resultsName, resultsPath)) {
    window.showMessage(
        {*refusal, utf8ToCp1252("CÁLCULO NO INICIADO"), MessageButtons::Ok, MessageIcon::Error});
    return false;
  }
  if (existing == ExistingResults::Ask && resultsFileExists(resultsPath)) {
    MessageRequest question{
        "El fichero " + resultsName + utf8ToCp1252(" ya existe. ¿Desea reemplazarlo?"), "",
        MessageButtons::YesNo, MessageIcon::Warning};
    question.defaultNo = true;
    return window.showMessage(question) == MessageAnswer::Yes;
  }
  return true;
}

}  // namespace

RunOutcome calculatot(Tables& tables, WindowOperations& window, const Platform& platform,
                      ExistingResults existing) {
  if (window.text(TextBoxId::LOTE_file).empty() || window.text(TextBoxId::EXPORT_file).empty() ||
      tables.lot.header.lotName.empty() || tables.chosen.lot.path.empty() ||
      tables.chosen.exported.path.empty()) {
    window.graph().startRun();
    return RunOutcome::NotStarted;
  }
  if (!mayStart(tables, window, platform, existing)) {
    return RunOutcome::Refused;
  }
  window.graph().startRun();
  window.setLabelTextColor(LabelId::Label8, kDarkRed);
  window.setListTextColor(ListId::List1, kBlack);
  ExportTable& exports = tables.exports;
  exports.diameters[66] = kUnusedClass66Diameter;
  exports.diameters[67] = kSieveGravelDiameter;
  exports.diameters[68] = kCoarsestGravelDiameter;
  window.clearList(ListId::List1);
  window.clearList(ListId::List2);

  Run run(tables, window, platform);
  try {
    run.records();
    run.finish();
  } catch (const RunBroken& broken) {
    run.closeAll();
    const std::string resultsName = cp1252ToUtf8(window.text(TextBoxId::recalculado_file));
    const std::string where = run.record() == 0 ? "antes de la primera muestra"
                                                : "en la muestra " + std::to_string(run.record()) +
                                                      " de " + std::to_string(run.recordCount());
    const std::string kept =
        !run.resultsCreated() ? "No se ha escrito ningún fichero de resultados."
        : run.resultsWritten()
            ? "El fichero de resultados " + resultsName + " conserva las muestras ya escritas."
            : "El fichero de resultados " + resultsName +
                  " se ha creado, pero sin ninguna muestra.";
    window.showMessage({utf8ToCp1252("El cálculo se ha interrumpido " + where + ".\n\n" +
                                     broken.what + "\n\n" + kept),
                        utf8ToCp1252("CÁLCULO INTERRUMPIDO"), MessageButtons::Ok,
                        MessageIcon::Error});
    showEnd(window, utf8ToCp1252("Cálculo interrumpido " + where));
    return RunOutcome::Broken;
  }
  showEnd(window, run.resultsWritten()
                      ? window.text(TextBoxId::recalculado_file) + " HA SIDO CREADO."
                      : std::string("Sin muestras coincidentes"));
  return RunOutcome::Completed;
}

}  // namespace granomet
