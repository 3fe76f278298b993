// The module definition and its exec step, which registers the function and
// the seven classes, in a fixed order, on the module and in its __all__.
#include <Python.h>

#include <array>

#include "class_machinery.hpp"
#include "parse.hpp"
#include "py_ref.hpp"
#include "types/aircraft_beacon.hpp"
#include "types/enums.hpp"
#include "types/identifiers.hpp"

namespace volarion::py {

namespace {

OnceCell all_name;
OnceCell name_name;

// Appends the name to the module's __all__ (made if absent) and sets the
// module attribute.
bool add_name(PyObject* module, PyObject* name, PyObject* object) {
    PyObject* all_key = interned(all_name, "__all__");
    if (all_key == nullptr) {
        return false;
    }
    Ref all = Ref::steal(PyObject_GetAttr(module, all_key));
    if (!all) {
        if (!PyErr_ExceptionMatches(PyExc_AttributeError)) {
            return false;
        }
        PyErr_Clear();
        all = Ref::steal(PyList_New(0));
        if (!all || PyObject_SetAttr(module, all_key, all.get()) < 0) {
            return false;
        }
    } else if (!PyList_Check(all.get())) {
        raise_not_an_instance(all.get(), "list");
        return false;
    }
    if (PyList_Append(all.get(), name) < 0) {
        PyErr_Clear();
        raise_panic("could not append __name__ to __all__");
        return false;
    }
    return PyObject_SetAttr(module, name, object) == 0;
}

bool add_class(PyObject* module, ClassDef& def) {
    PyTypeObject* type = get_type(def);
    if (type == nullptr) {
        return false;
    }
    Ref name = Ref::steal(PyUnicode_FromString(def.name));
    return name && add_name(module, name.get(), reinterpret_cast<PyObject*>(type));
}

bool add_function(PyObject* module) {
    Ref module_name = Ref::steal(PyModule_GetNameObject(module));
    if (!module_name) {
        return false;
    }
    Ref function = Ref::steal(PyCMethod_New(&parse_function_def, module, module_name.get(), nullptr));
    PyObject* name_key = interned(name_name, "__name__");
    if (!function || name_key == nullptr) {
        return false;
    }
    Ref name = Ref::steal(PyObject_GetAttr(function.get(), name_key));
    if (!name) {
        return false;
    }
    if (!PyUnicode_Check(name.get())) {
        raise_not_an_instance(name.get(), "str");
        return false;
    }
    return add_name(module, name.get(), function.get());
}

int exec_module(PyObject* module) {
    if (!PyModule_Check(module)) {
        raise_not_an_instance(module, "module");
        return -1;
    }
    if (!add_function(module)) {
        return -1;
    }
    for (ClassDef* def : {&aircraft_beacon_class, &icao_address_class, &address_type_class, &aircraft_type_class,
                          &protocol_class, &beacon_id_class, &id_prefix_class}) {
        if (!add_class(module, *def)) {
            return -1;
        }
    }
    return 0;
}

PyModuleDef_Slot module_slots[] = {
    {Py_mod_exec, reinterpret_cast<void*>(&Guard<&exec_module>::call)},
    {Py_mod_gil, Py_MOD_GIL_NOT_USED},
    {0, nullptr},
};

PyModuleDef module_definition = {
    PyModuleDef_HEAD_INIT,
    "volarion_native",
    "",
    0,
    nullptr,
    module_slots,
    nullptr,
    nullptr,
    nullptr,
};

}  // namespace

}  // namespace volarion::py

PyMODINIT_FUNC PyInit_volarion_native() { return PyModuleDef_Init(&volarion::py::module_definition); }
