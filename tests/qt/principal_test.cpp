// The main window's own side on the off-screen platform: where its controls stand, how
// the window operations show on them, its message boxes, the help window and leaving.
#include "qt/principal.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "qt/help_window.h"
#include "qt/qt_text.h"
#include "qt/sample_links.h"
#include "qt/sample_list.h"
#include "samplegen/sample_files.h"
#include "support/control_texts.h"
#include "support/readable_texts.h"
#include "support/shown_principal.h"

using namespace granomet;

class PrincipalTest : public QObject {
  Q_OBJECT

  std::filesystem::path folder() const { return shown_.folder(); }
  principal& window() const { return shown_.window(); }
  template <typename Control = QWidget>
  Control* control(const QString& name) const {
    return window().findChild<Control*>(name);
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
  // empty list shows its focus.
  void everyControlCanBeReadAtEverySize() {
    QCOMPARE(window().size(), window().minimumSize());
    QVERIFY(window().windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(!window().windowIcon().isNull());
    QCOMPARE(control("List1")->palette().color(QPalette::Text), QColor(0, 0, 0));
    QCOMPARE(control("List2")->palette().color(QPalette::Text), QColor(255, 0, 0));
    window().resize(900, 700);
    window().resize(window().minimumSize());
    QCOMPARE(tools::unreadableControls(window()), QString());

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
    const auto grew = [&](const char* name, QRect designed) {
      return place(name).width() > designed.width() && place(name).height() > designed.height();
    };
    QVERIFY(grew("List1", list1) && grew("List2", list2) && grew("CWGraph1", graph));
    QCOMPARE(tools::unreadableControls(window()), QString());
    QCOMPARE(place("CWGraph1").bottom(), window().height() - 1);
    QCOMPARE(place("CWGraph1").width(), window().width());
    QVERIFY(place("List1").right() < window().width());
  }

  // Alt and a letter press a work button; Enter presses the focused one. The lot and
  // export are read first where the key presses a later button.
  void eachKeyDoesItsAction() {
    const struct {
      QString focused, shows;  // shows empty: the help window
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
      int read;  // 1: the lot read first; 2: the export too
    } rows[] = {{"", "LOTE_file: LOTE12.csv", Qt::Key_L, Qt::AltModifier, 0},
                {"lotebutton", "LOTE_file: LOTE12.csv", Qt::Key_Return, {}, 0},
                {"lotebutton", "LOTE_file: LOTE12.csv", Qt::Key_Enter, {}, 0},
                {"", "EXPORT_file: LOTE12_export.txt", Qt::Key_E, Qt::AltModifier, 1},
                {"", "HA SIDO CREADO.", Qt::Key_C, Qt::AltModifier, 2},
                {"calculatot", "HA SIDO CREADO.", Qt::Key_Return, {}, 2},
                {"helpbutton", "", Qt::Key_Return, {}, 0}};
    for (const auto& row : rows) {
      reopen();
      shown_.readSamples({}, row.read);
      shown_.dialog().queueAnswer(folder() / (row.read == 0 ? "LOTE12.csv" : "LOTE12_export.txt"));
      // Shortcuts work in the active window.
      window().activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&window()));
      if (!row.focused.isEmpty()) {
        control(row.focused)->setFocus();
      }
      QTest::keyClick(&window(), row.key, row.modifiers);
      // A shortcut shows the button pressed a moment before it clicks.
      QTRY_VERIFY2(row.shows.isEmpty()
                       ? window().helpWindow() != nullptr && window().helpWindow()->isVisible()
                       : tools::controlTexts(window()).contains(row.shows),
                   qPrintable(row.shows));
    }
  }

  // What the buttons' work shows on the controls at each step, with the boxes it showed: a
  // lot's dialog cancelled after the run changes nothing; a lot that cannot be read says so.
  void workFlowShowsOnTheControls() {
    tools::writeSampleFiles({.sampleCount = 20, .lotName = "LOTE20", .nameMismatchEvery = 9},
                            folder());
    std::ofstream(folder() / "ROTO.csv", std::ios::binary) << "titulo\r\nsolo una linea\r\n";
    QString walk = "-- al abrir\n" + tools::controlTexts(window());
    shown_.pressWith("lotebutton", folder() / "LOTE20.csv");
    walk += "-- lote leído\n" + tools::controlTexts(window());
    shown_.pressWith("exportbutton", folder() / "LOTE20_export.txt");
    shown_.press("calculatot");
    walk += "-- calculado\n" + tools::controlTexts(window());
    const QPalette status = control("Label8")->palette();
    QCOMPARE(QList({status.color(QPalette::WindowText), status.color(QPalette::Window)}),
             QList({QColor(192, 0, 0), QColor(255, 255, 128)}));
    shown_.pressWith("lotebutton", std::nullopt);
    walk += "-- diálogo del lote cancelado\n" + tools::controlTexts(window());
    QVERIFY(window().sampleLinks().linked());
    QVERIFY(window().sampleLinks().menu().findChild<QAction*>("reportAction")->isEnabled());
    shown_.pressWith("lotebutton", folder() / "ROTO.csv");
    tools::compareWithFile(walk + "-- avisos\n" + tools::boxTexts(shown_.boxes().seen()),
                           "principal_work_flow.txt");
  }

  // 26 samples whose names disagree with the lot; 27 samples sharing one order number.
  void aLongSeriesOfWarningsShowsTenBoxesAndOneForTheRest() {
    QString boxes;
    for (const auto& [sameOrder, listed] : {std::pair{false, 26}, {true, 52}}) {
      reopen();
      shown_.readSamples({.sampleCount = 26,
                          .orderNumbers = std::vector(sameOrder ? 27 : 0, 1),
                          .nameMismatchEvery = 1},
                         sameOrder ? 2 : 3);
      boxes += tools::boxTexts(shown_.boxes().seen());
      QCOMPARE(control<QListWidget>("List2")->count(), listed);
    }
    tools::compareWithFile(boxes, "principal_held_back.txt");
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
    QCOMPARE(control<QListWidget>("List1")->item(3)->text(), QString("Peñaº1éµ€œ"));
    QCOMPARE(window().item(ListId::List1, 3), bytes);
  }

  // The help window: one, modeless, its buttons clear of the main window's where the screen
  // has no room beside it. Leaving: No stays, Yes leaves and closes the help window.
  void leavingAsksTheExitQuestion() {
    shown_.press("helpbutton");
    shown_.press("helpbutton");
    QCOMPARE(window().findChildren<frmAbout*>().size(), 1);
    QVERIFY(window().helpWindow()->isVisible());
    const QRect help = window().helpWindow()->frameGeometry();
    for (const char* name :
         {"lotebutton", "exportbutton", "calculatot", "helpbutton", "exitbutton"}) {
      const QWidget* button = control(name);
      QVERIFY2(!help.intersects(QRect(button->mapToGlobal(QPoint(0, 0)), button->size())), name);
    }
    QString boxes;
    for (const bool titleBar : {false, true}) {
      reopen();
      QSignalSpy leave(&window(), &principal::leaveConfirmed);
      shown_.press("helpbutton");
      const auto leaveNow = [&] { titleBar ? void(window().close()) : shown_.press("exitbutton"); };
      shown_.boxes().queue(QMessageBox::No);
      leaveNow();
      QVERIFY(leave.count() == 0 && window().isVisible() && window().helpWindow() != nullptr &&
              window().helpWindow()->isVisible());

      shown_.boxes().queue(QMessageBox::Yes);
      leaveNow();
      QCOMPARE(leave.count(), 1);
      QTRY_VERIFY(window().helpWindow() == nullptr);
      QCOMPARE(window().isVisible(), !titleBar);
      boxes += tools::boxTexts(shown_.boxes().seen());
    }
    tools::compareWithFile(boxes, "principal_leaving.txt");
  }
};

QTEST_MAIN(PrincipalTest)
#include "principal_test.moc"
