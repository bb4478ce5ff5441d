// The work flow's modal message boxes shown as Qt message boxes.
#pragma once

#include <QWidget>

#include "ui/window_operations.h"

namespace granomet {

// Modal to the whole program; OK alone, or Yes and No with Yes the default.
// Closing the box with Esc or its title bar answers OK, or No.
MessageAnswer showMessageBox(QWidget* parent, const MessageRequest& request);

}  // namespace granomet
