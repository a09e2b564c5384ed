#pragma once
// Recordsets as the programs used them through ADO, DAO and the data
// controls: rows read from a statement, a table or a saved query, a current
// row moved through them, fields read by name or position, and rows added,
// changed and deleted when the recordset stands over one table.
//
// Rows are read as the cursor reaches them and kept, so moving back, to a
// bookmark or to a position is cheap; a recordset over a million rows opens
// without reading them.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/value.h"
#include "sql_text.h"

namespace db {

class RecordsetImpl;
class Database;

// How rows are read.
enum class Cursor {
    // As the cursor reaches them (DAO, the data controls): record_count() is
    // the number of rows read so far, as the old engine reported it.
    Lazy,
    // All at once when the recordset opens (an ADO static cursor):
    // record_count() is the whole count from the start.
    Static,
    // As the cursor reaches them, keeping only the current row (DAO's
    // forward-only snapshot), so that reading a million rows takes the memory
    // of one: record_count() is the rows passed so far. Read-only; moving
    // back to a row already left, and finding, raise kGeneralError.
    ForwardOnly,
};

// A row's place, to come back to it (Bookmark of the old recordsets).
using Bookmark = long;

class Recordset {
public:
    Recordset();  // a closed recordset
    ~Recordset();
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Opening and closing: Database::open_recordset() opens one.

    // Closes it (pending changes are dropped). Closing twice does nothing;
    // everything else on a closed recordset raises kGeneralError.
    void close();
    bool is_open() const;

    // Position. A recordset without rows is at BOF and EOF at once; one with
    // rows opens on its first row. Moving where no row is (MoveNext at EOF,
    // MovePrevious at BOF, MoveFirst or MoveLast without rows) raises
    // kGeneralError ("No hay registro activo."), as did the old engine.

    bool eof();  // past the last row
    bool bof();  // before the first row
    void move_first();
    void move_next();
    void move_previous();
    void move_last();  // reads every row
    // The current row's 0-based position (AbsolutePosition of DAO; ADO's is
    // this + 1); -1 at BOF or EOF.
    long absolute_position() const;
    // Moves to the 0-based position; one where no row is raises kGeneralError.
    void move_to(long position);
    // The rows read so far (Cursor::Lazy) or all rows (Cursor::Static).
    long record_count() const;
    Bookmark bookmark() const;  // raises kGeneralError without a current row
    void move_to_bookmark(Bookmark bookmark);

    // Finding rows.

    // FindFirst: makes current the first row, from the start, for which the
    // criteria text of the old dialect holds ("[nombre] like 'ANA*'"); field
    // names stand for the row's values, text compares blind to case. True when
    // found; false (NoMatch) leaves the current row where it was.
    bool find_first(std::string_view criteria);

    // Fields.

    int field_count() const;
    std::string field_name(int position) const;
    // The current row's value by position from 0 or by name (blind to case);
    // while a row is being added or edited, the value it will get. An unknown
    // name or position raises kGeneralError; no current row as well.
    const runtime::Value& operator[](int position) const;
    const runtime::Value& operator[](std::string_view name) const;
    // The position of a field's name, -1 when there is none.
    int field_position(std::string_view name) const;

    // Reading rows without moving (for grids that show many rows).

    // Reads up to `count` more rows; returns how many came.
    long read_more(long count);
    bool all_rows_read() const;
    // A value of a row already read (0-based row and field).
    const runtime::Value& value_at(long row, int position) const;

    // Changing rows. Only a recordset over one table can change it: a table
    // opened by name, or a statement whose columns all come from one table
    // ("SELECT * FROM Prioridades ORDER BY num"); others raise kGeneralError.
    // Failures of the engine raise its errors (kDuplicateKey,
    // kRelatedRecordRequired). Statements are prepared once per recordset and
    // reused for every row.

    bool updatable() const;
    // AddNew: starts a new row, all fields Null; set() fills it, update() stores it.
    void add_new();
    // Edit: starts changing the current row (set() starts it too, as in ADO).
    void edit();
    // Sets a field of the new or edited row.
    void set(int position, runtime::Value value);
    void set(std::string_view name, runtime::Value value);
    // Update: stores the new row (only the fields set; the others take their
    // defaults) or the edited fields of the current row. The new row is not
    // added to the rows already read and the current row stays as it was;
    // an edited row shows its new values. Nothing pending: nothing happens.
    void update();
    // CancelUpdate: drops the pending new or edited row.
    void cancel_update();
    // Delete: removes the current row from the table and from the rows read;
    // the next row becomes current (EOF when it was the last).
    void delete_current();

private:
    friend class Database;
    explicit Recordset(std::unique_ptr<RecordsetImpl> impl);
    RecordsetImpl& impl() const;
    std::unique_ptr<RecordsetImpl> impl_;
};

}  // namespace db
