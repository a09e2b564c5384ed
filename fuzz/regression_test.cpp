// Runs a fuzz target's entry function, built without libFuzzer, over its
// seed corpus and over every input that ever found a fault: a check that
// fails or a sanitizer report ends the test.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_support.h"

namespace {

std::vector<std::filesystem::path> inputs_in(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(folder))
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// FUZZ_SUITE names the target: fuzz_quillon_menu.SeedsAndKeptFindingsPassTheChecks.
TEST(FUZZ_SUITE, SeedsAndKeptFindingsPassTheChecks) {
    const auto seeds = inputs_in(FUZZ_CORPUS_DIR);
    EXPECT_FALSE(seeds.empty()) << "no seed corpus in " << FUZZ_CORPUS_DIR;
    auto files = seeds;
    const auto kept = inputs_in(FUZZ_REGRESSION_DIR);
    files.insert(files.end(), kept.begin(), kept.end());
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        ASSERT_TRUE(in.is_open()) << file;
        const std::vector<char> content{std::istreambuf_iterator<char>(in), {}};
        std::fprintf(stderr, "input %s\n", file.c_str());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(content.data()),
                               content.size());
    }
}

}  // namespace
