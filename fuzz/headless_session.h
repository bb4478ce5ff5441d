// A headless main window with its tables, a fixed clock and regional settings, for the fuzz
// targets.
#pragma once

#include <filesystem>
#include <memory>

#include "data/tables.h"
#include "headless/fixed_clock.h"
#include "headless/fixed_regional_settings.h"
#include "headless/headless_window.h"
#include "ui/platform.h"
#include "ui/remembered_folder.h"
#include "workflow/batch_run.h"

namespace granomet::fuzz {

// The window as the program starts it; message boxes take their default answer.
// The clock says 6 June 2016, 9:30:05, so a lot "LOTE12.csv" proposes the
// results file "LOTE12_06062016_093005.csv".
class HeadlessSession {
 public:
  HeadlessSession(const std::filesystem::path& folder, char decimalMark);
  HeadlessSession(const HeadlessSession&) = delete;
  HeadlessSession& operator=(const HeadlessSession&) = delete;

  // Each chooses `file` in the dialog and presses the button.
  void pressLot(const std::filesystem::path& file);
  void pressExport(const std::filesystem::path& file);
  RunOutcome pressCalculate();

  HeadlessWindow& window() { return window_; }
  Tables& tables() { return *tables_; }
  const RememberedFolder& folder() const { return folder_; }

 private:
  RememberedFolder folder_;
  HeadlessWindow window_;
  FixedClock clock_;
  FixedRegionalSettings regional_;
  Platform platform_;
  std::unique_ptr<Tables> tables_;  // too large for the stack
};

}  // namespace granomet::fuzz
