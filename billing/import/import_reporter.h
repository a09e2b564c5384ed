#pragma once
// What the importer tells the user: the main window shows its hourglass and
// the "Importando..." label while the import reads, and its messages in OK
// message boxes. Tests record them.

#include <string>

namespace billing {

class ImportReporter {
public:
    virtual ~ImportReporter() = default;

    // The file and the store are open and reading begins.
    virtual void importStarted() = 0;

    // Reading has ended, on every path that started: the hourglass and the
    // label go. Comes before the messages that close the import.
    virtual void importEnded() = 0;

    // One OK message box; an empty title stands for the program's own title.
    virtual void message(const std::string& text, const std::string& title) = 0;
};

}  // namespace billing
