// The AircraftBeacon class: a mutable record of one parsed beacon.
#pragma once

#include <Python.h>

#include "class_machinery.hpp"
#include "volarion/beacon.hpp"

namespace volarion::py {

extern ClassDef aircraft_beacon_class;

// Moves a core record into a new AircraftBeacon object.
PyObject* beacon_from_core(AircraftBeacon&& beacon);

}  // namespace volarion::py
