// Identifier values: member names, protocol tokens, the ID prefix byte and the
// eight-character beacon identifier.
#include "volarion/aprs_types.hpp"

#include <array>
#include <optional>

#include "volarion/text.hpp"

namespace volarion {

std::string_view name(OGNAircraftType value) noexcept {
    switch (value) {
        case OGNAircraftType::Reserved: return "Reserved";
        case OGNAircraftType::Glider: return "Glider";
        case OGNAircraftType::TowPlane: return "TowPlane";
        case OGNAircraftType::Helicopter: return "Helicopter";
        case OGNAircraftType::Parachute: return "Parachute";
        case OGNAircraftType::DropPlane: return "DropPlane";
        case OGNAircraftType::HangGlider: return "HangGlider";
        case OGNAircraftType::Paraglider: return "Paraglider";
        case OGNAircraftType::ReciprocatingEngineAircraft: return "ReciprocatingEngineAircraft";
        case OGNAircraftType::JetTurbopropAircraft: return "JetTurbopropAircraft";
        case OGNAircraftType::Unknown: return "Unknown";
        case OGNAircraftType::Balloon: return "Balloon";
        case OGNAircraftType::Airship: return "Airship";
        case OGNAircraftType::UAVs: return "UAVs";
        case OGNAircraftType::StaticObstacle: return "StaticObstacle";
    }
    return "";
}

std::string_view name(OGNAddressType value) noexcept {
    switch (value) {
        case OGNAddressType::Unknown: return "Unknown";
        case OGNAddressType::ICAO: return "ICAO";
        case OGNAddressType::FLARM: return "FLARM";
        case OGNAddressType::OGNTracker: return "OGNTracker";
    }
    return "";
}

std::string_view name(OGNAPRSProtocol value) noexcept {
    switch (value) {
        case OGNAPRSProtocol::OGADSB: return "OGADSB";
        case OGNAPRSProtocol::OGFLR: return "OGFLR";
        case OGNAPRSProtocol::OGNSKY: return "OGNSKY";
    }
    return "";
}

Expected<OGNAPRSProtocol, APRSMessageParseError> parse_protocol(std::string_view token) {
    // Whole-token, case-sensitive comparison: no trimming, no prefix match.
    if (token == "OGFLR") return OGNAPRSProtocol::OGFLR;
    if (token == "OGADSB") return OGNAPRSProtocol::OGADSB;
    if (token == "OGNSKY") return OGNAPRSProtocol::OGNSKY;
    // The error carries the token itself; lossy decoding keeps the context
    // valid text should a caller hand in bytes that are not UTF-8.
    return unexpected(APRSMessageParseError::with_context(
        APRSMessageParseErrorKind::InvalidOGNAprsProtocol,
        APRSParseContext{lossy_utf8(token), "Unsupported OGN APRS Protocol"}));
}

namespace {

// Aircraft code (bits 2-5) to member. Code 14 has no member and reads as
// Reserved.
constexpr std::array<OGNAircraftType, 16> aircraft_by_code = {
    OGNAircraftType::Reserved,
    OGNAircraftType::Glider,
    OGNAircraftType::TowPlane,
    OGNAircraftType::Helicopter,
    OGNAircraftType::Parachute,
    OGNAircraftType::DropPlane,
    OGNAircraftType::HangGlider,
    OGNAircraftType::Paraglider,
    OGNAircraftType::ReciprocatingEngineAircraft,
    OGNAircraftType::JetTurbopropAircraft,
    OGNAircraftType::Unknown,
    OGNAircraftType::Balloon,
    OGNAircraftType::Airship,
    OGNAircraftType::UAVs,
    OGNAircraftType::Reserved,
    OGNAircraftType::StaticObstacle,
};

// Hex digit values by byte; -1 for every byte that is not 0-9, A-F or a-f.
constexpr std::array<std::int8_t, 256> hex_digit_table = [] {
    std::array<std::int8_t, 256> table{};
    for (auto& entry : table) entry = -1;
    for (int c = '0'; c <= '9'; ++c) table[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(c - '0');
    for (int c = 'A'; c <= 'F'; ++c) table[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(c - 'A' + 10);
    for (int c = 'a'; c <= 'f'; ++c) table[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(c - 'a' + 10);
    return table;
}();

// One fixed-width hexadecimal part. A "+" is allowed as the very first byte
// only (a sign); everything else must be a hex digit. The widths used (2 and
// 6) cannot overflow 32 bits.
std::optional<std::uint32_t> read_hex_part(std::string_view part) noexcept {
    if (!part.empty() && part.front() == '+') {
        part.remove_prefix(1);
    }
    if (part.empty()) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char c : part) {
        const int digit = hex_digit_table[static_cast<unsigned char>(c)];
        if (digit < 0) {
            return std::nullopt;
        }
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return value;
}

}  // namespace

OGNIDPrefix OGNIDPrefix::from_byte(std::uint8_t byte) noexcept {
    OGNIDPrefix prefix;
    prefix.address_type = static_cast<OGNAddressType>(byte & 0x03U);
    prefix.aircraft_type = aircraft_by_code[(byte >> 2) & 0x0FU];
    prefix.no_track = (byte & 0x40U) != 0;
    prefix.stealth_mode = (byte & 0x80U) != 0;
    return prefix;
}

Expected<OGNBeaconID, OGNBeaconIDError> OGNBeaconID::from_str(std::string_view text) {
    // Length in bytes first, then the prefix part, then the address part.
    if (text.size() != 8) {
        return unexpected(OGNBeaconIDError{OGNBeaconIDError::InvalidFormat{std::string(text)}});
    }
    const std::optional<std::uint32_t> prefix_byte = read_hex_part(text.substr(0, 2));
    if (!prefix_byte) {
        return unexpected(OGNBeaconIDError{OGNIDPrefixError::invalid_hex()});
    }
    const std::optional<std::uint32_t> address_value = read_hex_part(text.substr(2, 6));
    if (!address_value) {
        return unexpected(OGNBeaconIDError{ICAOAddressError::invalid_hex()});
    }
    auto address = ICAOAddress::from_value(*address_value);
    if (!address) {
        return unexpected(OGNBeaconIDError{address.error()});
    }
    return OGNBeaconID{OGNIDPrefix::from_byte(static_cast<std::uint8_t>(*prefix_byte)), *address};
}

}  // namespace volarion
