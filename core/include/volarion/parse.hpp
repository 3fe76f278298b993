// Entry point of the core: one OGN APRS aircraft beacon line to a record.
#pragma once

#include <cstddef>
#include "volarion/result.hpp"
#include <span>
#include <string_view>

#include "volarion/beacon.hpp"
#include "volarion/errors.hpp"

namespace volarion {

// The result is the record or the error value; nothing is thrown for any
// input, and no state is kept between calls. The input is only read.
using ParseResult = Expected<AircraftBeacon, AircraftParseError>;

ParseResult parse_ogn_aprs_aircraft_beacon(std::string_view line);
ParseResult parse_ogn_aprs_aircraft_beacon(std::span<const std::byte> line);

}  // namespace volarion
