#include "page_output.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>

#include "request.h"

namespace {

char block[page_buffer::kSize];

void flush_at_exit() {
    out_flush();
}

// A pipe to the reader (the web server, a shell) holds 64 KiB by default,
// so a large table would wait on the reader every 64 KiB; a pipe of 1 MiB
// lets it run on. Where standard output is no pipe, or the system allows
// less, the call fails and changes nothing.
constexpr int kPipeSize = 1 << 20;

// At start: the pipe widened, and the flush registered so that every way
// out of the process (return from main, exit on an allocation failure)
// writes the page whole.
bool prepared = [] {
    fcntl(1, F_SETPIPE_SZ, kPipeSize);
    return std::atexit(flush_at_exit) == 0;
}();

}  // namespace

page_buffer page_out{block};

void out_drain() {
    if (page_out.used != 0)
        std::fwrite(page_out.bytes, 1, page_out.used, stdout);
    page_out.used = 0;
}

// The bytes that do not fit: the buffer goes out first, and what is larger
// than the buffer goes out as it stands.
void out_bytes_through(const char* bytes, std::size_t count) {
    out_drain();
    if (count > page_buffer::kSize) {
        std::fwrite(bytes, 1, count, stdout);
        return;
    }
    std::memcpy(page_out.bytes, bytes, count);
    page_out.used = count;
}

void out_repeated(char c, int count) {
    while (count > 0) {
        if (page_out.used == page_buffer::kSize)
            out_drain();
        const std::size_t room = page_buffer::kSize - page_out.used;
        const std::size_t n = static_cast<std::size_t>(count) < room ? count : room;
        std::memset(page_out.bytes + page_out.used, c, n);
        page_out.used += n;
        count -= static_cast<int>(n);
    }
}

void out_unsigned(unsigned long number) {
    char digits[24];
    const int n = std::snprintf(digits, sizeof digits, "%lu", number);
    out_bytes(digits, n);
}

void out_flush() {
    out_drain();
    std::fflush(stdout);
}

namespace {

// The characters html_text stops at: the five specials and the end.
constexpr auto kStops = [] {
    std::array<bool, 256> stops{};
    for (unsigned char c : {'&', '<', '>', '"', '\'', '\0'})
        stops[c] = true;
    return stops;
}();

const char* entity_of(char c) {
    switch (c) {
        case '&':
            return "&amp;";
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        case '"':
            return "&quot;";
        default:
            return "&#39;";
    }
}

}  // namespace

void html_text(const char* text) {
    // Runs of plain characters are copied at once; the five specials become
    // their entities.
    for (const char* run = text;;) {
        const char* c = run;
        while (!kStops[static_cast<unsigned char>(*c)])
            ++c;
        out_bytes(run, c - run);
        if (*c == '\0')
            return;
        out_text(entity_of(*c));
        run = c + 1;
    }
}

void page_text(const char* text) {
    if (request.cgi_mode)
        html_text(text);
    else
        out_text(text);
}
