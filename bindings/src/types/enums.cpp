#include "types/enums.hpp"

#include <array>
#include <cstdint>

namespace volarion::py {

namespace {

struct MemberInfo {
    const char* attribute;  // class attribute name
    std::uint8_t code;
};

// Everything one enumeration class needs: its members in code order and one
// cell per member.
template <typename Enum, std::size_t Count>
struct EnumClass {
    std::array<MemberInfo, Count> members;
    std::array<OnceCell, Count> cells{};

    // Position of a code in the member table (codes may have gaps).
    std::size_t position(Enum value) const noexcept {
        for (std::size_t i = 0; i < Count; ++i) {
            if (members[i].code == static_cast<std::uint8_t>(value)) {
                return i;
            }
        }
        return 0;  // unreachable for a valid core value
    }

    PyObject* cell_member(PyTypeObject* type, std::size_t position) {
        PyObject* object = cells[position].get_or_init([&] {
            return new_instance(type, static_cast<Enum>(members[position].code));
        });
        return Py_XNewRef(object);
    }
};

EnumClass<OGNAircraftType, 15> aircraft_types{{{
    {"RESERVED", 0},
    {"GLIDER", 1},
    {"TOW_PLANE", 2},
    {"HELICOPTER", 3},
    {"PARACHUTE", 4},
    {"DROP_PLANE", 5},
    {"HANG_GLIDER", 6},
    {"PARAGLIDER", 7},
    {"RECIPROCATING_ENGINE_AIRCRAFT", 8},
    {"JET_TURBOPROP_AIRCRAFT", 9},
    {"UNKNOWN", 10},
    {"BALLOON", 11},
    {"AIRSHIP", 12},
    {"UA_VS", 13},
    {"STATIC_OBSTACLE", 15},
}}};

EnumClass<OGNAddressType, 4> address_types{{{
    {"UNKNOWN", 0},
    {"ICAO", 1},
    {"FLARM", 2},
    {"OGN_TRACKER", 3},
}}};

EnumClass<OGNAPRSProtocol, 3> protocols{{{
    {"OGADSB", 0},
    {"OGFLR", 1},
    {"OGNSKY", 2},
}}};

template <typename Enum>
struct Binding;

template <>
struct Binding<OGNAircraftType> {
    static ClassDef& def() { return aircraft_type_class; }
    static auto& info() { return aircraft_types; }
};
template <>
struct Binding<OGNAddressType> {
    static ClassDef& def() { return address_type_class; }
    static auto& info() { return address_types; }
};
template <>
struct Binding<OGNAPRSProtocol> {
    static ClassDef& def() { return protocol_class; }
    static auto& info() { return protocols; }
};

template <typename Enum>
PyObject* lookup(Enum value) {
    PyTypeObject* type = get_type_for_conversion(Binding<Enum>::def());
    if (type == nullptr) {
        return nullptr;
    }
    auto& info = Binding<Enum>::info();
    return info.cell_member(type, info.position(value));
}

template <typename Enum>
bool extract(PyObject* object, std::string_view argument, Enum& out) {
    return copy_argument(object, Binding<Enum>::def(), argument, out);
}

template <typename Enum>
PyObject* make_attribute(PyTypeObject* type, std::size_t index) {
    return Binding<Enum>::info().cell_member(type, index);
}

template <typename Enum>
void forget_members() {
    for (OnceCell& cell : Binding<Enum>::info().cells) {
        cell.reset();
    }
}

template <typename Enum>
PyObject* repr(PyObject* self) {
    return read_instance<Enum>(self, Binding<Enum>::def(), [](Enum value) {
        const std::string_view text = name(value);
        return PyUnicode_FromStringAndSize(text.data(), static_cast<Py_ssize_t>(text.size()));
    });
}

template <typename Enum>
PyObject* to_int(PyObject* self) {
    return read_instance<Enum>(self, Binding<Enum>::def(),
                               [](Enum value) { return PyLong_FromLong(static_cast<long>(value)); });
}

// Same class: by code. Otherwise an integer conversion of the other operand
// (ints, bools, __index__); anything else is NotImplemented.
template <typename Enum>
PyObject* compare(PyObject* self, PyObject* other, int op) {
    const ClassDef& def = Binding<Enum>::def();
    if (is_instance(other, def)) {
        return compare_instances<Enum>(self, other, op, def, [](Enum a, Enum b) { return a == b; });
    }
    if (op < Py_LT || op > Py_GE || !is_instance(self, def)) {
        Py_RETURN_NOTIMPLEMENTED;
    }
    auto* instance = as_instance<Enum>(self);
    SharedBorrow borrow(instance->borrow);
    if (!borrow) {
        Py_RETURN_NOTIMPLEMENTED;
    }
    const long number = PyLong_AsLong(other);
    if (number == -1 && PyErr_Occurred()) {
        PyErr_Clear();
        Py_RETURN_NOTIMPLEMENTED;
    }
    if (op != Py_EQ && op != Py_NE) {
        Py_RETURN_NOTIMPLEMENTED;
    }
    const bool same = number == static_cast<long>(instance->value);
    return Py_NewRef((same == (op == Py_EQ)) ? Py_True : Py_False);
}

template <typename Enum>
inline const std::array<PyType_Slot, 3> enum_slots{{
    {Py_tp_repr, slot_function<&repr<Enum>>()},
    {Py_nb_int, slot_function<&to_int<Enum>>()},
    {Py_tp_richcompare, slot_function<&compare<Enum>>()},
}};

template <typename Enum, std::size_t Count>
constexpr std::array<ClassAttribute, Count> attributes_of(const std::array<MemberInfo, Count>& members) {
    std::array<ClassAttribute, Count> attributes{};
    for (std::size_t i = 0; i < Count; ++i) {
        attributes[i] = {members[i].attribute, &make_attribute<Enum>};
    }
    return attributes;
}

const auto aircraft_type_attributes = attributes_of<OGNAircraftType>(aircraft_types.members);
const auto address_type_attributes = attributes_of<OGNAddressType>(address_types.members);
const auto protocol_attributes = attributes_of<OGNAPRSProtocol>(protocols.members);

}  // namespace

ClassDef aircraft_type_class{
    "OGNAircraftType",
    "Categories of aircraft identified in the OGN network.",
    sizeof(Instance<OGNAircraftType>),
    false,
    enum_slots<OGNAircraftType>,
    nullptr,
    dealloc<OGNAircraftType>,
    aircraft_type_attributes,
    &forget_members<OGNAircraftType>,
};

ClassDef address_type_class{
    "OGNAddressType",
    "The scheme utilized to format and route the beacon address.",
    sizeof(Instance<OGNAddressType>),
    false,
    enum_slots<OGNAddressType>,
    nullptr,
    dealloc<OGNAddressType>,
    address_type_attributes,
    &forget_members<OGNAddressType>,
};

ClassDef protocol_class{
    "OGNAPRSProtocol",
    "The protocol format used by the beacon over the APRS network.",
    sizeof(Instance<OGNAPRSProtocol>),
    false,
    enum_slots<OGNAPRSProtocol>,
    nullptr,
    dealloc<OGNAPRSProtocol>,
    protocol_attributes,
    &forget_members<OGNAPRSProtocol>,
};

PyObject* member(OGNAircraftType value) { return lookup(value); }
PyObject* member(OGNAddressType value) { return lookup(value); }
PyObject* member(OGNAPRSProtocol value) { return lookup(value); }

bool extract_member(PyObject* object, std::string_view argument, OGNAircraftType& out) {
    return extract(object, argument, out);
}
bool extract_member(PyObject* object, std::string_view argument, OGNAddressType& out) {
    return extract(object, argument, out);
}
bool extract_member(PyObject* object, std::string_view argument, OGNAPRSProtocol& out) {
    return extract(object, argument, out);
}

}  // namespace volarion::py
