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

std::string ToUtf8(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        auto point = static_cast<std::uint32_t>(text[at]);
        if (kWideIsUtf16 && IsHighSurrogate(point) && at + 1 < text.size() &&
            IsLowSurrogate(static_cast<std::uint32_t>(text[at + 1]))) {
            point = 0x10000 + ((point - 0xD800) << 10) +
                    (static_cast<std::uint32_t>(text[++at]) - 0xDC00);
        } else if (IsHighSurrogate(point) || IsLowSurrogate(point) || point > 0x10FFFF) {
            point = 0xFFFD;
        }
        if (point < 0x80) {
            out += static_cast<char>(point);
        } else if (point < 0x800) {
            out += static_cast<char>(0xC0 | (point >> 6));
            out += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            out += static_cast<char>(0xE0 | (point >> 12));
            out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (point >> 18));
            out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return out;
}

} // namespace platform
