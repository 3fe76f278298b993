// Error values: their message texts, constructors and debug text.
#include "volarion/errors.hpp"

#include <charconv>
#include <utility>

#include "volarion/text.hpp"

namespace volarion {

namespace {

void append_hex_upper(std::string& out, std::uint32_t value) {
    char buffer[8];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
    for (const char* p = buffer; p != result.ptr; ++p) {
        const char c = *p;
        out += (c >= 'a' && c <= 'f') ? static_cast<char>(c - 'a' + 'A') : c;
    }
}

template <typename Unsigned>
void append_decimal(std::string& out, Unsigned value) {
    char buffer[10];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// Quotes a text for the debug form. Texts of the error values are normally
// valid UTF-8 already; anything else (a value built by hand) is decoded lossily
// first so the output is always valid, escaped text.
void append_quoted_text(std::string& out, std::string_view text) {
    if (is_valid_utf8(text)) {
        append_quoted(out, text);
    } else {
        append_quoted(out, lossy_utf8(text));
    }
}

void append_debug(std::string& out, const APRSParseContext& context) {
    out += "APRSParseContext { input: ";
    append_quoted_text(out, context.input);
    out += ", message: ";
    append_quoted_text(out, context.message);
    out += " }";
}

void append_debug(std::string& out, const APRSMessageParseError& error) {
    out += name(error.kind);
    out += '(';
    if (error.kind == APRSMessageParseErrorKind::UnknownError) {
        append_quoted_text(out, error.unknown_text());
    } else {
        append_debug(out, error.context);
    }
    out += ')';
}

// Room for the fixed pieces of the longest debug form plus both texts, with
// some slack for escapes.
std::size_t debug_capacity(const APRSParseContext& context) {
    return 96 + context.input.size() + context.message.size();
}

}  // namespace

std::string ICAOAddressError::message() const {
    if (kind == Kind::InvalidHex) {
        return "Invalid hexadecimal format";
    }
    std::string out = "Value 0x";
    append_hex_upper(out, value);
    out += " (";
    append_decimal(out, value);
    out += ") exceeds 24-bit ICAO address limit (0x";
    append_hex_upper(out, 0xFFFFFFU);
    out += ')';
    return out;
}

std::string OGNIDPrefixError::message() const {
    std::string out;
    switch (kind) {
        case Kind::InvalidHex:
            return "Invalid hexadecimal format";
        case Kind::InvalidValue:
            out = "Invalid value: ";
            break;
        case Kind::InvalidAddressFormat:
            out = "Invalid address format: ";
            break;
    }
    append_decimal(out, static_cast<unsigned>(value));
    return out;
}

std::string OGNBeaconIDError::message() const {
    if (const auto* prefix = std::get_if<OGNIDPrefixError>(&error)) {
        return prefix->message();
    }
    if (const auto* address = std::get_if<ICAOAddressError>(&error)) {
        return address->message();
    }
    const auto& format = std::get<InvalidFormat>(error);
    std::string out = "Invalid beacon format: ";
    out += format.text;
    return out;
}

std::string_view name(ErrorKind kind) noexcept {
    switch (kind) {
        case ErrorKind::Tag: return "Tag";
        case ErrorKind::TakeUntil: return "TakeUntil";
        case ErrorKind::Eof: return "Eof";
        case ErrorKind::MapRes: return "MapRes";
    }
    return "";
}

APRSParseContext APRSParseContext::from_error_kind(std::string_view rest, ErrorKind kind) {
    std::string message = "nom error: ";
    message += name(kind);
    return APRSParseContext{lossy_utf8(rest), std::move(message)};
}

APRSParseContext APRSParseContext::from_external_error(std::string_view rest, ErrorKind /*kind*/,
                                                       std::string_view error_text) {
    return APRSParseContext{lossy_utf8(rest), std::string(error_text)};
}

std::string_view name(APRSMessageParseErrorKind kind) noexcept {
    using K = APRSMessageParseErrorKind;
    switch (kind) {
        case K::UnknownError: return "UnknownError";
        case K::UnexpectedEndOfMessage: return "UnexpectedEndOfMessage";
        case K::MissingSeparator: return "MissingSeparator";
        case K::InvalidQConstruct: return "InvalidQConstruct";
        case K::InvalidReceiver: return "InvalidReceiver";
        case K::InvalidCallsign: return "InvalidCallsign";
        case K::InvalidOGNAprsProtocol: return "InvalidOGNAprsProtocol";
        case K::InvalidTimestamp: return "InvalidTimestamp";
        case K::InvalidLatitude: return "InvalidLatitude";
        case K::InvalidLongitude: return "InvalidLongitude";
        case K::InvalidGroundTrack: return "InvalidGroundTrack";
        case K::InvalidGroundSpeed: return "InvalidGroundSpeed";
        case K::InvalidGPSAltitude: return "InvalidGPSAltitude";
        case K::InvalidOGNBeaconId: return "InvalidOGNBeaconId";
    }
    return "";
}

APRSMessageParseError APRSMessageParseError::unknown(std::string text) {
    return APRSMessageParseError{APRSMessageParseErrorKind::UnknownError,
                                 APRSParseContext{std::move(text), std::string()}};
}

APRSMessageParseError APRSMessageParseError::with_context(APRSMessageParseErrorKind kind,
                                                          APRSParseContext context) {
    return APRSMessageParseError{kind, std::move(context)};
}

APRSMessageParseError APRSMessageParseError::from_error_kind(std::string_view rest, ErrorKind /*kind*/) {
    return unknown(lossy_utf8(rest));
}

APRSMessageParseError APRSMessageParseError::make(APRSMessageParseErrorKind kind, std::string_view rest,
                                                  std::string_view message) {
    return APRSMessageParseError{kind, APRSParseContext{lossy_utf8(rest), std::string(message)}};
}

std::string debug_text(const APRSParseContext& context) {
    std::string out;
    out.reserve(debug_capacity(context));
    append_debug(out, context);
    return out;
}

std::string debug_text(const APRSMessageParseError& error) {
    std::string out;
    out.reserve(debug_capacity(error.context));
    append_debug(out, error);
    return out;
}

std::string debug_text(const AircraftParseError& error) {
    const APRSMessageParseError* parse_error = error.parse_error();
    if (parse_error == nullptr) {
        return "MissingOGNBeaconID";
    }
    std::string out;
    out.reserve(debug_capacity(parse_error->context));
    out += "ParseError(";
    append_debug(out, *parse_error);
    out += ')';
    return out;
}

}  // namespace volarion
