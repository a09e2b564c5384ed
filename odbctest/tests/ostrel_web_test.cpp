// ostrel behind a real web server, used through a real browser: the entry
// form typed into and sent with "  Test  ", the result and failure pages.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "data_source.h"
#include "page_driver.h"
#include "process.h"
#include "temp_dir.h"
#include "web_server.h"

namespace {

using testing::HasSubstr;
using testing::Not;
using testsupport::open_page;
using testsupport::press;
using testsupport::probe;
using testsupport::type_into;

// A GIF of our own, four colours in diagonal stripes. Its LZW codes stay
// 3 bits wide: a clear code before every two pixels keeps the code table
// from growing.
std::string striped_gif(int width, int height) {
    std::string gif = "GIF89a";
    auto add16 = [&](int value) {
        gif += static_cast<char>(value & 0xff);
        gif += static_cast<char>(value >> 8);
    };
    add16(width);
    add16(height);
    gif += "\x81";  // a global table of four colours
    gif += std::string("\0\0", 2);
    gif += std::string("\x00\x00\x00\xff\xff\xff\x20\x60\xc0\xc0\x20\x20", 12);
    gif += ",";
    add16(0);
    add16(0);
    add16(width);
    add16(height);
    gif += std::string("\0\x02", 2);  // no local table; LZW minimum code size 2

    std::string data;
    std::uint32_t bits = 0;
    int bit_count = 0;
    auto code = [&](int value) {
        bits |= static_cast<std::uint32_t>(value) << bit_count;
        bit_count += 3;
        while (bit_count >= 8) {
            data += static_cast<char>(bits & 0xff);
            bits >>= 8;
            bit_count -= 8;
        }
    };
    const int clear = 4, end = 5;
    for (int pixel = 0; pixel < width * height; ++pixel) {
        if (pixel % 2 == 0)
            code(clear);
        code((pixel % width + pixel / width) / 4 % 4);
    }
    code(end);
    if (bit_count > 0)
        data += static_cast<char>(bits & 0xff);
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::string block = data.substr(at, 255);
        gif += static_cast<char>(block.size());
        gif += block;
    }
    gif += std::string("\0;", 2);
    return gif;
}

// The web site: our image, and ostrel at /cgi-bin/ostrel with the test's
// data source in its environment.
struct Site {
    odbctest::DataSource source;
    testsupport::TempDir root;
    std::unique_ptr<testsupport::WebServer> server;

    Site() {
        root.write("images/kvtconf.gif", striped_gif(38, 38));
        server = std::make_unique<testsupport::WebServer>(
            root.path(),
            "alias.url = (\"/cgi-bin/ostrel\" => \"" + testsupport::program_path("ostrel") +
                "\")\n"
                "$HTTP[\"url\"] =~ \"^/cgi-bin/\" { cgi.assign = (\"\" => \"\") }\n"
                "setenv.add-environment = (\"ODBCINI\" => \"" +
                source.odbc_ini() + "\", \"ODBCINSTINI\" => \"" + source.odbcinst_ini() + "\")\n");
    }
    std::string url(const std::string& query = "") const {
        return server->url("/cgi-bin/ostrel" + query);
    }
};

// What a probe step appended, as the page serialises it.
std::string probed(const std::string& text) {
    return "<pre class=\"probe\">" + text + "</pre>";
}

const char* const kFormSummary = R"((() => {
  const img = document.images[0];
  const fields = [...document.forms[0].elements].map(
      e => e.tagName.toLowerCase() + ':' + e.name + ':' + e.type + ':' + e.value);
  return img.naturalWidth + 'x' + img.naturalHeight + '|' + fields.join(',');
})())";

const char* const kResultSummary = R"((() => {
  const heading = document.querySelector('h2').textContent;
  const rows = [...document.querySelectorAll('table tr')].map(
      r => [...r.cells].map(c => c.textContent).join(','));
  const buttons = [...document.querySelectorAll('input')].map(i => i.value);
  return heading + '|' + rows.join(';') + '|' + buttons.join(',');
})())";

TEST(OstrelWeb, EntryFormShowsItsFieldsButtonsAndImage) {
    Site site;
    auto response = testsupport::http_get(site.server->port(), "/cgi-bin/ostrel");
    ASSERT_EQ(response.status, 200) << site.server->error_log();
    EXPECT_THAT(response.headers, HasSubstr("Content-Type: text/html"));

    std::string dom = testsupport::drive_page({open_page(site.url()), probe(kFormSummary)});
    EXPECT_THAT(dom, HasSubstr(probed("38x38|input:PROMPT:hidden:,input:FORMINPUT:hidden:1,"
                                      "input:dsn:text:,input:uid:text:,input:pwd:password:,"
                                      "textarea:SQL:textarea:,input::submit:  Test  ,"
                                      "input::reset: Reset ,input::button:  Exit  ")))
        << dom;
}

TEST(OstrelWeb, TypedDataSourceAndStatementShowTheResultTable) {
    Site site;
    site.source.exec(
        "create table people(name varchar(10), id integer);"
        "insert into people values('Ann', 7); insert into people values('Bo', 8);");
    std::string dom =
        testsupport::drive_page({open_page(site.url()), type_into("[name=dsn]", "demo"),
                                 type_into("[name=SQL]", "select * from people order by id"),
                                 press("input[type=submit]"), probe(kResultSummary)});
    EXPECT_THAT(dom, HasSubstr(probed("Connected|name,id;Ann,7;Bo,8|&lt; Back, Reset , Exit  ")))
        << dom;
    EXPECT_THAT(dom, HasSubstr(" 2 row(s) fetched."));
    EXPECT_THAT(dom, Not(HasSubstr("Click the Back button")));
}

TEST(OstrelWeb, WrongDataSourceShowsTheFailureAndTheWayBack) {
    Site site;
    std::string dom =
        testsupport::drive_page({open_page(site.url()), type_into("[name=dsn]", "nosuch"),
                                 press("input[type=submit]"), probe(kResultSummary)});
    EXPECT_THAT(dom, HasSubstr(probed("Failed||&lt; Back, Reset , Exit  "))) << dom;
    EXPECT_THAT(dom, HasSubstr("SQLDriverConnect on Client failed."));
    EXPECT_THAT(dom, HasSubstr("SQLSTATE=IM002"));
    EXPECT_THAT(dom, HasSubstr("Click the Back button and correct the problem."));

    // Back leads to the form again.
    dom = testsupport::drive_page({open_page(site.url()), type_into("[name=dsn]", "nosuch"),
                                   press("input[type=submit]"), press("input[value='< Back']"),
                                   probe("document.forms[0].elements.dsn.value")});
    EXPECT_THAT(dom, HasSubstr(probed("nosuch"))) << dom;
}

TEST(OstrelWeb, MarkupInValuesShowsAsText) {
    Site site;
    std::string dom = testsupport::drive_page(
        {open_page(site.url()), type_into("[name=dsn]", "demo"),
         type_into("[name=SQL]", "select '<b>bold</b>' as \"<i>x</i>\""),
         press("input[type=submit]"),
         probe("document.querySelectorAll('b, i, script').length + '|' + "
               "[...document.querySelectorAll('td')].map(c => c.textContent).join(',') + '|' + "
               "document.body.innerText.includes(\"select '<b>bold</b>'\")")});
    EXPECT_THAT(dom, HasSubstr(probed("0|&lt;i&gt;x&lt;/i&gt;,&lt;b&gt;bold&lt;/b&gt;|true")))
        << dom;

    // A value from the address stays inside its box.
    dom = testsupport::drive_page({open_page(site.url("?dsn=%22%3E%3Cb%3Ex")),
                                   probe("document.querySelectorAll('b').length + '|' + "
                                         "document.forms[0].elements.dsn.value")});
    // The labels of the form are the page's only bold texts.
    EXPECT_THAT(dom, HasSubstr(probed("4|\"&gt;&lt;b&gt;x"))) << dom;
}

}  // namespace
