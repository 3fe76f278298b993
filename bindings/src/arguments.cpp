#include "arguments.hpp"

#include <string>

#include "py_ref.hpp"
#include "python_errors.hpp"

namespace volarion::py {

namespace {

void raise_type_error(std::string text) { raise_text(PyExc_TypeError, text); }

// 'a'; 'a' and 'b'; 'a', 'b', and 'c'.
void append_name_list(std::string& out, std::span<const std::string_view> names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) {
            if (names.size() > 2) {
                out += ",";
            }
            out += (i + 1 == names.size()) ? " and " : " ";
        }
        out += "'";
        out += names[i];
        out += "'";
    }
}

bool check_positional_count(const Signature& signature, Py_ssize_t given) {
    const auto expected = signature.parameters.size();
    if (static_cast<std::size_t>(given) <= expected) {
        return true;
    }
    std::string text(signature.display_name);
    text += " takes " + std::to_string(expected) + " positional arguments but " + std::to_string(given) +
            (given == 1 ? " was given" : " were given");
    raise_type_error(std::move(text));
    return false;
}

bool bind_keyword(const Signature& signature, PyObject* name, PyObject* value, std::span<PyObject*> bound) {
    Py_ssize_t size = 0;
    const char* utf8 = PyUnicode_Check(name) ? PyUnicode_AsUTF8AndSize(name, &size) : nullptr;
    if (utf8 == nullptr) {
        PyErr_Clear();
    }
    const std::string_view key = utf8 != nullptr ? std::string_view(utf8, static_cast<std::size_t>(size)) : "";
    for (std::size_t i = 0; utf8 != nullptr && i < signature.parameters.size(); ++i) {
        if (signature.parameters[i] != key) {
            continue;
        }
        if (bound[i] != nullptr) {
            raise_type_error(std::string(signature.display_name) + " got multiple values for argument '" +
                             std::string(key) + "'");
            return false;
        }
        bound[i] = value;
        return true;
    }
    Ref shown = Ref::steal(PyObject_Str(name));
    if (shown) {
        Ref text = Ref::steal(PyUnicode_FromFormat("%.*s got an unexpected keyword argument '%U'",
                                                   static_cast<int>(signature.display_name.size()),
                                                   signature.display_name.data(), shown.get()));
        if (text) {
            PyErr_SetObject(PyExc_TypeError, text.get());
        }
    }
    return false;
}

bool check_missing(const Signature& signature, std::span<PyObject*> bound) {
    std::string_view missing[16];
    std::size_t count = 0;
    for (std::size_t i = 0; i < signature.parameters.size(); ++i) {
        if (bound[i] == nullptr && count < std::size(missing)) {
            missing[count++] = signature.parameters[i];
        }
    }
    if (count == 0) {
        return true;
    }
    std::string text(signature.display_name);
    text += " missing " + std::to_string(count) +
            (count == 1 ? " required positional argument: " : " required positional arguments: ");
    append_name_list(text, std::span(missing, count));
    raise_type_error(std::move(text));
    return false;
}

}  // namespace

bool bind_arguments(const Signature& signature, PyObject* args, PyObject* kwargs, std::span<PyObject*> bound) {
    const Py_ssize_t given = PyTuple_GET_SIZE(args);
    if (!check_positional_count(signature, given)) {
        return false;
    }
    for (Py_ssize_t i = 0; i < given; ++i) {
        bound[static_cast<std::size_t>(i)] = PyTuple_GET_ITEM(args, i);
    }
    if (kwargs != nullptr) {
        bool ok = true;
        // The keyword dictionary belongs to this call; the critical section
        // keeps iteration sound on the free-threaded build all the same.
        Py_BEGIN_CRITICAL_SECTION(kwargs);
        Py_ssize_t position = 0;
        PyObject* name = nullptr;
        PyObject* value = nullptr;
        while (ok && PyDict_Next(kwargs, &position, &name, &value)) {
            ok = bind_keyword(signature, name, value, bound);
        }
        Py_END_CRITICAL_SECTION();
        if (!ok) {
            return false;
        }
    }
    return check_missing(signature, bound);
}

bool bind_fastcall(const Signature& signature, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames,
                   std::span<PyObject*> bound) {
    const Py_ssize_t given = PyVectorcall_NARGS(nargsf);
    if (!check_positional_count(signature, given)) {
        return false;
    }
    for (Py_ssize_t i = 0; i < given; ++i) {
        bound[static_cast<std::size_t>(i)] = args[i];
    }
    if (kwnames != nullptr) {
        const Py_ssize_t keywords = PyTuple_GET_SIZE(kwnames);
        for (Py_ssize_t i = 0; i < keywords; ++i) {
            if (!bind_keyword(signature, PyTuple_GET_ITEM(kwnames, i), args[given + i], bound)) {
                return false;
            }
        }
    }
    return check_missing(signature, bound);
}

}  // namespace volarion::py
