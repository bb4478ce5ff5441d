#include "qt/lasting_tool_tip.h"

#include <QToolTip>
#include <QWidget>

namespace granomet {

void showLastingTip(const QPoint& globalPosition, const QString& text, QWidget* widget,
                    const QRect& area) {
  if (text.isEmpty()) {
    QToolTip::hideText();
    return;
  }
  QToolTip::showText(globalPosition, text, widget, area, kLastingTipTime);
}

void keepToolTips(QWidget& widget) {
  widget.setToolTipDuration(kLastingTipTime);
  for (QWidget* child : widget.findChildren<QWidget*>()) {
    child->setToolTipDuration(kLastingTipTime);
  }
}

}  // namespace granomet
