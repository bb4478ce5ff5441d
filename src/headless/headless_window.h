// A realisation of the window operations that draws nothing and records everything.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "headless/headless_file_dialog.h"
#include "headless/headless_graph.h"
#include "ui/window_operations.h"

namespace granomet {

// Starts as the main window does: empty boxes and lists, List1 black and List2
// red, an empty status line black on white, counts "0", the export and
// calculation buttons disabled. Message boxes are answered from a queue, or with
// their default button when it is empty.
class HeadlessWindow final : public WindowOperations {
 public:
  struct ListState {
    std::vector<std::string> items;
    std::vector<std::string> reasons;  // one per item; empty for an item added without one
    Rgb textColor;
  };
  struct LabelState {
    std::string text;
    Rgb textColor = kBlack;
    Rgb backColor = kWhite;
    std::string toolTip;
  };
  struct Message {
    MessageRequest request;
    MessageAnswer answer = MessageAnswer::Ok;
  };

  explicit HeadlessWindow(CurrentFolder& folder);

  std::string text(TextBoxId box) const override;
  void setText(TextBoxId box, std::string text) override;
  void clearList(ListId list) override;
  void addItem(ListId list, std::string item) override;
  void addItemWithReason(ListId list, std::string item, std::string reason) override;
  int itemCount(ListId list) const override;
  std::string item(ListId list, int position) const override;
  void setListTextColor(ListId list, Rgb color) override;
  void setLabelText(LabelId label, std::string text) override;
  void setLabelTextColor(LabelId label, Rgb color) override;
  void setLabelBackColor(LabelId label, Rgb color) override;
  void setLabelToolTip(LabelId label, std::string tip) override;
  void setEnabled(ButtonId button, bool enabled) override;
  MessageAnswer showMessage(const MessageRequest& request) override;
  FileDialog& fileDialog() override { return dialog_; }
  Graph& graph() override { return graph_; }

  void queueMessageAnswer(MessageAnswer answer) { messageAnswers_.push_back(answer); }
  // Called with every message as it is shown, before it is answered.
  void onMessage(std::function<void(const Message&)> observer) { observer_ = std::move(observer); }

  const ListState& list(ListId list) const;
  const LabelState& label(LabelId label) const;
  bool enabled(ButtonId button) const;
  const std::vector<Message>& messages() const { return messages_; }
  HeadlessFileDialog& dialog() { return dialog_; }
  const HeadlessGraph& plotted() const { return graph_; }

 private:
  std::array<std::string, 3> texts_;
  std::array<ListState, 2> lists_;
  std::array<LabelState, 3> labels_;
  std::array<bool, 2> enabled_{};
  std::deque<MessageAnswer> messageAnswers_;
  std::vector<Message> messages_;
  std::function<void(const Message&)> observer_;
  HeadlessFileDialog dialog_;
  HeadlessGraph graph_;
};

}  // namespace granomet
