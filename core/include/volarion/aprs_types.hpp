// Identifier values carried by an OGN aircraft beacon: the APRS protocol of
// the sender, the one-byte ID prefix and the 24-bit device address.
#pragma once

#include <cstdint>
#include "volarion/result.hpp"
#include <string_view>

#include "volarion/errors.hpp"

namespace volarion {

// Aircraft / object category. The numbers are the four-bit codes of the ID
// prefix; there is no member with code 14.
enum class OGNAircraftType : std::uint8_t {
    Reserved = 0,
    Glider = 1,
    TowPlane = 2,
    Helicopter = 3,
    Parachute = 4,
    DropPlane = 5,
    HangGlider = 6,
    Paraglider = 7,
    ReciprocatingEngineAircraft = 8,
    JetTurbopropAircraft = 9,
    Unknown = 10,
    Balloon = 11,
    Airship = 12,
    UAVs = 13,
    StaticObstacle = 15,
};

// Scheme of the 24-bit address (two bits of the ID prefix).
enum class OGNAddressType : std::uint8_t {
    Unknown = 0,
    ICAO = 1,
    FLARM = 2,
    OGNTracker = 3,
};

// APRS destination token of the sender; each member's token is its name.
enum class OGNAPRSProtocol : std::uint8_t {
    OGADSB = 0,
    OGFLR = 1,
    OGNSKY = 2,
};

// Member names in their mixed-case form ("UAVs", "OGNTracker").
std::string_view name(OGNAircraftType value) noexcept;
std::string_view name(OGNAddressType value) noexcept;
std::string_view name(OGNAPRSProtocol value) noexcept;

// Matches the whole token byte for byte against the three protocol names.
// The only error is InvalidOGNAprsProtocol with the token as its input.
Expected<OGNAPRSProtocol, APRSMessageParseError> parse_protocol(std::string_view token);

// A 24-bit device address. The upper eight bits of the value are always zero:
// the only way to a non-zero address is the checked from_value.
class ICAOAddress {
public:
    static constexpr std::uint32_t max_value = 0xFFFFFF;

    constexpr ICAOAddress() noexcept = default;

    static Expected<ICAOAddress, ICAOAddressError> from_value(std::uint32_t value) noexcept {
        if (value > max_value) {
            return unexpected(ICAOAddressError::exceeds_limit(value));
        }
        return ICAOAddress(value);
    }

    constexpr std::uint32_t value() const noexcept { return value_; }

    friend constexpr bool operator==(ICAOAddress, ICAOAddress) noexcept = default;

private:
    constexpr explicit ICAOAddress(std::uint32_t value) noexcept : value_(value) {}

    std::uint32_t value_ = 0;
};

// The decoded ID prefix byte. Every combination of fields is valid.
struct OGNIDPrefix {
    OGNAircraftType aircraft_type = OGNAircraftType::Reserved;
    OGNAddressType address_type = OGNAddressType::Unknown;
    bool no_track = false;
    bool stealth_mode = false;

    // Total: bits 0-1 address type, 2-5 aircraft code (14 -> Reserved),
    // bit 6 no-track, bit 7 stealth.
    static OGNIDPrefix from_byte(std::uint8_t byte) noexcept;

    friend bool operator==(const OGNIDPrefix&, const OGNIDPrefix&) noexcept = default;
};

// The complete beacon identifier: prefix byte and address.
struct OGNBeaconID {
    OGNIDPrefix prefix;
    ICAOAddress icao_address;

    // Reads the eight identifier characters: two hex digits of prefix, six of
    // address (each part may start with one "+"). Length is checked first,
    // then the prefix, then the address.
    static Expected<OGNBeaconID, OGNBeaconIDError> from_str(std::string_view text);

    friend bool operator==(const OGNBeaconID&, const OGNBeaconID&) noexcept = default;
};

}  // namespace volarion
