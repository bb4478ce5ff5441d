// The main window principal: the three work-flow buttons, the file boxes, the lists and the graph.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "data/tables.h"
#include "qt/help_window.h"
#include "ui/platform.h"
#include "ui/window_operations.h"

class QAbstractButton;
class QLabel;

namespace granomet {

class CurveGraph;
class SampleList;
class TextBox;

// Owns the tables for its whole life and realises the window operations on its
// controls; the buttons' work is the core's. Each control's object name is its
// designed name (LOTE_file, List1, Label8, CWGraph1, ...).
class principal final : public QWidget, public WindowOperations {
  Q_OBJECT

 public:
  // dialog: the file-open dialog the lot and export buttons use; without one the
  // window opens Qt's own.
  principal(const Clock& clock, const RegionalSettings& regional, CurrentFolder& folder,
            std::unique_ptr<FileDialog> dialog = nullptr);
  ~principal() override;

  std::string text(TextBoxId box) const override;
  void setText(TextBoxId box, std::string text) override;
  void clearList(ListId list) override;
  void addItem(ListId list, std::string item) override;
  int itemCount(ListId list) const override;
  std::string item(ListId list, int position) const override;
  void setListTextColor(ListId list, Rgb color) override;
  void setLabelText(LabelId label, std::string text) override;
  void setLabelTextColor(LabelId label, Rgb color) override;
  void setLabelBackColor(LabelId label, Rgb color) override;
  void setEnabled(ButtonId button, bool enabled) override;
  MessageAnswer showMessage(const MessageRequest& request) override;
  FileDialog& fileDialog() override { return *dialog_; }
  Graph& graph() override;

  // The help window while it is shown, else null.
  frmAbout* helpWindow() const { return help_; }
  const Tables& tables() const { return *tables_; }

 signals:
  // The user answered Yes to the exit question: the program ends.
  void leaveConfirmed();

 protected:
  // Closing from the title bar asks as the exit button does.
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildControls(char decimalMark);
  void showHelp();
  // True when the user answered Yes; the help window is closed then.
  bool askToLeave();
  TextBox* box(TextBoxId id) const;
  SampleList* list(ListId id) const;
  QLabel* label(LabelId id) const;

  std::unique_ptr<Tables> tables_;
  Platform platform_;
  std::unique_ptr<FileDialog> dialog_;
  QPointer<frmAbout> help_;
  bool leaving_ = false;  // Yes was answered: the close that follows asks nothing

  TextBox* LOTE_file_ = nullptr;
  TextBox* EXPORT_file_ = nullptr;
  TextBox* recalculado_file_ = nullptr;
  QAbstractButton* lotebutton_ = nullptr;
  QAbstractButton* exportbutton_ = nullptr;
  QAbstractButton* calculatot_ = nullptr;
  QAbstractButton* helpbutton_ = nullptr;
  QAbstractButton* exitbutton_ = nullptr;
  SampleList* List1_ = nullptr;
  SampleList* List2_ = nullptr;
  QLabel* Label8_ = nullptr;
  QLabel* Label10_ = nullptr;
  QLabel* Label11_ = nullptr;
  CurveGraph* CWGraph1_ = nullptr;
};

}  // namespace granomet
