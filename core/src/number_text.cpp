// Number text: the one syntax in which coordinates, track, speed and altitude
// are written. The syntax is checked in one pass that also gathers the
// decimal significand. Short numbers, which is every field of a beacon line,
// are then converted exactly by one IEEE operation; all others by
// std::from_chars. Both round correctly.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
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

// Exponents written beyond this are far outside the range of a double; the
// bound only keeps the arithmetic from overflowing.
constexpr std::int64_t exponent_clamp = 1'000'000'000;

// 2^53: every integer up to it is an exact double.
constexpr std::uint64_t max_exact_significand = std::uint64_t{1} << 53;

// The powers of ten that a double holds exactly.
constexpr double exact_powers_of_ten[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                          1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::int64_t max_exact_power = static_cast<std::int64_t>(std::size(exact_powers_of_ten)) - 1;

// What the syntax pass learns about a decimal number (without its sign):
// its value is significand x 10^scale, where significand holds the first
// 19 significant digits (so it is exact when digit_count <= 19) and scale
// accounts for the fraction digits taken, the integer digits dropped and the
// written exponent.
struct Decimal {
    std::uint64_t significand = 0;
    std::int64_t digit_count = 0;  // significant digits, leading zeros excluded
    std::int64_t scale = 0;
};

// Checks  digits [ "." digits ] [ ("e"|"E") [sign] digits ]  with at least
// one mantissa digit, and nothing else.
bool scan_decimal(std::string_view text, Decimal& out) noexcept {
    const char* p = text.data();
    const char* const end = p + text.size();
    bool any_digit = false;
    const auto take_digit = [&](char c, bool in_fraction) {
        any_digit = true;
        if (out.digit_count == 0 && c == '0') {
            out.scale -= in_fraction ? 1 : 0;
            return;
        }
        if (out.digit_count < 19) {
            out.significand = out.significand * 10 + static_cast<std::uint64_t>(c - '0');
            out.scale -= in_fraction ? 1 : 0;
        } else {
            // Digits beyond the 19th only shift the integer part.
            out.scale += in_fraction ? 0 : 1;
        }
        ++out.digit_count;
    };
    for (; p != end && is_digit(*p); ++p) take_digit(*p, false);
    if (p != end && *p == '.') {
        for (++p; p != end && is_digit(*p); ++p) take_digit(*p, true);
    }
    if (!any_digit) {
        return false;
    }
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negative = false;
        if (p != end && (*p == '+' || *p == '-')) {
            negative = *p == '-';
            ++p;
        }
        if (p == end || !is_digit(*p)) {
            return false;
        }
        std::int64_t exponent = 0;
        for (; p != end && is_digit(*p); ++p) {
            if (exponent < exponent_clamp) {
                exponent = exponent * 10 + (*p - '0');
            }
        }
        out.scale += negative ? -exponent : exponent;
    }
    return p == end;
}

// Every fixed-width field of a beacon line is written as plain digits with
// at most one "." and no sign or exponent. Up to 15 digits the significand
// is below 2^53, so such a text converts exactly by one IEEE operation.
// false means only "not plain": the general path then decides.
constexpr std::size_t max_plain_length = 15;

bool plain_decimal(Bytes text, double& out) noexcept {
    const std::size_t n = text.size();
    if (n == 0 || n > max_plain_length) {
        return false;
    }
    std::uint64_t significand = 0;
    std::size_t i = 0;
    for (; i != n && is_digit(text[i]); ++i) {
        significand = significand * 10 + static_cast<std::uint64_t>(text[i] - '0');
    }
    const std::size_t integer_digits = i;
    std::size_t fraction_digits = 0;
    if (i != n && text[i] == '.') {
        const std::size_t fraction_start = ++i;
        for (; i != n && is_digit(text[i]); ++i) {
            significand = significand * 10 + static_cast<std::uint64_t>(text[i] - '0');
        }
        fraction_digits = i - fraction_start;
    }
    if (i != n || integer_digits + fraction_digits == 0) {
        return false;  // something else follows, or "." alone
    }
    const auto value = static_cast<double>(significand);
    out = fraction_digits == 0 ? value : value / exact_powers_of_ten[fraction_digits];
    return true;
}

}  // namespace

bool read_number_text(Bytes text, double& out) noexcept {
    if (plain_decimal(text, out)) {
        return true;
    }

    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    // A number starts with a digit or "."; anything else can only be a word.
    if (!text.empty() && !is_digit(text.front()) && text.front() != '.') {
        if (equals_ignoring_case(text, "inf") || equals_ignoring_case(text, "infinity")) {
            const double inf = std::numeric_limits<double>::infinity();
            out = negative ? -inf : inf;
            return true;
        }
        if (equals_ignoring_case(text, "nan")) {
            const double nan = std::numeric_limits<double>::quiet_NaN();
            out = std::copysign(nan, negative ? -1.0 : 1.0);
            return true;
        }
        return false;
    }

    Decimal decimal;
    if (!scan_decimal(text, decimal)) {
        return false;
    }

    double value = 0.0;
    if (decimal.significand == 0) {
        value = 0.0;  // only zero digits, whatever the exponent
    } else if (decimal.digit_count <= 19 && decimal.significand <= max_exact_significand &&
               decimal.scale >= -max_exact_power && decimal.scale <= max_exact_power) {
        // Both operands are exact doubles, so one multiplication or division
        // rounds the true value correctly.
        const auto significand = static_cast<double>(decimal.significand);
        value = decimal.scale >= 0 ? significand * exact_powers_of_ten[decimal.scale]
                                   : significand / exact_powers_of_ten[-decimal.scale];
    } else {
        const char* const first = text.data();
        const char* const last = first + text.size();
        const auto result = std::from_chars(first, last, value, std::chars_format::general);
        if (result.ec == std::errc::result_out_of_range) {
            // Too large or too small: the decimal position of the leading
            // digit is >= 0 for every overflow and far below 0 for every
            // underflow.
            const std::int64_t leading_power = std::min<std::int64_t>(decimal.digit_count, 19) - 1 + decimal.scale;
            value = leading_power >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
        } else if (result.ec != std::errc() || result.ptr != last) {
            // The syntax above is a subset of what from_chars accepts; this is
            // only reached if the two ever disagree.
            return false;
        }
    }
    out = negative ? -value : value;
    return true;
}

}  // namespace volarion::fields
