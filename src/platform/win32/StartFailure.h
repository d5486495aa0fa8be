#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace platform::win32 {

// What keeps the program from starting at all: a library of Windows it cannot do without did not
// load, or the loader could not be told to keep to the system folder. The program entry point
// tells it in a box of its own and ends.
class StartFailure : public std::runtime_error {
public:
    // `what` says, in English, what could not be done; `error` is Windows' code for why.
    StartFailure(const std::string& what, DWORD error) : std::runtime_error(what), error_(error) {}

    [[nodiscard]] DWORD Error() const noexcept { return error_; }

private:
    DWORD error_;
};

} // namespace platform::win32
