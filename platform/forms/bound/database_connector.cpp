#include "database_connector.h"

#include <filesystem>
#include <utility>

#include "controls.h"
#include "database/database.h"

namespace forms::bound {

namespace {

// Runs a database call, its failures raised as the data control's errors.
template <class Call>
auto translated(Call&& call) -> decltype(call()) {
    try {
        return call();
    } catch (const db::Error& error) {
        throw DataError(error.number(), error.what());
    }
}

class DatabaseRecordSource : public RecordSource {
public:
    DatabaseRecordSource(const QString& databaseName, const QString& recordSource)
        : database_(std::filesystem::path(databaseName.toStdString())),
          recordset_(database_.open_recordset(recordSource.toStdString(), db::Cursor::Lazy)) {
        // A statement not read to its end holds the file's shared lock, and
        // the writes of every other connection (the program's own) wait on
        // it and fail. Reading a first block at once frees the file for the
        // small sources of most windows; a large one opens just as fast.
        recordset_.read_more(kFirstRows);
    }

    int fieldCount() const override { return recordset_.field_count(); }

    QString fieldName(int field) const override {
        return QString::fromStdString(recordset_.field_name(field));
    }

    int fieldPosition(const QString& name) const override {
        return recordset_.field_position(name.toStdString());
    }

    long rowsRead() const override { return recordset_.record_count(); }
    bool allRowsRead() const override { return recordset_.all_rows_read(); }

    long readMore(long count) override {
        return translated([&] { return recordset_.read_more(count); });
    }

    void readAll() override {
        translated([&] {
            while (!recordset_.all_rows_read() && recordset_.read_more(kChunkRows) > 0) {
            }
        });
    }

    runtime::Value value(long row, int field) const override {
        return translated([&] { return recordset_.value_at(row, field); });
    }

    long findFirst(const QString& criteria) override {
        return translated([&]() -> long {
            if (!recordset_.find_first(criteria.toStdString()))
                return -1;
            return recordset_.absolute_position();
        });
    }

    bool updatable() const override { return recordset_.updatable(); }

    void update(long row, const std::vector<std::pair<int, runtime::Value>>& fields) override {
        translated([&] {
            recordset_.move_to(row);
            recordset_.edit();
            try {
                for (const auto& [field, value] : fields)
                    recordset_.set(field, value);
                recordset_.update();
            } catch (...) {
                recordset_.cancel_update();
                throw;
            }
        });
    }

private:
    static constexpr long kFirstRows = 512;
    static constexpr long kChunkRows = 4096;

    db::Database database_;
    mutable db::Recordset recordset_;
};

}  // namespace

std::unique_ptr<RecordSource> DatabaseConnector::open(const QString& databaseName,
                                                      const QString& recordSource) {
    return translated([&]() -> std::unique_ptr<RecordSource> {
        return std::make_unique<DatabaseRecordSource>(databaseName, recordSource);
    });
}

std::shared_ptr<DataConnector> databaseConnector() {
    static const auto connector = std::make_shared<DatabaseConnector>();
    return connector;
}

DataControl* dataControl(const QString& name, QWidget* parent) {
    auto* data = control<DataControl>(name, parent);
    data->setConnector(databaseConnector());
    return data;
}

}  // namespace forms::bound
