"""Fast, exact decoder of OGN (Open Glider Network) aircraft beacons."""

from .volarion_native import (
    AircraftBeacon,
    ICAOAddress,
    OGNAddressType,
    OGNAircraftType,
    OGNAPRSProtocol,
    OGNBeaconID,
    OGNIDPrefix,
    parse_ogn_aprs_aircraft_beacon,
)

__all__ = [
    "parse_ogn_aprs_aircraft_beacon",
    "AircraftBeacon",
    "ICAOAddress",
    "OGNAddressType",
    "OGNAircraftType",
    "OGNAPRSProtocol",
    "OGNBeaconID",
    "OGNIDPrefix",
]
