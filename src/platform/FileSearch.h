#pragma once

#include <string_view>

namespace platform {

// The file system's search for entries matching a name, as FindFirstFileW reads it: a full or
// relative path whose last component may hold the wildcards * and ?.
class FileSearch {
public:
    virtual ~FileSearch() = default;

    // True when at least one entry matches and is a file rather than a folder (hidden, system and
    // read-only files count). An invalid name, an unreachable drive or any other failure: false.
    [[nodiscard]] virtual bool AnyFileMatches(std::wstring_view pattern) noexcept = 0;
};

} // namespace platform
