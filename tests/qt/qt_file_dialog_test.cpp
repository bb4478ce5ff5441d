// The file-open dialog: its filters, its held name and the folder a choice makes current.
#include "qt/qt_file_dialog.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "support/modal_answerer.h"
#include "ui/remembered_folder.h"

using namespace granomet;

namespace {

// What the shown dialog showed; empty when it was not shown.
struct Shown {
  QString directory, selectedFilter;
  QStringList selectedFiles;
};

// Shows the dialog, records what it shows and answers it with path (empty: cancels).
Shown showAndAnswer(QtFileDialog& dialog, const QString& path) {
  Shown shown;
  tools::ModalAnswerer script;
  script.then("CMDialog1", [&shown, path](QDialog& opened) {
    auto& files = static_cast<QFileDialog&>(opened);
    shown = {files.directory().absolutePath(), files.selectedNameFilter(), files.selectedFiles()};
    if (path.isEmpty()) {
      files.reject();
      return;
    }
    auto* name = files.findChild<QLineEdit*>("fileNameEdit");
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
  });
  dialog.showOpen();
  return shown;
}

}  // namespace

class QtFileDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void filterListBecomesQtNameFilters() {
    const std::pair<QString, QStringList> rows[] = {
        {"All files (*.*)|*.*|EXPORT-UNIT FILES (*.TXT)|*.txt",
         {"All files (*.*)", "EXPORT-UNIT FILES (*.txt)"}},
        {"Textos|*.txt;*.csv", {"Textos (*.txt *.csv)"}},  // a description without pattern
        {"Textos|*.txt|Sobra", {"Textos (*.txt)"}},        // an odd piece dropped
        {"", {}}};
    for (const auto& [filter, expected] : rows) {
      QCOMPARE(qtNameFilters(filter), expected);
    }
  }

  // The next showing opens on the chosen file; a cancelled one keeps the held name and folder,
  // even when the held file's folder is gone.
  void choosingAFileHoldsItsPathAndMakesItsFolderCurrent() {
    QTemporaryDir start, other;
    const QString lot = QDir(other.path()).filePath("LOTE1.csv");
    std::ofstream(lot.toStdString()) << "x";
    RememberedFolder folder(start.path().toStdString());
    QtFileDialog dialog(nullptr, folder);
    dialog.setFilter("All files (*.*)|*.*|Ficheros CSV de LOTE de Muestras (*.CSV)|*.csv");
    dialog.setFilterIndex(2);

    // The held name and the current folder.
    const auto held = [&dialog, &folder] {
      return QString::fromStdString(dialog.fileName().string() + " in " + folder.path().string());
    };
    const QString chosen = lot + " in " + QDir(other.path()).absolutePath();
    const Shown answer = showAndAnswer(dialog, lot);
    QCOMPARE(answer.selectedFilter, QString("Ficheros CSV de LOTE de Muestras (*.csv)"));
    QCOMPARE(QDir(answer.directory), QDir(start.path()));
    QCOMPARE(held(), chosen);

    const Shown again = showAndAnswer(dialog, {});
    QCOMPARE(QDir(again.directory), QDir(other.path()));
    QCOMPARE(again.selectedFiles, QStringList{lot});
    QCOMPARE(held(), chosen);

    dialog.setFileName("/ninguna/parte/LOTE1.csv");
    QVERIFY(!showAndAnswer(dialog, {}).directory.isEmpty());
    QCOMPARE(held(), "/ninguna/parte/LOTE1.csv in " + QDir(other.path()).absolutePath());
  }
};

QTEST_MAIN(QtFileDialogTest)
#include "qt_file_dialog_test.moc"
