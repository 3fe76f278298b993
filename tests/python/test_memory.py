"""No reference or memory leaks across the whole surface."""

import gc
import os
import sys

import pytest

from conftest import LINE
from volarion import volarion_native as vn

SHARED = [vn.OGNAPRSProtocol.OGFLR, vn.OGNAircraftType.GLIDER, vn.OGNAddressType.FLARM, vn.AircraftBeacon,
          vn.OGNBeaconID, vn.OGNIDPrefix, vn.ICAOAddress]


def workload():
    b = vn.parse_ogn_aprs_aircraft_beacon(LINE)
    for name in ("callsign", "q_construct", "receiver", "ogn_aprs_protocol", "time", "latitude", "longitude",
                 "ground_track", "ground_speed", "gps_altitude"):
        getattr(b, name)
    beacon_id = b.ogn_beacon_id
    prefix = beacon_id.prefix
    prefix.aircraft_type, prefix.address_type, prefix.no_track, prefix.stealth_mode
    beacon_id.icao_address = vn.ICAOAddress(5)
    b.ogn_beacon_id = beacon_id
    b.callsign = "X" * 40
    repr(b), repr(beacon_id), repr(beacon_id.icao_address)
    b == vn.parse_ogn_aprs_aircraft_beacon(bytearray(LINE))  # comparison with a changed copy
    b.__init__(b.callsign, b.q_construct, b.receiver, b.ogn_aprs_protocol, b.time, 1, 2, 3, 4, 5, beacon_id)
    for bad in (b"", LINE[:-3], "text", [300], None):
        try:
            vn.parse_ogn_aprs_aircraft_beacon(bad)
        except (ValueError, TypeError, OverflowError):
            pass
    for call in (lambda: vn.ICAOAddress(2**24), lambda: vn.OGNIDPrefix(1, 2, 3, 4),
                 lambda: vn.OGNBeaconID(prefix=None, icao_address=None), lambda: vn.ICAOAddress(x=1)):
        try:
            call()
        except (ValueError, TypeError):
            pass


def rss_kib():
    with open("/proc/self/status") as status:
        for row in status:
            if row.startswith("VmRSS:"):
                return int(row.split()[1])
    pytest.skip("no /proc/self/status")


def test_no_reference_or_memory_growth():
    for _ in range(2000):
        workload()
    gc.collect()
    counts = [sys.getrefcount(obj) for obj in SHARED]
    before = rss_kib()
    for _ in range(30000):
        workload()
    gc.collect()
    assert [sys.getrefcount(obj) for obj in SHARED] == counts
    if "libasan" in os.environ.get("LD_PRELOAD", ""):
        return  # AddressSanitizer's quarantine holds freed memory; it checks leaks itself
    # A leak of even one small object per iteration would exceed this.
    assert rss_kib() - before < 2048
