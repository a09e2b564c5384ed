#pragma once
// Inside the database layer: the state behind a Recordset. Not part of the
// interface; programs use recordset.h.

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "connection_impl.h"
#include "recordset.h"

namespace db {

class RecordsetImpl {
public:
    // A table by its schema name: read by pages of rowids, always updatable.
    static std::unique_ptr<RecordsetImpl> open_table(std::shared_ptr<Connection> connection,
                                                     const std::string& table, Cursor cursor);
    // A statement (of the old dialect when `old_dialect`); updatable when all
    // its columns come from one table.
    static std::unique_ptr<RecordsetImpl> open_sql(std::shared_ptr<Connection> connection,
                                                   const std::string& sql, Cursor cursor,
                                                   const Params& params, bool old_dialect);
    ~RecordsetImpl();
    void close() noexcept;

    void check_open() const;
    // Makes sure row `index` is read when it exists; false when there is none.
    // A forward-only recordset raises kGeneralError for a row it dropped.
    bool ensure(long index);
    // The rows read so far, dropped ones included.
    long read_count() const { return first + static_cast<long>(rows.size()); }
    // Row `index`, which ensure() made sure of.
    std::vector<runtime::Value>& row(long index) { return rows[index - first]; }
    const std::vector<runtime::Value>& row(long index) const { return rows[index - first]; }
    void read_all();
    long read_more(long count);
    void check_current() const;
    const runtime::Value& field(int position) const;
    int position_of(std::string_view name) const;
    void check_updatable() const;
    void begin_edit();
    void store_new_row();
    void store_edited_row();

    std::shared_ptr<Connection> connection;
    bool open = false;
    std::string table;   // the table the recordset changes; "" when read-only
    bool paged = false;  // a table read page by page
    bool has_rowid = false;
    std::vector<std::string> names, target_columns;
    std::vector<std::vector<runtime::Value>> rows;  // from row `first` on
    std::vector<long long> rowids;
    bool forward_only = false;  // rows left behind are dropped
    long first = 0;             // the position of rows.front()
    PooledStatement reader;     // a statement still being read
    long long last_rowid = LLONG_MIN;
    bool done = false;
    long position = 0;

    enum class Pending { None, New, Edit } pending = Pending::None;
    std::vector<runtime::Value> buffer;
    std::vector<bool> assigned;
    std::vector<bool> insert_mask, update_mask;
    PooledStatement insert_statement, update_statement;

private:
    RecordsetImpl() = default;
    bool fetch();                       // reads the next row or page; false at the end
    void drop_rows_before(long index);  // forward-only: what the cursor left behind
    void finish_opening(Cursor cursor);
};

}  // namespace db
