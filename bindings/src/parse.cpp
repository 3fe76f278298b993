#include "parse.hpp"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "arguments.hpp"
#include "py_ref.hpp"
#include "python_errors.hpp"
#include "types/aircraft_beacon.hpp"
#include "volarion/parse.hpp"

namespace volarion::py {

namespace {

constexpr std::string_view parameters[] = {"input"};
constexpr Signature signature{"parse_ogn_aprs_aircraft_beacon()", parameters};

// The line's bytes: a view of a bytes object's own buffer, or an owned copy.
struct InputBytes {
    std::string_view view;
    std::vector<char> copy;
};

// Copies any other sequence of integers 0..255 item by item.
bool copy_sequence(PyObject* object, std::vector<char>& out) {
    const Py_ssize_t length = PySequence_Size(object);
    if (length < 0) {
        PyErr_Clear();
    } else {
        out.reserve(static_cast<std::size_t>(length));
    }
    Ref iterator = Ref::steal(PyObject_GetIter(object));
    if (!iterator) {
        return false;
    }
    while (Ref item = Ref::steal(PyIter_Next(iterator.get()))) {
        const long value = PyLong_AsLong(item.get());
        if (value == -1 && PyErr_Occurred()) {
            return false;
        }
        if (value < 0 || value > 255) {
            raise_out_of_range_integral();
            return false;
        }
        out.push_back(static_cast<char>(value));
    }
    return !PyErr_Occurred();
}

bool obtain_input(PyObject* object, InputBytes& input) {
    if (PyBytes_Check(object)) {
        input.view = std::string_view(PyBytes_AS_STRING(object), static_cast<std::size_t>(PyBytes_GET_SIZE(object)));
        return true;
    }
    if (PyByteArray_Check(object)) {
        // Another thread may resize the bytearray: copy it whole under its lock.
        Py_BEGIN_CRITICAL_SECTION(object);
        const char* data = PyByteArray_AS_STRING(object);
        input.copy.assign(data, data + PyByteArray_GET_SIZE(object));
        Py_END_CRITICAL_SECTION();
    } else if (PyUnicode_Check(object)) {
        PyErr_SetString(PyExc_TypeError, "Can't extract `str` to `Vec`");
        return false;
    } else if (!PySequence_Check(object)) {
        raise_not_an_instance(object, "Sequence");
        return false;
    } else if (!copy_sequence(object, input.copy)) {
        return false;
    }
    input.view = std::string_view(input.copy.data(), input.copy.size());
    return true;
}

PyObject* parse_body(PyObject* /*module*/, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames) {
    std::array<PyObject*, 1> bound{};
    if (!bind_fastcall(signature, args, nargsf, kwnames, bound)) {
        return nullptr;
    }
    InputBytes input;
    if (!obtain_input(bound[0], input)) {
        prefix_type_error("input");
        return nullptr;
    }
    ParseResult result = parse_ogn_aprs_aircraft_beacon(input.view);
    if (!result) {
        raise_text(PyExc_ValueError, "Parse error: " + debug_text(result.error()));
        return nullptr;
    }
    return beacon_from_core(std::move(*result));
}

}  // namespace

PyMethodDef parse_function_def{
    "parse_ogn_aprs_aircraft_beacon",
    reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(&Guard<&parse_body>::call)),
    METH_FASTCALL | METH_KEYWORDS,
    "parse_ogn_aprs_aircraft_beacon(input)\n--\n\n"
    "Parses a raw OGN APRS aircraft beacon message.\n"
    "\n"
    "This is the primary entry point for decoding an OGN beacon. It extracts\n"
    "the header information, positional block, and trailing extension tags from\n"
    "the raw byte stream.\n"
    "\n"
    "# Arguments\n"
    "\n"
    "* `input` (`bytes`): A bytes-like object containing the raw APRS message.\n"
    "\n"
    "# Returns\n"
    "\n"
    "`AircraftBeacon`: The successfully parsed beacon object.\n"
    "\n"
    "# Raises\n"
    "\n"
    "* `ValueError`: If the parsing fails. This typically occurs if:\n"
    "  * The overall message format is invalid.\n"
    "  * A specific token (time, coordinates, etc.) fails to parse.\n"
    "  * The required OGN Beacon ID is missing from the message.",
};

}  // namespace volarion::py
