#include "types/identifiers.hpp"

#include <array>
#include <string_view>

#include "arguments.hpp"
#include "types/conversions.hpp"
#include "types/enums.hpp"

namespace volarion::py {

namespace {

PyObject* new_str(const std::string& text) {
    return PyUnicode_FromStringAndSize(text.data(), static_cast<Py_ssize_t>(text.size()));
}

void append_address_repr(std::string& out, ICAOAddress address) {
    out += "PyICAOAddress(";
    out += std::to_string(address.value());
    out += ")";
}

// ---- ICAOAddress ---------------------------------------------------------

constexpr std::string_view address_parameters[] = {"value"};
constexpr Signature address_new{"ICAOAddress.__new__()", address_parameters};
constexpr Signature address_init{"ICAOAddress.__init__()", address_parameters};

PyObject* address_new_body(PyTypeObject* type, PyObject* args, PyObject* kwargs) {
    std::array<PyObject*, 1> bound{};
    std::uint32_t value = 0;
    if (!bind_arguments(address_new, args, kwargs, bound) || !to_u32(bound[0], "value", value)) {
        return nullptr;
    }
    auto address = ICAOAddress::from_value(value);
    if (!address) {
        raise_text(PyExc_ValueError, address.error().message());
        return nullptr;
    }
    return new_instance(type, *address);
}

// Validates the argument's type only; the 24-bit limit is the constructor's.
int address_init_body(PyObject* self, PyObject* args, PyObject* kwargs) {
    std::array<PyObject*, 1> bound{};
    if (!bind_arguments(address_init, args, kwargs, bound)) {
        return -1;
    }
    return validate_init<ICAOAddress>(self, icao_address_class, [&] {
        std::uint32_t value = 0;
        return to_u32(bound[0], "value", value);
    });
}

PyObject* address_repr(PyObject* self) {
    return read_instance<ICAOAddress>(self, icao_address_class, [](ICAOAddress address) {
        std::string text;
        append_address_repr(text, address);
        return new_str(text);
    });
}

PyObject* address_compare(PyObject* self, PyObject* other, int op) {
    return compare_instances<ICAOAddress>(self, other, op, icao_address_class, std::equal_to<>());
}

const std::array<PyType_Slot, 4> address_slots{{
    {Py_tp_richcompare, slot_function<&address_compare>()},
    {Py_tp_new, slot_function<&address_new_body>()},
    {Py_tp_init, slot_function<&address_init_body>()},
    {Py_tp_repr, slot_function<&address_repr>()},
}};

// ---- OGNIDPrefix ---------------------------------------------------------

constexpr std::string_view prefix_parameters[] = {"aircraft_type", "address_type", "no_track", "stealth_mode"};
constexpr Signature prefix_new{"OGNIDPrefix.__new__()", prefix_parameters};
constexpr Signature prefix_init{"OGNIDPrefix.__init__()", prefix_parameters};

bool convert_prefix(const std::array<PyObject*, 4>& bound, OGNIDPrefix& out) {
    return extract_member(bound[0], "aircraft_type", out.aircraft_type) &&
           extract_member(bound[1], "address_type", out.address_type) &&
           to_bool(bound[2], "no_track", out.no_track) && to_bool(bound[3], "stealth_mode", out.stealth_mode);
}

PyObject* prefix_new_body(PyTypeObject* type, PyObject* args, PyObject* kwargs) {
    std::array<PyObject*, 4> bound{};
    OGNIDPrefix prefix;
    if (!bind_arguments(prefix_new, args, kwargs, bound) || !convert_prefix(bound, prefix)) {
        return nullptr;
    }
    return new_instance(type, prefix);
}

int prefix_init_body(PyObject* self, PyObject* args, PyObject* kwargs) {
    std::array<PyObject*, 4> bound{};
    if (!bind_arguments(prefix_init, args, kwargs, bound)) {
        return -1;
    }
    return validate_init<OGNIDPrefix>(self, id_prefix_class, [&] {
        OGNIDPrefix ignored;
        return convert_prefix(bound, ignored);
    });
}

PyObject* prefix_compare(PyObject* self, PyObject* other, int op) {
    return compare_instances<OGNIDPrefix>(self, other, op, id_prefix_class, std::equal_to<>());
}

// Field accessors: the getter reads under a shared borrow; the setter
// converts first, then stores under the exclusive borrow.
template <auto Field>
PyObject* get_prefix_flag(PyObject* self) {
    return read_instance<OGNIDPrefix>(self, id_prefix_class,
                                      [](const OGNIDPrefix& p) { return Py_NewRef(p.*Field ? Py_True : Py_False); });
}

template <auto Field>
PyObject* get_prefix_member(PyObject* self) {
    return read_instance<OGNIDPrefix>(self, id_prefix_class, [](const OGNIDPrefix& p) { return member(p.*Field); });
}

template <auto Field, const char* Name>
int set_prefix_flag(PyObject* self, PyObject* value) {
    bool flag = false;
    if (!to_bool(value, Name, flag)) {
        return -1;
    }
    return write_instance<OGNIDPrefix>(self, id_prefix_class, [flag](OGNIDPrefix& p) { p.*Field = flag; });
}

template <auto Field, const char* Name>
int set_prefix_member(PyObject* self, PyObject* value) {
    std::remove_reference_t<decltype(std::declval<OGNIDPrefix&>().*Field)> converted{};
    if (!extract_member(value, Name, converted)) {
        return -1;
    }
    return write_instance<OGNIDPrefix>(self, id_prefix_class, [converted](OGNIDPrefix& p) { p.*Field = converted; });
}

constexpr char aircraft_type_name[] = "aircraft_type";
constexpr char address_type_name[] = "address_type";
constexpr char no_track_name[] = "no_track";
constexpr char stealth_mode_name[] = "stealth_mode";

constexpr Property aircraft_type_property{&get_prefix_member<&OGNIDPrefix::aircraft_type>,
                                          &set_prefix_member<&OGNIDPrefix::aircraft_type, aircraft_type_name>};
constexpr Property address_type_property{&get_prefix_member<&OGNIDPrefix::address_type>,
                                         &set_prefix_member<&OGNIDPrefix::address_type, address_type_name>};
constexpr Property no_track_property{&get_prefix_flag<&OGNIDPrefix::no_track>,
                                     &set_prefix_flag<&OGNIDPrefix::no_track, no_track_name>};
constexpr Property stealth_mode_property{&get_prefix_flag<&OGNIDPrefix::stealth_mode>,
                                         &set_prefix_flag<&OGNIDPrefix::stealth_mode, stealth_mode_name>};

PyGetSetDef prefix_getset[] = {
    property_entry(aircraft_type_name, aircraft_type_property),
    property_entry(address_type_name, address_type_property),
    property_entry(no_track_name, no_track_property),
    property_entry(stealth_mode_name, stealth_mode_property),
    {},
};

const std::array<PyType_Slot, 3> prefix_slots{{
    {Py_tp_richcompare, slot_function<&prefix_compare>()},
    {Py_tp_new, slot_function<&prefix_new_body>()},
    {Py_tp_init, slot_function<&prefix_init_body>()},
}};

// ---- OGNBeaconID ---------------------------------------------------------

constexpr std::string_view id_parameters[] = {"prefix", "icao_address"};
constexpr Signature id_new{"OGNBeaconID.__new__()", id_parameters};
constexpr Signature id_init{"OGNBeaconID.__init__()", id_parameters};

bool convert_id(const std::array<PyObject*, 2>& bound, OGNBeaconID& out) {
    return copy_argument(bound[0], id_prefix_class, "prefix", out.prefix) &&
           copy_argument(bound[1], icao_address_class, "icao_address", out.icao_address);
}

PyObject* id_new_body(PyTypeObject* type, PyObject* args, PyObject* kwargs) {
    std::array<PyObject*, 2> bound{};
    OGNBeaconID id;
    if (!bind_arguments(id_new, args, kwargs, bound) || !convert_id(bound, id)) {
        return nullptr;
    }
    return new_instance(type, id);
}

int id_init_body(PyObject* self, PyObject* args, PyObject* kwargs) {
    std::array<PyObject*, 2> bound{};
    if (!bind_arguments(id_init, args, kwargs, bound)) {
        return -1;
    }
    return validate_init<OGNBeaconID>(self, beacon_id_class, [&] {
        OGNBeaconID ignored;
        return convert_id(bound, ignored);
    });
}

PyObject* id_repr(PyObject* self) {
    return read_instance<OGNBeaconID>(self, beacon_id_class, [](const OGNBeaconID& id) {
        std::string text;
        append_beacon_id_repr(text, id);
        return new_str(text);
    });
}

PyObject* id_compare(PyObject* self, PyObject* other, int op) {
    return compare_instances<OGNBeaconID>(self, other, op, beacon_id_class, std::equal_to<>());
}

// The nested values are held inline: reads hand out new objects holding
// copies, writes copy the assigned object's value in.
template <auto Field, ClassDef& Class, const char* Name>
PyObject* get_id_part(PyObject* self) {
    return read_instance<OGNBeaconID>(self, beacon_id_class,
                                      [](const OGNBeaconID& id) { return from_core(Class, id.*Field); });
}

template <auto Field, ClassDef& Class, const char* Name>
int set_id_part(PyObject* self, PyObject* value) {
    std::remove_reference_t<decltype(std::declval<OGNBeaconID&>().*Field)> converted{};
    if (!copy_argument(value, Class, Name, converted)) {
        return -1;
    }
    return write_instance<OGNBeaconID>(self, beacon_id_class, [&converted](OGNBeaconID& id) { id.*Field = converted; });
}

constexpr char prefix_name[] = "prefix";
constexpr char icao_address_name[] = "icao_address";

constexpr Property prefix_property{&get_id_part<&OGNBeaconID::prefix, id_prefix_class, prefix_name>,
                                   &set_id_part<&OGNBeaconID::prefix, id_prefix_class, prefix_name>};
constexpr Property icao_address_property{
    &get_id_part<&OGNBeaconID::icao_address, icao_address_class, icao_address_name>,
    &set_id_part<&OGNBeaconID::icao_address, icao_address_class, icao_address_name>};

PyGetSetDef id_getset[] = {
    property_entry(prefix_name, prefix_property),
    property_entry(icao_address_name, icao_address_property),
    {},
};

const std::array<PyType_Slot, 4> id_slots{{
    {Py_tp_richcompare, slot_function<&id_compare>()},
    {Py_tp_new, slot_function<&id_new_body>()},
    {Py_tp_init, slot_function<&id_init_body>()},
    {Py_tp_repr, slot_function<&id_repr>()},
}};

}  // namespace

void append_beacon_id_repr(std::string& out, const OGNBeaconID& id) {
    out += "PyOGNBeaconID { prefix: PyOGNIDPrefix { aircraft_type: ";
    out += name(id.prefix.aircraft_type);
    out += ", address_type: ";
    out += name(id.prefix.address_type);
    out += ", no_track: ";
    out += id.prefix.no_track ? "true" : "false";
    out += ", stealth_mode: ";
    out += id.prefix.stealth_mode ? "true" : "false";
    out += " }, icao_address: ";
    append_address_repr(out, id.icao_address);
    out += " }";
}

ClassDef icao_address_class{
    "ICAOAddress",
    "ICAOAddress(value)\n--\n\nRepresents a 24-bit ICAO aircraft address.",
    sizeof(Instance<ICAOAddress>),
    true,
    address_slots,
    nullptr,
    dealloc<ICAOAddress>,
    {},
};

ClassDef id_prefix_class{
    "OGNIDPrefix",
    "OGNIDPrefix(aircraft_type, address_type, no_track, stealth_mode)\n--\n\n"
    "The decoded metadata parsed from the 1-byte OGN ID prefix.\n"
    "\n"
    "The OGN network embeds privacy requests and object type classification into\n"
    "the first byte of a tracker's ID string using specific bitwise flags.\n"
    "\n"
    "# Bit Layout\n"
    "* **Bits 0-1:** Device Address Type (2 bits) -> `OGNAddressType`\n"
    "* **Bits 2-5:** Aircraft / Object Type (4 bits) -> `OGNAircraftType`\n"
    "* **Bit 6:** No-Track Flag (1 bit). If true, do not record trace logs.\n"
    "* **Bit 7:** Stealth Mode Flag (1 bit). If true, delay or hide on live maps.",
    sizeof(Instance<OGNIDPrefix>),
    true,
    prefix_slots,
    prefix_getset,
    dealloc<OGNIDPrefix>,
    {},
};

ClassDef beacon_id_class{
    "OGNBeaconID",
    "OGNBeaconID(prefix, icao_address)\n--\n\n"
    "Represents a complete OGN beacon identifier.\n"
    "\n"
    "In OGN APRS, a beacon ID is composed of a 1-byte metadata prefix (encoding\n"
    "things like aircraft type and tracker type) and a 3-byte (24-bit) address.",
    sizeof(Instance<OGNBeaconID>),
    true,
    id_slots,
    id_getset,
    dealloc<OGNBeaconID>,
    {},
};

}  // namespace volarion::py
