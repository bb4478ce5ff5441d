// The help window: its texts in their places, its second page, where it opens, and the button
// that closes it.
#include "qt/help_window.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <vector>

#include "qt/qt_text.h"
#include "workflow/messages.h"

using namespace granomet;

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void textsStandWhereTheyWereDesigned_data();
  void textsStandWhereTheyWereDesigned();
  void exportLayoutKeepsItsBlanks();
  void isAFixedModelessWindow();
  void itsButtonClosesAndDiscardsIt();
  void theSecondPageTellsWhatTheFirstPredates();
  void opensBesideTheMainWindow_data();
  void opensBesideTheMainWindow();
};

void HelpWindowTest::textsStandWhereTheyWereDesigned_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QRect>("place");
  QTest::addColumn<QString>("text");
  QTest::newRow("Label6") << "Label6" << QRect(8, 3, 161, 20) << "FICHERO DE LOTE";
  QTest::newRow("Label4") << "Label4" << QRect(28, 30, 343, 45)
                          << QString::fromUtf8(
                                 "El LOTE de Muestras es  el fichero EXCEL con la relación de "
                                 "muestras a las que se han añadido los pesos parciales de gravas "
                                 "y conchas guardado en formatos CSV.  ");
  QTest::newRow("Label5") << "Label5" << QRect(10, 85, 157, 20) << "FICHERO EXPORT";
  QTest::newRow("Label3") << "Label3" << QRect(34, 118, 310, 13)
                          << "El fichero EXPORT se genera con \"EXPORT CONFIG\"";
  QTest::newRow("Label1") << "Label1" << QRect(14, 144, 193, 20) << "FORMATO DE EXPORT";
  QTest::newRow("Label2") << "Label2" << QRect(9, 350, 181, 20) << "FICHERO DE SALIDA";
  QTest::newRow("Label12") << "Label12" << QRect(11, 378, 335, 71)
                           << "El fichero de salida contiene los datos necesarios para la base "
                              "de datos, los parametros granulometricos calculados y los datos "
                              "suficientes para generar un informe multimuestra con Gradistat ";
  QTest::newRow("Label7") << "Label7" << QRect(14, 466, 332, 64)
                          << QString::fromUtf8(
                                 "Se ignorarán aquellas muestras que aunque se encuentren el el "
                                 "fichero Export su nombre y numero no aparece o no coincide en el "
                                 "lote a procesar. Tampoco se aceptara un fichero export que "
                                 "corresponda a otro nombre de Lote. ");
  QTest::newRow("lblTitle")
      << "lblTitle" << QRect(16, 535, 159, 42)
      << "Granomet2013 sin graficos para para permitir compatibilidad con windows 7/8";
}

void HelpWindowTest::textsStandWhereTheyWereDesigned() {
  QFETCH(QString, name);
  QFETCH(QRect, place);
  QFETCH(QString, text);
  frmAbout help(nullptr);
  const auto* label = help.findChild<QLabel*>(name);
  QVERIFY(label != nullptr);
  QCOMPARE(label->geometry(), place);
  QCOMPARE(label->text(), text);
}

void HelpWindowTest::exportLayoutKeepsItsBlanks() {
  frmAbout help(nullptr);
  const QStringList lines = help.findChild<QLabel*>("lblDescription")->text().split('\n');
  const QStringList expected{
      "Formato fichero Export LA-950",
      "nada" + QString(16, ' ') + "'1 a 23no se utilizan pero deben estar",
      "RESULT FILE NAME" + QString(8, ' ') + "'24",
      "SAMPLE NAME" + QString(15, ' ') + "'25",
      "LOTE" + QString(29, ' ') + "'26",
      "NUMERO LOTE" + QString(14, ' ') + "'27",
      "IP" + QString(33, ' ') + "'28",
      "SURVEY" + QString(23, ' ') + "'29",
      "Vacio" + QString(16, ' ') + "'30no se utilizan pero deben estar",
      "D,Q,Acum" + QString(13, ' ') + "'31 a 228",
      "'",
  };
  QCOMPARE(lines, expected);
}

void HelpWindowTest::isAFixedModelessWindow() {
  frmAbout help(nullptr);
  QCOMPARE(help.windowTitle(), QString("GRANOMET HELP"));
  QCOMPARE(help.size(), QSize(411, 595));
  QCOMPARE(help.minimumSize(), help.maximumSize());
  QVERIFY(!help.isModal());
  QCOMPARE(help.cmdOK()->text(), QString("Aceptar y cerrar"));
  QCOMPARE(help.cmdOK()->geometry(), QRect(207, 560, 194, 23));
  QVERIFY(help.cmdOK()->isDefault());
}

void HelpWindowTest::itsButtonClosesAndDiscardsIt() {
  auto* help = new frmAbout(nullptr);
  QSignalSpy discarded(help, &QObject::destroyed);
  help->show();
  QVERIFY(QTest::qWaitForWindowExposed(help));
  QTest::mouseClick(help->cmdOK(), Qt::LeftButton);
  QTRY_COMPARE(discarded.count(), 1);
}

// Its sections in the catalogue's words, none cut off, and back to the designed page.
void HelpWindowTest::theSecondPageTellsWhatTheFirstPredates() {
  frmAbout help(nullptr);
  help.show();
  QVERIFY(QTest::qWaitForWindowExposed(&help));
  QVERIFY(help.firstPage()->isVisible() && !help.secondPage()->isVisible());
  QTest::mouseClick(help.moreButton(), Qt::LeftButton);
  QVERIFY(!help.firstPage()->isVisible() && help.secondPage()->isVisible());
  const std::vector<messages::HelpSection> sections = messages::helpMoreSections();
  QCOMPARE(sections.size(), std::size_t{5});
  for (std::size_t i = 0; i < sections.size(); ++i) {
    const QString number = QString::number(i + 1);
    const auto* heading = help.findChild<QLabel*>("moreHeading" + number);
    const auto* text = help.findChild<QLabel*>("moreText" + number);
    QVERIFY(heading != nullptr && text != nullptr);
    QCOMPARE(heading->text(), toQString(sections[i].heading));
    QCOMPARE(text->text(), toQString(sections[i].text));
    QVERIFY2(text->height() >= text->heightForWidth(text->width()), qPrintable(number));
    // Clear of the buttons below it.
    QVERIFY(text->mapTo(&help, text->rect().bottomLeft()).y() < help.moreButton()->y());
  }
  QTest::mouseClick(help.moreButton(), Qt::LeftButton);
  QVERIFY(help.firstPage()->isVisible() && !help.secondPage()->isVisible());
  QCOMPARE(help.moreButton()->text(), toQString(messages::helpMoreButton()));
}

void HelpWindowTest::opensBesideTheMainWindow_data() {
  QTest::addColumn<QRect>("room");
  QTest::addColumn<QRect>("main");
  QTest::addColumn<QPoint>("place");
  // The main window 600 × 500 with its buttons in its left 340 pixels, the help 411 × 600.
  QTest::newRow("room on the right")
      << QRect(0, 0, 1920, 1040) << QRect(100, 50, 600, 500) << QPoint(700, 50);
  QTest::newRow("room only on the left")
      << QRect(0, 0, 1280, 1040) << QRect(600, 80, 600, 500) << QPoint(189, 80);
  QTest::newRow("no room, window at the left")
      << QRect(0, 0, 800, 800) << QRect(0, 0, 600, 500) << QPoint(389, 0);
  QTest::newRow("no room, window at the right")
      << QRect(0, 0, 1000, 800) << QRect(400, 0, 600, 500) << QPoint(0, 0);
  QTest::newRow("a low screen") << QRect(0, 0, 1920, 700) << QRect(100, 300, 600, 500)
                                << QPoint(700, 100);
  QTest::newRow("a second screen")
      << QRect(1920, 0, 1280, 1024) << QRect(2000, 40, 600, 500) << QPoint(2600, 40);
}

void HelpWindowTest::opensBesideTheMainWindow() {
  QFETCH(QRect, room);
  QFETCH(QRect, main);
  QFETCH(QPoint, place);
  const QRect buttons(main.left() + 15, main.top() + 24, 325, 190);
  const QSize help(411, 600);
  QCOMPARE(helpWindowPlace(main, buttons, help, room), place);
  const QRect opened(place, help);
  QVERIFY(room.contains(opened));
  QVERIFY(!opened.intersects(buttons));
}

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
