#include "HostName.h"

#include <cstdint>

namespace platform::portable {

#ifdef _WIN32

std::filesystem::path ToHostName(std::wstring_view name)
{
    return std::filesystem::path(name);
}

std::wstring FromHostName(const std::filesystem::path& name)
{
    return name.wstring();
}

#else

namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, std::uint32_t point)
{
    if (point < 0x80) {
        out.push_back(static_cast<char>(point));
    } else if (point < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (point >> 6)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
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

// The code point starting at bytes[i], advancing i; kReplacement for a malformed sequence.
std::uint32_t DecodeUtf8(const std::string& bytes, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(bytes[i++]);
    if (lead < 0x80) {
        return lead;
    }
    int trailing = 0;
    std::uint32_t point = 0;
    std::uint32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        trailing = 1, point = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        trailing = 2, point = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        trailing = 3, point = lead & 0x07, minimum = 0x10000;
    } else {
        return kReplacement;
    }
    for (int k = 0; k < trailing; ++k) {
        if (i >= bytes.size() || (static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) {
            return kReplacement;
        }
        point = (point << 6) | (static_cast<unsigned char>(bytes[i++]) & 0x3F);
    }
    if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
        return kReplacement;
    }
    return point;
}

} // namespace

std::filesystem::path ToHostName(std::wstring_view name)
{
    std::string bytes;
    bytes.reserve(name.size());
    for (const wchar_t ch : name) {
        const auto point = static_cast<std::uint32_t>(ch);
        const bool valid = point <= 0x10FFFF && !(point >= 0xD800 && point <= 0xDFFF);
        AppendUtf8(bytes, valid ? point : kReplacement);
    }
    return std::filesystem::path(std::move(bytes));
}

std::wstring FromHostName(const std::filesystem::path& name)
{
    const std::string& bytes = name.native();
    std::wstring text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        text.push_back(static_cast<wchar_t>(DecodeUtf8(bytes, i)));
    }
    return text;
}

#endif

} // namespace platform::portable
