// The field parsers of the beacon grammar. Each takes the remaining bytes of
// the line and returns the bytes after what it consumed with its value, or the
// error naming the field. Exposed for tests; users call the line parser.
#pragma once

#include "volarion/result.hpp"
#include <optional>
#include <string_view>
#include <utility>

#include "volarion/aprs_types.hpp"
#include "volarion/beacon.hpp"
#include "volarion/errors.hpp"

namespace volarion::fields {

// Bytes of the line, viewed as chars; texts taken from it are views too.
using Bytes = std::string_view;

template <typename T>
using FieldResult = Expected<std::pair<Bytes, T>, APRSMessageParseError>;

// Number text: optional sign, decimal with optional fraction and exponent, or
// inf / infinity / nan in any case; nothing else. Correctly rounded; out of
// range reads as infinity or zero. false when the syntax is not met, and
// out is then left as it was. (A bool and an out parameter, because an
// optional<double> return costs a store-forwarding stall per field here.)
bool read_number_text(Bytes text, double& out) noexcept;

// The same as an optional, for callers off the hot path.
inline std::optional<double> parse_number_text(Bytes text) noexcept {
    double value = 0.0;
    if (!read_number_text(text, value)) {
        return std::nullopt;
    }
    return value;
}

FieldResult<std::string_view> parse_callsign(Bytes rest);
FieldResult<OGNAPRSProtocol> parse_ogn_aprs_protocol(Bytes rest);
FieldResult<std::string_view> parse_q_construct(Bytes rest);
FieldResult<std::string_view> parse_receiver(Bytes rest);
FieldResult<TimeOfDay> parse_timestamp(Bytes rest);
FieldResult<double> parse_coordinate(Bytes rest, bool is_longitude);
FieldResult<double> parse_ground_track(Bytes rest);
FieldResult<double> parse_ground_speed(Bytes rest);
FieldResult<double> parse_gps_altitude(Bytes rest);
// Given one comment token that begins with "id".
FieldResult<OGNBeaconID> parse_ogn_beacon_id(Bytes token);

}  // namespace volarion::fields
