#include "qt/sample_list.h"

#include <QByteArray>
#include <QPalette>
#include <QStyle>
#include <stdexcept>

#include "qt/qt_text.h"

namespace granomet {
namespace {

constexpr int kBytesRole = Qt::UserRole;
constexpr int kReasonRole = Qt::UserRole + 1;

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

}  // namespace

SampleList::SampleList(QWidget* parent, Rgb textColor) : QListWidget(parent), textColor_{} {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
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

bool SampleList::showsWhole(const QString& text) const {
  // The item view leaves this margin on either side of an item's text.
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  return fontMetrics().horizontalAdvance(text) + 2 * margin <= viewport()->width();
}

std::string SampleList::programItem(int position) const {
  const QListWidgetItem* entry = item(position);
  if (entry == nullptr) {
    throw std::out_of_range("list position " + std::to_string(position));
  }
  const QByteArray bytes = entry->data(kBytesRole).toByteArray();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
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

}  // namespace granomet
