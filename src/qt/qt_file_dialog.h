// The window's file-open dialog, a Qt file dialog that remembers its held name.
#pragma once

#include <QFileDialog>
#include <QWidget>
#include <filesystem>
#include <string>

#include "ui/platform.h"
#include "ui/window_operations.h"

namespace granomet {

class QtFileDialog final : public FileDialog {
 public:
  QtFileDialog(QWidget* parent, CurrentFolder& folder) : parent_(parent), folder_(folder) {}

  void setFilter(std::string filter) override { filter_ = std::move(filter); }
  void setFilterIndex(int entry) override { filterIndex_ = entry; }
  // Opens in the folder of the held name, or the current folder, with the held
  // name's file selected.
  void showOpen() override;
  std::filesystem::path fileName() const override { return heldName_; }
  void setFileName(std::filesystem::path name) override { heldName_ = std::move(name); }

 private:
  QWidget* parent_;
  CurrentFolder& folder_;
  std::string filter_;
  int filterIndex_ = 1;
  std::filesystem::path heldName_;
};

// Paths pass between Qt and the system in the system's own encoding of names.
QString qtPath(const std::filesystem::path& path);
std::filesystem::path systemPath(const QString& path);

// "All files (*.*)|*.*|CSV (*.CSV)|*.csv" as Qt's name filters. Patterns match
// without regard to case, as on the lab's systems; the description is shown as
// written.
QStringList qtNameFilters(const QString& filter);

// The window's save dialogs (the graph's picture, the report): the same dialog on
// every desktop, one a test can type into, without Qt's own replace question (the
// window asks its own, with No as its default), the proposed file selected.
void prepareSaveDialog(QFileDialog& dialog, const char* objectName, const QString& filter,
                       const std::filesystem::path& proposed);

}  // namespace granomet
