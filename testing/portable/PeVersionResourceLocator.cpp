#include "PeVersionResourceLocator.h"

#include "LittleEndian.h"

#include <array>
#include <exception>
#include <span>

namespace platform::portable {
namespace {

constexpr std::uint16_t kDosSignature = 0x5A4D;    // "MZ"
constexpr std::uint32_t kPeSignature = 0x00004550; // "PE\0\0"
constexpr std::uint16_t kPe32Magic = 0x010B;
constexpr std::uint16_t kPe32PlusMagic = 0x020B;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
constexpr std::uint32_t kVersionType = 16;
constexpr std::uint32_t kVersionName = 1;
constexpr std::uint32_t kUsEnglish = 0x0409;
constexpr std::uint32_t kHighBit = 0x80000000u;
// The Windows loader refuses images with more sections than this.
constexpr std::uint16_t kMaxSections = 96;
// 65535 named and 65535 numbered entries at most, 8 bytes each: a bound that cannot overflow.
constexpr std::size_t kDirectoryHeaderSize = 16;
constexpr std::size_t kDirectoryEntrySize = 8;

struct Section {
    std::uint32_t virtualAddress = 0;
    std::uint32_t virtualSize = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t rawOffset = 0;
};

// Where an RVA's bytes lie in the file, and how many of them the file holds from there.
struct FileRange {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

struct DirectoryEntry {
    std::uint32_t name = 0;
    std::uint32_t target = 0;
};

template <std::size_t N>
std::optional<std::array<std::byte, N>> ReadArray(const ByteSource& file, std::uint64_t offset)
{
    std::array<std::byte, N> bytes{};
    if (!file.Read(offset, bytes)) {
        return std::nullopt;
    }
    return bytes;
}

class PeImage {
public:
    explicit PeImage(const ByteSource& file) noexcept : file_(file) {}

    // Reads the headers and the section table; false when the file is no PE image.
    [[nodiscard]] bool ReadHeaders()
    {
        const auto dos = ReadArray<64>(file_, 0);
        if (!dos || ReadU16(*dos, 0) != kDosSignature) {
            return false;
        }
        const std::uint64_t peOffset = *ReadU32(*dos, 0x3C);
        // Signature, file header and the largest optional header's fields that are needed.
        const auto pe = ReadArray<4 + 20>(file_, peOffset);
        if (!pe || ReadU32(*pe, 0) != kPeSignature) {
            return false;
        }
        const std::uint16_t sectionCount = *ReadU16(*pe, 4 + 2);
        const std::uint16_t optionalSize = *ReadU16(*pe, 4 + 16);
        if (sectionCount > kMaxSections) {
            return false;
        }
        const std::uint64_t optionalOffset = peOffset + 4 + 20;
        std::vector<std::byte> optional(optionalSize);
        if (!file_.Read(optionalOffset, optional)) {
            return false;
        }
        const auto magic = ReadU16(optional, 0);
        std::size_t countOffset = 0;
        if (magic == kPe32Magic) {
            countOffset = 92;
        } else if (magic == kPe32PlusMagic) {
            countOffset = 108;
        } else {
            return false;
        }
        const auto directoryCount = ReadU32(optional, countOffset);
        if (!directoryCount || *directoryCount <= kResourceDirectoryIndex) {
            return false;
        }
        const std::size_t resourceEntry =
            countOffset + 4 + static_cast<std::size_t>(kResourceDirectoryIndex) * 8;
        const auto resourceRva = ReadU32(optional, resourceEntry);
        if (!resourceRva || *resourceRva == 0) {
            return false;
        }
        resourceRva_ = *resourceRva;

        std::vector<std::byte> table(static_cast<std::size_t>(sectionCount) * 40);
        if (!file_.Read(optionalOffset + optionalSize, table)) {
            return false;
        }
        sections_.reserve(sectionCount);
        for (std::size_t at = 0; at < table.size(); at += 40) {
            sections_.push_back({*ReadU32(table, at + 12), *ReadU32(table, at + 8),
                                 *ReadU32(table, at + 16), *ReadU32(table, at + 20)});
        }
        return true;
    }

    [[nodiscard]] std::uint32_t ResourceRva() const noexcept { return resourceRva_; }

    // The file bytes behind an RVA, up to the end of its section's data in the file.
    [[nodiscard]] std::optional<FileRange> Map(std::uint32_t rva) const noexcept
    {
        for (const Section& section : sections_) {
            const std::uint32_t span =
                section.virtualSize != 0 ? section.virtualSize : section.rawSize;
            if (rva < section.virtualAddress || rva - section.virtualAddress >= span) {
                continue;
            }
            const std::uint32_t inSection = rva - section.virtualAddress;
            if (inSection >= section.rawSize) {
                return std::nullopt;
            }
            const std::uint64_t offset = std::uint64_t{section.rawOffset} + inSection;
            if (offset >= file_.Size()) {
                return std::nullopt;
            }
            const std::uint64_t size =
                std::min<std::uint64_t>(section.rawSize - inSection, file_.Size() - offset);
            return FileRange{offset, size};
        }
        return std::nullopt;
    }

private:
    const ByteSource& file_;
    std::uint32_t resourceRva_ = 0;
    std::vector<Section> sections_;
};

// The resource tree: every offset in it counts from its root and must stay inside `range`.
class ResourceTree {
public:
    explicit ResourceTree(const ByteSource& file, FileRange range) noexcept
        : file_(file), range_(range)
    {
    }

    [[nodiscard]] std::optional<std::vector<DirectoryEntry>> Entries(std::uint32_t offset) const
    {
        const auto header = Bytes(offset, kDirectoryHeaderSize);
        if (!header) {
            return std::nullopt;
        }
        const std::size_t count =
            std::size_t{*ReadU16(*header, 12)} + std::size_t{*ReadU16(*header, 14)};
        const auto table =
            Bytes(std::uint64_t{offset} + kDirectoryHeaderSize, count * kDirectoryEntrySize);
        if (!table) {
            return std::nullopt;
        }
        std::vector<DirectoryEntry> entries;
        entries.reserve(count);
        for (std::size_t at = 0; at < table->size(); at += kDirectoryEntrySize) {
            entries.push_back({*ReadU32(*table, at), *ReadU32(*table, at + 4)});
        }
        return entries;
    }

    [[nodiscard]] std::optional<std::vector<std::byte>> Bytes(std::uint64_t offset,
                                                              std::size_t size) const
    {
        if (offset > range_.size || range_.size - offset < size) {
            return std::nullopt;
        }
        std::vector<std::byte> bytes(size);
        if (!file_.Read(range_.offset + offset, bytes)) {
            return std::nullopt;
        }
        return bytes;
    }

private:
    const ByteSource& file_;
    FileRange range_;
};

bool IsDirectory(const DirectoryEntry& entry) noexcept
{
    return (entry.target & kHighBit) != 0;
}

bool HasId(const DirectoryEntry& entry, std::uint32_t id) noexcept
{
    return (entry.name & kHighBit) == 0 && entry.name == id;
}

std::uint32_t SubdirectoryOffset(const DirectoryEntry& entry) noexcept
{
    return entry.target & ~kHighBit;
}

// The entry with this ID, else (when `firstOtherwise`) the first; it must lead to a directory.
std::optional<std::uint32_t> Subdirectory(const std::vector<DirectoryEntry>& entries,
                                          std::uint32_t id, bool firstOtherwise)
{
    const DirectoryEntry* chosen = nullptr;
    for (const DirectoryEntry& entry : entries) {
        if (HasId(entry, id)) {
            chosen = &entry;
            break;
        }
    }
    if (chosen == nullptr && firstOtherwise && !entries.empty()) {
        chosen = &entries.front();
    }
    if (chosen == nullptr || !IsDirectory(*chosen)) {
        return std::nullopt;
    }
    return SubdirectoryOffset(*chosen);
}

std::optional<std::vector<std::byte>> Locate(const ByteSource& file)
{
    PeImage image(file);
    if (!image.ReadHeaders()) {
        return std::nullopt;
    }
    const auto root = image.Map(image.ResourceRva());
    if (!root) {
        return std::nullopt;
    }
    // Three fixed levels (type, name, language), so the walk cannot go round in circles.
    const ResourceTree tree(file, *root);
    const auto types = tree.Entries(0);
    if (!types) {
        return std::nullopt;
    }
    const auto namesOffset = Subdirectory(*types, kVersionType, false);
    if (!namesOffset) {
        return std::nullopt;
    }
    const auto names = tree.Entries(*namesOffset);
    if (!names) {
        return std::nullopt;
    }
    const auto languagesOffset = Subdirectory(*names, kVersionName, true);
    if (!languagesOffset) {
        return std::nullopt;
    }
    const auto languages = tree.Entries(*languagesOffset);
    if (!languages || languages->empty()) {
        return std::nullopt;
    }
    // Files translated into many languages carry one version resource each; Windows reads the
    // US English one when there is one.
    const DirectoryEntry* language = &languages->front();
    for (const DirectoryEntry& entry : *languages) {
        if (HasId(entry, kUsEnglish)) {
            language = &entry;
            break;
        }
    }
    if (IsDirectory(*language)) {
        return std::nullopt;
    }
    const auto dataEntry = tree.Bytes(language->target, 16);
    if (!dataEntry) {
        return std::nullopt;
    }
    const std::uint32_t dataRva = *ReadU32(*dataEntry, 0);
    const std::uint32_t dataSize = *ReadU32(*dataEntry, 4);
    if (dataSize == 0 || dataSize > kMaxVersionResourceSize) {
        return std::nullopt;
    }
    const auto data = image.Map(dataRva);
    if (!data || data->size < dataSize) {
        return std::nullopt;
    }
    std::vector<std::byte> resource(dataSize);
    if (!file.Read(data->offset, resource)) {
        return std::nullopt;
    }
    return resource;
}

} // namespace

std::optional<std::vector<std::byte>> FindVersionResource(const ByteSource& file) noexcept
{
    try {
        return Locate(file);
    } catch (const std::exception&) {
        // Out of memory on the way: the file is as unreadable as one without the resource.
        return std::nullopt;
    }
}

} // namespace platform::portable
