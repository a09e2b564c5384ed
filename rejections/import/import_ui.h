#pragma once
// What an import shows the user while it runs: messages in OK-only boxes and
// the hourglass pointer. The main window gives these over its message
// service and its cursor; tests record them.

#include <optional>
#include <string_view>

namespace rejections {

class ImportMessages {
public:
    virtual ~ImportMessages() = default;
    // An OK-only message box with that text (UTF-8). No title means the
    // program's own title, as a box of the old runtime shows when it was
    // given none.
    virtual void show(std::string_view text, std::optional<std::string_view> title) = 0;
};

// The pointer shapes of the old runtime, by their numbers.
enum class MousePointer { Default = 0, Hourglass = 11 };

class WaitPointer {
public:
    virtual ~WaitPointer() = default;
    // The pointer over the main window; the window repaints at once so that
    // a long import shows its hourglass from the start.
    virtual void setWindowPointer(MousePointer pointer) = 0;
    // The pointer over every window of the program, which overrides the
    // window's own while it is not the default.
    virtual void setScreenPointer(MousePointer pointer) = 0;
};

}  // namespace rejections
