#include "ResourceCounters.h"

#include "OwnedHandles.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>
#include <winternl.h>

namespace tolvan::e2e {
namespace {

// Where a 64-bit process keeps the address of its GDI handle table, and the table's shape:
// 65,536 entries of 24 bytes, the object type in byte 14, 0 for a free entry. Wine keeps one
// table per process there; Windows shares one table among all processes.
constexpr std::size_t kPebGdiTableOffset = 0xF8;
constexpr std::size_t kGdiEntries = 0x10000;
constexpr std::size_t kGdiEntrySize = 24;
constexpr std::size_t kGdiTypeOffset = 14;
constexpr std::size_t kGdiOwnerOffset = 8;

using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
using QuerySystem = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);

// The system's list of open handles (SystemExtendedHandleInformation): a count and a reserved
// word, then entries of 40 bytes, the owning process id at byte 8.
constexpr ULONG kExtendedHandleInformation = 64;
constexpr std::size_t kHandleListHeader = 16;
constexpr std::size_t kHandleEntrySize = 40;
constexpr std::size_t kHandleOwnerOffset = 8;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

// Counted from the system's handle list, for systems whose GetProcessHandleCount answers nothing.
long long HandlesInSystemList(DWORD processId)
{
    const auto query = reinterpret_cast<QuerySystem>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr) {
        return -1;
    }
    std::vector<std::uint8_t> buffer(1 << 20);
    NTSTATUS status = kInfoLengthMismatch;
    for (int attempt = 0; attempt < 8 && status == kInfoLengthMismatch; ++attempt) {
        ULONG needed = 0;
        status = query(kExtendedHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                       &needed);
        if (status == kInfoLengthMismatch) {
            buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
        }
    }
    if (status != 0) {
        return -1;
    }
    std::uint64_t entries = 0;
    std::memcpy(&entries, buffer.data(), sizeof(entries));
    if (kHandleListHeader + entries * kHandleEntrySize > buffer.size()) {
        return -1;
    }
    long long owned = 0;
    for (std::uint64_t i = 0; i < entries; ++i) {
        std::uint64_t owner = 0;
        std::memcpy(&owner,
                    buffer.data() + kHandleListHeader + i * kHandleEntrySize + kHandleOwnerOffset,
                    sizeof(owner));
        owned += owner == processId ? 1 : 0;
    }
    return owned > 0 ? owned : -1;
}

long long GdiTableEntries(HANDLE process, DWORD processId)
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (query == nullptr ||
        query(process, ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0) {
        return -1;
    }
    std::uint64_t table = 0;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process,
                           reinterpret_cast<const std::uint8_t*>(basic.PebBaseAddress) +
                               kPebGdiTableOffset,
                           &table, sizeof(table), &read) ||
        table == 0) {
        return -1;
    }
    std::vector<std::uint8_t> entries(kGdiEntries * kGdiEntrySize);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                           entries.size(), &read) ||
        read != entries.size()) {
        return -1;
    }
    long long live = 0;
    for (std::size_t i = 0; i < kGdiEntries; ++i) {
        const std::uint8_t* entry = entries.data() + i * kGdiEntrySize;
        const auto owner =
            static_cast<DWORD>(entry[kGdiOwnerOffset] | (entry[kGdiOwnerOffset + 1] << 8));
        // A shared table (Windows) names each entry's process; a private one (Wine) need not.
        if (entry[kGdiTypeOffset] != 0 && (owner == 0 || owner == (processId & 0xFFFF))) {
            ++live;
        }
    }
    return live;
}

struct WindowCount {
    DWORD process;
    long long count;
};

BOOL CALLBACK CountChild(HWND window, LPARAM param)
{
    (void)window;
    ++reinterpret_cast<WindowCount*>(param)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM param)
{
    auto& counted = *reinterpret_cast<WindowCount*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == counted.process) {
        ++counted.count;
        EnumChildWindows(window, CountChild, param);
    }
    return TRUE;
}

} // namespace

ResourceCounts CountResources(HWND main)
{
    ResourceCounts counts;
    DWORD processId = 0;
    GetWindowThreadProcessId(main, &processId);
    OwnedProcess process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) {
        return counts;
    }
    // A running process always holds some handles, so 0 means the call is not implemented.
    if (DWORD handles = 0; GetProcessHandleCount(process.get(), &handles) && handles != 0) {
        counts.handles = handles;
    }
    counts.handleList = HandlesInSystemList(processId);
    // 0 is no answer: the process has windows, fonts and brushes, so a working counter is above 0.
    if (const DWORD gdi = GetGuiResources(process.get(), GR_GDIOBJECTS); gdi != 0) {
        counts.gdiObjects = gdi;
    }
    if (const DWORD user = GetGuiResources(process.get(), GR_USEROBJECTS); user != 0) {
        counts.userObjects = user;
    }
    counts.gdiTable = GdiTableEntries(process.get(), processId);
    WindowCount windows{processId, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    counts.windows = windows.count;
    return counts;
}

std::wstring Describe(const ResourceCounts& counts)
{
    const auto shown = [](long long value) {
        return value < 0 ? std::wstring(L"n/a") : std::to_wstring(value);
    };
    return L"handles=" + shown(counts.handles) + L" handle-list=" + shown(counts.handleList) +
           L" gdi=" + shown(counts.gdiObjects) + L" user=" + shown(counts.userObjects) +
           L" gdi-table=" + shown(counts.gdiTable) + L" windows=" + shown(counts.windows);
}

} // namespace tolvan::e2e
