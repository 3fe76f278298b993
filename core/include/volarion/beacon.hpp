// The parsed aircraft beacon record.
#pragma once

#include <cstdint>
#include <string>

#include "volarion/aprs_types.hpp"

namespace volarion {

// Time of day: seconds since midnight (0..86399) and a nanosecond fraction.
// A fraction of 1e9 or more marks a leap second (only with second 59). The
// parser always produces whole seconds.
struct TimeOfDay {
    std::uint32_t seconds = 0;
    std::uint32_t nanoseconds = 0;

    friend bool operator==(const TimeOfDay&, const TimeOfDay&) noexcept = default;
};

// Floats are the numbers as written in the line: no unit conversion.
struct AircraftBeacon {
    std::string callsign;
    std::string q_construct;
    std::string receiver;
    OGNAPRSProtocol ogn_aprs_protocol = OGNAPRSProtocol::OGADSB;
    TimeOfDay time;
    double latitude = 0.0;
    double longitude = 0.0;
    double ground_track = 0.0;
    double ground_speed = 0.0;
    double gps_altitude = 0.0;
    OGNBeaconID ogn_beacon_id;

    // Field by field, floats numerically (NaN is unequal to everything).
    friend bool operator==(const AircraftBeacon&, const AircraftBeacon&) = default;
};

}  // namespace volarion
