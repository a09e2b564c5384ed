#include "sql_dialect.h"

#include <sqlite3.h>

#include <cctype>
#include <initializer_list>
#include <optional>
#include <vector>

#include "database_error.h"
#include "runtime/conversions.h"
#include "runtime/format.h"
#include "runtime/strings.h"
#include "select_shape.h"

namespace db {

namespace {

bool is_word_char(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || u >= 0x80;
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool word_equals(std::string_view sql, std::size_t pos, std::string_view word) {
    if (pos + word.size() > sql.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if ((sql[pos + i] | 0x20) != (word[i] | 0x20))
            return false;
    return pos + word.size() == sql.size() || !is_word_char(sql[pos + word.size()]);
}

std::size_t skip_blanks(std::string_view sql, std::size_t pos) {
    while (pos < sql.size() &&
           (sql[pos] == ' ' || sql[pos] == '\t' || sql[pos] == '\n' || sql[pos] == '\r'))
        ++pos;
    return pos;
}

bool any_of_words(const SqlToken& t, std::initializer_list<const char*> words) {
    if (t.quoted || t.string)
        return false;
    for (const char* word : words)
        if (t.word == word)
            return true;
    return false;
}

// "x like '*'" lets every value of x through but Null, and is 1 or Null as
// the function would give: it becomes "(x IS NOT NULL OR NULL)", which is
// the same value without a call a row ("not like '*'" as well). Only where
// x is a name and nothing around binds tighter than LIKE.
std::string with_plain_null_tests(const std::string& sql) {
    if (sql.find('*') == std::string::npos)
        return sql;
    const std::vector<SqlToken> tokens = sql_tokens(sql);
    struct Change {
        std::size_t begin, end;
        std::string text;
    };
    std::vector<Change> changes;
    for (std::size_t k = 1; k + 1 < tokens.size(); ++k) {
        // The whole literal '*' (or "*"): a text left open is no pattern.
        const SqlToken& pattern = tokens[k + 1];
        if (!any_of_words(tokens[k], {"LIKE"}) || !pattern.string || pattern.word != "*" ||
            pattern.end - pattern.begin != 3)
            continue;
        if (k + 2 < tokens.size() &&
            !any_of_words(tokens[k + 2],
                          {"AND", "OR", "ORDER", "GROUP", "LIMIT", "THEN", "ELSE", "END", "WHEN",
                           "HAVING", "UNION", "EXCEPT", "INTERSECT", "WINDOW", ")", ",", ";"}))
            continue;
        std::size_t name = k - 1;
        const bool negated = any_of_words(tokens[name], {"NOT"});
        if (negated) {
            if (name == 0)
                continue;
            --name;
        }
        const SqlToken& n = tokens[name];
        const bool is_name =
            n.quoted || (!n.string && (std::isalpha(static_cast<unsigned char>(sql[n.begin])) ||
                                       sql[n.begin] == '_'));
        if (!is_name || any_of_words(n, {"NOT", "AND", "OR", "WHERE", "LIKE"}))
            continue;
        std::size_t first = name;
        while (first >= 2 && tokens[first - 1].word == "." && !tokens[first - 1].quoted)
            first -= 2;
        if (first > 0 &&
            !any_of_words(tokens[first - 1], {"WHERE", "AND", "OR", "NOT", "ON", "WHEN", "THEN",
                                              "ELSE", "HAVING", "SELECT", "(", ","}))
            continue;
        const std::string operand = sql.substr(tokens[first].begin, n.end - tokens[first].begin);
        changes.push_back(
            {tokens[first].begin, tokens[k + 1].end,
             std::string(negated ? "NOT " : "") + "(" + operand + " IS NOT NULL OR NULL)"});
    }
    std::string out = sql;
    for (auto it = changes.rbegin(); it != changes.rend(); ++it)
        out.replace(it->begin, it->end - it->begin, it->text);
    return out;
}

}  // namespace

std::string translate(std::string_view sql) {
    std::string out;
    out.reserve(sql.size() + 8);
    std::size_t i = 0;
    while (i < sql.size()) {
        char c = sql[i];
        if (c == '\'') {  // a literal of the new form: copied, '' included
            std::size_t j = i + 1;
            while (j < sql.size()) {
                if (sql[j] == '\'' && j + 1 < sql.size() && sql[j + 1] == '\'')
                    j += 2;
                else if (sql[j] == '\'')
                    break;
                else
                    ++j;
            }
            out.append(sql.substr(i, j + 1 - i));
            i = j + 1;
        } else if (c == '"') {  // a literal of the old form
            std::string literal = "'";
            std::size_t j = i + 1;
            for (; j < sql.size(); ++j) {
                if (sql[j] == '"') {
                    if (j + 1 < sql.size() && sql[j + 1] == '"') {
                        literal += '"';
                        ++j;
                        continue;
                    }
                    break;
                }
                literal += sql[j];
                if (sql[j] == '\'')
                    literal += '\'';
            }
            out += literal + "'";
            i = j + 1;
        } else if (c == '[') {  // a bracketed name
            std::size_t j = sql.find(']', i);
            if (j == std::string_view::npos)
                j = sql.size() - 1;
            out.append(sql.substr(i, j + 1 - i));
            i = j + 1;
        } else if (is_digit(c) && (i == 0 || !is_word_char(sql[i - 1]))) {
            std::size_t j = i;
            while (j < sql.size() && is_digit(sql[j]))
                ++j;
            if (j < sql.size() && sql[j] == '.') {
                ++j;
                while (j < sql.size() && is_digit(sql[j]))
                    ++j;
            }
            if (j < sql.size() && (sql[j] == 'e' || sql[j] == 'E')) {
                std::size_t k = j + 1;
                if (k < sql.size() && (sql[k] == '+' || sql[k] == '-'))
                    ++k;
                if (k < sql.size() && is_digit(sql[k])) {
                    while (k < sql.size() && is_digit(sql[k]))
                        ++k;
                    j = k;
                }
            }
            out.append(sql.substr(i, j - i));
            if (j < sql.size() && is_word_char(sql[j]))
                out += ' ';
            i = j;
        } else if (is_word_char(c)) {
            std::size_t j = i;
            while (j < sql.size() && is_word_char(sql[j]))
                ++j;
            out.append(sql.substr(i, j - i));
            if (word_equals(sql, i, "DELETE")) {
                std::size_t star = skip_blanks(sql, j);
                if (star < sql.size() && sql[star] == '*') {
                    std::size_t from = skip_blanks(sql, star + 1);
                    if (word_equals(sql, from, "FROM")) {
                        out += ' ';
                        j = from;
                    }
                }
            }
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    return with_plain_null_tests(out);
}

namespace {

struct PatternItem {
    enum Kind { Any, One, Digit, Set, Literal } kind;
    explicit PatternItem(Kind k, char32_t c = 0) : kind(k), literal(c) {}
    char32_t literal = 0;
    bool negated = false;
    std::vector<std::pair<char32_t, char32_t>> ranges;

    bool matches(char32_t c) const {
        switch (kind) {
            case One:
                return true;
            case Digit:
                return c >= U'0' && c <= U'9';
            case Literal:
                return runtime::fold_case(c) == literal;
            case Set: {
                char32_t f = runtime::fold_case(c);
                bool in = false;
                for (auto [low, high] : ranges)
                    in = in || (f >= low && f <= high);
                return in != negated;
            }
            case Any:
                break;
        }
        return false;
    }
};

std::vector<char32_t> code_points(std::string_view text) {
    std::vector<char32_t> out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size())
        out.push_back(runtime::next_code_point(text, pos));
    return out;
}

std::vector<PatternItem> parse_pattern(std::string_view pattern) {
    std::vector<char32_t> p = code_points(pattern);
    std::vector<PatternItem> items;
    for (std::size_t i = 0; i < p.size(); ++i) {
        char32_t c = p[i];
        if (c == U'*') {
            if (items.empty() || items.back().kind != PatternItem::Any)
                items.push_back(PatternItem(PatternItem::Any));
        } else if (c == U'?') {
            items.push_back(PatternItem(PatternItem::One));
        } else if (c == U'#') {
            items.push_back(PatternItem(PatternItem::Digit));
        } else if (c == U'[') {
            std::size_t close = i + 1;
            while (close < p.size() && p[close] != U']')
                ++close;
            if (close >= p.size()) {  // no closing bracket: a plain "["
                items.push_back(PatternItem(PatternItem::Literal, runtime::fold_case(c)));
                continue;
            }
            PatternItem set(PatternItem::Set);
            std::size_t k = i + 1;
            if (k < close && p[k] == U'!') {
                set.negated = true;
                ++k;
            }
            for (; k < close; ++k) {
                char32_t low = runtime::fold_case(p[k]), high = low;
                if (k + 2 < close && p[k + 1] == U'-') {
                    high = runtime::fold_case(p[k + 2]);
                    k += 2;
                }
                set.ranges.push_back({low, high});
            }
            if (set.ranges.empty() && !set.negated) {
                i = close;  // "[]" stands for nothing
                continue;
            }
            items.push_back(set);
            i = close;
        } else {
            items.push_back(PatternItem(PatternItem::Literal, runtime::fold_case(c)));
        }
    }
    return items;
}

}  // namespace

namespace {

// A pattern read once: its items, and whether it lets every text through
// ("*"), the case of every filter left empty.
struct CompiledPattern {
    std::vector<PatternItem> items;
    bool any_text = false;
};

CompiledPattern compile_pattern(std::string_view pattern) {
    CompiledPattern compiled;
    compiled.items = parse_pattern(pattern);
    compiled.any_text = compiled.items.size() == 1 && compiled.items[0].kind == PatternItem::Any;
    return compiled;
}

// Matching with one remembered star, moved on when the rest fails; the text
// is walked in place, a code point at a time.
bool matches(const CompiledPattern& pattern, std::string_view text) {
    if (pattern.any_text)
        return true;
    const std::vector<PatternItem>& items = pattern.items;
    std::size_t pi = 0, ti = 0, star = std::string::npos, star_text = 0;
    while (ti < text.size()) {
        if (pi < items.size() && items[pi].kind == PatternItem::Any) {
            star = pi++;
            star_text = ti;
            continue;
        }
        std::size_t next = ti;
        const char32_t c = runtime::next_code_point(text, next);
        if (pi < items.size() && items[pi].matches(c)) {
            ++pi;
            ti = next;
        } else if (star != std::string::npos) {
            pi = star + 1;
            runtime::next_code_point(text, star_text);
            ti = star_text;
        } else {
            return false;
        }
    }
    while (pi < items.size() && items[pi].kind == PatternItem::Any)
        ++pi;
    return pi == items.size();
}

}  // namespace

bool like_matches(std::string_view pattern, std::string_view text) {
    return matches(compile_pattern(pattern), text);
}

namespace {

std::string_view text_of(sqlite3_value* v) {
    const unsigned char* t = sqlite3_value_text(v);
    return t ? std::string_view(reinterpret_cast<const char*>(t), sqlite3_value_bytes(v))
             : std::string_view();
}

// The argument as the runtime's value: numbers as numbers, the rest as text.
runtime::Value value_of(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
        case SQLITE_NULL:
            return {};
        case SQLITE_INTEGER:
            return runtime::Value(static_cast<long long>(sqlite3_value_int64(v)));
        case SQLITE_FLOAT:
            return runtime::Value(sqlite3_value_double(v));
        default:
            return runtime::Value(text_of(v));
    }
}

std::optional<runtime::DateSerial> date_argument(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
        case SQLITE_NULL:
            return std::nullopt;
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            return sqlite3_value_double(v);
        default:
            return runtime::parse_date(text_of(v));
    }
}

// The pattern of a statement is compiled once and kept with it.
void like_function(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(context);
    auto* pattern = static_cast<CompiledPattern*>(sqlite3_get_auxdata(context, 0));
    if (!pattern) {
        pattern = new CompiledPattern(compile_pattern(text_of(argv[0])));
        sqlite3_set_auxdata(context, 0, pattern,
                            [](void* p) { delete static_cast<CompiledPattern*>(p); });
        // SQLite may have dropped it at once (a pattern that is no constant).
        pattern = static_cast<CompiledPattern*>(sqlite3_get_auxdata(context, 0));
        if (!pattern) {
            sqlite3_result_int(context, like_matches(text_of(argv[0]), text_of(argv[1])) ? 1 : 0);
            return;
        }
    }
    sqlite3_result_int(context, matches(*pattern, text_of(argv[1])) ? 1 : 0);
}

template <int (*Part)(runtime::DateSerial)>
void date_part_function(sqlite3_context* context, int, sqlite3_value** argv) {
    auto date = date_argument(argv[0]);
    if (!date)
        return sqlite3_result_null(context);
    sqlite3_result_int(context, Part(*date));
}

void cdate_function(sqlite3_context* context, int, sqlite3_value** argv) {
    auto date = date_argument(argv[0]);
    if (!date)
        return sqlite3_result_null(context);
    sqlite3_result_double(context, *date);
}

void format_function(sqlite3_context* context, int, sqlite3_value** argv) {
    runtime::Value value = value_of(argv[0]);
    if (value.is_null())
        return sqlite3_result_null(context);
    try {
        std::string text = runtime::format(value, text_of(argv[1]));
        sqlite3_result_text(context, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    } catch (const std::exception& e) {
        sqlite3_result_error(context, e.what(), -1);
    }
}

int case_blind_collation(void*, int n1, const void* s1, int n2, const void* s2) {
    return runtime::compare_case_blind(std::string_view(static_cast<const char*>(s1), n1),
                                       std::string_view(static_cast<const char*>(s2), n2));
}

void check(sqlite3* handle, int rc, const char* what) {
    if (rc != SQLITE_OK)
        throw_sqlite_error(handle, rc, what);
}

}  // namespace

void register_dialect(sqlite3* handle) {
    constexpr int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    check(handle,
          sqlite3_create_collation(handle, kCaseBlindCollation, SQLITE_UTF8, nullptr,
                                   case_blind_collation),
          "collation");
    struct Function {
        const char* name;
        int arguments;
        void (*call)(sqlite3_context*, int, sqlite3_value**);
    };
    const Function functions[] = {
        {"like", 2, like_function},
        {"month", 1, date_part_function<runtime::month_of>},
        {"year", 1, date_part_function<runtime::year_of>},
        {"day", 1, date_part_function<runtime::day_of>},
        {"hour", 1, date_part_function<runtime::hour_of>},
        {"minute", 1, date_part_function<runtime::minute_of>},
        {"cdate", 1, cdate_function},
        {"format", 2, format_function},
    };
    for (const Function& f : functions)
        check(handle,
              sqlite3_create_function(handle, f.name, f.arguments, flags, nullptr, f.call, nullptr,
                                      nullptr),
              f.name);
}

}  // namespace db
