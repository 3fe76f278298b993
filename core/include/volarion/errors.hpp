// Error values of the core. They are plain values that own their texts; the
// parser returns them and never throws.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace volarion {

// Failure of creating an ICAOAddress.
struct ICAOAddressError {
    enum class Kind : std::uint8_t { InvalidHex, ExceedsLimit };

    Kind kind = Kind::InvalidHex;
    std::uint32_t value = 0;  // the rejected value, for ExceedsLimit

    static constexpr ICAOAddressError invalid_hex() noexcept { return {Kind::InvalidHex, 0}; }
    static constexpr ICAOAddressError exceeds_limit(std::uint32_t v) noexcept { return {Kind::ExceedsLimit, v}; }

    // "Invalid hexadecimal format" or "Value 0x... (...) exceeds 24-bit ICAO
    // address limit (0xFFFFFF)".
    std::string message() const;

    friend bool operator==(const ICAOAddressError&, const ICAOAddressError&) noexcept = default;
};

// Failure of reading an ID prefix. Decoding a byte never fails, so only
// InvalidHex is ever produced; the other variants complete the type.
struct OGNIDPrefixError {
    enum class Kind : std::uint8_t { InvalidHex, InvalidValue, InvalidAddressFormat };

    Kind kind = Kind::InvalidHex;
    std::uint8_t value = 0;

    static constexpr OGNIDPrefixError invalid_hex() noexcept { return {Kind::InvalidHex, 0}; }

    std::string message() const;

    friend bool operator==(const OGNIDPrefixError&, const OGNIDPrefixError&) noexcept = default;
};

// Failure of reading a beacon identifier from its text.
struct OGNBeaconIDError {
    struct InvalidFormat {
        std::string text;  // the whole rejected text
        friend bool operator==(const InvalidFormat&, const InvalidFormat&) = default;
    };
    // InvalidPrefix, InvalidAddress, InvalidFormat, in that order.
    std::variant<OGNIDPrefixError, ICAOAddressError, InvalidFormat> error;

    // The inner error's text, or "Invalid beacon format: " + the text.
    std::string message() const;

    friend bool operator==(const OGNBeaconIDError&, const OGNBeaconIDError&) = default;
};

// Low-level failure kinds of the byte-level steps.
enum class ErrorKind : std::uint8_t { Tag, TakeUntil, Eof, MapRes };

std::string_view name(ErrorKind kind) noexcept;

// Where and why a step failed: the rest of the line from the failing field on
// (invalid UTF-8 replaced by U+FFFD) and a fixed message.
struct APRSParseContext {
    std::string input;
    std::string message;

    // message "nom error: " + the kind's name.
    static APRSParseContext from_error_kind(std::string_view rest, ErrorKind kind);
    // message is error_text unchanged; the kind is not used.
    static APRSParseContext from_external_error(std::string_view rest, ErrorKind kind, std::string_view error_text);

    friend bool operator==(const APRSParseContext&, const APRSParseContext&) = default;
};

// Which field failed. The order is the declared order of the variants.
enum class APRSMessageParseErrorKind : std::uint8_t {
    UnknownError,
    UnexpectedEndOfMessage,
    MissingSeparator,
    InvalidQConstruct,
    InvalidReceiver,
    InvalidCallsign,
    InvalidOGNAprsProtocol,
    InvalidTimestamp,
    InvalidLatitude,
    InvalidLongitude,
    InvalidGroundTrack,
    InvalidGroundSpeed,
    InvalidGPSAltitude,
    InvalidOGNBeaconId,
};

std::string_view name(APRSMessageParseErrorKind kind) noexcept;

// A failed step. UnknownError holds a text (kept in context.input, with an
// empty message); every other kind holds the whole context.
struct APRSMessageParseError {
    APRSMessageParseErrorKind kind = APRSMessageParseErrorKind::UnknownError;
    APRSParseContext context;

    static APRSMessageParseError unknown(std::string text);
    static APRSMessageParseError with_context(APRSMessageParseErrorKind kind, APRSParseContext context);
    // UnknownError holding the lossy text of rest; the kind is not used.
    static APRSMessageParseError from_error_kind(std::string_view rest, ErrorKind kind);
    // A context variant whose context is built from (rest, message).
    static APRSMessageParseError make(APRSMessageParseErrorKind kind, std::string_view rest, std::string_view message);

    // The text held by UnknownError.
    const std::string& unknown_text() const noexcept { return context.input; }

    friend bool operator==(const APRSMessageParseError&, const APRSMessageParseError&) = default;
};

// The error of a whole parse.
struct AircraftParseError {
    struct MissingOGNBeaconID {
        friend bool operator==(MissingOGNBeaconID, MissingOGNBeaconID) = default;
    };
    // ParseError (a step failed) or MissingOGNBeaconID (no "id" token).
    std::variant<APRSMessageParseError, MissingOGNBeaconID> error;

    bool is_missing_beacon_id() const noexcept { return std::holds_alternative<MissingOGNBeaconID>(error); }
    const APRSMessageParseError* parse_error() const noexcept { return std::get_if<APRSMessageParseError>(&error); }

    friend bool operator==(const AircraftParseError&, const AircraftParseError&) = default;
};

// Canonical debug text of the error values, e.g.
// ParseError(InvalidCallsign(APRSParseContext { input: "abc", message: "invalid callsign" })).
std::string debug_text(const APRSParseContext& context);
std::string debug_text(const APRSMessageParseError& error);
std::string debug_text(const AircraftParseError& error);

}  // namespace volarion
