#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tolvan::test {

// A minimal PE image holding one version resource, with the file offsets of the parts the tests
// tamper with.
struct SyntheticPe {
    std::vector<std::byte> bytes;
    std::size_t resourceDataDirectory = 0; // RVA and size of the resource tree, in the headers
    std::size_t sectionHeader = 0;
    std::size_t typeEntry = 0;     // name and target of the RT_VERSION entry
    std::size_t nameEntry = 0;     // of the name (ID 1) entry
    std::size_t languageEntry = 0; // of the language entry
    std::size_t dataEntry = 0;     // RVA and size of the resource's data

    void PatchU32(std::size_t offset, std::uint32_t value);
};

[[nodiscard]] SyntheticPe BuildPe(std::span<const std::byte> versionResource, bool pe32Plus);

} // namespace tolvan::test
