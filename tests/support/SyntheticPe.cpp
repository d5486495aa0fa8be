#include "SyntheticPe.h"

#include <algorithm>

namespace tolvan::test {
namespace {

constexpr std::size_t kPeOffset = 0x40;
constexpr std::size_t kSectionFileOffset = 0x400;
constexpr std::uint32_t kSectionRva = 0x1000;

void PutU16(std::vector<std::byte>& bytes, std::size_t offset, std::uint16_t value)
{
    bytes[offset] = static_cast<std::byte>(value & 0xFF);
    bytes[offset + 1] = static_cast<std::byte>(value >> 8);
}

} // namespace

void SyntheticPe::PatchU32(std::size_t offset, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::byte>((value >> (8 * i)) & 0xFF);
    }
}

SyntheticPe BuildPe(std::span<const std::byte> versionResource, bool pe32Plus)
{
    SyntheticPe pe;
    const std::size_t treeSize = 0x58 + versionResource.size();
    const std::size_t rawSize = (treeSize + 0x1FF) & ~std::size_t{0x1FF};
    pe.bytes.assign(kSectionFileOffset + rawSize, std::byte{0});

    PutU16(pe.bytes, 0, 0x5A4D);
    pe.PatchU32(0x3C, kPeOffset);
    pe.PatchU32(kPeOffset, 0x00004550);
    const std::size_t fileHeader = kPeOffset + 4;
    PutU16(pe.bytes, fileHeader, pe32Plus ? 0x8664 : 0x014C);
    PutU16(pe.bytes, fileHeader + 2, 1);
    const std::uint16_t optionalSize = pe32Plus ? 240 : 224;
    PutU16(pe.bytes, fileHeader + 16, optionalSize);
    PutU16(pe.bytes, fileHeader + 18, 0x0002);

    const std::size_t optional = fileHeader + 20;
    PutU16(pe.bytes, optional, pe32Plus ? 0x020B : 0x010B);
    const std::size_t directoryCount = optional + (pe32Plus ? 108 : 92);
    pe.PatchU32(directoryCount, 16);
    pe.resourceDataDirectory = directoryCount + 4 + static_cast<std::size_t>(2) * 8;
    pe.PatchU32(pe.resourceDataDirectory, kSectionRva);
    pe.PatchU32(pe.resourceDataDirectory + 4, static_cast<std::uint32_t>(treeSize));

    pe.sectionHeader = optional + optionalSize;
    const char name[] = ".rsrc";
    for (std::size_t i = 0; i < 5; ++i) {
        pe.bytes[pe.sectionHeader + i] = static_cast<std::byte>(name[i]);
    }
    pe.PatchU32(pe.sectionHeader + 8, static_cast<std::uint32_t>(treeSize));
    pe.PatchU32(pe.sectionHeader + 12, kSectionRva);
    pe.PatchU32(pe.sectionHeader + 16, static_cast<std::uint32_t>(rawSize));
    pe.PatchU32(pe.sectionHeader + 20, kSectionFileOffset);

    // Type 16 -> name 1 -> language 0x409 -> data entry -> data, each directory with one entry.
    const std::size_t tree = kSectionFileOffset;
    PutU16(pe.bytes, tree + 0x00 + 14, 1);
    pe.typeEntry = tree + 0x10;
    pe.PatchU32(pe.typeEntry, 16);
    pe.PatchU32(pe.typeEntry + 4, 0x80000018);
    PutU16(pe.bytes, tree + 0x18 + 14, 1);
    pe.nameEntry = tree + 0x28;
    pe.PatchU32(pe.nameEntry, 1);
    pe.PatchU32(pe.nameEntry + 4, 0x80000030);
    PutU16(pe.bytes, tree + 0x30 + 14, 1);
    pe.languageEntry = tree + 0x40;
    pe.PatchU32(pe.languageEntry, 0x409);
    pe.PatchU32(pe.languageEntry + 4, 0x48);
    pe.dataEntry = tree + 0x48;
    pe.PatchU32(pe.dataEntry, kSectionRva + 0x58);
    pe.PatchU32(pe.dataEntry + 4, static_cast<std::uint32_t>(versionResource.size()));
    std::copy(versionResource.begin(), versionResource.end(),
              pe.bytes.begin() + static_cast<std::ptrdiff_t>(tree + 0x58));
    return pe;
}

} // namespace tolvan::test
