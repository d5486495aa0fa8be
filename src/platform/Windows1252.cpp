#include "Windows1252.h"

#include <array>

namespace platform {
namespace {

// 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::array<wchar_t, 32> kUpperControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

std::wstring FromWindows1252(std::span<const std::byte> text)
{
    std::wstring wide;
    wide.reserve(text.size());
    for (const std::byte byte : text) {
        const auto code = std::to_integer<unsigned>(byte);
        wide.push_back(code >= 0x80 && code < 0xA0 ? kUpperControls[code - 0x80]
                                                   : static_cast<wchar_t>(code));
    }
    return wide;
}

} // namespace platform
