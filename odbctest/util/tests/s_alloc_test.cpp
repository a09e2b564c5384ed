// Allocation that ends the process, with its log line, when memory runs out.

#include <cstdlib>
#include <cstring>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "s_alloc.h"

namespace {

using testing::Eq;
using testing::ExitedWithCode;

void* no_block(std::size_t, std::size_t) {
    return nullptr;
}
void* no_resize(void*, std::size_t) {
    return nullptr;
}

TEST(SAlloc, GivesZeroedBlocksAndCopies) {
    auto* block = static_cast<unsigned char*>(s_alloc(4, 8));
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(block[i], 0);
    block = static_cast<unsigned char*>(s_realloc(block, 64));
    EXPECT_EQ(block[31], 0);
    std::free(block);

    // A count or size of 0 still gives a block, and so does a resize to 0.
    void* empty = s_alloc(0, 16);
    ASSERT_NE(empty, nullptr);
    empty = s_realloc(empty, 0);
    EXPECT_NE(empty, nullptr);
    std::free(empty);

    char* copy = s_strdup("dsn=Sales");
    EXPECT_STREQ(copy, "dsn=Sales");
    std::free(copy);
}

TEST(SAlloc, RunningOutOfMemoryIsLoggedAndEndsTheProcess) {
    // A fresh process: the logger must not have been set up by other cases.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            s_set_allocator(no_block, nullptr);
            s_alloc(1, 10);
        },
        ExitedWithCode(1), Eq("s_alloc: out of memory\n"));
    EXPECT_EXIT(
        {
            s_set_allocator(no_block, nullptr);
            s_strdup("text");
        },
        ExitedWithCode(1), Eq("s_alloc: out of memory\n"));
    EXPECT_EXIT(
        {
            s_set_allocator(nullptr, no_resize);
            s_realloc(nullptr, 10);
        },
        ExitedWithCode(1), Eq("s_realloc: out of memory\n"));
}

}  // namespace
