// Whether a window's controls can all be read: each shown, within the window, clear of the others,
// its text whole.
#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QStringList>
#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace granomet::tools {

// What keeps a control of `window` from being read, "; " between faults; empty when all can be.
// The controls are its named widgets (Qt's own inner ones aside) holding no named widget.
inline QString unreadableControls(const QWidget& window) {
  const auto named = [&window](const QWidget* widget) {
    return widget->isVisibleTo(&window) && !widget->objectName().isEmpty() &&
           !widget->objectName().startsWith("qt_");
  };
  std::vector<const QWidget*> controls;
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    const QList<QWidget*> inside = widget->findChildren<QWidget*>();
    if (named(widget) && std::none_of(inside.begin(), inside.end(), named)) {
      controls.push_back(widget);
    }
  }
  // Where a control shows something: a label's text as it aligns it; a control's box otherwise.
  const auto shown = [&window](const QWidget* control) {
    QRect place = control->rect();
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
      const QSize text =
          label->wordWrap()
              ? QSize(label->contentsRect().width(), label->heightForWidth(label->width()))
              : label->fontMetrics().size(Qt::TextShowMnemonic, label->text());
      place = label->text().isEmpty()
                  ? QRect()
                  : QStyle::alignedRect(label->layoutDirection(), label->alignment(), text,
                                        label->contentsRect());
    }
    return place.translated(control->mapTo(&window, QPoint(0, 0)));
  };
  QStringList faults;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const QWidget* control = controls[i];
    const QString name = control->objectName();
    const QRect place = shown(control);
    if (place.isEmpty()) {
      continue;
    }
    if (!window.rect().contains(place)) {
      faults << name + " leaves the window";
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (shown(controls[j]).intersects(place)) {
        faults << name + " over " + controls[j]->objectName();
      }
    }
    // The last line's descent may touch the edge: what stands on the line is whole.
    const QRect inside = place.translated(-control->mapTo(&window, QPoint(0, 0)))
                             .adjusted(0, 0, 0, -control->fontMetrics().descent());
    if (qobject_cast<const QLabel*>(control) != nullptr && !control->rect().contains(inside)) {
      faults << name + " cut: " + qobject_cast<const QLabel*>(control)->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
      if (button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width() >
          button->width()) {
        faults << name + " cut: " + button->text();
      }
    }
  }
  return faults.join("; ");
}

}  // namespace granomet::tools
