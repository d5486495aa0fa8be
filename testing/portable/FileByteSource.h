#pragma once

#include "ByteSource.h"

#include <filesystem>
#include <fstream>
#include <memory>

namespace platform::portable {

// A regular file opened for reading. Folders and anything else that is not a plain file are
// refused at opening.
class FileByteSource final : public ByteSource {
public:
    // An empty source; Open gives one that reads a file.
    FileByteSource() = default;

    // Nothing when the path is not a regular file or cannot be opened.
    [[nodiscard]] static std::unique_ptr<FileByteSource>
    Open(const std::filesystem::path& path) noexcept;

    std::uint64_t Size() const noexcept override { return size_; }
    bool Read(std::uint64_t offset, std::span<std::byte> out) const noexcept override;

private:
    mutable std::ifstream stream_;
    std::uint64_t size_ = 0;
};

} // namespace platform::portable
