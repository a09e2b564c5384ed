#include "page_output.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "request.h"

namespace {

// A result table writes a few bytes per call, hundreds of thousands of
// times: gathered here, they reach the stream in a few large writes.
constexpr std::size_t kBufferSize = 1 << 16;
char buffer[kBufferSize];
std::size_t used = 0;

void flush_at_exit() {
    out_flush();
}

// Registered on the first write, so that every way out of the process
// (return from main, exit on an allocation failure) writes the page whole.
bool registered = [] { return std::atexit(flush_at_exit) == 0; }();

void drain() {
    if (used != 0)
        std::fwrite(buffer, 1, used, stdout);
    used = 0;
}

}  // namespace

void out_bytes(const char* bytes, std::size_t count) {
    if (count > kBufferSize - used) {
        drain();
        if (count > kBufferSize) {
            std::fwrite(bytes, 1, count, stdout);
            return;
        }
    }
    std::memcpy(buffer + used, bytes, count);
    used += count;
}

void out_text(const char* text) {
    out_bytes(text, std::strlen(text));
}

void out_char(char c) {
    if (used == kBufferSize)
        drain();
    buffer[used++] = c;
}

void out_repeated(char c, int count) {
    while (count > 0) {
        if (used == kBufferSize)
            drain();
        const std::size_t room = kBufferSize - used;
        const std::size_t n = static_cast<std::size_t>(count) < room ? count : room;
        std::memset(buffer + used, c, n);
        used += n;
        count -= static_cast<int>(n);
    }
}

void out_padded(const char* text, int width) {
    const std::size_t length = strnlen(text, width);
    out_bytes(text, length);
    out_repeated(' ', width - static_cast<int>(length));
}

void out_unsigned(unsigned long number) {
    char digits[24];
    const int n = std::snprintf(digits, sizeof digits, "%lu", number);
    out_bytes(digits, n);
}

void out_flush() {
    drain();
    std::fflush(stdout);
}

void html_text(const char* text) {
    // Runs of plain characters are copied at once; the five specials become
    // their entities.
    const char* run = text;
    for (const char* c = text;; ++c) {
        const char* entity = nullptr;
        switch (*c) {
            case '&':
                entity = "&amp;";
                break;
            case '<':
                entity = "&lt;";
                break;
            case '>':
                entity = "&gt;";
                break;
            case '"':
                entity = "&quot;";
                break;
            case '\'':
                entity = "&#39;";
                break;
            case '\0':
                out_bytes(run, c - run);
                return;
            default:
                continue;
        }
        out_bytes(run, c - run);
        out_text(entity);
        run = c + 1;
    }
}

void page_text(const char* text) {
    if (request.cgi_mode)
        html_text(text);
    else
        out_text(text);
}
