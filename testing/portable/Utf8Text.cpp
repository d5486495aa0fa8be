#include "Utf8Text.h"

#include <cstdint>

namespace platform::portable {
namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;
constexpr std::uint32_t kLastCodePoint = 0x10FFFF;
constexpr std::uint32_t kFirstSurrogate = 0xD800;
constexpr std::uint32_t kFirstLowSurrogate = 0xDC00;
constexpr std::uint32_t kLastSurrogate = 0xDFFF;
constexpr std::uint32_t kFirstSupplementary = 0x10000;

constexpr bool kUtf16Units = sizeof(wchar_t) == 2;

bool IsSurrogate(std::uint32_t point) noexcept
{
    return point >= kFirstSurrogate && point <= kLastSurrogate;
}

void AppendUtf8(std::string& out, std::uint32_t point)
{
    if (point < 0x80) {
        out.push_back(static_cast<char>(point));
    } else if (point < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (point >> 6)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < kFirstSupplementary) {
        out.push_back(static_cast<char>(0xE0 | (point >> 12)));
        out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (point >> 18)));
        out.push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    }
}

void AppendCodePoint(std::wstring& out, std::uint32_t point)
{
    if (kUtf16Units && point >= kFirstSupplementary) {
        const std::uint32_t offset = point - kFirstSupplementary;
        out.push_back(static_cast<wchar_t>(kFirstSurrogate + (offset >> 10)));
        out.push_back(static_cast<wchar_t>(kFirstLowSurrogate + (offset & 0x3FF)));
    } else {
        out.push_back(static_cast<wchar_t>(point));
    }
}

// The code point starting at bytes[i], advancing i past it; none for a malformed sequence.
std::optional<std::uint32_t> DecodeOne(std::string_view bytes, std::size_t& i) noexcept
{
    const auto lead = static_cast<unsigned char>(bytes[i++]);
    if (lead < 0x80) {
        return lead;
    }
    int trailing = 0;
    std::uint32_t point = 0;
    std::uint32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        trailing = 1, point = lead & 0x1FU, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        trailing = 2, point = lead & 0x0FU, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        trailing = 3, point = lead & 0x07U, minimum = kFirstSupplementary;
    } else {
        return std::nullopt;
    }
    for (int k = 0; k < trailing; ++k) {
        if (i >= bytes.size() || (static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) {
            return std::nullopt;
        }
        point = (point << 6) | (static_cast<unsigned char>(bytes[i++]) & 0x3FU);
    }
    if (point < minimum || point > kLastCodePoint || IsSurrogate(point)) {
        return std::nullopt;
    }
    return point;
}

} // namespace

std::string ToUtf8(std::wstring_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto point = static_cast<std::uint32_t>(text[i]);
        if (kUtf16Units && point >= kFirstSurrogate && point < kFirstLowSurrogate &&
            i + 1 < text.size()) {
            const auto low = static_cast<std::uint32_t>(text[i + 1]);
            if (low >= kFirstLowSurrogate && low <= kLastSurrogate) {
                point = kFirstSupplementary + ((point - kFirstSurrogate) << 10) +
                        (low - kFirstLowSurrogate);
                ++i;
            }
        }
        if (point > kLastCodePoint || IsSurrogate(point)) {
            point = kReplacement;
        }
        AppendUtf8(bytes, point);
    }
    return bytes;
}

std::optional<std::wstring> FromUtf8(std::string_view bytes)
{
    std::wstring text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::optional<std::uint32_t> point = DecodeOne(bytes, i);
        if (!point) {
            return std::nullopt;
        }
        AppendCodePoint(text, *point);
    }
    return text;
}

std::wstring FromUtf8Leniently(std::string_view bytes)
{
    std::wstring text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        AppendCodePoint(text, DecodeOne(bytes, i).value_or(kReplacement));
    }
    return text;
}

} // namespace platform::portable
