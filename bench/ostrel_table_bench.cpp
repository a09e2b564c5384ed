// ostrel's result table against the driver's own cost: a table of ROWS rows
// (200,000 by default) of four varchar columns in a SQLite data source, read
// by a bare ODBC loop (SQLFetch and SQLGetData per cell, nothing written),
// by ostrel from the command line (text table) and as a CGI program (page),
// and, for reference, by the sqlite3 shell's -list and -column modes. Each
// is a process of its own, started afresh (the bare loop is this program
// again), connecting and reading as the others do; they are run in turn
// several times and each one's best time kept. Prints the times and ostrel's ratios to the bare
// loop.
//
//   ostrel_table_bench [ROWS [OSTREL]]

#include <sql.h>
#include <sqlext.h>
#include <sqlite3.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 15;
const char* const kSqliteDriver = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";
const char* const kQuery = "select a, b, c, d from t";

// The best time of a reader's runs, and the bytes its last run wrote.
struct timing {
    double seconds = 1e9;
    long bytes = 0;
};

// Runs each reader kRuns times, taking turns, so that a change in the
// machine's load falls on all of them alike; keeps each one's best time.
std::vector<timing> best_of_runs(const std::vector<std::function<long()>>& readers) {
    std::vector<timing> best(readers.size());
    for (int run = 0; run < kRuns; ++run) {
        for (std::size_t i = 0; i < readers.size(); ++i) {
            auto start = std::chrono::steady_clock::now();
            best[i].bytes = readers[i]();
            best[i].seconds = std::min(
                best[i].seconds,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
    }
    return best;
}

void fill_database(const fs::path& file, long rows) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_exec(db,
                 "create table t (a varchar(20), b varchar(20), c varchar(20), d varchar(20));"
                 "begin;",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "insert into t values (?, ?, ?, ?)", -1, &insert, nullptr);
    for (long row = 0; row < rows; ++row) {
        const std::string values[] = {"row " + std::to_string(row), "Centro & <Sur>",
                                      std::to_string(row * 7919 % 100000), "x"};
        for (int i = 0; i < 4; ++i)
            sqlite3_bind_text(insert, i + 1, values[i].c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "commit;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// Runs a program with its standard input from `input`, reads its output
// through a pipe as a web server would, and returns how many bytes it wrote.
long run(const std::vector<std::string>& args, const std::vector<std::string>& env_extra,
         const std::string& input) {
    char input_file[] = "/tmp/ostrel_bench_in.XXXXXX";
    const int in = mkstemp(input_file);
    if (write(in, input.data(), input.size()) != static_cast<ssize_t>(input.size()))
        std::perror("write");
    lseek(in, 0, SEEK_SET);
    int output[2];
    if (pipe(output) != 0)
        std::perror("pipe");
    const pid_t child = fork();
    if (child == 0) {
        dup2(in, 0);
        dup2(output[1], 1);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 2);
        close(output[0]);
        for (const auto& assignment : env_extra)
            putenv(const_cast<char*>(assignment.c_str()));
        std::vector<char*> argv;
        for (const auto& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(output[1]);
    long bytes = 0;
    char block[1 << 16];
    for (ssize_t n; (n = read(output[0], block, sizeof block)) > 0;)
        bytes += n;
    close(output[0]);
    int status = 0;
    waitpid(child, &status, 0);
    close(in);
    unlink(input_file);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::fprintf(stderr, "%s failed\n", args[0].c_str());
    return bytes;
}

// SQLFetch and SQLGetData of every cell into the buffer size ostrel uses.
long bare_fetch_loop(long expected_rows) {
    SQLHENV env;
    SQLHDBC dbc;
    SQLHSTMT stmt;
    SQLAllocEnv(&env);
    SQLAllocConnect(env, &dbc);
    SQLCHAR out[1024];
    SQLSMALLINT out_length = 0;
    SQLDriverConnect(dbc, nullptr, (SQLCHAR*)"dsn=bench", SQL_NTS, out, sizeof out, &out_length,
                     SQL_DRIVER_NOPROMPT);
    SQLAllocStmt(dbc, &stmt);
    SQLPrepare(stmt, (SQLCHAR*)kQuery, SQL_NTS);
    SQLExecute(stmt);
    long rows = 0;
    while (SQLFetch(stmt) == SQL_SUCCESS) {
        for (SQLUSMALLINT column = 1; column <= 4; ++column) {
            char value[1000];
            SQLLEN indicator = 0;
            SQLGetData(stmt, column, SQL_C_CHAR, value, sizeof value, &indicator);
        }
        ++rows;
    }
    if (rows != expected_rows)
        std::fprintf(stderr, "bare loop read %ld rows\n", rows);
    SQLFreeStmt(stmt, SQL_DROP);
    SQLDisconnect(dbc);
    SQLFreeConnect(dbc);
    SQLFreeEnv(env);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--bare-loop")
        return static_cast<int>(bare_fetch_loop(std::atol(argv[2])));
    const long rows = argc > 1 ? std::atol(argv[1]) : 200000;
    char pattern[] = "/tmp/ostrel_table_bench.XXXXXX";
    const fs::path dir = mkdtemp(pattern);
    const fs::path database = dir / "bench.db";
    std::ofstream(dir / "odbcinst.ini") << "[SQLite3]\nDriver = " << kSqliteDriver << "\n";
    std::ofstream(dir / "odbc.ini") << "[ODBC Data Sources]\nbench = SQLite3\n\n[bench]\n"
                                       "Driver = SQLite3\nDatabase = "
                                    << database.string() << "\n";
    fill_database(database, rows);
    const std::string odbcini = "ODBCINI=" + (dir / "odbc.ini").string();
    const std::string odbcinstini = "ODBCINSTINI=" + (dir / "odbcinst.ini").string();

    const std::string ostrel = argc > 2 ? argv[2] : OSTREL_PATH;
    const std::vector<std::string> shell = {odbcini, odbcinstini};
    // An empty PROMPT asks for nothing, so the page connects at once.
    const std::vector<std::string> cgi = {
        odbcini, odbcinstini, "REMOTE_ADDR=127.0.0.1",
        "QUERY_STRING=dsn=bench&PROMPT=", std::string("FORM_SQL=") + kQuery};

    const std::string self = fs::canonical("/proc/self/exe").string();
    const std::vector<timing> times = best_of_runs({
        [&] {
            return run({self, "--bare-loop", std::to_string(rows)}, shell, "");
        },
        [&] {
            return run({ostrel, "dsn=bench"}, shell, std::string(kQuery) + "\n");
        },
        [&] { return run({ostrel}, cgi, ""); },
        [&] {
            return run({"/usr/bin/sqlite3", "-list", database.string(), kQuery}, {}, "");
        },
        [&] {
            return run({"/usr/bin/sqlite3", "-column", database.string(), kQuery}, {}, "");
        },
    });
    const timing& bare = times[0];
    const timing& text = times[1];
    const timing& page = times[2];
    const timing& shell_list = times[3];
    const timing& shell_column = times[4];

    std::printf(
        "%ld rows of 4 varchar columns, best of %d runs taken in turn, each a process of its own\n",
        rows, kRuns);
    std::printf("  bare fetch loop (SQLFetch + SQLGetData)  %8.1f ms\n", bare.seconds * 1e3);
    std::printf("  ostrel text table                        %8.1f ms   ratio %.2f   %ld bytes\n",
                text.seconds * 1e3, text.seconds / bare.seconds, text.bytes);
    std::printf("  ostrel page                              %8.1f ms   ratio %.2f   %ld bytes\n",
                page.seconds * 1e3, page.seconds / bare.seconds, page.bytes);
    std::printf("  sqlite3 -list                            %8.1f ms              %ld bytes\n",
                shell_list.seconds * 1e3, shell_list.bytes);
    std::printf("  sqlite3 -column                          %8.1f ms              %ld bytes\n",
                shell_column.seconds * 1e3, shell_column.bytes);
    fs::remove_all(dir);
    return 0;
}
