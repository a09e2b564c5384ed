#include "db.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "page_output.h"
#include "request.h"

connection_state connection;

namespace {

// The driver-specific connection option that carries the application name.
constexpr SQLUSMALLINT kApplicationNameOption = 1051;
constexpr char kApplicationName[] = "ostrel";

SQLCHAR* sql_text(const char* text) {
    return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text));
}

// Every record that SQLError gives for these handles. A message cut to the
// buffer (SQL_SUCCESS_WITH_INFO) is written cut, and the pass goes on.
void write_records(SQLHENV henv, SQLHDBC hdbc, SQLHSTMT hstmt) {
    for (int record = 0; record < kMaxDiagnosticRecords; ++record) {
        SQLCHAR state[6] = {};
        SQLCHAR message[250] = {};
        SQLINTEGER native_error = 0;
        SQLSMALLINT message_length = 0;
        const SQLRETURN rc = SQLError(henv, hdbc, hstmt, state, &native_error, message,
                                      sizeof message, &message_length);
        if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO)
            return;
        // The SQLite driver fills a long message to the last byte, unended.
        message[sizeof message - 1] = '\0';
        state[sizeof state - 1] = '\0';
        page_text(reinterpret_cast<const char*>(message));
        out_text(", SQLSTATE=");
        page_text(reinterpret_cast<const char*>(state));
        if (request.cgi_mode)
            out_text("<br>");
        out_char('\n');
    }
}

// Text tables: the cell left-aligned, padded and cut to the width, and the
// "|" between columns.
void text_cell(const char* text, int width, bool last) {
    out_padded(text, width);
    if (!last)
        out_char('|');
}

void html_cell(const char* text) {
    out_text("<td>");
    html_text(text);
    out_text("</td>");
}

int close_after_failure(const char* label) {
    print_diagnostics(label, 0);
    SQLFreeStmt(connection.hstmt, SQL_CLOSE);
    return -1;
}

// The header, with the widths found on the way; false after a failure.
bool describe_columns(int count, int* widths) {
    if (request.cgi_mode)
        out_text("<table border=\"1\" cellpadding=\"2\" cellspacing=\"0\">\n<tr>");
    for (int i = 0; i < count; ++i) {
        SQLCHAR name[50] = {};
        SQLSMALLINT name_length = 0, sql_type = 0, scale = 0, nullable = 0;
        SQLULEN precision = 0;
        if (SQLDescribeCol(connection.hstmt, static_cast<SQLUSMALLINT>(i + 1), name, sizeof name,
                           &name_length, &sql_type, &precision, &scale, &nullable) != SQL_SUCCESS)
            return false;
        const char* column_name = reinterpret_cast<const char*>(name);
        widths[i] = column_display_width(sql_type, precision, std::strlen(column_name));
        if (widths[i] == 0)
            continue;
        if (request.cgi_mode)
            html_cell(column_name);
        else
            text_cell(column_name, widths[i], i == count - 1);
    }
    if (request.cgi_mode) {
        out_text("\n</tr>\n");
        return true;
    }
    out_char('\n');
    for (int i = 0; i < count; ++i) {
        if (widths[i] == 0)
            continue;
        out_repeated('-', widths[i]);
        if (i != count - 1)
            out_char('+');
    }
    out_char('\n');
    return true;
}

// One fetched row; false when a value could not be read.
bool write_row(int count, const int* widths) {
    if (request.cgi_mode)
        out_text("<tr>\n");
    for (int i = 0; i < count; ++i) {
        if (widths[i] == 0)
            continue;
        char value[kValueBufferSize];
        SQLLEN indicator = 0;
        if (SQLGetData(connection.hstmt, static_cast<SQLUSMALLINT>(i + 1), SQL_C_CHAR, value,
                       sizeof value, &indicator) != SQL_SUCCESS)
            return false;
        if (indicator == SQL_NULL_DATA) {
            // A null shows as stars: one in a page, the column's width in text.
            if (request.cgi_mode) {
                html_cell("*");
            } else {
                out_repeated('*', widths[i]);
                if (i != count - 1)
                    out_char('|');
            }
        } else if (request.cgi_mode) {
            html_cell(value);
        } else {
            text_cell(value, widths[i], i == count - 1);
        }
    }
    out_text(request.cgi_mode ? "\n</tr>\n" : "\n");
    return true;
}

}  // namespace

int column_display_width(SQLSMALLINT sql_type, SQLULEN precision, std::size_t name_length) {
    // Wide arithmetic, clamped before the width is kept: a precision of
    // 65536 must not wrap into a hidden column.
    const std::uint64_t size = precision > 1000000 ? 1000000 : precision;
    std::uint64_t width = 0;
    switch (sql_type) {
        case SQL_CHAR:
        case SQL_VARCHAR:
            width = size;
            break;
        case SQL_NUMERIC:
        case SQL_DECIMAL:
        case SQL_FLOAT:
        case SQL_DOUBLE:
            width = size + 2;
            break;
        case SQL_INTEGER:
        case SQL_SMALLINT:
        case SQL_TINYINT:
            width = size + 1;
            break;
        case SQL_BIT:
            width = 1;
            break;
        default:
            width = 0;  // SQL_REAL, SQL_BIGINT, long and binary data, dates and times
    }
    if (width == 0)
        return 0;
    if (name_length > width)
        width = name_length;
    return width > kMaxColumnWidth ? kMaxColumnWidth : static_cast<int>(width);
}

int DB_Connect(const char* connect_string) {
    if (SQLAllocEnv(&connection.henv) != SQL_SUCCESS) {
        print_failure("SQLAllocEnv on Client failed. Perhaps low on memory.");
        return CONNECT_NO_ENVIRONMENT;
    }
    if (SQLAllocConnect(connection.henv, &connection.hdbc) != SQL_SUCCESS) {
        print_failure("SQLAllocConnect on Client failed. Perhaps low on memory.");
        return CONNECT_NO_CONNECTION;
    }
    SQLSetConnectOption(connection.hdbc, kApplicationNameOption,
                        reinterpret_cast<SQLULEN>(kApplicationName));

    SQLCHAR completed[257];
    SQLSMALLINT completed_length = 0;
    const SQLRETURN rc =
        SQLDriverConnect(connection.hdbc, nullptr, sql_text(connect_string), SQL_NTS, completed,
                         sizeof completed, &completed_length, SQL_DRIVER_NOPROMPT);
    // Read as an unsigned 16-bit code: everything but SQL_SUCCESS and
    // SQL_SUCCESS_WITH_INFO is a failure, SQL_ERROR included.
    if (static_cast<std::uint16_t>(rc) > SQL_SUCCESS_WITH_INFO) {
        print_failure("SQLDriverConnect on Client failed.");
        return CONNECT_DRIVER_FAILED;
    }
    if (rc == SQL_SUCCESS_WITH_INFO)
        print_diagnostics("SQLDriverConnect", 1);
    connection.driver_connected = 1;

    if (SQLAllocStmt(connection.hdbc, &connection.hstmt) != SQL_SUCCESS) {
        print_failure("SQLAllocStmt on Client failed. Perhaps low on memory.");
        return CONNECT_NO_STATEMENT;
    }
    return CONNECT_OK;
}

void release_handles() {
    if (connection.hstmt)
        SQLFreeStmt(connection.hstmt, SQL_DROP);
    if (connection.driver_connected)
        SQLDisconnect(connection.hdbc);
    if (connection.hdbc)
        SQLFreeConnect(connection.hdbc);
    if (connection.henv)
        SQLFreeEnv(connection.henv);
    connection.hstmt = SQL_NULL_HSTMT;
    connection.hdbc = SQL_NULL_HDBC;
    connection.henv = SQL_NULL_HENV;
    connection.driver_connected = 0;
}

void print_failure(const char* text) {
    connection.connection_ok = 0;
    if (request.cgi_mode) {
        out_text("<H2>Failed</H2>\n<H3>");
        html_text(text);
        out_text("</H3>\n");
    } else {
        out_text("Failed\n");
        out_text(text);
        out_char('\n');
    }
}

int print_diagnostics(const char* label, int information) {
    const char* kind = information ? "Information" : "Error";
    out_text(request.cgi_mode ? "<H3>" : "");
    out_text(label);
    out_char(' ');
    out_text(kind);
    out_text(request.cgi_mode ? "</H3>\n" : "\n");
    if (connection.pending_message[0]) {
        page_text(connection.pending_message);
        if (request.cgi_mode)
            out_text("<br>");
        out_char('\n');
    }
    write_records(connection.henv, connection.hdbc, connection.hstmt);
    write_records(connection.henv, connection.hdbc, SQL_NULL_HSTMT);
    write_records(connection.henv, SQL_NULL_HDBC, SQL_NULL_HSTMT);
    return -1;
}

void DB_MesgHandler(const char* text) {
    std::snprintf(connection.pending_message, sizeof connection.pending_message,
                  "DB_MesgHandler: %s", text);
}

void print_diagnosis(const char* text) {
    if (request.cgi_mode) {
        out_text("<h3>Diagnosis: ");
        html_text(text);
        out_text("</h3>\n");
    } else {
        out_text("Diagnosis: ");
        out_text(text);
        out_char('\n');
    }
}

int run_sql() {
    SQLHSTMT statement = connection.hstmt;
    if (std::strcmp(request.sql, "tables") == 0) {
        // Null names leave the search open: every table. (Empty names would
        // match only tables with empty names.)
        if (SQLTables(statement, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0) != SQL_SUCCESS)
            return print_diagnostics("SQLTables", 0);
    } else {
        if (SQLPrepare(statement, sql_text(request.sql), SQL_NTS) != SQL_SUCCESS)
            return print_diagnostics("SQLPrepare", 0);
        if (SQLExecute(statement) != SQL_SUCCESS)
            return print_diagnostics("SQLExec", 0);
    }

    SQLSMALLINT column_count = 0;
    if (SQLNumResultCols(statement, &column_count) != SQL_SUCCESS)
        return close_after_failure("SQLNumResultCols");
    if (column_count == 0) {
        out_text("Statement executed.\n");
        SQLFreeStmt(statement, SQL_CLOSE);
        return 0;
    }
    const int count = column_count > kMaxResultColumns ? kMaxResultColumns : column_count;

    int widths[kMaxResultColumns] = {};
    if (!describe_columns(count, widths))
        return close_after_failure("SQLDescribeCol");

    unsigned long rows = 0;
    while (true) {
        const SQLRETURN rc = SQLFetch(statement);
        if (rc == SQL_NO_DATA_FOUND)
            break;
        if (rc != SQL_SUCCESS) {
            print_diagnostics("Fetch", 0);
            break;
        }
        if (!write_row(count, widths))
            return close_after_failure("SQLGetData");
        ++rows;
    }
    if (request.cgi_mode)
        out_text("</table>");
    out_char(' ');
    out_unsigned(rows);
    out_text(" row(s) fetched.\n");
    SQLFreeStmt(statement, SQL_CLOSE);
    return 0;
}
