// Raising the module's fixed exception texts.
#pragma once

#include <Python.h>

#include <string>
#include <string_view>

namespace volarion::py {

// "'{type}' object is not an instance of '{class}'", or "'None' is not an
// instance of '{class}'" for None.
void raise_not_an_instance(PyObject* object, std::string_view class_name);

// Re-raises a pending TypeError as "argument '{name}': {message}", keeping
// the original's cause. Other exceptions stay as they are.
void prefix_type_error(std::string_view argument_name);

void raise_already_mutably_borrowed();
void raise_already_borrowed();

// OverflowError "out of range integral type conversion attempted".
void raise_out_of_range_integral();

// Raises `type` with a text built from UTF-8 pieces.
void raise_text(PyObject* type, std::string_view text);

// The qualified name of the object's type as UTF-8, or
// "<failed to extract type name>".
void append_type_qualname(std::string& out, PyObject* object);

}  // namespace volarion::py
