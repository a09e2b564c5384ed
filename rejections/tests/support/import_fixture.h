#pragma once
// What an import test works with: a fresh riruzozs.mdb made from the schema
// in a folder of its own, with two centrals, the store over it, recorded
// messages and pointer, and the year 2008 on the clock.

#include <gtest/gtest.h>

#include <memory>

#include "database/database.h"
#include "database_sample_store.h"
#include "import_doubles.h"
#include "importa_muestras.h"
#include "sqlite_db.h"
#include "temp_dir.h"

namespace rejections::testing {

class ImportFixture : public ::testing::Test {
protected:
    ImportFixture() : db(create_riruzozs_db(dir.path() / "riruzozs.mdb")) {
        db->exec(
            "INSERT INTO Centrales VALUES ('MEXCCO01', 'Mexico Centro', '5ESS', 'Metro'),"
            " ('GDLJAL02', 'Guadalajara', 'DMS', 'Occidente')");
    }

    testsupport::TempDir dir;
    std::unique_ptr<SqliteDb> db;
    // The program's store over its database layer, on the same file.
    db::Database database{dir.path() / "riruzozs.mdb"};
    DatabaseSampleStore store{database};
    RecordedMessages messages;
    RecordedPointer pointer;
    ImportServices services{store, messages, pointer, 2008};
};

}  // namespace rejections::testing
