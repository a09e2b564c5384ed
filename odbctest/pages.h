#pragma once
// The pages and the flow of one run: the page head, the entry form, the
// connection with its statement (CGI) or statement loop (command line), and
// the end of the result page.

#include <cstdio>

// The message for a statement that was cut to its field: it is not run.
constexpr char kStatementTooLong[] = "SQL statement too long; not executed.";

// CGI: the HTTP header and the page head; command line: "Testing Connection".
void print_page_head();

// CGI: the entry form, asking for the fields whose prompt flag is not 0.
// Command line: the usage text and "Error: dsn not known.".
void print_form();

// Connects with the request's connect string, reports, runs the request's
// statement (CGI) or the statements typed on `input` (command line),
// releases the handles and, in CGI mode, ends the page.
void run_session(std::FILE* input);
inline void run_session() {
    run_session(stdin);
}

// The end of the CGI result page: the Back and Reset buttons when the
// request came from the entry form, the Exit button. Nothing on the command line.
void print_page_trailer();

// Runs request.sql, unless it was cut to its field.
void run_statement();

// Reads statements at the "SQL>" prompt until "quit", "end" or "exit", an
// empty line or the end of the input.
void statement_loop(std::FILE* input);
