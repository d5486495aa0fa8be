#pragma once

#include <windows.h>

#include <exception>
#include <string_view>

namespace platform::win32 {

// Windows would not make a window or register a window class: throws std::system_error with
// Windows' error code (read by the caller right after the call that failed) and what could not be
// made, in UTF-8.
[[noreturn]] void ThrowCreationFailure(DWORD error, std::wstring_view what);

// Where a window procedure failed: the message it was handling and the form whose window got it.
struct FailureSite {
    UINT message = 0;
    std::wstring_view form;
};

// Writes "Tolvan: <what()> (window message 0x0111 in form <name>)<remark>" for a debugger to show.
// It runs while an exception is being handled inside a window procedure that must not throw, so it
// allocates nothing and shortens what does not fit.
void WriteFailure(const std::exception_ptr& failure, const FailureSite& site,
                  std::wstring_view remark) noexcept;

} // namespace platform::win32
