// quillon run as a process, the way a web server or a shell starts it.

#include <filesystem>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "process.h"
#include "temp_dir.h"

namespace {

using testsupport::ProcessResult;
using testsupport::TempDir;

const char* const kHeader = "Content-type: text/html\n\n";

// One line per block, so that the page reads as a list.
const char* const kTemplate =
    "<template name=\"menu.top\">\n<ul>\n</template>\n"
    "<template name=\"menu.bottom\">\n</ul>\n</template>\n"
    "<template name=\"menu.link.selected\">\n<b>{label}</b>\n</template>\n"
    "<template name=\"menu.link.unselected\">\n{label}\n</template>\n"
    "<template name=\"menu.branch.top\">\n<li level=\"{level}\">{menulink}\n</template>\n"
    "<template name=\"menu.branch.bottom\">\n</li level=\"{level}\">\n</template>\n"
    "<template name=\"menu.leaf\">\n<leaf level=\"{level}\">{menulink}\n</template>\n";

const char* const kData =
    "1 0 /a.html A\n"
    "2 1 /b.html \"Page B\"\n"
    "3 2 /c.html C\n"
    "4 2 /d.html D\n"
    "5 1 /e.html E\n"
    "6 0 /f.html F\n";

// A site folder holding the data file and a document root with the template.
struct Site {
    TempDir dir;
    Site() {
        dir.write("menu.dat", kData);
        dir.write("root/menu.tpl", kTemplate);
    }
    std::string path(const std::string& relative = "") const {
        return relative.empty() ? dir.path().string() : (dir.path() / relative).string();
    }
    ProcessResult run(std::vector<std::string> args, std::map<std::string, std::string> env = {},
                      const std::string& cwd = "") const {
        env.emplace("PATH", "/usr/bin:/bin");
        return testsupport::run_process(
            {testsupport::program_path("quillon"), std::move(args), env, "", cwd.empty() ? path() : cwd});
    }
};

// The page without its header, one block per line, blank lines dropped.
std::string body_lines(const std::string& page) {
    std::string body = page.substr(std::string(kHeader).size()), joined, line;
    std::istringstream lines(body);
    while (std::getline(lines, line))
        if (!line.empty()) joined += line + "|";
    return joined;
}

TEST(Quillon, DrawsAThreeLevelTreeForALeafAtDepthTwo) {
    Site site;
    auto result = site.run({}, {{"DOCUMENT_ROOT", site.path("root")}, {"REQUEST_URI", "/c.html"}});
    EXPECT_EQ(result.status, 0);
    ASSERT_TRUE(result.out.starts_with(kHeader)) << result.out;
    EXPECT_EQ(body_lines(result.out),
              "<ul>|"
              "<li level=\"1\">A|"
              "<li level=\"2\">Page B|"
              "<leaf level=\"2\"><b>C</b>|"
              "<leaf level=\"2\">D|"
              "</li level=\"1\">|"
              "<leaf level=\"1\">E|"
              "</li level=\"0\">|"
              "<leaf level=\"0\">F|"
              "</ul>|");
    EXPECT_EQ(result.err, "");
}

TEST(Quillon, OptionsWinOverTheEnvironment) {
    Site site;
    site.dir.write("other.dat", "1 0 /x.html X\n");
    site.dir.write("root/other.tpl", "<template name=\"menu.leaf\">\nother {label}\n</template>\n");
    std::map<std::string, std::string> env = {{"DOCUMENT_ROOT", site.path("root")},
                                              {"REQUEST_URI", "/c.html"},
                                              {"QUILLON_SITEMAP", "menu.dat"},
                                              {"QUILLON_TEMPLATE", "menu.tpl"}};
    auto from_env = site.run({}, env);
    EXPECT_NE(from_env.out.find("<b>C</b>"), std::string::npos);

    auto from_options =
        site.run({"-config", "other.dat", "-template", "other.tpl", "-url", "/x.html"}, env);
    EXPECT_EQ(from_options.out, std::string(kHeader) + "other X\n");
    EXPECT_EQ(from_options.status, 0);

    // The environment names files when no option does.
    auto env_files = site.run({}, {{"DOCUMENT_ROOT", site.path("root")},
                                   {"QUILLON_SITEMAP", "other.dat"},
                                   {"QUILLON_TEMPLATE", "other.tpl"}});
    EXPECT_EQ(env_files.out, std::string(kHeader) + "other X\n");
}

struct UrlCase {
    std::vector<std::string> args;
    const char* selected;  // the label drawn as selected, or "" for none
};

TEST(Quillon, UrlComesFromTheLastUsableUrlOption) {
    Site site;
    std::map<std::string, std::string> env = {{"DOCUMENT_ROOT", site.path("root")},
                                              {"REQUEST_URI", "/a.html"}};
    const UrlCase cases[] = {
        {{"-url", "/b.html"}, "Page B"},
        {{"-url"}, "A"},                            // last position: no value, ignored
        {{"-url", "/f.html", "-url", "/e.html"}, "E"},  // repeated: the last value
        {{"-url", "-url", "/f.html"}, "F"},         // a value is examined as an option too
        {{"-config"}, "A"},
    };
    for (const auto& c : cases) {
        auto result = site.run(c.args, env);
        EXPECT_NE(result.out.find(std::string("<b>") + c.selected + "</b>"), std::string::npos)
            << testing::PrintToString(c.args) << result.out;
    }
}

TEST(Quillon, DefaultsReadTheDataFileHereAndTheTemplateUnderTheRoot) {
    Site site;
    // No DOCUMENT_ROOT: the current directory is the root.
    site.dir.write("menu.tpl", "<template name=\"menu.leaf\">\nhere {label}\n</template>\n");
    auto no_root = site.run({}, {});
    EXPECT_EQ(no_root.out, std::string(kHeader) + "here A\nhere F\n");
    // An empty DOCUMENT_ROOT counts as unset, never as "/".
    auto empty_root = site.run({}, {{"DOCUMENT_ROOT", ""}});
    EXPECT_EQ(empty_root.out, no_root.out);
    // No URL at all: nothing selected, and the miss is reported.
    EXPECT_EQ(no_root.err, "Node  doesn't exist in our tree.\n");
}

TEST(Quillon, MissingFilesStillGiveTheHeaderAndStatusZero) {
    Site site;
    auto no_template = site.run({"-template", "absent.tpl", "-url", "/c.html"},
                                {{"DOCUMENT_ROOT", site.path("root")}});
    EXPECT_EQ(no_template.out, kHeader);
    EXPECT_EQ(no_template.status, 0);

    auto no_data = site.run({"-config", "absent.dat", "-url", "/c.html"},
                            {{"DOCUMENT_ROOT", site.path("root")}});
    EXPECT_EQ(no_data.out, std::string(kHeader) + "<ul>\n</ul>\n");
    EXPECT_EQ(no_data.err, "Node /c.html doesn't exist in our tree.\n");
    EXPECT_EQ(no_data.status, 0);

    auto nothing = site.run({"-config", "a", "-template", "b"}, {});
    EXPECT_EQ(nothing.out, kHeader);
    EXPECT_EQ(nothing.status, 0);
}

TEST(Quillon, DebugLinesShowTheRequestEscaped) {
    Site site;
    std::string url = "/c.html?q=<script>&x=\"'";
    auto result = site.run({"-url", url}, {{"DOCUMENT_ROOT", site.path("root")},
                                           {"QUILLON_DEBUG", ""}});
    std::string expected_debug = std::string(kHeader) +
                                 "URL: /c.html?q=&lt;script&gt;&amp;x=&quot;&#39;<br>\n"
                                 "CWD: " + site.path() + "<br>\n"
                                 "Template_File: menu.tpl<br>\n"
                                 "Config File: menu.dat<br>\n"
                                 "<ul>\n";
    EXPECT_EQ(result.out.substr(0, expected_debug.size()), expected_debug);
    EXPECT_EQ(result.out.find("<script>"), std::string::npos);

    auto quiet = site.run({"-url", url}, {{"DOCUMENT_ROOT", site.path("root")}});
    EXPECT_EQ(quiet.out.find("<br>"), std::string::npos);
}

TEST(Quillon, DebugLineShowsALongCurrentDirectoryWhole) {
    Site site;
    std::string deep = site.path();
    for (int i = 0; i < 40; ++i) deep += "/directory-with-a-long-name-" + std::to_string(i);
    std::filesystem::create_directories(deep);
    ASSERT_GT(deep.size(), 1024u);
    auto result = site.run({}, {{"QUILLON_DEBUG", "1"}}, deep);
    EXPECT_NE(result.out.find("CWD: " + deep + "<br>\n"), std::string::npos) << result.out;
    EXPECT_EQ(result.status, 0);
}

}  // namespace
