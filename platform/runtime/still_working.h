#pragma once
// A long loop of the programs' logic (an import, the weekly run, a report)
// calls still_working() between its steps. Without a screen it does nothing;
// the desktop layer hooks it while a long job runs, so that the windows stay
// drawn and the program keeps answering the window system
// (platform/forms/long_job.h). The logic itself never learns of windows.

namespace runtime {

using StillWorkingHook = void (*)();

namespace detail {
inline StillWorkingHook still_working_hook = nullptr;
}

inline void still_working() {
    if (detail::still_working_hook)
        detail::still_working_hook();
}

// Puts `hook` in place (null: none) and returns the one it replaces.
inline StillWorkingHook set_still_working_hook(StillWorkingHook hook) {
    const StillWorkingHook previous = detail::still_working_hook;
    detail::still_working_hook = hook;
    return previous;
}

}  // namespace runtime
