#include "class_machinery.hpp"

#include <string>
#include <vector>

#include "py_ref.hpp"

namespace volarion::py {

namespace {

// Raises RuntimeError(text) with the pending exception as its cause.
void raise_with_cause(const std::string& text) {
    Ref cause = Ref::steal(PyErr_GetRaisedException());
    Ref error = Ref::steal(PyObject_CallFunction(PyExc_RuntimeError, "s", text.c_str()));
    if (!error) {
        return;
    }
    if (cause) {
        PyException_SetCause(error.get(), cause.release());
    }
    PyErr_SetRaisedException(error.release());
}

PyObject* create_type(ClassDef& def) {
    std::vector<PyType_Slot> slots;
    if (def.doc != nullptr && def.doc[0] != '\0') {
        slots.push_back({Py_tp_doc, const_cast<char*>(def.doc)});
    }
    slots.insert(slots.end(), def.slots.begin(), def.slots.end());
    if (def.getset != nullptr) {
        slots.push_back({Py_tp_getset, def.getset});
    }
    slots.push_back({Py_tp_base, &PyBaseObject_Type});
    slots.push_back({Py_tp_dealloc, reinterpret_cast<void*>(def.dealloc)});
    slots.push_back({0, nullptr});

    const std::string spec_name = std::string("builtins.") + def.name;
    PyType_Spec spec{
        spec_name.c_str(),
        static_cast<int>(def.basic_size),
        0,
        Py_TPFLAGS_DEFAULT | (def.instantiable ? 0u : static_cast<unsigned>(Py_TPFLAGS_DISALLOW_INSTANTIATION)),
        slots.data(),
    };
    const std::string failure = std::string("An error occurred while initializing class ") + def.name;
    Ref type = Ref::steal(PyType_FromSpec(&spec));
    if (!type) {
        raise_with_cause(failure);
        return nullptr;
    }

    // Compute every class attribute first, then store them in the same order.
    std::vector<Ref> values;
    values.reserve(def.class_attributes.size());
    for (std::size_t i = 0; i < def.class_attributes.size(); ++i) {
        const ClassAttribute& attribute = def.class_attributes[i];
        Ref value = Ref::steal(attribute.make(reinterpret_cast<PyTypeObject*>(type.get()), i));
        if (!value) {
            raise_with_cause(std::string("An error occurred while initializing `") + def.name + "." +
                             attribute.name + "`");
            raise_with_cause(failure);
            if (def.on_creation_failed != nullptr) {
                def.on_creation_failed();
            }
            return nullptr;
        }
        values.push_back(std::move(value));
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (PyObject_SetAttrString(type.get(), def.class_attributes[i].name, values[i].get()) < 0) {
            raise_with_cause(std::string("An error occurred while initializing `") + def.name + ".__dict__`");
            raise_with_cause(failure);
            if (def.on_creation_failed != nullptr) {
                def.on_creation_failed();
            }
            return nullptr;
        }
    }
    return type.release();
}

}  // namespace

PyTypeObject* get_type(ClassDef& def) {
    return reinterpret_cast<PyTypeObject*>(def.cell.get_or_init([&def] { return create_type(def); }));
}

PyTypeObject* get_type_for_conversion(ClassDef& def) {
    if (PyObject* ready = def.cell.get()) {
        return reinterpret_cast<PyTypeObject*>(ready);
    }
    PyTypeObject* type = get_type(def);
    if (type == nullptr) {
        PyErr_WriteUnraisable(nullptr);
        raise_panic(std::string("failed to create type object for `") + def.name + "`");
    }
    return type;
}

PyObject* property_get(PyObject* self, void* closure) {
    return static_cast<const Property*>(closure)->get(self);
}

int property_set(PyObject* self, PyObject* value, void* closure) {
    const auto* property = static_cast<const Property*>(closure);
    if (value == nullptr) {
        PyErr_SetString(PyExc_AttributeError, "property has no deleter");
        return -1;
    }
    if (property->set == nullptr) {
        PyErr_SetString(PyExc_AttributeError, "property has no setter");
        return -1;
    }
    return property->set(self, value);
}

PyObject* interned(OnceCell& cell, const char* text) {
    return cell.get_or_init([text] { return PyUnicode_InternFromString(text); });
}

}  // namespace volarion::py
