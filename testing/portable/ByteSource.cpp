#include "ByteSource.h"

#include <algorithm>

namespace platform::portable {

bool SpanByteSource::Read(std::uint64_t offset, std::span<std::byte> out) const noexcept
{
    if (offset > bytes_.size() || bytes_.size() - offset < out.size()) {
        return false;
    }
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return true;
}

} // namespace platform::portable
