// Preloaded into a program under test (LD_PRELOAD): kills the process with
// SIGKILL right after a rename that succeeded and whose target's path ends
// with the text of the environment variable KILL_AFTER_RENAME_TO, so that a
// test can stop a program at the moment just after it put a file in place.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>

typedef int (*rename_fn)(const char*, const char*);

int rename(const char* from, const char* to) {
    static rename_fn real_rename;
    if (!real_rename)
        real_rename = (rename_fn)dlsym(RTLD_NEXT, "rename");
    const int result = real_rename(from, to);
    const char* target = getenv("KILL_AFTER_RENAME_TO");
    if (result == 0 && target && *target) {
        const size_t length = strlen(to), suffix = strlen(target);
        if (length >= suffix && strcmp(to + length - suffix, target) == 0)
            raise(SIGKILL);
    }
    return result;
}
