#include "fuzz_support.h"

#include <unistd.h>

int fuzz::ScratchFolder::getpid_() {
    return static_cast<int>(::getpid());
}
