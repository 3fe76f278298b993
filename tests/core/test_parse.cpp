// The line grammar: the accepted record, the skipped bytes, every failure of
// the grammar, the comment search and the debug text of the error values.
#include <gtest/gtest.h>

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "volarion/parse.hpp"

namespace {

using namespace volarion;
using namespace std::string_view_literals;
using K = APRSMessageParseErrorKind;

const std::string header = "ABC123>OGFLR,qAS,RECV1:";
const std::string position = "/123456h4807.50N/01130.25E'090/100/A=001000";
const std::string line = header + position + " id06ABCDEF";

AircraftParseError parse_error(K kind, std::string input, std::string message) {
    return AircraftParseError{APRSMessageParseError::with_context(kind, {std::move(input), std::move(message)})};
}

AircraftParseError failure(std::string_view text) {
    const ParseResult result = parse_ogn_aprs_aircraft_beacon(text);
    EXPECT_FALSE(result) << text;
    return result ? AircraftParseError{} : result.error();
}

std::uint32_t id_address(std::string_view text) {
    const ParseResult result = parse_ogn_aprs_aircraft_beacon(text);
    EXPECT_TRUE(result) << text << (result ? "" : debug_text(result.error()));
    return result ? result->ogn_beacon_id.icao_address.value() : 0;
}

TEST(LineGrammar, TypicalLineAllValues) {
    const ParseResult result = parse_ogn_aprs_aircraft_beacon(line);
    ASSERT_TRUE(result);
    const AircraftBeacon& b = *result;
    EXPECT_EQ(b.callsign, "ABC123");
    EXPECT_EQ(b.ogn_aprs_protocol, OGNAPRSProtocol::OGFLR);
    EXPECT_EQ(b.q_construct, "qAS");
    EXPECT_EQ(b.receiver, "RECV1");
    EXPECT_EQ(b.time, (TimeOfDay{12 * 3600 + 34 * 60 + 56, 0}));
    EXPECT_EQ(b.latitude, 48.125);
    EXPECT_EQ(b.longitude, 11.504166666666666);
    EXPECT_EQ(b.ground_track, 90.0);
    EXPECT_EQ(b.ground_speed, 100.0);
    EXPECT_EQ(b.gps_altitude, 1000.0);
    EXPECT_EQ(b.ogn_beacon_id.prefix,
              (OGNIDPrefix{OGNAircraftType::Glider, OGNAddressType::FLARM, false, false}));
    EXPECT_EQ(b.ogn_beacon_id.icao_address.value(), 0xABCDEFU);

    // The byte overload reads the same bytes.
    const auto bytes = std::as_bytes(std::span(line.data(), line.size()));
    const ParseResult from_bytes = parse_ogn_aprs_aircraft_beacon(bytes);
    ASSERT_TRUE(from_bytes);
    EXPECT_EQ(*from_bytes, b);
}

TEST(LineGrammar, UncheckedBytesAndHeaderSplit) {
    const AircraftBeacon expected = *parse_ogn_aprs_aircraft_beacon(line);
    AircraftBeacon other = *parse_ogn_aprs_aircraft_beacon(header + "!123456z4807.50N|01130.25E>090x100/A=001000 id06ABCDEF");
    EXPECT_EQ(other, expected);

    const AircraftBeacon empty = *parse_ogn_aprs_aircraft_beacon(">OGFLR,,:" + position + " id06ABCDEF");
    EXPECT_EQ(empty.callsign, "");
    EXPECT_EQ(empty.q_construct, "");
    EXPECT_EQ(empty.receiver, "");

    const AircraftBeacon path = *parse_ogn_aprs_aircraft_beacon("ABC>OGFLR,TCPIP*,qAC,RECV:" + position + " id06ABCDEF");
    EXPECT_EQ(path.q_construct, "TCPIP*");
    EXPECT_EQ(path.receiver, "qAC,RECV");

    // Header texts may hold any valid UTF-8, spaces included.
    const AircraftBeacon text = *parse_ogn_aprs_aircraft_beacon("Z\xC3\xA9 1>OGNSKY,q A,R\xE2\x82\xAC:" + position + " id06ABCDEF");
    EXPECT_EQ(text.callsign, "Z\xC3\xA9 1");
    EXPECT_EQ(text.receiver, "R\xE2\x82\xAC");
    EXPECT_EQ(text.ogn_aprs_protocol, OGNAPRSProtocol::OGNSKY);
}

TEST(LineGrammar, EveryFailureInStepOrder) {
    const std::string h = header;
    struct Case { std::string text; AircraftParseError error; };
    const Case cases[] = {
        {"", parse_error(K::InvalidCallsign, "", "invalid callsign")},
        {"abc", parse_error(K::InvalidCallsign, "abc", "invalid callsign")},
        {"a\xFF>OGFLR,", parse_error(K::InvalidCallsign, "a\xEF\xBF\xBD>OGFLR,", "invalid callsign")},
        {"ABC>OGFLR", {APRSMessageParseError::unknown("OGFLR")}},
        {"ABC>ogflr,qAS,R:", parse_error(K::InvalidOGNAprsProtocol, "ogflr", "Unsupported OGN APRS Protocol")},
        {"ABC>OG\xFF,qAS,R:", parse_error(K::InvalidOGNAprsProtocol, "", "Unsupported OGN APRS Protocol")},
        {"ABC>OGFLR,qAS", parse_error(K::InvalidQConstruct, "qAS", "invalid q construct")},
        {"ABC>OGFLR,q\xFF,R:", parse_error(K::InvalidQConstruct, "q\xEF\xBF\xBD,R:", "invalid q construct")},
        {"ABC>OGFLR,qAS,RECV", parse_error(K::InvalidReceiver, "RECV", "invalid receiver")},
        {"ABC>OGFLR,qAS,R\x80:/", parse_error(K::InvalidReceiver, "R\xEF\xBF\xBD:/", "invalid receiver")},
        {h, parse_error(K::UnexpectedEndOfMessage, "", "nom error: Eof")},
        {h + "/1234", parse_error(K::InvalidTimestamp, "1234", "nom error: Eof")},
        {h + "/123456", parse_error(K::InvalidTimestamp, "", "nom error: Eof")},
        {h + "/126056h4807", parse_error(K::InvalidTimestamp, "126056h4807", "invalid time")},
        {h + "/123456h4807.50", parse_error(K::InvalidLatitude, "4807.50", "no suffix for coordinate found")},
        {h + "/123456h4807.50N", parse_error(K::UnexpectedEndOfMessage, "", "nom error: Eof")},
        {h + "/123456h4807.50N/0113", parse_error(K::InvalidLongitude, "0113", "invalid number of digits for minutes")},
        {h + "/123456h4807.50N/01130.25E", parse_error(K::UnexpectedEndOfMessage, "", "nom error: Eof")},
        {h + "/123456h4807.50N/01130.25E'09", parse_error(K::InvalidGroundTrack, "09", "invalid ground track")},
        {h + "/123456h4807.50N/01130.25E'090", parse_error(K::UnexpectedEndOfMessage, "", "nom error: Eof")},
        {h + "/123456h4807.50N/01130.25E'090/1x0/A=", parse_error(K::InvalidGroundSpeed, "1x0/A=", "invalid ground speed")},
        {h + "/123456h4807.50N/01130.25E'090/100/B=001000 id06ABCDEF",
         parse_error(K::UnexpectedEndOfMessage, "/B=001000 id06ABCDEF", "nom error: TakeUntil")},
        {h + "/123456h4807.50N/01130.25E'090/100", parse_error(K::UnexpectedEndOfMessage, "", "nom error: TakeUntil")},
        {h + "/123456h4807.50N/01130.25E'090/100/A=00100", parse_error(K::InvalidGPSAltitude, "00100", "invalid gps altitude")},
        {h + position + " id06ABCDE", parse_error(K::InvalidOGNBeaconId, "id06ABCDE", "invalid ogn beacon id format")},
        {h + position + " id0GABCDEF", parse_error(K::InvalidOGNBeaconId, "0GABCDEF", "invalid ogn beacon id: Invalid hexadecimal format")},
        {h + position, {AircraftParseError::MissingOGNBeaconID{}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(failure(c.text), c.error) << c.text;
    }
}

TEST(CommentSearch, TokensAndIdentifiers) {
    const std::string p = header + position;
    EXPECT_EQ(id_address(p + " id06000001 id06000002"), 2U);                  // the last one wins
    EXPECT_EQ(id_address(p + "id06000003"), 3U);                               // glued to the altitude
    EXPECT_EQ(id_address(p + "   id06000004   "), 4U);                         // repeated spaces
    EXPECT_EQ(id_address(p + " id06000005xyz"), 5U);                           // trailing bytes ignored
    EXPECT_EQ(id_address(p + " id06000006\r\n"), 6U);
    EXPECT_EQ(id_address(p + " +000fpmid06ABCDEF id06000007 \xFF\xFE rid0"), 7U);  // only token starts count
    EXPECT_EQ(id_address(p + " x\tid06ABCDEF id06000008"), 8U);
    EXPECT_EQ(id_address(header + "/123456h4807.50N/01130.25E'090/100 xx A=001000 id06000009"), 9U);  // later "A="

    EXPECT_TRUE(failure(p + "\tid06ABCDEF").is_missing_beacon_id());
    EXPECT_TRUE(failure(p + " +000fpmid06ABCDEF i d").is_missing_beacon_id());
    EXPECT_TRUE(failure(p + " ").is_missing_beacon_id());
    // A bad identifier after a good one still fails the parse.
    EXPECT_EQ(failure(p + " id06ABCDEF idXYZ"), parse_error(K::InvalidOGNBeaconId, "idXYZ", "invalid ogn beacon id format"));
    EXPECT_EQ(failure(p + " id"), parse_error(K::InvalidOGNBeaconId, "id", "invalid ogn beacon id format"));
    EXPECT_EQ(failure(p + " id\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF"),
              parse_error(K::InvalidOGNBeaconId, "", "invalid ogn beacon id: Invalid beacon format: "));
}

TEST(ErrorDebugText, Forms) {
    EXPECT_EQ(debug_text(failure("abc")),
              R"(ParseError(InvalidCallsign(APRSParseContext { input: "abc", message: "invalid callsign" })))");
    EXPECT_EQ(debug_text(failure(header + position)), "MissingOGNBeaconID");
    EXPECT_EQ(debug_text(failure("ABC>OG\"\\'")), R"(ParseError(UnknownError("OG\"\\'")))");
    // Invalid UTF-8 in the input shows as U+FFFD; control characters are escaped.
    EXPECT_EQ(debug_text(failure("a\xFF\t\n\r\x01\x7F"sv)),
              "ParseError(InvalidCallsign(APRSParseContext { input: \"a\xEF\xBF\xBD\\t\\n\\r\\u{1}\\u{7f}\", "
              "message: \"invalid callsign\" }))");
    EXPECT_EQ(debug_text(failure("\0"sv)),
              R"(ParseError(InvalidCallsign(APRSParseContext { input: "\0", message: "invalid callsign" })))");
    EXPECT_EQ(debug_text(APRSParseContext::from_error_kind("x", ErrorKind::TakeUntil)),
              R"(APRSParseContext { input: "x", message: "nom error: TakeUntil" })");
    EXPECT_EQ(debug_text(APRSMessageParseError::from_error_kind("r\xC3", ErrorKind::Tag)),
              "UnknownError(\"r\xEF\xBF\xBD\")");
    EXPECT_EQ(debug_text(APRSMessageParseError::make(K::MissingSeparator, "", "m")),
              R"(MissingSeparator(APRSParseContext { input: "", message: "m" }))");
    // A context built by hand with bytes that are not UTF-8 still prints as valid text.
    EXPECT_EQ(debug_text(APRSParseContext{"\xFF", "\xC0"}),
              "APRSParseContext { input: \"\xEF\xBF\xBD\", message: \"\xEF\xBF\xBD\" }");
}

TEST(ErrorDebugText, VariantNamesAndFactories) {
    const std::string_view names[] = {
        "UnknownError", "UnexpectedEndOfMessage", "MissingSeparator", "InvalidQConstruct", "InvalidReceiver",
        "InvalidCallsign", "InvalidOGNAprsProtocol", "InvalidTimestamp", "InvalidLatitude", "InvalidLongitude",
        "InvalidGroundTrack", "InvalidGroundSpeed", "InvalidGPSAltitude", "InvalidOGNBeaconId"};
    for (std::size_t i = 0; i < std::size(names); ++i) {
        EXPECT_EQ(name(static_cast<K>(i)), names[i]);
    }
    EXPECT_EQ(name(ErrorKind::Tag), "Tag");
    EXPECT_EQ(name(ErrorKind::MapRes), "MapRes");
    EXPECT_EQ(APRSParseContext::from_error_kind("\xFF", ErrorKind::Eof),
              (APRSParseContext{"\xEF\xBF\xBD", "nom error: Eof"}));
    EXPECT_EQ(APRSParseContext::from_external_error("r", ErrorKind::Eof, "invalid time"),
              (APRSParseContext{"r", "invalid time"}));
}

}  // namespace
