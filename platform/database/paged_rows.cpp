#include "paged_rows.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <regex>

#include "connection_impl.h"
#include "database.h"
#include "database_error.h"
#include "runtime/strings.h"
#include "select_shape.h"
#include "sql_dialect.h"

namespace db {

namespace {

constexpr const char* kKey = "__rowkey";
constexpr const char* kPosition = "__position";

Connection& connection_of(const std::shared_ptr<Connection>& connection) {
    if (!connection || !connection->handle)
        throw Error(kGeneralError, "La conexión con la base de datos está cerrada.");
    return *connection;
}

bool is_key(const std::string& name) {
    return runtime::equal_case_blind(name, kKey);
}

// The SELECT of a view's stored "CREATE VIEW name AS SELECT ...".
std::string view_body(const std::string& create) {
    static const std::regex head(R"(^\s*CREATE\s+VIEW\s+[\s\S]*?\bAS\s+(?=SELECT\b))",
                                 std::regex::icase);
    std::smatch match;
    if (!std::regex_search(create, match, head))
        return "";
    return create.substr(match.length(0));
}

// Field names as columns of one table: a name met before gets "#" and its place.
std::vector<std::string> distinct_names(const std::vector<std::string>& names) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < names.size(); ++i) {
        bool taken = is_key(names[i]) || runtime::equal_case_blind(names[i], kPosition);
        for (const std::string& before : out)
            taken = taken || runtime::equal_case_blind(before, names[i]);
        out.push_back(taken ? names[i] + "#" + std::to_string(i) : names[i]);
    }
    return out;
}

std::atomic<long> copies{0};

}  // namespace

PagedRows::PagedRows(Database& database, std::string_view source)
    : connection_(connection_of(database.connection_)) {
    // The statement stands inside others: no closing ";".
    std::string sql = source_statement(connection_, source);
    while (!sql.empty() &&
           (sql.back() == ';' || std::isspace(static_cast<unsigned char>(sql.back()))))
        sql.pop_back();
    choose_mode(sql);
    read_first_page();
}

PagedRows::~PagedRows() {
    if (counter_.joinable()) {
        if (!finished_.load())
            sqlite3_interrupt(connection_.handle);
        counter_.join();
    }
}

// Which way rows are found again. The views a statement names that are plain
// SELECTs over a table are given, for this connection only, a twin that adds
// the driving table's rowid; a statement that then yields exactly one such key
// a row is read by it.
void PagedRows::choose_mode(const std::string& sql) {
    // A statement that merges or groups its rows (DISTINCT, GROUP BY, UNION)
    // is copied: a key added to it would keep rows apart that it merges.
    const auto shape = plain_select_shape(sql);
    std::vector<std::string> twins;
    if (shape) {
        PooledStatement views = connection_.prepare(
            "SELECT v.name, v.sql FROM sqlite_master AS v WHERE v.type = 'view'");
        const std::string upper = runtime::ucase(sql);
        std::vector<std::pair<std::string, std::string>> named;
        while (views->step()) {
            std::string name = views->column(0).to_text();
            if (upper.find(runtime::ucase(name)) != std::string::npos)
                named.emplace_back(name, views->column(1).to_text());
        }
        views.release();
        for (const auto& [name, create] : named) {
            const std::string body = view_body(create);
            const auto shape = plain_select_shape(body);
            if (!shape || schema_name(connection_, shape->driver, "table").empty())
                continue;
            const std::string twin = "CREATE TEMP VIEW " + quoted_identifier(name) + " AS " +
                                     with_column(body, *shape, shape->qualifier + ".rowid", kKey);
            if (sqlite3_exec(connection_.handle, twin.c_str(), nullptr, nullptr, nullptr) ==
                SQLITE_OK)
                twins.push_back(name);
        }
    }

    auto key_columns = [](Statement& s) {
        std::vector<int> keys;
        for (int i = 0; i < s.column_count(); ++i)
            if (is_key(s.column_name(i)))
                keys.push_back(i);
        return keys;
    };
    std::unique_ptr<Statement> statement = std::make_unique<Statement>(connection_.handle, sql);
    std::vector<int> keys = key_columns(*statement);
    sql_ = sql;
    if (keys.empty()) {
        if (shape) {
            const bool twin = std::any_of(twins.begin(), twins.end(), [&](const std::string& t) {
                return runtime::equal_case_blind(t, shape->driver);
            });
            const bool table = !schema_name(connection_, shape->driver, "table").empty();
            if (twin || table) {
                const std::string keyed = with_column(
                    sql, *shape,
                    shape->qualifier + (twin ? "." + quoted_identifier(kKey) : ".rowid"), kKey);
                try {
                    auto candidate = std::make_unique<Statement>(connection_.handle, keyed);
                    if (key_columns(*candidate).size() == 1) {
                        statement = std::move(candidate);
                        sql_ = keyed;
                        keys = key_columns(*statement);
                    }
                } catch (const Error&) {
                    // A name the added column makes ambiguous: the rows are copied.
                }
            }
        }
    }
    mode_ = shape && keys.size() == 1 ? Mode::Keyed : Mode::Copied;
    key_column_ = mode_ == Mode::Keyed ? keys[0] : -1;
    for (int i = 0; i < statement->column_count(); ++i) {
        if (i == key_column_)
            continue;
        names_.push_back(statement->column_name(i));
        columns_.push_back(i);
    }
    if (mode_ == Mode::Keyed) {
        // Rows of one table, each found by its rowid: they can be written back.
        const std::string origin = statement->origin_table(key_column_);
        bool one_table = !origin.empty();
        for (int column : columns_)
            one_table = one_table && statement->origin_table(column) == origin;
        if (one_table && !schema_name(connection_, origin, "table").empty()) {
            table_ = origin;
            for (int column : columns_)
                target_columns_.push_back(statement->origin_column(column));
        }
    }
}

void PagedRows::read_first_page() {
    {
        PooledStatement first = connection_.prepare(sql_);
        while (static_cast<long>(first_rows_.size()) <= kPageRows && first->step()) {
            std::vector<runtime::Value> row;
            row.reserve(columns_.size());
            for (int column : columns_)
                row.push_back(first->column(column));
            first_rows_.push_back(std::move(row));
            if (mode_ == Mode::Keyed)
                first_keys_.push_back(sqlite3_column_int64(first->get(), key_column_));
        }
    }  // the statement is reset here: the file is free again
    if (static_cast<long>(first_rows_.size()) <= kPageRows) {
        one_page_ = true;
        count();
        settle();
        return;
    }
    first_rows_.pop_back();
    if (!first_keys_.empty())
        first_keys_.pop_back();
    counter_ = std::thread([this] { count(); });
}

void PagedRows::count() {
    try {
        if (mode_ == Mode::Keyed)
            count_keys();
        if (mode_ == Mode::Copied)
            copy_rows();
    } catch (const std::exception& error) {
        count_error_ = error.what();
        keys_ = first_keys_;
        count_ = static_cast<long>(first_rows_.size());
    }
    finished_.store(true, std::memory_order_release);
    publish_count();
}

void PagedRows::publish_count() {
    std::function<void()> call;
    {
        std::lock_guard<std::mutex> lock(callback_mutex_);
        if (count_known_.load(std::memory_order_acquire))
            return;
        count_known_.store(true, std::memory_order_release);
        call = std::move(callback_);
    }
    if (call)
        call();
}

// The statement that groups the rows: the statement itself, or the view it
// shows as it stands. "" when there is none.
std::string PagedRows::grouping_statement() {
    if (grouped_count_statement(sql_))
        return sql_;
    const std::vector<SqlToken> tokens = sql_tokens(sql_);
    if (tokens.size() != 4 || tokens[0].word != "SELECT" || tokens[1].word != "*" ||
        tokens[2].word != "FROM" || tokens[3].string)
        return "";
    Statement view(connection_.handle,
                   "SELECT sql FROM sqlite_master WHERE type = 'view' AND name = ? COLLATE NOCASE");
    view.bind(1, runtime::Value(tokens[3].quoted ? tokens[3].word
                                                 : sql_.substr(tokens[3].begin,
                                                               tokens[3].end - tokens[3].begin)));
    if (!view.step())
        return "";
    std::string body = view_body(view.column(0).to_text());
    return grouped_count_statement(body) ? body : "";
}

// One read of every row's key, nothing else. Keys that are no rowids (Null)
// or that repeat (a join that yields a table row twice) make the rows copied.
void PagedRows::count_keys() {
    std::vector<long long> keys;
    {
        Statement read(connection_.handle,
                       "SELECT " + quoted_identifier(kKey) + " FROM (" + sql_ + ")");
        bool rowids = true;
        while (rowids && read.step()) {
            rowids = sqlite3_column_type(read.get(), 0) == SQLITE_INTEGER;
            keys.push_back(sqlite3_column_int64(read.get(), 0));
        }
        if (!rowids) {
            mode_ = Mode::Copied;
            return;
        }
    }
    bool ascending = true;
    for (std::size_t i = 1; i < keys.size() && ascending; ++i)
        ascending = keys[i - 1] < keys[i];
    if (!ascending) {
        std::vector<long long> sorted = keys;
        std::sort(sorted.begin(), sorted.end());
        if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) {
            mode_ = Mode::Copied;
            return;
        }
    }
    keys_ = std::move(keys);
    count_ = static_cast<long>(keys_.size());
}

// The rows copied, as the statement yields them, into a temporary table
// numbered from 1; or, for a statement that groups and yields its groups in
// order as it reads them, counted only: its pages are then read from the
// statement itself.
void PagedRows::copy_rows() {
    if (one_page_ && key_column_ < 0) {
        // A source of one page: its rows are read already, and a statement
        // that groups a large table costs as much to run again.
        const std::string columns = create_copy();
        std::string marks;
        for (std::size_t i = 0; i < columns_.size(); ++i)
            marks += i ? ", ?" : "?";
        Statement insert(connection_.handle, "INSERT INTO temp." + quoted_identifier(copy_) + " (" +
                                                 columns + ") VALUES (" + marks + ")");
        for (const auto& row : first_rows_) {
            for (std::size_t i = 0; i < row.size(); ++i)
                insert.bind(static_cast<int>(i) + 1, row[i]);
            insert.step();
            insert.reset();
        }
        count_ = static_cast<long>(first_rows_.size());
        return;
    }
    // The groups are counted first, without the select list. Each read is
    // one of its own: the connection is shared, so no transaction is opened
    // across them. Should another connection change the rows in between, the
    // copy's count holds.
    const std::string grouping = grouping_statement();
    if (!grouping.empty()) {
        std::unique_ptr<Statement> groups;
        try {
            groups =
                std::make_unique<Statement>(connection_.handle, *grouped_count_statement(grouping));
        } catch (const Error&) {
            // A statement the count can't stand for (a group named by an
            // alias of the select list): the copy counts.
        }
        if (groups && groups->step()) {
            count_ = static_cast<long>(sqlite3_column_int64(groups->get(), 0));
            groups.reset();
            if (yields_rows_as_read(grouping)) {
                limited_ = grouping;
                mode_ = Mode::Limited;
                return;
            }
            publish_count();  // shown while the rows are copied
        }
    }
    fill_copy(create_copy());
}

// Whether the statement yields its rows in its order as it reads them, with
// no temporary tree to group or sort them first: an index gives the groups
// in order. Skipping such rows costs the reading alone, not the select list.
bool PagedRows::yields_rows_as_read(const std::string& statement) {
    Statement plan(connection_.handle, "EXPLAIN QUERY PLAN " + statement);
    while (plan.step())
        if (plan.column(3).to_text().find("TEMP B-TREE") != std::string::npos)
            return false;
    return true;
}

// The temporary table for the copy, a column for each of the statement's;
// its column list.
std::string PagedRows::create_copy() {
    Statement probe(connection_.handle, sql_);
    std::vector<std::string> names;
    for (int i = 0; i < probe.column_count(); ++i)
        names.push_back(probe.column_name(i));
    names = distinct_names(names);
    copy_ = "grid rows " + std::to_string(++copies);
    std::string columns, definition;
    for (const std::string& name : names) {
        columns += (columns.empty() ? "" : ", ") + quoted_identifier(name);
        definition += ", " + quoted_identifier(name) + " COLLATE " + kCaseBlindCollation;
    }
    const std::string create = "CREATE TEMP TABLE " + quoted_identifier(copy_) + " (" +
                               quoted_identifier(kPosition) + " INTEGER PRIMARY KEY" + definition +
                               ")";
    Statement(connection_.handle, create).step();
    return columns;
}

void PagedRows::fill_copy(const std::string& columns) {
    Statement fill(connection_.handle, "INSERT INTO temp." + quoted_identifier(copy_) + " (" +
                                           columns + ") SELECT * FROM (" + sql_ + ")");
    fill.step();
    count_ = static_cast<long>(sqlite3_changes(connection_.handle));
}

void PagedRows::settle() {
    if (settled_)
        return;
    if (counter_.joinable())
        counter_.join();
    settled_ = true;
    // From here on every row comes from its page, read afresh.
    if (count_error_.empty()) {
        first_rows_.clear();
        first_keys_.clear();
    }
}

const std::string& PagedRows::field_name(int field) const {
    if (field < 0 || field >= field_count())
        throw Error(kGeneralError, "Elemento no encontrado en esta colección.");
    return names_[field];
}

int PagedRows::field_position(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (runtime::equal_case_blind(names_[i], name))
            return static_cast<int>(i);
    return -1;
}

long PagedRows::rows_known() const {
    return counted() ? count_.load() : static_cast<long>(first_rows_.size());
}

long PagedRows::row_count() {
    // A count known before the copy ends: the copy is not waited for.
    if (!settled_ && counted() && !finished_.load(std::memory_order_acquire))
        return count_;
    settle();
    if (!count_error_.empty()) {
        const std::string error = std::move(count_error_);
        count_error_.clear();
        throw Error(kGeneralError, "No se pudieron contar los registros: " + error);
    }
    return count_;
}

void PagedRows::when_counted(std::function<void()> call) {
    {
        std::lock_guard<std::mutex> lock(callback_mutex_);
        if (!count_known_.load(std::memory_order_acquire)) {
            callback_ = std::move(call);
            return;
        }
    }
    call();
}

runtime::Value PagedRows::value(long row, int field) {
    if (field < 0 || field >= field_count())
        throw Error(kGeneralError, "No hay tal campo en los registros.");
    if (!settled_ && row >= 0 && row < static_cast<long>(first_rows_.size()) &&
        !finished_.load(std::memory_order_acquire))
        return first_rows_[row][field];
    settle();
    if (row < 0 || row >= count_)
        throw Error(kGeneralError, "No hay tal fila en los registros.");
    if (!count_error_.empty() || (mode_ == Mode::Copied && copy_.empty()))
        return row < static_cast<long>(first_rows_.size()) ? first_rows_[row][field]
                                                           : runtime::Value();
    const Page& found = page(row / kPageRows);
    return found.rows[row % kPageRows][field];
}

const PagedRows::Page& PagedRows::page(long number) {
    if (auto it = page_index_.find(number); it != page_index_.end()) {
        pages_.splice(pages_.begin(), pages_, it->second);
        return pages_.front();
    }
    const long begin = number * kPageRows;
    const long end = std::min<long>(count_, begin + kPageRows);
    Page fresh{number, std::vector<std::vector<runtime::Value>>(
                           end - begin, std::vector<runtime::Value>(columns_.size()))};
    if (mode_ == Mode::Keyed) {
        std::string marks;
        for (long i = 0; i < kPageRows; ++i)
            marks += i ? ", ?" : "?";
        PooledStatement read = connection_.prepare("SELECT * FROM (" + sql_ + ") WHERE " +
                                                   quoted_identifier(kKey) + " IN (" + marks + ")");
        std::unordered_map<long long, long> offsets;
        for (long i = 0; i < kPageRows; ++i) {
            if (begin + i < end) {
                read->bind(static_cast<int>(i) + 1, runtime::Value(keys_[begin + i]));
                offsets.emplace(keys_[begin + i], i);
            } else {
                read->bind(static_cast<int>(i) + 1, runtime::Value());
            }
        }
        while (read->step()) {
            auto at = offsets.find(sqlite3_column_int64(read->get(), key_column_));
            if (at == offsets.end())
                continue;
            for (std::size_t f = 0; f < columns_.size(); ++f)
                fresh.rows[at->second][f] = read->column(columns_[f]);
        }
    } else if (mode_ == Mode::Limited) {
        // The statement's rows from the page's first, the ones before it
        // skipped (the line break ends a comment the statement may end with).
        PooledStatement read = connection_.prepare(limited_ + "\nLIMIT ? OFFSET ?");
        read->bind(1, runtime::Value(static_cast<long long>(end - begin)));
        read->bind(2, runtime::Value(static_cast<long long>(begin)));
        for (long at = 0; at < end - begin && read->step(); ++at)
            for (std::size_t f = 0; f < columns_.size(); ++f)
                fresh.rows[at][f] = read->column(columns_[f]);
    } else {
        PooledStatement read =
            connection_.prepare("SELECT * FROM temp." + quoted_identifier(copy_) + " WHERE " +
                                quoted_identifier(kPosition) + " BETWEEN ? AND ? ORDER BY " +
                                quoted_identifier(kPosition));
        read->bind(1, runtime::Value(static_cast<long long>(begin + 1)));
        read->bind(2, runtime::Value(static_cast<long long>(end)));
        while (read->step()) {
            const long at = static_cast<long>(sqlite3_column_int64(read->get(), 0)) - 1 - begin;
            if (at < 0 || at >= end - begin)
                continue;
            for (std::size_t f = 0; f < columns_.size(); ++f)
                fresh.rows[at][f] = read->column(columns_[f] + 1);
        }
    }
    pages_.push_front(std::move(fresh));
    page_index_[number] = pages_.begin();
    while (pages_.size() > kCachedPages) {
        page_index_.erase(pages_.back().number);
        pages_.pop_back();
    }
    return pages_.front();
}

long PagedRows::position_of_key(long long key) const {
    if (std::is_sorted(keys_.begin(), keys_.end())) {
        auto it = std::lower_bound(keys_.begin(), keys_.end(), key);
        return it != keys_.end() && *it == key ? static_cast<long>(it - keys_.begin()) : -1;
    }
    auto it = std::find(keys_.begin(), keys_.end(), key);
    return it != keys_.end() ? static_cast<long>(it - keys_.begin()) : -1;
}

long PagedRows::find_first(std::string_view criteria) {
    settle();
    const std::string condition = connection_.translated(criteria);
    if (mode_ == Mode::Keyed) {
        PooledStatement find = connection_.prepare("SELECT " + quoted_identifier(kKey) + " FROM (" +
                                                   sql_ + ") WHERE (" + condition + ")");
        // The first key the statement yields, read in its own order.
        long best = -1;
        while (find->step()) {
            const long at = position_of_key(sqlite3_column_int64(find->get(), 0));
            if (at >= 0 && at < count_) {
                best = at;
                break;
            }
        }
        return best;
    }
    if (mode_ == Mode::Limited) {
        // A search goes through every row: they are copied for it once, and
        // read from the copy from then on, so rows and places agree.
        fill_copy(create_copy());
        mode_ = Mode::Copied;
        pages_.clear();
        page_index_.clear();
    }
    if (copy_.empty())
        return -1;
    // A field is named in the criteria as the copy's column of that field.
    PooledStatement find = connection_.prepare(
        "SELECT " + quoted_identifier(kPosition) + " FROM temp." + quoted_identifier(copy_) +
        " WHERE (" + condition + ") ORDER BY " + quoted_identifier(kPosition) + " LIMIT 1");
    return find->step() ? static_cast<long>(sqlite3_column_int64(find->get(), 0)) - 1 : -1;
}

void PagedRows::update(long row, const std::vector<std::pair<int, runtime::Value>>& fields) {
    settle();
    // The table is known at the opening; rows found again only by a copy
    // (a join that yields a row of it twice) can't be written back.
    if (table_.empty() || mode_ != Mode::Keyed)
        throw Error(kGeneralError, "No se puede actualizar: el recordset no es de una sola tabla.");
    if (row < 0 || row >= count_ || row >= static_cast<long>(keys_.size()))
        throw Error(kGeneralError, "No hay registro activo.");
    if (fields.empty())
        return;
    std::string sets;
    for (const auto& [field, value] : fields) {
        if (field < 0 || field >= field_count())
            throw Error(kGeneralError, "No hay tal campo en los registros.");
        sets += (sets.empty() ? "" : ", ") + quoted_identifier(target_columns_[field]) + " = ?";
    }
    PooledStatement write = connection_.prepare("UPDATE " + quoted_identifier(table_) + " SET " +
                                                sets + " WHERE rowid = ?");
    int index = 1;
    for (const auto& [field, value] : fields)
        write->bind(index++, value);
    write->bind(index, runtime::Value(keys_[row]));
    while (write->step()) {
    }
    if (auto it = page_index_.find(row / kPageRows); it != page_index_.end()) {
        pages_.erase(it->second);
        page_index_.erase(it);
    }
}

long PagedRows::cached_rows() const {
    long rows = static_cast<long>(first_rows_.size());
    for (const Page& p : pages_)
        rows += static_cast<long>(p.rows.size());
    return rows;
}

}  // namespace db
