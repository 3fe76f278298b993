// Field parsers: number text, time, coordinates, fixed-width numbers, header
// texts and the identifier token, with their messages in checking order.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <random>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "volarion/field_parsers.hpp"

namespace {

using namespace volarion;
using namespace volarion::fields;
using namespace std::string_view_literals;
using K = APRSMessageParseErrorKind;

constexpr double inf = std::numeric_limits<double>::infinity();

// The error as kind, input and message, for compact comparisons.
template <typename T>
APRSMessageParseError error_of(const FieldResult<T>& result) {
    EXPECT_FALSE(result);
    return result ? APRSMessageParseError{} : result.error();
}

APRSMessageParseError err(K kind, std::string input, std::string message) {
    return APRSMessageParseError::with_context(kind, {std::move(input), std::move(message)});
}

TEST(NumberTextSyntax, AcceptedAndRejected) {
    struct Case { std::string_view text; double value; };
    const Case accepted[] = {
        {"0", 0.0},       {"12", 12.0},     {"1.", 1.0},       {".5", 0.5},        {"+90", 90.0},
        {"-00012", -12.0}, {"1e+01", 10.0},  {"1E-1", 0.1},     {"2.5e3", 2500.0},  {"-.5e1", -5.0},
        {"007", 7.0},     {"1e0", 1.0},     {"0.1", 0.1},      {"123456789012345678901234567890", 1.2345678901234568e29},
    };
    for (const Case& c : accepted) {
        const auto v = parse_number_text(c.text);
        ASSERT_TRUE(v) << c.text;
        EXPECT_EQ(*v, c.value) << c.text;
    }
    const std::string_view rejected[] = {
        "", ".", "+", "-", "+-1", "--1", " 1", "1 ", "1e", "1e+", "e5", ".e1", "1.2.3", "1,5",
        "0x10", "0x1p3", "nan(1)", "nan()", "in", "infin", "infinit", "infinityy", "+nanx", "1_000",
        "１", "\xC3\xA9", "1\xFF", "1d", "1f", "\x00"sv, "1\x00"sv, "inf ", "e",
    };
    for (const std::string_view text : rejected) {
        // A rejected text leaves the output as it was.
        double out = 42.0;
        EXPECT_FALSE(read_number_text(text, out)) << "accepted: " << text;
        EXPECT_EQ(out, 42.0) << text;
    }
}

TEST(NumberTextSpecialValues, InfinityAndNaNInAnyCase) {
    for (const std::string_view text : {"inf", "INF", "Inf", "+inf", "infinity", "InFiNiTy", "+INFINITY"}) {
        EXPECT_EQ(parse_number_text(text), inf) << text;
    }
    EXPECT_EQ(parse_number_text("-inf"), -inf);
    EXPECT_EQ(parse_number_text("-Infinity"), -inf);
    for (const std::string_view text : {"nan", "NaN", "NAN", "+nan", "-nan"}) {
        const auto v = parse_number_text(text);
        ASSERT_TRUE(v) << text;
        EXPECT_TRUE(std::isnan(*v)) << text;
    }
}

TEST(NumberTextConversion, RoundingAndRange) {
    // Correct rounding at the edges of the range and at a halfway case.
    EXPECT_EQ(parse_number_text("1.7976931348623157e308"), std::numeric_limits<double>::max());
    EXPECT_EQ(parse_number_text("4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(parse_number_text("2.2250738585072014e-308"), std::numeric_limits<double>::min());
    EXPECT_EQ(parse_number_text("9007199254740993"), 9007199254740992.0);  // ties to even
    EXPECT_EQ(parse_number_text("9007199254740995"), 9007199254740996.0);
    EXPECT_EQ(parse_number_text("0.30000000000000004"), 0.1 + 0.2);
    // Out of range: infinity or zero of the sign, by magnitude, not an error.
    struct Case { std::string_view text; double value; };
    const Case out_of_range[] = {
        {"1e309", inf}, {"-1e309", -inf}, {"1.8e308", inf}, {"0.001e312", inf}, {"1e99999999999999999999", inf},
        {"1000e-330", 0.0}, {"1e-400", 0.0}, {"-1e-400", -0.0}, {"2e-324", 0.0}, {"1e-99999999999999999999", 0.0},
        {"123456789e-340", 0.0}, {".00001e-320", 0.0},
    };
    for (const Case& c : out_of_range) {
        const auto v = parse_number_text(c.text);
        ASSERT_TRUE(v) << c.text;
        EXPECT_EQ(*v, c.value) << c.text;
        EXPECT_EQ(std::signbit(*v), std::signbit(c.value)) << c.text;
    }
    const auto negative_zero = parse_number_text("-0.0");
    ASSERT_TRUE(negative_zero);
    EXPECT_TRUE(std::signbit(*negative_zero));
}

TEST(NumberTextConversion, AgreesWithStrtodOnRandomDecimals) {
    // Random decimals around the exact-conversion limits (15 to 20 digits,
    // powers of ten near 1e22, halfway cases) must match glibc's correctly
    // rounded strtod bit for bit.
    std::mt19937_64 random(12345);
    const auto pick = [&](int low, int high) {
        return static_cast<int>(std::uniform_int_distribution<int>(low, high)(random));
    };
    for (int i = 0; i < 200000; ++i) {
        std::string text = pick(0, 3) == 0 ? "-" : "";
        const int integer_digits = pick(0, 20);
        const int fraction_digits = pick(integer_digits == 0 ? 1 : 0, 20 - std::min(integer_digits, 19));
        for (int d = 0; d < integer_digits; ++d) text += static_cast<char>('0' + pick(0, 9));
        if (fraction_digits > 0 || pick(0, 1) == 0) text += '.';
        for (int d = 0; d < fraction_digits; ++d) text += static_cast<char>('0' + pick(0, 9));
        if (pick(0, 1) == 0) text.append("e").append(std::to_string(pick(-40, 40)));
        if (pick(0, 20) == 0) text.append("e").append(std::to_string(pick(-340, 320)));
        const bool well_formed = std::count(text.begin(), text.end(), 'e') <= 1;
        const auto value = parse_number_text(text);
        if (!well_formed) {
            EXPECT_FALSE(value) << text;
            continue;
        }
        ASSERT_TRUE(value) << text;
        const double expected = std::strtod(text.c_str(), nullptr);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*value), std::bit_cast<std::uint64_t>(expected)) << text;
    }
}

TEST(TimestampField, ValuesAndMessagesInOrder) {
    struct Good { std::string_view text; std::uint32_t seconds; };
    for (const Good& g : {Good{"123456hX", 45296}, Good{"+51234h", 5 * 3600 + 12 * 60 + 34},
                          Good{"000000h", 0}, Good{"235959z", 86399}, Good{"+0+0+0/", 0}}) {
        const auto r = parse_timestamp(g.text);
        ASSERT_TRUE(r) << g.text;
        EXPECT_EQ(r->second, (TimeOfDay{g.seconds, 0})) << g.text;
        EXPECT_EQ(r->first, g.text.substr(7));
    }
    struct Bad { std::string_view text; std::string input; std::string message; };
    const Bad bad[] = {
        {"", "", "nom error: Eof"},
        {"12345", "12345", "nom error: Eof"},
        {"123456", "", "nom error: Eof"},
        {"12\xFF" "456h", "12\xEF\xBF\xBD" "456h", "invalid utf8"},
        {"1\xC3\xA9" "234h", "1\xC3\xA9" "234h", "invalid hour digits"},
        {"12\xC3\xA9" "34h", "12\xC3\xA9" "34h", "invalid minute digits"},
        {"1234\xC3\xA9h", "1234\xC3\xA9h", "invalid second digits"},
        {"1+2345h", "1+2345h", "invalid hour digits"},
        {"-51234h", "-51234h", "invalid hour digits"},
        {"23 000h", "23 000h", "invalid minute digits"},
        {"12++00h", "12++00h", "invalid minute digits"},
        {"1234-5h", "1234-5h", "invalid second digits"},
        {"xx00ggh", "xx00ggh", "invalid hour digits"},  // the hour is checked first
        {"240000h", "240000h", "invalid time"},
        {"236000h", "236000h", "invalid time"},
        {"235960h", "235960h", "invalid time"},
    };
    for (const Bad& b : bad) {
        EXPECT_EQ(error_of(parse_timestamp(b.text)), err(K::InvalidTimestamp, b.input, b.message)) << b.text;
    }
}

TEST(CoordinateField, ValuesAndSuffixes) {
    struct Case { std::string_view text; bool longitude; double value; };
    const Case cases[] = {
        {"4807.50N", false, 48.125},  {"4807.50S", false, -48.125}, {"4807.50s", false, 48.125},
        {"4807.50X", false, 48.125},  {"4807.50W", false, 48.125},  {"01130.25W", true, -11.504166666666666},
        {"01130.25E", true, 11.504166666666666}, {"01130.25S", true, 11.504166666666666},
        {"001e+01N", false, 0.0 + 10.0 / 60.0}, {"0000.00N", false, 0.0}, {"0000.00S", false, -0.0},
    };
    for (const Case& c : cases) {
        const auto r = parse_coordinate(c.text, c.longitude);
        ASSERT_TRUE(r) << c.text;
        EXPECT_EQ(r->second, c.value) << c.text;
        EXPECT_EQ(std::signbit(r->second), std::signbit(c.value)) << c.text;
        EXPECT_TRUE(r->first.empty());
    }
    const auto rest = parse_coordinate("4807.50N/rest", false);
    ASSERT_TRUE(rest);
    EXPECT_EQ(rest->first, "/rest");
}

TEST(CoordinateField, MessagesInOrder) {
    struct Case { std::string_view text; bool longitude; std::string message; };
    const Case cases[] = {
        {"4", false, "invalid number of digits for degrees"},
        {"01", true, "invalid number of digits for degrees"},
        {"4807.5", false, "invalid number of digits for minutes"},
        {"xx07.5", false, "invalid number of digits for minutes"},  // lengths before content
        {"4807.50", false, "no suffix for coordinate found"},
        {"01130.25", true, "no suffix for coordinate found"},
        {"1e07.50N", false, "could not parse degrees"},
        {"1e0x.5xN", false, "could not parse degrees"},  // degrees before minutes
        {"4807.5xN", false, "could not parse minutes"},
        {"48 7.50N", false, "could not parse minutes"},
        {"0113 .25E", true, "could not parse minutes"},
    };
    for (const Case& c : cases) {
        const K kind = c.longitude ? K::InvalidLongitude : K::InvalidLatitude;
        EXPECT_EQ(error_of(parse_coordinate(c.text, c.longitude)), err(kind, std::string(c.text), c.message))
            << c.text;
    }
}

TEST(FixedWidthFields, TrackSpeedAltitude) {
    EXPECT_EQ(parse_ground_track("090/")->second, 90.0);
    EXPECT_EQ(parse_ground_track("090/")->first, "/");
    EXPECT_EQ(parse_ground_track("+90")->second, 90.0);
    EXPECT_EQ(parse_ground_track("inf")->second, inf);
    EXPECT_TRUE(std::isnan(parse_ground_track("nan")->second));
    EXPECT_EQ(parse_ground_speed("1.5x")->second, 1.5);
    EXPECT_EQ(parse_gps_altitude("-00012")->second, -12.0);
    EXPECT_EQ(parse_gps_altitude("001000 id")->second, 1000.0);
    EXPECT_EQ(parse_gps_altitude("001000 id")->first, " id");
    for (const std::string_view text : {" 90", "09", "", "9 0", "0x1"}) {
        EXPECT_EQ(error_of(parse_ground_track(text)), err(K::InvalidGroundTrack, std::string(text), "invalid ground track"));
        EXPECT_EQ(error_of(parse_ground_speed(text)), err(K::InvalidGroundSpeed, std::string(text), "invalid ground speed"));
    }
    for (const std::string_view text : {"00100", "00100x", " 01000", "1000ft"}) {
        EXPECT_EQ(error_of(parse_gps_altitude(text)), err(K::InvalidGPSAltitude, std::string(text), "invalid gps altitude"));
    }
}

TEST(HeaderFields, DelimitedTexts) {
    const auto callsign = parse_callsign("ABC>OGFLR");
    ASSERT_TRUE(callsign);
    EXPECT_EQ(callsign->second, "ABC");
    EXPECT_EQ(callsign->first, "OGFLR");
    EXPECT_EQ(parse_callsign(">x")->second, "");
    EXPECT_EQ(parse_q_construct("TCPIP*,qAC,RECV:")->second, "TCPIP*");
    EXPECT_EQ(parse_receiver("qAC,RECV:/1")->second, "qAC,RECV");
    EXPECT_EQ(parse_receiver("qAC,RECV:/1")->first, "/1");

    EXPECT_EQ(error_of(parse_callsign("abc")), err(K::InvalidCallsign, "abc", "invalid callsign"));
    EXPECT_EQ(error_of(parse_callsign("a\xFF>b")), err(K::InvalidCallsign, "a\xEF\xBF\xBD>b", "invalid callsign"));
    EXPECT_EQ(error_of(parse_q_construct("qAS")), err(K::InvalidQConstruct, "qAS", "invalid q construct"));
    EXPECT_EQ(error_of(parse_q_construct("\xC3,")), err(K::InvalidQConstruct, "\xEF\xBF\xBD,", "invalid q construct"));
    EXPECT_EQ(error_of(parse_receiver("RECV,x")), err(K::InvalidReceiver, "RECV,x", "invalid receiver"));
    EXPECT_EQ(error_of(parse_receiver("\xE2\x82:")), err(K::InvalidReceiver, "\xEF\xBF\xBD:", "invalid receiver"));
}

TEST(HeaderFields, Protocol) {
    const auto protocol = parse_ogn_aprs_protocol("OGNSKY,qAS");
    ASSERT_TRUE(protocol);
    EXPECT_EQ(protocol->second, OGNAPRSProtocol::OGNSKY);
    EXPECT_EQ(protocol->first, "qAS");
    EXPECT_EQ(error_of(parse_ogn_aprs_protocol("OGFLR")), APRSMessageParseError::unknown("OGFLR"));
    EXPECT_EQ(error_of(parse_ogn_aprs_protocol("OG\xFF")), APRSMessageParseError::unknown("OG\xEF\xBF\xBD"));
    EXPECT_EQ(error_of(parse_ogn_aprs_protocol("ogflr,qAS")),
              err(K::InvalidOGNAprsProtocol, "ogflr", "Unsupported OGN APRS Protocol"));
    EXPECT_EQ(error_of(parse_ogn_aprs_protocol("OGFLR\xFF,qAS")),
              err(K::InvalidOGNAprsProtocol, "", "Unsupported OGN APRS Protocol"));
}

TEST(BeaconIdField, TokenMessages) {
    const auto id = parse_ogn_beacon_id("id06ABCDEF,x");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->first, ",x");
    EXPECT_EQ(id->second.icao_address.value(), 0xABCDEFU);

    struct Case { std::string_view token; std::string input; std::string message; };
    const Case cases[] = {
        {"id06ABCDE", "id06ABCDE", "invalid ogn beacon id format"},
        {"id", "id", "invalid ogn beacon id format"},
        {"ix06ABCDEF", "ix06ABCDEF", "invalid ogn beacon id format"},
        {"i", "i", "invalid ogn beacon id format"},
        {"id06AB\xFF", "id06AB\xEF\xBF\xBD", "invalid ogn beacon id format"},
        {"id0GABCDEF", "0GABCDEF", "invalid ogn beacon id: Invalid hexadecimal format"},
        {"id06ABCDEGxyz", "06ABCDEG", "invalid ogn beacon id: Invalid hexadecimal format"},
        {"id\xFF\xFE\xFD\xFC\xFB\xFA\xF9\xF8", "", "invalid ogn beacon id: Invalid beacon format: "},
        {"id06ABCDE\xC3\xA9", "", "invalid ogn beacon id: Invalid beacon format: "},  // splits a character
        {"id0\xC3\xA9" "BCDEF", "0\xC3\xA9" "BCDEF", "invalid ogn beacon id: Invalid hexadecimal format"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(error_of(parse_ogn_beacon_id(c.token)), err(K::InvalidOGNBeaconId, c.input, c.message));
    }
}

}  // namespace
