// The main window principal: the three work-flow buttons, the file boxes, the lists and the graph.
#pragma once

#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "archive/archive.h"
#include "data/tables.h"
#include "qt/help_window.h"
#include "qt/window_stretch.h"
#include "ui/platform.h"
#include "ui/warning_limit.h"
#include "ui/window_operations.h"
#include "workflow/shown_results.h"

class QAbstractButton;
class QLabel;
class QTemporaryDir;

namespace granomet {

class ArchiveSettings;
class ArchiveWindow;
class CurveGraph;
class SampleLinks;
class SampleList;
class TextBox;

// Owns the tables for its whole life and realises the window operations on its
// controls; the buttons' work is the core's. Each control's object name is its
// designed name (LOTE_file, List1, Label8, CWGraph1, ...).
class principal final : public QWidget, public WindowOperations {
  Q_OBJECT

 public:
  // archive: where each completed run is kept, unless it says not to, and what the
  // Archivo window searches. dialog: the file-open dialog the lot and export buttons
  // use; without one the window opens Qt's own.
  principal(const Clock& clock, const RegionalSettings& regional, CurrentFolder& folder,
            ArchiveSettings& archive, std::unique_ptr<FileDialog> dialog = nullptr);
  ~principal() override;

  std::string text(TextBoxId box) const override;
  void setText(TextBoxId box, std::string text) override;
  void clearList(ListId list) override;
  void addItem(ListId list, std::string item) override;
  void addItemWithReason(ListId list, std::string item, std::string reason) override;
  int itemCount(ListId list) const override;
  std::string item(ListId list, int position) const override;
  void setListTextColor(ListId list, Rgb color) override;
  void setLabelText(LabelId label, std::string text) override;
  void setLabelTextColor(LabelId label, Rgb color) override;
  void setLabelBackColor(LabelId label, Rgb color) override;
  void setLabelToolTip(LabelId label, std::string tip) override;
  void setEnabled(ButtonId button, bool enabled) override;
  MessageAnswer showMessage(const MessageRequest& request) override;
  FileDialog& fileDialog() override { return *dialog_; }
  Graph& graph() override;

  // The help window while it is shown, else null.
  frmAbout* helpWindow() const { return help_; }
  const Tables& tables() const { return *tables_; }
  // What the graph's menu item "Crear informe PDF…" does once a run has samples.
  void setReportAction(std::function<void()> action);
  // List1's samples tied to the graph, the ternary window and the graph's menu.
  SampleLinks& sampleLinks() const { return *links_; }

  // Opens the Archivo window, one for the window's life, or brings it up.
  void showArchiveWindow();
  // The Archivo window once opened, else null.
  ArchiveWindow* archiveWindow() const;
  // The archive's samples shown as a run's (what the Archivo window sends): their
  // results files are written into a private folder, kept while List1 shows them,
  // then listed, drawn, and read by the lot's views and the report. Files that cannot
  // be written or read are said in a message, and the window stays as it was.
  void showArchivedSamples(const std::vector<ArchivedResultsFile>& files);
  // Where List1's samples come from: the run's results file, or the archived files.
  ShownResults shownResults() const;

 signals:
  // The user answered Yes to the exit question: the program ends.
  void leaveConfirmed();

 protected:
  // Closing from the title bar asks as the exit button does.
  void closeEvent(QCloseEvent* event) override;
  // Enter presses the button that has the focus.
  void keyPressEvent(QKeyEvent* event) override;
  // Enlarged, the lists and the graph take the room; at its designed size nothing moves.
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildControls(char decimalMark);
  void stretchControls(QWidget& ignoredHeading, QWidget& calculatedHeading);
  void showHelp();
  // After a completed run: the run kept in the archive, the status line and, where it
  // could not be, a warning saying so; an open Archivo window reads it again.
  void archiveLastRun();
  // List1 no longer shows the archived samples: their folder goes.
  void forgetArchivedSamples();
  // The status line with the run's archiving, which is shortened in its middle (the
  // archive's path) where the line shows too little of it, whole in its tip.
  void fitStatus();
  // A work button's handler, then one box for the per-sample warnings it held back.
  void press(const std::function<void()>& handler);
  // True when the user answered Yes; the help window is closed then.
  bool askToLeave();
  TextBox* box(TextBoxId id) const;
  SampleList* list(ListId id) const;
  QLabel* label(LabelId id) const;

  std::unique_ptr<Tables> tables_;
  Platform platform_;
  ArchiveSettings& archive_;
  QPointer<ArchiveWindow> archiveWindow_;
  std::unique_ptr<QTemporaryDir> archivedFolder_;
  std::vector<std::filesystem::path> archivedFiles_;
  // The run's status and its archiving; empty: the status line shows what it was given.
  QString runStatus_;
  QString archivingStatus_;
  std::unique_ptr<FileDialog> dialog_;
  QPointer<frmAbout> help_;
  bool leaving_ = false;  // Yes was answered: the close that follows asks nothing
  WarningLimit warnings_;

  // The controls under the names the lab's earlier window gave them (also their
  // object names, which the window tests find them by).
  TextBox* LOTE_file_ = nullptr;             // the lot file's name
  TextBox* EXPORT_file_ = nullptr;           // the export file's name
  TextBox* recalculado_file_ = nullptr;      // the results file's name
  QAbstractButton* lotebutton_ = nullptr;    // opens the lot
  QAbstractButton* exportbutton_ = nullptr;  // opens the export
  QAbstractButton* calculatot_ = nullptr;    // «Cálculo»
  QAbstractButton* helpbutton_ = nullptr;    // opens the help window
  QAbstractButton* exitbutton_ = nullptr;    // asks «¿Has terminado?» and quits
  SampleList* List1_ = nullptr;              // the samples, then the calculated ones
  SampleList* List2_ = nullptr;              // in red: the ignored samples
  QLabel* Label8_ = nullptr;                 // the status line
  QLabel* Label10_ = nullptr;                // the count of List1
  QLabel* Label11_ = nullptr;                // the count of List2
  CurveGraph* CWGraph1_ = nullptr;           // every calculated sample's curve
  // Owned here, not as a child: it goes before the controls it listens to.
  std::unique_ptr<SampleLinks> links_;
  WindowStretch stretch_;
};

}  // namespace granomet
