#pragma once

#include <cstdint>
#include <string>

namespace modTolvan {

// One startup entry: a string value under a Run key, with what the tool works out about it.
struct RunEntry {
    std::int32_t TopKey = 0;  // root the value lives under (0x80000001 or 0x80000002)
    std::wstring DisplayText; // the line shown in the list; the sort key
    std::wstring Name;        // the value name
    std::wstring Value;       // the command line, without the stored terminating NUL
    std::wstring ExePath;     // the executable the command starts; empty when unknown
    std::wstring Arguments;   // the rest of the command, trimmed
    std::wstring ProductName; // the executable's version texts, trimmed
    std::wstring CompanyName;
    std::wstring LegalCopyright;
    std::wstring FileDescription;
};

} // namespace modTolvan
