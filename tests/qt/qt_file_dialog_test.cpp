// The file-open dialog: its filters, its held name and the folder a choice makes current.
#include "qt/qt_file_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>

#include "ui/remembered_folder.h"

using namespace granomet;

namespace {

const char* const kLotFilter = "All files (*.*)|*.*|Ficheros CSV de LOTE de Muestras (*.CSV)|*.csv";

// Once the dialog is shown, records what it shows and lets the test act on it.
struct DialogAnswer {
  QString directory;
  QString selectedFilter;
  QStringList selectedFiles;
  bool seen = false;
};

void answerWhenShown(DialogAnswer& answer, std::function<void(QFileDialog&)> act) {
  auto* poll = new QTimer;
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, [poll, &answer, act] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) {
      return;
    }
    answer.seen = true;
    answer.directory = dialog->directory().absolutePath();
    answer.selectedFilter = dialog->selectedNameFilter();
    answer.selectedFiles = dialog->selectedFiles();
    act(*dialog);
    poll->deleteLater();
  });
  poll->start();
}

void choose(QFileDialog& dialog, const QString& path) {
  auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
  name->setText(path);
  QTest::keyClick(name, Qt::Key_Return);
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

  DialogAnswer answer;
  answerWhenShown(answer, [&](QFileDialog& shown) { choose(shown, lot); });
  dialog.showOpen();
  QVERIFY(answer.seen);
  QCOMPARE(answer.selectedFilter, QString("Ficheros CSV de LOTE de Muestras (*.csv)"));
  QCOMPARE(QDir(answer.directory), QDir(start.path()));
  QCOMPARE(QString::fromStdString(dialog.fileName()), lot);
  QCOMPARE(std::filesystem::path(folder.path()), std::filesystem::path(other.path().toStdString()));

  // The next showing opens on the held file.
  DialogAnswer again;
  answerWhenShown(again, [](QFileDialog& shown) { shown.reject(); });
  dialog.showOpen();
  QVERIFY(again.seen);
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

  DialogAnswer answer;
  answerWhenShown(answer, [](QFileDialog& shown) { shown.reject(); });
  dialog.showOpen();
  QVERIFY(answer.seen);
  QCOMPARE(dialog.fileName(), std::string("/ninguna/parte/LOTE1.csv"));
  QCOMPARE(std::filesystem::path(folder.path()), std::filesystem::path(start.path().toStdString()));
}

QTEST_MAIN(QtFileDialogTest)
#include "qt_file_dialog_test.moc"
