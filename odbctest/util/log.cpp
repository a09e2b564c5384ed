#include "log.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <syslog.h>

#include "program_args.h"

namespace {

const char* const kLevelNames[8] = {"EMERG",   "ALERT",  "CRIT", "ERROR",
                                    "WARNING", "NOTICE", "INFO", "DEBUG"};

// The list head; `list_set_up` tells a list never used (messages go to
// standard error) from one that was emptied (messages go nowhere).
log_sink list_head = {&list_head, &list_head, {}, 0, 0, 0, 0, nullptr, nullptr, nullptr};
bool list_set_up = false;

log_clock_proc clock_proc = nullptr;

// Working buffers: logging allocates nothing.
char line_buffer[LOG_LINE_SIZE];
char format_buffer[LOG_LINE_SIZE];

int clamp_level(int level) {
    return level < 0 ? 0 : level > 7 ? 7 : level;
}

std::time_t now() {
    return clock_proc ? clock_proc() : std::time(nullptr);
}

// Copies `text` to out[at...] and returns the new end, doubling every "%" so
// that the printf that follows writes the text as it stands; stops at `limit`.
std::size_t append_literal(char* out, std::size_t at, std::size_t limit, const char* text) {
    for (; *text && at < limit; ++text) {
        if (*text == '%') {
            if (at + 2 > limit)
                break;
            out[at++] = '%';
        }
        out[at++] = *text;
    }
    return at;
}

void stream_write(log_sink* sink, int, const char* text) {
    std::fputs(text, sink->stream);
    std::fflush(sink->stream);
}

void stream_close(log_sink* sink) {
    if (sink->stream)
        std::fclose(sink->stream);
    sink->stream = nullptr;
}

void syslog_write(log_sink*, int level, const char* text) {
    syslog(level, "%s", text);
}

void syslog_close(log_sink*) {
    closelog();
}

// Takes a zeroed record, sets it up and puts it at the front of the list.
log_sink* new_sink(log_write_proc write, log_close_proc close, int level, int categories,
                   int flags) {
    auto* sink = static_cast<log_sink*>(std::calloc(1, sizeof(log_sink)));
    if (!sink)
        return nullptr;
    sink->flags = flags;
    sink->write = write;
    sink->close = close;
    log_set_level(sink, level, categories);
    list_set_up = true;
    sink->next = list_head.next;
    sink->prev = &list_head;
    list_head.next->prev = sink;
    list_head.next = sink;
    return sink;
}

// The prefixes of one sink's line, by its flags; returns their length.
std::size_t line_prefix(const log_sink* sink, int level, const char* file, int line,
                        const std::tm& local) {
    std::size_t length = 0;
    auto add = [&](const char* format, auto... values) {
        int n = std::snprintf(line_buffer + length, sizeof line_buffer - length, format, values...);
        if (n > 0)
            length = std::min(sizeof line_buffer - 1, length + static_cast<std::size_t>(n));
    };
    const unsigned hour = local.tm_hour, minute = local.tm_min, second = local.tm_sec;
    if (sink->flags & LOG_FLAG_TIME) {
        if (sink->flags & LOG_FLAG_DAY_LINE)
            add("%02u:%02u:%02u ", hour, minute, second);
        else
            add("%02u/%02u/%04u %02u:%02u:%02u ", unsigned(local.tm_mon + 1),
                unsigned(local.tm_mday), unsigned(local.tm_year + 1900), hour, minute, second);
    }
    if (sink->flags & LOG_FLAG_LEVEL)
        add("%s ", kLevelNames[level]);
    if (sink->flags & LOG_FLAG_PROGRAM)
        add("%s ", program_info.name ? program_info.name : "");
    if ((sink->flags & LOG_FLAG_POSITION) && file)
        add("(%s:%d) ", file, line);
    // A named prefix ends in ": "; a time stamp alone keeps its blank.
    if (length > 0 && (sink->flags & (LOG_FLAG_LEVEL | LOG_FLAG_PROGRAM | LOG_FLAG_POSITION)) &&
        length + 1 < sizeof line_buffer) {
        line_buffer[length - 1] = ':';
        line_buffer[length++] = ' ';
        line_buffer[length] = '\0';
    }
    return length;
}

void write_day_line(log_sink* sink, int level, const std::tm& local) {
    if (sink->month == local.tm_mon + 1 && sink->day == local.tm_mday &&
        sink->year == local.tm_year + 1900)
        return;
    char day_line[64];
    std::strftime(day_line, sizeof day_line, "\n\t\t%a %b %d %Y\n", &local);
    if (sink->write)
        sink->write(sink, level, day_line);
    sink->month = local.tm_mon + 1;
    sink->day = local.tm_mday;
    sink->year = local.tm_year + 1900;
}

}  // namespace

std::size_t expand_log_format(const char* format, char* out, std::size_t size, int error_number,
                              const char* file, int line) {
    if (size == 0)
        return 0;
    if (size == 1) {
        out[0] = '\0';
        return 0;
    }
    // Room for the line feed and the terminator is always kept.
    const std::size_t limit = size - 2;
    std::size_t at = 0;
    for (const char* p = format ? format : ""; *p && *p != '\n' && at < limit; ++p) {
        if (*p != '%') {
            out[at++] = *p;
            continue;
        }
        const char code = p[1];
        if (code == 'F') {
            at = append_literal(out, at, limit, file ? file : "");
            ++p;
        } else if (code == 'L') {
            char number[16];
            std::snprintf(number, sizeof number, "%d", line);
            at = append_literal(out, at, limit, number);
            ++p;
        } else if (code == 'm') {
            const char* text = strerrordesc_np(error_number);
            char unknown[32];
            if (!text) {
                std::snprintf(unknown, sizeof unknown, "error %d", error_number);
                text = unknown;
            }
            at = append_literal(out, at, limit, text);
            ++p;
        } else if (code == '\0') {
            // A "%" at the very end stands alone: doubled, printf writes it.
            at = append_literal(out, at, limit, "%");
        } else {
            // A printf conversion or "%%": kept whole for the printf that follows.
            if (at + 2 > limit)
                break;
            out[at++] = '%';
            out[at++] = code;
            ++p;
        }
    }
    out[at++] = '\n';
    out[at] = '\0';
    return at;
}

int log_write(int level, const char* file, int line, int categories, const char* format,
              std::va_list args) {
    const int error_number = errno;
    if (!list_set_up) {
        expand_log_format(format, format_buffer, sizeof format_buffer, error_number, file, line);
        std::vfprintf(stderr, format_buffer, args);
        return 0;
    }
    if (list_head.next == &list_head)
        return 0;

    level = clamp_level(level);
    const std::time_t moment = now();
    std::tm local{};
    localtime_r(&moment, &local);
    bool expanded = false;
    for (log_sink* sink = list_head.next; sink != &list_head; sink = sink->next) {
        if (categories != 0 && !(categories & sink->masks[level]))
            continue;
        if (sink->flags & LOG_FLAG_DAY_LINE)
            write_day_line(sink, level, local);
        std::size_t length = line_prefix(sink, level, file, line, local);
        if (!expanded) {
            expand_log_format(format, format_buffer, sizeof format_buffer, error_number, file,
                              line);
            expanded = true;
        }
        std::va_list copy;
        va_copy(copy, args);
        std::vsnprintf(line_buffer + length, sizeof line_buffer - length, format_buffer, copy);
        va_end(copy);
        if (sink->write)
            sink->write(sink, level, line_buffer);
    }
    return 0;
}

int log_printf(int level, const char* file, int line, int categories, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    log_write(level, file, line, categories, format, args);
    va_end(args);
    return 0;
}

int log_at(int level, const char* file, int line, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    log_write(level, file, line, LOG_CATEGORY_DEFAULT, format, args);
    va_end(args);
    return 0;
}

#define LOG_AT_LEVEL(entry, level)                                        \
    int entry(const char* format, ...) {                                  \
        std::va_list args;                                                \
        va_start(args, format);                                           \
        log_write(level, nullptr, 0, LOG_CATEGORY_DEFAULT, format, args); \
        va_end(args);                                                     \
        return 0;                                                         \
    }
LOG_AT_LEVEL(log_error, LOG_LEVEL_ERROR)
LOG_AT_LEVEL(log_warning, LOG_LEVEL_WARNING)
LOG_AT_LEVEL(log_info, LOG_LEVEL_INFO)
LOG_AT_LEVEL(log_debug, LOG_LEVEL_DEBUG)
#undef LOG_AT_LEVEL

log_sink* log_open_file(const char* path, int level, int categories, int flags) {
    std::FILE* file = std::fopen(path, "a");
    if (!file)
        return nullptr;
    log_sink* sink = new_sink(stream_write, stream_close, level, categories, flags);
    if (!sink) {
        std::fclose(file);
        return nullptr;
    }
    sink->stream = file;
    return sink;
}

log_sink* log_open_stream(std::FILE* stream, int level, int categories, int flags) {
    log_sink* sink = new_sink(stream_write, stream_close, level, categories, flags);
    if (sink)
        sink->stream = stream;
    return sink;
}

log_sink* log_open_syslog(const char* identity, int options, int facility, int level,
                          int categories, int flags) {
    log_sink* sink = new_sink(syslog_write, syslog_close, level, categories, flags);
    if (sink)
        openlog(identity, options, facility);
    return sink;
}

log_sink* log_open_custom(log_write_proc write, log_close_proc close, int level, int categories,
                          int flags) {
    return new_sink(write, close, level, categories, flags);
}

void log_close(log_sink* sink) {
    if (!sink)
        return;
    if (sink->close)
        sink->close(sink);
    if (sink->next && sink->next != sink) {
        sink->prev->next = sink->next;
        sink->next->prev = sink->prev;
    }
    sink->next = sink->prev = sink;
}

void log_close_all() {
    while (list_head.next != &list_head)
        log_close(list_head.next);
}

void log_set_level(log_sink* sink, int level, int categories) {
    level = clamp_level(level);
    for (int l = 0; l < 8; ++l) {
        if (l <= level)
            sink->masks[l] |= categories;
        else
            sink->masks[l] &= ~categories;
    }
}

void log_set_level_all(log_sink* sink, int level) {
    level = clamp_level(level);
    for (int l = 0; l < 8; ++l)
        sink->masks[l] = l <= level ? ~0 : 0;
}

int log_parse_categories(const char* text, const log_category* table, int count, int* result) {
    *result = 0;
    if (count <= 0)
        return -1;
    const char* name = text ? text : "";
    while (true) {
        const char* end = std::strchr(name, ',');
        const std::size_t length = end ? static_cast<std::size_t>(end - name) : std::strlen(name);
        int i = 0;
        while (i < count && !(std::strlen(table[i].name) == length &&
                              std::strncmp(table[i].name, name, length) == 0))
            ++i;
        if (i == count)
            return -1;
        *result |= table[i].bit;
        if (!end)
            return 0;
        name = end + 1;
    }
}

void log_set_clock(log_clock_proc clock) {
    clock_proc = clock;
}
