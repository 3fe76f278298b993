#include "borrow_flag.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace {

using volarion::BorrowFlag;
using volarion::ExclusiveBorrow;
using volarion::SharedBorrow;

TEST(BorrowFlag, SharedBorrowsStackAndBlockWriters) {
    BorrowFlag flag;
    {
        SharedBorrow a(flag);
        SharedBorrow b(flag);
        ASSERT_TRUE(a && b);
        EXPECT_EQ(flag.load(), 2u);
        ExclusiveBorrow writer(flag);
        EXPECT_FALSE(writer);
        EXPECT_EQ(flag.load(), 2u);
    }
    EXPECT_EQ(flag.load(), 0u);
}

TEST(BorrowFlag, ExclusiveBorrowBlocksEveryone) {
    BorrowFlag flag;
    {
        ExclusiveBorrow writer(flag);
        ASSERT_TRUE(writer);
        EXPECT_EQ(flag.load(), BorrowFlag::exclusive_mark);
        EXPECT_FALSE(SharedBorrow(flag));
        EXPECT_FALSE(ExclusiveBorrow(flag));
        EXPECT_EQ(flag.load(), BorrowFlag::exclusive_mark);
    }
    EXPECT_EQ(flag.load(), 0u);
    EXPECT_TRUE(ExclusiveBorrow(flag));
}

TEST(BorrowFlag, CountNeverReachesTheExclusiveMark) {
    BorrowFlag flag(BorrowFlag::exclusive_mark - 3);
    EXPECT_TRUE(flag.try_acquire_shared());
    EXPECT_TRUE(flag.try_acquire_shared());
    EXPECT_EQ(flag.load(), BorrowFlag::exclusive_mark - 1);
    EXPECT_FALSE(flag.try_acquire_shared());
    EXPECT_FALSE(flag.try_acquire_exclusive());
    flag.release_shared();
    EXPECT_EQ(flag.load(), BorrowFlag::exclusive_mark - 2);
}

// Writers store a value pattern whose halves must always agree; readers
// check them under shared borrows. Any overlap of a reader with a writer
// shows as a torn pair (and as a data race under ThreadSanitizer).
TEST(BorrowFlag, ReadersNeverSeeAHalfWrittenValueAcrossThreads) {
    BorrowFlag flag;
    std::uint64_t first = 0;
    std::uint64_t second = ~std::uint64_t{0};  // the pair starts consistent
    std::atomic<bool> torn{false};
    std::atomic<long> writes{0};
    std::atomic<long> reads{0};
    std::atomic<long> refused{0};

    constexpr int rounds = 5000;
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t) {
        threads.emplace_back([&, t] {
            // Each thread retries until it has done its share, so that both
            // sides make progress whatever the scheduling.
            for (int i = 0; i < rounds;) {
                ExclusiveBorrow writer(flag);
                if (!writer) {
                    refused.fetch_add(1, std::memory_order_relaxed);
                    std::this_thread::yield();
                    continue;
                }
                const std::uint64_t value = static_cast<std::uint64_t>(t * rounds + i);
                first = value;
                second = ~value;
                writes.fetch_add(1, std::memory_order_relaxed);
                ++i;
            }
        });
    }
    for (int t = 0; t < 2; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < rounds;) {
                SharedBorrow reader(flag);
                if (!reader) {
                    refused.fetch_add(1, std::memory_order_relaxed);
                    std::this_thread::yield();
                    continue;
                }
                if (first != ~second) {
                    torn.store(true);
                }
                reads.fetch_add(1, std::memory_order_relaxed);
                ++i;
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_FALSE(torn.load());
    EXPECT_EQ(flag.load(), 0u);
    EXPECT_EQ(writes.load(), 2L * rounds);
    EXPECT_EQ(reads.load(), 2L * rounds);
}

TEST(BorrowFlag, ConcurrentReadersAllSucceedWithoutWriters) {
    BorrowFlag flag;
    std::atomic<long> granted{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 10000; ++i) {
                SharedBorrow reader(flag);
                if (reader) {
                    granted.fetch_add(1, std::memory_order_relaxed);
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(granted.load(), 40000);
    EXPECT_EQ(flag.load(), 0u);
}

}  // namespace
