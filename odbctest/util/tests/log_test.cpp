// The logger: standard error before any sink, sinks with their filters and
// line layouts, the format codes, day lines under a fixed clock.
//
// The sink list lives for the whole process: the cases that need a list never
// set up run their code in a fresh process.

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <syslog.h>

#include "capture_output.h"
#include "log.h"
#include "program_args.h"
#include "temp_dir.h"

namespace {

using testing::Eq;
using testing::ExitedWithCode;

// 9 December 2026, 09:05:07 UTC, a Wednesday.
constexpr std::time_t kMorning = 1796807107;
std::time_t fixed_now = kMorning;
std::time_t fixed_clock() {
    return fixed_now;
}

// What custom sinks received, one entry per write.
std::vector<std::string> received;
void record_write(log_sink*, int, const char* text) {
    received.push_back(text);
}
int closed_count = 0;
void record_close(log_sink*) {
    ++closed_count;
}

class LoggerSinks : public testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
        fixed_now = kMorning;
        log_set_clock(fixed_clock);
        received.clear();
        program_info.name = "ostrel";
    }
    void TearDown() override {
        log_close_all();
        for (log_sink* sink : opened)
            std::free(sink);
        log_set_clock(nullptr);
    }
    log_sink* open_custom(int level, int categories, int flags) {
        log_sink* sink = log_open_custom(record_write, record_close, level, categories, flags);
        opened.push_back(sink);
        return sink;
    }
    std::vector<log_sink*> opened;
};

TEST(LoggerWithoutSinks, WritesTheBareMessageToStandardError) {
    // A fresh process: the logger must not have been set up by other cases.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            log_at(LOG_LEVEL_ERROR, "utalloc", 44, "s_alloc: out of memory");
            log_debug("debug %d, no level test", 7);
            log_error("first\nsecond");
            std::exit(0);
        },
        ExitedWithCode(0), Eq("s_alloc: out of memory\ndebug 7, no level test\nfirst\n"));
}

struct ExpansionCase {
    const char* format;
    int error_number;
    const char* file;
    int line;
    const char* expected;
};

TEST(ExpandLogFormat, ReplacesTheLoggersOwnCodesAndEndsWithOneLineFeed) {
    const ExpansionCase cases[] = {
        {"plain", 0, nullptr, 0, "plain\n"},
        {"", 0, nullptr, 0, "\n"},
        {"\nafter", 0, nullptr, 0, "\n"},
        {"first\nsecond", 0, nullptr, 0, "first\n"},
        {"at %F:%L", 0, "utalloc", 44, "at utalloc:44\n"},
        {"no file %F.", 0, nullptr, 3, "no file .\n"},
        {"%m", ENOENT, nullptr, 0, "No such file or directory\n"},
        {"%m", 5000, nullptr, 0, "error 5000\n"},
        {"%m", -3, nullptr, 0, "error -3\n"},
        // printf's conversions and "%%" stay for the printf that follows.
        {"%d%% %s", 0, nullptr, 0, "%d%% %s\n"},
        {"%%F", 0, "x", 1, "%%F\n"},
        // Text put in by the logger is written as it stands.
        {"%F", 0, "odd%sname", 1, "odd%%sname\n"},
        {"end %", 0, nullptr, 0, "end %%\n"},
    };
    for (const auto& c : cases) {
        char out[LOG_LINE_SIZE];
        expand_log_format(c.format, out, sizeof out, c.error_number, c.file, c.line);
        EXPECT_STREQ(out, c.expected) << c.format;
    }
}

TEST(ExpandLogFormat, CutsToTheBufferAndKeepsTheLineFeed) {
    char out[8];
    EXPECT_EQ(expand_log_format("abcdefghij", out, sizeof out, 0, nullptr, 0), 7u);
    EXPECT_STREQ(out, "abcdef\n");
    expand_log_format("ab%dcd", out, 5, 0, nullptr, 0);
    EXPECT_STREQ(out, "ab\n");  // a conversion is never cut in half
}

TEST_F(LoggerSinks, LineLayoutFollowsTheSinkFlags) {
    struct LayoutCase {
        int flags;
        const char* file;
        const char* expected;
    };
    const LayoutCase cases[] = {
        {0, "utalloc", "s_alloc: out of memory\n"},
        {LOG_FLAG_TIME, nullptr, "12/09/2026 09:05:07 s_alloc: out of memory\n"},
        {LOG_FLAG_LEVEL, nullptr, "ERROR: s_alloc: out of memory\n"},
        {LOG_FLAG_PROGRAM, nullptr, "ostrel: s_alloc: out of memory\n"},
        {LOG_FLAG_POSITION, "utalloc", "(utalloc:44): s_alloc: out of memory\n"},
        {LOG_FLAG_POSITION, nullptr, "s_alloc: out of memory\n"},
        {LOG_FLAG_TIME | LOG_FLAG_POSITION, nullptr,
         "12/09/2026 09:05:07: s_alloc: out of memory\n"},
        {LOG_FLAG_TIME | LOG_FLAG_LEVEL | LOG_FLAG_PROGRAM | LOG_FLAG_POSITION, "utalloc",
         "12/09/2026 09:05:07 ERROR ostrel (utalloc:44): s_alloc: out of memory\n"},
    };
    for (const auto& c : cases) {
        received.clear();
        log_sink* sink = open_custom(LOG_LEVEL_DEBUG, 1, c.flags);
        log_at(LOG_LEVEL_ERROR, c.file, 44, "%s", "s_alloc: out of memory");
        ASSERT_EQ(received.size(), 1u) << c.flags;
        EXPECT_EQ(received[0], c.expected) << c.flags;
        log_close(sink);
    }
}

TEST_F(LoggerSinks, DayLineComesBeforeTheFirstMessageOfEachDay) {
    open_custom(LOG_LEVEL_DEBUG, 1, LOG_FLAG_DAY_LINE | LOG_FLAG_TIME);
    log_info("x");
    fixed_now += 60;
    log_info("y");
    fixed_now += 24 * 3600;
    log_info("z");
    EXPECT_THAT(received,
                testing::ElementsAre("\n\t\tWed Dec 09 2026\n", "09:05:07 x\n", "09:06:07 y\n",
                                     "\n\t\tThu Dec 10 2026\n", "09:06:07 z\n"));
}

TEST_F(LoggerSinks, LevelAndCategoriesFilterEachSink) {
    open_custom(LOG_LEVEL_ERROR, 1, LOG_FLAG_LEVEL);
    log_printf(LOG_LEVEL_ERROR, nullptr, 0, 1, "error of category 1");
    log_printf(LOG_LEVEL_WARNING, nullptr, 0, 1, "warning of category 1");
    log_printf(LOG_LEVEL_ERROR, nullptr, 0, 2, "error of category 2");
    log_printf(LOG_LEVEL_DEBUG, nullptr, 0, 0, "debug of no category");
    log_printf(99, nullptr, 0, 0, "level beyond DEBUG");
    log_printf(-4, nullptr, 0, 1, "level below EMERG");
    EXPECT_THAT(received, testing::ElementsAre(
                              "ERROR: error of category 1\n", "DEBUG: debug of no category\n",
                              "DEBUG: level beyond DEBUG\n", "EMERG: level below EMERG\n"));
}

TEST_F(LoggerSinks, MaskRulesAddAndRemoveCategoriesByLevel) {
    log_sink* sink = open_custom(LOG_LEVEL_WARNING, 1 | 4, 0);
    log_set_level(sink, LOG_LEVEL_ERROR, 4);  // category 4 up to ERROR only
    log_set_level(sink, 12, 8);               // category 8 at every level
    EXPECT_EQ(sink->masks[LOG_LEVEL_EMERG], 1 | 4 | 8);
    EXPECT_EQ(sink->masks[LOG_LEVEL_ERROR], 1 | 4 | 8);
    EXPECT_EQ(sink->masks[LOG_LEVEL_WARNING], 1 | 8);
    EXPECT_EQ(sink->masks[LOG_LEVEL_DEBUG], 8);
    log_set_level_all(sink, LOG_LEVEL_NOTICE);
    EXPECT_EQ(sink->masks[LOG_LEVEL_NOTICE], ~0);
    EXPECT_EQ(sink->masks[LOG_LEVEL_INFO], 0);
}

TEST_F(LoggerSinks, EverySinkGetsTheMessageFrontToBack) {
    open_custom(LOG_LEVEL_DEBUG, 1, 0);
    open_custom(LOG_LEVEL_DEBUG, 1, LOG_FLAG_LEVEL);
    errno = ENOENT;
    log_warning("%s: %m (%d)", "menu.dat", 2);
    EXPECT_THAT(received, testing::ElementsAre("WARNING: menu.dat: No such file or directory (2)\n",
                                               "menu.dat: No such file or directory (2)\n"));
}

TEST_F(LoggerSinks, LongMessagesAreCutToTheLineBuffer) {
    open_custom(LOG_LEVEL_DEBUG, 1, LOG_FLAG_LEVEL);
    log_info("%s", std::string(10000, 'x').c_str());
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], "INFO: " + std::string(LOG_LINE_SIZE - 1 - 6, 'x'));
}

TEST_F(LoggerSinks, AfterClosingAllMessagesGoNowhere) {
    open_custom(LOG_LEVEL_DEBUG, 1, 0);
    open_custom(LOG_LEVEL_DEBUG, 1, 0);
    closed_count = 0;
    log_close_all();
    EXPECT_EQ(closed_count, 2);
    EXPECT_EQ(opened[0]->next, opened[0]);  // linked to itself
    std::string err = testsupport::capture_stderr([] { log_error("dropped"); });
    EXPECT_EQ(err, "");
    EXPECT_TRUE(received.empty());
}

TEST_F(LoggerSinks, FileSinkAppendsAndFlushesEachLine) {
    testsupport::TempDir dir;
    auto path = dir.write("ostrel.log", "earlier line\n");
    log_sink* sink = log_open_file(path.c_str(), LOG_LEVEL_INFO, 1, LOG_FLAG_LEVEL);
    ASSERT_NE(sink, nullptr);
    opened.push_back(sink);
    log_info("started");
    EXPECT_EQ(testsupport::read_file(path), "earlier line\nINFO: started\n");
    log_debug("too detailed");
    log_close(sink);
    EXPECT_EQ(testsupport::read_file(path), "earlier line\nINFO: started\n");

    EXPECT_EQ(log_open_file((dir.path() / "no/such/dir/x.log").c_str(), 7, 1, 0), nullptr);
}

TEST_F(LoggerSinks, StreamSinkWritesAndClosesItsStream) {
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* stream = open_memstream(&text, &size);
    log_sink* sink = log_open_stream(stream, LOG_LEVEL_DEBUG, 1, LOG_FLAG_PROGRAM);
    opened.push_back(sink);
    log_debug("one %s", "line");
    log_close(sink);  // closing the stream makes the text final
    EXPECT_STREQ(text, "ostrel: one line\n");
    std::free(text);
}

TEST_F(LoggerSinks, SyslogSinkSendsTheLineAtTheMessagesLevel) {
    // A fresh process: the logger must not have been set up by other cases.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // LOG_PERROR has the system log copy every message to standard error.
    EXPECT_EXIT(
        {
            log_open_syslog("ostrel-test", LOG_PERROR, LOG_USER, LOG_LEVEL_DEBUG, 1,
                            LOG_FLAG_LEVEL);
            log_error("sent to the system log");
            std::exit(0);
        },
        ExitedWithCode(0), testing::HasSubstr("ostrel-test: ERROR: sent to the system log"));
}

TEST(LogParseCategories, OrsTheBitsOfKnownNames) {
    const log_category table[] = {{"sql", 1}, {"odbc", 2}, {"page", 4}};
    struct Case {
        const char* text;
        int count;
        int result;
        int mask;
    } cases[] = {
        {"sql", 3, 0, 1},       {"page,sql", 3, 0, 5},
        {"odbc,odbc", 3, 0, 2}, {"sql,", 3, -1, 1},  // the empty name after the comma is unknown
        {"SQL", 3, -1, 0},                           // names match exactly
        {"", 3, -1, 0},         {"sql", 0, -1, 0},
    };
    for (const auto& c : cases) {
        int mask = 99;
        EXPECT_EQ(log_parse_categories(c.text, table, c.count, &mask), c.result) << c.text;
        EXPECT_EQ(mask, c.mask) << c.text;
    }
}

}  // namespace
