#pragma once

#include <windows.h>

#include <string>

// What the tool's process holds: kernel handles, GDI objects and USER objects, each read in every
// way this system offers. A counter the system does not provide reads -1.
namespace tolvan::e2e {

struct ResourceCounts {
    long long handles = -1;     // GetProcessHandleCount
    long long handleList = -1;  // the process's entries in the system's list of handles
    long long gdiObjects = -1;  // GetGuiResources(GR_GDIOBJECTS)
    long long userObjects = -1; // GetGuiResources(GR_USEROBJECTS)
    long long gdiTable = -1;    // live entries of the process's GDI handle table
    long long windows = -1;     // windows of the process, top-level and child
};

[[nodiscard]] ResourceCounts CountResources(HWND main);
[[nodiscard]] std::wstring Describe(const ResourceCounts& counts);

} // namespace tolvan::e2e
