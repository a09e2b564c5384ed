#pragma once
// The clock of the programs: Now, Date and Timer of the old runtime, read
// through one replaceable clock so that tests fix the moment.

#include "date_serial.h"

namespace runtime {

// The interface.

class Clock {
public:
    virtual ~Clock() = default;
    // The current local moment as a date serial.
    virtual DateSerial now() const = 0;
};

// The machine's local time (what the programs use unless a test says otherwise).
class SystemClock : public Clock {
public:
    DateSerial now() const override;
};

// A clock that stands still at a moment the test sets.
class FixedClock : public Clock {
public:
    explicit FixedClock(DateSerial moment) : moment_(moment) {}
    DateSerial now() const override { return moment_; }
    void set(DateSerial moment) { moment_ = moment; }

private:
    DateSerial moment_;
};

// Replacing the clock.

// The clock in use: the system clock unless replaced.
const Clock& clock();
// Puts `replacement` in use for the lifetime of this object (the caller keeps
// it alive), then restores the clock that was in use before.
class ScopedClock {
public:
    explicit ScopedClock(const Clock& replacement);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    const Clock* previous_;
};

// The runtime's functions on the clock in use.

// Now: the date and time.
DateSerial now();
// Date: today at midnight.
DateSerial today();
// Timer: seconds since midnight (what the programs seed Randomize with).
double timer();

}  // namespace runtime
