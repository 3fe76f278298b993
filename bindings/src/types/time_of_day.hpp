// Conversion between the core time of day and datetime.time.
#pragma once

#include <Python.h>

#include <string>
#include <string_view>

#include "volarion/beacon.hpp"

namespace volarion::py {

// From a datetime.time (or subclass); tzinfo and fold are ignored.
bool to_time_of_day(PyObject* object, std::string_view argument, TimeOfDay& out);

// A new naive datetime.time. A leap second reads as second 59 with a warning.
PyObject* from_time_of_day(TimeOfDay time);

// "HH:MM:SS" with 0, 3, 6 or 9 fractional digits; a leap second shows as :60.
void append_time_repr(std::string& out, TimeOfDay time);

}  // namespace volarion::py
