#include "CountedNames.h"

#include "OwnedHandles.h"

#include <algorithm>
#include <winternl.h>

namespace tolvan::e2e {

using SetValueKey = NTSTATUS(NTAPI*)(HANDLE, PUNICODE_STRING, ULONG, ULONG, PVOID, ULONG);

bool SetCountedValue(HKEY root, const wchar_t* path, const std::wstring& name,
                     const std::wstring& command)
{
    const auto setValue = reinterpret_cast<SetValueKey>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtSetValueKey")));
    HKEY raw = nullptr;
    if (setValue == nullptr || RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                               &raw, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const OwnedKey key(raw);
    std::wstring counted = name;
    std::ranges::replace(counted, L'|', L'\0');
    std::wstring data = command + L'\0';
    UNICODE_STRING nameString{static_cast<USHORT>(counted.size() * 2),
                              static_cast<USHORT>(counted.size() * 2), counted.data()};
    return setValue(key.get(), &nameString, 0, REG_SZ, data.data(),
                    static_cast<ULONG>(data.size() * 2)) == 0;
}

std::vector<std::wstring> CountedNames(HKEY root, const wchar_t* path)
{
    std::vector<std::wstring> names;
    HKEY raw = nullptr;
    if (RegOpenKeyExW(root, path, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) {
        return names;
    }
    const OwnedKey key(raw);
    std::vector<wchar_t> name(16384);
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumValueW(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS) {
            return names;
        }
        std::ranges::replace(name.begin(), name.begin() + length, L'\0', L'|');
        names.emplace_back(name.data(), length);
    }
}

} // namespace tolvan::e2e
