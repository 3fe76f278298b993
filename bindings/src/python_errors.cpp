#include "python_errors.hpp"

#include <string>

#include "py_ref.hpp"

namespace volarion::py {

void append_type_qualname(std::string& out, PyObject* object) {
    Ref name = Ref::steal(PyType_GetQualName(Py_TYPE(object)));
    Py_ssize_t size = 0;
    const char* utf8 = name ? PyUnicode_AsUTF8AndSize(name.get(), &size) : nullptr;
    if (utf8 == nullptr) {
        PyErr_Clear();
        out += "<failed to extract type name>";
        return;
    }
    out.append(utf8, static_cast<std::size_t>(size));
}

void raise_text(PyObject* type, std::string_view text) {
    Ref message = Ref::steal(PyUnicode_FromStringAndSize(text.data(), static_cast<Py_ssize_t>(text.size())));
    if (message) {
        PyErr_SetObject(type, message.get());
    }
}

void raise_not_an_instance(PyObject* object, std::string_view class_name) {
    std::string text;
    if (object == Py_None) {
        text = "'None' is not an instance of '";
    } else {
        text = "'";
        append_type_qualname(text, object);
        text += "' object is not an instance of '";
    }
    text += class_name;
    text += "'";
    raise_text(PyExc_TypeError, text);
}

void prefix_type_error(std::string_view argument_name) {
    if (!PyErr_ExceptionMatches(PyExc_TypeError)) {
        return;
    }
    Ref original = Ref::steal(PyErr_GetRaisedException());
    Ref original_text = Ref::steal(PyObject_Str(original.get()));
    if (!original_text) {
        return;
    }
    Ref text = Ref::steal(PyUnicode_FromFormat("argument '%.*s': %U", static_cast<int>(argument_name.size()),
                                               argument_name.data(), original_text.get()));
    if (!text) {
        return;
    }
    Ref remapped = Ref::steal(PyObject_CallOneArg(PyExc_TypeError, text.get()));
    if (!remapped) {
        return;
    }
    if (PyObject* cause = PyException_GetCause(original.get())) {
        PyException_SetCause(remapped.get(), cause);  // steals the cause
    }
    PyErr_SetRaisedException(remapped.release());
}

void raise_already_mutably_borrowed() { PyErr_SetString(PyExc_RuntimeError, "Already mutably borrowed"); }

void raise_already_borrowed() { PyErr_SetString(PyExc_RuntimeError, "Already borrowed"); }

void raise_out_of_range_integral() {
    PyErr_SetString(PyExc_OverflowError, "out of range integral type conversion attempted");
}

}  // namespace volarion::py
