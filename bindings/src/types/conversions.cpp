#include "types/conversions.hpp"

#include "py_ref.hpp"
#include "python_errors.hpp"

namespace volarion::py {

namespace {

bool fail_prefixed(std::string_view argument) {
    prefix_type_error(argument);
    return false;
}

// numpy's boolean scalar types, recognised by module and type name so that
// numpy need not be imported.
bool is_numpy_bool_type(PyTypeObject* type) {
    Ref module = Ref::steal(PyType_GetModuleName(type));
    Ref name = Ref::steal(PyType_GetName(type));
    if (!module || !name) {
        PyErr_Clear();
        return false;
    }
    return PyUnicode_Check(module.get()) && PyUnicode_Check(name.get()) &&
           PyUnicode_EqualToUTF8(module.get(), "numpy") &&
           (PyUnicode_EqualToUTF8(name.get(), "bool_") || PyUnicode_EqualToUTF8(name.get(), "bool"));
}

}  // namespace

bool to_u32(PyObject* object, std::string_view argument, std::uint32_t& out) {
    const long value = PyLong_AsLong(object);
    if (value == -1 && PyErr_Occurred()) {
        return fail_prefixed(argument);
    }
    if (value < 0 || value > 0xFFFFFFFFL) {
        raise_out_of_range_integral();
        return false;
    }
    out = static_cast<std::uint32_t>(value);
    return true;
}

bool to_bool(PyObject* object, std::string_view argument, bool& out) {
    if (Py_IS_TYPE(object, &PyBool_Type)) {
        out = object == Py_True;
        return true;
    }
    PyTypeObject* type = Py_TYPE(object);
    if (is_numpy_bool_type(type)) {
        inquiry truth = type->tp_as_number != nullptr ? type->tp_as_number->nb_bool : nullptr;
        if (truth == nullptr) {
            Ref shown = Ref::steal(PyObject_Str(reinterpret_cast<PyObject*>(type)));
            if (shown) {
                PyErr_Format(PyExc_TypeError, "object of type '%U' does not define a '__bool__' conversion",
                             shown.get());
            }
            return fail_prefixed(argument);
        }
        const int result = truth(object);
        if (result < 0) {
            return fail_prefixed(argument);
        }
        out = result != 0;
        return true;
    }
    raise_not_an_instance(object, "bool");
    return fail_prefixed(argument);
}

bool to_double(PyObject* object, std::string_view argument, double& out) {
    if (PyFloat_CheckExact(object)) {
        out = PyFloat_AS_DOUBLE(object);
        return true;
    }
    const double value = PyFloat_AsDouble(object);
    if (value == -1.0 && PyErr_Occurred()) {
        return fail_prefixed(argument);
    }
    out = value;
    return true;
}

bool to_utf8(PyObject* object, std::string_view argument, std::string& out) {
    if (!PyUnicode_Check(object)) {
        raise_not_an_instance(object, "str");
        return fail_prefixed(argument);
    }
    Py_ssize_t size = 0;
    const char* utf8 = PyUnicode_AsUTF8AndSize(object, &size);
    if (utf8 == nullptr) {
        return false;
    }
    out.assign(utf8, static_cast<std::size_t>(size));
    return true;
}

}  // namespace volarion::py
