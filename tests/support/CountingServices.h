#pragma once

#include "ForwardingVersionResources.h"
#include "platform/FileSearch.h"

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

    bool AnyFileMatches(const platform::NulTerminated& pattern) noexcept override
    {
        try {
            const std::scoped_lock lock(patternsGuard_);
            patterns.emplace_back(pattern);
        } catch (...) {
            // The count is for the test's eyes only.
        }
        return inner_.AnyFileMatches(pattern);
    }

    std::optional<platform::FileStamp>
    StampOf(const platform::NulTerminated& path) noexcept override
    {
        return inner_.StampOf(path);
    }
    std::optional<std::uint64_t>
    FolderWriteTime(const platform::NulTerminated& folder) noexcept override
    {
        return inner_.FolderWriteTime(folder);
    }
    platform::ErrorCode WriteWholeFile(const platform::NulTerminated& path,
                                       std::span<const std::byte> bytes) noexcept override
    {
        return inner_.WriteWholeFile(path, bytes);
    }

    std::vector<std::wstring> patterns; // read once the searching is done

private:
    platform::FileSearch& inner_;
    std::mutex patternsGuard_;
};

// Passes every version call on and counts the ones that name a file, from whichever thread.
class CountingVersionResources final : public ForwardingVersionResources {
public:
    using ForwardingVersionResources::ForwardingVersionResources;

    std::uint32_t VersionResourceSize(const platform::NulTerminated& fileName) noexcept override
    {
        ++fileCalls;
        return ForwardingVersionResources::VersionResourceSize(fileName);
    }
    bool ReadVersionResource(const platform::NulTerminated& fileName,
                             std::span<std::byte> data) noexcept override
    {
        ++fileCalls;
        return ForwardingVersionResources::ReadVersionResource(fileName, data);
    }

    std::atomic<long long> fileCalls{0};
};

} // namespace tolvan::test
