#include "compaction.h"

#include <sqlite3.h>

#include <string>
#include <vector>

#include "connection_impl.h"
#include "database_error.h"
#include "file_lock.h"

namespace db {

namespace {

// A raw connection closed on every way out.
struct RawConnection {
    sqlite3* handle = nullptr;
    ~RawConnection() { sqlite3_close_v2(handle); }
};

std::vector<std::pair<std::string, long long>> table_counts(sqlite3* handle) {
    std::vector<std::string> tables;
    {
        Statement list(handle,
                       "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                       "'sqlite_%' ORDER BY name");
        while (list.step())
            tables.push_back(list.column(0).to_text());
    }
    std::vector<std::pair<std::string, long long>> counts;
    for (const std::string& table : tables) {
        std::string quoted = "\"";
        for (char c : table)
            quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        Statement count(handle, "SELECT count(*) FROM " + quoted + "\"");
        count.step();
        counts.emplace_back(table, sqlite3_column_int64(count.get(), 0));
    }
    return counts;
}

void check_copy(sqlite3* source, const std::filesystem::path& copy) {
    RawConnection copied;
    copied.handle = open_sqlite_file(copy, 2000, true);
    Statement integrity(copied.handle, "PRAGMA integrity_check");
    if (!integrity.step() || integrity.column(0).to_text() != "ok")
        throw Error(kGeneralError, "La copia compactada '" + copy.string() + "' está dañada.");
    if (table_counts(source) != table_counts(copied.handle))
        throw Error(kGeneralError,
                    "La copia compactada '" + copy.string() + "' no tiene todos los registros.");
}

}  // namespace

void remove_compaction_copy(const std::filesystem::path& copy) noexcept {
    std::error_code error;
    for (const char* side : {"-journal", "-wal", "-shm"}) {
        std::filesystem::path file = copy;
        file += side;
        std::filesystem::remove(file, error);
    }
    std::filesystem::remove(copy, error);
}

void compact_database(const std::filesystem::path& file, const std::filesystem::path& copy) {
    std::error_code error;
    ExclusiveFileLock lock(file);
    // A journal left beside an earlier copy would be played into the new one.
    remove_compaction_copy(copy);
    try {
        {
            RawConnection source;
            source.handle = open_sqlite_file(file, 2000, true);
            Statement vacuum(source.handle, "VACUUM INTO ?");
            vacuum.bind(1, runtime::Value(copy.string()));
            vacuum.step();
            check_copy(source.handle, copy);
        }
        std::filesystem::rename(copy, file);
    } catch (const std::filesystem::filesystem_error& e) {
        remove_compaction_copy(copy);
        throw Error(kGeneralError, "No se pudo reemplazar '" + file.string() +
                                       "' por su copia compactada: " + e.what());
    } catch (...) {
        remove_compaction_copy(copy);
        throw;
    }
}

}  // namespace db
