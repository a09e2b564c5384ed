#include "recordset.h"

#include <sqlite3.h>

#include <algorithm>
#include <regex>

#include "database_error.h"
#include "recordset_impl.h"
#include "runtime/strings.h"
#include "sql_dialect.h"

namespace db {

namespace {

constexpr long kPageRows = 512;

[[noreturn]] void no_current_row() {
    throw Error(kGeneralError, "No hay registro activo.");
}

std::string quoted_name(std::string_view name) {
    std::string out = "\"";
    for (char c : name) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + "\"";
}

// "SELECT a, b FROM t ..." with the rowid as a hidden first column, or "" when
// the statement's form does not allow adding it safely.
std::string with_rowid(const std::string& sql) {
    static const std::regex head(R"(^\s*SELECT\s+)", std::regex::icase);
    static const std::regex unsafe(R"(^\s*SELECT\s+(DISTINCT|ALL)\b|\b(ORDER|GROUP)\s+BY\s+\d)",
                                   std::regex::icase);
    std::smatch match;
    if (!std::regex_search(sql, match, head) || std::regex_search(sql, unsafe))
        return "";
    return "SELECT rowid, " + sql.substr(match.length(0));
}

}  // namespace

// Opening.

std::unique_ptr<RecordsetImpl> RecordsetImpl::open_table(std::shared_ptr<Connection> connection,
                                                         const std::string& table, Cursor cursor) {
    std::unique_ptr<RecordsetImpl> r(new RecordsetImpl);
    r->connection = std::move(connection);
    r->table = table;
    r->paged = true;
    r->has_rowid = true;
    PooledStatement probe =
        r->connection->prepare("SELECT rowid, * FROM " + quoted_name(table) + " LIMIT 0");
    for (int i = 1; i < probe->column_count(); ++i)
        r->names.push_back(probe->column_name(i));
    r->target_columns = r->names;
    r->finish_opening(cursor);
    return r;
}

std::unique_ptr<RecordsetImpl> RecordsetImpl::open_sql(std::shared_ptr<Connection> connection,
                                                       const std::string& sql, Cursor cursor,
                                                       const Params& params, bool old_dialect) {
    std::unique_ptr<RecordsetImpl> r(new RecordsetImpl);
    r->connection = std::move(connection);
    std::string text = old_dialect ? r->connection->translated(sql) : sql;
    std::string injected = with_rowid(text);
    if (!injected.empty()) {
        try {
            r->reader = r->connection->prepare(injected);
            r->has_rowid = true;
        } catch (const Error&) {
            // A join, a view or a compound statement: no single row to change.
        }
    }
    if (!r->reader)
        r->reader = r->connection->prepare(text);
    Statement& s = *r->reader;
    s.bind_all(params);
    int first = r->has_rowid ? 1 : 0;
    std::string origin;
    bool one_table = r->has_rowid;
    for (int i = first; i < s.column_count(); ++i) {
        r->names.push_back(s.column_name(i));
        r->target_columns.push_back(s.origin_column(i));
        std::string from = s.origin_table(i);
        if (from.empty() || (!origin.empty() && from != origin))
            one_table = false;
        if (origin.empty())
            origin = from;
    }
    // Over a view or a subquery the rowid has no table: nothing to change by it.
    if (one_table && !origin.empty() && s.origin_table(0) == origin)
        r->table = origin;
    r->finish_opening(cursor);
    return r;
}

void RecordsetImpl::finish_opening(Cursor cursor) {
    open = true;
    connection->recordsets.insert(this);
    forward_only = cursor == Cursor::ForwardOnly;
    if (cursor == Cursor::Static)
        read_all();
    else
        ensure(0);
}

RecordsetImpl::~RecordsetImpl() {
    close();
}

void RecordsetImpl::close() noexcept {
    if (!open)
        return;
    open = false;
    reader.release();
    insert_statement.release();
    update_statement.release();
    if (connection)
        connection->recordsets.erase(this);
    rows.clear();
    rowids.clear();
    first = 0;
    pending = Pending::None;
}

void RecordsetImpl::check_open() const {
    if (!open)
        throw Error(kGeneralError, "El recordset está cerrado.");
}

// Reading rows.

bool RecordsetImpl::fetch() {
    if (done)
        return false;
    if (paged) {
        PooledStatement page = connection->prepare("SELECT rowid, * FROM " + quoted_name(table) +
                                                   " WHERE rowid > ? ORDER BY rowid LIMIT " +
                                                   std::to_string(kPageRows));
        page->bind(1, runtime::Value(last_rowid));
        long read = 0;
        while (page->step()) {
            std::vector<runtime::Value> row;
            row.reserve(names.size());
            for (int i = 1; i <= static_cast<int>(names.size()); ++i)
                row.push_back(page->column(i));
            last_rowid = sqlite3_column_int64(page->get(), 0);
            rowids.push_back(last_rowid);
            rows.push_back(std::move(row));
            ++read;
        }
        if (read < kPageRows)
            done = true;
        return read > 0;
    }
    if (!reader || !reader->step()) {
        done = true;
        reader.release();
        return false;
    }
    int first = has_rowid ? 1 : 0;
    std::vector<runtime::Value> row;
    row.reserve(names.size());
    for (int i = first; i < first + static_cast<int>(names.size()); ++i)
        row.push_back(reader->column(i));
    rowids.push_back(has_rowid ? sqlite3_column_int64(reader->get(), 0) : 0);
    rows.push_back(std::move(row));
    return true;
}

void RecordsetImpl::drop_rows_before(long index) {
    long dropped = std::min(index, read_count()) - first;
    if (dropped <= 0)
        return;
    rows.erase(rows.begin(), rows.begin() + dropped);
    rowids.erase(rowids.begin(), rowids.begin() + dropped);
    first += dropped;
}

bool RecordsetImpl::ensure(long index) {
    if (index >= 0 && index < first)
        throw Error(kGeneralError, "El recordset solo avanza: la fila " + std::to_string(index) +
                                       " ya quedó atrás.");
    while (read_count() <= index) {
        if (forward_only)
            drop_rows_before(position);
        if (!fetch())
            return false;
    }
    return index >= 0;
}

void RecordsetImpl::read_all() {
    for (;;) {
        if (forward_only)
            drop_rows_before(read_count() - 1);  // only the last row stays
        if (!fetch())
            return;
    }
}

long RecordsetImpl::read_more(long count) {
    long before = read_count();
    ensure(before + count - 1);
    return read_count() - before;
}

void RecordsetImpl::check_current() const {
    check_open();
    if (position < first || position >= read_count())
        no_current_row();
}

const runtime::Value& RecordsetImpl::field(int position_) const {
    check_open();
    if (position_ < 0 || position_ >= static_cast<int>(names.size()))
        throw Error(kGeneralError, "Elemento no encontrado en esta colección: campo " +
                                       std::to_string(position_) + ".");
    if (pending != Pending::None)
        return buffer[position_];
    check_current();
    return row(position)[position_];
}

int RecordsetImpl::position_of(std::string_view name) const {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (runtime::equal_case_blind(names[i], name))
            return static_cast<int>(i);
    return -1;
}

// Changing rows.

void RecordsetImpl::check_updatable() const {
    check_open();
    if (table.empty() || forward_only)
        throw Error(kGeneralError, "No se puede actualizar: el recordset no es de una sola tabla.");
}

void RecordsetImpl::begin_edit() {
    check_updatable();
    check_current();
    buffer = rows[position];
    assigned.assign(names.size(), false);
    pending = Pending::Edit;
}

void RecordsetImpl::store_new_row() {
    if (!insert_statement || assigned != insert_mask) {
        std::string columns, marks;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (!assigned[i])
                continue;
            columns += (columns.empty() ? "" : ", ") + quoted_name(target_columns[i]);
            marks += marks.empty() ? "?" : ", ?";
        }
        std::string sql =
            "INSERT INTO " + quoted_name(table) +
            (columns.empty() ? " DEFAULT VALUES" : " (" + columns + ") VALUES (" + marks + ")");
        insert_statement = connection->prepare(sql);
        insert_mask = assigned;
    }
    int index = 1;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (assigned[i])
            insert_statement->bind(index++, buffer[i]);
    try {
        insert_statement->step();
    } catch (...) {
        insert_statement->reset();
        throw;
    }
    insert_statement->reset();
}

void RecordsetImpl::store_edited_row() {
    if (std::find(assigned.begin(), assigned.end(), true) == assigned.end())
        return;
    if (!update_statement || assigned != update_mask) {
        std::string sets;
        for (std::size_t i = 0; i < names.size(); ++i)
            if (assigned[i])
                sets += (sets.empty() ? "" : ", ") + quoted_name(target_columns[i]) + " = ?";
        update_statement = connection->prepare("UPDATE " + quoted_name(table) + " SET " + sets +
                                               " WHERE rowid = ?");
        update_mask = assigned;
    }
    int index = 1;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (assigned[i])
            update_statement->bind(index++, buffer[i]);
    update_statement->bind(index, runtime::Value(rowids[position]));
    try {
        update_statement->step();
    } catch (...) {
        update_statement->reset();
        throw;
    }
    update_statement->reset();
    rows[position] = buffer;
}

// The interface.

Recordset::Recordset() = default;
Recordset::Recordset(std::unique_ptr<RecordsetImpl> impl) : impl_(std::move(impl)) {}
Recordset::~Recordset() = default;
Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;

RecordsetImpl& Recordset::impl() const {
    if (!impl_ || !impl_->open)
        throw Error(kGeneralError, "El recordset está cerrado.");
    return *impl_;
}

void Recordset::close() {
    if (impl_)
        impl_->close();
}

bool Recordset::is_open() const {
    return impl_ && impl_->open;
}

bool Recordset::eof() {
    RecordsetImpl& r = impl();
    // Before the first row only an empty recordset is at its end as well.
    return !r.ensure(r.position < 0 ? 0 : r.position);
}

bool Recordset::bof() {
    RecordsetImpl& r = impl();
    // A forward-only recordset that dropped rows has rows.
    return r.position < 0 || (r.first == 0 && !r.ensure(0));
}

void Recordset::move_first() {
    RecordsetImpl& r = impl();
    if (!r.ensure(0))
        no_current_row();
    r.pending = RecordsetImpl::Pending::None;
    r.position = 0;
}

void Recordset::move_next() {
    RecordsetImpl& r = impl();
    if (eof())
        no_current_row();
    r.pending = RecordsetImpl::Pending::None;
    ++r.position;
    r.ensure(r.position);  // the new current row is read, and counted
}

void Recordset::move_previous() {
    RecordsetImpl& r = impl();
    if (r.forward_only)
        throw Error(kGeneralError, "El recordset solo avanza.");
    if (r.position < 0 || !r.ensure(0))
        no_current_row();
    r.pending = RecordsetImpl::Pending::None;
    --r.position;
}

void Recordset::move_last() {
    RecordsetImpl& r = impl();
    r.read_all();
    if (r.read_count() == 0)
        no_current_row();
    r.pending = RecordsetImpl::Pending::None;
    r.position = r.read_count() - 1;
}

long Recordset::absolute_position() const {
    RecordsetImpl& r = impl();
    return r.position >= 0 && r.position < r.read_count() ? r.position : -1;
}

void Recordset::move_to(long position) {
    RecordsetImpl& r = impl();
    if (position < 0 || !r.ensure(position))
        no_current_row();
    r.pending = RecordsetImpl::Pending::None;
    r.position = position;
}

long Recordset::record_count() const {
    return impl().read_count();
}

Bookmark Recordset::bookmark() const {
    RecordsetImpl& r = impl();
    r.check_current();
    return r.position;
}

void Recordset::move_to_bookmark(Bookmark bookmark) {
    move_to(bookmark);
}

bool Recordset::find_first(std::string_view criteria) {
    RecordsetImpl& r = impl();
    if (r.forward_only)
        throw Error(kGeneralError, "El recordset solo avanza: no se puede buscar en él.");
    // The criteria evaluated over one row at a time, the fields bound under their names.
    std::string fields;
    for (std::size_t i = 0; i < r.names.size(); ++i) {
        std::string name = r.names[i];
        for (std::size_t j = 0; j < i; ++j)
            if (runtime::equal_case_blind(r.names[j], name))
                name += "#" + std::to_string(i);
        fields += (i ? ", ?" : "?") + std::string(" COLLATE ") + kCaseBlindCollation + " AS " +
                  quoted_name(name);
    }
    PooledStatement probe = r.connection->prepare("SELECT (" + r.connection->translated(criteria) +
                                                  ") FROM (SELECT " + fields + ")");
    for (long row = 0; r.ensure(row); ++row) {
        for (std::size_t i = 0; i < r.names.size(); ++i)
            probe->bind(static_cast<int>(i) + 1, r.row(row)[i]);
        bool found = false;
        if (probe->step()) {
            runtime::Value v = probe->column(0);
            found = !v.is_null() && sqlite3_column_double(probe->get(), 0) != 0;
        }
        probe->reset();
        if (found) {
            r.pending = RecordsetImpl::Pending::None;
            r.position = row;
            return true;
        }
    }
    return false;
}

int Recordset::field_count() const {
    return static_cast<int>(impl().names.size());
}

std::string Recordset::field_name(int position) const {
    RecordsetImpl& r = impl();
    if (position < 0 || position >= static_cast<int>(r.names.size()))
        throw Error(kGeneralError, "Elemento no encontrado en esta colección.");
    return r.names[position];
}

const runtime::Value& Recordset::operator[](int position) const {
    return impl().field(position);
}

const runtime::Value& Recordset::operator[](std::string_view name) const {
    RecordsetImpl& r = impl();
    int position = r.position_of(name);
    if (position < 0)
        throw Error(kGeneralError,
                    "Elemento no encontrado en esta colección: " + std::string(name) + ".");
    return r.field(position);
}

int Recordset::field_position(std::string_view name) const {
    return impl().position_of(name);
}

long Recordset::read_more(long count) {
    return impl().read_more(count);
}
bool Recordset::all_rows_read() const {
    return impl().done;
}

const runtime::Value& Recordset::value_at(long row, int position) const {
    RecordsetImpl& r = impl();
    if (row < r.first || row >= r.read_count() || position < 0 ||
        position >= static_cast<int>(r.names.size()))
        throw Error(kGeneralError, "No hay tal fila o campo en el recordset.");
    return r.row(row)[position];
}

bool Recordset::updatable() const {
    return !impl().table.empty() && !impl().forward_only;
}

void Recordset::add_new() {
    RecordsetImpl& r = impl();
    r.check_updatable();
    r.buffer.assign(r.names.size(), runtime::Value());
    r.assigned.assign(r.names.size(), false);
    r.pending = RecordsetImpl::Pending::New;
}

void Recordset::edit() {
    impl().begin_edit();
}

void Recordset::set(int position, runtime::Value value) {
    RecordsetImpl& r = impl();
    if (position < 0 || position >= static_cast<int>(r.names.size()))
        throw Error(kGeneralError, "Elemento no encontrado en esta colección: campo " +
                                       std::to_string(position) + ".");
    if (r.pending == RecordsetImpl::Pending::None)
        r.begin_edit();
    r.buffer[position] = std::move(value);
    r.assigned[position] = true;
}

void Recordset::set(std::string_view name, runtime::Value value) {
    int position = impl().position_of(name);
    if (position < 0)
        throw Error(kGeneralError,
                    "Elemento no encontrado en esta colección: " + std::string(name) + ".");
    set(position, std::move(value));
}

void Recordset::update() {
    RecordsetImpl& r = impl();
    if (r.pending == RecordsetImpl::Pending::None)
        return;
    r.check_updatable();
    // A statement still being read must not see its own table change under it.
    if (!r.paged)
        r.read_all();
    if (r.pending == RecordsetImpl::Pending::New)
        r.store_new_row();
    else
        r.store_edited_row();
    r.pending = RecordsetImpl::Pending::None;
}

void Recordset::cancel_update() {
    impl().pending = RecordsetImpl::Pending::None;
}

void Recordset::delete_current() {
    RecordsetImpl& r = impl();
    r.check_updatable();
    r.check_current();
    if (!r.paged)
        r.read_all();
    PooledStatement remove =
        r.connection->prepare("DELETE FROM " + quoted_name(r.table) + " WHERE rowid = ?");
    remove->bind(1, runtime::Value(r.rowids[r.position]));
    remove->step();
    r.rows.erase(r.rows.begin() + r.position);
    r.rowids.erase(r.rowids.begin() + r.position);
    r.pending = RecordsetImpl::Pending::None;
}

}  // namespace db
