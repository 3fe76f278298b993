// The module function parse_ogn_aprs_aircraft_beacon.
#pragma once

#include <Python.h>

namespace volarion::py {

extern PyMethodDef parse_function_def;

}  // namespace volarion::py
