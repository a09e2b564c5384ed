// ostrel as a CGI program, run as a web server would run it: the request in
// the environment (and a posted body on standard input), the page on
// standard output.

#include <filesystem>
#include <map>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "data_source.h"

namespace {

using odbctest::DataSource;
using testing::HasSubstr;
using testing::Not;
using testing::StartsWith;

const char* const kHead =
    "Content-Type: text/html\n"
    "\n"
    "<head><html><title>Testing Connection</title></head>\n"
    "<body bgcolor=\"#C0C0C0\" text=\"#000000\">\n";

const char* const kFullForm =
    "<FORM METHOD=POST>\n"
    "<INPUT TYPE=HIDDEN NAME=PROMPT VALUE=\"\">\n"
    "<INPUT TYPE=HIDDEN NAME=FORMINPUT VALUE=\"1\">\n"
    "<table border=\"0\">\n<tr>\n"
    "<td align=\"center\" colspan=\"4\"><font size=\"6\"><strong>\n"
    "<img src=\"/images/kvtconf.gif\" align=\"texttop\" width=\"38\" height=\"38\"> ODBC"
    " Test</strong></font></td>\n</tr>\n"
    "<tr>\n<td><b>DSN&nbsp;Name:</b></td>\n"
    "<td><input type=text name=dsn size=20 value=\"\"></td>"
    "<td colspan=\"2\">&nbsp;</td>\n</tr>\n"
    "<tr>\n<td><b>User ID:</b></td>\n"
    "<td><input type=text name=uid size=20 value=\"\"></td>"
    "<td><b>Password:</b></td>\n"
    "<td><input type=password name=pwd size=16 value=\"\"></td>\n</tr>"
    "<tr>\n<td align=\"center\" colspan=\"4\"><br>\n"
    "<b>Optional SQL statement:</b><br>\n"
    "<textarea NAME=SQL rows=6 cols=55></textarea></td>\n</tr>\n"
    "<tr>\n<td align=\"center\" colspan=\"4\"><br>\n"
    "<INPUT TYPE=submit value=\"  Test  \">&nbsp;&nbsp;&nbsp;\n"
    "<INPUT TYPE=reset value=\" Reset \">&nbsp;&nbsp;&nbsp;\n"
    "<INPUT TYPE=button value=\"  Exit  \" onclick=\"self.close()\">\n"
    "</td>\n</tr>\n"
    "</table>\n"
    "</body>\n</html>\n";

const char* const kExitOnly =
    "<form method=post>\n\n"
    "<INPUT TYPE=button value=\" Exit  \" onclick=\"self.close()\"></form>\n\n"
    "</body></html>\n";

const char* const kBackButtons =
    "<INPUT TYPE=button value=\"< Back\" onclick=\"history.go(-1)\">&nbsp;&nbsp;&nbsp;\n"
    "<INPUT TYPE=submit name=\"prev\" value=\" Reset \">&nbsp;&nbsp;&nbsp;\n"
    "<INPUT TYPE=button value=\" Exit  \" onclick=\"self.close()\"></form>\n\n"
    "</body></html>\n";

const char* const kBackLine = "<hr>Click the Back button and correct the problem.<br>\n\n";

std::string page(const DataSource& source, const std::map<std::string, std::string>& env,
                 const std::string& body = "") {
    auto result = source.run({}, source.cgi_env(env), body);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out.substr(0, std::string(kHead).size()), kHead);
    return result.out;
}

std::string query_page(const DataSource& source, const std::string& query) {
    return page(source, {{"QUERY_STRING", query}});
}

TEST(OstrelCgi, PlainRequestShowsTheWholeForm) {
    DataSource source;
    EXPECT_EQ(page(source, {}), std::string(kHead) + kFullForm);
}

TEST(OstrelCgi, PromptFlagsChooseBoxesOrValues) {
    DataSource source;
    struct FormCase {
        const char* query;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    } cases[] = {
        {"dsn=Sales&uid=jones&pwd=abc&sql=select+1&PROMPT=dupS",
         {"<td>Sales</td><td colspan=\"2\">", "<td>jones</td><td><b>Password:</b></td>",
          "<td>***</td>\n</tr>\n<tr>", "<textarea NAME=SQL rows=6 cols=55>select 1</textarea>"},
         {"name=dsn", "name=uid", "name=pwd", "abc"}},
        {"dsn=Sales;uid=jones&PROMPT=p",
         {"<td>Sales</td>", "<td>jones</td>", "name=pwd size=16 value=\"\""},
         {"name=dsn", "<textarea"}},
        {"dsn=Sales&PROMPT=Ds",
         {"name=dsn size=20 value=\"Sales\"", "<td></td><td><b>Password:</b>",
          "<td></td>\n</tr>\n<tr>", "<textarea NAME=SQL rows=6 cols=55></textarea>"},
         {"name=uid", "name=pwd"}},
        {"PROMPT=d", {"name=dsn size=20 value=\"\""}, {"<textarea", "Optional SQL"}},
    };
    for (const auto& c : cases) {
        std::string out = query_page(source, c.query);
        for (const auto& text : c.present)
            EXPECT_THAT(out, HasSubstr(text)) << c.query;
        for (const auto& text : c.absent)
            EXPECT_THAT(out, Not(HasSubstr(text))) << c.query;
        EXPECT_THAT(out, HasSubstr("</table>\n</body>\n</html>\n")) << c.query;
    }
}

TEST(OstrelCgi, ConnectedPagesEndWithTheTrailer) {
    DataSource source;
    EXPECT_EQ(query_page(source, "dsn=demo&PROMPT="),
              std::string(kHead) + "<H2>Connected</H2>\n<p>Connection successful\n" + kExitOnly);

    source.exec(
        "create table people(NAME varchar(10), ID integer);"
        "insert into people values('Ann', 7); insert into people values(null, 8);");
    EXPECT_EQ(query_page(source, "dsn=demo&PROMPT=&FORMINPUT=1&sql=select+*+from+people"),
              std::string(kHead) +
                  "<H2>Connected</H2>\nselect * from people<p>"
                  "<table border=\"1\" cellpadding=\"2\" cellspacing=\"0\">\n"
                  "<tr><td>NAME</td><td>ID</td>\n</tr>\n"
                  "<tr>\n<td>Ann</td><td>7</td>\n</tr>\n"
                  "<tr>\n<td>*</td><td>8</td>\n</tr>\n"
                  "</table> 2 row(s) fetched.\n"
                  "<form method=post>\n\n" +
                  kBackButtons);

    EXPECT_EQ(query_page(source, "dsn=demo&PROMPT=&sql=create+table+t(a)"),
              std::string(kHead) + "<H2>Connected</H2>\ncreate table t(a)<p>Statement executed.\n" +
                  kExitOnly);
}

TEST(OstrelCgi, FailedConnectionAsksToGoBack) {
    DataSource source;
    const std::string failed =
        "<H2>Failed</H2>\n<H3>SQLDriverConnect on Client failed.</H3>\n"
        "<H3>DB_Connect Error</H3>\n"
        "[iODBC][Driver Manager]Data source name not found and no default driver specified. "
        "Driver could not be loaded, SQLSTATE=IM002<br>\n";
    EXPECT_EQ(query_page(source, "dsn=nosuch&PROMPT=&FORMINPUT=1"),
              std::string(kHead) + failed + "<form method=post>\n\n" + kBackLine + kBackButtons);
    EXPECT_EQ(query_page(source, "dsn=nosuch&PROMPT="), std::string(kHead) + failed + kExitOnly);

    // A failed statement on a good connection offers Back without the line.
    std::string out = query_page(source, "dsn=demo&PROMPT=&FORMINPUT=1&sql=select+*+from+nosuch");
    EXPECT_THAT(out, HasSubstr("<H3>SQLPrepare Error</H3>\n"
                               "[SQLite]no such table: nosuch (1), SQLSTATE=S1000<br>\n"));
    EXPECT_THAT(out, Not(HasSubstr("Click the Back button")));
    EXPECT_THAT(out, HasSubstr(kBackButtons));
}

TEST(OstrelCgi, EveryVariableTextIsEscaped) {
    DataSource source;
    // The form's values.
    std::string form = query_page(source, "dsn=%22%3E%3Cscript%3E&uid=a%26b&sql=%3C%2Ftextarea%3E");
    EXPECT_THAT(form, HasSubstr("name=dsn size=20 value=\"&quot;&gt;&lt;script&gt;\""));
    EXPECT_THAT(form, HasSubstr("name=uid size=20 value=\"a&amp;b\""));
    EXPECT_THAT(form, HasSubstr("cols=55>&lt;/textarea&gt;</textarea>"));
    EXPECT_THAT(form, Not(HasSubstr("<script>")));
    std::string fixed = query_page(source, "dsn=%3Cb%3E&PROMPT=s");
    EXPECT_THAT(fixed, HasSubstr("<td>&lt;b&gt;</td>"));

    // The echoed statement, column names and values.
    std::string table = page(source, {{"QUERY_STRING", "dsn=demo&PROMPT="},
                                      {"FORM_SQL", "select '<b>&</b>' as \"<i>'\""}});
    EXPECT_THAT(table, HasSubstr("<H2>Connected</H2>\nselect &#39;&lt;b&gt;&amp;&lt;/b&gt;&#39; "
                                 "as &quot;&lt;i&gt;&#39;&quot;<p>"));
    EXPECT_THAT(table, HasSubstr("<tr><td>&lt;i&gt;&#39;</td>\n</tr>"));
    EXPECT_THAT(table, HasSubstr("<td>&lt;b&gt;&amp;&lt;/b&gt;</td>"));

    // Diagnostic messages.
    std::string diagnostics =
        page(source, {{"QUERY_STRING", "dsn=demo&PROMPT="}, {"FORM_SQL", "select * from \"<x>\""}});
    EXPECT_THAT(diagnostics, HasSubstr("no such table: &lt;x&gt; (1), SQLSTATE=S1000<br>"));
    EXPECT_THAT(diagnostics, Not(HasSubstr("<x>")));
}

// A page many times the output buffer's size: every row escaped, in order,
// and the page's end after them.
TEST(OstrelCgi, ALargeTableComesOutWholeAndInOrder) {
    DataSource source;
    source.exec(
        "create table big(label varchar(30));"
        "with recursive k(n) as (select 1 union all select n + 1 from k where n < 20000)"
        "  insert into big select 'row ' || n || ' <&>\"''' from k;");
    std::string rows;
    for (int n = 1; n <= 20000; ++n)
        rows += "<tr>\n<td>row " + std::to_string(n) + " &lt;&amp;&gt;&quot;&#39;</td>\n</tr>\n";
    const std::string table =
        page(source, {{"QUERY_STRING", "dsn=demo&PROMPT="}, {"FORM_SQL", "select * from big"}});
    const std::string header = "<tr><td>label</td>\n</tr>\n";
    const auto start = table.find(header);
    ASSERT_NE(start, std::string::npos);
    EXPECT_EQ(table.substr(start + header.size(), rows.size()), rows);
    EXPECT_THAT(table.substr(start + header.size() + rows.size()),
                StartsWith("</table> 20000 row(s) fetched.\n"));
}

TEST(OstrelCgi, PostedFormIsRead) {
    DataSource source;
    const std::string body = "PROMPT=&FORMINPUT=1&dsn=demo&uid=&pwd=&SQL=select+1";
    std::string out = page(source,
                           {{"REQUEST_METHOD", "POST"},
                            {"CONTENT_TYPE", "application/x-www-form-urlencoded"},
                            {"CONTENT_LENGTH", std::to_string(body.size())}},
                           body);
    EXPECT_THAT(out, HasSubstr("<H2>Connected</H2>\nselect 1<p><table"));
    EXPECT_THAT(out,
                HasSubstr("</table> 1 row(s) fetched.\n<form method=post>\n\n<INPUT TYPE=button "
                          "value=\"< Back\""));
}

TEST(OstrelCgi, CutStatementIsNeverRun) {
    DataSource source;
    source.exec("create table people(name varchar(10)); insert into people values('Ann');");
    // Cut, either statement would read "delete from people" and empty the table.
    const std::string long_form_sql = "delete from people" + std::string(500, ' ') + "where 1=0";
    const std::string long_query_sql = "delete+from+people" + std::string(70, '+') + "where+1=0";
    for (const auto& env : {std::map<std::string, std::string>{{"QUERY_STRING", "dsn=demo&PROMPT="},
                                                               {"FORM_SQL", long_form_sql}},
                            {{"QUERY_STRING", "dsn=demo&PROMPT=&sql=" + long_query_sql}}}) {
        std::string out = page(source, env);
        EXPECT_THAT(out, HasSubstr("<p>SQL statement too long; not executed.\n<form method=post>"));
        EXPECT_EQ(source.query("select count(*) from people"), "1");
    }
}

TEST(OstrelCgi, ValuesThatWouldAddAttributesAreRefused) {
    DataSource source;
    // Unrefused, the driver would open (and create) other.db beside the test's database.
    std::string out = query_page(source, "dsn=demo%3BDatabase%3Dother.db&PROMPT=&FORMINPUT=1");
    EXPECT_THAT(out, HasSubstr("<H2>Failed</H2>\n<H3>The data source name, user id and password "
                               "may not hold &quot;;&quot;, &quot;{&quot; or &quot;}&quot;.</H3>\n"
                               "<form method=post>\n\n" +
                               std::string(kBackLine)));
    EXPECT_FALSE(std::filesystem::exists(source.dir() / "other.db"));

    out = query_page(source, "dsn=demo&pwd=%7Bx%3BDatabase%3Dother.db%7D&PROMPT=");
    EXPECT_THAT(out, HasSubstr("may not hold"));
    EXPECT_FALSE(std::filesystem::exists(source.dir() / "other.db"));
    EXPECT_FALSE(std::filesystem::exists(source.dir() / "other.db}"));
}

}  // namespace
