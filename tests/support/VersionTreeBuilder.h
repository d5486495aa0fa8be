#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tolvan::test {

// One node of a VS_VERSIONINFO tree, for building resources byte by byte. Lengths are computed
// unless overridden, which is how the tests make malformed trees.
struct TreeNode {
    std::u16string key;
    std::uint16_t type = 1;
    std::vector<std::byte> value;
    std::uint16_t valueLength = 0;
    std::vector<TreeNode> children;
    std::optional<std::uint16_t> lengthOverride;
    bool keyTerminated = true;
};

[[nodiscard]] TreeNode TextValue(std::u16string key, const std::u16string& text);
[[nodiscard]] TreeNode BinaryValue(std::u16string key, std::vector<std::byte> bytes);
[[nodiscard]] TreeNode Block(std::u16string key, std::vector<TreeNode> children);

// VS_VERSION_INFO with a fixed record (type, file OS) and the given children.
[[nodiscard]] TreeNode VersionRoot(std::vector<TreeNode> children, std::uint32_t fileType = 1);
// \StringFileInfo\<table>\<strings> and \VarFileInfo\Translation, the usual shape.
[[nodiscard]] TreeNode UsualRoot(const std::u16string& table, std::vector<TreeNode> strings,
                                 std::vector<std::byte> translation);

[[nodiscard]] std::vector<std::byte> Serialize(const TreeNode& node);

[[nodiscard]] std::vector<std::byte> Le32(std::uint32_t value);

} // namespace tolvan::test
