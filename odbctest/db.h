#pragma once
// The database side of ostrel: one ODBC connection through the driver
// manager, the diagnostic records of a failure, and one statement at a time
// written as a result table (HTML in CGI mode, plain text otherwise).
//
// Every ODBC call but SQLDriverConnect counts only SQL_SUCCESS as success.
// Failures are written into the output; none ends the process.

#include <cstddef>

#include <sql.h>
#include <sqlext.h>

// Step codes of DB_Connect.
enum connect_step {
    CONNECT_OK = 0,
    CONNECT_NO_ENVIRONMENT = -2,
    CONNECT_NO_CONNECTION = -3,
    CONNECT_DRIVER_FAILED = -4,
    CONNECT_NO_STATEMENT = -5,
};

// At most this many result columns are described, shown and fetched.
constexpr int kMaxResultColumns = 32;
// The widest column of a text table, and the largest value read.
constexpr int kMaxColumnWidth = 999;
constexpr int kValueBufferSize = 1000;
// Diagnostic records written per pass, so that a driver that keeps
// returning records cannot hold the page.
constexpr int kMaxDiagnosticRecords = 64;

struct connection_state {
    SQLHENV henv = SQL_NULL_HENV;
    SQLHDBC hdbc = SQL_NULL_HDBC;
    SQLHSTMT hstmt = SQL_NULL_HSTMT;  // one statement handle serves every statement
    int driver_connected = 0;         // SQLDisconnect is due at release
    int connection_ok = 0;            // set by the page flow once connected
    char pending_message[512] = {};   // written by DB_MesgHandler
};

extern connection_state connection;

// Connecting and releasing.

// Allocates the environment and connection, hands the driver the application
// name, connects without prompting and allocates the statement. Returns a
// connect_step; a failed step has written its failure block.
int DB_Connect(const char* connect_string);
// Drops the statement, disconnects, frees the connection and the
// environment, as far as each was reached.
void release_handles();

// Reporting.

// "Failed" and the text; connection_ok becomes 0.
void print_failure(const char* text);
// The label and "Error" (or "Information"), then every diagnostic record of
// the statement, the connection and the environment. Returns -1.
int print_diagnostics(const char* label, int information);
// Keeps a message for the next diagnostics block.
void DB_MesgHandler(const char* text);
void print_diagnosis(const char* text);

// Statements.

// Runs the statement in request.sql ("tables" lists the tables) and writes
// its result. 0 when the table was written to its end, -1 after a failure.
int run_sql();

// The text-table width of a result column, 0 for a hidden one: by SQL type
// and precision, raised to the length of its name, at most kMaxColumnWidth.
int column_display_width(SQLSMALLINT sql_type, SQLULEN precision, std::size_t name_length);
