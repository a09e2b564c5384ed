#include "pages.h"

#include <cstring>

#include "db.h"
#include "page_output.h"
#include "program_args.h"
#include "request.h"
#include "text_case.h"

namespace {

void line(const char* text) {
    out_text(text);
    out_char('\n');
}

// One entry field of the form: an input box while the field is asked for,
// else its value as text.
void form_field(int prompt_field, const char* input_format_start, const char* value) {
    if (request.prompt_flags[prompt_field] != PROMPT_NEVER) {
        out_text(input_format_start);
        html_text(value);
        out_text("\"></td>");
    } else {
        out_text("<td>");
        html_text(value);
        out_text("</td>");
    }
}

bool is_end_word(const char* text) {
    return compare_nocase(text, "quit") == 0 || compare_nocase(text, "end") == 0 ||
           compare_nocase(text, "exit") == 0;
}

// Reads the rest of an over-long line, up to and including its line end.
void drop_rest_of_line(std::FILE* input) {
    for (int c = std::fgetc(input); c != '\n' && c != EOF; c = std::fgetc(input)) {
    }
}

// fgets, but giving the count of bytes it read (a typed NUL is a byte like
// any other), or -1 at the end of the input.
long read_typed_line(std::FILE* input, char* typed, std::size_t capacity) {
    std::size_t length = 0;
    while (length + 1 < capacity) {
        const int c = std::fgetc(input);
        if (c == EOF)
            break;
        typed[length++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    typed[length] = '\0';
    return length == 0 ? -1 : static_cast<long>(length);
}

}  // namespace

void print_page_head() {
    if (request.cgi_mode) {
        line("Content-Type: text/html");
        line("");
        line("<head><html><title>Testing Connection</title></head>");
        line("<body bgcolor=\"#C0C0C0\" text=\"#000000\">");
    } else {
        line("Testing Connection");
        line("");
    }
}

void print_form() {
    if (!request.cgi_mode) {
        print_usage();
        line("Error: dsn not known.");
        return;
    }
    line("<FORM METHOD=POST>");
    line("<INPUT TYPE=HIDDEN NAME=PROMPT VALUE=\"\">");
    line("<INPUT TYPE=HIDDEN NAME=FORMINPUT VALUE=\"1\">");
    line("<table border=\"0\">\n<tr>");
    line("<td align=\"center\" colspan=\"4\"><font size=\"6\"><strong>");
    out_text("<img src=\"/images/kvtconf.gif\" align=\"texttop\" width=\"38\" height=\"38\"> ");
    out_text("ODBC");
    line(" Test</strong></font></td>\n</tr>");

    line("<tr>\n<td><b>DSN&nbsp;Name:</b></td>");
    form_field(PROMPT_DSN, "<td><input type=text name=dsn size=20 value=\"", request.dsn);
    line("<td colspan=\"2\">&nbsp;</td>\n</tr>");

    line("<tr>\n<td><b>User ID:</b></td>");
    form_field(PROMPT_UID, "<td><input type=text name=uid size=20 value=\"", request.uid);
    line("<td><b>Password:</b></td>");
    if (request.prompt_flags[PROMPT_PWD] != PROMPT_NEVER) {
        out_text("<td><input type=password name=pwd size=16 value=\"");
        html_text(request.pwd);
        out_text("\"></td>\n</tr>");
    } else {
        // The password itself never shows: one star per character.
        out_text("<td>");
        for (std::size_t i = 0; i < std::strlen(request.pwd); ++i)
            out_char('*');
        line("</td>\n</tr>");
    }

    if (request.prompt_flags[PROMPT_SQL] != PROMPT_NEVER) {
        line("<tr>\n<td align=\"center\" colspan=\"4\"><br>");
        line("<b>Optional SQL statement:</b><br>");
        out_text("<textarea NAME=SQL rows=6 cols=55>");
        html_text(request.sql);
        line("</textarea></td>\n</tr>");
    }

    line("<tr>\n<td align=\"center\" colspan=\"4\"><br>");
    line("<INPUT TYPE=submit value=\"  Test  \">&nbsp;&nbsp;&nbsp;");
    line("<INPUT TYPE=reset value=\" Reset \">&nbsp;&nbsp;&nbsp;");
    line("<INPUT TYPE=button value=\"  Exit  \" onclick=\"self.close()\">");
    line("</td>\n</tr>");
    line("</table>");
    line("</body>\n</html>");
}

void run_statement() {
    if (request.sql_cut)
        line(kStatementTooLong);
    else
        run_sql();
}

void statement_loop(std::FILE* input) {
    char typed[kSqlFieldLength + 1];
    while (true) {
        out_text("SQL>");
        out_flush();
        const long read = read_typed_line(input, typed, sizeof typed);
        if (read < 0)
            return;
        std::size_t length = static_cast<std::size_t>(read);
        bool too_long = false;
        if (length > 0 && typed[length - 1] == '\n') {
            typed[--length] = '\0';
        } else if (length == kSqlFieldLength) {
            // A full buffer: the line is over-long unless its end comes next.
            const int next = std::fgetc(input);
            if (next != '\n' && next != EOF) {
                too_long = true;
                drop_rest_of_line(input);
            }
        }
        if (too_long) {
            line(kStatementTooLong);
            continue;
        }
        const char* statement = typed + std::strspn(typed, " \t\n\v\f\r");
        if (!*statement)
            return;
        std::memmove(request.sql, statement, std::strlen(statement) + 1);
        request.sql_cut = 0;
        if (is_end_word(request.sql))
            return;
        run_statement();
    }
}

void run_session(std::FILE* input) {
    connection.driver_connected = 0;
    if (!request.connect_string) {
        print_failure(request.connect_refusal);
    } else if (DB_Connect(request.connect_string) != CONNECT_OK) {
        print_diagnostics("DB_Connect", 0);
    } else {
        connection.connection_ok = 1;
        if (request.cgi_mode) {
            out_text("<H2>Connected</H2>\n");
            html_text(request.sql);
            out_text("<p>");
            if (request.sql[0])
                run_statement();
            else
                out_text("Connection successful\n");
        } else {
            out_text("Connection successful\n");
            statement_loop(input);
        }
    }
    release_handles();
    print_page_trailer();
}

void print_page_trailer() {
    if (!request.cgi_mode)
        return;
    line("<form method=post>\n");
    if (request.form_input) {
        if (!connection.connection_ok)
            line("<hr>Click the Back button and correct the problem.<br>\n");
        line("<INPUT TYPE=button value=\"< Back\" onclick=\"history.go(-1)\">&nbsp;&nbsp;&nbsp;");
        line("<INPUT TYPE=submit name=\"prev\" value=\" Reset \">&nbsp;&nbsp;&nbsp;");
    }
    line("<INPUT TYPE=button value=\" Exit  \" onclick=\"self.close()\"></form>\n");
    line("</body></html>");
}
