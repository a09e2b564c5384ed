#include "data_source.h"

#include <stdexcept>

#include <sqlite3.h>

namespace odbctest {
namespace {

const char* const kSqliteDriver = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";

// One open database file, closed whatever happens.
struct Database {
    sqlite3* handle = nullptr;
    explicit Database(const std::filesystem::path& file) {
        if (sqlite3_open(file.c_str(), &handle) != SQLITE_OK)
            throw std::runtime_error("cannot open " + file.string());
    }
    ~Database() { sqlite3_close(handle); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
};

}  // namespace

DataSource::DataSource(const std::string& name) : database_(dir_.path() / (name + ".db")) {
    dir_.write("odbcinst.ini", "[SQLite3]\nDescription = SQLite3 ODBC driver\nDriver = " +
                                   std::string(kSqliteDriver) + "\n");
    dir_.write("odbc.ini", "[ODBC Data Sources]\n" + name + " = SQLite3\n\n[" + name +
                               "]\nDriver = SQLite3\nDatabase = " + database_.string() + "\n");
    exec("select 1");  // creates the file
}

void DataSource::exec(const std::string& sql) const {
    Database db(database_);
    char* error = nullptr;
    if (sqlite3_exec(db.handle, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        throw std::runtime_error(message + " in: " + sql);
    }
}

std::string DataSource::query(const std::string& sql) const {
    Database db(database_);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db.handle, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db.handle));
    std::string value;
    if (sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0))
        value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    return value;
}

std::map<std::string, std::string> DataSource::shell_env() const {
    return {{"ODBCINI", odbc_ini()}, {"ODBCINSTINI", odbcinst_ini()}, {"PATH", "/usr/bin:/bin"}};
}

std::map<std::string, std::string> DataSource::cgi_env(
    const std::map<std::string, std::string>& more) const {
    auto env = shell_env();
    env["REMOTE_ADDR"] = "127.0.0.1";
    for (const auto& [name, value] : more)
        env[name] = value;
    return env;
}

testsupport::ProcessResult DataSource::run(std::vector<std::string> args,
                                           const std::map<std::string, std::string>& env,
                                           const std::string& input) const {
    return testsupport::run_process(
        {testsupport::program_path("ostrel"), std::move(args), env, input, dir_.path().string()});
}

}  // namespace odbctest
