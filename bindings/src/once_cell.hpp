// Process-wide cell filled once with a Python object that then lives until
// the process ends (type objects, enumeration members, interned names).
#pragma once

#include <Python.h>

#include <atomic>

namespace volarion::py {

class OnceCell {
public:
    constexpr OnceCell() noexcept = default;
    OnceCell(const OnceCell&) = delete;
    OnceCell& operator=(const OnceCell&) = delete;

    // The object, or null while the cell is empty. Borrowed: the cell keeps
    // its reference forever.
    PyObject* get() const noexcept { return value_.load(std::memory_order_acquire); }

    // Returns the object, creating it with make() (a new reference, or null
    // with an exception set) if the cell is empty. One thread creates; the
    // others block on the mutex, detached from the interpreter so that the
    // creator can run Python code meanwhile. A failure leaves the cell empty.
    template <typename Make>
    PyObject* get_or_init(Make&& make) {
        if (PyObject* ready = get()) {
            return ready;
        }
        struct Lock {
            PyMutex& mutex;
            explicit Lock(PyMutex& m) : mutex(m) { PyMutex_Lock(&mutex); }
            Lock(const Lock&) = delete;
            Lock& operator=(const Lock&) = delete;
            ~Lock() { PyMutex_Unlock(&mutex); }
        } lock(mutex_);
        PyObject* result = get();
        if (result == nullptr) {
            result = make();
            if (result != nullptr) {
                value_.store(result, std::memory_order_release);
            }
        }
        return result;
    }

    // Empties the cell, dropping its object; only for undoing a creation that
    // failed half-way, while no other thread can have seen the object.
    void reset() noexcept {
        PyObject* old = value_.exchange(nullptr, std::memory_order_acq_rel);
        Py_XDECREF(old);
    }

private:
    std::atomic<PyObject*> value_{nullptr};
    PyMutex mutex_{};
};

}  // namespace volarion::py
