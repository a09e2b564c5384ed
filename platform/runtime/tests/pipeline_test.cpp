// The reading-and-storing pipeline: order, the bound on what is read ahead,
// and the first failure of either side stopping both.

#include "runtime/pipeline.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

TEST(Pipeline, EveryItemIsStoredInOrderAndTheReadingStaysABoundedWayAhead) {
    std::atomic<long> read = 0;
    long stored = 0;
    long most_ahead = 0;
    runtime::pipelined<std::string>(
        [&](runtime::Pipe<std::string>& pipe) {
            for (long i = 0; i < 100000; ++i) {
                pipe.next() = std::to_string(i);
                ++read;
            }
        },
        [&](const std::string& item) {
            ASSERT_EQ(item, std::to_string(stored));
            ++stored;
            most_ahead = std::max(most_ahead, read.load() - stored);
        });
    EXPECT_EQ(stored, 100000);
    // The batches in flight, whatever the input's size:
    EXPECT_LE(most_ahead, long(runtime::Pipe<std::string>::kMostAhead));
}

TEST(Pipeline, AStoringFailureStopsTheReadingAndIsThrown) {
    std::atomic<long> read = 0;
    EXPECT_THROW(runtime::pipelined<int>(
                     [&](runtime::Pipe<int>& pipe) {
                         for (int i = 0; i < 1000000; ++i) {
                             pipe.next() = i;
                             ++read;
                         }
                     },
                     [&](const int& item) {
                         if (item == 300)
                             throw std::runtime_error("disk full");
                     }),
                 std::runtime_error);
    EXPECT_LE(read.load(),
              long(300 + runtime::Pipe<int>::kMostAhead + runtime::Pipe<int>::kBatchItems));
}

TEST(Pipeline, AReadingFailureIsThrownOnceTheItemsBeforeItAreStored) {
    std::vector<int> stored;
    try {
        runtime::pipelined<int>(
            [&](runtime::Pipe<int>& pipe) {
                for (int i = 0; i < 1000; ++i)
                    pipe.next() = i;
                throw std::runtime_error("read error");
            },
            [&](const int& item) { stored.push_back(item); });
        ADD_FAILURE() << "no failure";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "read error");
    }
    ASSERT_EQ(stored.size(), 1000u);
    EXPECT_EQ(stored.back(), 999);
}

}  // namespace
