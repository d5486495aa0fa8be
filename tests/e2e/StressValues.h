#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The Run values the stress run writes: many ordinary ones, values of every odd shape the
// registry allows, and entries that point at files which are not what they claim.
namespace tolvan::e2e {

// Writes `count` values, a third for the current user and the rest for all users; every 50th
// starts the program at `fixtureExe` (a Windows path), the others programs that are not there.
[[nodiscard]] bool SeedManyValues(int count, const std::wstring& fixtureExe);

// Current-user values named "0 stress leak NNN", so that they stand at the top of the list.
[[nodiscard]] bool SeedLeakValues(int count);
inline constexpr wchar_t kLeakPrefix[] = L"0 stress leak ";

struct OddValue {
    std::wstring what; // for the report
    HKEY root;
    std::wstring name;
    DWORD type;
    std::vector<std::uint8_t> data;
    std::wstring listed; // the list line the tool owes for it
    REGSAM view = 0;     // KEY_WOW64_32KEY for the 32-bit programs' Run key
};

// A name of 16,383 characters, a command of 1 MiB, characters outside the BMP, lone surrogates,
// string data of an odd size, with embedded NULs or without a terminator, a name of spaces, the
// unnamed default value, and expandable commands too long to expand or naming no variable.
[[nodiscard]] const std::vector<OddValue>& OddValues();

// Values pointing at C:\stress\bad\: an empty file, a text file, a cut program and a folder, all
// named like programs; with the status line the details panel owes for each.
struct BadFileValue {
    std::wstring name;
    std::wstring command;
    std::wstring status;
};
[[nodiscard]] const std::vector<BadFileValue>& BadFileValues();

[[nodiscard]] bool WriteOddValues();
[[nodiscard]] bool WriteBadFileValues();

// A text with every character outside printable ASCII written as \uXXXX, cut to `limit`.
[[nodiscard]] std::wstring Escaped(const std::wstring& text, std::size_t limit = 100);

} // namespace tolvan::e2e
