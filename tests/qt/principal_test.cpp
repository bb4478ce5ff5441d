// The main window driven through its real controls on the off-screen platform.
#include "qt/principal.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <filesystem>
#include <fstream>
#include <memory>

#include "headless/fixed_clock.h"
#include "headless/fixed_regional_settings.h"
#include "headless/headless_file_dialog.h"
#include "qt/curve_graph.h"
#include "qt/help_window.h"
#include "support/modal_answerer.h"
#include "support/sample_files.h"
#include "ui/remembered_folder.h"

using namespace granomet;

namespace {

struct ButtonStates {
  bool lot;
  bool exports;
  bool calculation;
};

}  // namespace

class PrincipalTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void startsEmptyWithOnlyTheLotHelpAndExitButtonsEnabled();
  void controlsStandWhereTheyWereDesigned_data();
  void controlsStandWhereTheyWereDesigned();
  void workFlowThroughTheButtons();
  void failedLotReadKeepsExportAndCalculationDisabled();
  void filesTextsAreShownInUnicode();
  void exitQuestionAnsweredNoThenYes();
  void titleBarCloseAsksTheExitQuestion();
  void anExistingResultsFileIsKeptByTheDefaultAnswer();
  void helpButtonShowsOneHelpWindow();

 private:
  std::filesystem::path folder() const { return std::filesystem::path(dir_->path().toStdString()); }
  void writeLot(const tools::SampleFileOptions& options) {
    tools::writeSampleFiles(options, folder());
  }
  void pressLot(const std::filesystem::path& file);
  void pressExport(const std::filesystem::path& file);
  void press(const char* button);
  ButtonStates buttons() const;
  QString labelText(const char* name) const { return window_->findChild<QLabel*>(name)->text(); }
  QListWidget* list(const char* name) const { return window_->findChild<QListWidget*>(name); }
  QStringList items(const char* name) const;

  QTranslator qtTexts_;
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<RememberedFolder> current_;
  FixedClock clock_{{2016, 6, 6, 9, 30, 5}};
  FixedRegionalSettings regional_{','};
  HeadlessFileDialog* dialog_ = nullptr;
  std::unique_ptr<principal> window_;
  std::unique_ptr<tools::ModalAnswerer> boxes_;
};

void PrincipalTest::initTestCase() {
  // The program's Yes and No are Qt's own, in Spanish.
  QVERIFY(qtTexts_.load("qtbase_es", QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
  QApplication::installTranslator(&qtTexts_);
}

void PrincipalTest::init() {
  dir_ = std::make_unique<QTemporaryDir>();
  QVERIFY(dir_->isValid());
  current_ = std::make_unique<RememberedFolder>(folder());
  auto dialog = std::make_unique<HeadlessFileDialog>(*current_);
  dialog_ = dialog.get();
  window_ = std::make_unique<principal>(clock_, regional_, *current_, std::move(dialog));
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  boxes_ = std::make_unique<tools::ModalAnswerer>();
}

void PrincipalTest::cleanup() {
  boxes_.reset();
  window_.reset();
  current_.reset();
  dir_.reset();
}

void PrincipalTest::pressLot(const std::filesystem::path& file) {
  dialog_->queueAnswer(file);
  press("lotebutton");
}

void PrincipalTest::pressExport(const std::filesystem::path& file) {
  dialog_->queueAnswer(file);
  press("exportbutton");
}

void PrincipalTest::press(const char* button) {
  auto* control = window_->findChild<QAbstractButton*>(button);
  QVERIFY(control != nullptr);
  QTest::mouseClick(control, Qt::LeftButton);
}

ButtonStates PrincipalTest::buttons() const {
  return {window_->findChild<QAbstractButton*>("lotebutton")->isEnabled(),
          window_->findChild<QAbstractButton*>("exportbutton")->isEnabled(),
          window_->findChild<QAbstractButton*>("calculatot")->isEnabled()};
}

QStringList PrincipalTest::items(const char* name) const {
  QStringList texts;
  const QListWidget* shown = list(name);
  for (int i = 0; i < shown->count(); ++i) {
    texts.push_back(shown->item(i)->text());
  }
  return texts;
}

#define QCOMPARE_BUTTONS(states, lotOn, exportOn, calculationOn) \
  do {                                                           \
    const ButtonStates seen = (states);                          \
    QCOMPARE(seen.lot, lotOn);                                   \
    QCOMPARE(seen.exports, exportOn);                            \
    QCOMPARE(seen.calculation, calculationOn);                   \
  } while (false)

void PrincipalTest::startsEmptyWithOnlyTheLotHelpAndExitButtonsEnabled() {
  QCOMPARE(window_->windowTitle(), QString("Granomet 2016 (v5)"));
  QCOMPARE(window_->size(), QSize(600, 499));
  QCOMPARE(window_->minimumSize(), window_->maximumSize());
  QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
  QVERIFY(!(window_->windowFlags() & Qt::WindowMinimizeButtonHint));
  QCOMPARE_BUTTONS(buttons(), true, false, false);
  QVERIFY(window_->findChild<QAbstractButton*>("helpbutton")->isEnabled());
  QVERIFY(window_->findChild<QAbstractButton*>("exitbutton")->isEnabled());
  for (const char* box : {"LOTE_file", "EXPORT_file", "recalculado_file"}) {
    QVERIFY(window_->findChild<QLineEdit*>(box)->text().isEmpty());
  }
  QCOMPARE(list("List1")->count(), 0);
  QCOMPARE(list("List2")->count(), 0);
  QCOMPARE(labelText("Label10"), QString("0"));
  QCOMPARE(labelText("Label11"), QString("0"));
  QVERIFY(labelText("Label8").isEmpty());
  QCOMPARE(list("List1")->palette().color(QPalette::Text), QColor(0, 0, 0));
  QCOMPARE(list("List2")->palette().color(QPalette::Text), QColor(255, 0, 0));
  QVERIFY(!window_->windowIcon().isNull());
}

void PrincipalTest::controlsStandWhereTheyWereDesigned_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QRect>("place");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("tip");
  // Places in pixels: the designed twips divided by 15.
  QTest::newRow("LOTE_file") << "LOTE_file" << QRect(15, 24, 279, 23) << ""
                             << "doble click para entra fichero";
  QTest::newRow("lotebutton") << "lotebutton" << QRect(307, 24, 24, 24) << ""
                              << "Open CSV";
  QTest::newRow("EXPORT_file") << "EXPORT_file" << QRect(16, 64, 278, 23) << ""
                               << "El fichero debe llamarse igual que el del lote _export.txt";
  QTest::newRow("exportbutton") << "exportbutton" << QRect(307, 64, 24, 24) << ""
                                << "Open TXT";
  QTest::newRow("recalculado_file") << "recalculado_file" << QRect(15, 109, 315, 22) << ""
                                    << "automatico";
  QTest::newRow("calculatot") << "calculatot" << QRect(16, 142, 66, 70)
                              << QString::fromUtf8("Cálculo") << "";
  QTest::newRow("helpbutton") << "helpbutton" << QRect(99, 144, 32, 33) << ""
                              << "AYUDA";
  QTest::newRow("exitbutton") << "exitbutton" << QRect(98, 181, 34, 33) << ""
                              << "SALIR";
  QTest::newRow("List2") << "List2" << QRect(155, 142, 181, 69) << ""
                         << "";
  QTest::newRow("Label6") << "Label6" << QRect(248, 215, 57, 13) << "Ignoradas"
                          << "";
  QTest::newRow("Label11") << "Label11" << QRect(313, 216, 23, 13) << "0"
                           << "";
  QTest::newRow("List1") << "List1" << QRect(348, 15, 220, 199) << ""
                         << "";
  QTest::newRow("Label5") << "Label5" << QRect(472, 215, 63, 13) << "Calculadas"
                          << "";
  QTest::newRow("Label10") << "Label10" << QRect(545, 215, 24, 17) << "0"
                           << "";
  QTest::newRow("Label8") << "Label8" << QRect(3, 229, 642, 18) << ""
                          << "";
  QTest::newRow("CWGraph1") << "CWGraph1" << QRect(0, 247, 600, 252) << ""
                            << "";
}

void PrincipalTest::controlsStandWhereTheyWereDesigned() {
  QFETCH(QString, name);
  QFETCH(QRect, place);
  QFETCH(QString, text);
  QFETCH(QString, tip);
  const auto* control = window_->findChild<QWidget*>(name);
  QVERIFY(control != nullptr);
  QCOMPARE(control->geometry(), place);
  QCOMPARE(control->toolTip(), tip);
  if (const auto* label = qobject_cast<const QLabel*>(control)) {
    QCOMPARE(label->text(), text);
  } else if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
    QCOMPARE(button->text(), text);
  }
}

void PrincipalTest::workFlowThroughTheButtons() {
  tools::SampleFileOptions options;
  options.sampleCount = 20;
  options.lotName = "LOTE20";
  options.nameMismatchEvery = 9;
  writeLot(options);

  pressLot(folder() / "LOTE20.csv");
  QCOMPARE_BUTTONS(buttons(), true, true, true);
  QCOMPARE(window_->findChild<QLineEdit*>("LOTE_file")->text(), QString("LOTE20.csv"));
  QCOMPARE(window_->findChild<QLineEdit*>("recalculado_file")->text(),
           QString("LOTE20_06062016_093005.csv"));
  QCOMPARE(list("List1")->count(), 20);

  pressExport(folder() / "LOTE20_export.txt");
  QCOMPARE_BUTTONS(buttons(), true, true, true);
  QCOMPARE(window_->findChild<QLineEdit*>("EXPORT_file")->text(), QString("LOTE20_export.txt"));
  QCOMPARE(list("List1")->count(), 20);

  press("calculatot");
  QCOMPARE_BUTTONS(buttons(), true, false, false);
  QCOMPARE(items("List2"),
           (QStringList{QString::fromUtf8("M-09B ¿9?"), QString::fromUtf8("M-18B ¿18?")}));
  QCOMPARE(list("List1")->count(), 18);
  QVERIFY(items("List1").front().startsWith("M-01  "));
  QCOMPARE(labelText("Label10"), QString("18"));
  QCOMPARE(labelText("Label11"), QString("2"));
  QCOMPARE(labelText("Label8"), QString("LOTE20_06062016_093005.csv HA SIDO CREADO."));
  const QPalette status = window_->findChild<QLabel*>("Label8")->palette();
  QCOMPARE(status.color(QPalette::WindowText), QColor(192, 0, 0));
  QCOMPARE(status.color(QPalette::Window), QColor(255, 255, 128));
  QCOMPARE(window_->findChild<CurveGraph*>("CWGraph1")->curveCount(), 18);
  QVERIFY(std::filesystem::exists(folder() / "LOTE20_06062016_093005.csv"));
  // The two disagreeing names were each announced in a warning and answered.
  QCOMPARE(boxes_->seen().size(), std::size_t{2});
  QCOMPARE(boxes_->seen().front().icon, QMessageBox::Warning);
}

void PrincipalTest::failedLotReadKeepsExportAndCalculationDisabled() {
  std::ofstream(folder() / "ROTO.csv", std::ios::binary) << "titulo\r\nsolo una linea\r\n";
  pressLot(folder() / "ROTO.csv");
  QCOMPARE(boxes_->seen().size(), std::size_t{1});
  QCOMPARE(boxes_->seen().front().title, QString("ERROR EN CSV"));
  QCOMPARE(boxes_->seen().front().icon, QMessageBox::Critical);
  QCOMPARE_BUTTONS(buttons(), true, false, false);
  QCOMPARE(window_->findChild<QLabel*>("Label8")->palette().color(QPalette::WindowText),
           QColor(192, 0, 0));
}

void PrincipalTest::filesTextsAreShownInUnicode() {
  writeLot({});
  // Rename sample 1 in the lot to a Windows-1252 name with ñ, º, é and µ.
  const auto lotPath = folder() / "LOTE12.csv";
  std::string bytes;
  {
    std::ifstream in(lotPath, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  const std::string name = "M-01";
  bytes.replace(bytes.find(name), name.size(),
                "Pe\xF1"
                "a\xBA"
                "1\xE9\xB5");
  std::ofstream(lotPath, std::ios::binary) << bytes;

  pressLot(lotPath);
  QCOMPARE(items("List1").front(), QString::fromUtf8("001 : 001  Peñaº1éµ"));
  QCOMPARE(window_->item(ListId::List1, 0), std::string("001 : 001  Pe\xF1"
                                                        "a\xBA"
                                                        "1\xE9\xB5"));
}

void PrincipalTest::exitQuestionAnsweredNoThenYes() {
  QSignalSpy leave(window_.get(), &principal::leaveConfirmed);
  press("helpbutton");
  QVERIFY(window_->helpWindow() != nullptr);

  boxes_->queue(QMessageBox::No);
  press("exitbutton");
  QCOMPARE(leave.count(), 0);
  QVERIFY(window_->helpWindow() != nullptr && window_->helpWindow()->isVisible());
  QVERIFY(window_->isVisible());

  boxes_->queue(QMessageBox::Yes);
  press("exitbutton");
  QCOMPARE(leave.count(), 1);
  QTRY_VERIFY(window_->helpWindow() == nullptr);

  QCOMPARE(boxes_->seen().size(), std::size_t{2});
  const tools::ModalAnswerer::Seen& question = boxes_->seen().front();
  QCOMPARE(question.title, QString("Vas a salir"));
  QCOMPARE(question.text, QString::fromUtf8("¿Has terminado?"));
  QCOMPARE(question.icon, QMessageBox::NoIcon);
  QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
  QCOMPARE(question.defaultButton, QMessageBox::Yes);
  QVERIFY(question.buttonTexts.contains(QString::fromUtf8("&Sí")));
}

void PrincipalTest::titleBarCloseAsksTheExitQuestion() {
  QSignalSpy leave(window_.get(), &principal::leaveConfirmed);
  boxes_->queue(QMessageBox::No);
  QVERIFY(!window_->close());
  QVERIFY(window_->isVisible());
  QCOMPARE(leave.count(), 0);

  boxes_->queue(QMessageBox::Yes);
  QVERIFY(window_->close());
  QVERIFY(!window_->isVisible());
  QCOMPARE(leave.count(), 1);
  QCOMPARE(boxes_->seen().size(), std::size_t{2});
  QCOMPARE(boxes_->seen().back().title, QString("Vas a salir"));
}

void PrincipalTest::anExistingResultsFileIsKeptByTheDefaultAnswer() {
  writeLot({});
  const auto results = folder() / "LOTE12_06062016_093005.csv";
  std::ofstream(results, std::ios::binary) << "viejo\r\n";
  pressLot(folder() / "LOTE12.csv");
  pressExport(folder() / "LOTE12_export.txt");
  const QStringList listed = items("List1");

  press("calculatot");  // answered with the default button
  QCOMPARE(boxes_->seen().size(), std::size_t{1});
  const tools::ModalAnswerer::Seen question = boxes_->seen().front();
  QCOMPARE(question.title, QString("Granomet"));
  QCOMPARE(
      question.text,
      QString::fromUtf8("El fichero LOTE12_06062016_093005.csv ya existe. ¿Desea reemplazarlo?"));
  QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
  QCOMPARE(question.defaultButton, QMessageBox::No);
  QVERIFY(question.buttonTexts.contains(QString::fromUtf8("&Sí")));
  std::ifstream kept(results, std::ios::binary);
  QCOMPARE(std::string(std::istreambuf_iterator<char>(kept), {}), std::string("viejo\r\n"));
  QCOMPARE(items("List1"), listed);
  QVERIFY(labelText("Label8").isEmpty());
}

void PrincipalTest::helpButtonShowsOneHelpWindow() {
  press("helpbutton");
  press("helpbutton");
  QCOMPARE(window_->findChildren<frmAbout*>().size(), 1);
  QVERIFY(window_->helpWindow()->isVisible());
  // The help window does not block the main window.
  QVERIFY(!window_->helpWindow()->isModal());
  QVERIFY(QApplication::activeModalWidget() == nullptr);
}

QTEST_MAIN(PrincipalTest)
#include "principal_test.moc"
