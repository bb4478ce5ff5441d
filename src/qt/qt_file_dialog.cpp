#include "qt/qt_file_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>

#include "qt/qt_text.h"

namespace granomet {
namespace {

// Qt's dialog selects the folders of a path as it is typed and, when its list has
// not caught up, may take Return for opening the folder still selected. A typed
// name of an existing file is what the user chose: take it as it stands.
class OpenDialog final : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;

  QString chosenFile() const {
    return typed_.isEmpty() && !selectedFiles().isEmpty() ? selectedFiles().front() : typed_;
  }

  void accept() override {
    if (const auto* name = findChild<QLineEdit*>("fileNameEdit")) {
      const QFileInfo typed(directory(), name->text());
      if (!name->text().isEmpty() && typed.isFile()) {
        typed_ = typed.absoluteFilePath();
        QDialog::accept();
        return;
      }
    }
    QFileDialog::accept();
  }

 private:
  QString typed_;
};

}  // namespace

QString qtPath(const std::filesystem::path& path) {
  return QFile::decodeName(path.c_str());
}

std::filesystem::path systemPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QStringList qtNameFilters(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    const QString patterns = parts[i + 1].trimmed().replace(';', ' ');
    // Qt takes the patterns from the description's last parentheses: replace the
    // designed "(*.CSV)" with the pattern list itself.
    description.remove(QRegularExpression(R"(\s*\([^()]*\)\s*$)"));
    filters.push_back(description + " (" + patterns + ")");
  }
  return filters;
}

void QtFileDialog::showOpen() {
  OpenDialog dialog(parent_, QFileDialog::tr("Open"));
  dialog.setObjectName("CMDialog1");
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  // The same dialog on every desktop, and one a test or a person can type into.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::AllDirs);

  const QStringList filters = qtNameFilters(toQString(filter_));
  dialog.setNameFilters(filters);
  if (filterIndex_ >= 1 && filterIndex_ <= filters.size()) {
    dialog.selectNameFilter(filters[filterIndex_ - 1]);
  }

  const QString held = qtPath(heldName_);
  const QFileInfo heldFile(QDir(qtPath(folder_.path())), held);
  if (!held.isEmpty() && heldFile.dir().exists()) {
    dialog.setDirectory(heldFile.dir());
    dialog.selectFile(heldFile.fileName());
  } else {
    dialog.setDirectory(qtPath(folder_.path()));
  }

  if (dialog.exec() != QDialog::Accepted || dialog.chosenFile().isEmpty()) {
    return;
  }
  const QFileInfo chosen(dialog.chosenFile());
  heldName_ = systemPath(chosen.absoluteFilePath());
  folder_.change(systemPath(chosen.absolutePath()));
}

void prepareSaveDialog(QFileDialog& dialog, const char* objectName, const QString& filter,
                       const std::filesystem::path& proposed) {
  dialog.setObjectName(objectName);
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
  dialog.setNameFilters(qtNameFilters(filter));
  const QFileInfo proposal(qtPath(proposed));
  dialog.setDirectory(proposal.absolutePath());
  dialog.selectFile(proposal.fileName());
}

}  // namespace granomet
