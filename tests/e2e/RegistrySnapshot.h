#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The registry keys the tool reads and writes, captured value by value with their exact bytes, so
// that a run can be checked for changes and the keys put back as they were.
namespace tolvan::e2e {

struct WatchedKey {
    const wchar_t* label; // as it appears in snapshot files and reports
    HKEY root;
    const wchar_t* path;
};

// The three Run keys (the machine's in both views), the tool's settings key and Wine's X11 settings
// of the current user.
[[nodiscard]] const std::vector<WatchedKey>& WatchedKeys();

struct StoredValue {
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

// One key: absent, or its values by name (names compared as stored, code unit by code unit).
struct KeySnapshot {
    bool exists = false;
    std::map<std::wstring, StoredValue> values;
};

using Snapshot = std::map<std::wstring, KeySnapshot>; // by key label

[[nodiscard]] Snapshot TakeSnapshot();
// Files hold one line per value: label, type, name and data, the last two as hex bytes.
[[nodiscard]] bool SaveSnapshot(const Snapshot& snapshot, const std::wstring& file);
[[nodiscard]] bool LoadSnapshot(const std::wstring& file, Snapshot& snapshot);

// Makes the keys hold exactly what the snapshot holds: missing keys made, absent ones deleted,
// values added, rewritten or removed. False when any step failed.
[[nodiscard]] bool RestoreSnapshot(const Snapshot& snapshot);

// One line per difference, readable: "removed LABEL NAME", "added LABEL NAME: DATA",
// "changed LABEL NAME: OLD -> NEW", "key removed LABEL", "key added LABEL".
[[nodiscard]] std::vector<std::wstring> Differences(const Snapshot& before, const Snapshot& after);

} // namespace tolvan::e2e
