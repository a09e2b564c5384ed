#pragma once
// Inside the database layer: the shape of a SELECT statement's text, as far
// as a grid needs it to find each row again by the rowid of the table that
// drives the statement (the first table after the outermost FROM).

#include <optional>
#include <string>
#include <string_view>

namespace db {

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

// The statement with `expression AS name` added to the end of its select list.
std::string with_column(std::string_view sql, const SelectShape& shape,
                        const std::string& expression, const std::string& name);

// A name in double quotes, its quotes doubled.
std::string quoted_identifier(std::string_view name);

}  // namespace db
