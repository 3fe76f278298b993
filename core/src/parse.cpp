// The line grammar: one forward pass over the bytes of a beacon line, each
// step working on a view of what the previous step left.
#include "volarion/parse.hpp"

#include "volarion/field_parsers.hpp"

namespace volarion {

namespace {

using fields::Bytes;

AircraftParseError wrap(APRSMessageParseError&& error) {
    return AircraftParseError{std::move(error)};
}

// One byte of any value (data type, symbol table, symbol code, the "/"
// between track and speed) is skipped without being looked at.
bool skip_one(Bytes& rest) noexcept {
    if (rest.empty()) {
        return false;
    }
    rest.remove_prefix(1);
    return true;
}

AircraftParseError end_of_message(Bytes rest, ErrorKind kind) {
    return wrap(APRSMessageParseError::with_context(APRSMessageParseErrorKind::UnexpectedEndOfMessage,
                                                    APRSParseContext::from_error_kind(rest, kind)));
}

// Runs a field parser on rest; on success advances rest and stores the value.
#define VOLARION_STEP(target, call)                            \
    do {                                                       \
        auto step_result = (call);                             \
        if (!step_result) {                                    \
            return unexpected(wrap(std::move(step_result).error())); \
        }                                                      \
        rest = step_result->first;                             \
        (target) = step_result->second;                        \
    } while (false)

}  // namespace

ParseResult parse_ogn_aprs_aircraft_beacon(std::string_view line) {
    Bytes rest = line;

    std::string_view callsign;
    std::string_view q_construct;
    std::string_view receiver;
    AircraftBeacon beacon;

    VOLARION_STEP(callsign, fields::parse_callsign(rest));
    VOLARION_STEP(beacon.ogn_aprs_protocol, fields::parse_ogn_aprs_protocol(rest));
    VOLARION_STEP(q_construct, fields::parse_q_construct(rest));
    VOLARION_STEP(receiver, fields::parse_receiver(rest));
    if (!skip_one(rest)) return unexpected(end_of_message(rest, ErrorKind::Eof));
    VOLARION_STEP(beacon.time, fields::parse_timestamp(rest));
    VOLARION_STEP(beacon.latitude, fields::parse_coordinate(rest, false));
    if (!skip_one(rest)) return unexpected(end_of_message(rest, ErrorKind::Eof));
    VOLARION_STEP(beacon.longitude, fields::parse_coordinate(rest, true));
    if (!skip_one(rest)) return unexpected(end_of_message(rest, ErrorKind::Eof));
    VOLARION_STEP(beacon.ground_track, fields::parse_ground_track(rest));
    if (!skip_one(rest)) return unexpected(end_of_message(rest, ErrorKind::Eof));
    VOLARION_STEP(beacon.ground_speed, fields::parse_ground_speed(rest));

    // Everything up to the first "A=" is skipped unexamined.
    const std::size_t marker = rest.find("A=");
    if (marker == Bytes::npos) {
        return unexpected(end_of_message(rest, ErrorKind::TakeUntil));
    }
    rest.remove_prefix(marker + 2);
    VOLARION_STEP(beacon.gps_altitude, fields::parse_gps_altitude(rest));

    // The comment: tokens are separated by single spaces only. A token begins
    // with "id" exactly when an "id" stands at the start of the comment or
    // right after a space, so a scan for "id" finds every candidate in order;
    // after a candidate token the scan resumes at its end.
    const Bytes comment = rest;
    bool found = false;
    std::size_t pos = 0;
    while (true) {
        const std::size_t at = comment.find("id", pos);
        if (at == Bytes::npos) {
            break;
        }
        if (at != 0 && comment[at - 1] != ' ') {
            pos = at + 1;
            continue;
        }
        const std::size_t end = comment.find(' ', at);
        const Bytes token = comment.substr(at, end == Bytes::npos ? Bytes::npos : end - at);
        auto id = fields::parse_ogn_beacon_id(token);
        if (!id) {
            return unexpected(wrap(std::move(id).error()));
        }
        beacon.ogn_beacon_id = id->second;
        found = true;
        if (end == Bytes::npos) {
            break;
        }
        pos = end + 1;
    }
    if (!found) {
        return unexpected(AircraftParseError{AircraftParseError::MissingOGNBeaconID{}});
    }

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
