#include "headless/headless_window.h"

#include <stdexcept>
#include <utility>

namespace granomet {
namespace {

template <typename Id>
std::size_t slot(Id id) {
  return static_cast<std::size_t>(id);
}

}  // namespace

HeadlessWindow::HeadlessWindow(CurrentFolder& folder) : dialog_(folder) {
  lists_[slot(ListId::List1)].textColor = kBlack;
  lists_[slot(ListId::List2)].textColor = kRed;
  labels_[slot(LabelId::Label10)].text = "0";
  labels_[slot(LabelId::Label11)].text = "0";
}

std::string HeadlessWindow::text(TextBoxId box) const {
  return texts_[slot(box)];
}

void HeadlessWindow::setText(TextBoxId box, std::string text) {
  texts_[slot(box)] = std::move(text);
}

void HeadlessWindow::clearList(ListId list) {
  lists_[slot(list)].items.clear();
  lists_[slot(list)].reasons.clear();
}

void HeadlessWindow::addItem(ListId list, std::string item) {
  addItemWithReason(list, std::move(item), {});
}

void HeadlessWindow::addItemWithReason(ListId list, std::string item, std::string reason) {
  lists_[slot(list)].items.push_back(std::move(item));
  lists_[slot(list)].reasons.push_back(std::move(reason));
}

int HeadlessWindow::itemCount(ListId list) const {
  return static_cast<int>(lists_[slot(list)].items.size());
}

std::string HeadlessWindow::item(ListId list, int position) const {
  const auto& items = lists_[slot(list)].items;
  if (position < 0 || static_cast<std::size_t>(position) >= items.size()) {
    throw std::out_of_range("list position " + std::to_string(position));
  }
  return items[static_cast<std::size_t>(position)];
}

void HeadlessWindow::setListTextColor(ListId list, Rgb color) {
  lists_[slot(list)].textColor = color;
}

void HeadlessWindow::setLabelText(LabelId label, std::string text) {
  labels_[slot(label)].text = std::move(text);
}

void HeadlessWindow::setLabelTextColor(LabelId label, Rgb color) {
  labels_[slot(label)].textColor = color;
}

void HeadlessWindow::setLabelBackColor(LabelId label, Rgb color) {
  labels_[slot(label)].backColor = color;
}

void HeadlessWindow::setLabelToolTip(LabelId label, std::string tip) {
  labels_[slot(label)].toolTip = std::move(tip);
}

void HeadlessWindow::setEnabled(ButtonId button, bool enabled) {
  enabled_[slot(button)] = enabled;
}

MessageAnswer HeadlessWindow::showMessage(const MessageRequest& request) {
  Message message{request, defaultAnswer(request)};
  if (!messageAnswers_.empty()) {
    message.answer = messageAnswers_.front();
    messageAnswers_.pop_front();
  }
  if (observer_) {
    observer_(message);
  }
  messages_.push_back(std::move(message));
  return messages_.back().answer;
}

const HeadlessWindow::ListState& HeadlessWindow::list(ListId list) const {
  return lists_[slot(list)];
}

const HeadlessWindow::LabelState& HeadlessWindow::label(LabelId label) const {
  return labels_[slot(label)];
}

bool HeadlessWindow::enabled(ButtonId button) const {
  return enabled_[slot(button)];
}

}  // namespace granomet
