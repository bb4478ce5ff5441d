#include "qt/message_box.h"

#include <QMessageBox>

#include "qt/qt_text.h"

namespace granomet {
namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer showMessageBox(QWidget* parent, const MessageRequest& request) {
  QMessageBox box(parent);
  box.setWindowModality(Qt::ApplicationModal);
  box.setObjectName("messageBox");
  box.setIcon(qtIcon(request.icon));
  box.setWindowTitle(toQString(effectiveTitle(request)));
  box.setText(toQString(request.prompt));
  box.setTextFormat(Qt::PlainText);
  if (request.buttons == MessageButtons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(request.defaultNo ? QMessageBox::No : QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
  }
  const int answer = box.exec();
  if (request.buttons == MessageButtons::YesNo) {
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
  }
  return MessageAnswer::Ok;
}

}  // namespace granomet
