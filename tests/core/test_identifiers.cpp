// Identifier values: prefix byte decoding, the eight-character identifier,
// address limits, protocol tokens and the identifier error texts.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <variant>

#include "volarion/aprs_types.hpp"

namespace {

using namespace volarion;
using AT = OGNAircraftType;
using AD = OGNAddressType;

TEST(OGNIDPrefixDecode, EveryAircraftCode) {
    // Code to member for all sixteen four-bit codes; 14 has no member.
    const AT expected[16] = {AT::Reserved, AT::Glider, AT::TowPlane, AT::Helicopter,
                             AT::Parachute, AT::DropPlane, AT::HangGlider, AT::Paraglider,
                             AT::ReciprocatingEngineAircraft, AT::JetTurbopropAircraft,
                             AT::Unknown, AT::Balloon, AT::Airship, AT::UAVs,
                             AT::Reserved, AT::StaticObstacle};
    for (unsigned code = 0; code < 16; ++code) {
        for (unsigned low = 0; low < 4; ++low) {
            const auto byte = static_cast<std::uint8_t>((code << 2) | low | 0x40U);
            const OGNIDPrefix p = OGNIDPrefix::from_byte(byte);
            EXPECT_EQ(p.aircraft_type, expected[code]) << "code " << code;
            EXPECT_EQ(p.address_type, static_cast<AD>(low));
            EXPECT_TRUE(p.no_track);
            EXPECT_FALSE(p.stealth_mode);
        }
    }
}

TEST(OGNIDPrefixDecode, Examples) {
    struct Case { std::uint8_t byte; OGNIDPrefix expected; };
    const Case cases[] = {
        {0x06, {AT::Glider, AD::FLARM, false, false}},
        {0x3E, {AT::StaticObstacle, AD::FLARM, false, false}},
        {0x38, {AT::Reserved, AD::Unknown, false, false}},
        {0x3C, {AT::StaticObstacle, AD::Unknown, false, false}},
        {0x28, {AT::Unknown, AD::Unknown, false, false}},
        {0xC5, {AT::Glider, AD::ICAO, true, true}},
        {0x4B, {AT::TowPlane, AD::OGNTracker, true, false}},
        {0x80, {AT::Reserved, AD::Unknown, false, true}},
        {0xFF, {AT::StaticObstacle, AD::OGNTracker, true, true}},
        {0x00, {AT::Reserved, AD::Unknown, false, false}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OGNIDPrefix::from_byte(c.byte), c.expected) << std::hex << int{c.byte};
    }
}

TEST(OGNBeaconIDFromStr, Accepted) {
    struct Case { std::string_view text; std::uint8_t prefix; std::uint32_t address; };
    const Case cases[] = {
        {"06ABCDEF", 0x06, 0xABCDEF}, {"06abcdef", 0x06, 0xABCDEF}, {"06AbCdEf", 0x06, 0xABCDEF},
        {"c5abcdef", 0xC5, 0xABCDEF}, {"+5ABCDEF", 0x05, 0xABCDEF}, {"05+ABCDE", 0x05, 0xABCDE},
        {"+5+ABCDE", 0x05, 0xABCDE},  {"00000000", 0x00, 0},        {"FFFFFFFF", 0xFF, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        const auto id = OGNBeaconID::from_str(c.text);
        ASSERT_TRUE(id) << c.text;
        EXPECT_EQ(id->prefix, OGNIDPrefix::from_byte(c.prefix)) << c.text;
        EXPECT_EQ(id->icao_address.value(), c.address) << c.text;
    }
}

TEST(OGNBeaconIDFromStr, RejectedInCheckingOrder) {
    const OGNBeaconIDError bad_prefix{OGNIDPrefixError::invalid_hex()};
    const OGNBeaconIDError bad_address{ICAOAddressError::invalid_hex()};
    const auto bad_format = [](std::string_view t) {
        return OGNBeaconIDError{OGNBeaconIDError::InvalidFormat{std::string(t)}};
    };
    struct Case { std::string_view text; OGNBeaconIDError error; std::string_view message; };
    const Case cases[] = {
        {"++ABCDEF", bad_prefix, "Invalid hexadecimal format"},
        {"-5ABCDEF", bad_prefix, "Invalid hexadecimal format"},
        {"5+ABCDEF", bad_prefix, "Invalid hexadecimal format"},
        {"0GABCDEF", bad_prefix, "Invalid hexadecimal format"},
        {"0GABCDEG", bad_prefix, "Invalid hexadecimal format"},
        {"\xC3\xA9" "ABCDEF", bad_prefix, "Invalid hexadecimal format"},
        {"0\xC3\xA9" "BCDEF", bad_prefix, "Invalid hexadecimal format"},
        {"05ABCDEG", bad_address, "Invalid hexadecimal format"},
        {"05ABC-EF", bad_address, "Invalid hexadecimal format"},
        {"05ABCD+F", bad_address, "Invalid hexadecimal format"},
        {"05 ABCDE", bad_address, "Invalid hexadecimal format"},
        {"05ABCDE", bad_format("05ABCDE"), "Invalid beacon format: 05ABCDE"},
        {"05ABCDEF0", bad_format("05ABCDEF0"), "Invalid beacon format: 05ABCDEF0"},
        {"", bad_format(""), "Invalid beacon format: "},
        // Eight characters, nine bytes: the length is counted in bytes.
        {"05ABCDE\xC3\xA9", bad_format("05ABCDE\xC3\xA9"), "Invalid beacon format: 05ABCDE\xC3\xA9"},
    };
    for (const Case& c : cases) {
        const auto id = OGNBeaconID::from_str(c.text);
        ASSERT_FALSE(id) << c.text;
        EXPECT_EQ(id.error(), c.error) << c.text;
        EXPECT_EQ(id.error().message(), c.message) << c.text;
    }
}

TEST(ICAOAddressLimits, FromValueAndMessages) {
    EXPECT_EQ(ICAOAddress::from_value(0)->value(), 0U);
    EXPECT_EQ(ICAOAddress::from_value(0xFFFFFF)->value(), 0xFFFFFFU);
    struct Case { std::uint32_t value; std::string_view message; };
    const Case cases[] = {
        {0x1000000, "Value 0x1000000 (16777216) exceeds 24-bit ICAO address limit (0xFFFFFF)"},
        {0xFFFFFFFF, "Value 0xFFFFFFFF (4294967295) exceeds 24-bit ICAO address limit (0xFFFFFF)"},
        {0xABCDEF12, "Value 0xABCDEF12 (2882400018) exceeds 24-bit ICAO address limit (0xFFFFFF)"},
    };
    for (const Case& c : cases) {
        const auto address = ICAOAddress::from_value(c.value);
        ASSERT_FALSE(address);
        EXPECT_EQ(address.error(), ICAOAddressError::exceeds_limit(c.value));
        EXPECT_EQ(address.error().message(), c.message);
        // The beacon identifier error shows the inner text unchanged.
        EXPECT_EQ(OGNBeaconIDError{address.error()}.message(), c.message);
    }
}

TEST(IdentifierErrorTexts, PrefixErrorVariants) {
    using K = OGNIDPrefixError::Kind;
    EXPECT_EQ((OGNIDPrefixError{K::InvalidHex, 0}.message()), "Invalid hexadecimal format");
    EXPECT_EQ((OGNIDPrefixError{K::InvalidValue, 255}.message()), "Invalid value: 255");
    EXPECT_EQ((OGNIDPrefixError{K::InvalidAddressFormat, 7}.message()), "Invalid address format: 7");
    EXPECT_EQ((OGNBeaconIDError{OGNIDPrefixError{K::InvalidValue, 0}}.message()), "Invalid value: 0");
}

TEST(ProtocolToken, ExactMatchOnly) {
    EXPECT_EQ(*parse_protocol("OGFLR"), OGNAPRSProtocol::OGFLR);
    EXPECT_EQ(*parse_protocol("OGADSB"), OGNAPRSProtocol::OGADSB);
    EXPECT_EQ(*parse_protocol("OGNSKY"), OGNAPRSProtocol::OGNSKY);
    for (const std::string_view token : {"ogflr", "OGFLR ", " OGFLR", "OGFLR2", "OGFL", "OGN", ""}) {
        const auto result = parse_protocol(token);
        ASSERT_FALSE(result) << token;
        EXPECT_EQ(result.error(),
                  APRSMessageParseError::with_context(APRSMessageParseErrorKind::InvalidOGNAprsProtocol,
                                                      {std::string(token), "Unsupported OGN APRS Protocol"}));
    }
}

TEST(MemberNames, MixedCaseNames) {
    EXPECT_EQ(name(AT::UAVs), "UAVs");
    EXPECT_EQ(name(AT::ReciprocatingEngineAircraft), "ReciprocatingEngineAircraft");
    EXPECT_EQ(name(AT::StaticObstacle), "StaticObstacle");
    EXPECT_EQ(name(AT::Unknown), "Unknown");
    EXPECT_EQ(name(AD::OGNTracker), "OGNTracker");
    EXPECT_EQ(name(AD::ICAO), "ICAO");
    EXPECT_EQ(name(OGNAPRSProtocol::OGADSB), "OGADSB");
    EXPECT_EQ(name(OGNAPRSProtocol::OGNSKY), "OGNSKY");
}

}  // namespace
