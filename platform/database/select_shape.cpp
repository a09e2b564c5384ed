#include "select_shape.h"

#include <cctype>
#include <vector>

#include "runtime/strings.h"

namespace db {

namespace {

bool word_char(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' ||
           static_cast<unsigned char>(c) >= 0x80;
}

}  // namespace

std::vector<SqlToken> sql_tokens(std::string_view sql) {
    std::vector<SqlToken> tokens;
    int depth = 0;
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            while (i < sql.size() && sql[i] != '\n')
                ++i;
            continue;
        }
        SqlToken t;
        t.begin = i;
        t.depth = depth;
        if (c == '\'' || c == '"' || c == '`' || c == '[') {
            const char close = c == '[' ? ']' : c;
            std::string inner;
            ++i;
            while (i < sql.size()) {
                if (sql[i] == close) {
                    if (close != ']' && i + 1 < sql.size() && sql[i + 1] == close) {
                        inner += close;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                inner += sql[i++];
            }
            t.string = c == '\'';
            t.quoted = !t.string;
            t.word = inner;
        } else if (word_char(c)) {
            while (i < sql.size() && word_char(sql[i]))
                ++i;
            t.word = runtime::ucase(std::string(sql.substr(t.begin, i - t.begin)));
        } else {
            if (c == '(')
                ++depth;
            else if (c == ')')
                --depth;
            t.word = std::string(1, c);
            ++i;
        }
        t.end = i;
        tokens.push_back(std::move(t));
    }
    return tokens;
}

namespace {

bool is_bare(const SqlToken& t, const char* word) {
    return !t.quoted && !t.string && t.word == word;
}

}  // namespace

std::string quoted_identifier(std::string_view name) {
    std::string out = "\"";
    for (char c : name) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + "\"";
}

std::optional<SelectShape> plain_select_shape(std::string_view sql) {
    const std::vector<SqlToken> tokens = sql_tokens(sql);
    if (tokens.empty() || !is_bare(tokens[0], "SELECT"))
        return std::nullopt;
    static const char* const grouping[] = {"DISTINCT", "GROUP",  "HAVING", "UNION", "INTERSECT",
                                           "EXCEPT",   "WINDOW", "OVER",   "VALUES"};
    static const char* const aggregates[] = {"COUNT", "SUM",          "MIN",  "MAX",
                                             "AVG",   "GROUP_CONCAT", "TOTAL"};
    std::optional<std::size_t> from;
    for (std::size_t k = 0; k < tokens.size(); ++k) {
        const SqlToken& t = tokens[k];
        if (t.depth != 0 || t.quoted || t.string)
            continue;
        for (const char* word : grouping)
            if (t.word == word)
                return std::nullopt;
        if (!from)
            for (const char* word : aggregates)
                if (t.word == word && k + 1 < tokens.size() && tokens[k + 1].word == "(")
                    return std::nullopt;
        if (t.word == "FROM" && !from)
            from = k;
    }
    if (!from || *from + 1 >= tokens.size())
        return std::nullopt;
    std::size_t at = *from + 1;
    const SqlToken& table = tokens[at];
    if (!table.quoted && (table.string || !word_char(sql[table.begin])))
        return std::nullopt;  // a subquery or something else than a name
    SelectShape shape;
    shape.from = tokens[*from].begin;
    shape.driver =
        table.quoted ? table.word : std::string(sql.substr(table.begin, table.end - table.begin));
    if (at + 2 < tokens.size() && tokens[at + 1].word == ".")
        return std::nullopt;  // a name of another schema
    shape.qualifier = quoted_identifier(shape.driver);
    static const char* const not_aliases[] = {"LEFT",    "RIGHT", "FULL",    "INNER", "CROSS",
                                              "NATURAL", "JOIN",  "WHERE",   "ORDER", "LIMIT",
                                              "ON",      "USING", "INDEXED", "NOT",   "OUTER"};
    std::size_t next = at + 1;
    if (next < tokens.size() && is_bare(tokens[next], "AS"))
        ++next;
    if (next < tokens.size() && !tokens[next].string &&
        (tokens[next].quoted || word_char(sql[tokens[next].begin]))) {
        bool alias = true;
        for (const char* word : not_aliases)
            alias = alias && !is_bare(tokens[next], word);
        if (alias)
            shape.qualifier = tokens[next].quoted
                                  ? quoted_identifier(tokens[next].word)
                                  : std::string(sql.substr(tokens[next].begin,
                                                           tokens[next].end - tokens[next].begin));
    }
    return shape;
}

std::optional<std::string> grouped_count_statement(std::string_view sql) {
    if (sql.find("/*") != std::string_view::npos)
        return std::nullopt;
    const std::vector<SqlToken> tokens = sql_tokens(sql);
    if (tokens.size() < 2 || !is_bare(tokens[0], "SELECT") || is_bare(tokens[1], "DISTINCT"))
        return std::nullopt;
    static const char* const refused[] = {"HAVING", "LIMIT",  "UNION", "INTERSECT",
                                          "EXCEPT", "WINDOW", "VALUES"};
    std::optional<std::size_t> from, group, order;
    for (std::size_t k = 1; k < tokens.size(); ++k) {
        const SqlToken& t = tokens[k];
        if (t.depth != 0 || t.quoted || t.string)
            continue;
        for (const char* word : refused)
            if (t.word == word)
                return std::nullopt;
        const bool by = k + 1 < tokens.size() && is_bare(tokens[k + 1], "BY");
        if (t.word == "FROM" && !from)
            from = k;
        else if (t.word == "GROUP" && by && from && !group)
            group = k;
        else if (t.word == "ORDER" && by && group && !order)
            order = k;
        else if (group && !order && k > *group + 1 &&
                 std::isdigit(static_cast<unsigned char>(t.word[0])))
            return std::nullopt;  // a group named by its place in the select list
    }
    if (!from || !group)
        return std::nullopt;
    const std::size_t end = order ? tokens[*order].begin : sql.size();
    return "SELECT count(*) FROM (SELECT 1 " +
           std::string(sql.substr(tokens[*from].begin, end - tokens[*from].begin)) + ")";
}

std::string with_column(std::string_view sql, const SelectShape& shape,
                        const std::string& expression, const std::string& name) {
    std::string out(sql.substr(0, shape.from));
    while (!out.empty() && std::isspace(static_cast<unsigned char>(out.back())))
        out.pop_back();
    return out + ", " + expression + " AS " + quoted_identifier(name) + " " +
           std::string(sql.substr(shape.from));
}

}  // namespace db
