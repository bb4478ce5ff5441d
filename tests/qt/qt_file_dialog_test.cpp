// The file-open dialog: its filters, its held name and the folder a choice makes current.
#include "qt/qt_file_dialog.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "support/dialog_script.h"
#include "ui/remembered_folder.h"

using namespace granomet;

namespace {

const char* const kLotFilter = "All files (*.*)|*.*|Ficheros CSV de LOTE de Muestras (*.CSV)|*.csv";

// What the shown dialog showed; empty when it was not shown.
struct Shown {
  QString directory;
  QString selectedFilter;
  QStringList selectedFiles;
};

// Shows the dialog, records what it shows and answers it with path (empty: cancels).
Shown showAndAnswer(QtFileDialog& dialog, const QString& path) {
  Shown shown;
  tools::DialogScript script;
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
  void filterListBecomesQtNameFilters_data();
  void filterListBecomesQtNameFilters();
  void choosingAFileHoldsItsPathAndMakesItsFolderCurrent();
  void cancellingKeepsTheHeldNameAndFolder();
};

void QtFileDialogTest::filterListBecomesQtNameFilters_data() {
  QTest::addColumn<QString>("filter");
  QTest::addColumn<QStringList>("expected");
  QTest::newRow("lot") << kLotFilter
                       << QStringList{"All files (*.*)",
                                      "Ficheros CSV de LOTE de Muestras (*.csv)"};
  QTest::newRow("export") << "All files (*.*)|*.*|EXPORT-UNIT FILES (*.TXT)|*.txt|EXPORT "
                             "SEPARADO POR COMAS (*.CSV)|*.csv"
                          << QStringList{"All files (*.*)", "EXPORT-UNIT FILES (*.txt)",
                                         "EXPORT SEPARADO POR COMAS (*.csv)"};
  QTest::newRow("description without pattern")
      << "Textos|*.txt;*.csv" << QStringList{"Textos (*.txt *.csv)"};
  QTest::newRow("odd piece dropped") << "Textos|*.txt|Sobra" << QStringList{"Textos (*.txt)"};
  QTest::newRow("empty") << "" << QStringList{};
}

void QtFileDialogTest::filterListBecomesQtNameFilters() {
  QFETCH(QString, filter);
  QFETCH(QStringList, expected);
  QCOMPARE(qtNameFilters(filter), expected);
}

void QtFileDialogTest::choosingAFileHoldsItsPathAndMakesItsFolderCurrent() {
  QTemporaryDir start, other;
  const QString lot = QDir(other.path()).filePath("LOTE1.csv");
  std::ofstream(lot.toStdString()) << "x";
  RememberedFolder folder(start.path().toStdString());
  QtFileDialog dialog(nullptr, folder);
  dialog.setFilter(kLotFilter);
  dialog.setFilterIndex(2);

  const Shown answer = showAndAnswer(dialog, lot);
  QCOMPARE(answer.selectedFilter, QString("Ficheros CSV de LOTE de Muestras (*.csv)"));
  QCOMPARE(QDir(answer.directory), QDir(start.path()));
  QCOMPARE(QString::fromStdString(dialog.fileName()), lot);
  QCOMPARE(std::filesystem::path(folder.path()), std::filesystem::path(other.path().toStdString()));

  // The next showing opens on the held file.
  const Shown again = showAndAnswer(dialog, {});
  QCOMPARE(QDir(again.directory), QDir(other.path()));
  QCOMPARE(again.selectedFiles, QStringList{lot});
}

void QtFileDialogTest::cancellingKeepsTheHeldNameAndFolder() {
  QTemporaryDir start;
  RememberedFolder folder(start.path().toStdString());
  QtFileDialog dialog(nullptr, folder);
  dialog.setFilter(kLotFilter);
  dialog.setFilterIndex(2);
  dialog.setFileName("/ninguna/parte/LOTE1.csv");

  QVERIFY(!showAndAnswer(dialog, {}).directory.isEmpty());
  QCOMPARE(dialog.fileName(), std::string("/ninguna/parte/LOTE1.csv"));
  QCOMPARE(std::filesystem::path(folder.path()), std::filesystem::path(start.path().toStdString()));
}

QTEST_MAIN(QtFileDialogTest)
#include "qt_file_dialog_test.moc"
