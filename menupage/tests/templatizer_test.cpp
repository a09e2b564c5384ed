#include "templatizer.h"

#include <gtest/gtest.h>

#include "populatetemplate.h"
#include "temp_dir.h"

namespace {

using testsupport::TempDir;

// An engine loaded from a template text written to a fresh directory.
struct LoadedTemplate {
    TempDir dir;
    Templatizer engine;
    explicit LoadedTemplate(const std::string& text) : engine(dir.path().string()) {
        dir.write("menu.tpl", text);
        PopulateTemplatizer(engine, "menu.tpl");
    }
    std::string render(const std::string& block) {
        engine.Parse(block, "out", false);
        return engine["out"];
    }
};

TEST(Templatizer, RendersBlocksByNameAndUnknownOnesEmpty) {
    LoadedTemplate t(
        "ignored text\n"
        "<template name=\"menu.top\">\n<ul>\n</template>\n"
        "ignored too\n"
        "<template name=\"menu.leaf\">\n<li>{label}</li>\n</template>\n");
    t.engine["label"] = "Home";
    EXPECT_EQ(t.render("menu.top"), "<ul>\n");
    EXPECT_EQ(t.render("menu.leaf"), "<li>Home</li>\n");
    EXPECT_EQ(t.render("menu.nothing"), "");
}

struct PlaceholderCase {
    const char* line;
    const char* expected;
};

class TemplatizerPlaceholders : public testing::TestWithParam<PlaceholderCase> {};

TEST_P(TemplatizerPlaceholders, ReplaceEachBracePairWithItsVariable) {
    LoadedTemplate t(std::string("<template name=\"b\">\n") + GetParam().line + "\n</template>\n");
    t.engine["link"] = "/x";
    t.engine["label"] = "Y";
    t.engine["long"] = "a much longer value";
    EXPECT_EQ(t.render("b"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TemplatizerPlaceholders,
    testing::Values(PlaceholderCase{"a{link}b{label}", "a/xbY\n"},
                    PlaceholderCase{"[{never set}]", "[]\n"},
                    PlaceholderCase{"open { stays", "open { stays\n"},
                    PlaceholderCase{"{}gone", "gone\n"},
                    PlaceholderCase{"{long}-{link}-{long}", "a much longer value-/x-a much longer value\n"},
                    PlaceholderCase{"{label}{link}", "Y/x\n"},
                    PlaceholderCase{"{{link}}", "}\n"},  // the name is "{link"
                    PlaceholderCase{"p { color: red }", "p \n"}));

TEST(Templatizer, InsertedValuesAreNotScannedAgain) {
    LoadedTemplate t("<template name=\"b\">\n{a}\n</template>\n");
    t.engine["a"] = "{b}";
    t.engine["b"] = "no";
    EXPECT_EQ(t.render("b"), "{b}\n");
}

TEST(Templatizer, RecordsPlaceholderPositions) {
    template_line line;
    line.load("x{ab}y{}z{");
    ASSERT_EQ(line.elements.size(), 2u);
    EXPECT_EQ(line.elements[0].name, "ab");
    EXPECT_EQ(line.elements[0].pos, 1);
    EXPECT_EQ(line.elements[0].len, 4);
    EXPECT_EQ(line.elements[1].name, "");
    EXPECT_EQ(line.elements[1].pos, 6);
    EXPECT_EQ(line.elements[1].len, 2);
    EXPECT_EQ(line.text, "x{ab}y{}z{");
}

TEST(Templatizer, BlockNamesComeFromTheNameAttribute) {
    LoadedTemplate t(
        "<template id=\"q\" name=\"x\" class=\"y\">\nfirst\n</template>\n"
        "<template>\nno name\n</template>\n"
        "<template name=\"open-ended\nunclosed quote\n</template>\n");
    EXPECT_EQ(t.render("x"), "first\n");
    EXPECT_EQ(t.render("default"), "no name\n");
    EXPECT_EQ(t.render("open-ended"), "unclosed quote\n");
}

TEST(Templatizer, LaterBlockOfTheSameNameWins) {
    LoadedTemplate t(
        "<template name=\"b\">\nfirst\n</template>\n<template name=\"b\">\nsecond\n</template>\n");
    EXPECT_EQ(t.render("b"), "second\n");
}

TEST(Templatizer, BlockOpenAtTheEndOfTheFileIsKept) {
    LoadedTemplate t("<template name=\"a\">\none\n</template>\n<template name=\"b\">\ntwo\nthree");
    EXPECT_EQ(t.render("a"), "one\n");
    EXPECT_EQ(t.render("b"), "two\nthree\n");
}

TEST(Templatizer, OpeningLineThatAlsoClosesStoresNothing) {
    LoadedTemplate t(
        "</template>\n<template name=\"a\"></template>\n<template name=\"b\">\n"
        "<template name=\"c\">\n</template>\n");
    EXPECT_EQ(t.render("a"), "");
    // A line holding "<template" inside a block is content.
    EXPECT_EQ(t.render("b"), "<template name=\"c\">\n");
    EXPECT_EQ(t.render("c"), "");
}

TEST(Templatizer, LongLinesAreReadWholeAndTheRestOfTheFileStays) {
    std::string long_line(5000, 'x');
    LoadedTemplate t("<template name=\"a\">\n" + long_line + "{v}\n</template>\n" +
                     "<template name=\"b\">\nafter\n</template>\n");
    t.engine["v"] = "!";
    EXPECT_EQ(t.render("a"), long_line + "!\n");
    EXPECT_EQ(t.render("b"), "after\n");
}

TEST(Templatizer, AppendAddsToTheVariable) {
    LoadedTemplate t("<template name=\"b\">\nline\n</template>\n");
    t.engine["out"] = "before\n";
    t.engine.Parse("b", "out", true);
    EXPECT_EQ(t.engine["out"], "before\nline\n");
}

TEST(Templatizer, MissingFileYieldsNoBlocks) {
    TempDir dir;
    Templatizer engine(dir.path().string());
    engine.Load_Template("absent.tpl");
    engine.Parse("menu.top", "out", false);
    EXPECT_EQ(engine["out"], "");
}

TEST(Templatizer, RelativeNamesResolveAgainstTheRootAndAbsoluteOnesDoNot) {
    EXPECT_EQ(Templatizer().base_dir(), "./");
    EXPECT_EQ(Templatizer("/srv/www").base_dir(), "/srv/www/");
    EXPECT_EQ(Templatizer("/srv/www/").base_dir(), "/srv/www/");
    EXPECT_EQ(Templatizer("").base_dir(), "./");

    TempDir root, elsewhere;
    elsewhere.write("t.tpl", "<template name=\"b\">\nabsolute\n</template>\n");
    Templatizer engine(root.path().string());
    engine.Load_Template((elsewhere.path() / "t.tpl").string());
    engine.Parse("b", "out", false);
    EXPECT_EQ(engine["out"], "absolute\n");
}

}  // namespace
