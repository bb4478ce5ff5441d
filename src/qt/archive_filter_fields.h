// The Archivo window's filter fields, read as the archive's filter as the command line reads its
// options.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "archive/archive.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace granomet {

// What the fields say: the filter, or why some do not read (each such field is
// marked, its reason in its tool tip).
struct FilterReading {
  ArchiveFilter filter;
  std::vector<std::string> faults;  // UTF-8, one a field; empty: the filter holds
};

class ArchiveFilterFields final : public QWidget {
  Q_OBJECT

 public:
  explicit ArchiveFilterFields(QWidget* parent);

  // Reads every field, marking those that do not read and clearing the marks of
  // those that now do.
  FilterReading read();

 signals:
  // Enter in a text field.
  void searchAsked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* addText(const char* name, const std::string& placeholder);
  void mark(QWidget* field, const std::string& fault, std::vector<std::string>& faults);

  QLineEdit* campaign_;
  QLineEdit* lot_;
  QLineEdit* sample_;
  QComboBox* shepard_;
  QComboBox* folk_;
  QLineEdit* depth_;
  QLineEdit* zone_;
  QLineEdit* since_;
  QLineEdit* until_;
  QCheckBox* allVersions_;
};

}  // namespace granomet
