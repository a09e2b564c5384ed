#pragma once
// Test doubles of what an import shows: the messages it gave and the
// pointer's changes, recorded in order.

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "import_ui.h"

namespace rejections::testing {

struct Message {
    std::optional<std::string> title;  // nullopt: the program's own title
    std::string text;
    bool operator==(const Message&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Message& message) {
    return out << '[' << (message.title ? *message.title : "<program title>") << "] \""
               << message.text << '"';
}

class RecordedMessages : public ImportMessages {
public:
    void show(std::string_view text, std::optional<std::string_view> title) override {
        shown.push_back({title ? std::optional<std::string>(std::string(*title)) : std::nullopt,
                         std::string(text)});
    }
    std::vector<Message> shown;
};

class RecordedPointer : public WaitPointer {
public:
    void setWindowPointer(MousePointer pointer) override {
        window = pointer;
        changes.emplace_back("window", pointer);
    }
    void setScreenPointer(MousePointer pointer) override {
        screen = pointer;
        changes.emplace_back("screen", pointer);
    }
    MousePointer window = MousePointer::Default;
    MousePointer screen = MousePointer::Default;
    std::vector<std::pair<std::string, MousePointer>> changes;
};

}  // namespace rejections::testing
