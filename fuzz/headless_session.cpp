// A headless main window with its tables, a fixed clock and regional settings, for the fuzz
// targets.
#include "headless_session.h"

#include "workflow/export_button.h"
#include "workflow/lot_button.h"

namespace granomet::fuzz {

HeadlessSession::HeadlessSession(const std::filesystem::path& folder, char decimalMark)
    : folder_(folder),
      window_(folder_),
      clock_({2016, 6, 6, 9, 30, 5}),
      regional_(decimalMark),
      platform_{clock_, regional_, folder_},
      tables_(std::make_unique<Tables>()) {}

void HeadlessSession::pressLot(const std::filesystem::path& file) {
  window_.dialog().queueAnswer(file);
  lotebutton(*tables_, window_, platform_);
}

void HeadlessSession::pressExport(const std::filesystem::path& file) {
  window_.dialog().queueAnswer(file);
  exportbutton(*tables_, window_, platform_);
}

RunOutcome HeadlessSession::pressCalculate() {
  return calculatot(*tables_, window_, platform_);
}

}  // namespace granomet::fuzz
