#include "qt/report_action.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

#include "data/file_names.h"
#include "qt/message_box.h"
#include "qt/qt_file_dialog.h"
#include "qt/qt_text.h"
#include "report/pdf_report.h"
#include "workflow/messages.h"
#include "workflow/window_report.h"

namespace granomet {

std::filesystem::path reportFileOf(const QString& chosen) {
  return systemPath(QFileInfo(chosen).suffix().isEmpty() ? chosen + ".pdf" : chosen);
}

void createReport(QWidget* parent, const Tables& tables, const Platform& platform) {
  const std::filesystem::path proposed = proposedReportPath(tables);
  if (proposed.empty()) {
    showMessageBox(parent, messages::reportWithoutRun());
    return;
  }
  QFileDialog dialog(parent, toQString(messages::saveReportTitle()));
  prepareSaveDialog(dialog, "saveReportDialog", toQString(messages::reportFilter()), proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return;
  }
  const std::filesystem::path chosen = reportFileOf(dialog.selectedFiles().front());
  if (QFileInfo::exists(qtPath(chosen)) &&
      showMessageBox(parent, messages::replaceResults(pathText(chosen))) != MessageAnswer::Yes) {
    return;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const MessageRequest said = reportOfLastRun(tables, chosen, platform, report::pdfRenderer());
  QApplication::restoreOverrideCursor();
  showMessageBox(parent, said);
}

}  // namespace granomet
