"""The AircraftBeacon class: construction, properties, time, repr, equality."""

import datetime
import math
import warnings

import pytest

from conftest import beacon_args, make_id
from volarion import volarion_native as vn

FLOAT_FIELDS = ["latitude", "longitude", "ground_track", "ground_speed", "gps_altitude"]
TEXT_FIELDS = ["callsign", "q_construct", "receiver"]


def beacon(**overrides):
    return vn.AircraftBeacon(**beacon_args(**overrides))


def test_constructor_stores_every_field():
    args = beacon_args()
    b = vn.AircraftBeacon(*args.values())
    for name, value in args.items():
        assert getattr(b, name) == value


def test_numbers_convert_to_float():
    b = beacon(latitude=48, longitude=True, ground_track=-1, gps_altitude=1000.5)
    assert b.latitude == 48.0 and type(b.latitude) is float
    assert b.longitude == 1.0
    assert b.ground_track == -1.0


class Floaty:
    def __float__(self):
        return 2.5


def test_float_conversion_protocols():
    assert beacon(latitude=Floaty()).latitude == 2.5
    with pytest.raises(TypeError) as info:
        beacon(latitude="48")
    assert str(info.value).startswith("argument 'latitude': ")
    with pytest.raises(OverflowError):
        beacon(ground_speed=10**400)


@pytest.mark.parametrize(
    "field, value, message",
    [
        ("callsign", 5, "argument 'callsign': 'int' object is not an instance of 'str'"),
        ("receiver", None, "argument 'receiver': 'None' is not an instance of 'str'"),
        ("ogn_aprs_protocol", 1, "argument 'ogn_aprs_protocol': 'int' object is not an instance of 'OGNAPRSProtocol'"),
        ("ogn_aprs_protocol", vn.OGNAddressType.ICAO,
         "argument 'ogn_aprs_protocol': 'OGNAddressType' object is not an instance of 'OGNAPRSProtocol'"),
        ("time", datetime.datetime(2024, 1, 1), "argument 'time': 'datetime' object is not an instance of 'time'"),
        ("time", "12:00", "argument 'time': 'str' object is not an instance of 'time'"),
        ("ogn_beacon_id", vn.ICAOAddress(1),
         "argument 'ogn_beacon_id': 'ICAOAddress' object is not an instance of 'OGNBeaconID'"),
    ],
)
def test_type_errors_in_constructor_and_setter(field, value, message):
    with pytest.raises(TypeError) as info:
        beacon(**{field: value})
    assert str(info.value) == message
    b = beacon()
    before = repr(b)
    with pytest.raises(TypeError) as info:
        setattr(b, field, value)
    assert str(info.value) == message
    assert repr(b) == before


def test_first_failing_argument_wins():
    with pytest.raises(TypeError, match="^argument 'callsign'"):
        beacon(callsign=1, latitude="x")


def test_surrogate_text_raises_encoding_error():
    with pytest.raises(UnicodeEncodeError):
        beacon(callsign="\udc80")
    b = beacon()
    with pytest.raises(UnicodeEncodeError):
        b.receiver = "\ud800"
    assert b.receiver == "RECV1"


def test_str_subclass_is_accepted():
    class Name(str):
        pass

    b = beacon(callsign=Name("XYZ"))
    assert b.callsign == "XYZ" and type(b.callsign) is str


def test_setters_replace_values():
    b = beacon()
    b.callsign = "NEW"
    b.ogn_aprs_protocol = vn.OGNAPRSProtocol.OGNSKY
    b.time = datetime.time(1, 2, 3, 4)
    for name in FLOAT_FIELDS:
        setattr(b, name, 7)
    b.ogn_beacon_id = make_id(0x01, 5)
    assert b.callsign == "NEW"
    assert b.ogn_aprs_protocol is vn.OGNAPRSProtocol.OGNSKY
    assert b.time == datetime.time(1, 2, 3, 4)
    assert all(getattr(b, n) == 7.0 for n in FLOAT_FIELDS)
    assert b.ogn_beacon_id == make_id(0x01, 5)


def test_values_are_not_range_checked():
    b = beacon(latitude=1000.0, ground_speed=-1.0, callsign="", gps_altitude=math.inf)
    assert (b.latitude, b.ground_speed, b.callsign, b.gps_altitude) == (1000.0, -1.0, "", math.inf)


def test_nested_objects_are_copies():
    b = beacon()
    assert b.ogn_beacon_id is not b.ogn_beacon_id
    assert b.ogn_beacon_id == b.ogn_beacon_id
    read = b.ogn_beacon_id
    read.icao_address = vn.ICAOAddress(1)
    assert b.ogn_beacon_id.icao_address == vn.ICAOAddress(0xABCDEF)
    assigned = make_id(0x02, 3)
    b.ogn_beacon_id = assigned
    assigned.icao_address = vn.ICAOAddress(4)
    assert b.ogn_beacon_id == make_id(0x02, 3)
    assert b.ogn_aprs_protocol is vn.OGNAPRSProtocol.OGFLR
    assert b.time is not b.time and b.time == b.time


def test_init_validates_and_changes_nothing():
    b = beacon()
    before = repr(b)
    other = beacon_args(callsign="OTHER", latitude=1.0, time=datetime.time(1, 1))
    assert b.__init__(**other) is None
    assert repr(b) == before
    with pytest.raises(TypeError, match="^argument 'latitude'"):
        b.__init__(**beacon_args(latitude=None))
    with pytest.raises(TypeError, match=r"^AircraftBeacon.__init__\(\) missing 1 required positional argument: "
                                        r"'ogn_beacon_id'$"):
        b.__init__(*list(beacon_args().values())[:10])


class TestTime:
    def test_aware_time_reads_back_naive(self):
        tz = datetime.timezone(datetime.timedelta(hours=2))
        b = beacon(time=datetime.time(10, 20, 30, 999999, tzinfo=tz, fold=1))
        assert b.time == datetime.time(10, 20, 30, 999999)
        assert b.time.tzinfo is None and b.time.fold == 0

    def test_time_subclass_is_accepted(self):
        class T(datetime.time):
            pass

        assert beacon(time=T(5, 6, 7)).time == datetime.time(5, 6, 7)

    @pytest.mark.parametrize(
        "time, text",
        [
            (datetime.time(0, 0, 0), "00:00:00"),
            (datetime.time(23, 59, 59, 123456), "23:59:59.123456"),
            (datetime.time(1, 2, 3, 500000), "01:02:03.500"),
            (datetime.time(1, 2, 3, 1000), "01:02:03.001"),
            (datetime.time(1, 2, 3, 1), "01:02:03.000001"),
        ],
    )
    def test_time_in_repr(self, time, text):
        assert f", time: {text}, latitude: " in repr(beacon(time=time))


class TestRepr:
    def test_full_repr(self):
        assert repr(beacon()) == (
            'PyAircraftBeacon { callsign: "ABC123", q_construct: "qAS", receiver: "RECV1", '
            "ogn_aprs_protocol: OGFLR, time: 12:34:56, latitude: 48.125, longitude: 11.504166666666666, "
            "ground_track: 90.0, ground_speed: 100.0, gps_altitude: 1000.0, ogn_beacon_id: PyOGNBeaconID { "
            "prefix: PyOGNIDPrefix { aircraft_type: Glider, address_type: FLARM, no_track: false, "
            "stealth_mode: false }, icao_address: PyICAOAddress(11259375) } }"
        )

    @pytest.mark.parametrize(
        "text, shown",
        [
            ('a"b', r'"a\"b"'),
            ("a\\b", r'"a\\b"'),
            ("it's", "\"it's\""),
            ("\t\n\r\0", r'"\t\n\r\0"'),
            ("\x7f\x01", r'"\u{7f}\u{1}"'),
            ("e\u0301", r'"e\u{301}"'),
            ("\u00a0", r'"\u{a0}"'),
            ("Zürich 中", '"Zürich 中"'),
            ("\ufffd", '"\ufffd"'),
        ],
    )
    def test_quoted_texts(self, text, shown):
        assert repr(beacon(callsign=text)).startswith(f"PyAircraftBeacon {{ callsign: {shown}, q_construct")

    @pytest.mark.parametrize(
        "value, shown",
        [
            (-0.0, "-0.0"),
            (0.0, "0.0"),
            (1e-5, "1e-5"),
            (0.00005, "5e-5"),
            (0.0001, "0.0001"),
            (1e16, "1e16"),
            (9999999999999998.0, "9999999999999998.0"),
            (123456789.125, "123456789.125"),
            (1.5e300, "1.5e300"),
            (-2.5e-10, "-2.5e-10"),
            (math.nan, "NaN"),
            (math.inf, "inf"),
            (-math.inf, "-inf"),
            (100, "100.0"),
        ],
    )
    def test_float_texts(self, value, shown):
        assert f", latitude: {shown}, longitude: " in repr(beacon(latitude=value))


class TestEquality:
    def test_equal_and_unequal(self):
        assert beacon() == beacon()
        assert not (beacon() != beacon())
        for field, value in [("callsign", "X"), ("time", datetime.time(0)), ("ogn_beacon_id", make_id(0x05)),
                             ("ogn_aprs_protocol", vn.OGNAPRSProtocol.OGADSB), ("gps_altitude", 1.0)]:
            assert beacon() != beacon(**{field: value})

    def test_nan_and_signed_zero(self):
        b = beacon(ground_track=math.nan)
        assert b != b and not (b == b)
        assert beacon(latitude=0.0) == beacon(latitude=-0.0)

    def test_other_types(self):
        assert (beacon() == 5) is False
        assert (beacon() != 5) is True
        with pytest.raises(TypeError):
            beacon() < beacon()
        with pytest.raises(TypeError):
            hash(beacon())


def test_leap_second_never_arises_from_python():
    # datetime.time cannot hold a leap second, so reading back never warns.
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        assert beacon(time=datetime.time(23, 59, 59, 999999)).time.second == 59


def test_property_docstrings():
    assert vn.AircraftBeacon.callsign.__doc__ == "The sender's callsign"
    assert vn.AircraftBeacon.ogn_beacon_id.__doc__ == "The unique `OGNBeaconID` extracted from the message extension."
    assert vn.OGNIDPrefix.no_track.__doc__ is None


def test_float_repr_round_trips_for_random_values():
    import random
    import re
    import struct

    rng = random.Random(20261206)
    b = beacon()
    pattern = re.compile(r"latitude: (\S+), longitude")
    for _ in range(5000):
        value = struct.unpack("<d", rng.getrandbits(64).to_bytes(8, "little"))[0]
        if math.isnan(value):
            continue
        b.latitude = value
        text = pattern.search(repr(b)).group(1)
        assert float(text) == value and math.copysign(1, float(text)) == math.copysign(1, value), text
        plain = value == 0 or 1e-4 <= abs(value) < 1e16
        assert ("e" in text) is (not plain and not math.isinf(value)), text
        if plain:
            assert "." in text
        # Shortest digits: Python's repr uses the same shortest digit string.
        digits = lambda s: re.sub(r"e.*|[-.]", "", s).strip("0")  # noqa: E731
        if not math.isinf(value):
            assert digits(text) == digits(repr(value)), (text, repr(value))
