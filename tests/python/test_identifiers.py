"""ICAOAddress, OGNIDPrefix and OGNBeaconID."""

import pytest

from volarion import volarion_native as vn

T = vn.OGNAircraftType
A = vn.OGNAddressType


def prefix(aircraft=T.GLIDER, address=A.FLARM, no_track=False, stealth=False):
    return vn.OGNIDPrefix(aircraft, address, no_track, stealth)


class TestICAOAddress:
    @pytest.mark.parametrize("value, text", [(0, "PyICAOAddress(0)"), (0xFFFFFF, "PyICAOAddress(16777215)"),
                                             (0xABCDEF, "PyICAOAddress(11259375)"), (True, "PyICAOAddress(1)")])
    def test_accepted_values(self, value, text):
        assert repr(vn.ICAOAddress(value)) == text
        assert repr(vn.ICAOAddress(value=value)) == text

    @pytest.mark.parametrize(
        "value, message",
        [
            (0x1000000, "Value 0x1000000 (16777216) exceeds 24-bit ICAO address limit (0xFFFFFF)"),
            (0xFFFFFFFF, "Value 0xFFFFFFFF (4294967295) exceeds 24-bit ICAO address limit (0xFFFFFF)"),
        ],
    )
    def test_limit(self, value, message):
        with pytest.raises(ValueError) as info:
            vn.ICAOAddress(value)
        assert str(info.value) == message

    @pytest.mark.parametrize("value", [-1, 2**32, -(2**63)])
    def test_out_of_u32_range(self, value):
        with pytest.raises(OverflowError) as info:
            vn.ICAOAddress(value)
        assert str(info.value) == "out of range integral type conversion attempted"

    def test_beyond_native_long(self):
        with pytest.raises(OverflowError) as info:
            vn.ICAOAddress(2**64)
        assert str(info.value) != "out of range integral type conversion attempted"

    @pytest.mark.parametrize("value", [1.0, "1", None, b"\x01"])
    def test_non_integers(self, value):
        with pytest.raises(TypeError) as info:
            vn.ICAOAddress(value)
        assert str(info.value).startswith("argument 'value': ")

    def test_init_validates_type_only(self):
        a = vn.ICAOAddress(5)
        assert a.__init__(0x1000000) is None
        assert repr(a) == "PyICAOAddress(5)"
        with pytest.raises(OverflowError):
            a.__init__(-1)
        with pytest.raises(TypeError, match="^argument 'value': "):
            a.__init__("x")

    def test_equality(self):
        assert vn.ICAOAddress(5) == vn.ICAOAddress(5)
        assert vn.ICAOAddress(5) != vn.ICAOAddress(6)
        assert (vn.ICAOAddress(5) == 5) is False
        assert (vn.ICAOAddress(5) != 5) is True
        with pytest.raises(TypeError):
            vn.ICAOAddress(5) < vn.ICAOAddress(6)

    def test_has_no_attributes(self):
        a = vn.ICAOAddress(5)
        with pytest.raises(AttributeError):
            a.value
        with pytest.raises(AttributeError):
            a.value = 3


class TestOGNIDPrefix:
    def test_fields_read_back(self):
        p = prefix(T.UA_VS, A.OGN_TRACKER, True, False)
        assert p.aircraft_type is T.UA_VS
        assert p.address_type is A.OGN_TRACKER
        assert p.no_track is True and p.stealth_mode is False
        assert prefix(stealth=True).stealth_mode is True

    @pytest.mark.parametrize(
        "args, message",
        [
            ((1, A.FLARM, False, False), "argument 'aircraft_type': 'int' object is not an instance of 'OGNAircraftType'"),
            ((A.FLARM, A.FLARM, False, False),
             "argument 'aircraft_type': 'OGNAddressType' object is not an instance of 'OGNAircraftType'"),
            ((T.GLIDER, T.GLIDER, False, False),
             "argument 'address_type': 'OGNAircraftType' object is not an instance of 'OGNAddressType'"),
            ((T.GLIDER, A.FLARM, 0, False), "argument 'no_track': 'int' object is not an instance of 'bool'"),
            ((T.GLIDER, A.FLARM, False, None), "argument 'stealth_mode': 'None' is not an instance of 'bool'"),
            # Only the first failure in parameter order is reported.
            ((1, 2, 3, 4), "argument 'aircraft_type': 'int' object is not an instance of 'OGNAircraftType'"),
        ],
    )
    def test_conversion_errors(self, args, message):
        with pytest.raises(TypeError) as info:
            vn.OGNIDPrefix(*args)
        assert str(info.value) == message

    def test_numpy_style_bool_types(self):
        # Recognised by module and type name, through their truth slot.
        class FakeNumpyBool:
            __module__ = "numpy"

            def __init__(self, value):
                self.value = value

            def __bool__(self):
                return self.value

        FakeNumpyBool.__name__ = "bool_"
        assert prefix(no_track=FakeNumpyBool(True)).no_track is True
        FakeNumpyBool.__name__ = "bool"
        assert prefix(no_track=FakeNumpyBool(False)).no_track is False

        class NoTruth:
            __module__ = "numpy"

        NoTruth.__name__ = "bool_"
        with pytest.raises(TypeError) as info:
            prefix(no_track=NoTruth())
        assert str(info.value) == (
            f"argument 'no_track': object of type '{NoTruth!s}' does not define a '__bool__' conversion"
        )

        class OtherModule:
            def __bool__(self):
                return True

        OtherModule.__name__ = "bool_"
        with pytest.raises(TypeError, match="is not an instance of 'bool'"):
            prefix(no_track=OtherModule())

    def test_setters(self):
        p = prefix()
        p.aircraft_type = T.BALLOON
        p.address_type = A.ICAO
        p.no_track = True
        p.stealth_mode = True
        assert (p.aircraft_type, p.address_type, p.no_track, p.stealth_mode) == (T.BALLOON, A.ICAO, True, True)
        with pytest.raises(TypeError) as info:
            p.no_track = 1
        assert str(info.value) == "argument 'no_track': 'int' object is not an instance of 'bool'"
        with pytest.raises(TypeError) as info:
            p.aircraft_type = 3
        assert str(info.value) == "argument 'aircraft_type': 'int' object is not an instance of 'OGNAircraftType'"
        assert p.no_track is True and p.aircraft_type is T.BALLOON

    def test_repr_is_default_object_form(self):
        assert repr(prefix()).startswith("<builtins.OGNIDPrefix object at ")

    def test_equality_covers_every_field(self):
        base = prefix()
        assert base == prefix()
        for other in (prefix(T.TOW_PLANE), prefix(address=A.ICAO), prefix(no_track=True), prefix(stealth=True)):
            assert base != other and not (base == other)

    def test_init_changes_nothing(self):
        p = prefix()
        assert p.__init__(T.BALLOON, A.ICAO, True, True) is None
        assert p == prefix()
        with pytest.raises(TypeError, match="OGNIDPrefix.__init__\\(\\) missing 1 required"):
            p.__init__(T.BALLOON, A.ICAO, True)


class TestOGNBeaconID:
    def test_repr(self):
        b = vn.OGNBeaconID(prefix(), vn.ICAOAddress(0xABCDEF))
        assert repr(b) == (
            "PyOGNBeaconID { prefix: PyOGNIDPrefix { aircraft_type: Glider, address_type: FLARM, "
            "no_track: false, stealth_mode: false }, icao_address: PyICAOAddress(11259375) }"
        )
        b2 = vn.OGNBeaconID(prefix(T.UA_VS, A.OGN_TRACKER, True, True), vn.ICAOAddress(0))
        assert repr(b2) == (
            "PyOGNBeaconID { prefix: PyOGNIDPrefix { aircraft_type: UAVs, address_type: OGNTracker, "
            "no_track: true, stealth_mode: true }, icao_address: PyICAOAddress(0) }"
        )

    def test_values_are_copied_in_and_out(self):
        p = prefix()
        a = vn.ICAOAddress(7)
        b = vn.OGNBeaconID(prefix=p, icao_address=a)
        p.no_track = True
        assert b.prefix.no_track is False
        b.prefix.no_track = True
        assert b.prefix.no_track is False
        assert b.prefix is not b.prefix and b.prefix == b.prefix
        q = prefix(stealth=True)
        b.prefix = q
        q.stealth_mode = False
        assert b.prefix.stealth_mode is True
        b.icao_address = vn.ICAOAddress(9)
        assert b.icao_address == vn.ICAOAddress(9)
        assert b.prefix.aircraft_type is T.GLIDER

    def test_setter_type_errors_leave_object_unchanged(self):
        b = vn.OGNBeaconID(prefix(), vn.ICAOAddress(7))
        with pytest.raises(TypeError) as info:
            b.icao_address = 5
        assert str(info.value) == "argument 'icao_address': 'int' object is not an instance of 'ICAOAddress'"
        with pytest.raises(TypeError) as info:
            b.prefix = vn.ICAOAddress(1)
        assert str(info.value) == "argument 'prefix': 'ICAOAddress' object is not an instance of 'OGNIDPrefix'"
        assert b == vn.OGNBeaconID(prefix(), vn.ICAOAddress(7))

    def test_constructor_errors(self):
        with pytest.raises(TypeError) as info:
            vn.OGNBeaconID(vn.ICAOAddress(1), prefix())
        assert str(info.value) == "argument 'prefix': 'ICAOAddress' object is not an instance of 'OGNIDPrefix'"
        with pytest.raises(TypeError) as info:
            vn.OGNBeaconID(prefix(), 1)
        assert str(info.value) == "argument 'icao_address': 'int' object is not an instance of 'ICAOAddress'"

    def test_equality(self):
        one = vn.OGNBeaconID(prefix(), vn.ICAOAddress(1))
        assert one == vn.OGNBeaconID(prefix(), vn.ICAOAddress(1))
        assert one != vn.OGNBeaconID(prefix(stealth=True), vn.ICAOAddress(1))
        assert one != vn.OGNBeaconID(prefix(), vn.ICAOAddress(2))
        assert (one == prefix()) is False

    def test_init_changes_nothing(self):
        b = vn.OGNBeaconID(prefix(), vn.ICAOAddress(1))
        assert b.__init__(prefix(T.BALLOON), vn.ICAOAddress(2)) is None
        assert b == vn.OGNBeaconID(prefix(), vn.ICAOAddress(1))
        with pytest.raises(TypeError, match="^argument 'icao_address': "):
            b.__init__(prefix(), None)

    def test_member_identity_survives_round_trip(self):
        b = vn.OGNBeaconID(prefix(T.GLIDER), vn.ICAOAddress(1))
        assert b.prefix.aircraft_type is T.GLIDER
        assert b.prefix.address_type is A.FLARM
