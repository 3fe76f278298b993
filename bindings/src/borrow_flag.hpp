// Per-instance borrow counter: many readers or one writer, never waiting.
// It holds no interpreter state, so it is usable (and tested) without Python.
#pragma once

#include <atomic>
#include <cstdint>
#include <limits>

namespace volarion {

class BorrowFlag {
public:
    // 0 is free, n > 0 is n shared borrows, all ones is one exclusive borrow.
    static constexpr std::uintptr_t exclusive_mark = std::numeric_limits<std::uintptr_t>::max();

    constexpr BorrowFlag() noexcept = default;
    // Starts from a given count (for tests of the limits).
    constexpr explicit BorrowFlag(std::uintptr_t count) noexcept : count_(count) {}

    bool try_acquire_shared() noexcept {
        std::uintptr_t current = count_.load(std::memory_order_relaxed);
        do {
            // The last count below the mark is refused too, so that a count
            // can never turn into the exclusive mark.
            if (current >= exclusive_mark - 1) {
                return false;
            }
        } while (!count_.compare_exchange_weak(current, current + 1, std::memory_order_acquire,
                                               std::memory_order_relaxed));
        return true;
    }

    void release_shared() noexcept { count_.fetch_sub(1, std::memory_order_release); }

    bool try_acquire_exclusive() noexcept {
        std::uintptr_t expected = 0;
        return count_.compare_exchange_strong(expected, exclusive_mark, std::memory_order_acquire,
                                              std::memory_order_relaxed);
    }

    void release_exclusive() noexcept { count_.store(0, std::memory_order_release); }

    std::uintptr_t load() const noexcept { return count_.load(std::memory_order_relaxed); }

private:
    std::atomic<std::uintptr_t> count_{0};
};

// Scoped borrows: engaged when the borrow was granted, released on scope exit.
class SharedBorrow {
public:
    explicit SharedBorrow(BorrowFlag& flag) noexcept : flag_(flag.try_acquire_shared() ? &flag : nullptr) {}
    SharedBorrow(const SharedBorrow&) = delete;
    SharedBorrow& operator=(const SharedBorrow&) = delete;
    ~SharedBorrow() {
        if (flag_ != nullptr) {
            flag_->release_shared();
        }
    }
    explicit operator bool() const noexcept { return flag_ != nullptr; }

private:
    BorrowFlag* flag_;
};

class ExclusiveBorrow {
public:
    explicit ExclusiveBorrow(BorrowFlag& flag) noexcept : flag_(flag.try_acquire_exclusive() ? &flag : nullptr) {}
    ExclusiveBorrow(const ExclusiveBorrow&) = delete;
    ExclusiveBorrow& operator=(const ExclusiveBorrow&) = delete;
    ~ExclusiveBorrow() {
        if (flag_ != nullptr) {
            flag_->release_exclusive();
        }
    }
    explicit operator bool() const noexcept { return flag_ != nullptr; }

private:
    BorrowFlag* flag_;
};

}  // namespace volarion
