#include "database_sample_store.h"

#include <type_traits>

namespace rejections {

namespace {

// Both tables are written by position, as the import gives their fields.
constexpr const char* kInsertFile = "INSERT INTO [Archivos Alta] VALUES (?, ?)";
constexpr const char* kInsertRow =
    "INSERT INTO [Riruzozs alta] VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?,"
    " ?, ?, ?, ?, ?, ?, ?, ?, ?)";

runtime::Value value_of(const FieldValue& field) {
    return std::visit(
        [](const auto& v) -> runtime::Value {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                return runtime::Value();
            } else {
                return runtime::Value(v);
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
        throw StoreError(error.number(), error.what());
    }
}

}  // namespace

DatabaseSampleStore::DatabaseSampleStore(db::Database& database) : database_(database) {
    params_.resize(SampleRow::kFields);
}

void DatabaseSampleStore::insertFile(const std::string& nombre, const std::string& fecha) {
    store([&] { database_.execute(kInsertFile, {nombre, fecha}); });
}

void DatabaseSampleStore::beginRows() {
    store([&] { database_.begin(); });
}

void DatabaseSampleStore::insertRow(const SampleRow& row) {
    for (std::size_t i = 0; i < SampleRow::kFields; ++i)
        params_[i] = value_of(row.fields[i]);
    store([&] { database_.execute(kInsertRow, params_); });
}

void DatabaseSampleStore::commitRows() {
    store([&] { database_.commit(); });
}

void DatabaseSampleStore::rollbackRows() noexcept {
    try {
        if (database_.in_transaction())
            database_.rollback();
    } catch (const db::Error&) {
        // Nothing is left to undo when the rollback itself fails.
    }
}

}  // namespace rejections
