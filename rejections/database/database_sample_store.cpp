#include "database_sample_store.h"

#include <sqlite3.h>

#include <type_traits>

namespace rejections {

namespace {

// Both tables are written by position, as the import gives their fields.
constexpr const char* kInsertFile = "INSERT INTO [Archivos Alta] VALUES (?, ?)";
constexpr const char* kInsertRow =
    "INSERT INTO [Riruzozs alta] VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?,"
    " ?, ?, ?, ?, ?, ?, ?, ?, ?)";

// Binds a field as the database layer binds the same value: a yes/no as 1
// or 0. The text stays the row's own until the statement has run.
void bind(sqlite3_stmt* statement, int index, const FieldValue& field) {
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                sqlite3_bind_null(statement, index);
            } else if constexpr (std::is_same_v<T, std::string>) {
                sqlite3_bind_text(statement, index, v.data(), static_cast<int>(v.size()),
                                  SQLITE_STATIC);
            } else if constexpr (std::is_same_v<T, double>) {
                sqlite3_bind_double(statement, index, v);
            } else {
                sqlite3_bind_int(statement, index, v ? 1 : 0);
            }
        },
        field);
}

// Runs a write, passing the engine's refusal on in the import's terms.
template <class Write>
void store(Write&& write) {
    try {
        write();
    } catch (const db::Error& error) {
        throw StoreError(error.number(), error.reason(), !error.row_refused());
    }
}

}  // namespace

DatabaseSampleStore::DatabaseSampleStore(db::Database& database) : database_(database) {}

void DatabaseSampleStore::begin() {
    store([&] { database_.begin(); });
}

void DatabaseSampleStore::insertFile(const std::string& nombre, const std::string& fecha) {
    store([&] { database_.execute(kInsertFile, {nombre, fecha}); });
}

void DatabaseSampleStore::insertRow(const SampleRow& row) {
    store([&] {
        if (!insert_row_)
            insert_row_.emplace(database_.handle(), kInsertRow);
        for (std::size_t i = 0; i < SampleRow::kFields; ++i)
            bind(insert_row_->get(), static_cast<int>(i) + 1, row.fields[i]);
        // A refused row leaves the statement reset, as a stored one does.
        insert_row_->step();
        insert_row_->reset();
        insert_row_->clear_bindings();
    });
}

void DatabaseSampleStore::commit() {
    store([&] { database_.commit(); });
}

void DatabaseSampleStore::rollback() noexcept {
    try {
        if (database_.in_transaction())
            database_.rollback();
    } catch (const db::Error&) {
        // Nothing is left to undo when the rollback itself fails.
    }
}

}  // namespace rejections
