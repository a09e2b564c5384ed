#pragma once
// A user's action that fails in the database (a locked or damaged file, a
// missing table) shows the failure in a message box and leaves the window
// open; what the action had begun to write is rolled back with its
// transaction.

#include <exception>

#include <QString>

#include "form.h"
#include "message_box.h"

namespace quality {

template <typename Action>
void conAviso(forms::Form& window, Action&& action) {
    try {
        action();
    } catch (const std::exception& error) {
        window.msgBox(QString::fromStdString(error.what()), forms::msg::Critical);
    }
}

}  // namespace quality
