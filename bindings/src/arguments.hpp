// Binding of call arguments to parameters, shared by every constructor and
// the module function. Every parameter of this module is positional-or-keyword
// and required.
#pragma once

#include <Python.h>

#include <span>
#include <string_view>

namespace volarion::py {

struct Signature {
    // Display name in messages, e.g. "ICAOAddress.__new__()".
    std::string_view display_name;
    std::span<const std::string_view> parameters;
};

// Fills bound[i] (borrowed references) for each parameter, or returns false
// with the TypeError of the first binding failure set.
bool bind_arguments(const Signature& signature, PyObject* args, PyObject* kwargs, std::span<PyObject*> bound);
bool bind_fastcall(const Signature& signature, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames,
                   std::span<PyObject*> bound);

}  // namespace volarion::py
