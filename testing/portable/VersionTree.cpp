#include "VersionTree.h"

#include "CaseFold.h"
#include "LittleEndian.h"

#include <optional>

namespace platform::portable {
namespace {

constexpr std::size_t kNodeHeaderSize = 6;
// A 16-bit tree has its key right after the two lengths; a 32-bit one has a type word there,
// 0 or 1, so any printable byte means a 16-bit tree.
constexpr unsigned kFirstKeyCharacter = 0x20;
// Each child takes at least a header, so a 64 KiB resource cannot hold more; the bound makes the
// loop's end plain.
constexpr std::size_t kMaxChildren = 65536 / kNodeHeaderSize;

struct Node {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t keyBegin = 0;
    std::size_t keyLength = 0; // in UTF-16 units, without the NUL
    std::size_t valueBegin = 0;
    std::size_t childrenBegin = 0;
    std::uint16_t valueLength = 0;
};

// Rounds an offset inside a node up to 32 bits, counting from the node's start.
std::size_t AlignInNode(std::size_t begin, std::size_t offset) noexcept
{
    return begin + ((offset - begin + 3) & ~std::size_t{3});
}

// The node at `begin`, which must end by `limit`.
std::optional<Node> ReadNode(std::span<const std::byte> resource, std::size_t begin,
                             std::size_t limit) noexcept
{
    if (begin > limit || limit - begin < kNodeHeaderSize) {
        return std::nullopt;
    }
    const std::uint16_t length = *ReadU16(resource, begin);
    if (length < kNodeHeaderSize || length > limit - begin) {
        return std::nullopt;
    }
    Node node;
    node.begin = begin;
    node.end = begin + length;
    node.valueLength = *ReadU16(resource, begin + 2);
    const std::uint16_t type = *ReadU16(resource, begin + 4);
    node.keyBegin = begin + kNodeHeaderSize;

    std::size_t at = node.keyBegin;
    for (;;) {
        const auto unit = ReadU16(resource.first(node.end), at);
        if (!unit) {
            return std::nullopt; // no NUL inside the node
        }
        at += 2;
        if (*unit == 0) {
            break;
        }
    }
    node.keyLength = (at - node.keyBegin) / 2 - 1;
    node.valueBegin = std::min(AlignInNode(begin, at), node.end);
    // A text value's length counts UTF-16 units, a binary one's bytes.
    const std::size_t valueSize = type == 0 ? static_cast<std::size_t>(node.valueLength)
                                            : static_cast<std::size_t>(node.valueLength) * 2;
    const std::size_t valueEnd = node.valueBegin + valueSize;
    node.childrenBegin =
        valueEnd >= node.end ? node.end : std::min(AlignInNode(begin, valueEnd), node.end);
    return node;
}

bool KeyEquals(std::span<const std::byte> resource, const Node& node, std::wstring_view key)
{
    if (node.keyLength != key.size()) {
        return false;
    }
    for (std::size_t i = 0; i < key.size(); ++i) {
        const wchar_t unit = static_cast<wchar_t>(*ReadU16(resource, node.keyBegin + 2 * i));
        if (ToUpperInvariant(unit) != ToUpperInvariant(key[i])) {
            return false;
        }
    }
    return true;
}

std::optional<Node> FindChild(std::span<const std::byte> resource, const Node& parent,
                              std::wstring_view key)
{
    std::size_t at = parent.childrenBegin;
    for (std::size_t count = 0; count < kMaxChildren && at < parent.end; ++count) {
        const auto child = ReadNode(resource, at, parent.end);
        if (!child) {
            return std::nullopt;
        }
        if (KeyEquals(resource, *child, key)) {
            return child;
        }
        // Every child is at least a header long, so the walk always moves on.
        at = AlignInNode(child->begin, child->end);
    }
    return std::nullopt;
}

} // namespace

bool FindVersionValue(std::span<const std::byte> resource, std::wstring_view subBlock,
                      VersionValue& value) noexcept
{
    value = {};
    if (resource.size() <= 4 || std::to_integer<unsigned>(resource[4]) >= kFirstKeyCharacter) {
        return false;
    }
    auto node = ReadNode(resource, 0, resource.size());
    if (!node) {
        return false;
    }
    // Windows reads the path up to its NUL.
    subBlock = subBlock.substr(0, subBlock.find(L'\0'));
    while (!subBlock.empty()) {
        const std::size_t slash = subBlock.find(L'\\');
        const std::wstring_view part = subBlock.substr(0, slash);
        subBlock =
            slash == std::wstring_view::npos ? std::wstring_view() : subBlock.substr(slash + 1);
        if (part.empty()) {
            continue;
        }
        node = FindChild(resource, *node, part);
        if (!node) {
            return false;
        }
    }
    value.bytes = resource.subspan(node->valueBegin, node->end - node->valueBegin);
    value.length = node->valueLength;
    return true;
}

} // namespace platform::portable
