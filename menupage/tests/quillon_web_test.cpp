// quillon behind a real web server, its page parsed by a real browser.

#include <filesystem>

#include <gtest/gtest.h>

#include "browser.h"
#include "process.h"
#include "temp_dir.h"
#include "web_server.h"

namespace {

using testsupport::TempDir;

// Lists the menu as the browser parsed it: each entry's label ("*" when
// selected), its sub-entries in brackets.
const char* const kOutlineScript = R"(
function outline(list) {
  var items = [];
  for (var item of list.children) {
    if (item.tagName !== 'LI') { items.push('!' + item.tagName); continue; }
    var anchor = item.querySelector(':scope > a');
    var text = anchor ? anchor.textContent + (anchor.classList.contains('selected') ? '*' : '') : '?';
    var sub = item.querySelector(':scope > ul');
    if (sub) text += '[' + sub.className + ':' + outline(sub) + ']';
    items.push(text);
  }
  return items.join(',');
}
var result = document.createElement('pre');
result.id = 'outline';
result.textContent = outline(document.querySelector('nav.menu > ul'));
document.body.appendChild(result);
)";

TEST(QuillonWeb, ServesTheMenuOfTheRequestedPage) {
    TempDir site;
    const std::filesystem::path example = EXAMPLE_SITE_DIR;
    // The site's own template, with a later menu.bottom that adds the
    // outline script (a later block of the same name wins).
    site.write("root/menu.tpl", testsupport::read_file(example / "menu.tpl") +
                                    "<template name=\"menu.bottom\">\n</ul>\n</nav>\n"
                                    "<script src=\"/outline.js\"></script>\n</template>\n");
    site.write("root/outline.js", kOutlineScript);
    for (const char* page : {"index.html", "products/index.html", "products/widgets.html",
                             "products/widgets/blue.html", "support.html"})
        site.write(std::string("root/") + page, "");

    // Every page is answered by quillon; the menu data file lies outside the
    // document root.
    testsupport::WebServer server(
        site.path() / "root",
        "cgi.assign = (\".html\" => \"" + testsupport::program_path("quillon") + "\")\n"
        "setenv.add-environment = (\"QUILLON_SITEMAP\" => \"" +
            (example / "menu.dat").string() + "\")\n");

    auto response = testsupport::http_get(server.port(), "/products/widgets/blue.html");
    ASSERT_EQ(response.status, 200) << server.error_log();
    EXPECT_NE(response.headers.find("Content-type: text/html"), std::string::npos)
        << response.headers;
    EXPECT_NE(response.body.find("<a class=\"selected\" href=\"/products/widgets/blue.html\">"
                                 "Blue widgets</a>"),
              std::string::npos)
        << response.body;

    std::string dom = testsupport::chromium_dump_dom(server.url("/products/widgets/blue.html"));
    EXPECT_NE(dom.find("<pre id=\"outline\">Home,Products[level1:Widgets[level2:Blue widgets*,"
                       "Red widgets],Gadgets],Support</pre>"),
              std::string::npos)
        << dom;

    // A page that is not in the menu: every entry closed, none selected.
    dom = testsupport::chromium_dump_dom(server.url("/products/index.html?from=home"));
    EXPECT_NE(dom.find("<pre id=\"outline\">Home,Products,Support</pre>"), std::string::npos)
        << dom;
}

}  // namespace
