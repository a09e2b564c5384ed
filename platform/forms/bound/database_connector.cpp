#include "database_connector.h"

#include <filesystem>
#include <utility>

#include "controls.h"
#include "database/database.h"
#include "database/paged_rows.h"

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

// A record source on its own connection to the file, read page by page: no
// read stays open between two pages, so the file is free for other writers
// while a window shows a source of any size.
class DatabaseRecordSource : public RecordSource {
public:
    DatabaseRecordSource(const QString& databaseName, const QString& recordSource)
        : database_(std::filesystem::path(databaseName.toStdString())),
          rows_(database_, recordSource.toStdString()) {}

    int fieldCount() const override { return rows_.field_count(); }

    QString fieldName(int field) const override {
        return QString::fromStdString(translated([&] { return rows_.field_name(field); }));
    }

    int fieldPosition(const QString& name) const override {
        return rows_.field_position(name.toStdString());
    }

    bool counted() const override { return rows_.counted(); }
    long rowsKnown() const override { return rows_.rows_known(); }
    long rowCount() override {
        return translated([&] { return rows_.row_count(); });
    }
    void whenCounted(std::function<void()> call) override { rows_.when_counted(std::move(call)); }

    runtime::Value value(long row, int field) override {
        return translated([&] { return rows_.value(row, field); });
    }

    long rowsCached() const override { return rows_.cached_rows(); }

    long findFirst(const QString& criteria) override {
        return translated([&] { return rows_.find_first(criteria.toStdString()); });
    }

    bool updatable() const override { return rows_.updatable(); }

    void update(long row, const std::vector<std::pair<int, runtime::Value>>& fields) override {
        translated([&] { rows_.update(row, fields); });
    }

private:
    db::Database database_;
    db::PagedRows rows_;
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
