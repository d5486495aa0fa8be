#pragma once

#include "StartFailure.h"
#include "platform/UniqueHandle.h"

#include <windows.h>

#include <string>

namespace platform::win32 {

// A library of Windows loaded at run time from the system folder, and freed with the object.
//
// The program runs elevated from wherever it was unpacked, typically a downloads folder, where
// anyone may have left a library named as one of Windows'. A library the program imports, or
// loads by bare name, is looked for in the program's folder before the system folder unless
// Windows knows it (the "known DLLs"); so every library outside that list is loaded here, by
// name, from the system folder only, and so are the libraries it brings with it. A library of
// the side-by-side store, such as common controls 6, still comes from the copy the manifest
// names: that redirection comes before any folder is searched.
class SystemLibrary {
public:
    // Loads `fileName`, a bare name such as L"version.dll". Whether it loaded says Loaded();
    // GetLastError() right after tells why not.
    explicit SystemLibrary(const wchar_t* fileName) noexcept
        : fileName_(fileName),
          library_(LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)),
          loadError_(library_ ? ERROR_SUCCESS : GetLastError())
    {
    }

    [[nodiscard]] bool Loaded() const noexcept { return static_cast<bool>(library_); }

    // The exported function of that name, which the program cannot start without: a library
    // that did not load, or lacks it, is a StartFailure.
    template <typename Function> [[nodiscard]] Function Require(const char* name) const
    {
        if (!library_) {
            throw StartFailure("cannot load " + Narrow(fileName_) + " from the system folder",
                               loadError_);
        }
        const auto function = Find<Function>(name);
        if (function == nullptr) {
            throw StartFailure(Narrow(fileName_) + " has no " + name, GetLastError());
        }
        return function;
    }

    // The exported function of that name as `Function`, a pointer to a function of its exact
    // type; null when the library did not load or exports no such function.
    template <typename Function> [[nodiscard]] Function Find(const char* name) const noexcept
    {
        if (!library_) {
            return nullptr;
        }
        return reinterpret_cast<Function>(
            reinterpret_cast<void*>(GetProcAddress(library_.get(), name)));
    }

private:
    // Library names are ASCII.
    static std::string Narrow(const wchar_t* name)
    {
        std::string narrow;
        for (; *name != L'\0'; ++name) {
            narrow += static_cast<char>(*name);
        }
        return narrow;
    }

    const wchar_t* fileName_;
    struct LibraryTraits {
        using pointer = HMODULE;
        static constexpr pointer Invalid() noexcept { return nullptr; }
        static void Close(pointer library) noexcept { FreeLibrary(library); }
    };
    UniqueHandle<LibraryTraits> library_;
    DWORD loadError_;
};

} // namespace platform::win32
