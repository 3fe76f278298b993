// What every class of the module shares: the instance layout, type creation
// once per process, the cast and borrow rules, the property dispatcher, the
// common rich-comparison rules and deallocation. A class declares only its
// specifics in a ClassDef and a few functions over its core value.
#pragma once

#include <Python.h>

#include <cstddef>
#include <new>
#include <span>
#include <type_traits>
#include <string_view>
#include <utility>

#include "borrow_flag.hpp"
#include "fault_trap.hpp"
#include "once_cell.hpp"
#include "python_errors.hpp"

namespace volarion::py {

// Instance layout: object header, the wrapped core value, the borrow counter.
template <typename Value>
struct Instance {
    PyObject_HEAD
    Value value;
    BorrowFlag borrow;
};

// A class attribute computed when the type object is created.
struct ClassAttribute {
    const char* name;
    // A new reference, or null with an exception; index is the attribute's
    // position in the class's list.
    PyObject* (*make)(PyTypeObject* type, std::size_t index);
};

// One property: a getter and a setter over an instance.
struct Property {
    PyObject* (*get)(PyObject* self);
    int (*set)(PyObject* self, PyObject* value);  // null: the property has no setter
};

struct ClassDef {
    const char* name;  // bare class name
    const char* doc;   // tp_doc, with the text signature where the class has a constructor
    std::size_t basic_size;
    bool instantiable;
    std::span<const PyType_Slot> slots;  // the class's own slots, in order
    PyGetSetDef* getset;                 // null-terminated, or null without properties
    destructor dealloc;
    std::span<const ClassAttribute> class_attributes;
    void (*on_creation_failed)() = nullptr;  // undoes what computing the attributes left behind
    OnceCell cell{};
};

// The type object, created on first need. On failure: null with RuntimeError
// "An error occurred while initializing class {name}" (and its causes) set.
PyTypeObject* get_type(ClassDef& def);

// For converting a core value into the class: a creation failure is reported
// as unraisable and then raised as PanicException.
PyTypeObject* get_type_for_conversion(ClassDef& def);

// Cast rule: the object is the class or a subtype of it. A class whose type
// object does not exist yet has no instances.
inline bool is_instance(PyObject* object, const ClassDef& def) {
    auto* type = reinterpret_cast<PyTypeObject*>(def.cell.get());
    return type != nullptr && PyObject_TypeCheck(object, type);
}

template <typename Value>
Instance<Value>* as_instance(PyObject* object) noexcept {
    return reinterpret_cast<Instance<Value>*>(object);
}

// Casts, or sets the cast TypeError and returns null.
template <typename Value>
Instance<Value>* cast(PyObject* object, const ClassDef& def) {
    if (!is_instance(object, def)) {
        raise_not_an_instance(object, def.name);
        return nullptr;
    }
    return as_instance<Value>(object);
}

// Allocates an instance of `type` holding `value`, borrow counter free.
template <typename Value>
PyObject* new_instance(PyTypeObject* type, Value&& value) {
    PyObject* object = type->tp_alloc(type, 0);
    if (object == nullptr) {
        return nullptr;
    }
    auto* instance = as_instance<std::remove_cvref_t<Value>>(object);
    new (&instance->value) std::remove_cvref_t<Value>(std::forward<Value>(value));
    new (&instance->borrow) BorrowFlag();
    return object;
}

// A new instance of the class from a core value (no binding, no __init__).
template <typename Value>
PyObject* from_core(ClassDef& def, Value&& value) {
    PyTypeObject* type = get_type_for_conversion(def);
    return type != nullptr ? new_instance(type, std::forward<Value>(value)) : nullptr;
}

// Runs read(const Value&) under a shared borrow of self. Returns its result,
// or the error value after raising the cast or "Already mutably borrowed"
// error.
template <typename Value, typename Read>
auto read_instance(PyObject* self, const ClassDef& def, Read&& read) -> decltype(read(std::declval<const Value&>())) {
    using Result = decltype(read(std::declval<const Value&>()));
    static_assert(std::is_pointer_v<Result>, "reads return an object or null");
    Instance<Value>* instance = cast<Value>(self, def);
    if (instance == nullptr) {
        return Result{};
    }
    SharedBorrow borrow(instance->borrow);
    if (!borrow) {
        raise_already_mutably_borrowed();
        return Result{};
    }
    return read(std::as_const(instance->value));
}

// Copies the value of an argument instance under a shared borrow. The cast
// error names the argument; a refused borrow raises unprefixed.
template <typename Value>
bool copy_argument(PyObject* object, const ClassDef& def, std::string_view argument, Value& out) {
    Instance<Value>* instance = cast<Value>(object, def);
    if (instance == nullptr) {
        prefix_type_error(argument);
        return false;
    }
    SharedBorrow borrow(instance->borrow);
    if (!borrow) {
        raise_already_mutably_borrowed();
        return false;
    }
    out = instance->value;
    return true;
}

// Runs write(Value&) under the exclusive borrow of self; 0 or -1.
template <typename Value, typename Write>
int write_instance(PyObject* self, const ClassDef& def, Write&& write) {
    Instance<Value>* instance = cast<Value>(self, def);
    if (instance == nullptr) {
        return -1;
    }
    ExclusiveBorrow borrow(instance->borrow);
    if (!borrow) {
        raise_already_borrowed();
        return -1;
    }
    write(instance->value);
    return 0;
}

// Common rich comparison: only == and != between two instances of the class
// are answered, by equal(a, b); everything else is NotImplemented. The other
// operand is read under a shared borrow, whose refusal raises.
template <typename Value, typename Equal>
PyObject* compare_instances(PyObject* self, PyObject* other, int op, const ClassDef& def, Equal&& equal) {
    if (op < Py_LT || op > Py_GE || !is_instance(self, def) || !is_instance(other, def)) {
        Py_RETURN_NOTIMPLEMENTED;
    }
    Instance<Value>* left = as_instance<Value>(self);
    SharedBorrow left_borrow(left->borrow);
    if (!left_borrow) {
        Py_RETURN_NOTIMPLEMENTED;
    }
    Instance<Value>* right = as_instance<Value>(other);
    SharedBorrow right_borrow(right->borrow);
    if (!right_borrow) {
        raise_already_mutably_borrowed();
        return nullptr;
    }
    if (op != Py_EQ && op != Py_NE) {
        Py_RETURN_NOTIMPLEMENTED;
    }
    const bool same = equal(std::as_const(left->value), std::as_const(right->value));
    return Py_NewRef((same == (op == Py_EQ)) ? Py_True : Py_False);
}

// Deallocation: drop the value, free the object, release the type.
template <typename Value>
void dealloc_body(PyObject* self) {
    PyTypeObject* type = Py_TYPE(self);
    auto* instance = as_instance<Value>(self);
    instance->value.~Value();
    instance->borrow.~BorrowFlag();
    type->tp_free(self);
    Py_DECREF(type);
}

template <typename Value>
inline constexpr destructor dealloc = &Guard<&dealloc_body<Value>>::call;

// The getter and setter of every PyGetSetDef; the closure is the Property.
PyObject* property_get(PyObject* self, void* closure);
int property_set(PyObject* self, PyObject* value, void* closure);

inline PyGetSetDef property_entry(const char* name, const Property& property, const char* doc = nullptr) {
    return {name, &Guard<&property_get>::call, &Guard<&property_set>::call, doc, const_cast<Property*>(&property)};
}

// Interned attribute names, created once.
PyObject* interned(OnceCell& cell, const char* text);

}  // namespace volarion::py

namespace volarion::py {

// __init__ of every class: self must be an instance and is read-borrowed for
// the call while validate() converts the arguments; nothing is stored.
template <typename Value, typename Validate>
int validate_init(PyObject* self, const ClassDef& def, Validate&& validate) {
    Instance<Value>* instance = cast<Value>(self, def);
    if (instance == nullptr) {
        return -1;
    }
    SharedBorrow borrow(instance->borrow);
    if (!borrow) {
        raise_already_mutably_borrowed();
        return -1;
    }
    return validate() ? 0 : -1;
}

// The slot entry of a function: guarded by the fault trap.
template <auto Body>
inline void* slot_function() noexcept {
    return reinterpret_cast<void*>(&Guard<Body>::call);
}

}  // namespace volarion::py
