// Program arguments: options of every kind into their targets, the usage
// text and its wrapping, and the end of the process for a bad option.

#include <cstdlib>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "capture_output.h"
#include "program_args.h"

namespace {

using testing::ExitedWithCode;

// An argument vector that parse_arguments may reorder.
struct Arguments {
    std::vector<std::string> storage;
    std::vector<char*> pointers;
    int argc = 0;
    char** argv = nullptr;
    explicit Arguments(std::vector<std::string> words) : storage(std::move(words)) {
        for (auto& word : storage)
            pointers.push_back(word.data());
        pointers.push_back(nullptr);
        argc = static_cast<int>(storage.size());
        argv = pointers.data();
    }
    std::vector<std::string> words() const { return {argv, argv + argc}; }
};

int verbose = 0;
const char* output_name = nullptr;
long repeat = 0;
long width = 0;
const option_spec* called_with = nullptr;
void on_trace(const option_spec* option) {
    called_with = option;
}

const option_spec kOptions[] = {
    {"verbose", 'v', OPTION_FLAG, &verbose, "say more"},
    {"output", 'o', OPTION_TEXT, &output_name, "write here"},
    {"repeat", 'r', OPTION_INTEGER, &repeat, "times"},
    {"width", 0, OPTION_INTEGER2, &width, "columns"},
    {"trace", 't', OPTION_CALLBACK, reinterpret_cast<void*>(on_trace), "trace calls"},
    {"quiet", 'q', OPTION_FLAG, nullptr, "accepted, ignored"},
    {"internal", 'i', OPTION_FLAG, nullptr, "never shown"},
    {nullptr, 0, 0, nullptr, nullptr},
};

class ProgramArgs : public testing::Test {
protected:
    void SetUp() override {
        program_info = {nullptr, "Banner line\n", "files...", 0, kOptions};
        verbose = 0;
        output_name = nullptr;
        repeat = width = 0;
        called_with = nullptr;
    }
};

TEST_F(ProgramArgs, OptionsOfEveryKindReachTheirTargets) {
    Arguments args({"/usr/local/bin/tool", "-v", "--output", "out.txt", "first", "-r", "12",
                    "--width=80", "-t", "each", "-q", "--", "-last"});
    parse_arguments(&args.argc, &args.argv);
    EXPECT_STREQ(program_info.name, "tool");
    EXPECT_EQ(verbose, 1);
    EXPECT_STREQ(output_name, "out.txt");
    EXPECT_EQ(output_name, args.storage[3].data());  // the argument itself, not a copy
    EXPECT_EQ(repeat, 12);
    EXPECT_EQ(width, 80);
    EXPECT_EQ(called_with, &kOptions[4]);
    // Nothing is taken out of the vector; getopt_long moved the operands last.
    EXPECT_EQ(args.argc, 13);
    EXPECT_EQ(args.words().back(), "-last");
    EXPECT_THAT(args.words(), testing::Contains("first"));
}

TEST_F(ProgramArgs, ProgramNameWithoutSlashIsTheWholePathAndASetNameStays) {
    Arguments bare({"tool"});
    parse_arguments(&bare.argc, &bare.argv);
    EXPECT_STREQ(program_info.name, "tool");

    program_info.name = "given";
    Arguments path({"/bin/other"});
    parse_arguments(&path.argc, &path.argv);
    EXPECT_STREQ(program_info.name, "given");
}

TEST_F(ProgramArgs, UnknownOptionsAndMissingArgumentsEndWithTheUsageText) {
    for (std::vector<std::string> words : {std::vector<std::string>{"tool", "-x"},
                                           {"tool", "--nosuch"},
                                           {"tool", "-o"},
                                           {"tool", "--repeat"}}) {
        Arguments args(words);
        EXPECT_EXIT(parse_arguments(&args.argc, &args.argv), ExitedWithCode(1),
                    testing::StartsWith("Banner line\n\nUsage:\n  tool [-vortqi]"))
            << words.back();
    }
}

TEST_F(ProgramArgs, UsageWrapsItsItemsAt78Columns) {
    program_info.name = "tool";
    std::string usage = testsupport::capture_stderr(print_usage);
    EXPECT_EQ(usage,
              "Banner line\n\nUsage:\n"
              "  tool [-vortqi] [+verbose] [+output arg] [+repeat num] [+width num]\n"
              "       [+trace arg] [+quiet] files...\n"
              "  +verbose   say more\n"
              "  +output    write here\n"
              "  +repeat    times\n"
              "  +width     columns\n"
              "  +trace     trace calls\n"
              "  +quiet     accepted, ignored\n");
}

TEST_F(ProgramArgs, UsageWithoutOptionsPutsALongSynopsisOnItsOwnLine) {
    const option_spec none[] = {{nullptr, 0, 0, nullptr, nullptr}};
    const std::string synopsis(81, 's');
    program_info = {"ostrel", "Banner\n", synopsis.c_str(), PROGRAM_RESPONSE_FILES, none};
    EXPECT_EQ(testsupport::capture_stderr(print_usage),
              "Banner\n\nUsage:\n  ostrel\n         " + synopsis + "\n");

    program_info.synopsis = "short";
    EXPECT_EQ(testsupport::capture_stderr(print_usage), "Banner\n\nUsage:\n  ostrel short\n");
}

TEST_F(ProgramArgs, ProgramWithoutOptionsRefusesAnyDashArgument) {
    const option_spec none[] = {{nullptr, 0, 0, nullptr, nullptr}};
    program_info = {nullptr, "B\n", "dsn=x", 0, none};
    Arguments lone_dashes({"ostrel", "-", "--", "dsn=x"});
    parse_arguments(&lone_dashes.argc, &lone_dashes.argv);
    EXPECT_THAT(lone_dashes.words(), testing::UnorderedElementsAre("ostrel", "-", "--", "dsn=x"));

    Arguments option({"ostrel", "-v", "dsn=x"});
    EXPECT_EXIT(parse_arguments(&option.argc, &option.argv), ExitedWithCode(1),
                testing::Eq("B\n\nUsage:\n  ostrel dsn=x\n"));
}

}  // namespace
