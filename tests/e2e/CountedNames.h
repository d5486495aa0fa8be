#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Run values whose names hold NULs, as a program that hides a value writes them: with ntdll's
// NtSetValueKey, which takes the name counted. In the names here | stands for a NUL.
namespace tolvan::e2e {

[[nodiscard]] bool SetCountedValue(HKEY root, const wchar_t* path, const std::wstring& name,
                                   const std::wstring& command);

// The key's value names as the registry counts them, each NUL written as |.
[[nodiscard]] std::vector<std::wstring> CountedNames(HKEY root, const wchar_t* path);

} // namespace tolvan::e2e
