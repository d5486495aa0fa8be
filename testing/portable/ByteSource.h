#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace platform::portable {

// Random access to the bytes of a file or of a buffer, so that a large file is read only where
// the parser looks.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    [[nodiscard]] virtual std::uint64_t Size() const noexcept = 0;
    // Fills `out` from `offset`; false, with `out` unspecified, when the range is not wholly
    // inside or cannot be read.
    [[nodiscard]] virtual bool Read(std::uint64_t offset,
                                    std::span<std::byte> out) const noexcept = 0;
};

class SpanByteSource final : public ByteSource {
public:
    explicit SpanByteSource(std::span<const std::byte> bytes) noexcept : bytes_(bytes) {}

    std::uint64_t Size() const noexcept override { return bytes_.size(); }
    bool Read(std::uint64_t offset, std::span<std::byte> out) const noexcept override;

private:
    std::span<const std::byte> bytes_;
};

} // namespace platform::portable
