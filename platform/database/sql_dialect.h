#pragma once
// The old engine's SQL dialect over SQLite: the translation of statement
// texts, the text comparison blind to case, and the functions the programs'
// statements call (like with the old wildcards, month, year, day, format).

#include <string>
#include <string_view>

struct sqlite3;

namespace db {

// Translating statement texts.

// Rewrites a statement of the old dialect so that SQLite runs it with the same
// meaning: "DELETE * FROM t" becomes "DELETE FROM t"; a string literal in
// double quotes ("dd/mm/yy") becomes one in single quotes; a number glued to
// a keyword ("1999AND") gets a blank after it. Bracketed names ([# de A]),
// single-quoted literals and everything else stay as they are.
std::string translate(std::string_view old_sql);

// Wildcard patterns.

// The old engine's like: "*" any run of characters, "?" one character, "#"
// one digit, "[abc]" and "[a-z]" one of a set, "[!abc]" one not in it
// ("[*]" is a plain "*"); every other character, "%" and "_" included, stands
// for itself; letters compare blind to case (á matches Á).
bool like_matches(std::string_view pattern, std::string_view text);

// The connection's dialect.

// The name of the collation that compares text blind to case for every
// letter; text columns of the schemas declare it ("COLLATE CASEBLIND").
inline constexpr const char* kCaseBlindCollation = "CASEBLIND";

// Registers on a connection the collation and the functions of the dialect:
//   like(pattern, text)       the old wildcards (also for "x LIKE p" and "NOT LIKE")
//   month(x), year(x), day(x), hour(x), minute(x)
//                             parts of a date given as a serial or as a
//                             day-first text ("05/03/02 14:07"); Null for
//                             Null or a text that is no date
//   format(x, pattern)        the runtime's Format; Null for Null
//   cdate(x)                  the date serial of a day-first text; Null when none
// Throws db::Error when SQLite refuses one.
void register_dialect(sqlite3* handle);

}  // namespace db
