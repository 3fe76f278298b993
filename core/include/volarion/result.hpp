// A small value-or-error type in the shape of std::expected. The project keeps
// to C++20 so that the fuzzing build (clang with libstdc++) compiles the same
// sources; std::expected is not available there.
#pragma once

#include <type_traits>
#include <utility>
#include <variant>

namespace volarion {

template <typename E>
struct Unexpected {
    E error;
};

template <typename E>
Unexpected<std::decay_t<E>> unexpected(E&& error) {
    return {std::forward<E>(error)};
}

template <typename T, typename E>
class [[nodiscard]] Expected {
public:
    constexpr Expected(const T& value) : storage_(std::in_place_index<0>, value) {}
    constexpr Expected(T&& value) : storage_(std::in_place_index<0>, std::move(value)) {}
    template <typename G>
    constexpr Expected(Unexpected<G> error) : storage_(std::in_place_index<1>, std::move(error.error)) {}
    // The value built in place, so that a function can fill in its named
    // result and return it without a move.
    template <typename... Args>
    constexpr explicit Expected(std::in_place_t, Args&&... args)
        : storage_(std::in_place_index<0>, std::forward<Args>(args)...) {}

    // Replaces whatever is held by an error.
    template <typename... Args>
    E& emplace_error(Args&&... args) {
        return storage_.template emplace<1>(std::forward<Args>(args)...);
    }

    bool has_value() const noexcept { return storage_.index() == 0; }
    explicit operator bool() const noexcept { return has_value(); }

    T& value() & noexcept { return *std::get_if<0>(&storage_); }
    const T& value() const& noexcept { return *std::get_if<0>(&storage_); }
    T&& value() && noexcept { return std::move(*std::get_if<0>(&storage_)); }
    T& operator*() & noexcept { return value(); }
    const T& operator*() const& noexcept { return value(); }
    T&& operator*() && noexcept { return std::move(*this).value(); }
    T* operator->() noexcept { return std::get_if<0>(&storage_); }
    const T* operator->() const noexcept { return std::get_if<0>(&storage_); }

    E& error() & noexcept { return *std::get_if<1>(&storage_); }
    const E& error() const& noexcept { return *std::get_if<1>(&storage_); }
    E&& error() && noexcept { return std::move(*std::get_if<1>(&storage_)); }

private:
    std::variant<T, E> storage_;
};

}  // namespace volarion
