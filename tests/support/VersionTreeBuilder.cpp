#include "VersionTreeBuilder.h"

namespace tolvan::test {
namespace {

void PutU16(std::vector<std::byte>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::byte>(value & 0xFF));
    out.push_back(static_cast<std::byte>(value >> 8));
}

void PadTo32Bits(std::vector<std::byte>& out, std::size_t nodeBegin)
{
    while ((out.size() - nodeBegin) % 4 != 0) {
        out.push_back(std::byte{0});
    }
}

void SerializeInto(const TreeNode& node, std::vector<std::byte>& out)
{
    const std::size_t begin = out.size();
    PutU16(out, 0);
    PutU16(out, node.valueLength);
    PutU16(out, node.type);
    for (const char16_t unit : node.key) {
        PutU16(out, static_cast<std::uint16_t>(unit));
    }
    if (node.keyTerminated) {
        PutU16(out, 0);
    }
    PadTo32Bits(out, begin);
    out.insert(out.end(), node.value.begin(), node.value.end());
    for (const TreeNode& child : node.children) {
        PadTo32Bits(out, begin);
        SerializeInto(child, out);
    }
    const auto length =
        node.lengthOverride.value_or(static_cast<std::uint16_t>(out.size() - begin));
    out[begin] = static_cast<std::byte>(length & 0xFF);
    out[begin + 1] = static_cast<std::byte>(length >> 8);
}

} // namespace

std::vector<std::byte> Le32(std::uint32_t value)
{
    return {static_cast<std::byte>(value & 0xFF), static_cast<std::byte>((value >> 8) & 0xFF),
            static_cast<std::byte>((value >> 16) & 0xFF), static_cast<std::byte>(value >> 24)};
}

TreeNode TextValue(std::u16string key, const std::u16string& text)
{
    TreeNode node;
    node.key = std::move(key);
    node.type = 1;
    for (const char16_t unit : text) {
        node.value.push_back(static_cast<std::byte>(unit & 0xFF));
        node.value.push_back(static_cast<std::byte>(unit >> 8));
    }
    node.value.push_back(std::byte{0});
    node.value.push_back(std::byte{0});
    node.valueLength = static_cast<std::uint16_t>(text.size() + 1);
    return node;
}

TreeNode BinaryValue(std::u16string key, std::vector<std::byte> bytes)
{
    TreeNode node;
    node.key = std::move(key);
    node.type = 0;
    node.valueLength = static_cast<std::uint16_t>(bytes.size());
    node.value = std::move(bytes);
    return node;
}

TreeNode Block(std::u16string key, std::vector<TreeNode> children)
{
    TreeNode node;
    node.key = std::move(key);
    node.children = std::move(children);
    return node;
}

TreeNode VersionRoot(std::vector<TreeNode> children, std::uint32_t fileType)
{
    std::vector<std::byte> record;
    const std::uint32_t fields[13] = {0xFEEF04BD, 0x00010000, 0x00010002, 0x00000001, 0x00010002,
                                      0,          0x3F,       0,          0x00040004, fileType,
                                      0,          0,          0};
    for (const std::uint32_t field : fields) {
        const auto bytes = Le32(field);
        record.insert(record.end(), bytes.begin(), bytes.end());
    }
    TreeNode root = BinaryValue(u"VS_VERSION_INFO", std::move(record));
    root.children = std::move(children);
    return root;
}

TreeNode UsualRoot(const std::u16string& table, std::vector<TreeNode> strings,
                   std::vector<std::byte> translation)
{
    return VersionRoot(
        {Block(u"StringFileInfo", {Block(table, std::move(strings))}),
         Block(u"VarFileInfo", {BinaryValue(u"Translation", std::move(translation))})});
}

std::vector<std::byte> Serialize(const TreeNode& node)
{
    std::vector<std::byte> out;
    SerializeInto(node, out);
    return out;
}

} // namespace tolvan::test
