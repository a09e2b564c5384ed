#pragma once
// Starting another program, as the old runtime's Shell did: the program runs
// in a window of its own and the caller goes on at once.

#include <QString>

namespace sys {

class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;

    // Starts the program of `commandLine` and returns whether it started. A
    // command line that names an existing file is that program without
    // arguments (paths read from settings may hold blanks); otherwise it is
    // split into the program and its arguments, quotes grouping words.
    virtual bool start(const QString& commandLine) = 0;
};

// Starts the program as a detached process: it outlives the caller.
class DetachedProgramStarter : public ProgramStarter {
public:
    bool start(const QString& commandLine) override;
};

}  // namespace sys
