import datetime
from collections.abc import Iterable
from typing import Final, SupportsFloat, SupportsIndex, final

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

@final
class OGNAircraftType:
    """Categories of aircraft identified in the OGN network."""

    RESERVED: Final[OGNAircraftType]
    GLIDER: Final[OGNAircraftType]
    TOW_PLANE: Final[OGNAircraftType]
    HELICOPTER: Final[OGNAircraftType]
    PARACHUTE: Final[OGNAircraftType]
    DROP_PLANE: Final[OGNAircraftType]
    HANG_GLIDER: Final[OGNAircraftType]
    PARAGLIDER: Final[OGNAircraftType]
    RECIPROCATING_ENGINE_AIRCRAFT: Final[OGNAircraftType]
    JET_TURBOPROP_AIRCRAFT: Final[OGNAircraftType]
    UNKNOWN: Final[OGNAircraftType]
    BALLOON: Final[OGNAircraftType]
    AIRSHIP: Final[OGNAircraftType]
    UA_VS: Final[OGNAircraftType]
    STATIC_OBSTACLE: Final[OGNAircraftType]
    def __int__(self) -> int: ...
    def __eq__(self, other: object, /) -> bool: ...
    def __ne__(self, other: object, /) -> bool: ...
    __hash__: None  # type: ignore[assignment]

@final
class OGNAddressType:
    """The scheme utilized to format and route the beacon address."""

    UNKNOWN: Final[OGNAddressType]
    ICAO: Final[OGNAddressType]
    FLARM: Final[OGNAddressType]
    OGN_TRACKER: Final[OGNAddressType]
    def __int__(self) -> int: ...
    def __eq__(self, other: object, /) -> bool: ...
    def __ne__(self, other: object, /) -> bool: ...
    __hash__: None  # type: ignore[assignment]

@final
class OGNAPRSProtocol:
    """The protocol format used by the beacon over the APRS network."""

    OGADSB: Final[OGNAPRSProtocol]
    OGFLR: Final[OGNAPRSProtocol]
    OGNSKY: Final[OGNAPRSProtocol]
    def __int__(self) -> int: ...
    def __eq__(self, other: object, /) -> bool: ...
    def __ne__(self, other: object, /) -> bool: ...
    __hash__: None  # type: ignore[assignment]

@final
class ICAOAddress:
    """Represents a 24-bit ICAO aircraft address."""

    def __new__(cls, value: SupportsIndex) -> ICAOAddress: ...
    def __init__(self, value: SupportsIndex) -> None: ...
    def __eq__(self, other: object, /) -> bool: ...
    def __ne__(self, other: object, /) -> bool: ...
    __hash__: None  # type: ignore[assignment]

@final
class OGNIDPrefix:
    """The decoded metadata parsed from the 1-byte OGN ID prefix."""

    def __new__(
        cls,
        aircraft_type: OGNAircraftType,
        address_type: OGNAddressType,
        no_track: bool,
        stealth_mode: bool,
    ) -> OGNIDPrefix: ...
    def __init__(
        self,
        aircraft_type: OGNAircraftType,
        address_type: OGNAddressType,
        no_track: bool,
        stealth_mode: bool,
    ) -> None: ...
    @property
    def aircraft_type(self) -> OGNAircraftType: ...
    @aircraft_type.setter
    def aircraft_type(self, value: OGNAircraftType, /) -> None: ...
    @property
    def address_type(self) -> OGNAddressType: ...
    @address_type.setter
    def address_type(self, value: OGNAddressType, /) -> None: ...
    @property
    def no_track(self) -> bool: ...
    @no_track.setter
    def no_track(self, value: bool, /) -> None: ...
    @property
    def stealth_mode(self) -> bool: ...
    @stealth_mode.setter
    def stealth_mode(self, value: bool, /) -> None: ...
    def __eq__(self, other: object, /) -> bool: ...
    def __ne__(self, other: object, /) -> bool: ...
    __hash__: None  # type: ignore[assignment]

@final
class OGNBeaconID:
    """Represents a complete OGN beacon identifier."""

    def __new__(cls, prefix: OGNIDPrefix, icao_address: ICAOAddress) -> OGNBeaconID: ...
    def __init__(self, prefix: OGNIDPrefix, icao_address: ICAOAddress) -> None: ...
    @property
    def prefix(self) -> OGNIDPrefix: ...
    @prefix.setter
    def prefix(self, value: OGNIDPrefix, /) -> None: ...
    @property
    def icao_address(self) -> ICAOAddress: ...
    @icao_address.setter
    def icao_address(self, value: ICAOAddress, /) -> None: ...
    def __eq__(self, other: object, /) -> bool: ...
    def __ne__(self, other: object, /) -> bool: ...
    __hash__: None  # type: ignore[assignment]

@final
class AircraftBeacon:
    """Represents a parsed OGN (Open Glider Network) APRS aircraft beacon."""

    def __new__(
        cls,
        callsign: str,
        q_construct: str,
        receiver: str,
        ogn_aprs_protocol: OGNAPRSProtocol,
        time: datetime.time,
        latitude: SupportsFloat | SupportsIndex,
        longitude: SupportsFloat | SupportsIndex,
        ground_track: SupportsFloat | SupportsIndex,
        ground_speed: SupportsFloat | SupportsIndex,
        gps_altitude: SupportsFloat | SupportsIndex,
        ogn_beacon_id: OGNBeaconID,
    ) -> AircraftBeacon: ...
    def __init__(
        self,
        callsign: str,
        q_construct: str,
        receiver: str,
        ogn_aprs_protocol: OGNAPRSProtocol,
        time: datetime.time,
        latitude: SupportsFloat | SupportsIndex,
        longitude: SupportsFloat | SupportsIndex,
        ground_track: SupportsFloat | SupportsIndex,
        ground_speed: SupportsFloat | SupportsIndex,
        gps_altitude: SupportsFloat | SupportsIndex,
        ogn_beacon_id: OGNBeaconID,
    ) -> None: ...
    @property
    def callsign(self) -> str:
        """The sender's callsign"""
    @callsign.setter
    def callsign(self, value: str, /) -> None: ...
    @property
    def q_construct(self) -> str:
        """The APRS q-construct indicating how the message was routed."""
    @q_construct.setter
    def q_construct(self, value: str, /) -> None: ...
    @property
    def receiver(self) -> str:
        """The name/callsign of receiving station that picked up the beacon"""
    @receiver.setter
    def receiver(self, value: str, /) -> None: ...
    @property
    def ogn_aprs_protocol(self) -> OGNAPRSProtocol:
        """The specific `OGNAPRSProtocol` used"""
    @ogn_aprs_protocol.setter
    def ogn_aprs_protocol(self, value: OGNAPRSProtocol, /) -> None: ...
    @property
    def time(self) -> datetime.time:
        """The time the beacon was generated (UTC)"""
    @time.setter
    def time(self, value: datetime.time, /) -> None: ...
    @property
    def latitude(self) -> float:
        """The latitude of the aircraft in decimal degrees (negative for South)."""
    @latitude.setter
    def latitude(self, value: SupportsFloat | SupportsIndex, /) -> None: ...
    @property
    def longitude(self) -> float:
        """The longitude of the aircraft in decimal degrees (negative for West)."""
    @longitude.setter
    def longitude(self, value: SupportsFloat | SupportsIndex, /) -> None: ...
    @property
    def ground_track(self) -> float:
        """The ground track (heading) of the aircraft in degrees (0-360)."""
    @ground_track.setter
    def ground_track(self, value: SupportsFloat | SupportsIndex, /) -> None: ...
    @property
    def ground_speed(self) -> float:
        """The ground speed of the aircraft (meters per second)."""
    @ground_speed.setter
    def ground_speed(self, value: SupportsFloat | SupportsIndex, /) -> None: ...
    @property
    def gps_altitude(self) -> float:
        """The GPS altitude of the aircraft (metres)"""
    @gps_altitude.setter
    def gps_altitude(self, value: SupportsFloat | SupportsIndex, /) -> None: ...
    @property
    def ogn_beacon_id(self) -> OGNBeaconID:
        """The unique `OGNBeaconID` extracted from the message extension."""
    @ogn_beacon_id.setter
    def ogn_beacon_id(self, value: OGNBeaconID, /) -> None: ...
    def __eq__(self, other: object, /) -> bool: ...
    def __ne__(self, other: object, /) -> bool: ...
    __hash__: None  # type: ignore[assignment]

def parse_ogn_aprs_aircraft_beacon(input: bytes | bytearray | Iterable[SupportsIndex]) -> AircraftBeacon:
    """Parses a raw OGN APRS aircraft beacon message."""
