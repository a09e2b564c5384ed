// The database layer's dialect: the translation of old statements and the
// old engine's like patterns, alone and through SQLite with the dialect's
// functions registered. Input: a statement, byte 1, a pattern, byte 1, a text.

#include <sqlite3.h>

#include "database/sql_dialect.h"
#include "fuzz_support.h"

namespace {

struct Connection {
    sqlite3* handle = nullptr;
    Connection() {
        FUZZ_CHECK(sqlite3_open(":memory:", &handle) == SQLITE_OK);
        db::register_dialect(handle);
    }
    ~Connection() { sqlite3_close(handle); }
};

bool has_wildcard(std::string_view text) {
    return text.find_first_of("*?#[") != std::string_view::npos;
}

// The text as a pattern that matches it alone: each wildcard in brackets.
std::string literal_pattern(std::string_view text) {
    std::string pattern;
    for (char c : text) {
        if (c == '*' || c == '?' || c == '#' || c == '[') {
            pattern += '[';
            pattern += c;
            pattern += ']';
        } else {
            pattern += c;
        }
    }
    return pattern;
}

// Runs a one-row query with the texts bound to its parameters; its value as
// a number, or -1 for Null or an error.
int query_number(sqlite3* handle, const char* sql, const std::string& a, const std::string& b) {
    sqlite3_stmt* statement = nullptr;
    FUZZ_CHECK(sqlite3_prepare_v2(handle, sql, -1, &statement, nullptr) == SQLITE_OK);
    sqlite3_bind_text(statement, 1, a.data(), static_cast<int>(a.size()), SQLITE_STATIC);
    sqlite3_bind_text(statement, 2, b.data(), static_cast<int>(b.size()), SQLITE_STATIC);
    int result = -1;
    if (sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_type(statement, 0) != SQLITE_NULL)
        result = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Connection connection;
    const auto parts = fuzz::split(fuzz::bytes(data, size), '\x01', 3);
    const std::string& old_sql = parts[0];
    const std::string& pattern = parts[1];
    const std::string& text = parts[2];

    // The translation drops a "*", adds blanks, swaps quotes and writes
    // "x like '*'" (10 characters at least) as "(x IS NOT NULL OR NULL)".
    const std::string sql = db::translate(old_sql);
    FUZZ_CHECK(sql.size() <= 5 * old_sql.size() + 1);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(connection.handle, sql.c_str(), static_cast<int>(sql.size()), &statement,
                       nullptr);
    sqlite3_finalize(statement);

    const bool matches = db::like_matches(pattern, text);
    FUZZ_CHECK(db::like_matches("*", text));
    // Texts reach the database in UTF-8; the matching promises its
    // character rules for such texts.
    if (fuzz::is_utf8(text))
        FUZZ_CHECK(db::like_matches(literal_pattern(text), text));
    if (!has_wildcard(pattern) && fuzz::is_utf8(pattern))
        FUZZ_CHECK(db::like_matches(pattern, pattern));
    if (matches && fuzz::is_utf8(pattern) && fuzz::is_utf8(text))
        FUZZ_CHECK(db::like_matches("*" + pattern + "*", "a" + text + "b"));

    // SQLite hands the pattern and the text to the same matching (its
    // texts end at a NUL).
    if (pattern.find('\0') == std::string::npos && text.find('\0') == std::string::npos)
        FUZZ_CHECK(query_number(connection.handle, "SELECT ?2 LIKE ?1", pattern, text) ==
                   (matches ? 1 : 0));
    for (const char* function :
         {"SELECT month(?1) + 0 * length(?2)", "SELECT year(?1) + 0 * length(?2)",
          "SELECT day(?1) + hour(?1) + minute(?1) + 0 * length(?2)",
          "SELECT length(format(?1, ?2))", "SELECT cdate(?1) + 0 * length(?2)"})
        query_number(connection.handle, function, text, pattern);
    return 0;
}
