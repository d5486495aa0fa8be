#include "FileByteSource.h"

#include <exception>
#include <limits>

namespace platform::portable {

std::unique_ptr<FileByteSource> FileByteSource::Open(const std::filesystem::path& path) noexcept
{
    try {
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error) || error) {
            return nullptr;
        }
        const std::uintmax_t size = std::filesystem::file_size(path, error);
        if (error) {
            return nullptr;
        }
        auto source = std::make_unique<FileByteSource>();
        source->stream_.open(path, std::ios::binary);
        if (!source->stream_) {
            return nullptr;
        }
        source->size_ = size;
        return source;
    } catch (const std::exception&) {
        return nullptr;
    }
}

bool FileByteSource::Read(std::uint64_t offset, std::span<std::byte> out) const noexcept
{
    if (offset > size_ || size_ - offset < out.size() ||
        offset > static_cast<std::uint64_t>(std::numeric_limits<std::streamoff>::max()) ||
        out.size() > static_cast<std::size_t>(std::numeric_limits<std::streamsize>::max())) {
        return false;
    }
    try {
        stream_.clear();
        stream_.seekg(static_cast<std::streamoff>(offset));
        stream_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
        return stream_.gcount() == static_cast<std::streamsize>(out.size());
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace platform::portable
