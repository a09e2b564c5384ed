#include "clock.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace runtime {

namespace {
const SystemClock system_clock;
const Clock* current = &system_clock;
}  // namespace

DateSerial SystemClock::now() const {
    using namespace std::chrono;
    auto since_epoch = system_clock::now().time_since_epoch();
    std::time_t seconds = duration_cast<std::chrono::seconds>(since_epoch).count();
    double fraction = duration_cast<microseconds>(since_epoch).count() % 1000000 / 1e6;
    std::tm local{};
    localtime_r(&seconds, &local);
    return date_serial(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction) / 86400.0;
}

const Clock& clock() {
    return *current;
}

ScopedClock::ScopedClock(const Clock& replacement) : previous_(current) {
    current = &replacement;
}
ScopedClock::~ScopedClock() {
    current = previous_;
}

DateSerial now() {
    return current->now();
}
DateSerial today() {
    return std::floor(current->now());
}
double timer() {
    return time_part(current->now()) * 86400.0;
}

}  // namespace runtime
