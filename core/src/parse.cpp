// The line grammar: the fixed order of steps from the header texts to the
// beacon identifier in the comment. Every step works on a view of the
// remaining bytes; the three header texts are copied once the whole line has
// been accepted.
#include "volarion/parse.hpp"

#include <optional>

#include "volarion/field_parsers.hpp"

namespace volarion {

namespace {

using fields::Bytes;
using Kind = APRSMessageParseErrorKind;

AircraftParseError parse_error(APRSMessageParseError error) { return AircraftParseError{std::move(error)}; }

// Skips one byte of any value (data type, symbol table, symbol code,
// separator). Only its absence is an error.
bool skip_byte(Bytes& rest) {
    if (rest.empty()) {
        return false;
    }
    rest.remove_prefix(1);
    return true;
}

AircraftParseError unexpected_end(Bytes rest, ErrorKind kind) {
    return parse_error(APRSMessageParseError::with_context(Kind::UnexpectedEndOfMessage,
                                                           APRSParseContext::from_error_kind(rest, kind)));
}

// Runs a field parser on rest; on success advances rest and stores the
// value, otherwise returns the parser's error.
template <typename Parser, typename Value>
std::optional<APRSMessageParseError> step(Parser&& parser, Bytes& rest, Value& out) {
    auto result = parser(rest);
    if (!result) {
        return std::move(result).error();
    }
    rest = result->first;
    out = result->second;
    return std::nullopt;
}

// The identifier search over the comment: tokens split at spaces only; the
// last token starting with "id" wins, and a bad one fails the whole parse.
Expected<OGNBeaconID, AircraftParseError> find_beacon_id(Bytes comment) {
    bool found = false;
    OGNBeaconID id;
    while (!comment.empty()) {
        const std::size_t space = comment.find(' ');
        const Bytes token = comment.substr(0, space);
        comment = space == Bytes::npos ? Bytes() : comment.substr(space + 1);
        if (token.size() < 2 || token[0] != 'i' || token[1] != 'd') {
            continue;
        }
        auto parsed = fields::parse_ogn_beacon_id(token);
        if (!parsed) {
            return unexpected(parse_error(std::move(parsed).error()));
        }
        id = parsed->second;
        found = true;
    }
    if (!found) {
        return unexpected(AircraftParseError{AircraftParseError::MissingOGNBeaconID{}});
    }
    return id;
}

}  // namespace

ParseResult parse_ogn_aprs_aircraft_beacon(std::string_view line) {
    Bytes rest = line;
    std::string_view callsign;
    std::string_view q_construct;
    std::string_view receiver;
    AircraftBeacon beacon;
    const auto latitude = [](Bytes r) { return fields::parse_coordinate(r, false); };
    const auto longitude = [](Bytes r) { return fields::parse_coordinate(r, true); };

    if (auto error = step(fields::parse_callsign, rest, callsign)) return unexpected(parse_error(std::move(*error)));
    if (auto error = step(fields::parse_ogn_aprs_protocol, rest, beacon.ogn_aprs_protocol)) {
        return unexpected(parse_error(std::move(*error)));
    }
    if (auto error = step(fields::parse_q_construct, rest, q_construct)) return unexpected(parse_error(std::move(*error)));
    if (auto error = step(fields::parse_receiver, rest, receiver)) return unexpected(parse_error(std::move(*error)));
    if (!skip_byte(rest)) return unexpected(unexpected_end(rest, ErrorKind::Eof));
    if (auto error = step(fields::parse_timestamp, rest, beacon.time)) return unexpected(parse_error(std::move(*error)));
    if (auto error = step(latitude, rest, beacon.latitude)) return unexpected(parse_error(std::move(*error)));
    if (!skip_byte(rest)) return unexpected(unexpected_end(rest, ErrorKind::Eof));
    if (auto error = step(longitude, rest, beacon.longitude)) return unexpected(parse_error(std::move(*error)));
    if (!skip_byte(rest)) return unexpected(unexpected_end(rest, ErrorKind::Eof));
    if (auto error = step(fields::parse_ground_track, rest, beacon.ground_track)) {
        return unexpected(parse_error(std::move(*error)));
    }
    if (!skip_byte(rest)) return unexpected(unexpected_end(rest, ErrorKind::Eof));
    if (auto error = step(fields::parse_ground_speed, rest, beacon.ground_speed)) {
        return unexpected(parse_error(std::move(*error)));
    }
    // Everything up to the first "A=" is skipped unexamined.
    const std::size_t marker = rest.find("A=");
    if (marker == Bytes::npos) return unexpected(unexpected_end(rest, ErrorKind::TakeUntil));
    rest.remove_prefix(marker + 2);
    if (auto error = step(fields::parse_gps_altitude, rest, beacon.gps_altitude)) {
        return unexpected(parse_error(std::move(*error)));
    }
    auto id = find_beacon_id(rest);
    if (!id) return unexpected(std::move(id).error());
    beacon.ogn_beacon_id = *id;
    beacon.callsign.assign(callsign);
    beacon.q_construct.assign(q_construct);
    beacon.receiver.assign(receiver);
    return beacon;
}

ParseResult parse_ogn_aprs_aircraft_beacon(std::span<const std::byte> line) {
    return parse_ogn_aprs_aircraft_beacon(
        std::string_view(reinterpret_cast<const char*>(line.data()), line.size()));
}

}  // namespace volarion
