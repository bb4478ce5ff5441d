// Tooltips that stay while the pointer rests: Qt's own vanish after about ten seconds.
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

class QWidget;

namespace granomet {

// How long a tip stays, in milliseconds: Qt has no "never", so a week, which no
// pointer rests for (Qt adds to the time it is given: the largest number would overflow).
inline constexpr int kLastingTipTime = 7 * 24 * 60 * 60 * 1000;

// Shows text at the global position over `widget` until the pointer leaves the
// widget or, when given, `area` (widget coordinates); an empty text hides the tip.
void showLastingTip(const QPoint& globalPosition, const QString& text, QWidget* widget,
                    const QRect& area = {});

// The widget's own tooltip (setToolTip), and those of its children now, stay the same way.
void keepToolTips(QWidget& widget);

}  // namespace granomet
