// The main window's own side on the off-screen platform: where its controls stand, how
// the window operations show on them, its message boxes, the help window and leaving.
#include "qt/principal.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "headless/fixed_clock.h"
#include "headless/fixed_regional_settings.h"
#include "headless/headless_file_dialog.h"
#include "qt/curve_graph.h"
#include "qt/help_window.h"
#include "qt/qt_text.h"
#include "qt/sample_links.h"
#include "qt/sample_list.h"
#include "samplegen/sample_files.h"
#include "support/modal_answerer.h"
#include "support/readable_texts.h"
#include "support/shown_principal.h"
#include "ui/remembered_folder.h"
#include "workflow/messages.h"

using namespace granomet;

class PrincipalTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void startsAtItsDesignedSizeEveryControlReadableAndTellingItsUse();
  void maximisedTheListsAndGraphTakeTheRoom();
  void eachKeyDoesItsAction_data();
  void eachKeyDoesItsAction();
  void anEmptyListShowsItsFocus();
  void workFlowShowsOnTheControls();
  void aLongSeriesOfWarningsShowsTenBoxesAndOneForTheRest_data();
  void aLongSeriesOfWarningsShowsTenBoxesAndOneForTheRest();
  void listItemsTellTheirReasonAndWholeTextInATooltip_data();
  void listItemsTellTheirReasonAndWholeTextInATooltip();
  void listsShowWindows1252TextAndKeepItsBytes();
  void failedLotReadShowsACriticalBox();
  void leavingAsksTheExitQuestion_data();
  void leavingAsksTheExitQuestion();
  void helpButtonShowsOneHelpWindow();

 private:
  std::filesystem::path folder() const { return shown_.folder(); }
  bool enabled(const char* button) const {
    return shown_.window().findChild<QAbstractButton*>(button)->isEnabled();
  }
  // Whether the lot, export and calculation buttons are enabled.
  QList<bool> workButtons() const {
    return {enabled("lotebutton"), enabled("exportbutton"), enabled("calculatot")};
  }
  QString labelText(const char* name) const {
    return shown_.window().findChild<QLabel*>(name)->text();
  }
  QStringList items(const char* name) const;

  tools::ShownPrincipal shown_;
};

void PrincipalTest::init() {
  QVERIFY(shown_.open());
}

void PrincipalTest::cleanup() {
  shown_.close();
}

QStringList PrincipalTest::items(const char* name) const {
  QStringList texts;
  const auto* shown = shown_.window().findChild<QListWidget*>(name);
  for (int i = 0; i < shown->count(); ++i) {
    texts.push_back(shown->item(i)->text());
  }
  return texts;
}

void PrincipalTest::startsAtItsDesignedSizeEveryControlReadableAndTellingItsUse() {
  QCOMPARE(shown_.window().size(), shown_.window().minimumSize());
  QVERIFY(shown_.window().windowFlags() & Qt::WindowMaximizeButtonHint);
  QVERIFY(!shown_.window().windowIcon().isNull());
  QCOMPARE(workButtons(), (QList<bool>{true, false, false}));
  QVERIFY(enabled("helpbutton") && enabled("exitbutton"));
  const auto textColor = [this](const char* list) {
    return shown_.window().findChild<QListWidget*>(list)->palette().color(QPalette::Text);
  };
  QCOMPARE(textColor("List1"), QColor(0, 0, 0));
  QCOMPARE(textColor("List2"), QColor(255, 0, 0));
  // Back at its smallest size from larger, every control can be read, and each button
  // and file box says in a tooltip what it is for.
  shown_.window().resize(900, 700);
  shown_.window().resize(shown_.window().minimumSize());
  QCOMPARE(tools::unreadableControls(shown_.window()), QString());
  for (const char* name : {"LOTE_file", "lotebutton", "EXPORT_file", "exportbutton",
                           "recalculado_file", "helpbutton", "exitbutton"}) {
    QVERIFY2(!shown_.window().findChild<QWidget*>(name)->toolTip().isEmpty(), name);
  }
}

void PrincipalTest::maximisedTheListsAndGraphTakeTheRoom() {
  principal& window = shown_.window();
  const auto place = [&](const char* name) { return window.findChild<QWidget*>(name)->geometry(); };
  const QRect list1 = place("List1"), list2 = place("List2"), graph = place("CWGraph1");
  window.showMaximized();
  QTRY_VERIFY(window.width() > 600 && window.height() > 499);
  for (const auto& [name, designed] :
       {std::pair{"List1", list1}, std::pair{"List2", list2}, std::pair{"CWGraph1", graph}}) {
    QVERIFY2(place(name).width() > designed.width() && place(name).height() > designed.height(),
             name);
  }
  QCOMPARE(tools::unreadableControls(window), QString());
  QCOMPARE(place("CWGraph1").bottom(), window.height() - 1);
  QCOMPARE(place("CWGraph1").width(), window.width());
  QVERIFY(place("List1").right() < window.width());
}

void PrincipalTest::eachKeyDoesItsAction_data() {
  QTest::addColumn<QString>("focused");
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<QString>("done");
  QTest::newRow("Alt+L") << "" << int(Qt::Key_L) << int(Qt::AltModifier) << "lot";
  QTest::newRow("Enter on the lot button") << "lotebutton" << int(Qt::Key_Return) << 0 << "lot";
  QTest::newRow("keypad Enter") << "lotebutton" << int(Qt::Key_Enter) << 0 << "lot";
  QTest::newRow("Alt+E") << "" << int(Qt::Key_E) << int(Qt::AltModifier) << "export";
  QTest::newRow("Alt+C") << "" << int(Qt::Key_C) << int(Qt::AltModifier) << "calculation";
  QTest::newRow("Enter on Cálculo") << "calculatot" << int(Qt::Key_Return) << 0 << "calculation";
  QTest::newRow("Enter on the help button") << "helpbutton" << int(Qt::Key_Return) << 0 << "help";
}

// Alt and a letter press a work button; Enter presses the focused one. The lot and
// export are read first where the key presses a later button.
void PrincipalTest::eachKeyDoesItsAction() {
  QFETCH(QString, focused);
  QFETCH(int, key);
  QFETCH(int, modifiers);
  QFETCH(QString, done);
  tools::writeSampleFiles({}, folder());
  principal& window = shown_.window();
  if (done == "export" || done == "calculation") {
    shown_.pressWith("lotebutton", folder() / "LOTE12.csv");
  }
  if (done == "calculation") {
    shown_.pressWith("exportbutton", folder() / "LOTE12_export.txt");
  }
  shown_.dialog().queueAnswer(folder() / (done == "lot" ? "LOTE12.csv" : "LOTE12_export.txt"));
  // Shortcuts work in the active window.
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  if (!focused.isEmpty()) {
    window.findChild<QWidget*>(focused)->setFocus();
  }
  QTest::keyClick(&window, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
  // A shortcut shows the button pressed a moment before it clicks.
  if (done == "lot") {
    QTRY_COMPARE(window.text(TextBoxId::LOTE_file), std::string("LOTE12.csv"));
  } else if (done == "export") {
    QTRY_COMPARE(window.text(TextBoxId::EXPORT_file), std::string("LOTE12_export.txt"));
  } else if (done == "calculation") {
    QTRY_VERIFY(labelText("Label8").endsWith("HA SIDO CREADO."));
  } else {
    QTRY_VERIFY(window.helpWindow() != nullptr && window.helpWindow()->isVisible());
  }
}

// Tab into an empty list: no item carries its focus, the list itself shows it.
void PrincipalTest::anEmptyListShowsItsFocus() {
  auto* list = shown_.window().findChild<QListWidget*>("List1");
  QCOMPARE(list->count(), 0);
  const QImage unfocused = list->grab().toImage();
  list->setFocus(Qt::TabFocusReason);
  QTRY_VERIFY(list->hasFocus());
  QVERIFY(list->grab().toImage() != unfocused);
}

// What the buttons' work sets shows on the right controls, in the right colours.
void PrincipalTest::workFlowShowsOnTheControls() {
  tools::SampleFileOptions options;
  options.sampleCount = 20;
  options.lotName = "LOTE20";
  options.nameMismatchEvery = 9;
  tools::writeSampleFiles(options, folder());

  shown_.pressWith("lotebutton", folder() / "LOTE20.csv");
  QCOMPARE(workButtons(), (QList<bool>{true, true, true}));
  shown_.pressWith("exportbutton", folder() / "LOTE20_export.txt");

  shown_.press("calculatot");
  QCOMPARE(workButtons(), (QList<bool>{true, false, false}));
  QCOMPARE(items("List2"), (QStringList{"M-09B ¿9?", "M-18B ¿18?"}));
  QCOMPARE(labelText("Label10"), QString("18"));
  QCOMPARE(labelText("Label11"), QString("2"));
  QCOMPARE(labelText("Label8"),
           toQString(messages::resultsCreatedStatus("LOTE20_06062016_093005.csv")));
  const QPalette status = shown_.window().findChild<QLabel*>("Label8")->palette();
  QCOMPARE(status.color(QPalette::WindowText), QColor(192, 0, 0));
  QCOMPARE(status.color(QPalette::Window), QColor(255, 255, 128));
  QCOMPARE(shown_.window().findChild<CurveGraph*>("CWGraph1")->curveCount(), 18);
  // The two disagreeing names were each announced in a warning and answered.
  QCOMPARE(shown_.boxes().seen().size(), std::size_t{2});
  QCOMPARE(shown_.boxes().seen().front().icon, QMessageBox::Warning);
  // Their red items keep the warning; the lot's samples they stand for were never reached.
  QCOMPARE(shown_.window().findChild<QListWidget*>("List2")->item(0)->toolTip(),
           toQString(messages::orderNumberProbablyWrong("M-09B").prompt));
  QCOMPARE(shown_.window().findChild<QLabel*>("Label10")->toolTip(),
           toQString(messages::unreachedSamplesTip({"009  M-09", "018  M-18"})));
  QCOMPARE(shown_.window().tables().lastRun.unreachedSamples,
           (std::vector<std::string>{"009  M-09", "018  M-18"}));

  // A lot's dialog cancelled after the run changes nothing: the run and its menu stay.
  shown_.pressWith("lotebutton", std::nullopt);
  QCOMPARE(workButtons(), (QList<bool>{true, false, false}));
  QCOMPARE(labelText("Label10"), QString("18"));
  QCOMPARE(labelText("Label8"),
           toQString(messages::resultsCreatedStatus("LOTE20_06062016_093005.csv")));
  QCOMPARE(shown_.window().text(TextBoxId::LOTE_file), std::string("LOTE20.csv"));
  QCOMPARE(shown_.window().text(TextBoxId::EXPORT_file), std::string("LOTE20_export.txt"));
  QVERIFY(shown_.window().sampleLinks().linked());
  QVERIFY(shown_.window().sampleLinks().menu().findChild<QAction*>("reportAction")->isEnabled());
}

void PrincipalTest::aLongSeriesOfWarningsShowsTenBoxesAndOneForTheRest_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<int>("listed");
  // 26 samples whose names disagree with the lot; 27 samples sharing one order number.
  QTest::newRow("ignored samples") << "calculatot" << 26;
  QTest::newRow("repeated order numbers") << "exportbutton" << 52;
}

void PrincipalTest::aLongSeriesOfWarningsShowsTenBoxesAndOneForTheRest() {
  QFETCH(QString, button);
  QFETCH(int, listed);
  tools::SampleFileOptions options;
  options.sampleCount = 26;
  options.nameMismatchEvery = 1;
  if (button == "exportbutton") {
    options.orderNumbers.assign(27, 1);
  }
  tools::writeSampleFiles(options, folder());
  shown_.pressWith("lotebutton", folder() / "LOTE12.csv");
  shown_.pressWith("exportbutton", folder() / "LOTE12_export.txt");
  if (button == "calculatot") {
    shown_.boxes().clear();
    shown_.press("calculatot");
  }

  QCOMPARE(shown_.boxes().seen().size(), std::size_t{11});
  const tools::ModalAnswerer::Seen& rest = shown_.boxes().seen().back();
  QCOMPARE(rest.title, toQString(messages::warningsHeldBack(16).title));
  QCOMPARE(rest.text, toQString(messages::warningsHeldBack(16).prompt));
  QCOMPARE(rest.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  QCOMPARE(shown_.boxes().seen()[9].title, shown_.boxes().seen()[0].title);
  QCOMPARE(shown_.window().findChild<QListWidget*>("List2")->count(), listed);
}

void PrincipalTest::listItemsTellTheirReasonAndWholeTextInATooltip_data() {
  QTest::addColumn<bool>("red");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("reason");
  QTest::addColumn<QString>("tip");
  QTest::addColumn<QString>("shownEnd");
  const QString longName = "M-" + QString(60, 'W');
  const QString none;
  QTest::newRow("a short sample") << false << "M-01" << none << none << "M-01";
  QTest::newRow("a long sample") << false << longName << none << longName << "WWW";
  QTest::newRow("a long calculated sample")
      << false << longName + "  Clayed_Silt" << none << longName + "  Clayed_Silt"
      << "WWW  Clayed_Silt";
  const QString noLot = "Sin lote.";
  QTest::newRow("a short red sample") << true << "M-01 ¿1?" << noLot << noLot << "M-01 ¿1?";
  QTest::newRow("a long red sample")
      << true << longName + " ¿1?" << noLot << longName + " ¿1?\n" + noLot << "WW ¿1?";
}

// The lists are narrow: a name they cut off is shortened in its middle, keeping its
// end and the class after it, and shows whole in the tooltip, before the reason.
void PrincipalTest::listItemsTellTheirReasonAndWholeTextInATooltip() {
  QFETCH(bool, red);
  QFETCH(QString, text);
  QFETCH(QString, reason);
  QFETCH(QString, tip);
  QFETCH(QString, shownEnd);
  const ListId list = red ? ListId::List2 : ListId::List1;
  shown_.window().addItemWithReason(list, toProgramText(text), toProgramText(reason));
  const auto* shown = shown_.window().findChild<SampleList*>(red ? "List2" : "List1");
  QCOMPARE(shown->item(0)->toolTip(), tip);
  const QString drawn = shown->shownText(0);
  QVERIFY2(drawn.endsWith(shownEnd) && drawn.startsWith("M-"), qPrintable(drawn));
  QVERIFY(shown->showsWhole(drawn));
}

void PrincipalTest::listsShowWindows1252TextAndKeepItsBytes() {
  shown_.window().addItem(ListId::List1,
                          "Pe\xF1"
                          "a\xBA"
                          "1\xE9\xB5\x80\x9C");
  QCOMPARE(items("List1"), QStringList{"Peñaº1éµ€œ"});
  QCOMPARE(shown_.window().item(ListId::List1, 0), std::string("Pe\xF1"
                                                               "a\xBA"
                                                               "1\xE9\xB5\x80\x9C"));
}

void PrincipalTest::failedLotReadShowsACriticalBox() {
  std::ofstream(folder() / "ROTO.csv", std::ios::binary) << "titulo\r\nsolo una linea\r\n";
  shown_.pressWith("lotebutton", folder() / "ROTO.csv");
  QCOMPARE(shown_.boxes().seen().size(), std::size_t{1});
  QCOMPARE(shown_.boxes().seen().front().title, QString("ERROR EN CSV"));
  QCOMPARE(shown_.boxes().seen().front().icon, QMessageBox::Critical);
}

void PrincipalTest::leavingAsksTheExitQuestion_data() {
  QTest::addColumn<bool>("titleBar");
  QTest::newRow("exit button") << false;
  QTest::newRow("title-bar close") << true;
}

// No stays, Yes leaves and closes the help window.
void PrincipalTest::leavingAsksTheExitQuestion() {
  QFETCH(bool, titleBar);
  QSignalSpy leave(&shown_.window(), &principal::leaveConfirmed);
  shown_.press("helpbutton");
  const auto leaveNow = [&] {
    if (titleBar) {
      shown_.window().close();
    } else {
      shown_.press("exitbutton");
    }
  };

  shown_.boxes().queue(QMessageBox::No);
  leaveNow();
  QCOMPARE(leave.count(), 0);
  QVERIFY(shown_.window().isVisible());
  QVERIFY(shown_.window().helpWindow() != nullptr && shown_.window().helpWindow()->isVisible());

  shown_.boxes().queue(QMessageBox::Yes);
  leaveNow();
  QCOMPARE(leave.count(), 1);
  QTRY_VERIFY(shown_.window().helpWindow() == nullptr);
  QCOMPARE(shown_.window().isVisible(), !titleBar);

  QCOMPARE(shown_.boxes().seen().size(), std::size_t{2});
  const tools::ModalAnswerer::Seen& question = shown_.boxes().seen().front();
  QCOMPARE(question.title, toQString(messages::finishedQuestion().title));
  QCOMPARE(question.text, toQString(messages::finishedQuestion().prompt));
  QCOMPARE(question.icon, QMessageBox::NoIcon);
  QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
  QCOMPARE(question.defaultButton, QMessageBox::Yes);
}

void PrincipalTest::helpButtonShowsOneHelpWindow() {
  shown_.press("helpbutton");
  shown_.press("helpbutton");
  QCOMPARE(shown_.window().findChildren<frmAbout*>().size(), 1);
  QVERIFY(shown_.window().helpWindow()->isVisible());
  QVERIFY(!shown_.window().helpWindow()->isModal());  // the main window stays in use
  // The screen has no room beside the window: the help window leaves its buttons clear.
  const QRect help = shown_.window().helpWindow()->frameGeometry();
  for (const char* name :
       {"lotebutton", "exportbutton", "calculatot", "helpbutton", "exitbutton"}) {
    const auto* button = shown_.window().findChild<QWidget*>(name);
    QVERIFY2(!help.intersects(QRect(button->mapToGlobal(QPoint(0, 0)), button->size())), name);
  }
}

QTEST_MAIN(PrincipalTest)
#include "principal_test.moc"
