"""Property tests at the Python boundary."""

import datetime
import random
import re

from hypothesis import HealthCheck, given, settings
from hypothesis import strategies as st

import beacon_lines
from volarion import volarion_native as vn

parse = vn.parse_ogn_aprs_aircraft_beacon
CONTROL = re.compile(r"[\x00-\x1f\x7f]")
SETTINGS = settings(max_examples=400, deadline=None, suppress_health_check=[HealthCheck.too_slow])


def check_outcome(data: bytes) -> None:
    try:
        result = parse(data)
    except ValueError as error:
        text = str(error)
        assert text.startswith("Parse error: ")
        assert not CONTROL.search(text), text
    else:
        assert type(result) is vn.AircraftBeacon


@SETTINGS
@given(st.binary(max_size=300))
def test_random_bytes_give_a_beacon_or_value_error(data):
    check_outcome(data)


@st.composite
def mutated_lines(draw):
    rng = random.Random(draw(st.integers(0, 2**32)))
    line = bytearray(beacon_lines.valid_beacon(rng).line)
    for _ in range(draw(st.integers(1, 4))):
        op = draw(st.sampled_from(["flip", "insert", "delete", "truncate"]))
        at = draw(st.integers(0, max(len(line) - 1, 0)))
        if op == "flip" and line:
            line[at] = draw(st.integers(0, 255))
        elif op == "insert":
            line[at:at] = draw(st.binary(min_size=1, max_size=4))
        elif op == "delete":
            del line[at:at + draw(st.integers(1, 4))]
        else:
            del line[at:]
    return bytes(line)


@SETTINGS
@given(mutated_lines())
def test_mutated_lines_give_a_beacon_or_value_error(data):
    check_outcome(data)


@SETTINGS
@given(st.integers(0, 2**32))
def test_generated_lines_parse_to_their_values(seed):
    b = beacon_lines.valid_beacon(random.Random(seed))
    beacon = parse(b.line)
    assert beacon.callsign == b.callsign
    assert beacon.ogn_aprs_protocol is getattr(vn.OGNAPRSProtocol, b.protocol)
    assert (beacon.q_construct, beacon.receiver) == (b.q_construct, b.receiver)
    assert beacon.time == datetime.time(*b.hms)
    assert beacon.latitude == b.latitude and beacon.longitude == b.longitude
    assert (beacon.ground_track, beacon.ground_speed, beacon.gps_altitude) == (b.track, b.speed, b.altitude)
    prefix = beacon.ogn_beacon_id.prefix
    code = (b.prefix_byte >> 2) & 15
    assert int(prefix.aircraft_type) == (0 if code == 14 else code)
    assert int(prefix.address_type) == b.prefix_byte & 3
    assert prefix.no_track is bool(b.prefix_byte & 0x40)
    assert prefix.stealth_mode is bool(b.prefix_byte & 0x80)
    assert beacon.ogn_beacon_id.icao_address == vn.ICAOAddress(b.address)


@SETTINGS
@given(
    st.text(st.characters(blacklist_characters=">", blacklist_categories=("Cs",)), max_size=12),
    st.text(st.characters(blacklist_characters=",", blacklist_categories=("Cs",)), max_size=8),
    st.text(st.characters(blacklist_characters=":", blacklist_categories=("Cs",)), max_size=12),
    st.integers(0, 89), st.integers(0, 5999), st.booleans(),
    st.integers(0, 179), st.integers(0, 5999), st.booleans(),
    st.integers(-99999, 999999),
)
def test_arbitrary_header_texts_and_coordinates(callsign, q, receiver, lat_d, lat_m, south, lon_d, lon_m, west,
                                                altitude):
    line = (
        f"{callsign}>OGFLR,{q},{receiver}:/000000h{lat_d:02d}{lat_m / 100:05.2f}{'S' if south else 'N'}/"
        f"{lon_d:03d}{lon_m / 100:05.2f}{'W' if west else 'E'}'000/000/A={altitude:06d} id06000001"
    ).encode()
    beacon = parse(line)
    assert (beacon.callsign, beacon.q_construct, beacon.receiver) == (callsign, q, receiver)
    latitude = lat_d + float(f"{lat_m / 100:05.2f}") / 60.0
    longitude = lon_d + float(f"{lon_m / 100:05.2f}") / 60.0
    assert beacon.latitude == (-latitude if south else latitude)
    assert beacon.longitude == (-longitude if west else longitude)
    assert beacon.gps_altitude == altitude
