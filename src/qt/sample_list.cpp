#include "qt/sample_list.h"

#include <QByteArray>
#include <QPalette>
#include <stdexcept>

#include "qt/qt_text.h"

namespace granomet {
namespace {

constexpr int kBytesRole = Qt::UserRole;

}  // namespace

SampleList::SampleList(QWidget* parent, Rgb textColor) : QListWidget(parent), textColor_{} {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
  QPalette colors = palette();
  colors.setColor(QPalette::Base, colors.color(QPalette::Button));
  setPalette(colors);
  setTextColor(textColor);
}

void SampleList::addProgramItem(std::string item) {
  auto* entry = new QListWidgetItem(toQString(item));
  entry->setData(kBytesRole, QByteArray(item.data(), static_cast<qsizetype>(item.size())));
  addItem(entry);
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
