// The main window's own side on the off-screen platform: where its controls stand, how
// the window operations show on them, its message boxes, the help window and leaving.
#include "qt/principal.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "qt/curve_graph.h"
#include "qt/help_window.h"
#include "qt/qt_text.h"
#include "qt/sample_links.h"
#include "qt/sample_list.h"
#include "samplegen/sample_files.h"
#include "support/modal_answerer.h"
#include "support/readable_texts.h"
#include "support/shown_principal.h"
#include "workflow/messages.h"

using namespace granomet;

class PrincipalTest : public QObject {
  Q_OBJECT

  std::filesystem::path folder() const { return shown_.folder(); }
  principal& window() const { return shown_.window(); }
  template <typename Control = QWidget>
  Control* control(const QString& name) const {
    return window().findChild<Control*>(name);
  }
  // Whether the lot, export and calculation buttons are enabled.
  QList<bool> workButtons() const {
    return {control("lotebutton")->isEnabled(), control("exportbutton")->isEnabled(),
            control("calculatot")->isEnabled()};
  }
  QString labelText(const char* name) const { return control<QLabel>(name)->text(); }
  QStringList items(const char* name) const {
    QStringList texts;
    for (int i = 0; i < control<QListWidget>(name)->count(); ++i) {
      texts.push_back(control<QListWidget>(name)->item(i)->text());
    }
    return texts;
  }
  // A new window, for a case that needs one.
  void reopen() {
    shown_.close();
    QVERIFY(shown_.open());
  }

  tools::ShownPrincipal shown_;

 private slots:
  void init() { QVERIFY(shown_.open()); }
  void cleanup() { shown_.close(); }

  // At its designed size, back from larger, and maximised, every control can be read; each
  // button and file box says in a tooltip what it is for; an empty list shows its focus.
  void everyControlCanBeReadAtEverySize() {
    QCOMPARE(window().size(), window().minimumSize());
    QVERIFY(window().windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(!window().windowIcon().isNull());
    QCOMPARE(workButtons(), (QList<bool>{true, false, false}));
    QVERIFY(control("helpbutton")->isEnabled() && control("exitbutton")->isEnabled());
    QCOMPARE(control("List1")->palette().color(QPalette::Text), QColor(0, 0, 0));
    QCOMPARE(control("List2")->palette().color(QPalette::Text), QColor(255, 0, 0));
    window().resize(900, 700);
    window().resize(window().minimumSize());
    QCOMPARE(tools::unreadableControls(window()), QString());
    for (const char* name : {"LOTE_file", "lotebutton", "EXPORT_file", "exportbutton",
                             "recalculado_file", "helpbutton", "exitbutton"}) {
      QVERIFY2(!control(name)->toolTip().isEmpty(), name);
    }

    auto* list = control<QListWidget>("List1");
    QCOMPARE(list->count(), 0);
    const QImage unfocused = list->grab().toImage();
    list->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(list->hasFocus());
    QVERIFY(list->grab().toImage() != unfocused);

    // Maximised, the lists and the graph take the room.
    const auto place = [this](const char* name) { return control(name)->geometry(); };
    const QRect list1 = place("List1"), list2 = place("List2"), graph = place("CWGraph1");
    window().showMaximized();
    QTRY_VERIFY(window().width() > 600 && window().height() > 499);
    for (const auto& [name, designed] :
         {std::pair{"List1", list1}, std::pair{"List2", list2}, std::pair{"CWGraph1", graph}}) {
      QVERIFY2(place(name).width() > designed.width() && place(name).height() > designed.height(),
               name);
    }
    QCOMPARE(tools::unreadableControls(window()), QString());
    QCOMPARE(place("CWGraph1").bottom(), window().height() - 1);
    QCOMPARE(place("CWGraph1").width(), window().width());
    QVERIFY(place("List1").right() < window().width());
  }

  // Alt and a letter press a work button; Enter presses the focused one. The lot and
  // export are read first where the key presses a later button.
  void eachKeyDoesItsAction() {
    const struct {
      QString focused;
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
      QString done;
    } rows[] = {{"", Qt::Key_L, Qt::AltModifier, "lot"},
                {"lotebutton", Qt::Key_Return, {}, "lot"},
                {"lotebutton", Qt::Key_Enter, {}, "lot"},
                {"", Qt::Key_E, Qt::AltModifier, "export"},
                {"", Qt::Key_C, Qt::AltModifier, "calculation"},
                {"calculatot", Qt::Key_Return, {}, "calculation"},
                {"helpbutton", Qt::Key_Return, {}, "help"}};
    for (const auto& row : rows) {
      reopen();
      tools::writeSampleFiles({}, folder());
      if (row.done == "export" || row.done == "calculation") {
        shown_.pressWith("lotebutton", folder() / "LOTE12.csv");
      }
      if (row.done == "calculation") {
        shown_.pressWith("exportbutton", folder() / "LOTE12_export.txt");
      }
      shown_.dialog().queueAnswer(folder() /
                                  (row.done == "lot" ? "LOTE12.csv" : "LOTE12_export.txt"));
      // Shortcuts work in the active window.
      window().activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&window()));
      if (!row.focused.isEmpty()) {
        control(row.focused)->setFocus();
      }
      QTest::keyClick(&window(), row.key, row.modifiers);
      // A shortcut shows the button pressed a moment before it clicks.
      if (row.done == "lot") {
        QTRY_COMPARE(window().text(TextBoxId::LOTE_file), std::string("LOTE12.csv"));
      } else if (row.done == "export") {
        QTRY_COMPARE(window().text(TextBoxId::EXPORT_file), std::string("LOTE12_export.txt"));
      } else if (row.done == "calculation") {
        QTRY_VERIFY(labelText("Label8").endsWith("HA SIDO CREADO."));
      } else {
        QTRY_VERIFY(window().helpWindow() != nullptr && window().helpWindow()->isVisible());
      }
    }
  }

  // What the buttons' work sets shows on the right controls, in the right colours.
  void workFlowShowsOnTheControls() {
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
    const QString created = toQString(messages::resultsCreatedStatus("LOTE20_06062016_093005.csv"));
    QCOMPARE(labelText("Label8"), created);
    const QPalette status = control("Label8")->palette();
    QCOMPARE(status.color(QPalette::WindowText), QColor(192, 0, 0));
    QCOMPARE(status.color(QPalette::Window), QColor(255, 255, 128));
    QCOMPARE(control<CurveGraph>("CWGraph1")->curveCount(), 18);
    // The two disagreeing names were each announced in a warning and answered.
    QCOMPARE(shown_.boxes().seen().size(), std::size_t{2});
    QCOMPARE(shown_.boxes().seen().front().icon, QMessageBox::Warning);
    // Their red items keep the warning; Label10's tip names the lot's samples never reached.
    QCOMPARE(control<QListWidget>("List2")->item(0)->toolTip(),
             toQString(messages::orderNumberProbablyWrong("M-09B").prompt));
    QCOMPARE(control("Label10")->toolTip(),
             toQString(messages::unreachedSamplesTip({"009  M-09", "018  M-18"})));

    // A lot's dialog cancelled after the run changes nothing: the run and its menu stay.
    shown_.pressWith("lotebutton", std::nullopt);
    QCOMPARE(workButtons(), (QList<bool>{true, false, false}));
    QCOMPARE(labelText("Label10"), QString("18"));
    QCOMPARE(labelText("Label8"), created);
    QCOMPARE(window().text(TextBoxId::LOTE_file), std::string("LOTE20.csv"));
    QCOMPARE(window().text(TextBoxId::EXPORT_file), std::string("LOTE20_export.txt"));
    QVERIFY(window().sampleLinks().linked());
    QVERIFY(window().sampleLinks().menu().findChild<QAction*>("reportAction")->isEnabled());

    // A lot that cannot be read says so in a critical box.
    shown_.boxes().clear();
    std::ofstream(folder() / "ROTO.csv", std::ios::binary) << "titulo\r\nsolo una linea\r\n";
    shown_.pressWith("lotebutton", folder() / "ROTO.csv");
    QCOMPARE(shown_.boxes().seen().size(), std::size_t{1});
    QCOMPARE(shown_.boxes().seen().front().title, QString("ERROR EN CSV"));
    QCOMPARE(shown_.boxes().seen().front().icon, QMessageBox::Critical);
  }

  // 26 samples whose names disagree with the lot; 27 samples sharing one order number.
  void aLongSeriesOfWarningsShowsTenBoxesAndOneForTheRest() {
    for (const auto& [button, listed] : {std::pair{"calculatot", 26}, {"exportbutton", 52}}) {
      reopen();
      tools::SampleFileOptions options;
      options.sampleCount = 26;
      options.nameMismatchEvery = 1;
      if (button == std::string("exportbutton")) {
        options.orderNumbers.assign(27, 1);
      }
      tools::writeSampleFiles(options, folder());
      shown_.pressWith("lotebutton", folder() / "LOTE12.csv");
      shown_.pressWith("exportbutton", folder() / "LOTE12_export.txt");
      if (button == std::string("calculatot")) {
        shown_.boxes().clear();
        shown_.press("calculatot");
      }
      QCOMPARE(shown_.boxes().seen().size(), std::size_t{11});
      const tools::ModalAnswerer::Seen& rest = shown_.boxes().seen().back();
      QCOMPARE(rest.title, toQString(messages::warningsHeldBack(16).title));
      QCOMPARE(rest.text, toQString(messages::warningsHeldBack(16).prompt));
      QCOMPARE(rest.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
      QCOMPARE(shown_.boxes().seen()[9].title, shown_.boxes().seen()[0].title);
      QCOMPARE(control<QListWidget>("List2")->count(), listed);
    }
  }

  // The lists are narrow: a name they cut off is shortened in its middle, keeping its
  // end and the class after it, and shows whole in the tooltip, before the reason. Their
  // texts are the program's Windows-1252 bytes.
  void listItemsTellTheirReasonAndWholeTextInATooltip() {
    const QString longName = "M-" + QString(60, 'W');
    const QString noLot = "Sin lote.";
    const struct {
      bool red;
      QString text, reason, tip, shownEnd;
    } rows[] = {
        {false, "M-01", {}, {}, "M-01"},
        {false, longName, {}, longName, "WWW"},
        {false, longName + "  Clayed_Silt", {}, longName + "  Clayed_Silt", "WWW  Clayed_Silt"},
        {true, "M-01 ¿1?", noLot, noLot, "M-01 ¿1?"},
        {true, longName + " ¿1?", noLot, longName + " ¿1?\n" + noLot, "WW ¿1?"}};
    for (const auto& row : rows) {
      window().addItemWithReason(row.red ? ListId::List2 : ListId::List1, toProgramText(row.text),
                                 toProgramText(row.reason));
      const auto* shown = control<SampleList>(row.red ? "List2" : "List1");
      QCOMPARE(shown->item(shown->count() - 1)->toolTip(), row.tip);
      const QString drawn = shown->shownText(shown->count() - 1);
      QVERIFY2(drawn.endsWith(row.shownEnd) && drawn.startsWith("M-"), qPrintable(drawn));
      QVERIFY(shown->showsWhole(drawn));
    }
    const std::string bytes = "Pe\361a\2721\351\265\200\234";  // ñ º é µ € œ in Windows-1252
    window().addItem(ListId::List1, bytes);
    QCOMPARE(items("List1").back(), QString("Peñaº1éµ€œ"));
    QCOMPARE(window().item(ListId::List1, 3), bytes);
  }

  // The help window: one, modeless, its buttons clear of the main window's where the screen
  // has no room beside it. Leaving: No stays, Yes leaves and closes the help window.
  void leavingAsksTheExitQuestion() {
    shown_.press("helpbutton");
    shown_.press("helpbutton");
    QCOMPARE(window().findChildren<frmAbout*>().size(), 1);
    QVERIFY(window().helpWindow()->isVisible());
    QVERIFY(!window().helpWindow()->isModal());
    const QRect help = window().helpWindow()->frameGeometry();
    for (const char* name :
         {"lotebutton", "exportbutton", "calculatot", "helpbutton", "exitbutton"}) {
      const QWidget* button = control(name);
      QVERIFY2(!help.intersects(QRect(button->mapToGlobal(QPoint(0, 0)), button->size())), name);
    }
    for (const bool titleBar : {false, true}) {
      reopen();
      QSignalSpy leave(&window(), &principal::leaveConfirmed);
      shown_.press("helpbutton");
      const auto leaveNow = [&] {
        if (titleBar) {
          window().close();
        } else {
          shown_.press("exitbutton");
        }
      };
      shown_.boxes().queue(QMessageBox::No);
      leaveNow();
      QCOMPARE(leave.count(), 0);
      QVERIFY(window().isVisible());
      QVERIFY(window().helpWindow() != nullptr && window().helpWindow()->isVisible());

      shown_.boxes().queue(QMessageBox::Yes);
      leaveNow();
      QCOMPARE(leave.count(), 1);
      QTRY_VERIFY(window().helpWindow() == nullptr);
      QCOMPARE(window().isVisible(), !titleBar);

      QCOMPARE(shown_.boxes().seen().size(), std::size_t{2});
      const tools::ModalAnswerer::Seen& question = shown_.boxes().seen().front();
      QCOMPARE(question.title, toQString(messages::finishedQuestion().title));
      QCOMPARE(question.text, toQString(messages::finishedQuestion().prompt));
      QCOMPARE(question.icon, QMessageBox::NoIcon);
      QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
      QCOMPARE(question.defaultButton, QMessageBox::Yes);
    }
  }
};

QTEST_MAIN(PrincipalTest)
#include "principal_test.moc"
