#include "qt/sample_list.h"

#include <QByteArray>
#include <QHelpEvent>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>
#include <stdexcept>

#include "qt/lasting_tool_tip.h"
#include "qt/qt_text.h"

namespace granomet {
namespace {

// Every role an item carries beyond Qt's own, in one place so that none is read as another.
constexpr int kBytesRole = Qt::UserRole;
constexpr int kReasonRole = Qt::UserRole + 1;
constexpr int kCurveRole = Qt::UserRole + 2;

// Its tooltip is worked out when asked for, so that it fits the list as it is
// then: a vertical scroll bar that came later narrows what is shown whole.
class SampleItem final : public QListWidgetItem {
 public:
  using QListWidgetItem::QListWidgetItem;

  QVariant data(int role) const override {
    if (role != Qt::ToolTipRole) {
      return QListWidgetItem::data(role);
    }
    QStringList lines;
    const auto* list = static_cast<const SampleList*>(listWidget());
    if (list != nullptr && !list->showsWhole(text())) {
      lines.push_back(text());
    }
    const QString reason = QListWidgetItem::data(kReasonRole).toString();
    if (!reason.isEmpty()) {
      lines.push_back(reason);
    }
    return lines.isEmpty() ? QVariant() : QVariant(lines.join('\n'));
  }
};

// Draws an item's text as elidedItemText shortens it.
class ItemDelegate final : public QStyledItemDelegate {
 public:
  ItemDelegate(SampleList& list, int margin) : QStyledItemDelegate(&list), margin_(margin) {}

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->text =
        elidedItemText(option->text, option->fontMetrics, option->rect.width() - 2 * margin_);
  }

 private:
  int margin_;
};

// The item view leaves this margin on either side of an item's text.
int textMargin(const QWidget& list) {
  return list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
}

}  // namespace

QString elidedItemText(const QString& text, const QFontMetrics& metrics, int width) {
  if (metrics.horizontalAdvance(text) <= width) {
    return text;
  }
  const qsizetype split = text.lastIndexOf("  ");
  if (split > 0) {
    const QString tail = text.mid(split);
    const int tailWidth = metrics.horizontalAdvance(tail);
    if (tailWidth <= width / 2) {
      return metrics.elidedText(text.left(split), Qt::ElideMiddle, width - tailWidth) + tail;
    }
  }
  return metrics.elidedText(text, Qt::ElideMiddle, width);
}

SampleList::SampleList(QWidget* parent, Rgb textColor) : QListWidget(parent), textColor_{} {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
  setItemDelegate(new ItemDelegate(*this, textMargin(*this)));
  QPalette colors = palette();
  colors.setColor(QPalette::Base, colors.color(QPalette::Button));
  setPalette(colors);
  setTextColor(textColor);
}

void SampleList::addProgramItem(std::string item, std::string reason) {
  auto* entry = new SampleItem(toQString(item));
  entry->setData(kBytesRole, QByteArray(item.data(), static_cast<qsizetype>(item.size())));
  if (!reason.empty()) {
    entry->setData(kReasonRole, toQString(reason));
  }
  addItem(entry);
}

int SampleList::textWidth() const {
  return viewport()->width() - 2 * textMargin(*this);
}

bool SampleList::showsWhole(const QString& text) const {
  return fontMetrics().horizontalAdvance(text) <= textWidth();
}

QString SampleList::shownText(int row) const {
  const QListWidgetItem* entry = item(row);
  return entry == nullptr ? QString() : elidedItemText(entry->text(), fontMetrics(), textWidth());
}

std::string SampleList::programItem(int position) const {
  const QListWidgetItem* entry = item(position);
  if (entry == nullptr) {
    throw std::out_of_range("list position " + std::to_string(position));
  }
  const QByteArray bytes = entry->data(kBytesRole).toByteArray();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void SampleList::setItemCurve(int row, int curve) {
  if (QListWidgetItem* entry = item(row)) {
    entry->setData(kCurveRole, curve < 0 ? QVariant() : QVariant(curve));
  }
}

int SampleList::itemCurve(int row) const {
  const QListWidgetItem* entry = item(row);
  const QVariant curve = entry == nullptr ? QVariant() : entry->data(kCurveRole);
  return curve.isValid() ? curve.toInt() : -1;
}

void SampleList::setTextColor(Rgb color) {
  textColor_ = color;
  QPalette colors = palette();
  const QColor text(color.red, color.green, color.blue);
  colors.setColor(QPalette::Text, text);
  colors.setColor(QPalette::HighlightedText, colors.color(QPalette::Base));
  colors.setColor(QPalette::Highlight, text);
  setPalette(colors);
}

bool SampleList::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) {
    return QListWidget::viewportEvent(event);
  }
  const auto* help = static_cast<QHelpEvent*>(event);
  const QListWidgetItem* entry = itemAt(help->pos());
  showLastingTip(help->globalPos(),
                 entry == nullptr ? QString() : entry->data(Qt::ToolTipRole).toString(), viewport(),
                 entry == nullptr ? QRect() : visualItemRect(entry));
  return true;
}

void SampleList::paintEvent(QPaintEvent* event) {
  QListWidget::paintEvent(event);
  // A list with items shows its focus on the current one; an empty one would show none.
  if (count() > 0 || !hasFocus()) {
    return;
  }
  QPainter painter(viewport());
  QStyleOptionFocusRect focus;
  focus.initFrom(this);
  focus.state |= QStyle::State_KeyboardFocusChange;
  focus.rect = viewport()->rect().adjusted(1, 1, -1, -1);
  focus.backgroundColor = palette().color(QPalette::Base);
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}

}  // namespace granomet
