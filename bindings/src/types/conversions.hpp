// Argument conversions shared by constructors, __init__ and setters. Each
// returns false with the exception set; TypeErrors carry the argument prefix.
#pragma once

#include <Python.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace volarion::py {

// Unsigned 32-bit: via the interpreter's integer conversion, then a range
// check raising "out of range integral type conversion attempted".
bool to_u32(PyObject* object, std::string_view argument, std::uint32_t& out);

// Strict boolean: exactly bool, or numpy's bool types through their truth slot.
bool to_bool(PyObject* object, std::string_view argument, bool& out);

// float exactly, else the interpreter's float conversion (__float__, __index__).
bool to_double(PyObject* object, std::string_view argument, double& out);

// str (or subclass) to its UTF-8 bytes; a lone surrogate raises the
// interpreter's encoding error unprefixed.
bool to_utf8(PyObject* object, std::string_view argument, std::string& out);

}  // namespace volarion::py
