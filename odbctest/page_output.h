#pragma once
// Every byte of a run's standard output goes through these. The page is
// gathered in a buffer of its own and written out in large blocks: when the
// buffer fills, at the "SQL>" prompt (before the next line is read) and when
// the process ends.

#include <cstddef>
#include <cstring>

// The buffer. A result table writes a few bytes per call, millions of
// times, so the common case (the bytes fit) is inline where it is called.
struct page_buffer {
    static constexpr std::size_t kSize = 1 << 16;
    char* bytes;
    std::size_t used = 0;
};
extern page_buffer page_out;

// Writing the page.
void out_bytes_through(const char* bytes, std::size_t count);
inline void out_bytes(const char* bytes, std::size_t count) {
    if (count <= page_buffer::kSize - page_out.used) {
        std::memcpy(page_out.bytes + page_out.used, bytes, count);
        page_out.used += count;
    } else {
        out_bytes_through(bytes, count);
    }
}
// Inline, so that the length of a fixed text is known where it is written.
inline void out_text(const char* text) {
    out_bytes(text, std::strlen(text));
}
void out_drain();
inline void out_char(char c) {
    if (page_out.used == page_buffer::kSize)
        out_drain();
    page_out.bytes[page_out.used++] = c;
}
void out_repeated(char c, int count);
// The text left-aligned in a field of `width`: cut to it, padded with blanks.
inline void out_padded(const char* text, int width) {
    const std::size_t length = strnlen(text, width);
    const std::size_t pad = static_cast<std::size_t>(width) - length;
    if (static_cast<std::size_t>(width) <= page_buffer::kSize - page_out.used) {
        // The common case, a cell that fits: copied and padded in place.
        std::memcpy(page_out.bytes + page_out.used, text, length);
        std::memset(page_out.bytes + page_out.used + length, ' ', pad);
        page_out.used += width;
        return;
    }
    out_bytes(text, length);
    out_repeated(' ', static_cast<int>(pad));
}
void out_unsigned(unsigned long number);

// Writes what the buffer holds to standard output and flushes it.
void out_flush();

// Variable texts, named for how they escape. Fixed page texts are written
// as they stand.

// The text with & < > " ' as entities: safe inside elements and inside
// quoted attribute values.
void html_text(const char* text);

// In CGI mode as html_text; on the command line as it stands.
void page_text(const char* text);
