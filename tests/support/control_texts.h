// What a window and its message boxes say, compared whole with a reviewed file in tests/data/qt.
#pragma once

#include <QListWidget>
#include <QMetaEnum>
#include <QStringList>
#include <QTest>
#include <vector>

#include "support/expected_text.h"
#include "support/modal_answerer.h"

namespace granomet::tools {

// Each named control of window, one a line in the order they were made: its name, "(off)"
// when disabled, its text and, after " ? ", its tip; a list's items below it, indented.
inline QString controlTexts(const QWidget& window) {
  const auto line = [](QString text, const QString& tip) {
    return (tip.isEmpty() ? text : (text += " ? " + tip)).replace('\n', " / ") + '\n';
  };
  QString texts;
  for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    // A label's, a line's, a button's or a spin box's text.
    const QVariant text = control->property("text");
    texts += line(control->objectName() + (control->isEnabled() ? "" : " (off)") + ':' +
                      (text.isValid() ? ' ' + text.toString() : QString()),
                  control->toolTip());
    if (const auto* list = qobject_cast<const QListWidget*>(control)) {
      for (int i = 0; i < list->count(); ++i) {
        texts += line("  " + list->item(i)->text(), list->item(i)->toolTip());
      }
    }
  }
  return texts;
}

// Each box seen: its icon, title, text, buttons and the default among them.
inline QString boxTexts(const std::vector<ModalAnswerer::Seen>& seen) {
  const QMetaEnum icons = QMetaEnum::fromType<QMessageBox::Icon>();
  const QMetaEnum buttons = QMetaEnum::fromType<QMessageBox::StandardButtons>();
  QString texts;
  for (const ModalAnswerer::Seen& box : seen) {
    texts += QString("[%1] %2: %3 [%4, %5]")
                 .arg(icons.valueToKey(box.icon), box.title, box.text,
                      buttons.valueToKeys(static_cast<int>(box.buttons)),
                      buttons.valueToKey(box.defaultButton))
                 .replace('\n', " / ") +
             '\n';
  }
  return texts;
}

// Fails the running QtTest test with the first line where text and tests/data/qt/name differ.
inline void compareWithFile(const QString& text, const char* name) {
  const std::string difference =
      testing::differenceFromFile(text.toStdString(), testing::testData() / "qt" / name);
  QVERIFY2(difference.empty(), difference.c_str());
}

}  // namespace granomet::tools
