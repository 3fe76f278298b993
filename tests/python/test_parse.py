"""parse_ogn_aprs_aircraft_beacon: input forms, errors and realistic lines."""

import array
import datetime
import re

import pytest

from volarion import volarion_native as vn

parse = vn.parse_ogn_aprs_aircraft_beacon
T = vn.OGNAircraftType
A = vn.OGNAddressType
P = vn.OGNAPRSProtocol

ATTRIBUTES = ["callsign", "q_construct", "receiver", "ogn_aprs_protocol", "time", "latitude", "longitude",
              "ground_track", "ground_speed", "gps_altitude", "ogn_beacon_id"]


def attributes(beacon):
    return [getattr(beacon, name) for name in ATTRIBUTES]


def test_first_example_line(line):
    b = parse(line)
    assert b.callsign == "ABC123" and b.q_construct == "qAS" and b.receiver == "RECV1"
    assert b.ogn_aprs_protocol is P.OGFLR
    assert b.time == datetime.time(12, 34, 56)
    assert b.latitude == 48.125 and b.longitude == 11.504166666666666
    assert (b.ground_track, b.ground_speed, b.gps_altitude) == (90.0, 100.0, 1000.0)
    prefix = b.ogn_beacon_id.prefix
    assert (prefix.aircraft_type, prefix.address_type, prefix.no_track, prefix.stealth_mode) == (
        T.GLIDER, A.FLARM, False, False)
    assert b.ogn_beacon_id.icao_address == vn.ICAOAddress(0xABCDEF)


class TestInputForms:
    def test_all_byte_sequences_give_the_same_beacon(self, line):
        expected = attributes(parse(line))
        for form in (bytearray(line), list(line), tuple(line), memoryview(line), array.array("B", line)):
            assert attributes(parse(form)) == expected
            assert parse(form) == parse(line)
        assert attributes(parse(input=line)) == expected

    def test_bytes_subclass(self, line):
        class Raw(bytes):
            pass

        assert parse(Raw(line)) == parse(line)

    def test_range_of_byte_values(self):
        with pytest.raises(ValueError, match="InvalidCallsign"):
            parse(range(65, 70))

    def test_bytearray_is_copied(self, line):
        data = bytearray(line)
        b = parse(data)
        data[:3] = b"XYZ"
        assert b.callsign == "ABC123"

    def test_str_is_refused(self, line):
        with pytest.raises(TypeError) as info:
            parse(line.decode())
        assert str(info.value) == "argument 'input': Can't extract `str` to `Vec`"

    @pytest.mark.parametrize(
        "value, message",
        [
            (None, "argument 'input': 'None' is not an instance of 'Sequence'"),
            (5, "argument 'input': 'int' object is not an instance of 'Sequence'"),
            ({1: 2}, "argument 'input': 'dict' object is not an instance of 'Sequence'"),
            ({1, 2}, "argument 'input': 'set' object is not an instance of 'Sequence'"),
            (iter([1]), "argument 'input': 'list_iterator' object is not an instance of 'Sequence'"),
        ],
    )
    def test_non_sequences(self, value, message):
        with pytest.raises(TypeError) as info:
            parse(value)
        assert str(info.value) == message

    @pytest.mark.parametrize("items", [[256], [-1], [65, 300]])
    def test_items_out_of_byte_range(self, items):
        with pytest.raises(OverflowError) as info:
            parse(items)
        assert str(info.value) == "out of range integral type conversion attempted"

    def test_items_beyond_native_long(self):
        with pytest.raises(OverflowError) as info:
            parse([2**70])
        assert "out of range integral" not in str(info.value)

    @pytest.mark.parametrize("items", [[1.5], [b"a"], memoryview(b"ab").cast("c")])
    def test_non_integer_items(self, items):
        with pytest.raises(TypeError) as info:
            parse(items)
        assert str(info.value).startswith("argument 'input': ")

    def test_iteration_errors(self):
        class Seq:
            def __len__(self):
                raise RuntimeError("len is only a hint")

            def __getitem__(self, i):
                if i == 2:
                    raise KeyError("broken")
                return 65

        with pytest.raises(KeyError):
            parse(Seq())

        class TypeErrorSeq(Seq):
            def __getitem__(self, i):
                raise TypeError("inner")

        with pytest.raises(TypeError) as info:
            parse(TypeErrorSeq())
        assert str(info.value) == "argument 'input': inner"


HEADER = b"ABC123>OGFLR,qAS,RECV1:"
POSITION = b"/123456h4807.50N/01130.25E'090/100/A=001000"


def ctx(variant, input_text, message):
    return f'Parse error: ParseError({variant}(APRSParseContext {{ input: "{input_text}", message: "{message}" }}))'


@pytest.mark.parametrize(
    "data, text",
    [
        (b"", ctx("InvalidCallsign", "", "invalid callsign")),
        (b"abc", ctx("InvalidCallsign", "abc", "invalid callsign")),
        (b"ABC>OGFLR", 'Parse error: ParseError(UnknownError("OGFLR"))'),
        (b"ABC>ogflr,qAS,R:", ctx("InvalidOGNAprsProtocol", "ogflr", "Unsupported OGN APRS Protocol")),
        (HEADER, ctx("UnexpectedEndOfMessage", "", "nom error: Eof")),
        (HEADER + b"/123456", ctx("InvalidTimestamp", "", "nom error: Eof")),
        (HEADER + b"/240000h", ctx("InvalidTimestamp", "240000h", "invalid time")),
        (HEADER + b"/123456h4807.50", ctx("InvalidLatitude", "4807.50", "no suffix for coordinate found")),
        (HEADER + POSITION[:-9], ctx("UnexpectedEndOfMessage", "", "nom error: TakeUntil")),
        (HEADER + POSITION[:-9] + b" x", ctx("UnexpectedEndOfMessage", " x", "nom error: TakeUntil")),
        (HEADER + POSITION, "Parse error: MissingOGNBeaconID"),
        (HEADER + POSITION + b" id06ABCDE", ctx("InvalidOGNBeaconId", "id06ABCDE", "invalid ogn beacon id format")),
        (HEADER + POSITION + b" id0GABCDEF",
         ctx("InvalidOGNBeaconId", "0GABCDEF", "invalid ogn beacon id: Invalid hexadecimal format")),
        (HEADER + POSITION + b"\tid06ABCDEF", "Parse error: MissingOGNBeaconID"),
    ],
)
def test_value_error_texts(data, text):
    with pytest.raises(ValueError) as info:
        parse(data)
    assert str(info.value) == text
    assert info.value.args == (text,)
    assert info.value.__cause__ is None and info.value.__context__ is None


def test_error_text_escapes_controls_and_replaces_invalid_utf8():
    with pytest.raises(ValueError) as info:
        parse(b"AB\xff\nC\x01\xe2\x82")
    text = str(info.value)
    assert text == ctx("InvalidCallsign", "AB\ufffd\\nC\\u{1}\ufffd", "invalid callsign")
    assert not re.search(r"[\x00-\x1f\x7f]", text)


# Realistic lines: FLARM, OGN tracker, ADS-B, SafeSky-style, with the comment
# fields that follow the identifier in the live stream.
REALISTIC = [
    (
        b"FLRDDA5BA>OGFLR,qAS,LFMX:/160829h4415.41N/00600.03E'342/049/A=005524 id0ADDA5BA -454fpm -1.1rot "
        b"8.8dB 0e +51.2kHz gps4x5",
        dict(callsign="FLRDDA5BA", q_construct="qAS", receiver="LFMX", ogn_aprs_protocol=P.OGFLR,
             time=datetime.time(16, 8, 29), latitude=44 + 15.41 / 60, longitude=6 + 0.03 / 60, ground_track=342.0,
             ground_speed=49.0, gps_altitude=5524.0),
        (T.TOW_PLANE, A.FLARM, False, False, 0xDDA5BA),
    ),
    (
        b"OGN2FD00F>OGNSKY,qAS,Letzi:/093009h4719.47S/00831.46W'000/000/A=001423 !W83! id0B2FD00F +000fpm "
        b"+0.0rot FL014.68 7.8dB 1e -4.3kHz gps2x3 s6.01 h03",
        dict(callsign="OGN2FD00F", q_construct="qAS", receiver="Letzi", ogn_aprs_protocol=P.OGNSKY,
             time=datetime.time(9, 30, 9), latitude=-(47 + 19.47 / 60), longitude=-(8 + 31.46 / 60),
             ground_track=0.0, ground_speed=0.0, gps_altitude=1423.0),
        (T.TOW_PLANE, A.OGN_TRACKER, False, False, 0x2FD00F),
    ),
    (
        b"ICA4B4E52>OGADSB,qAS,EDDFmlat:/235959h5002.37N/00833.70E^091/432/A=036975 !W29! id254B4E52 "
        b"+1984fpm 0.0rot fnA5:SWR38K regHB-JCA modelBCS3",
        dict(callsign="ICA4B4E52", q_construct="qAS", receiver="EDDFmlat", ogn_aprs_protocol=P.OGADSB,
             time=datetime.time(23, 59, 59), latitude=50 + 2.37 / 60, longitude=8 + 33.70 / 60, ground_track=91.0,
             ground_speed=432.0, gps_altitude=36975.0),
        (T.JET_TURBOPROP_AIRCRAFT, A.ICAO, False, False, 0x4B4E52),
    ),
    (
        b"SKY3E5906>OGNSKY,qAS,SafeSky:/000000h5140.18N/00007.48W'270/012/A=-00012 id1C3E5906 +120fpm gps3x1",
        dict(callsign="SKY3E5906", q_construct="qAS", receiver="SafeSky", ogn_aprs_protocol=P.OGNSKY,
             time=datetime.time(0, 0, 0), latitude=51 + 40.18 / 60, longitude=-(7.48 / 60), ground_track=270.0,
             ground_speed=12.0, gps_altitude=-12.0),
        (T.PARAGLIDER, A.UNKNOWN, False, False, 0x3E5906),
    ),
    (
        b"FLRDD8F12>OGFLR,TCPIP*,qAC,GLIDERN1:/101112h4600.00N\\01200.00E^180/075/A=002000 idC5DD8F12 "
        b"id06DD8F13\r\n",
        dict(callsign="FLRDD8F12", q_construct="TCPIP*", receiver="qAC,GLIDERN1", ogn_aprs_protocol=P.OGFLR,
             time=datetime.time(10, 11, 12), latitude=46.0, longitude=12.0, ground_track=180.0, ground_speed=75.0,
             gps_altitude=2000.0),
        (T.GLIDER, A.FLARM, False, False, 0xDD8F13),
    ),
    (
        b"FLRD00001>OGFLR,qAS,R:/120000h0000.00S/00000.00W'nan/inf/A=+1e+03 id+5+ABCDE\xff\xfe",
        dict(callsign="FLRD00001", q_construct="qAS", receiver="R", ogn_aprs_protocol=P.OGFLR,
             time=datetime.time(12), latitude=-0.0, longitude=-0.0, ground_speed=float("inf"),
             gps_altitude=1000.0),
        (T.GLIDER, A.ICAO, False, False, 0xABCDE),
    ),
    (
        b"ICAFFFFFF>OGADSB,qAS,X:/010203h8959.99N/17959.99E'359/999/A=099999 idFFFFFFFF",
        dict(callsign="ICAFFFFFF", latitude=89 + 59.99 / 60, longitude=179 + 59.99 / 60, ground_speed=999.0,
             gps_altitude=99999.0),
        (T.STATIC_OBSTACLE, A.OGN_TRACKER, True, True, 0xFFFFFF),
    ),
]


@pytest.mark.parametrize("data, fields, identifier", REALISTIC, ids=lambda v: None)
def test_realistic_lines(data, fields, identifier):
    b = parse(data)
    for name, value in fields.items():
        got = getattr(b, name)
        if name == "latitude" or name == "longitude":
            assert got == value and str(got)[0] == str(value)[0], name
        else:
            assert got == value, name
    prefix = b.ogn_beacon_id.prefix
    assert (prefix.aircraft_type, prefix.address_type, prefix.no_track, prefix.stealth_mode) == identifier[:4]
    assert prefix.aircraft_type is identifier[0]
    assert b.ogn_beacon_id.icao_address == vn.ICAOAddress(identifier[4])
    assert repr(b).startswith("PyAircraftBeacon { callsign: ")


def test_nan_track_is_parsed():
    b = parse(REALISTIC[5][0])
    assert b.ground_track != b.ground_track
    assert "ground_track: NaN, ground_speed: inf" in repr(b)


def test_parse_result_is_ordinary_and_mutable(line):
    b = parse(line)
    b.callsign = "CHANGED"
    assert b.callsign == "CHANGED"
    assert type(b) is vn.AircraftBeacon
    assert type(b.ogn_beacon_id) is vn.OGNBeaconID
