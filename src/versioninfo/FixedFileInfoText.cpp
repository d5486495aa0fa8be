#include "FixedFileInfoText.h"

#include <array>
#include <string_view>

namespace versioninfo {

namespace {

struct FlagText {
    std::uint32_t bit;
    std::wstring_view text;
};

// Patched comes before Pre-release although its bit is higher: the order users know it in.
constexpr std::array<FlagText, 5> kFlagTexts{{
    {0x01, L"Debug "},
    {0x04, L"Patched "},
    {0x02, L"Pre-release "},
    {0x08, L"Private "},
    {0x20, L"Special "},
}};

constexpr std::array<std::wstring_view, 12> kDriverSubtypes{
    L"Unknown", L"Printer", L"Keyboard",    L"Language", L"Display",        L"Mouse",
    L"Network", L"System",  L"Installable", L"Sound",    L"Communications", L"Input Method",
};

constexpr std::array<std::wstring_view, 4> kFontSubtypes{L"Unknown", L"Raster", L"Vector",
                                                         L"TrueType"};

constexpr std::uint32_t kTypeDriver = 3;
constexpr std::uint32_t kTypeFont = 4;
constexpr std::uint32_t kTypeVirtualDevice = 5;

template <std::size_t N>
std::wstring TextAt(const std::array<std::wstring_view, N>& texts, std::uint32_t index,
                    std::wstring_view otherwise)
{
    return std::wstring(index < N ? texts[index] : otherwise);
}

} // namespace

std::wstring FileFlagsText(std::uint32_t flags)
{
    std::wstring text;
    for (const FlagText& flag : kFlagTexts) {
        if ((flags & flag.bit) != 0) {
            text += flag.text;
        }
    }
    return text;
}

std::wstring FileOSText(std::uint32_t fileOS)
{
    constexpr std::array<std::wstring_view, 5> kInterfaces{L"Unknown API", L"Win16 API",
                                                           L"PM16 API", L"PM32 API", L"Win32 API"};
    constexpr std::array<std::wstring_view, 5> kSystems{L"", L" on DOS", L" on OS2/16",
                                                        L" on OS2/32", L" on Windows NT"};
    const std::uint32_t low = fileOS & 0xFFFFu;
    const std::uint32_t high = fileOS >> 16;
    std::wstring text = TextAt(kInterfaces, low, kInterfaces[0]);
    text += TextAt(kSystems, high, L"");
    return text;
}

std::wstring FileTypeText(std::uint32_t fileType)
{
    // Type 6 has no name of its own; unlisted types give no text rather than "Unknown".
    constexpr std::array<std::wstring_view, 8> kTypes{
        L"Unknown", L"Application", L"DLL", L"Driver", L"Font", L"VXD", L"", L"Static-link library",
    };
    return TextAt(kTypes, fileType, L"");
}

std::wstring FileSubTypeText(std::uint32_t fileType, std::uint32_t fileSubtype)
{
    switch (fileType) {
    case kTypeDriver:
        return TextAt(kDriverSubtypes, fileSubtype, L"Unknown");
    case kTypeFont:
        return TextAt(kFontSubtypes, fileSubtype, L"Unknown");
    case kTypeVirtualDevice:
        // A virtual device's subtype is its identifier, shown as the signed number it is.
        return std::to_wstring(static_cast<std::int32_t>(fileSubtype));
    default:
        return L"Unknown";
    }
}

} // namespace versioninfo
