#pragma once
// The import's store over the program's connection to riruzozs.mdb: both
// tables written by position through one prepared insert each, the rows of
// an import and its file's row in one transaction, the engine's failures
// passed on as StoreError with their numbers (3022, 3201, or 3000 for any
// other) and its own words, a failure of the database told from a refused
// row.

#include <optional>

#include "database/database.h"
#include "database/statement.h"
#include "sample_store.h"

namespace rejections {

class DatabaseSampleStore : public SampleStore {
public:
    // The database must stay open while the store is used.
    explicit DatabaseSampleStore(db::Database& database);

    void begin() override;
    void insertFile(const std::string& nombre, const std::string& fecha) override;
    void insertRow(const SampleRow& row) override;
    void commit() override;
    void rollback() noexcept override;

private:
    db::Database& database_;
    // The rows' insert, prepared at the first row and run for every other:
    // the import's hot path binds the row's own texts, copying none.
    std::optional<db::Statement> insert_row_;
};

}  // namespace rejections
