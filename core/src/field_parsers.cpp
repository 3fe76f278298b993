// The field parsers of the beacon grammar. Each works on a view of the
// remaining bytes and returns the rest after what it consumed, or an error
// whose context holds the rest of the line at the start of the field.
#include "volarion/field_parsers.hpp"

#include "volarion/text.hpp"

namespace volarion::fields {

namespace {

using Kind = APRSMessageParseErrorKind;

// ASCII is valid UTF-8; the header texts nearly always are, so the full
// check runs only when a byte above 0x7F is present.
bool is_utf8_text(std::string_view bytes) noexcept {
    unsigned char high = 0;
    for (const char c : bytes) {
        high |= static_cast<unsigned char>(c);
    }
    return high < 0x80 || is_valid_utf8(bytes);
}

APRSMessageParseError fail(Kind kind, Bytes rest, std::string_view message) {
    return APRSMessageParseError::make(kind, rest, message);
}

// Bytes before the first delimiter, as valid UTF-8 text; the delimiter is
// consumed too. Any failure is reported with the whole rest. Header texts
// are short, so one byte loop finds the delimiter and notes whether any
// non-ASCII byte needs the full UTF-8 check.
FieldResult<std::string_view> delimited_text(Bytes rest, char delimiter, Kind kind, std::string_view message) {
    const std::size_t n = rest.size();
    unsigned char high = 0;
    std::size_t at = 0;
    while (at != n && rest[at] != delimiter) {
        high |= static_cast<unsigned char>(rest[at]);
        ++at;
    }
    if (at == n) {
        return unexpected(fail(kind, rest, message));
    }
    const std::string_view text = rest.substr(0, at);
    if (high >= 0x80 && !is_valid_utf8(text)) {
        return unexpected(fail(kind, rest, message));
    }
    return std::pair{rest.substr(at + 1), text};
}

// A fixed-width field read as number text; too few bytes and bad text give
// the same error.
FieldResult<double> fixed_width_number(Bytes rest, std::size_t width, Kind kind, std::string_view message) {
    if (rest.size() < width) {
        return unexpected(fail(kind, rest, message));
    }
    double value = 0.0;
    if (!read_number_text(rest.substr(0, width), value)) {
        return unexpected(fail(kind, rest, message));
    }
    return std::pair{rest.substr(width), value};
}

constexpr bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

// Two digits, or "+" and one digit. -1 for anything else.
constexpr int time_pair(char first, char second) noexcept {
    if (!is_digit(second)) return -1;
    if (is_digit(first)) return (first - '0') * 10 + (second - '0');
    if (first == '+') return second - '0';
    return -1;
}

}  // namespace

FieldResult<std::string_view> parse_callsign(Bytes rest) {
    return delimited_text(rest, '>', Kind::InvalidCallsign, "invalid callsign");
}

FieldResult<OGNAPRSProtocol> parse_ogn_aprs_protocol(Bytes rest) {
    const std::size_t at = rest.find(',');
    if (at == Bytes::npos) {
        return unexpected(APRSMessageParseError::from_error_kind(rest, ErrorKind::TakeUntil));
    }
    const std::string_view token = rest.substr(0, at);
    // The three tokens are ASCII, so a match implies valid text. Only a
    // rejected token needs the check: one that is not UTF-8 counts as empty.
    auto protocol = parse_protocol(token);
    if (!protocol) {
        if (!is_utf8_text(token)) {
            protocol = parse_protocol({});
        }
        return unexpected(std::move(protocol).error());
    }
    return std::pair{rest.substr(at + 1), *protocol};
}

FieldResult<std::string_view> parse_q_construct(Bytes rest) {
    return delimited_text(rest, ',', Kind::InvalidQConstruct, "invalid q construct");
}

FieldResult<std::string_view> parse_receiver(Bytes rest) {
    return delimited_text(rest, ':', Kind::InvalidReceiver, "invalid receiver");
}

FieldResult<TimeOfDay> parse_timestamp(Bytes rest) {
    constexpr auto kind = Kind::InvalidTimestamp;
    if (rest.size() < 6) {
        return unexpected(APRSMessageParseError::with_context(
            kind, APRSParseContext::from_error_kind(rest, ErrorKind::Eof)));
    }
    // The byte after the digits (usually "h") must exist; when it is missing
    // the failure is reported at the end of the line.
    if (rest.size() == 6) {
        return unexpected(APRSMessageParseError::with_context(
            kind, APRSParseContext::from_error_kind(rest.substr(6), ErrorKind::Eof)));
    }
    const Bytes digits = rest.substr(0, 6);
    const auto reject = [&](std::string_view message) {
        return unexpected(APRSMessageParseError::with_context(
            kind, APRSParseContext::from_external_error(rest, ErrorKind::MapRes, message)));
    };
    // Valid pairs are ASCII, so the UTF-8 check only has to decide which
    // message a bad field gets; "invalid utf8" comes before the pair messages.
    const int hour = time_pair(digits[0], digits[1]);
    const int minute = time_pair(digits[2], digits[3]);
    const int second = time_pair(digits[4], digits[5]);
    if (hour < 0 || minute < 0 || second < 0) {
        if (!is_utf8_text(digits)) return reject("invalid utf8");
        if (hour < 0) return reject("invalid hour digits");
        if (minute < 0) return reject("invalid minute digits");
        return reject("invalid second digits");
    }
    if (hour > 23 || minute > 59 || second > 59) {
        return reject("invalid time");
    }
    const auto seconds = static_cast<std::uint32_t>(hour * 3600 + minute * 60 + second);
    return std::pair{rest.substr(7), TimeOfDay{seconds, 0}};
}

FieldResult<double> parse_coordinate(Bytes rest, bool is_longitude) {
    const Kind kind = is_longitude ? Kind::InvalidLongitude : Kind::InvalidLatitude;
    const std::size_t degree_width = is_longitude ? 3 : 2;
    // All length checks come before any number is read.
    if (rest.size() < degree_width) {
        return unexpected(fail(kind, rest, "invalid number of digits for degrees"));
    }
    if (rest.size() < degree_width + 5) {
        return unexpected(fail(kind, rest, "invalid number of digits for minutes"));
    }
    if (rest.size() < degree_width + 6) {
        return unexpected(fail(kind, rest, "no suffix for coordinate found"));
    }
    double degrees = 0.0;
    if (!read_number_text(rest.substr(0, degree_width), degrees)) {
        return unexpected(fail(kind, rest, "could not parse degrees"));
    }
    double minutes = 0.0;
    if (!read_number_text(rest.substr(degree_width, 5), minutes)) {
        return unexpected(fail(kind, rest, "could not parse minutes"));
    }
    double value = degrees + minutes / 60.0;
    const char suffix = rest[degree_width + 5];
    if (suffix == (is_longitude ? 'W' : 'S')) {
        value = -value;
    }
    return std::pair{rest.substr(degree_width + 6), value};
}

FieldResult<double> parse_ground_track(Bytes rest) {
    return fixed_width_number(rest, 3, Kind::InvalidGroundTrack, "invalid ground track");
}

FieldResult<double> parse_ground_speed(Bytes rest) {
    return fixed_width_number(rest, 3, Kind::InvalidGroundSpeed, "invalid ground speed");
}

FieldResult<double> parse_gps_altitude(Bytes rest) {
    return fixed_width_number(rest, 6, Kind::InvalidGPSAltitude, "invalid gps altitude");
}

FieldResult<OGNBeaconID> parse_ogn_beacon_id(Bytes token) {
    constexpr auto kind = Kind::InvalidOGNBeaconId;
    if (token.size() < 2 || token[0] != 'i' || token[1] != 'd' || token.size() < 10) {
        return unexpected(fail(kind, token, "invalid ogn beacon id format"));
    }
    std::string_view text = token.substr(2, 8);
    // Accepted identifier characters are ASCII, so validity only matters for
    // a rejected text: one that is not UTF-8 is decoded as the empty text.
    auto id = OGNBeaconID::from_str(text);
    if (!id && !is_utf8_text(text)) {
        text = {};
        id = OGNBeaconID::from_str(text);
    }
    if (!id) {
        std::string message = "invalid ogn beacon id: ";
        message += id.error().message();
        return unexpected(APRSMessageParseError::with_context(
            kind, APRSParseContext{std::string(text), std::move(message)}));
    }
    return std::pair{token.substr(10), *id};
}

}  // namespace volarion::fields
