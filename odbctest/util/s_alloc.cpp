#include "s_alloc.h"

#include <cstdlib>
#include <cstring>

#include "log.h"

namespace {

void* system_calloc(std::size_t count, std::size_t size) {
    return std::calloc(count, size);
}
void* system_realloc(void* block, std::size_t size) {
    return std::realloc(block, size);
}

s_calloc_proc calloc_proc = system_calloc;
s_realloc_proc realloc_proc = system_realloc;

[[noreturn]] void out_of_memory(int line, const char* message) {
    log_at(LOG_LEVEL_ERROR, "utalloc", line, "%s", message);
    std::exit(1);
}

}  // namespace

void* s_alloc(std::size_t count, std::size_t size) {
    if (count == 0 || size == 0)
        count = size = 1;
    void* block = calloc_proc(count, size);
    if (!block)
        out_of_memory(44, "s_alloc: out of memory");
    return block;
}

void* s_realloc(void* block, std::size_t size) {
    // realloc with size 0 frees the block and returns null, which would read
    // as running out of memory.
    void* resized = realloc_proc(block, size ? size : 1);
    if (!resized)
        out_of_memory(58, "s_realloc: out of memory");
    return resized;
}

char* s_strdup(const char* text) {
    const std::size_t length = std::strlen(text);
    auto* copy = static_cast<char*>(s_alloc(length + 1, 1));
    std::memcpy(copy, text, length);
    return copy;
}

void s_set_allocator(s_calloc_proc calloc_hook, s_realloc_proc realloc_hook) {
    calloc_proc = calloc_hook ? calloc_hook : system_calloc;
    realloc_proc = realloc_hook ? realloc_hook : system_realloc;
}
