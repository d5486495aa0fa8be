#include "ShellLinkReader.h"

#include "Utf16.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace platform {
namespace {

// The header's LinkFlags: which of the optional parts follow it, in this order.
constexpr std::uint32_t kHasLinkTargetIdList = 0x1;
constexpr std::uint32_t kHasLinkInfo = 0x2;
constexpr std::uint32_t kHasName = 0x4;
constexpr std::uint32_t kHasRelativePath = 0x8;
constexpr std::uint32_t kHasWorkingDir = 0x10;
constexpr std::uint32_t kHasArguments = 0x20;
constexpr std::uint32_t kHasIconLocation = 0x40;
constexpr std::uint32_t kIsUnicode = 0x80;
constexpr std::uint32_t kForceNoLinkInfo = 0x100;
constexpr std::uint32_t kHasExpString = 0x200;

constexpr std::size_t kHeaderSize = 0x4C;
constexpr std::size_t kFlagsOffset = 20;
// CLSID_ShellLink, {00021401-0000-0000-C000-000000000046}, as stored.
constexpr std::array<unsigned, 16> kLinkClassId = {0x01, 0x14, 0x02, 0, 0, 0, 0, 0,
                                                   0xC0, 0,    0,    0, 0, 0, 0, 0x46};

// The link info's flags and the sizes of its header: the older one without the Unicode paths.
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr std::uint32_t kNetworkLinkAndPathSuffix = 0x2;
constexpr std::uint32_t kLinkInfoHeaderSize = 0x1C;
constexpr std::uint32_t kLinkInfoUnicodeHeaderSize = 0x24;
constexpr std::uint32_t kVolumeIdHeaderSize = 0x10;
constexpr std::uint32_t kVolumeIdUnicodeHeaderSize = 0x14;
constexpr std::uint32_t kNetworkLinkHeaderSize = 0x14;
constexpr std::uint32_t kNetworkLinkUnicodeHeaderSize = 0x1C;
constexpr std::uint32_t kValidDevice = 0x1;

// The extra data blocks read here; a block smaller than 4 bytes ends the list.
constexpr std::uint32_t kEnvironmentBlockSignature = 0xA0000001;
constexpr std::uint32_t kEnvironmentBlockSize = 0x314;
constexpr std::size_t kEnvironmentAnsiOffset = 8;
constexpr std::size_t kEnvironmentAnsiSize = 260;
constexpr std::size_t kEnvironmentUnicodeOffset = kEnvironmentAnsiOffset + kEnvironmentAnsiSize;
constexpr std::size_t kEnvironmentUnicodeSize = 520;
constexpr std::uint32_t kKnownFolderBlockSignature = 0xA000000B;
constexpr std::uint32_t kKnownFolderBlockSize = 0x1C;
constexpr std::uint32_t kTerminalBlockLimit = 4;
constexpr std::uint32_t kExtraBlockHeaderSize = 8;

// A stretch of untrusted bytes: every read answers none unless it lies wholly inside.
class ByteWindow {
public:
    explicit ByteWindow(std::span<const std::byte> bytes) noexcept : bytes_(bytes) {}

    [[nodiscard]] std::span<const std::byte> Bytes() const noexcept { return bytes_; }
    [[nodiscard]] std::size_t Size() const noexcept { return bytes_.size(); }

    [[nodiscard]] std::optional<ByteWindow> Part(std::size_t at, std::size_t size) const noexcept
    {
        if (at > bytes_.size() || size > bytes_.size() - at) {
            return std::nullopt;
        }
        return ByteWindow(bytes_.subspan(at, size));
    }

    [[nodiscard]] std::optional<std::uint32_t> Number(std::size_t at,
                                                      std::size_t size) const noexcept
    {
        const std::optional<ByteWindow> part = Part(at, size);
        if (!part) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i) {
            value |= std::to_integer<std::uint32_t>(part->bytes_[i]) << (8 * i);
        }
        return value;
    }
    [[nodiscard]] std::optional<std::uint32_t> U16(std::size_t at) const noexcept
    {
        return Number(at, 2);
    }
    [[nodiscard]] std::optional<std::uint32_t> U32(std::size_t at) const noexcept
    {
        return Number(at, 4);
    }

    // The text from `at` up to its NUL of `unitSize` bytes, without it; none when no NUL ends it
    // inside.
    [[nodiscard]] std::optional<std::span<const std::byte>>
    TextAt(std::size_t at, std::size_t unitSize) const noexcept
    {
        for (std::size_t end = at; end <= bytes_.size() && bytes_.size() - end >= unitSize;
             end += unitSize) {
            const std::span<const std::byte> unit = bytes_.subspan(end, unitSize);
            if (std::ranges::all_of(unit, [](std::byte b) { return b == std::byte{0}; })) {
                return bytes_.subspan(at, end - at);
            }
        }
        return std::nullopt;
    }

private:
    std::span<const std::byte> bytes_;
};

// The link object hands a string out up to its first NUL.
std::wstring UpToNul(std::wstring text)
{
    text.resize(std::min(text.size(), text.find(L'\0')));
    return text;
}

// The text at one of the offsets a header holds: ANSI, or UTF-16 where the header has that too
// (`unicodeField` 0 for none). Text must not start inside the header that points to it.
class HeaderTexts {
public:
    HeaderTexts(ByteWindow block, std::uint32_t headerSize, AnsiDecoder decodeAnsi) noexcept
        : block_(block), headerSize_(headerSize), decodeAnsi_(decodeAnsi)
    {
    }

    [[nodiscard]] std::optional<std::wstring> Text(std::size_t ansiField,
                                                   std::size_t unicodeField) const
    {
        const std::optional<std::uint32_t> unicodeOffset =
            unicodeField == 0 ? std::optional<std::uint32_t>{0} : block_.U32(unicodeField);
        const std::optional<std::uint32_t> ansiOffset = block_.U32(ansiField);
        if (!unicodeOffset || !ansiOffset) {
            return std::nullopt;
        }
        if (*unicodeOffset != 0) {
            const auto text =
                *unicodeOffset >= headerSize_ ? block_.TextAt(*unicodeOffset, 2) : std::nullopt;
            return text ? std::optional<std::wstring>(FromUtf16Le(*text)) : std::nullopt;
        }
        const auto text = *ansiOffset >= headerSize_ ? block_.TextAt(*ansiOffset, 1) : std::nullopt;
        return text ? std::optional<std::wstring>(decodeAnsi_(*text)) : std::nullopt;
    }

private:
    ByteWindow block_;
    std::uint32_t headerSize_;
    AnsiDecoder decodeAnsi_;
};

// The block at the offset `field` of `outer` holds, its size its own first number, which must
// be at least `headerSize`.
std::optional<ByteWindow> SizedBlockAt(ByteWindow outer, std::size_t field,
                                       std::uint32_t headerSize) noexcept
{
    const std::optional<std::uint32_t> offset = outer.U32(field);
    const std::optional<std::uint32_t> size = offset ? outer.U32(*offset) : std::nullopt;
    if (!size || *size < headerSize) {
        return std::nullopt;
    }
    return outer.Part(*offset, *size);
}

// The volume a local path lies on: only checked, as the path alone is wanted.
bool IsVolumeId(ByteWindow info) noexcept
{
    const std::optional<ByteWindow> volume = SizedBlockAt(info, 12, kVolumeIdHeaderSize + 1);
    const std::optional<std::uint32_t> labelOffset = volume ? volume->U32(12) : std::nullopt;
    if (!labelOffset) {
        return false;
    }
    if (*labelOffset == kVolumeIdUnicodeHeaderSize) {
        const std::optional<std::uint32_t> unicodeOffset = volume->U32(16);
        return unicodeOffset && *unicodeOffset >= kVolumeIdUnicodeHeaderSize &&
               volume->TextAt(*unicodeOffset, 2);
    }
    return *labelOffset >= kVolumeIdHeaderSize && volume->TextAt(*labelOffset, 1);
}

// The share's name, such as \\server\share.
std::optional<std::wstring> NetworkName(ByteWindow info, AnsiDecoder decodeAnsi)
{
    const std::optional<ByteWindow> link = SizedBlockAt(info, 20, kNetworkLinkHeaderSize);
    const std::optional<std::uint32_t> flags = link ? link->U32(4) : std::nullopt;
    const std::optional<std::uint32_t> netNameOffset = link ? link->U32(8) : std::nullopt;
    if (!flags || !netNameOffset) {
        return std::nullopt;
    }
    const bool unicode = *netNameOffset > kNetworkLinkHeaderSize;
    if (unicode && link->Size() < kNetworkLinkUnicodeHeaderSize) {
        return std::nullopt;
    }
    const HeaderTexts texts(*link, unicode ? kNetworkLinkUnicodeHeaderSize : kNetworkLinkHeaderSize,
                            decodeAnsi);
    if ((*flags & kValidDevice) != 0 && !texts.Text(12, unicode ? 24 : 0)) {
        return std::nullopt;
    }
    return texts.Text(8, unicode ? 20 : 0);
}

// The path the link info names; empty when it names none.
std::optional<std::wstring> LinkInfoPath(ByteWindow info, AnsiDecoder decodeAnsi)
{
    const std::optional<std::uint32_t> headerSize = info.U32(4);
    const std::optional<std::uint32_t> flags = info.U32(8);
    if (!headerSize || !flags || *headerSize > info.Size() ||
        (*headerSize != kLinkInfoHeaderSize && *headerSize < kLinkInfoUnicodeHeaderSize)) {
        return std::nullopt;
    }
    const bool unicode = *headerSize >= kLinkInfoUnicodeHeaderSize;
    const HeaderTexts texts(info, *headerSize, decodeAnsi);
    // Some writers leave the suffix out when it is empty.
    const std::optional<std::uint32_t> suffixOffset = info.U32(24);
    std::optional<std::wstring> suffix =
        suffixOffset == 0U ? std::wstring() : texts.Text(24, unicode ? 32 : 0);
    if (!suffix) {
        return std::nullopt;
    }
    std::optional<std::wstring> base;
    if ((*flags & kVolumeIdAndLocalBasePath) != 0) {
        if (!IsVolumeId(info)) {
            return std::nullopt;
        }
        base = texts.Text(16, unicode ? 28 : 0);
    }
    if ((*flags & kNetworkLinkAndPathSuffix) != 0) {
        const std::optional<std::wstring> share = NetworkName(info, decodeAnsi);
        if (!share) {
            return std::nullopt;
        }
        if (!base) {
            base = share;
        }
    }
    if (!base) {
        return (*flags & (kVolumeIdAndLocalBasePath | kNetworkLinkAndPathSuffix)) == 0
                   ? std::optional<std::wstring>(std::wstring())
                   : std::nullopt;
    }
    if (!base->empty() && !suffix->empty() && base->back() != L'\\') {
        *base += L'\\';
    }
    return *base + *suffix;
}

// The ID list's items, each sized by its first two bytes, up to the empty one that ends them.
bool IsItemIdList(ByteWindow list) noexcept
{
    std::size_t at = 0;
    for (;;) {
        const std::optional<std::uint32_t> itemSize = list.U16(at);
        if (!itemSize || *itemSize == 1) {
            return false;
        }
        if (*itemSize == 0) {
            return true;
        }
        if (*itemSize > list.Size() - at) {
            return false;
        }
        at += *itemSize;
    }
}

// The environment-variables block's path: the Unicode one where it is there.
std::wstring EnvironmentPath(ByteWindow block, AnsiDecoder decodeAnsi)
{
    std::wstring path = UpToNul(
        FromUtf16Le(block.Bytes().subspan(kEnvironmentUnicodeOffset, kEnvironmentUnicodeSize)));
    if (path.empty()) {
        path = UpToNul(
            decodeAnsi(block.Bytes().subspan(kEnvironmentAnsiOffset, kEnvironmentAnsiSize)));
    }
    return path;
}

} // namespace

bool IsShellLink(std::span<const std::byte> bytes) noexcept
{
    const ByteWindow file(bytes);
    if (file.Size() < kHeaderSize || file.U32(0) != kHeaderSize) {
        return false;
    }
    return std::ranges::equal(bytes.subspan(4, kLinkClassId.size()), kLinkClassId, {},
                              [](std::byte b) { return std::to_integer<unsigned>(b); });
}

std::optional<Shortcut> ReadShellLink(std::span<const std::byte> bytes, AnsiDecoder decodeAnsi)
{
    if (bytes.size() > kLargestShellLink || !IsShellLink(bytes)) {
        return std::nullopt;
    }
    const ByteWindow file(bytes);
    const std::uint32_t flags = *file.U32(kFlagsOffset);
    std::size_t at = kHeaderSize;
    if ((flags & kHasLinkTargetIdList) != 0) {
        const std::optional<std::uint32_t> listSize = file.U16(at);
        const std::optional<ByteWindow> list =
            listSize ? file.Part(at + 2, *listSize) : std::nullopt;
        if (!list || !IsItemIdList(*list)) {
            return std::nullopt;
        }
        at += 2 + list->Size();
    }
    Shortcut shortcut;
    if ((flags & kHasLinkInfo) != 0) {
        const std::optional<std::uint32_t> infoSize = file.U32(at);
        const std::optional<ByteWindow> info = infoSize ? file.Part(at, *infoSize) : std::nullopt;
        std::optional<std::wstring> path = info ? LinkInfoPath(*info, decodeAnsi) : std::nullopt;
        if (!path) {
            return std::nullopt;
        }
        if ((flags & kForceNoLinkInfo) == 0) {
            shortcut.target = std::move(*path);
        }
        at += info->Size();
    }
    const std::size_t unitSize = (flags & kIsUnicode) != 0 ? 2 : 1;
    for (const std::uint32_t text :
         {kHasName, kHasRelativePath, kHasWorkingDir, kHasArguments, kHasIconLocation}) {
        if ((flags & text) == 0) {
            continue;
        }
        const std::optional<std::uint32_t> count = file.U16(at);
        const std::optional<ByteWindow> characters =
            count ? file.Part(at + 2, *count * unitSize) : std::nullopt;
        if (!characters) {
            return std::nullopt;
        }
        if (text == kHasArguments) {
            shortcut.arguments = UpToNul(unitSize == 2 ? FromUtf16Le(characters->Bytes())
                                                       : decodeAnsi(characters->Bytes()));
        }
        at += 2 + characters->Size();
    }
    // The extra blocks run to a terminal block, or, in files that leave it out, to the end.
    while (at < file.Size()) {
        const std::optional<std::uint32_t> blockSize = file.U32(at);
        if (blockSize && *blockSize < kTerminalBlockLimit) {
            break;
        }
        const std::optional<ByteWindow> block = blockSize && *blockSize >= kExtraBlockHeaderSize
                                                    ? file.Part(at, *blockSize)
                                                    : std::nullopt;
        if (!block) {
            return std::nullopt;
        }
        const std::uint32_t signature = *block->U32(4);
        if (signature == kEnvironmentBlockSignature) {
            if (*blockSize != kEnvironmentBlockSize) {
                return std::nullopt;
            }
            // Made by SetPath from a path naming a variable: the path as given, unexpanded.
            std::wstring unexpanded = EnvironmentPath(*block, decodeAnsi);
            if ((flags & kHasExpString) != 0 && !unexpanded.empty()) {
                shortcut.target = std::move(unexpanded);
            }
        } else if (signature == kKnownFolderBlockSignature && *blockSize != kKnownFolderBlockSize) {
            return std::nullopt;
        }
        at += *blockSize;
    }
    return shortcut;
}

} // namespace platform
