#pragma once

#include <objbase.h>

namespace platform::win32 {

// COM on the calling thread for the length of one call. The shell's objects and the extensions
// it hands requests to expect a single-threaded apartment, which is what the user-interface
// thread is. When the thread already belongs to another kind of apartment, joining fails and the
// call goes on in the one the thread has; only a successful join is undone.
class ComApartment {
public:
    ComApartment() noexcept
        : joined_(
              SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
    {
    }
    ~ComApartment()
    {
        if (joined_) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ComApartment(ComApartment&&) = delete;
    ComApartment& operator=(ComApartment&&) = delete;

private:
    bool joined_;
};

} // namespace platform::win32
