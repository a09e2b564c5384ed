#include "menu.h"

#include <sstream>

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace {

menu read_menu(Templatizer* engine, const std::string& data) {
    menu tree(engine);
    std::istringstream in(data);
    in >> tree;
    return tree;
}

// What find_path writes on standard error.
std::string path_error(menu& tree, const std::string& url) {
    std::ostringstream captured;
    auto* saved = std::cerr.rdbuf(captured.rdbuf());
    tree.find_path(url);
    std::cerr.rdbuf(saved);
    return captured.str();
}

const char* const kThreeLevels =
    "1 0 /a.html A\n"
    "2 1 /b.html \"Page B\"\n"
    "3 2 /c.html C\n";

TEST(MenuData, ReadsEveryFormOfAnEntry) {
    Templatizer engine;
    menu tree = read_menu(&engine,
                          "1 0 /a.html A\n"
                          "\n\n"
                          "2\t1\t/b.html\t\"Page B\"  trailing words\r\n"
                          "3 1 /c.html 'Single quoted'\n"
                          "4 1 /d.html \"Unclosed quote runs on\n"
                          "8 1 /h.html \"Unclosed in a CR LF file\r\n"
                          "5 1 /e.html\n"
                          "6\n1 /f.html F\n"
                          "7 0 /g.html G");  // no line end at the end
    ASSERT_EQ(tree.nodes().size(), 8u);
    auto node = [&](int i) { return tree.nodes()[i]; };
    EXPECT_EQ(node(0).link, "/a.html");
    EXPECT_EQ(node(0).label, "A");
    EXPECT_EQ(node(1).label, "Page B");
    EXPECT_EQ(node(1).parent, 1);
    EXPECT_EQ(node(2).label, "Single quoted");
    EXPECT_EQ(node(3).label, "Unclosed quote runs on");
    EXPECT_EQ(node(4).label, "Unclosed in a CR LF file");
    EXPECT_EQ(node(5).link, "/e.html");
    EXPECT_EQ(node(5).label, "");
    EXPECT_EQ(node(6).id, 6);
    EXPECT_EQ(node(6).link, "/f.html");
    EXPECT_EQ(node(7).label, "G");
}

TEST(MenuData, NonNumericEntryEndsTheReading) {
    Templatizer engine;
    EXPECT_TRUE(read_menu(&engine, "x 0 /a.html A\n1 0 /b.html B\n").nodes().empty());
    menu tree = read_menu(&engine, "1 0 /a.html A\n2 zero /b.html B\n3 0 /c.html C\n");
    ASSERT_EQ(tree.nodes().size(), 1u);
    EXPECT_EQ(tree.nodes()[0].link, "/a.html");
}

TEST(MenuData, LongLinesAreReadWholeAndTheRestOfTheFileStays) {
    Templatizer engine;
    std::string label(3000, 'L');
    menu tree = read_menu(&engine, "1 0 /a.html \"" + label + "\"\n2 0 /b.html B\n");
    ASSERT_EQ(tree.nodes().size(), 2u);
    EXPECT_EQ(tree.nodes()[0].label, label);
}

TEST(MenuData, WritesTheFormItReads) {
    Templatizer engine;
    menu tree = read_menu(&engine, "12 3 /prices.html 'Price list'\n4 0 /x.html X\n");
    std::ostringstream out;
    out << tree;
    EXPECT_EQ(out.str(), "12 3 /prices.html \"Price list\"\n4 0 /x.html \"X\"\n");
    std::ostringstream text, html;
    tree.nodes()[0].render_text(text, 0);
    tree.nodes()[0].render_html(html, 0);
    EXPECT_EQ(text.str(), "Price list");
    EXPECT_EQ(html.str(), "<a href=\"/prices.html\">Price list</a>");
}

TEST(MenuPath, RunsFromTheEntryToTheTopLevel) {
    Templatizer engine;
    menu tree = read_menu(&engine, kThreeLevels);
    tree.find_path("/c.html");
    EXPECT_EQ(tree.path(), (std::vector<int>{3, 2, 1}));
    tree.find_path("/a.html");
    EXPECT_EQ(tree.path(), (std::vector<int>{1}));
}

TEST(MenuPath, UnknownUrlIsReportedAndLeavesThePath) {
    Templatizer engine;
    menu tree = read_menu(&engine, kThreeLevels);
    EXPECT_EQ(path_error(tree, "/c.html?x=1"), "Node /c.html?x=1 doesn't exist in our tree.\n");
    EXPECT_TRUE(tree.path().empty());
    tree.find_path("/b.html");
    EXPECT_EQ(path_error(tree, "/nowhere"), "Node /nowhere doesn't exist in our tree.\n");
    EXPECT_EQ(tree.path(), (std::vector<int>{2, 1}));
}

TEST(MenuPath, LookupsTakeTheFirstEntryInFileOrder) {
    Templatizer engine;
    menu tree = read_menu(&engine,
                          "1 0 /same.html First\n2 0 /same.html Second\n"
                          "5 0 /p.html P1\n5 0 /q.html P2\n6 5 /r.html R\n");
    EXPECT_EQ(tree.find_node("/same.html")->label, "First");
    EXPECT_EQ(tree.find_node(5)->label, "P1");
    EXPECT_EQ(tree.find_node(99), nullptr);
    tree.find_path("/r.html");
    EXPECT_EQ(tree.path(), (std::vector<int>{6, 5}));
    // Both entries of id 5 count as on the path.
    EXPECT_TRUE(tree.in_path(tree.nodes()[2]));
    EXPECT_TRUE(tree.in_path(tree.nodes()[3]));
    EXPECT_FALSE(tree.in_path(tree.nodes()[0]));
    EXPECT_TRUE(tree.has_children(tree.nodes()[3]));
    EXPECT_FALSE(tree.has_children(tree.nodes()[4]));
}

TEST(MenuPath, ParentChainThatLoopsStopsAtTheFirstRepeatedId) {
    Templatizer engine;
    menu self = read_menu(&engine, "1 1 /a.html A\n");
    self.find_path("/a.html");
    EXPECT_EQ(self.path(), (std::vector<int>{1}));

    menu ring = read_menu(&engine, "1 3 /a.html A\n2 1 /b.html B\n3 2 /c.html C\n");
    ring.find_path("/b.html");
    EXPECT_EQ(ring.path(), (std::vector<int>{2, 1, 3}));
}

// A template that shows every block on one line, so that a rendering reads
// as a list: "[" opens a branch, "]" closes it, "(" is a leaf, "*" selected.
const char* const kStructureTemplate =
    "<template name=\"menu.top\">\nTOP{level}\n</template>\n"
    "<template name=\"menu.bottom\">\nBOTTOM{level} after {label}\n</template>\n"
    "<template name=\"menu.link.selected\">\n*{label}\n</template>\n"
    "<template name=\"menu.link.unselected\">\n{label}\n</template>\n"
    "<template name=\"menu.branch.top\">\n[{level} {menulink}\n</template>\n"
    "<template name=\"menu.branch.bottom\">\n]{level} after {label}\n</template>\n"
    "<template name=\"menu.leaf\">\n({level} {menulink}\n</template>\n";

// The menu drawn for the URL, its non-empty lines joined by "|".
std::string draw(const std::string& data, const std::string& url) {
    testsupport::TempDir dir;
    dir.write("menu.tpl", kStructureTemplate);
    Templatizer engine(dir.path().string());
    engine.Load_Template("menu.tpl");
    menu tree = read_menu(&engine, data);
    std::ostringstream out;
    std::ostringstream error;  // the line of a URL not in the tree
    auto* saved = std::cerr.rdbuf(error.rdbuf());
    tree.draw(out, url);
    std::cerr.rdbuf(saved);

    std::string joined, line;
    std::istringstream lines(out.str());
    while (std::getline(lines, line))
        if (!line.empty())
            joined += (joined.empty() ? "" : "|") + line;
    return joined;
}

TEST(MenuDraw, OpensTheAncestorsOfTheCurrentPage) {
    const char* data =
        "1 0 /a.html A\n2 1 /b.html B\n3 2 /c.html C\n4 2 /d.html D\n"
        "5 1 /e.html E\n6 0 /f.html F\n";
    EXPECT_EQ(draw(data, "/c.html"),
              "TOP0|[1 A|[2 B|(2 *C|(2 D|]1 after D|(1 E|]0 after E|(0 F|BOTTOM0 after F");
    // The current page's own children are shown.
    EXPECT_EQ(draw(data, "/b.html"),
              "TOP0|[1 A|[2 *B|(2 C|(2 D|]1 after D|(1 E|]0 after E|(0 F|BOTTOM0 after F");
    // A URL not in the tree opens and selects nothing.
    EXPECT_EQ(draw(data, "/x.html"), "TOP0|(0 A|(0 F|BOTTOM0 after F");
}

TEST(MenuDraw, EmptyMenuShowsTopAndBottomOnly) {
    EXPECT_EQ(draw("", "/a.html"), "TOP0|BOTTOM0 after ");
}

TEST(MenuDraw, EntryAlreadyOpenOnTheChainIsDrawnAsALeaf) {
    // An entry of id 0 is its own parent's level.
    EXPECT_EQ(draw("0 0 /z.html Z\n1 0 /a.html A\n", "/z.html"), "TOP0|(0 *Z|(0 A|BOTTOM0 after A");
    // Duplicate ids forming a cycle: C (id 1) would open A's children again.
    EXPECT_EQ(draw("1 0 /a.html A\n2 1 /b.html B\n1 2 /c.html C\n", "/c.html"),
              "TOP0|[1 A|[2 B|(2 *C|]1 after C|]0 after C|BOTTOM0 after C");
}

TEST(MenuDraw, LevelIsOneCharacterPastNine) {
    std::string data;
    for (int id = 1; id <= 11; ++id)
        data += std::to_string(id) + " " + std::to_string(id - 1) + " /" + std::to_string(id) +
                " N" + std::to_string(id) + "\n";
    std::string drawn = draw(data, "/11");
    EXPECT_NE(drawn.find("[: N10"), std::string::npos) << drawn;
    EXPECT_NE(drawn.find("(: *N11"), std::string::npos) << drawn;
}

TEST(MenuDraw, ChainOfAnyDepthIsDrawnWhole) {
    // Each entry the parent of the next, the page at the bottom: every level
    // opens, so the drawing holds one branch per entry above the page.
    const int depth = 100000;
    std::string data;
    for (int id = 1; id <= depth; ++id)
        data += std::to_string(id) + " " + std::to_string(id - 1) + " /" + std::to_string(id) +
                " N" + std::to_string(id) + "\n";
    std::string drawn = draw(data, "/" + std::to_string(depth));
    size_t tops = 0, bottoms = 0;
    for (size_t at = 0; (at = drawn.find('|', at)) != std::string::npos; ++at) {
        tops += drawn[at + 1] == '[';
        bottoms += drawn[at + 1] == ']';
    }
    EXPECT_EQ(tops, size_t(depth - 1));
    EXPECT_EQ(bottoms, size_t(depth - 1));
    EXPECT_NE(drawn.find("*N" + std::to_string(depth) + "|"), std::string::npos);
    EXPECT_TRUE(drawn.ends_with("BOTTOM0 after N" + std::to_string(depth)));
}

TEST(MenuDraw, WideFlatMenuListsEveryEntryInFileOrder) {
    const int entries = 100000;
    std::string data;
    for (int id = 1; id <= entries; ++id)
        data += std::to_string(id) + " 0 /" + std::to_string(id) + " N" + std::to_string(id) + "\n";
    std::string drawn = draw(data, "/50000");
    EXPECT_NE(drawn.find("|(0 N49999|(0 *N50000|(0 N50001|"), std::string::npos);
    EXPECT_TRUE(drawn.ends_with("(0 N100000|BOTTOM0 after N100000"));
}

}  // namespace
