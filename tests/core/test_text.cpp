// Tests of the text helpers: UTF-8 validation and lossy decoding, the
// escape table, quoting and float formatting.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <string_view>

#include "volarion/text.hpp"

namespace {

using namespace std::string_view_literals;
using volarion::append_debug_float;
using volarion::append_lossy_utf8;
using volarion::append_quoted;
using volarion::is_valid_utf8;
using volarion::lossy_utf8;
using volarion::needs_unicode_escape;

constexpr std::string_view fffd = "\xEF\xBF\xBD";

std::string repeat(std::string_view s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

std::string encode(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// ---------------------------------------------------------------- UTF-8

struct LossyCase {
    const char* name;
    std::string_view input;
    std::string expected;
};

const LossyCase lossy_cases[] = {
    {"empty", ""sv, ""},
    {"ascii", "abc xyz"sv, "abc xyz"},
    {"ascii with NUL", "a\0b"sv, std::string("a\0b", 3)},
    {"two-byte smallest U+0080", "\xC2\x80"sv, "\xC2\x80"},
    {"two-byte largest U+07FF", "\xDF\xBF"sv, "\xDF\xBF"},
    {"e acute", "\xC3\xA9"sv, "\xC3\xA9"},
    {"three-byte smallest U+0800", "\xE0\xA0\x80"sv, "\xE0\xA0\x80"},
    {"euro sign", "\xE2\x82\xAC"sv, "\xE2\x82\xAC"},
    {"below surrogates U+D7FF", "\xED\x9F\xBF"sv, "\xED\x9F\xBF"},
    {"above surrogates U+E000", "\xEE\x80\x80"sv, "\xEE\x80\x80"},
    {"U+FFFD itself", fffd, std::string(fffd)},
    {"four-byte smallest U+10000", "\xF0\x90\x80\x80"sv, "\xF0\x90\x80\x80"},
    {"emoji", "\xF0\x9F\x98\x80"sv, "\xF0\x9F\x98\x80"},
    {"largest U+10FFFF", "\xF4\x8F\xBF\xBF"sv, "\xF4\x8F\xBF\xBF"},
    {"lone continuation", "\x80"sv, std::string(fffd)},
    {"lone BF", "\xBF"sv, std::string(fffd)},
    {"two continuations", "\x80\xBF"sv, repeat(fffd, 2)},
    {"FE", "\xFE"sv, std::string(fffd)},
    {"FF", "\xFF"sv, std::string(fffd)},
    {"truncated two-byte", "\xC3"sv, std::string(fffd)},
    {"truncated three-byte", "\xE2\x82"sv, std::string(fffd)},
    {"truncated four-byte", "\xF0\x9F\x98"sv, std::string(fffd)},
    {"truncated four-byte after one", "\xF0\x9F"sv, std::string(fffd)},
    {"truncated four-byte then ASCII", "\xF0\x9F\x98" "A"sv, std::string(fffd) + "A"},
    {"truncated three-byte then ASCII", "\xE2\x82" "A"sv, std::string(fffd) + "A"},
    {"truncated then lead of valid", "\xE2\xE2\x82\xAC"sv, std::string(fffd) + "\xE2\x82\xAC"},
    {"surplus continuation", "\xC3\xA9\xA9"sv, "\xC3\xA9" + std::string(fffd)},
    {"overlong two-byte C0 AF", "\xC0\xAF"sv, repeat(fffd, 2)},
    {"overlong two-byte C1 BF", "\xC1\xBF"sv, repeat(fffd, 2)},
    {"overlong NUL C0 80", "\xC0\x80"sv, repeat(fffd, 2)},
    {"overlong three-byte E0 80 80", "\xE0\x80\x80"sv, repeat(fffd, 3)},
    {"overlong three-byte E0 9F BF", "\xE0\x9F\xBF"sv, repeat(fffd, 3)},
    {"overlong four-byte F0 80 80 80", "\xF0\x80\x80\x80"sv, repeat(fffd, 4)},
    {"overlong four-byte F0 8F BF BF", "\xF0\x8F\xBF\xBF"sv, repeat(fffd, 4)},
    {"surrogate ED A0 80", "\xED\xA0\x80"sv, repeat(fffd, 3)},
    {"surrogate ED BF BF", "\xED\xBF\xBF"sv, repeat(fffd, 3)},
    {"above U+10FFFF F4 90 80 80", "\xF4\x90\x80\x80"sv, repeat(fffd, 4)},
    {"F5 lead", "\xF5\x80\x80\x80"sv, repeat(fffd, 4)},
    {"five-byte form", "\xF8\x88\x80\x80\x80"sv, repeat(fffd, 5)},
    {"six-byte form", "\xFC\x84\x80\x80\x80\x80"sv, repeat(fffd, 6)},
    {"mixed", "a\xF0\x9F\x98\x80" "b\xC3"sv, "a\xF0\x9F\x98\x80" "b" + std::string(fffd)},
    {"invalid between ASCII runs", "abcdefghij\x80klmnopqrstuvwxyz"sv,
     "abcdefghij" + std::string(fffd) + "klmnopqrstuvwxyz"},
    {"invalid after long valid run", "0123456789abcdef\xC3\xA9\xFF"sv,
     "0123456789abcdef\xC3\xA9" + std::string(fffd)},
};

TEST(Utf8, LossyDecodingTable) {
    for (const auto& c : lossy_cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(lossy_utf8(c.input), c.expected);
    }
}

TEST(Utf8, ValidationTable) {
    // Input is valid exactly when lossy decoding leaves it unchanged.
    for (const auto& c : lossy_cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(is_valid_utf8(c.input), c.expected == c.input);
    }
}

TEST(Utf8, AppendKeepsExistingText) {
    std::string out = "prefix:";
    append_lossy_utf8(out, "a\x80" "b"sv);
    EXPECT_EQ(out, "prefix:a" + std::string(fffd) + "b");
}

TEST(Utf8, InvalidByteAtEveryOffsetOfAsciiRun) {
    // The ASCII fast path reads words; an invalid byte must be found at any
    // position relative to the word boundaries.
    for (std::size_t pos = 0; pos < 24; ++pos) {
        SCOPED_TRACE(pos);
        std::string input(24, 'x');
        input[pos] = '\x80';
        std::string expected(24, 'x');
        expected.replace(pos, 1, fffd);
        EXPECT_FALSE(is_valid_utf8(input));
        EXPECT_EQ(lossy_utf8(input), expected);
    }
}

TEST(Utf8, EveryCodePointRoundTrips) {
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        const std::string bytes = encode(c);
        const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
        ASSERT_EQ(is_valid_utf8(bytes), !surrogate) << std::hex << static_cast<std::uint32_t>(c);
        if (!surrogate) {
            ASSERT_EQ(lossy_utf8(bytes), bytes);
        }
    }
}

TEST(Utf8, RandomBytesDecodeToValidText) {
    std::mt19937_64 rng(20240611);
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < 20000; ++i) {
        std::string input;
        for (int n = length(rng); n > 0; --n) {
            // Bias towards bytes of multi-byte sequences.
            const int b = byte(rng);
            input += static_cast<char>(b < 64 ? b : 0x80 | (b & 0x7F));
        }
        const std::string out = lossy_utf8(input);
        ASSERT_TRUE(is_valid_utf8(out));
        if (is_valid_utf8(input)) {
            ASSERT_EQ(out, input);
        } else {
            ASSERT_NE(out.find(fffd), std::string::npos);
        }
    }
}

// ---------------------------------------------------------- escape table

// A code point with its general category and Grapheme_Extend property as
// UnicodeData.txt and DerivedCoreProperties.txt (Unicode 15.0) list them.
struct CodePointData {
    char32_t code_point;
    std::string_view category;
    bool grapheme_extend;
};

const CodePointData code_point_data[] = {
    // Cc
    {0x00, "Cc", false}, {0x1F, "Cc", false}, {0x7F, "Cc", false},
    {0x80, "Cc", false}, {0x9F, "Cc", false},
    // Cf, one of them also Grapheme_Extend
    {0xAD, "Cf", false}, {0x600, "Cf", false}, {0x61C, "Cf", false},
    {0x200B, "Cf", false}, {0x200C, "Cf", true}, {0x200D, "Cf", false},
    {0x200E, "Cf", false}, {0x2060, "Cf", false}, {0xFEFF, "Cf", false},
    {0x110BD, "Cf", false}, {0xE0020, "Cf", true},
    // Cs (a First/Last range)
    {0xD800, "Cs", false}, {0xDBFF, "Cs", false}, {0xDC00, "Cs", false}, {0xDFFF, "Cs", false},
    // Co (First/Last ranges)
    {0xE000, "Co", false}, {0xF8FF, "Co", false}, {0xF0000, "Co", false},
    {0xFFFFD, "Co", false}, {0x100000, "Co", false}, {0x10FFFD, "Co", false},
    // Cn: unassigned and noncharacters, also right after First/Last ranges
    {0x378, "Cn", false}, {0xFFFE, "Cn", false}, {0xFFFF, "Cn", false},
    {0xD7A4, "Cn", false}, {0x187F8, "Cn", false}, {0x2A6E0, "Cn", false},
    {0x323B0, "Cn", false}, {0x2FFFE, "Cn", false}, {0x50000, "Cn", false},
    {0xE0000, "Cn", false}, {0xE01F0, "Cn", false}, {0x10FFFE, "Cn", false},
    {0x10FFFF, "Cn", false},
    // Zl, Zp, Zs
    {0x2028, "Zl", false}, {0x2029, "Zp", false},
    {0x20, "Zs", false}, {0xA0, "Zs", false}, {0x1680, "Zs", false},
    {0x2000, "Zs", false}, {0x202F, "Zs", false}, {0x3000, "Zs", false},
    // Marks: Mn and Me extend, Mc only where listed as Grapheme_Extend
    {0x300, "Mn", true}, {0x301, "Mn", true}, {0x36F, "Mn", true}, {0x483, "Mn", true},
    {0xE31, "Mn", true}, {0xE0100, "Mn", true}, {0xE01EF, "Mn", true},
    {0x488, "Me", true}, {0x20DD, "Me", true},
    {0x903, "Mc", false}, {0x93E, "Mc", false}, {0x9BF, "Mc", false}, {0x1D16D, "Mc", false},
    {0x9BE, "Mc", true}, {0x1D165, "Mc", true},
    // Other categories, one of them Grapheme_Extend
    {0xFF9E, "Lm", true}, {0x1F3FB, "Sk", false},
    {0x41, "Lu", false}, {0x7E, "Sm", false}, {0xA1, "Po", false}, {0xE9, "Ll", false},
    {0x5D0, "Lo", false}, {0xE01, "Lo", false}, {0xE33, "Lo", false},
    {0xFFFD, "So", false}, {0x1F600, "So", false},
    // Lo inside and at the ends of First/Last ranges
    {0x3400, "Lo", false}, {0x4DBF, "Lo", false}, {0x4E00, "Lo", false}, {0x4E2D, "Lo", false},
    {0x9FFF, "Lo", false}, {0xAC00, "Lo", false}, {0xD7A3, "Lo", false}, {0x17000, "Lo", false},
    {0x187F7, "Lo", false}, {0x20000, "Lo", false}, {0x2A6DF, "Lo", false},
    {0x31350, "Lo", false}, {0x323AF, "Lo", false},
};

TEST(UnicodeTable, AgreesWithCategoriesAndGraphemeExtend) {
    const std::set<std::string_view> non_printable = {"Cc", "Cf", "Cs", "Co", "Cn", "Zl", "Zp", "Zs"};
    for (const auto& d : code_point_data) {
        SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<std::uint32_t>(d.code_point)
                                        << " " << d.category);
        const bool printable = !non_printable.contains(d.category) || d.code_point == 0x20;
        EXPECT_EQ(needs_unicode_escape(d.code_point), !printable || d.grapheme_extend);
    }
}

TEST(UnicodeTable, Ascii) {
    for (char32_t c = 0; c < 0x80; ++c) {
        EXPECT_EQ(needs_unicode_escape(c), c < 0x20 || c == 0x7F) << static_cast<std::uint32_t>(c);
    }
}

TEST(UnicodeTable, BeyondUnicodeIsEscaped) {
    for (char32_t c : {char32_t{0x110000}, char32_t{0x7FFFFFFF}, char32_t{0xFFFFFFFF}}) {
        EXPECT_TRUE(needs_unicode_escape(c)) << static_cast<std::uint32_t>(c);
    }
}

// --------------------------------------------------------------- quoting

std::string quote_text(std::string_view text) {
    std::string out;
    append_quoted(out, text);
    return out;
}

struct QuoteCase {
    const char* name;
    std::string_view input;
    std::string_view expected;
};

const QuoteCase quote_cases[] = {
    {"empty", ""sv, R"("")"},
    {"plain", "abc XYZ 019 ~!"sv, R"("abc XYZ 019 ~!")"},
    {"backslash", "a\\b"sv, R"("a\\b")"},
    {"double quote", "say \"hi\""sv, R"("say \"hi\"")"},
    {"single quote unchanged", "it's"sv, R"("it's")"},
    {"NUL", "a\0b"sv, R"("a\0b")"},
    {"tab, LF, CR", "\t\n\r"sv, R"("\t\n\r")"},
    {"other C0 controls", "\x01\x0B\x1B\x1F"sv, R"("\u{1}\u{b}\u{1b}\u{1f}")"},
    {"DEL", "\x7F"sv, R"("\u{7f}")"},
    {"C1 control U+0080", "\xC2\x80"sv, R"("\u{80}")"},
    {"no-break space", "\xC2\xA0"sv, R"("\u{a0}")"},
    {"soft hyphen", "\xC2\xAD"sv, R"("\u{ad}")"},
    {"combining acute after e", "e\xCC\x81"sv, R"("e\u{301}")"},
    {"zero width space", "\xE2\x80\x8B"sv, R"("\u{200b}")"},
    {"zero width non-joiner", "\xE2\x80\x8C"sv, R"("\u{200c}")"},
    {"line separator", "\xE2\x80\xA8"sv, R"("\u{2028}")"},
    {"ideographic space", "\xE3\x80\x80"sv, R"("\u{3000}")"},
    {"unassigned U+0378", "\xCD\xB8"sv, R"("\u{378}")"},
    {"private use U+E000", "\xEE\x80\x80"sv, R"("\u{e000}")"},
    {"U+10FFFF", "\xF4\x8F\xBF\xBF"sv, R"("\u{10ffff}")"},
    {"tag space", "\xF3\xA0\x80\xA0"sv, R"("\u{e0020}")"},
    {"replacement character unchanged", "\xEF\xBF\xBD"sv, "\"\xEF\xBF\xBD\""},
    {"e acute unchanged", "\xC3\xA9"sv, "\"\xC3\xA9\""},
    {"CJK unchanged", "\xE4\xB8\xAD"sv, "\"\xE4\xB8\xAD\""},
    {"emoji unchanged", "\xF0\x9F\x98\x80"sv, "\"\xF0\x9F\x98\x80\""},
    {"spacing mark unchanged", "\xE0\xA4\x83"sv, "\"\xE0\xA4\x83\""},
    {"mixed", "a\\\"b\"\tc\xC3\xA9\x7F" "d"sv, "\"a\\\\\\\"b\\\"\\tc\xC3\xA9\\u{7f}d\""},
    {"escape inside long run", "0123456789abcdef\n0123456789abcdef"sv,
     R"("0123456789abcdef\n0123456789abcdef")"},
    // Not valid UTF-8: each offending byte stands for U+FFFD.
    {"invalid lone continuation", "a\x80" "b"sv, "\"a\xEF\xBF\xBD" "b\""},
    {"invalid truncated at end", "a\xC3"sv, "\"a\xEF\xBF\xBD\""},
    {"invalid truncated before ASCII", "\xE2\x82" "A"sv, "\"\xEF\xBF\xBD\xEF\xBF\xBD" "A\""},
    {"invalid overlong NUL", "\xC0\x80"sv, "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
    {"invalid surrogate", "\xED\xA0\x80"sv, "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
};

TEST(Quoting, Table) {
    for (const auto& c : quote_cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(quote_text(c.input), c.expected);
    }
}

TEST(Quoting, AppendKeepsExistingText) {
    std::string out = "input: ";
    append_quoted(out, "x\ny");
    EXPECT_EQ(out, R"(input: "x\ny")");
}

TEST(Quoting, EscapesExactlyTheTableCharacters) {
    // Every non-ASCII code point is either copied or written as \u{hex},
    // following needs_unicode_escape.
    for (char32_t c = 0x80; c <= 0x10FFFF; c += 7) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const std::string bytes = encode(c);
        char hex[8];
        const auto end = std::to_chars(hex, hex + sizeof hex, static_cast<std::uint32_t>(c), 16).ptr;
        const std::string expected = needs_unicode_escape(c)
                                         ? "\"\\u{" + std::string(hex, end) + "}\""
                                         : "\"" + bytes + "\"";
        ASSERT_EQ(quote_text(bytes), expected) << std::hex << static_cast<std::uint32_t>(c);
    }
}

// ---------------------------------------------------------------- floats

std::string debug_float(double v) {
    std::string out;
    append_debug_float(out, v);
    return out;
}

struct FloatCase {
    double value;
    std::string_view expected;
};

const FloatCase float_cases[] = {
    {std::numeric_limits<double>::quiet_NaN(), "NaN"},
    {-std::numeric_limits<double>::quiet_NaN(), "NaN"},
    {std::numeric_limits<double>::infinity(), "inf"},
    {-std::numeric_limits<double>::infinity(), "-inf"},
    {0.0, "0.0"},
    {-0.0, "-0.0"},
    {1.0, "1.0"},
    {-1.0, "-1.0"},
    {100.0, "100.0"},
    {0.1, "0.1"},
    {0.0001, "0.0001"},
    {-0.0001, "-0.0001"},
    {0.00012, "0.00012"},
    {1234.5, "1234.5"},
    {48.125, "48.125"},
    {11.504166666666666, "11.504166666666666"},
    {90.0, "90.0"},
    {1e15, "1000000000000000.0"},
    {9999999999999998.0, "9999999999999998.0"},
    {1e16, "1e16"},
    {-1e16, "-1e16"},
    {123456789012345680.0, "1.2345678901234568e17"},
    {0.00009999999999999999, "9.999999999999999e-5"},
    {0.00005, "5e-5"},
    {1e-5, "1e-5"},
    {-1.2345e-7, "-1.2345e-7"},
    {1.5e300, "1.5e300"},
    {1e100, "1e100"},
    {DBL_MAX, "1.7976931348623157e308"},
    {DBL_MIN, "2.2250738585072014e-308"},
    {5e-324, "5e-324"},
    {-5e-324, "-5e-324"},
    {2.2250738585072009e-308, "2.225073858507201e-308"},  // largest denormal
    {1e-310, "1e-310"},
};

TEST(DebugFloat, Table) {
    for (const auto& c : float_cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(debug_float(c.value), c.expected);
    }
}

TEST(DebugFloat, AppendKeepsExistingText) {
    std::string out = "latitude: ";
    append_debug_float(out, 48.125);
    EXPECT_EQ(out, "latitude: 48.125");
}

TEST(DebugFloat, NotationSwitchesAtTheBoundaryValues) {
    const double below_min = std::nextafter(1e-4, 0.0);
    const double below_max = std::nextafter(1e16, 0.0);
    EXPECT_NE(debug_float(below_min).find('e'), std::string::npos);
    EXPECT_EQ(debug_float(1e-4).find('e'), std::string::npos);
    EXPECT_EQ(debug_float(below_max).find('e'), std::string::npos);
    EXPECT_NE(debug_float(1e16).find('e'), std::string::npos);
}

// The significant digits of a decimal text, without sign, point, exponent
// and leading or trailing zeros.
std::string significant_digits(std::string_view text) {
    std::string digits;
    for (char ch : text.substr(0, text.find('e'))) {
        if (ch >= '0' && ch <= '9') digits += ch;
    }
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos) return "";
    return digits.substr(first, digits.find_last_not_of('0') - first + 1);
}

void check_float_text(double v) {
    const std::string text = debug_float(v);
    SCOPED_TRACE(text);

    char* end = nullptr;
    const double back = std::strtod(text.c_str(), &end);
    ASSERT_EQ(end, text.c_str() + text.size());
    ASSERT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(v));

    char shortest[32];
    const auto r = std::to_chars(shortest, shortest + sizeof shortest, v, std::chars_format::scientific);
    ASSERT_EQ(significant_digits(text), significant_digits(std::string_view(shortest, r.ptr)));

    static const std::regex plain(R"(-?(0|[1-9][0-9]*)\.(0|[0-9]*[1-9]))");
    static const std::regex scientific(R"(-?[1-9](\.[0-9]*[1-9])?e-?[1-9][0-9]*)");
    const double a = std::fabs(v);
    if (a == 0.0 || (a >= 1e-4 && a < 1e16)) {
        ASSERT_TRUE(std::regex_match(text, plain));
    } else {
        ASSERT_TRUE(std::regex_match(text, scientific));
    }
}

TEST(DebugFloat, RandomBitPatternsRoundTrip) {
    std::mt19937_64 rng(0x5eed'f10a7);
    for (int i = 0; i < 100000; ++i) {
        const double v = std::bit_cast<double>(rng());
        if (std::isnan(v)) {
            ASSERT_EQ(debug_float(v), "NaN");
        } else if (std::isinf(v)) {
            ASSERT_EQ(debug_float(v), v > 0 ? "inf" : "-inf");
        } else {
            check_float_text(v);
        }
    }
}

TEST(DebugFloat, RandomValuesAroundThePlainRangeRoundTrip) {
    // Random bit patterns rarely land in the plain range; these do, and
    // reach beyond both of its ends.
    std::mt19937_64 rng(48125);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-7, 18);
    for (int i = 0; i < 100000; ++i) {
        const double v = mantissa(rng) * std::pow(10.0, exponent(rng));
        check_float_text(i % 2 ? v : -v);
        // Short digit strings, where padding with zeros matters most.
        check_float_text(std::round(mantissa(rng) * 100.0) * std::pow(10.0, exponent(rng) - 2));
    }
}

}  // namespace
