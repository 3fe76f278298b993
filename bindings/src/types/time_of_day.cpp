#include "types/time_of_day.hpp"

#include <datetime.h>

#include <cstdint>
#include <cstdio>

#include "once_cell.hpp"
#include "py_ref.hpp"
#include "python_errors.hpp"

namespace volarion::py {

namespace {

constexpr std::uint32_t nanos_per_second = 1'000'000'000;

OnceCell datetime_capsule;

// The interpreter's datetime interface, imported once per process.
PyDateTime_CAPI* datetime_api() {
    PyObject* capsule = datetime_capsule.get_or_init([] {
        void* api = PyCapsule_Import(PyDateTime_CAPSULE_NAME, 0);
        return api != nullptr ? PyCapsule_New(api, nullptr, nullptr) : nullptr;
    });
    return capsule != nullptr ? static_cast<PyDateTime_CAPI*>(PyCapsule_GetPointer(capsule, nullptr)) : nullptr;
}

}  // namespace

bool to_time_of_day(PyObject* object, std::string_view argument, TimeOfDay& out) {
    PyDateTime_CAPI* api = datetime_api();
    if (api == nullptr) {
        return false;
    }
    if (!PyObject_TypeCheck(object, api->TimeType)) {
        raise_not_an_instance(object, "time");
        prefix_type_error(argument);
        return false;
    }
    const std::uint32_t hour = static_cast<std::uint32_t>(PyDateTime_TIME_GET_HOUR(object));
    const std::uint32_t minute = static_cast<std::uint32_t>(PyDateTime_TIME_GET_MINUTE(object));
    const std::uint32_t second = static_cast<std::uint32_t>(PyDateTime_TIME_GET_SECOND(object));
    const std::uint64_t nanos = static_cast<std::uint64_t>(PyDateTime_TIME_GET_MICROSECOND(object)) * 1000;
    const bool leap = second == 59 && nanos <= 2ULL * nanos_per_second - 1;
    if (nanos > 0xFFFFFFFFULL || hour > 23 || minute > 59 || second > 59 || (nanos >= nanos_per_second && !leap)) {
        PyErr_SetString(PyExc_ValueError, "invalid or out-of-range time");
        return false;
    }
    out.seconds = hour * 3600 + minute * 60 + second;
    out.nanoseconds = static_cast<std::uint32_t>(nanos);
    return true;
}

PyObject* from_time_of_day(TimeOfDay time) {
    PyDateTime_CAPI* api = datetime_api();
    if (api == nullptr) {
        return nullptr;
    }
    const bool leap = time.nanoseconds >= nanos_per_second;
    const std::uint32_t fraction = leap ? time.nanoseconds - nanos_per_second : time.nanoseconds;
    PyObject* result = api->Time_FromTimeAndFold(
        static_cast<int>(time.seconds / 3600), static_cast<int>(time.seconds / 60 % 60),
        static_cast<int>(time.seconds % 60), static_cast<int>(fraction / 1000), Py_None, 0, api->TimeType);
    if (result != nullptr && leap &&
        PyErr_WarnEx(PyExc_UserWarning, "ignored leap-second, `datetime` does not support leap-seconds", 0) < 0) {
        PyErr_WriteUnraisable(result);
    }
    return result;
}

void append_time_repr(std::string& out, TimeOfDay time) {
    const bool leap = time.nanoseconds >= nanos_per_second;
    const std::uint32_t fraction = leap ? time.nanoseconds - nanos_per_second : time.nanoseconds;
    char buffer[32];
    int length = std::snprintf(buffer, sizeof buffer, "%02u:%02u:%02u", time.seconds / 3600, time.seconds / 60 % 60,
                               time.seconds % 60 + (leap ? 1 : 0));
    if (fraction == 0) {
    } else if (fraction % 1'000'000 == 0) {
        length += std::snprintf(buffer + length, sizeof buffer - static_cast<std::size_t>(length), ".%03u",
                                fraction / 1'000'000);
    } else if (fraction % 1000 == 0) {
        length += std::snprintf(buffer + length, sizeof buffer - static_cast<std::size_t>(length), ".%06u",
                                fraction / 1000);
    } else {
        length += std::snprintf(buffer + length, sizeof buffer - static_cast<std::size_t>(length), ".%09u", fraction);
    }
    out.append(buffer, static_cast<std::size_t>(length));
}

}  // namespace volarion::py
