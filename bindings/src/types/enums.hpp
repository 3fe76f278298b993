// The three enumeration classes: one process-wide member object per core
// value, reached as upper-case class attributes.
#pragma once

#include <Python.h>

#include <string_view>

#include "class_machinery.hpp"
#include "volarion/aprs_types.hpp"

namespace volarion::py {

extern ClassDef aircraft_type_class;
extern ClassDef address_type_class;
extern ClassDef protocol_class;

// The member object for a core value (new reference), or null with an error.
PyObject* member(OGNAircraftType value);
PyObject* member(OGNAddressType value);
PyObject* member(OGNAPRSProtocol value);

// Reads the core value from a member of the required class. A wrong object
// raises the cast TypeError prefixed with the argument name.
bool extract_member(PyObject* object, std::string_view argument, OGNAircraftType& out);
bool extract_member(PyObject* object, std::string_view argument, OGNAddressType& out);
bool extract_member(PyObject* object, std::string_view argument, OGNAPRSProtocol& out);

}  // namespace volarion::py
