#include "Utf16.h"

#include <cstdint>

namespace platform {
namespace {

constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

void AppendUnit(std::vector<std::byte>& out, std::uint32_t unit)
{
    out.push_back(static_cast<std::byte>(unit & 0xFFu));
    out.push_back(static_cast<std::byte>((unit >> 8) & 0xFFu));
}

bool IsHighSurrogate(std::uint32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(std::uint32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

std::vector<std::byte> ToUtf16Le(std::wstring_view text)
{
    std::vector<std::byte> out;
    out.reserve(text.size() * 2);
    for (const wchar_t ch : text) {
        const auto point = static_cast<std::uint32_t>(ch);
        if (!kWideIsUtf16 && point > 0xFFFF && point <= 0x10FFFF) {
            const std::uint32_t offset = point - 0x10000;
            AppendUnit(out, 0xD800 + (offset >> 10));
            AppendUnit(out, 0xDC00 + (offset & 0x3FF));
        } else {
            AppendUnit(out, point & 0xFFFF);
        }
    }
    return out;
}

std::wstring FromUtf16Le(std::span<const std::byte> bytes)
{
    std::wstring text;
    const std::size_t units = bytes.size() / 2;
    text.reserve(units);
    for (std::size_t i = 0; i < units; ++i) {
        const auto unit = static_cast<std::uint32_t>(bytes[2 * i]) |
                          (static_cast<std::uint32_t>(bytes[2 * i + 1]) << 8);
        if (!kWideIsUtf16 && IsHighSurrogate(unit) && i + 1 < units) {
            const auto next = static_cast<std::uint32_t>(bytes[2 * i + 2]) |
                              (static_cast<std::uint32_t>(bytes[2 * i + 3]) << 8);
            if (IsLowSurrogate(next)) {
                text.push_back(
                    static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00)));
                ++i;
                continue;
            }
        }
        text.push_back(static_cast<wchar_t>(unit));
    }
    return text;
}

std::wstring FromLatin1(std::string_view text)
{
    std::wstring wide;
    wide.reserve(text.size());
    for (const char byte : text) {
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(byte)));
    }
    return wide;
}

} // namespace platform
