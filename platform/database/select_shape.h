#pragma once
// Inside the database layer: the shape of a SELECT statement's text, as far
// as a grid needs it to find each row again by the rowid of the table that
// drives the statement (the first table after the outermost FROM).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace db {

// A token of a statement's text: a word, a quoted name, a '...' literal or a
// sign, with where it stands and how deep in parentheses.
struct SqlToken {
    std::size_t begin = 0, end = 0;
    int depth = 0;
    bool quoted = false;  // a quoted name ("a b", [a b], `a b`)
    bool string = false;  // a '...' literal
    std::string word;     // a bare word in capitals; a quoted name or literal unquoted
};

std::vector<SqlToken> sql_tokens(std::string_view sql);

struct SelectShape {
    std::size_t from = 0;   // where the outermost FROM begins
    std::string driver;     // the driving table's name, unquoted
    std::string qualifier;  // how the select list names it (its alias, or its name quoted)
};

// The shape of a plain SELECT (in SQLite's dialect): one that yields one row
// per row of its tables, so no DISTINCT, grouping, aggregate, window or
// compound part at its outer level, and a table (not a subquery) after FROM.
// Nothing for any other statement.
std::optional<SelectShape> plain_select_shape(std::string_view sql);

// For a statement that groups its rows (GROUP BY at its outer level, and no
// DISTINCT, HAVING, LIMIT or compound part there, nor a group named by its
// place in the select list), a statement that counts the groups without
// working out the select list. Nothing for any other statement.
std::optional<std::string> grouped_count_statement(std::string_view sql);

// The statement with `expression AS name` added to the end of its select list.
std::string with_column(std::string_view sql, const SelectShape& shape,
                        const std::string& expression, const std::string& name);

// A name in double quotes, its quotes doubled.
std::string quoted_identifier(std::string_view name);

}  // namespace db
