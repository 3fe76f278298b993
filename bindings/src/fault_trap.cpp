#include "fault_trap.hpp"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <string>

#include "once_cell.hpp"
#include "python_errors.hpp"

namespace volarion::py {

namespace {

OnceCell panic_type_cell;

constexpr const char* panic_doc =
    "The exception raised when native code called from Python panics.\n"
    "\n"
    "Like SystemExit, this exception is derived from BaseException so that\n"
    "it will typically propagate all the way through the stack and cause the\n"
    "Python interpreter to exit.";

constexpr std::string_view generic_fault_message = "native code panicked without a message";

[[noreturn]] void abort_at_boundary() noexcept {
    std::fputs("uncaught panic at ffi boundary\n", stderr);
    std::abort();
}

void raise_from(std::exception_ptr fault) {
    try {
        std::rethrow_exception(fault);
    } catch (const std::bad_alloc&) {
        PyErr_NoMemory();
    } catch (const std::exception& error) {
        std::string_view message = error.what();
        raise_panic(message.empty() ? generic_fault_message : message);
    } catch (...) {
        raise_panic(generic_fault_message);
    }
}

}  // namespace

PyObject* panic_exception_type() {
    return panic_type_cell.get_or_init([] {
        return PyErr_NewExceptionWithDoc("volarion_native.PanicException", panic_doc, PyExc_BaseException, nullptr);
    });
}

void raise_panic(std::string_view message) {
    PyObject* type = panic_exception_type();
    if (type == nullptr) {
        return;  // the failure to create the type is the pending exception
    }
    raise_text(type, message);
}

void raise_current_exception() noexcept {
    try {
        raise_from(std::current_exception());
    } catch (...) {
        abort_at_boundary();
    }
}

void report_current_exception_unraisable(PyObject* object) noexcept {
    try {
        if (std::current_exception()) {
            raise_from(std::current_exception());
        }
        if (PyErr_Occurred()) {
            PyErr_WriteUnraisable(object);
        }
    } catch (...) {
        abort_at_boundary();
    }
}

}  // namespace volarion::py
