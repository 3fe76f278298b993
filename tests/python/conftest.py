import datetime

import pytest

from volarion import volarion_native as vn

LINE = b"ABC123>OGFLR,qAS,RECV1:/123456h4807.50N/01130.25E'090/100/A=001000 id06ABCDEF"


@pytest.fixture
def line() -> bytes:
    return LINE


def make_id(prefix_byte: int = 0x06, address: int = 0xABCDEF) -> vn.OGNBeaconID:
    """A beacon id built through the public constructors."""
    aircraft = {0: "RESERVED", 1: "GLIDER", 2: "TOW_PLANE"}[(prefix_byte >> 2) & 15]
    address_type = ["UNKNOWN", "ICAO", "FLARM", "OGN_TRACKER"][prefix_byte & 3]
    prefix = vn.OGNIDPrefix(
        getattr(vn.OGNAircraftType, aircraft),
        getattr(vn.OGNAddressType, address_type),
        bool(prefix_byte & 0x40),
        bool(prefix_byte & 0x80),
    )
    return vn.OGNBeaconID(prefix, vn.ICAOAddress(address))


def beacon_args(**overrides):
    args = dict(
        callsign="ABC123",
        q_construct="qAS",
        receiver="RECV1",
        ogn_aprs_protocol=vn.OGNAPRSProtocol.OGFLR,
        time=datetime.time(12, 34, 56),
        latitude=48.125,
        longitude=11.504166666666666,
        ground_track=90.0,
        ground_speed=100.0,
        gps_altitude=1000.0,
        ogn_beacon_id=make_id(),
    )
    args.update(overrides)
    return args
