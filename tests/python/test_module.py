"""Module registration and the behaviour every class shares."""

import importlib
import sys
import weakref

import pytest

from volarion import volarion_native as vn

CLASSES = [
    vn.AircraftBeacon,
    vn.ICAOAddress,
    vn.OGNAddressType,
    vn.OGNAircraftType,
    vn.OGNAPRSProtocol,
    vn.OGNBeaconID,
    vn.OGNIDPrefix,
]


def test_all_lists_names_in_registration_order():
    assert vn.__all__ == [
        "parse_ogn_aprs_aircraft_beacon",
        "AircraftBeacon",
        "ICAOAddress",
        "OGNAddressType",
        "OGNAircraftType",
        "OGNAPRSProtocol",
        "OGNBeaconID",
        "OGNIDPrefix",
    ]
    for name in vn.__all__:
        assert getattr(vn, name).__name__ == name


def test_module_docstring_is_empty_string():
    assert vn.__doc__ == ""


def test_function_is_bound_to_module():
    f = vn.parse_ogn_aprs_aircraft_beacon
    assert f.__self__ is vn
    assert f.__module__ == vn.__name__
    assert f.__text_signature__ == "(input)"
    assert f.__doc__.startswith("Parses a raw OGN APRS aircraft beacon message.\n\n")
    assert f.__doc__.endswith("  * The required OGN Beacon ID is missing from the message.")


@pytest.mark.parametrize("cls", CLASSES, ids=lambda c: c.__name__)
def test_class_names(cls):
    assert cls.__module__ == "builtins"
    assert cls.__qualname__ == cls.__name__


@pytest.mark.parametrize(
    "cls, signature",
    [
        (vn.ICAOAddress, "(value)"),
        (vn.OGNBeaconID, "(prefix, icao_address)"),
        (vn.OGNIDPrefix, "(aircraft_type, address_type, no_track, stealth_mode)"),
        (
            vn.AircraftBeacon,
            "(callsign, q_construct, receiver, ogn_aprs_protocol, time, latitude, longitude,"
            " ground_track, ground_speed, gps_altitude, ogn_beacon_id)",
        ),
    ],
)
def test_text_signatures_are_split_from_docstrings(cls, signature):
    assert cls.__text_signature__ == signature
    assert cls.__name__ + "(" not in cls.__doc__
    assert "--" not in cls.__doc__.splitlines()[0]


def test_class_docstrings():
    assert vn.ICAOAddress.__doc__ == "Represents a 24-bit ICAO aircraft address."
    assert vn.OGNBeaconID.__doc__ == (
        "Represents a complete OGN beacon identifier.\n\n"
        "In OGN APRS, a beacon ID is composed of a 1-byte metadata prefix (encoding\n"
        "things like aircraft type and tracker type) and a 3-byte (24-bit) address."
    )
    assert vn.OGNIDPrefix.__doc__.splitlines()[5] == "# Bit Layout"
    assert vn.OGNIDPrefix.__doc__.endswith("If true, delay or hide on live maps.")
    assert vn.AircraftBeacon.__doc__.endswith("and its unique OGN identifier.")
    for enum in (vn.OGNAircraftType, vn.OGNAddressType, vn.OGNAPRSProtocol):
        assert enum.__text_signature__ is None
    assert vn.OGNAircraftType.__doc__ == "Categories of aircraft identified in the OGN network."


@pytest.mark.parametrize("cls", CLASSES, ids=lambda c: c.__name__)
def test_classes_cannot_be_subclassed(cls):
    with pytest.raises(TypeError):
        type("Sub", (cls,), {})


def test_instances_are_unhashable_and_closed(line):
    beacon = vn.parse_ogn_aprs_aircraft_beacon(line)
    objects = [
        beacon,
        beacon.ogn_beacon_id,
        beacon.ogn_beacon_id.prefix,
        beacon.ogn_beacon_id.icao_address,
        vn.OGNAircraftType.GLIDER,
        vn.OGNAddressType.ICAO,
        vn.OGNAPRSProtocol.OGFLR,
    ]
    for obj in objects:
        assert type(obj).__hash__ is None
        with pytest.raises(TypeError):
            hash(obj)
        with pytest.raises(TypeError):
            {obj}
        with pytest.raises(AttributeError):
            obj.new_attribute = 1
        with pytest.raises(TypeError):
            obj < obj
        with pytest.raises(TypeError):
            weakref.ref(obj)


def test_reimport_reuses_type_objects():
    first = sys.modules.pop("volarion.volarion_native")
    try:
        second = importlib.import_module("volarion.volarion_native")
        assert second is not first
        assert second.__all__ == first.__all__ and second.__all__ is not first.__all__
        assert second.parse_ogn_aprs_aircraft_beacon is not first.parse_ogn_aprs_aircraft_beacon
        for name in first.__all__[1:]:
            assert getattr(second, name) is getattr(first, name)
        assert second.OGNAircraftType.GLIDER is first.OGNAircraftType.GLIDER
    finally:
        sys.modules["volarion.volarion_native"] = first


class TestArgumentBinding:
    @pytest.mark.parametrize(
        "call, message",
        [
            (lambda: vn.ICAOAddress(), "ICAOAddress.__new__() missing 1 required positional argument: 'value'"),
            (lambda: vn.ICAOAddress(1, 2), "ICAOAddress.__new__() takes 1 positional arguments but 2 were given"),
            (
                lambda: vn.ICAOAddress(1, value=2),
                "ICAOAddress.__new__() got multiple values for argument 'value'",
            ),
            (lambda: vn.ICAOAddress(val=1), "ICAOAddress.__new__() got an unexpected keyword argument 'val'"),
            (
                lambda: vn.OGNIDPrefix(),
                "OGNIDPrefix.__new__() missing 4 required positional arguments: "
                "'aircraft_type', 'address_type', 'no_track', and 'stealth_mode'",
            ),
            (
                lambda: vn.OGNBeaconID(),
                "OGNBeaconID.__new__() missing 2 required positional arguments: 'prefix' and 'icao_address'",
            ),
            (
                lambda: vn.OGNIDPrefix(vn.OGNAircraftType.GLIDER, no_track=True),
                "OGNIDPrefix.__new__() missing 2 required positional arguments: 'address_type' and 'stealth_mode'",
            ),
            (
                lambda: vn.OGNBeaconID(None, None, None),
                "OGNBeaconID.__new__() takes 2 positional arguments but 3 were given",
            ),
            (
                lambda: vn.parse_ogn_aprs_aircraft_beacon(),
                "parse_ogn_aprs_aircraft_beacon() missing 1 required positional argument: 'input'",
            ),
            (
                lambda: vn.parse_ogn_aprs_aircraft_beacon(b"", b""),
                "parse_ogn_aprs_aircraft_beacon() takes 1 positional arguments but 2 were given",
            ),
            (
                lambda: vn.parse_ogn_aprs_aircraft_beacon(b"", input=b""),
                "parse_ogn_aprs_aircraft_beacon() got multiple values for argument 'input'",
            ),
            (
                lambda: vn.parse_ogn_aprs_aircraft_beacon(line=b""),
                "parse_ogn_aprs_aircraft_beacon() got an unexpected keyword argument 'line'",
            ),
        ],
    )
    def test_binding_messages(self, call, message):
        with pytest.raises(TypeError) as info:
            call()
        assert str(info.value) == message

    def test_unknown_keyword_is_reported_before_missing(self):
        with pytest.raises(TypeError, match="unexpected keyword argument 'x'"):
            vn.OGNBeaconID(x=1)

    def test_init_binding_uses_init_name(self):
        a = vn.ICAOAddress(5)
        with pytest.raises(TypeError) as info:
            a.__init__()
        assert str(info.value) == "ICAOAddress.__init__() missing 1 required positional argument: 'value'"
        with pytest.raises(TypeError) as info:
            a.__init__(1, 2)
        assert str(info.value) == "ICAOAddress.__init__() takes 1 positional arguments but 2 were given"

    def test_cast_errors(self):
        with pytest.raises(TypeError) as info:
            vn.OGNBeaconID(None, vn.ICAOAddress(1))
        assert str(info.value) == "argument 'prefix': 'None' is not an instance of 'OGNIDPrefix'"
        with pytest.raises(TypeError) as info:
            vn.OGNBeaconID(1, vn.ICAOAddress(1))
        assert str(info.value) == "argument 'prefix': 'int' object is not an instance of 'OGNIDPrefix'"

    def test_prefixed_error_keeps_cause_of_original(self):
        class Bad:
            def __index__(self):
                try:
                    raise KeyError("inner")
                except KeyError as e:
                    raise TypeError("bad index") from e

        with pytest.raises(TypeError) as info:
            vn.ICAOAddress(Bad())
        assert str(info.value) == "argument 'value': bad index"
        assert isinstance(info.value.__cause__, KeyError)


def test_property_cannot_be_deleted(line):
    beacon = vn.parse_ogn_aprs_aircraft_beacon(line)
    for name in ("callsign", "time", "ogn_beacon_id"):
        with pytest.raises(AttributeError) as info:
            delattr(beacon, name)
        assert str(info.value) == "property has no deleter"
    with pytest.raises(AttributeError, match="property has no deleter"):
        del beacon.ogn_beacon_id.prefix.no_track


def test_rich_comparison_with_unknown_operator_code():
    # The slot is reachable directly through the type's __eq__ wrappers only
    # for the six codes; other objects compare by identity.
    a = vn.ICAOAddress(1)
    assert a.__eq__(object()) is NotImplemented
    assert a.__lt__(vn.ICAOAddress(2)) is NotImplemented
