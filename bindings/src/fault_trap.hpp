// The fault trap around every entry point: Python exceptions pass through as
// the slot's error value, and a C++ exception (a broken invariant, which must
// never cross into the interpreter) becomes PanicException, or MemoryError for
// an allocation failure.
#pragma once

#include <Python.h>

#include <string_view>
#include <type_traits>

namespace volarion::py {

// The module's internal-fault exception type, a BaseException subclass,
// created once per process. Borrowed; null with an exception set on failure.
PyObject* panic_exception_type();

// Sets PanicException with the message.
void raise_panic(std::string_view message);

// Turns the C++ exception being handled into a Python exception. A failure
// while doing so cannot be reported and aborts the process.
void raise_current_exception() noexcept;

// Reports the C++ exception being handled, or a pending Python exception,
// through the unraisable hook (deallocation cannot raise).
void report_current_exception_unraisable(PyObject* object) noexcept;

template <auto Body>
struct Guard;

// Guard<&body>::call has the signature of body and never lets an exception
// out: an entry point's slot function. For a void body (deallocation) the
// fault is reported as unraisable.
template <typename R, typename... Args, R (*Body)(Args...)>
struct Guard<Body> {
    static R call(Args... args) noexcept {
        try {
            return Body(args...);
        } catch (...) {
            if constexpr (std::is_void_v<R>) {
                // Deallocation: nothing to return the error to.
                report_current_exception_unraisable(nullptr);
            } else if constexpr (std::is_pointer_v<R>) {
                raise_current_exception();
                return nullptr;
            } else {
                raise_current_exception();
                return -1;
            }
        }
    }
};

}  // namespace volarion::py
