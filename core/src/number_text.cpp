// Number text: the one syntax in which coordinates, track, speed and altitude
// are written. The syntax is checked here; the conversion itself is done by
// std::from_chars, which rounds correctly.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

#include "volarion/field_parsers.hpp"

namespace volarion::fields {

namespace {

constexpr bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

constexpr char to_lower_ascii(char c) noexcept {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equals_ignoring_case(std::string_view text, std::string_view lower_word) noexcept {
    if (text.size() != lower_word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (to_lower_ascii(text[i]) != lower_word[i]) {
            return false;
        }
    }
    return true;
}

// Decimal exponents beyond this are far outside the range of a double; the
// bound only keeps the arithmetic below from overflowing.
constexpr std::int64_t exponent_clamp = 1'000'000'000;

std::int64_t clamp_add(std::int64_t a, std::int64_t b) noexcept {
    const std::int64_t sum = a + b;  // both operands are within +-exponent_clamp
    if (sum > exponent_clamp) return exponent_clamp;
    if (sum < -exponent_clamp) return -exponent_clamp;
    return sum;
}

// The pieces of a syntactically valid decimal number (without its sign).
struct DecimalParts {
    std::string_view integer_digits;
    std::string_view fraction_digits;
    std::int64_t exponent = 0;  // clamped
};

// Checks  digits [ "." digits ] [ ("e"|"E") [sign] digits ]  with at least
// one mantissa digit, and nothing else.
bool split_decimal(std::string_view text, DecimalParts& parts) noexcept {
    std::size_t pos = 0;
    const std::size_t n = text.size();
    const std::size_t integer_start = pos;
    while (pos < n && is_digit(text[pos])) ++pos;
    parts.integer_digits = text.substr(integer_start, pos - integer_start);
    if (pos < n && text[pos] == '.') {
        ++pos;
        const std::size_t fraction_start = pos;
        while (pos < n && is_digit(text[pos])) ++pos;
        parts.fraction_digits = text.substr(fraction_start, pos - fraction_start);
    }
    if (parts.integer_digits.empty() && parts.fraction_digits.empty()) {
        return false;
    }
    if (pos < n && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        bool negative = false;
        if (pos < n && (text[pos] == '+' || text[pos] == '-')) {
            negative = text[pos] == '-';
            ++pos;
        }
        if (pos == n || !is_digit(text[pos])) {
            return false;
        }
        std::int64_t exponent = 0;
        while (pos < n && is_digit(text[pos])) {
            if (exponent < exponent_clamp) {
                exponent = exponent * 10 + (text[pos] - '0');
            }
            ++pos;
        }
        if (exponent > exponent_clamp) exponent = exponent_clamp;
        parts.exponent = negative ? -exponent : exponent;
    }
    return pos == n;
}

// For a number whose conversion was out of range: true when it is too large
// (reads as infinity), false when it is too small (reads as zero). Decided by
// the decimal position of the first significant digit, which is >= 0 for any
// overflow and far below 0 for any underflow.
bool is_too_large(const DecimalParts& parts) noexcept {
    std::int64_t magnitude = 0;
    bool found = false;
    const auto integer_count = static_cast<std::int64_t>(parts.integer_digits.size());
    for (std::int64_t i = 0; i < integer_count; ++i) {
        if (parts.integer_digits[static_cast<std::size_t>(i)] != '0') {
            magnitude = integer_count - 1 - i;
            found = true;
            break;
        }
    }
    if (!found) {
        const auto fraction_count = static_cast<std::int64_t>(parts.fraction_digits.size());
        for (std::int64_t j = 0; j < fraction_count; ++j) {
            if (parts.fraction_digits[static_cast<std::size_t>(j)] != '0') {
                magnitude = -(j + 1);
                found = true;
                break;
            }
        }
    }
    if (!found) {
        return false;  // all zeros: zero is never out of range, but be safe
    }
    if (magnitude > exponent_clamp) magnitude = exponent_clamp;
    if (magnitude < -exponent_clamp) magnitude = -exponent_clamp;
    return clamp_add(magnitude, parts.exponent) >= 0;
}

}  // namespace

std::optional<double> parse_number_text(Bytes text) noexcept {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    if (equals_ignoring_case(text, "inf") || equals_ignoring_case(text, "infinity")) {
        const double inf = std::numeric_limits<double>::infinity();
        return negative ? -inf : inf;
    }
    if (equals_ignoring_case(text, "nan")) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        return std::copysign(nan, negative ? -1.0 : 1.0);
    }

    DecimalParts parts;
    if (!split_decimal(text, parts)) {
        return std::nullopt;
    }

    double value = 0.0;
    const char* const first = text.data();
    const char* const last = first + text.size();
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        value = is_too_large(parts) ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc() || result.ptr != last) {
        // The syntax above is a subset of what from_chars accepts; this is
        // only reached if the two ever disagree.
        return std::nullopt;
    }
    return negative ? -value : value;
}

}  // namespace volarion::fields
