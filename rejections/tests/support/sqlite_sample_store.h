#pragma once
// The import's store over a SQLite file of riruzozs.mdb, as the program's
// database layer will give it: one prepared insert per table, the rows of an
// import in one transaction, SQLite's constraint failures as the engine's
// numbers (3022 duplicate key, 3201 related record required; any other
// failure keeps SQLite's extended result code as its number).

#include <sqlite3.h>

#include "sample_store.h"
#include "sqlite_db.h"

namespace rejections::testing {

class SqliteSampleStore : public SampleStore {
public:
    explicit SqliteSampleStore(sqlite3* db);

    void insertFile(const std::string& nombre, const std::string& fecha) override;
    void beginRows() override;
    void insertRow(const SampleRow& row) override;
    void commitRows() override;
    void rollbackRows() noexcept override;

private:
    [[noreturn]] void fail() const;
    void run(sqlite3_stmt* statement);

    sqlite3* db_;
    Statement insert_file_;
    Statement insert_row_;
};

}  // namespace rejections::testing
