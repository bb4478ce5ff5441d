#include "ui/window_operations.h"

#include <utility>

namespace granomet {

std::string_view effectiveTitle(const MessageRequest& request) {
  return request.title.empty() ? kProgramName : std::string_view(request.title);
}

MessageAnswer defaultAnswer(const MessageRequest& request) {
  if (request.buttons != MessageButtons::YesNo) {
    return MessageAnswer::Ok;
  }
  return request.defaultNo ? MessageAnswer::No : MessageAnswer::Yes;
}

std::filesystem::path showOpenDialog(FileDialog& dialog, std::string filter) {
  dialog.setFilter(std::move(filter));
  dialog.setFilterIndex(2);
  dialog.showOpen();
  return dialog.fileName();
}

void resetWindow(WindowOperations& window) {
  window.setText(TextBoxId::LOTE_file, "");
  window.setText(TextBoxId::EXPORT_file, "");
  window.setText(TextBoxId::recalculado_file, "");
  window.clearList(ListId::List1);
  window.clearList(ListId::List2);
  window.setLabelText(LabelId::Label10, "0");
  window.setLabelToolTip(LabelId::Label10, "");
  window.setLabelText(LabelId::Label11, "0");
}

}  // namespace granomet
