#pragma once

#include "platform/FileSearch.h"
#include "platform/VersionResources.h"

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace tolvan::test {

// Passes every search and stamp on and remembers the patterns searched for, from whichever thread.
class CountingFileSearch final : public platform::FileSearch {
public:
    explicit CountingFileSearch(platform::FileSearch& inner) noexcept : inner_(inner) {}

    bool AnyFileMatches(std::wstring_view pattern) noexcept override
    {
        try {
            const std::scoped_lock lock(patternsGuard_);
            patterns.emplace_back(pattern);
        } catch (...) {
            // The count is for the test's eyes only.
        }
        return inner_.AnyFileMatches(pattern);
    }

    std::optional<platform::FileStamp> StampOf(std::wstring_view path) noexcept override
    {
        return inner_.StampOf(path);
    }

    std::vector<std::wstring> patterns; // read once the searching is done

private:
    platform::FileSearch& inner_;
    std::mutex patternsGuard_;
};

// Passes every version call on and counts the ones that name a file, from whichever thread.
class CountingVersionResources final : public platform::VersionResources {
public:
    explicit CountingVersionResources(platform::VersionResources& inner) noexcept : inner_(inner) {}

    platform::ModuleHandle ModuleHandleOf(std::wstring_view moduleName) noexcept override
    {
        return inner_.ModuleHandleOf(moduleName);
    }
    platform::ModuleHandle RunningModule() noexcept override { return inner_.RunningModule(); }
    std::uint32_t ModuleFileName(platform::ModuleHandle module,
                                 std::span<wchar_t> buffer) noexcept override
    {
        return inner_.ModuleFileName(module, buffer);
    }
    std::uint32_t VersionResourceSize(std::wstring_view fileName) noexcept override
    {
        ++fileCalls;
        return inner_.VersionResourceSize(fileName);
    }
    bool ReadVersionResource(std::wstring_view fileName,
                             std::span<std::byte> data) noexcept override
    {
        ++fileCalls;
        return inner_.ReadVersionResource(fileName, data);
    }
    bool QueryVersionValue(std::span<const std::byte> data, std::wstring_view subBlock,
                           platform::VersionValue& value) noexcept override
    {
        return inner_.QueryVersionValue(data, subBlock, value);
    }

    std::atomic<long long> fileCalls{0};

private:
    platform::VersionResources& inner_;
};

} // namespace tolvan::test
