#include "types/aircraft_beacon.hpp"

#include <array>
#include <tuple>
#include <string>
#include <string_view>

#include "arguments.hpp"
#include "types/conversions.hpp"
#include "types/enums.hpp"
#include "types/identifiers.hpp"
#include "types/time_of_day.hpp"
#include "volarion/text.hpp"

namespace volarion::py {

namespace {

constexpr std::size_t field_count = 11;

constexpr std::string_view parameters[field_count] = {
    "callsign", "q_construct", "receiver",     "ogn_aprs_protocol", "time",          "latitude",
    "longitude", "ground_track", "ground_speed", "gps_altitude",      "ogn_beacon_id",
};
constexpr Signature new_signature{"AircraftBeacon.__new__()", parameters};
constexpr Signature init_signature{"AircraftBeacon.__init__()", parameters};

// One converter per field kind; the same ones serve the constructor,
// __init__ and the setters.
bool convert(PyObject* object, std::string_view name, std::string& out) { return to_utf8(object, name, out); }
bool convert(PyObject* object, std::string_view name, double& out) { return to_double(object, name, out); }
bool convert(PyObject* object, std::string_view name, TimeOfDay& out) { return to_time_of_day(object, name, out); }
bool convert(PyObject* object, std::string_view name, OGNAPRSProtocol& out) {
    return extract_member(object, name, out);
}
bool convert(PyObject* object, std::string_view name, OGNBeaconID& out) {
    return copy_argument(object, beacon_id_class, name, out);
}

PyObject* to_python(const std::string& text) {
    return PyUnicode_FromStringAndSize(text.data(), static_cast<Py_ssize_t>(text.size()));
}
PyObject* to_python(double value) { return PyFloat_FromDouble(value); }
PyObject* to_python(TimeOfDay time) { return from_time_of_day(time); }
PyObject* to_python(OGNAPRSProtocol protocol) { return member(protocol); }
PyObject* to_python(const OGNBeaconID& id) { return from_core(beacon_id_class, id); }

// The record's fields in declared order, as member pointers.
constexpr auto fields = std::make_tuple(
    &AircraftBeacon::callsign, &AircraftBeacon::q_construct, &AircraftBeacon::receiver,
    &AircraftBeacon::ogn_aprs_protocol, &AircraftBeacon::time, &AircraftBeacon::latitude, &AircraftBeacon::longitude,
    &AircraftBeacon::ground_track, &AircraftBeacon::ground_speed, &AircraftBeacon::gps_altitude,
    &AircraftBeacon::ogn_beacon_id);

// Converts the bound arguments in parameter order, stopping at the first
// failure.
bool convert_all(const std::array<PyObject*, field_count>& bound, AircraftBeacon& out) {
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
        return (convert(bound[I], parameters[I], out.*std::get<I>(fields)) && ...);
    }(std::make_index_sequence<field_count>());
}

PyObject* new_body(PyTypeObject* type, PyObject* args, PyObject* kwargs) {
    std::array<PyObject*, field_count> bound{};
    AircraftBeacon beacon;
    if (!bind_arguments(new_signature, args, kwargs, bound) || !convert_all(bound, beacon)) {
        return nullptr;
    }
    return new_instance(type, std::move(beacon));
}

int init_body(PyObject* self, PyObject* args, PyObject* kwargs) {
    std::array<PyObject*, field_count> bound{};
    if (!bind_arguments(init_signature, args, kwargs, bound)) {
        return -1;
    }
    return validate_init<AircraftBeacon>(self, aircraft_beacon_class, [&] {
        AircraftBeacon ignored;
        return convert_all(bound, ignored);
    });
}

template <std::size_t I>
PyObject* get_field(PyObject* self) {
    return read_instance<AircraftBeacon>(self, aircraft_beacon_class,
                                         [](const AircraftBeacon& b) { return to_python(b.*std::get<I>(fields)); });
}

template <std::size_t I>
int set_field(PyObject* self, PyObject* value) {
    std::remove_cvref_t<decltype(std::declval<AircraftBeacon&>().*std::get<I>(fields))> converted{};
    if (!convert(value, parameters[I], converted)) {
        return -1;
    }
    return write_instance<AircraftBeacon>(self, aircraft_beacon_class, [&converted](AircraftBeacon& b) {
        b.*std::get<I>(fields) = std::move(converted);
    });
}

constexpr const char* docstrings[field_count] = {
    "The sender's callsign",
    "The APRS q-construct indicating how the message was routed.",
    "The name/callsign of receiving station that picked up the beacon",
    "The specific `OGNAPRSProtocol` used",
    "The time the beacon was generated (UTC)",
    "The latitude of the aircraft in decimal degrees (negative for South).",
    "The longitude of the aircraft in decimal degrees (negative for West).",
    "The ground track (heading) of the aircraft in degrees (0-360).",
    "The ground speed of the aircraft (meters per second).",
    "The GPS altitude of the aircraft (metres)",
    "The unique `OGNBeaconID` extracted from the message extension.",
};

constexpr auto properties = []<std::size_t... I>(std::index_sequence<I...>) {
    return std::array<Property, field_count>{Property{&get_field<I>, &set_field<I>}...};
}(std::make_index_sequence<field_count>());

// The names must outlive the type: the string views above point at literals.
auto getset = []<std::size_t... I>(std::index_sequence<I...>) {
    return std::array<PyGetSetDef, field_count + 1>{
        property_entry(parameters[I].data(), properties[I], docstrings[I])..., PyGetSetDef{}};
}(std::make_index_sequence<field_count>());

void append_field_value(std::string& out, const std::string& text) { append_quoted(out, text); }
void append_field_value(std::string& out, double value) { append_debug_float(out, value); }
void append_field_value(std::string& out, TimeOfDay time) { append_time_repr(out, time); }
void append_field_value(std::string& out, OGNAPRSProtocol protocol) { out += name(protocol); }
void append_field_value(std::string& out, const OGNBeaconID& id) { append_beacon_id_repr(out, id); }

PyObject* repr(PyObject* self) {
    return read_instance<AircraftBeacon>(self, aircraft_beacon_class, [](const AircraftBeacon& b) {
        std::string text = "PyAircraftBeacon { ";
        [&]<std::size_t... I>(std::index_sequence<I...>) {
            ((text += (I == 0 ? "" : ", "), text += parameters[I], text += ": ",
              append_field_value(text, b.*std::get<I>(fields))),
             ...);
        }(std::make_index_sequence<field_count>());
        text += " }";
        return to_python(text);
    });
}

// Stops at the first difference: floats numerically, then the texts, the
// protocol, the time and the identifier.
bool records_equal(const AircraftBeacon& a, const AircraftBeacon& b) {
    return a.latitude == b.latitude && a.longitude == b.longitude && a.ground_track == b.ground_track &&
           a.ground_speed == b.ground_speed && a.gps_altitude == b.gps_altitude && a.callsign == b.callsign &&
           a.q_construct == b.q_construct && a.receiver == b.receiver &&
           a.ogn_aprs_protocol == b.ogn_aprs_protocol && a.time == b.time && a.ogn_beacon_id == b.ogn_beacon_id;
}

PyObject* compare(PyObject* self, PyObject* other, int op) {
    return compare_instances<AircraftBeacon>(self, other, op, aircraft_beacon_class, &records_equal);
}

const std::array<PyType_Slot, 4> slots{{
    {Py_tp_richcompare, slot_function<&compare>()},
    {Py_tp_new, slot_function<&new_body>()},
    {Py_tp_init, slot_function<&init_body>()},
    {Py_tp_repr, slot_function<&repr>()},
}};

}  // namespace

ClassDef aircraft_beacon_class{
    "AircraftBeacon",
    "AircraftBeacon(callsign, q_construct, receiver, ogn_aprs_protocol, time, latitude, longitude, ground_track, "
    "ground_speed, gps_altitude, ogn_beacon_id)\n--\n\n"
    "Represents a parsed OGN (Open Glider Network) APRS aircraft beacon.\n"
    "\n"
    "This class contains all the extracted telemetric and identification data\n"
    "broadcasted by an aircraft, such as coordinates, ground track, altitude,\n"
    "and its unique OGN identifier.",
    sizeof(Instance<AircraftBeacon>),
    true,
    slots,
    getset.data(),
    dealloc<AircraftBeacon>,
    {},
};

PyObject* beacon_from_core(AircraftBeacon&& beacon) { return from_core(aircraft_beacon_class, std::move(beacon)); }

}  // namespace volarion::py
