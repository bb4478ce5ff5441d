#include "qt/report_action.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <utility>

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

void createReport(QWidget* parent, const ShownResults& shown, const Platform& platform) {
  const std::filesystem::path proposed = proposedReportPath(shown);
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
  // A wait cursor for a short report; past a second, the pages drawn and a button
  // that stops at once, leaving no file and the earlier one as it was.
  QApplication::setOverrideCursor(Qt::WaitCursor);
  bool waiting = true;
  const auto stopWaiting = [&waiting] {
    if (std::exchange(waiting, false)) {
      QApplication::restoreOverrideCursor();
    }
  };
  QProgressDialog progress(parent);
  progress.setObjectName("reportProgress");
  progress.setWindowTitle(toQString(messages::saveReportTitle()));
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setMinimumDuration(1000);
  progress.setAutoClose(true);
  const ReportProgress tell = [&](int done, int pages) {
    if (progress.maximum() != pages) {
      progress.setMaximum(pages);
    }
    // Read only once the dialog shows; the first page's words are there when it does.
    if (done == 1 || progress.isVisible()) {
      progress.setLabelText(toQString(messages::reportProgressLabel(done, pages)));
    }
    progress.setValue(done);
    if (progress.isVisible()) {
      stopWaiting();
    }
    return !progress.wasCanceled();
  };
  const MessageRequest said = reportOfShown(shown, chosen, platform, report::pdfRenderer(), tell);
  progress.reset();
  stopWaiting();
  showMessageBox(parent, said);
}

}  // namespace granomet
