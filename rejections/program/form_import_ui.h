#pragma once
// What an import shows, given over a window: its messages through the
// program's message service, its pointer over the window and the program's
// wait cursor.

#include "form.h"
#include "import_ui.h"

namespace rejections {

// OK-only boxes; a message without a title carries the program's title.
class FormImportMessages : public ImportMessages {
public:
    explicit FormImportMessages(forms::Form& form) : form_(form) {}
    void show(std::string_view text, std::optional<std::string_view> title) override;

private:
    forms::Form& form_;
};

// The window pointer is the window's own cursor; the screen pointer is the
// program's wait cursor over every window.
class FormWaitPointer : public WaitPointer {
public:
    explicit FormWaitPointer(forms::Form& form) : form_(form) {}
    void setWindowPointer(MousePointer pointer) override;
    void setScreenPointer(MousePointer pointer) override;

private:
    forms::Form& form_;
};

}  // namespace rejections
