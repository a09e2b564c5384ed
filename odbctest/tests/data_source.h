#pragma once
// An ODBC data source of our own for tests: a SQLite file, and the odbc.ini
// and odbcinst.ini that name it through the SQLite ODBC driver.

#include <filesystem>
#include <map>
#include <string>

#include "process.h"
#include "temp_dir.h"

namespace odbctest {

class DataSource {
public:
    // The data source is called `name`; its database starts empty.
    explicit DataSource(const std::string& name = "demo");

    // Runs SQL on the database file directly; throws on an error.
    void exec(const std::string& sql) const;
    // The first column of the first row of a query, as text.
    std::string query(const std::string& sql) const;

    const std::filesystem::path& database() const { return database_; }
    const std::filesystem::path& dir() const { return dir_.path(); }
    std::string odbc_ini() const { return (dir_.path() / "odbc.ini").string(); }
    std::string odbcinst_ini() const { return (dir_.path() / "odbcinst.ini").string(); }

    // The environment of a command-line run (ODBCINI, ODBCINSTINI, PATH).
    std::map<std::string, std::string> shell_env() const;
    // The environment of a CGI run: the shell's and REMOTE_ADDR, plus `more`.
    std::map<std::string, std::string> cgi_env(
        const std::map<std::string, std::string>& more = {}) const;

    // Runs build/bin/ostrel with these arguments, environment and input.
    testsupport::ProcessResult run(std::vector<std::string> args,
                                   const std::map<std::string, std::string>& env,
                                   const std::string& input = "") const;

private:
    testsupport::TempDir dir_;
    std::filesystem::path database_;
};

}  // namespace odbctest
