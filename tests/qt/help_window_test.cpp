// The help window: its texts readable, its second page, where it opens, and the button
// that closes it.
#include "qt/help_window.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "qt/qt_text.h"
#include "support/control_texts.h"
#include "support/readable_texts.h"
#include "workflow/messages.h"

using namespace granomet;

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // Each page's texts shown whole, within the window and clear of each other; the
  // second page's sections in the catalogue's words, and back to the designed page.
  // The window is fixed and modeless; its button closes and discards it.
  void bothPagesCanBeReadAndItsButtonClosesIt() {
    auto* help = new frmAbout(nullptr);
    QSignalSpy discarded(help, &QObject::destroyed);
    // The export's layout lines its columns up with runs of blanks, which rich text would fold.
    const auto* layout = help->findChild<QLabel*>("lblDescription");
    QVERIFY(layout->textFormat() == Qt::PlainText ||
            (layout->textFormat() == Qt::AutoText && !Qt::mightBeRichText(layout->text())));
    QVERIFY(layout->text().contains("        "));
    QVERIFY(help->minimumSize() == help->maximumSize() && !help->isModal() &&
            help->cmdOK()->isDefault());
    help->show();
    QVERIFY(QTest::qWaitForWindowExposed(help));
    QCOMPARE(tools::unreadableControls(*help), QString());
    QVERIFY(help->firstPage()->isVisible() && !help->secondPage()->isVisible());
    QTest::mouseClick(help->moreButton(), Qt::LeftButton);
    QVERIFY(!help->firstPage()->isVisible() && help->secondPage()->isVisible());
    QCOMPARE(tools::unreadableControls(*help), QString());
    tools::compareWithFile(tools::controlTexts(*help->secondPage()), "help_second_page.txt");
    QTest::mouseClick(help->moreButton(), Qt::LeftButton);
    QVERIFY(help->firstPage()->isVisible() && !help->secondPage()->isVisible());
    QCOMPARE(help->moreButton()->text(), toQString(messages::helpMoreButton()));
    QTest::mouseClick(help->cmdOK(), Qt::LeftButton);
    QTRY_COMPARE(discarded.count(), 1);
  }

  // Beside the main window, on the screen and clear of its buttons. The main window
  // 600 × 500 with its buttons in its left 340 pixels, the help 411 × 600.
  void opensBesideTheMainWindow() {
    const struct {
      QRect room, main;
      QPoint place;
    } rows[] = {{{0, 0, 1920, 1040}, {100, 50, 600, 500}, {700, 50}},  // room on the right
                {{0, 0, 1280, 1040}, {600, 80, 600, 500}, {189, 80}},  // room only on the left
                {{0, 0, 800, 800}, {0, 0, 600, 500}, {389, 0}},   // no room, window at the left
                {{0, 0, 1000, 800}, {400, 0, 600, 500}, {0, 0}},  // no room, window at the right
                {{0, 0, 1920, 700}, {100, 300, 600, 500}, {700, 100}},       // a low screen
                {{1920, 0, 1280, 1024}, {2000, 40, 600, 500}, {2600, 40}}};  // a second screen
    for (const auto& [room, main, place] : rows) {
      const QRect buttons(main.left() + 15, main.top() + 24, 325, 190);
      QCOMPARE(helpWindowPlace(main, buttons, QSize(411, 600), room), place);
    }
  }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
