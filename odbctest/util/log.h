#pragma once
// The logger of the utility library: messages with a level, a category mask,
// an optional source position and a printf-style format go to a list of
// sinks (files, open streams, the system log or callbacks), each with its own
// level filter, line prefixes and day lines. Until a sink is opened, every
// message goes to standard error as the bare message.
//
// Formats take the codes of printf, and three of the logger's own: %F the
// source file, %L the source line, %m the text of the error number that was
// current when the message was logged. A format ends at its first line feed;
// every message is written with exactly one line feed.

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <ctime>

// Levels, with the numbers of the system log's priorities.
enum log_level {
    LOG_LEVEL_EMERG = 0,
    LOG_LEVEL_ALERT = 1,
    LOG_LEVEL_CRIT = 2,
    LOG_LEVEL_ERROR = 3,
    LOG_LEVEL_WARNING = 4,
    LOG_LEVEL_NOTICE = 5,
    LOG_LEVEL_INFO = 6,
    LOG_LEVEL_DEBUG = 7,
};

// Line layout of a sink, bits of its flags.
enum log_flag {
    LOG_FLAG_DAY_LINE = 1,   // a day line before the first message of each local date
    LOG_FLAG_TIME = 2,       // time stamp (the time alone when day lines are on)
    LOG_FLAG_LEVEL = 4,      // the level name
    LOG_FLAG_PROGRAM = 8,    // the program name of program_info
    LOG_FLAG_POSITION = 16,  // "(file:line)" when the message names a file
};

// The category that the convenience entries log under.
constexpr int LOG_CATEGORY_DEFAULT = 1;

// Size of the message line and of the expanded format.
constexpr std::size_t LOG_LINE_SIZE = 8192;

struct log_sink;
using log_write_proc = void (*)(log_sink* sink, int level, const char* text);
using log_close_proc = void (*)(log_sink* sink);

// One sink. A message of level L passes when its categories meet masks[L];
// a message of categories 0 passes every sink.
struct log_sink {
    log_sink* next;
    log_sink* prev;
    int masks[8];
    int flags;
    int month, day, year;  // date of the last day line written here, 0 at start
    log_write_proc write;
    log_close_proc close;
    std::FILE* stream;  // the file of file and stream sinks
};

// A category name and its bit, for log_parse_categories.
struct log_category {
    const char* name;
    int bit;
};

// Logging. Every entry returns 0.

int log_printf(int level, const char* file, int line, int categories, const char* format, ...);
int log_at(int level, const char* file, int line, const char* format, ...);
int log_error(const char* format, ...);
int log_warning(const char* format, ...);
int log_info(const char* format, ...);
int log_debug(const char* format, ...);
int log_write(int level, const char* file, int line, int categories, const char* format,
              std::va_list args);

// Opening and closing sinks. An open returns the new sink, at the front of the
// list, or null when it could not be made.

// Appends to the file at `path`, flushing after every line.
log_sink* log_open_file(const char* path, int level, int categories, int flags);
// Writes to an open stream, flushing after every line; closing the sink closes it.
log_sink* log_open_stream(std::FILE* stream, int level, int categories, int flags);
// Opens the system log with the identity, options and facility of openlog().
log_sink* log_open_syslog(const char* identity, int options, int facility, int level,
                          int categories, int flags);
log_sink* log_open_custom(log_write_proc write, log_close_proc close, int level, int categories,
                          int flags);
// Calls the sink's close procedure and takes it out of the list; the record
// stays allocated and is linked to itself.
void log_close(log_sink* sink);
// Closes every sink. The list stays set up, so later messages go nowhere.
void log_close_all();

// Filters.

// Levels 0 to `level` take the categories, the levels above lose them; other
// bits stay.
void log_set_level(log_sink* sink, int level, int categories);
// Levels 0 to `level` take every category, the levels above none.
void log_set_level_all(log_sink* sink, int level);
// ORs into `result` (cleared first) the bits of the comma-separated names;
// -1 at the first unknown name (the empty name included) or an empty table.
int log_parse_categories(const char* text, const log_category* table, int count, int* result);

// Format expansion (see the top of this file), into `out` of `size` bytes,
// cut to fit with its line feed kept. Returns the length written.
std::size_t expand_log_format(const char* format, char* out, std::size_t size, int error_number,
                              const char* file, int line);

// The clock that time stamps and day lines read; null restores the system's.
using log_clock_proc = std::time_t (*)();
void log_set_clock(log_clock_proc clock);
