#pragma once
// A small database file made for one test from a schema script.

#include <functional>
#include <string>

#include "database/database.h"
#include "temp_dir.h"

struct TestDatabase {
    testsupport::TempDir dir;
    std::filesystem::path file;
    db::Database database;

    explicit TestDatabase(const std::string& schema) : file(dir.path() / "test.mdb") {
        db::Database::create_file(file, schema);
        database.open(file);
    }
};

inline int error_number(const std::function<void()>& action) {
    try {
        action();
    } catch (const db::Error& e) {
        return e.number();
    }
    return 0;
}
