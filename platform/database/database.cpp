#include "database.h"

#include <sqlite3.h>

#include <cctype>
#include <optional>
#include <regex>
#include <vector>

#include "connection_impl.h"
#include "recordset_impl.h"
#include "runtime/still_working.h"
#include "runtime/strings.h"
#include "sql_dialect.h"

namespace db {

// The connection and its statements.

void PooledStatement::release() noexcept {
    if (!statement_)
        return;
    statement_->reset();
    statement_->clear_bindings();
    if (connection_ && connection_->handle)
        connection_->idle[key_].push_back(std::move(statement_));
    statement_.reset();
}

Connection::~Connection() {
    close();
}

void Connection::check_open() const {
    if (!handle)
        throw Error(kGeneralError, "La conexión con la base de datos está cerrada.");
}

PooledStatement Connection::prepare(const std::string& sqlite_sql) {
    check_open();
    auto it = idle.find(sqlite_sql);
    if (it != idle.end() && !it->second.empty()) {
        std::unique_ptr<Statement> statement = std::move(it->second.back());
        it->second.pop_back();
        return PooledStatement(this, sqlite_sql, std::move(statement));
    }
    return PooledStatement(this, sqlite_sql, std::make_unique<Statement>(handle, sqlite_sql));
}

const std::string& Connection::translated(std::string_view old_sql) {
    std::string key(old_sql);
    auto it = translations.find(key);
    if (it == translations.end())
        it = translations.emplace(key, translate(old_sql)).first;
    return it->second;
}

PooledStatement Connection::prepare_old(std::string_view old_sql) {
    return prepare(translated(old_sql));
}

void Connection::close() noexcept {
    for (RecordsetImpl* recordset : std::set<RecordsetImpl*>(recordsets))
        recordset->close();
    recordsets.clear();
    idle.clear();
    if (handle)
        sqlite3_close_v2(handle);
    handle = nullptr;
    lock.reset();
    transaction_depth = 0;
}

namespace {

constexpr int kStatementStepsBetweenPulses = 20000;

int still_working_during_statement(void*) {
    runtime::still_working();
    return 0;  // never interrupts the statement
}

}  // namespace

sqlite3* open_sqlite_file(const std::filesystem::path& file, int busy_timeout_ms, bool read_only) {
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        throw Error(kGeneralError, "No se encontró la base de datos '" + file.string() + "'.");
    if (!std::filesystem::is_regular_file(file, error))
        throw Error(kGeneralError, "'" + file.string() + "' no es un archivo de base de datos.");
    sqlite3* handle = nullptr;
    // Never SQLITE_OPEN_CREATE: a missing file stays missing.
    int flags = read_only ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    int rc = sqlite3_open_v2(file.c_str(), &handle, flags, nullptr);
    auto fail = [&](const std::string& what) {
        std::string message = handle ? sqlite3_errmsg(handle) : sqlite3_errstr(rc);
        sqlite3_close_v2(handle);
        throw Error(kGeneralError, "No se pudo abrir la base de datos '" + file.string() + "' (" +
                                       what + "): " + message);
    };
    if (rc != SQLITE_OK)
        fail("apertura");
    sqlite3_extended_result_codes(handle, 1);
    sqlite3_busy_timeout(handle, busy_timeout_ms);
    // A long statement ("Borra Datos" on a full store) lets the windows draw.
    sqlite3_progress_handler(handle, kStatementStepsBetweenPulses, still_working_during_statement,
                             nullptr);
    try {
        register_dialect(handle);
    } catch (const Error&) {
        fail("funciones");
    }
    // Reading the schema proves the file is a database nobody holds exclusively.
    // Deleted rows are wiped from the pages a delete writes anyway; the pages it
    // frees keep their bytes until a compaction, as with the old engine. The
    // engine's build may wipe every freed page instead, which makes emptying a
    // store copy it whole through the journal.
    const char* setup =
        "PRAGMA foreign_keys = ON; PRAGMA secure_delete = FAST; "
        "SELECT count(*) FROM sqlite_master;";
    rc = sqlite3_exec(handle, setup, nullptr, nullptr, nullptr);
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
        fail("bloqueada por otro programa");
    if (rc != SQLITE_OK)
        fail("lectura");
    if (!read_only) {
        rc = sqlite3_exec(handle, "PRAGMA journal_mode = DELETE;", nullptr, nullptr, nullptr);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
            fail("bloqueada por otro programa");
        if (rc != SQLITE_OK)
            fail("diario");
    }
    return handle;
}

// Opening and closing a database.

Database::Database() = default;
Database::~Database() {
    close();
}
Database::Database(Database&&) noexcept = default;
Database& Database::operator=(Database&& other) noexcept {
    if (this != &other) {
        close();
        connection_ = std::move(other.connection_);
    }
    return *this;
}

Database::Database(const std::filesystem::path& file, OpenOptions options) {
    open(file, options);
}

void Database::open(const std::filesystem::path& file, OpenOptions options) {
    close();
    auto connection = std::make_shared<Connection>();
    connection->file = file;
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        throw Error(kGeneralError, "No se encontró la base de datos '" + file.string() + "'.");
    connection->lock = std::make_unique<SharedFileLock>(file);
    connection->handle = open_sqlite_file(file, options.busy_timeout_ms, false);
    connection_ = std::move(connection);
}

void Database::close() {
    if (connection_)
        connection_->close();
    connection_.reset();
}

bool Database::is_open() const {
    return connection_ && connection_->handle;
}

const std::filesystem::path& Database::file() const {
    static const std::filesystem::path none;
    return connection_ ? connection_->file : none;
}

sqlite3* Database::handle() const {
    return connection_ ? connection_->handle : nullptr;
}

namespace {

Connection& open_connection(const std::shared_ptr<Connection>& connection) {
    if (!connection || !connection->handle)
        throw Error(kGeneralError, "La conexión con la base de datos está cerrada.");
    return *connection;
}

bool starts_like_a_statement(std::string_view text) {
    std::string trimmed = runtime::trim(text);
    if (!trimmed.empty() && trimmed[0] == '(')
        return true;
    std::size_t end = 0;
    while (end < trimmed.size() && std::isalpha(static_cast<unsigned char>(trimmed[end])))
        ++end;
    if (end == trimmed.size() || trimmed[end] == '_')
        return false;
    std::string first = runtime::ucase(trimmed.substr(0, end));
    for (const char* word : {"SELECT", "INSERT", "UPDATE", "DELETE", "CREATE", "DROP", "WITH",
                             "PRAGMA", "ALTER", "REPLACE", "BEGIN", "COMMIT", "VACUUM"})
        if (first == word)
            return true;
    return false;
}

// A name as written by the program: "[Riruzozs alta]" or "Riruzozs alta".
std::string bare_name(std::string_view text) {
    std::string name = runtime::trim(text);
    while (!name.empty() && (name.back() == ';' || name.back() == ' '))
        name.pop_back();
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']')
        name = name.substr(1, name.size() - 2);
    return name;
}

}  // namespace

namespace {

bool word_equals_at(const std::string& text, std::size_t at, std::string_view word) {
    if (text.size() < at + word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[at + i])) != word[i])
            return false;
    return true;
}

struct ForeignKey {
    std::string child, column, on_delete;
};

// The foreign keys of every table that refer to `parent`.
std::vector<ForeignKey> keys_referring_to(Connection& connection, const std::string& parent) {
    std::vector<std::string> tables;
    {
        PooledStatement list = connection.prepare(
            "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'");
        while (list->step())
            tables.push_back(list->column(0).to_text());
    }
    std::vector<ForeignKey> keys;
    for (const std::string& table : tables) {
        PooledStatement list = connection.prepare(
            "SELECT \"table\", \"from\", on_delete FROM pragma_foreign_key_list(?)");
        list->bind(1, runtime::Value(table));
        while (list->step())
            if (runtime::equal_case_blind(list->column(0).to_text(), parent))
                keys.push_back({table, list->column(1).to_text(), list->column(2).to_text()});
    }
    return keys;
}

bool has_triggers(Connection& connection, const std::string& table) {
    PooledStatement find = connection.prepare(
        "SELECT 1 FROM sqlite_master WHERE type = 'trigger' AND tbl_name = ? COLLATE NOCASE");
    find->bind(1, runtime::Value(table));
    return find->step();
}

long long count_of(Connection& connection, const std::string& sql) {
    PooledStatement count = connection.prepare(sql);
    return count->step() ? sqlite3_column_int64(count->get(), 0) : 0;
}

void run(Connection& connection, const std::string& sql) {
    PooledStatement statement = connection.prepare(sql);
    while (statement->step()) {
    }
}

// Foreign keys left unenforced while alive, as they were afterwards.
class ForeignKeysOff {
public:
    explicit ForeignKeysOff(sqlite3* handle) : handle_(handle) {
        sqlite3_db_config(handle_, SQLITE_DBCONFIG_ENABLE_FKEY, -1, &before_);
        sqlite3_db_config(handle_, SQLITE_DBCONFIG_ENABLE_FKEY, 0, nullptr);
    }
    ~ForeignKeysOff() { sqlite3_db_config(handle_, SQLITE_DBCONFIG_ENABLE_FKEY, before_, nullptr); }
    ForeignKeysOff(const ForeignKeysOff&) = delete;
    ForeignKeysOff& operator=(const ForeignKeysOff&) = delete;

private:
    sqlite3* handle_;
    int before_ = 1;
};

}  // namespace

// "DELETE FROM t" with no WHERE on a table that other tables refer to, or
// that refers to others: SQLite then deletes row by row, its cascades too,
// where it would otherwise empty the table at once. When every table that
// refers to t deletes its rows with t's (ON DELETE CASCADE) and has no
// triggers nor tables of its own referring to it, the same end is reached at
// once: the rows the cascade would delete go first (all of a table's rows
// when none has its key Null), then t's rows, with the keys unenforced just
// for that, which the deletes can't break. A table referring to t without
// cascade must hold no row that refers to it. The count is t's rows, as the
// statement's own. Nothing when the statement is another or the rule does
// not hold: it then runs as it stands.
std::optional<long> empty_at_once(Connection& connection, const std::string& sql) {
    static const std::regex whole(
        R"re(^\s*DELETE\s+FROM\s+("(?:[^"]|"")+"|'(?:[^']|'')+'|\[[^\]]+\]|\w+)\s*;?\s*$)re",
        std::regex::icase);
    const std::size_t start = sql.find_first_not_of(" \t\r\n");
    if (start == std::string::npos || !word_equals_at(sql, start, "DELETE"))
        return std::nullopt;
    std::smatch match;
    if (!std::regex_match(sql, match, whole))
        return std::nullopt;
    std::string name = match[1].str();
    // A name in double quotes reaches here as the old dialect's literal.
    if (name.front() == '"' || name.front() == '[' || name.front() == '\'')
        name = name.substr(1, name.size() - 2);
    const std::string table = schema_name(connection, name, "table");
    if (table.empty() || has_triggers(connection, table))
        return std::nullopt;
    int enforced = 0;
    sqlite3_db_config(connection.handle, SQLITE_DBCONFIG_ENABLE_FKEY, -1, &enforced);
    if (!enforced)
        return std::nullopt;  // SQLite empties the table at once by itself
    const std::vector<ForeignKey> children = keys_referring_to(connection, table);
    std::vector<ForeignKey> cascades;
    for (const ForeignKey& key : children) {
        if (runtime::equal_case_blind(key.child, table))
            return std::nullopt;
        if (!runtime::equal_case_blind(key.on_delete, "CASCADE")) {
            // A table that keeps its rows: no row of it may refer to t.
            if (count_of(connection, "SELECT count(*) FROM \"" + key.child + "\" WHERE \"" +
                                         key.column + "\" IS NOT NULL") > 0)
                return std::nullopt;
            continue;
        }
        if (has_triggers(connection, key.child) ||
            !keys_referring_to(connection, key.child).empty())
            return std::nullopt;
        cascades.push_back(key);
    }

    const std::string savepoint = "emptying";
    run(connection, "SAVEPOINT " + savepoint);
    try {
        ForeignKeysOff off(connection.handle);
        for (const ForeignKey& key : cascades) {
            const std::string child = "\"" + key.child + "\"", column = "\"" + key.column + "\"";
            if (count_of(connection,
                         "SELECT count(*) FROM " + child + " WHERE " + column + " IS NULL") == 0)
                run(connection, "DELETE FROM " + child);
            else
                run(connection, "DELETE FROM " + child + " WHERE " + column + " IS NOT NULL");
        }
        run(connection, "DELETE FROM \"" + table + "\"");
        const long emptied = sqlite3_changes(connection.handle);
        run(connection, "RELEASE " + savepoint);
        return emptied;
    } catch (...) {
        sqlite3_exec(connection.handle,
                     ("ROLLBACK TO " + savepoint + "; RELEASE " + savepoint).c_str(), nullptr,
                     nullptr, nullptr);
        throw;
    }
}

// The schema object of that name and kind ("table", "view"), as spelled in the schema.
std::string schema_name(Connection& connection, std::string_view name, const char* type) {
    PooledStatement find = connection.prepare(
        "SELECT name FROM sqlite_master WHERE type = ? AND name = ? COLLATE CASEBLIND");
    find->bind(1, runtime::Value(type));
    find->bind(2, runtime::Value(name));
    return find->step() ? find->column(0).to_text() : std::string();
}

std::string source_statement(Connection& connection, std::string_view source) {
    if (!starts_like_a_statement(source)) {
        std::string name = bare_name(source);
        for (const char* type : {"table", "view"})
            if (std::string found = schema_name(connection, name, type); !found.empty())
                return "SELECT * FROM \"" + found + "\"";
    }
    return connection.translated(source);
}

// Running statements.

long Database::execute(std::string_view sql, const Params& params) {
    Connection& connection = open_connection(connection_);
    if (!starts_like_a_statement(sql)) {
        std::string name = bare_name(sql);
        if (!schema_name(connection, kSavedActionsTable, "table").empty()) {
            PooledStatement find =
                connection.prepare(std::string("SELECT sql FROM ") + kSavedActionsTable +
                                   " WHERE name = ? COLLATE CASEBLIND");
            find->bind(1, runtime::Value(name));
            if (find->step()) {
                std::string saved = find->column(0).to_text();
                find.release();
                return execute(saved, params);
            }
        }
    }
    if (params.empty())
        if (std::optional<long> emptied = empty_at_once(connection, connection.translated(sql)))
            return *emptied;
    PooledStatement statement = connection.prepare_old(sql);
    statement->bind_all(params);
    while (statement->step()) {
    }
    return sqlite3_changes(connection.handle);
}

runtime::Value Database::scalar(std::string_view sql, const Params& params) {
    Connection& connection = open_connection(connection_);
    PooledStatement statement = connection.prepare_old(sql);
    statement->bind_all(params);
    if (!statement->step() || statement->column_count() == 0)
        return {};
    return statement->column(0);
}

Recordset Database::open_recordset(std::string_view source, Cursor cursor, const Params& params) {
    Connection& connection = open_connection(connection_);
    std::unique_ptr<RecordsetImpl> impl;
    if (!starts_like_a_statement(source)) {
        std::string name = bare_name(source);
        std::string table = schema_name(connection, name, "table");
        if (!table.empty())
            impl = RecordsetImpl::open_table(connection_, table, cursor);
        else if (std::string view = schema_name(connection, name, "view"); !view.empty())
            impl = RecordsetImpl::open_sql(connection_, "SELECT * FROM \"" + view + "\"", cursor,
                                           params, false);
    }
    if (!impl)
        impl = RecordsetImpl::open_sql(connection_, std::string(source), cursor, params, true);
    return Recordset(std::move(impl));
}

// Transactions.

void Database::begin() {
    Connection& connection = open_connection(connection_);
    if (connection.transaction_depth == 0)
        execute_script("BEGIN IMMEDIATE;");
    else
        execute_script("SAVEPOINT level" + std::to_string(connection.transaction_depth) + ";");
    ++connection.transaction_depth;
}

void Database::commit() {
    Connection& connection = open_connection(connection_);
    if (connection.transaction_depth == 0)
        throw Error(kGeneralError, "No hay una transacción abierta.");
    int level = connection.transaction_depth - 1;
    execute_script(level == 0 ? "COMMIT;" : "RELEASE level" + std::to_string(level) + ";");
    --connection.transaction_depth;
}

void Database::rollback() {
    Connection& connection = open_connection(connection_);
    if (connection.transaction_depth == 0)
        throw Error(kGeneralError, "No hay una transacción abierta.");
    int level = connection.transaction_depth - 1;
    --connection.transaction_depth;
    if (level == 0) {
        if (!sqlite3_get_autocommit(connection.handle))
            execute_script("ROLLBACK;");
    } else {
        std::string name = "level" + std::to_string(level);
        execute_script("ROLLBACK TO " + name + "; RELEASE " + name + ";");
    }
}

bool Database::in_transaction() const {
    return connection_ && connection_->handle && connection_->transaction_depth > 0;
}

Transaction::Transaction(Database& database) : database_(database) {
    database_.begin();
}

Transaction::~Transaction() {
    if (!open_)
        return;
    try {
        database_.rollback();
    } catch (...) {
        // The connection is gone or the engine already rolled back: nothing is left to undo.
    }
}

void Transaction::commit() {
    if (!open_)
        throw Error(kGeneralError, "La transacción ya terminó.");
    open_ = false;
    database_.commit();
}

// The schema.

bool Database::has_table(std::string_view name) {
    return !schema_name(open_connection(connection_), name, "table").empty();
}

bool Database::has_view(std::string_view name) {
    return !schema_name(open_connection(connection_), name, "view").empty();
}

long long Database::last_insert_rowid() const {
    return sqlite3_last_insert_rowid(open_connection(connection_).handle);
}

void require_tables(Database& database, std::initializer_list<std::string_view> tables,
                    std::string_view program) {
    for (std::string_view table : tables) {
        if (!database.has_table(table) && !database.has_view(table))
            throw Error(kGeneralError, "El archivo '" + database.file().string() +
                                           "' no es la base de datos de " + std::string(program) +
                                           ".");
    }
}

// Creating database files.

void Database::execute_script(std::string_view script) {
    Connection& connection = open_connection(connection_);
    char* message = nullptr;
    std::string text(script);
    int rc = sqlite3_exec(connection.handle, text.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        std::string detail = message ? message : "";
        sqlite3_free(message);
        throw_sqlite_error(connection.handle, rc, detail);
    }
}

void Database::create_file(const std::filesystem::path& file, std::string_view script) {
    std::error_code error;
    if (std::filesystem::exists(file, error))
        throw Error(kGeneralError, "La base de datos '" + file.string() + "' ya existe.");
    sqlite3* handle = nullptr;
    int rc = sqlite3_open_v2(file.c_str(), &handle,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_EXCLUSIVE,
                             nullptr);
    std::string failure;
    if (rc == SQLITE_OK) {
        sqlite3_extended_result_codes(handle, 1);
        try {
            register_dialect(handle);
            std::string text = "PRAGMA journal_mode = DELETE; PRAGMA foreign_keys = ON; BEGIN;" +
                               std::string(script) + "\nCOMMIT;";
            char* message = nullptr;
            rc = sqlite3_exec(handle, text.c_str(), nullptr, nullptr, &message);
            if (rc != SQLITE_OK)
                failure = message ? message : sqlite3_errstr(rc);
            sqlite3_free(message);
        } catch (const Error& e) {
            failure = e.what();
        }
    } else {
        failure = handle ? sqlite3_errmsg(handle) : sqlite3_errstr(rc);
    }
    sqlite3_close_v2(handle);
    if (!failure.empty()) {
        std::filesystem::remove(file, error);
        std::filesystem::path journal = file;
        journal += "-journal";
        std::filesystem::remove(journal, error);
        throw Error(kGeneralError,
                    "No se pudo crear la base de datos '" + file.string() + "': " + failure);
    }
}

}  // namespace db
