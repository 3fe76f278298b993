"""The three enumeration classes."""

import operator

import pytest

from volarion import volarion_native as vn

AIRCRAFT = [
    ("RESERVED", "Reserved", 0),
    ("GLIDER", "Glider", 1),
    ("TOW_PLANE", "TowPlane", 2),
    ("HELICOPTER", "Helicopter", 3),
    ("PARACHUTE", "Parachute", 4),
    ("DROP_PLANE", "DropPlane", 5),
    ("HANG_GLIDER", "HangGlider", 6),
    ("PARAGLIDER", "Paraglider", 7),
    ("RECIPROCATING_ENGINE_AIRCRAFT", "ReciprocatingEngineAircraft", 8),
    ("JET_TURBOPROP_AIRCRAFT", "JetTurbopropAircraft", 9),
    ("UNKNOWN", "Unknown", 10),
    ("BALLOON", "Balloon", 11),
    ("AIRSHIP", "Airship", 12),
    ("UA_VS", "UAVs", 13),
    ("STATIC_OBSTACLE", "StaticObstacle", 15),
]
ADDRESS = [("UNKNOWN", "Unknown", 0), ("ICAO", "ICAO", 1), ("FLARM", "FLARM", 2), ("OGN_TRACKER", "OGNTracker", 3)]
PROTOCOL = [("OGADSB", "OGADSB", 0), ("OGFLR", "OGFLR", 1), ("OGNSKY", "OGNSKY", 2)]

MEMBERS = (
    [(vn.OGNAircraftType, *m) for m in AIRCRAFT]
    + [(vn.OGNAddressType, *m) for m in ADDRESS]
    + [(vn.OGNAPRSProtocol, *m) for m in PROTOCOL]
)


@pytest.mark.parametrize("cls, attribute, text, code", MEMBERS)
def test_member_repr_int_and_identity(cls, attribute, text, code):
    member = getattr(cls, attribute)
    assert type(member) is cls
    assert repr(member) == text and str(member) == text
    assert int(member) == code and member.__int__() == code
    assert member is getattr(cls, attribute)
    assert member == code and code == member and not (member != code)
    assert bool(member) is True


@pytest.mark.parametrize(
    "cls, table", [(vn.OGNAircraftType, AIRCRAFT), (vn.OGNAddressType, ADDRESS), (vn.OGNAPRSProtocol, PROTOCOL)]
)
def test_class_attributes_are_exactly_the_members(cls, table):
    names = [name for name in vars(cls) if name.isupper()]
    assert names == [attribute for attribute, _, _ in table]


def test_no_member_for_code_14_and_no_mixed_case_names():
    assert 14 not in [int(getattr(vn.OGNAircraftType, a)) for a, _, _ in AIRCRAFT]
    for name in ("UAVS", "UAVs", "Glider", "name", "value"):
        with pytest.raises(AttributeError):
            getattr(vn.OGNAircraftType, name)
    with pytest.raises(AttributeError):
        vn.OGNAircraftType.GLIDER.name


@pytest.mark.parametrize(
    "other, equal",
    [(1, True), (True, True), (2, False), (1.0, False), ("Glider", False), (2**64, False), (None, False)],
)
def test_equality_with_other_objects(other, equal):
    glider = vn.OGNAircraftType.GLIDER
    assert (glider == other) is equal
    assert (glider != other) is (not equal)


def test_equality_uses_index_and_swallows_its_errors():
    class Index:
        def __init__(self, value):
            self.value = value

        def __index__(self):
            return self.value

    class Broken:
        def __index__(self):
            raise RuntimeError("boom")

    assert vn.OGNAircraftType.GLIDER == Index(1)
    assert vn.OGNAircraftType.GLIDER != Index(2)
    assert (vn.OGNAircraftType.GLIDER == Broken()) is False
    assert vn.OGNAircraftType.RESERVED == False  # noqa: E712


def test_members_of_different_classes_differ():
    assert (vn.OGNAddressType.ICAO == vn.OGNAircraftType.GLIDER) is False
    assert (vn.OGNAddressType.ICAO != vn.OGNAircraftType.GLIDER) is True
    assert not isinstance(vn.OGNAddressType.ICAO, vn.OGNAircraftType)
    assert vn.OGNAircraftType.GLIDER != vn.OGNAircraftType.TOW_PLANE


@pytest.mark.parametrize("other", [vn.OGNAircraftType.TOW_PLANE, 5, 1.5])
@pytest.mark.parametrize("op", [operator.lt, operator.le, operator.gt, operator.ge])
def test_ordering_is_refused(op, other):
    with pytest.raises(TypeError):
        op(vn.OGNAircraftType.GLIDER, other)


@pytest.mark.parametrize("cls", [vn.OGNAircraftType, vn.OGNAddressType, vn.OGNAPRSProtocol])
def test_enum_classes_cannot_be_called_or_iterated(cls):
    with pytest.raises(TypeError) as info:
        cls()
    assert "builtins." + cls.__name__ in str(info.value)
    with pytest.raises(TypeError):
        cls(1)
    with pytest.raises(TypeError):
        iter(cls)


def test_members_are_not_indices():
    with pytest.raises(TypeError):
        operator.index(vn.OGNAircraftType.GLIDER)
    with pytest.raises(TypeError):
        [1, 2, 3][vn.OGNAircraftType.GLIDER]


def test_rebinding_a_class_attribute_does_not_change_lookup():
    original = vn.OGNAircraftType.GLIDER
    try:
        vn.OGNAircraftType.GLIDER = vn.OGNAircraftType.BALLOON
        prefix = vn.OGNIDPrefix(original, vn.OGNAddressType.ICAO, False, False)
        assert prefix.aircraft_type is original
    finally:
        vn.OGNAircraftType.GLIDER = original
