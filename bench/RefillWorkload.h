#pragma once

#include "entries/EntryTable.h"
#include "entries/ParallelWork.h"
#include "platform/Platform.h"
#include "registry/RegistryValues.h"

#include <filesystem>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tolvan::bench {

// Maps a Windows path of drive C: to where it lives on this machine.
using HostPathOf = std::function<std::filesystem::path(std::wstring_view windowsPath)>;

// N Run values, a third in each scope's Run key, in the mix a real machine shows: quoted paths
// with arguments, plain paths with switches, bare names found in System32, an expandable
// command, and programs that are gone. Each names a program file of its own, a copy of one of
// the fixture programs placed on drive C:; everything written is removed again when the workload
// ends. The Run keys belong to the workload: values an interrupted earlier run left behind are
// removed first, so that they are not measured too.
class RefillWorkload {
public:
    RefillWorkload(platform::Platform& platform, HostPathOf hostPathOf, int count);
    ~RefillWorkload();
    RefillWorkload(const RefillWorkload&) = delete;
    RefillWorkload& operator=(const RefillWorkload&) = delete;

    // The refill as the main window runs it, by the table the workload keeps, which knows the
    // version texts of the programs its last refill read; returns the number of entries.
    std::size_t Refill();

    // The first refill of a table: every program file read, on this many worker threads (none:
    // on the calling thread alone). Returns the number of entries.
    std::size_t ColdRefill(unsigned workerThreads = entries::DefaultWorkerThreads());

    // Changes the command of the first value to name another program, one that no value named
    // before, so that the next Refill finds exactly one new file.
    void ChangeOneValue();

    // The least any refill must do for these values: enumerate the three Run keys, read every value
    // and read the version texts of the program it names (known beforehand, not worked out).
    // Returns the number of values read.
    std::size_t Floor();

    [[nodiscard]] int Count() const noexcept { return count_; }

private:
    void EmptyRunKeys() noexcept;
    void PlaceFiles();
    void WriteValues();
    void RemoveValues() noexcept;
    std::size_t ReadKey(const registry::KeyPath& path, std::vector<wchar_t>& nameBuffer);

    platform::Platform& platform_;
    entries::EntryTable table_{platform_};
    HostPathOf hostPathOf_;
    int count_;
    struct Value {
        entries::Scope scope;
        std::wstring name;
        std::wstring command;
        std::uint32_t type;
    };
    std::vector<Value> values_;
    std::unordered_map<std::wstring, std::wstring> programOf_; // value name -> executable
    std::vector<std::filesystem::path> placed_;
    std::size_t switches_ = 0;
};

} // namespace tolvan::bench
