// The pieces of the debug text: quoted, escaped texts and floats.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

#include "volarion/text.hpp"

namespace volarion {

namespace {

constexpr std::string_view replacement_character = "\xEF\xBF\xBD";

// Printable ASCII that stands for itself inside the quotes.
constexpr bool is_plain_ascii(unsigned char b) noexcept {
    return b >= 0x20 && b <= 0x7E && b != '"' && b != '\\';
}

void append_code_point_escape(std::string& out, char32_t c) {
    char hex[8];
    const auto result = std::to_chars(hex, hex + sizeof hex, static_cast<std::uint32_t>(c), 16);
    out += "\\u{";
    out.append(hex, result.ptr);
    out += '}';
}

void append_ascii_escape(std::string& out, unsigned char b) {
    switch (b) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\0': out += "\\0"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: append_code_point_escape(out, b); break;
    }
}

// Length of the UTF-8 sequence a lead byte announces; 0 for bytes that
// cannot start one.
constexpr std::size_t sequence_length(unsigned char lead) noexcept {
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

char32_t decode(std::string_view sequence) noexcept {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(sequence[i]); };
    char32_t c = byte(0) & (0x7Fu >> sequence.size());
    for (std::size_t i = 1; i < sequence.size(); ++i) c = (c << 6) | (byte(i) & 0x3Fu);
    return c;
}

}  // namespace

void append_quoted(std::string& out, std::string_view text) {
    out.reserve(out.size() + text.size() + 2);
    out += '"';
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t run = i;
        while (i < text.size() && is_plain_ascii(static_cast<unsigned char>(text[i]))) ++i;
        out.append(text, run, i - run);
        if (i == text.size()) break;

        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            append_ascii_escape(out, lead);
            ++i;
            continue;
        }
        // Callers pass valid UTF-8; should a byte not start a complete,
        // well-formed sequence anyway, it stands for one U+FFFD.
        const std::size_t length = sequence_length(lead);
        const std::string_view sequence = text.substr(i, length);
        if (length == 0 || sequence.size() < length || !is_valid_utf8(sequence)) {
            out += replacement_character;
            ++i;
            continue;
        }
        const char32_t c = decode(sequence);
        if (needs_unicode_escape(c)) {
            append_code_point_escape(out, c);
        } else {
            out += sequence;
        }
        i += length;
    }
    out += '"';
}

void append_debug_float(std::string& out, double value) {
    if (std::isnan(value)) {
        out += "NaN";
        return;
    }
    if (std::signbit(value)) out += '-';
    const double magnitude = std::fabs(value);
    if (std::isinf(magnitude)) {
        out += "inf";
        return;
    }

    // The shortest round-trip digits come as "d[.ddd]e<sign><exponent>".
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = scientific.find('e');
    std::string digits(1, scientific[0]);
    if (e > 1) digits.append(scientific.substr(2, e - 2));
    std::string_view exponent_text = scientific.substr(e + 1);
    if (exponent_text.front() == '+') exponent_text.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exponent_text.data(), exponent_text.data() + exponent_text.size(), exponent);

    // The value is digits[0].digits[1..] * 10^exponent.
    if (magnitude == 0.0 || (magnitude >= 1e-4 && magnitude < 1e16)) {
        if (exponent < 0) {
            out += "0.";
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += digits;
        } else {
            const auto integer_digits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= integer_digits) {
                out += digits;
                out.append(integer_digits - digits.size(), '0');
                out += ".0";
            } else {
                out.append(digits, 0, integer_digits);
                out += '.';
                out.append(digits, integer_digits);
            }
        }
    } else {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1);
        }
        // Written anew from the number: no plus sign, no leading zeros.
        char exponent_digits[8];
        const auto written =
            std::to_chars(exponent_digits, exponent_digits + sizeof exponent_digits, exponent);
        out += 'e';
        out.append(exponent_digits, written.ptr);
    }
}

}  // namespace volarion
