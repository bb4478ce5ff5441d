// A generated 254-sample lot and export in a temporary folder, and the buttons that read them.
#pragma once

#include <filesystem>
#include <memory>

#include "headless/fixed_clock.h"
#include "headless/fixed_regional_settings.h"
#include "headless/headless_window.h"
#include "samplegen/sample_files.h"
#include "ui/remembered_folder.h"
#include "workflow/batch_run.h"
#include "workflow/export_button.h"
#include "workflow/lot_button.h"

namespace granomet {

class FullLot {
 public:
  explicit FullLot(const char* folderName, char decimalMark = '.', unsigned seed = 1)
      : folder_(std::filesystem::temp_directory_path() / folderName),
        currentFolder_(folder_),
        regional_(decimalMark) {
    tools::SampleFileOptions options;
    options.sampleCount = 254;
    options.seed = seed;
    tools::writeSampleFiles(options, folder_);
  }
  ~FullLot() { std::filesystem::remove_all(folder_); }
  FullLot(const FullLot&) = delete;
  FullLot& operator=(const FullLot&) = delete;

  HeadlessWindow window() { return HeadlessWindow(currentFolder_); }
  const std::filesystem::path& folder() const { return folder_; }
  CurrentFolder& currentFolder() { return currentFolder_; }
  const Platform& platform() const { return platform_; }

  // Every file but the lot and its export: a run's results, so that the next run
  // is not asked whether to replace them.
  void removeResults() const {
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
      if (entry.path().filename() != "LOTE12.csv" &&
          entry.path().filename() != "LOTE12_export.txt") {
        std::filesystem::remove(entry.path());
      }
    }
  }

  void pressLotAndExport(Tables& tables, HeadlessWindow& window) {
    window.dialog().queueAnswer(folder_ / "LOTE12.csv");
    lotebutton(tables, window, platform_);
    window.dialog().queueAnswer(folder_ / "LOTE12_export.txt");
    exportbutton(tables, window, platform_);
  }

 private:
  std::filesystem::path folder_;
  RememberedFolder currentFolder_;
  FixedClock clock_{{2016, 6, 6, 9, 30, 5}};
  FixedRegionalSettings regional_;
  Platform platform_{clock_, regional_, currentFolder_};
};

// A results file of 254 samples, written by a run on a generated lot.
class FullResults {
 public:
  explicit FullResults(const char* folderName, unsigned seed = 1) : lot_(folderName, ',', seed) {
    auto tables = std::make_unique<Tables>();
    HeadlessWindow window = lot_.window();
    lot_.pressLotAndExport(*tables, window);
    calculatot(*tables, window, lot_.platform(), ExistingResults::Replace, path());
  }
  std::filesystem::path path() const { return lot_.folder() / "resultados.csv"; }
  std::filesystem::path folder() const { return lot_.folder(); }

 private:
  FullLot lot_;
};

}  // namespace granomet
