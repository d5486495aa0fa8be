#pragma once

#include "SystemLibrary.h"
#include "platform/ErrorCode.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace platform::win32 {

// The value calls of ntdll, which take a value's name as a counted string. The Reg*W functions
// take a name up to its first NUL, so a value whose name holds a NUL (which the registry allows,
// and which programs that hide from lists write on purpose) can be neither read, written nor
// deleted through them: the cut name is another value. ntdll is looked up once, when the object
// is made; a Windows without these functions cannot run the program (StartFailure). Results are
// Windows error codes, as the Reg*W functions give them.
class NativeValueCalls {
public:
    NativeValueCalls();

    // As RegQueryValueExW: with `data` null only the type and size; 234 with the type and the
    // needed size when the data does not fit.
    [[nodiscard]] ErrorCode Query(HKEY key, std::wstring_view name, std::uint32_t* type,
                                  std::byte* data, std::uint32_t* dataSize) const noexcept;
    [[nodiscard]] ErrorCode Set(HKEY key, std::wstring_view name, std::uint32_t type,
                                std::span<const std::byte> data) const noexcept;
    [[nodiscard]] ErrorCode Delete(HKEY key, std::wstring_view name) const noexcept;

private:
    struct CountedName {
        USHORT length;        // in bytes
        USHORT maximumLength; // in bytes
        const wchar_t* buffer;
    };
    using Status = LONG;
    using QueryFunction = Status(NTAPI*)(HANDLE, const CountedName*, ULONG, PVOID, ULONG, PULONG);
    using SetFunction = Status(NTAPI*)(HANDLE, const CountedName*, ULONG, ULONG, const void*,
                                       ULONG);
    using DeleteFunction = Status(NTAPI*)(HANDLE, const CountedName*);
    using ErrorFunction = ULONG(NTAPI*)(Status);

    // The name as ntdll takes it; false when it is too long for a counted string.
    static bool Count(std::wstring_view name, CountedName& counted) noexcept;
    [[nodiscard]] ErrorCode ErrorOf(Status status) const noexcept;

    SystemLibrary library_;
    QueryFunction query_;
    SetFunction set_;
    DeleteFunction delete_;
    ErrorFunction toError_;
};

} // namespace platform::win32
