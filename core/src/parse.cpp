// The line grammar: one forward pass over the bytes of a beacon line, each
// step working on a view of what the previous step left.
#include "volarion/parse.hpp"

#include <cstring>
#include <string>

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

// First position at or after from where the two bytes first, second stand.
// memchr skips the long stretches without the first byte quickly; in a
// comment "i" is rare, so a search for "id" rarely stops in vain.
std::size_t find_pair(Bytes bytes, std::size_t from, char first, char second) noexcept {
    const std::size_t n = bytes.size();
    while (from + 1 < n) {
        const void* hit = std::memchr(bytes.data() + from, first, n - 1 - from);
        if (hit == nullptr) {
            break;
        }
        const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - bytes.data());
        if (bytes[at + 1] == second) {
            return at;
        }
        from = at + 1;
    }
    return Bytes::npos;
}

// Stores the error in result and returns it.
#define VOLARION_FAIL(error)             \
    do {                                 \
        result.emplace_error((error));   \
        return result;                   \
    } while (false)

// Runs a field parser on rest; on success advances rest and stores the value.
#define VOLARION_STEP(target, call)                                 \
    do {                                                            \
        auto step_result = (call);                                  \
        if (!step_result) {                                         \
            VOLARION_FAIL(wrap(std::move(step_result).error()));    \
        }                                                           \
        rest = step_result->first;                                  \
        (target) = step_result->second;                             \
    } while (false)

#define VOLARION_SKIP_ONE()                                  \
    do {                                                     \
        if (!skip_one(rest)) {                               \
            VOLARION_FAIL(end_of_message(rest, ErrorKind::Eof)); \
        }                                                    \
    } while (false)

}  // namespace

ParseResult parse_ogn_aprs_aircraft_beacon(std::string_view line) {
    Bytes rest = line;

    std::string_view callsign;
    std::string_view q_construct;
    std::string_view receiver;
    // The record is filled in inside the result, which every path returns.
    ParseResult result(std::in_place);
    AircraftBeacon& beacon = *result;

    VOLARION_STEP(callsign, fields::parse_callsign(rest));
    VOLARION_STEP(beacon.ogn_aprs_protocol, fields::parse_ogn_aprs_protocol(rest));
    VOLARION_STEP(q_construct, fields::parse_q_construct(rest));
    VOLARION_STEP(receiver, fields::parse_receiver(rest));
    VOLARION_SKIP_ONE();
    VOLARION_STEP(beacon.time, fields::parse_timestamp(rest));
    VOLARION_STEP(beacon.latitude, fields::parse_coordinate(rest, false));
    VOLARION_SKIP_ONE();
    VOLARION_STEP(beacon.longitude, fields::parse_coordinate(rest, true));
    VOLARION_SKIP_ONE();
    VOLARION_STEP(beacon.ground_track, fields::parse_ground_track(rest));
    VOLARION_SKIP_ONE();
    VOLARION_STEP(beacon.ground_speed, fields::parse_ground_speed(rest));

    // Everything up to the first "A=" is skipped unexamined.
    const std::size_t marker = find_pair(rest, 0, 'A', '=');
    if (marker == Bytes::npos) {
        VOLARION_FAIL(end_of_message(rest, ErrorKind::TakeUntil));
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
        const std::size_t at = find_pair(comment, pos, 'i', 'd');
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
            VOLARION_FAIL(wrap(std::move(id).error()));
        }
        beacon.ogn_beacon_id = id->second;
        found = true;
        if (end == Bytes::npos) {
            break;
        }
        pos = end + 1;
    }
    if (!found) {
        VOLARION_FAIL(AircraftParseError{AircraftParseError::MissingOGNBeaconID{}});
    }

    beacon.callsign.assign(callsign);
    beacon.q_construct.assign(q_construct);
    beacon.receiver.assign(receiver);
    return result;
}

ParseResult parse_ogn_aprs_aircraft_beacon(std::span<const std::byte> line) {
    return parse_ogn_aprs_aircraft_beacon(
        std::string_view(reinterpret_cast<const char*>(line.data()), line.size()));
}

}  // namespace volarion
