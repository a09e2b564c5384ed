#pragma once
// A connection to one database file of the desktop programs: SQLite content
// under the old file names ("Ternova.mdb"), the old engine's SQL dialect
// accepted (see sql_dialect.h), its error numbers raised (database_error.h).
//
// A database file is never created by opening it: a missing file is an
// error that names it. Files are made only by the tools, from the schema SQL
// kept in the repository (create_file()).

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "database_error.h"
#include "recordset.h"
#include "runtime/value.h"
#include "sql_text.h"

struct sqlite3;

namespace db {

struct Connection;

struct OpenOptions {
    // How long a statement waits for another program's lock before it fails.
    int busy_timeout_ms = 2000;
};

class Database {
public:
    // Opening and closing a database.

    // A closed database; open() it later.
    Database();
    // Opens an existing database file (see open()).
    explicit Database(const std::filesystem::path& file, OpenOptions options = {});
    ~Database();
    Database(Database&&) noexcept;
    Database& operator=(Database&&) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the file, closing what was open before. The text of the
    // kGeneralError raised names the file when it is missing, unreadable, no
    // database, or locked by a compaction or by another program. Foreign keys
    // are enforced, the journal is a file deleted after each transaction (no
    // side files stay next to the database), text compares blind to case
    // where the schema says so, and the dialect's functions are there.
    void open(const std::filesystem::path& file, OpenOptions options = {});
    // Closes the connection and every recordset still open on it (they read
    // as closed afterwards). Closing a closed database does nothing.
    void close();
    bool is_open() const;
    // The file as it was given to open().
    const std::filesystem::path& file() const;

    // Running statements.

    // Runs one statement of the old dialect with its "?" parameters bound, or
    // a saved action query by its name, and returns the number of rows it
    // changed (RecordsAffected). The statement is translated once and kept
    // prepared for the next call with the same text.
    long execute(std::string_view sql, const Params& params = {});
    // The first column of the first row of a query, Null when there is no row.
    runtime::Value scalar(std::string_view sql, const Params& params = {});

    // Opening recordsets.

    // A recordset on a statement of the old dialect, on a table by its name
    // ("Riruzozs alta"), or on a saved query by its name ("Porcentaje_Tecnicos").
    // Names compare blind to case. See recordset.h for what it offers.
    Recordset open_recordset(std::string_view source, Cursor cursor = Cursor::Lazy,
                             const Params& params = {});

    // Transactions.

    // begin() opens a transaction (or, inside one, a nested savepoint);
    // commit() and rollback() end the innermost one. Prefer Transaction.
    void begin();
    void commit();
    void rollback();
    bool in_transaction() const;

    // The schema.

    // Whether a table or a saved query (view) of that name exists, blind to case.
    bool has_table(std::string_view name);
    bool has_view(std::string_view name);
    // The rowid of the row inserted last on this connection.
    long long last_insert_rowid() const;

    // Creating database files (for tools and tests only).

    // Creates a new file and runs the schema script in it (plain SQLite SQL,
    // many statements), all in one transaction. Fails, touching nothing, when
    // the file exists; a failing script leaves no file behind.
    static void create_file(const std::filesystem::path& file, std::string_view script);
    // Runs a script of plain SQLite statements on this database.
    void execute_script(std::string_view script);

    // The SQLite handle, for what this interface does not cover.
    sqlite3* handle() const;

private:
    friend class Recordset;
    friend class PagedRows;
    std::shared_ptr<Connection> connection_;
};

// A transaction that rolls back unless committed: every user action that
// writes runs inside one, so that it is done wholly or not at all.
//
//     db::Transaction transaction(database);
//     ... execute, AddNew, Update ...
//     transaction.commit();
class Transaction {
public:
    explicit Transaction(Database& database);
    ~Transaction();  // rolls back when commit() was not reached; never throws
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& database_;
    bool open_ = true;
};

// Whether an open file is the program's database: a file that opens but
// lacks one of `tables` (a zero-byte file has none) is someone else's, and
// kGeneralError is raised naming the file: "El archivo '...' no es la base
// de datos de PROGRAM."
void require_tables(Database& database, std::initializer_list<std::string_view> tables,
                    std::string_view program);

// Saved action queries.

// The table where a schema keeps its saved action queries (a query that
// changes rows, run by name through execute()): one row per query, its
// `name` and its `sql` text in the old dialect.
inline constexpr const char* kSavedActionsTable = "saved_actions";

}  // namespace db
