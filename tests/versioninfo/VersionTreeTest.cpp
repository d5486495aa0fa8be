#include "portable/VersionTree.h"

#include "platform/Utf16.h"
#include "support/VersionTreeBuilder.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using platform::portable::FindVersionValue;

std::vector<std::byte> Translation(std::uint16_t language, std::uint16_t codePage)
{
    return Le32(language | (std::uint32_t{codePage} << 16));
}

std::wstring TextOf(const platform::VersionValue& value)
{
    const std::size_t units = std::min<std::size_t>(value.length, value.bytes.size() / 2);
    const std::wstring text = platform::FromUtf16Le(value.bytes.first(units * 2));
    return text.substr(0, text.find(L'\0'));
}

class VersionTree : public ::testing::Test {
protected:
    std::vector<std::byte> resource =
        Serialize(UsualRoot(u"040904B0",
                            {TextValue(u"CompanyName", u"Kavrenta"),
                             TextValue(u"ProductName", u"Tolvan"), TextValue(u"Comments", u"")},
                            Translation(0x409, 0x4B0)));

    bool Find(std::wstring_view path, platform::VersionValue& value)
    {
        return FindVersionValue(resource, path, value);
    }
};

TEST_F(VersionTree, RootIsTheFixedRecord)
{
    for (const std::wstring_view path : {L"\\", L"", L"\\\\"}) {
        platform::VersionValue value;
        ASSERT_TRUE(Find(path, value));
        EXPECT_EQ(value.length, 52u);
        ASSERT_GE(value.bytes.size(), 52u);
        EXPECT_EQ(value.bytes[0], std::byte{0xBD});
        EXPECT_EQ(value.bytes[3], std::byte{0xFE});
    }
}

TEST_F(VersionTree, StringsComeWithTheirLengthCountingTheNul)
{
    platform::VersionValue value;
    ASSERT_TRUE(Find(L"\\StringFileInfo\\040904B0\\ProductName", value));
    EXPECT_EQ(value.length, 7u);
    EXPECT_EQ(TextOf(value), L"Tolvan");
    ASSERT_TRUE(Find(L"\\StringFileInfo\\040904B0\\Comments", value));
    EXPECT_EQ(value.length, 1u);
    EXPECT_EQ(TextOf(value), L"");
}

TEST_F(VersionTree, TranslationIsTheRawEntry)
{
    platform::VersionValue value;
    ASSERT_TRUE(Find(L"\\VarFileInfo\\Translation", value));
    ASSERT_EQ(value.length, 4u);
    EXPECT_EQ(std::vector<std::byte>(value.bytes.begin(), value.bytes.begin() + 4),
              Translation(0x409, 0x4B0));
}

TEST_F(VersionTree, PathsMatchWholeKeysWithoutRegardToCase)
{
    platform::VersionValue value;
    EXPECT_TRUE(Find(L"\\stringfileinfo\\040904b0\\PRODUCTNAME", value));
    EXPECT_TRUE(Find(L"StringFileInfo\\\\040904B0\\ProductName\\", value));
    EXPECT_FALSE(Find(L"\\StringFileInfo\\040904B0\\Produc", value));
    EXPECT_EQ(value.length, 0u);
    EXPECT_TRUE(value.bytes.empty());
    EXPECT_FALSE(Find(L"\\StringFileInfo\\040904B0\\ProductNameX", value));
    EXPECT_FALSE(Find(L"\\StringFileInfo\\040904E4\\ProductName", value));
    EXPECT_FALSE(Find(L"\\StringFileInfo\\040904B0\\ProductName\\More", value));
}

TEST_F(VersionTree, BlockWithChildrenHasLengthZero)
{
    platform::VersionValue value;
    ASSERT_TRUE(Find(L"\\StringFileInfo", value));
    EXPECT_EQ(value.length, 0u);
}

TEST_F(VersionTree, ValueNeverReachesPastItsNode)
{
    TreeNode lying = TextValue(u"ProductName", u"Tolvan");
    lying.valueLength = 500;
    resource = Serialize(UsualRoot(u"040904B0", {lying, TextValue(u"CompanyName", u"Kavrenta")},
                                   Translation(0x409, 0x4B0)));
    platform::VersionValue value;
    ASSERT_TRUE(Find(L"\\StringFileInfo\\040904B0\\ProductName", value));
    EXPECT_EQ(value.length, 500u);
    EXPECT_EQ(value.bytes.size(), 7u * 2);
    EXPECT_EQ(TextOf(value), L"Tolvan");
    // A sibling behind it is still found: the walk goes by the node's length.
    EXPECT_TRUE(Find(L"\\StringFileInfo\\040904B0\\CompanyName", value));
}

TEST_F(VersionTree, MalformedNodeEndsItsBranchOnly)
{
    struct Case {
        const char* what;
        std::optional<std::uint16_t> length;
        bool keyTerminated;
    };
    for (const Case& bad : {Case{"zero length", 0, true}, Case{"shorter than a header", 4, true},
                            Case{"past its parent", 0x7FFF, true},
                            // CompanyName (52 bytes) and Comments (28) end the string table: 8
                            // bytes past it, still inside the resource.
                            Case{"past its parent, inside the resource", 88, true},
                            Case{"key without NUL", std::nullopt, false}}) {
        SCOPED_TRACE(bad.what);
        TreeNode broken = TextValue(u"CompanyName", u"Kavrenta");
        broken.lengthOverride = bad.length;
        broken.keyTerminated = bad.keyTerminated;
        if (!bad.keyTerminated) {
            broken.value.clear();
            broken.valueLength = 0;
        }
        resource = Serialize(
            UsualRoot(u"040904B0",
                      {TextValue(u"ProductName", u"Tolvan"), broken, TextValue(u"Comments", u"x")},
                      Translation(0x409, 0x4B0)));
        platform::VersionValue value;
        EXPECT_TRUE(Find(L"\\StringFileInfo\\040904B0\\ProductName", value));
        EXPECT_FALSE(Find(L"\\StringFileInfo\\040904B0\\CompanyName", value));
        EXPECT_FALSE(Find(L"\\StringFileInfo\\040904B0\\Comments", value));
        // The other branches are untouched.
        EXPECT_TRUE(Find(L"\\VarFileInfo\\Translation", value));
    }
}

TEST_F(VersionTree, RootLongerThanTheBufferIsRefused)
{
    TreeNode root = UsualRoot(u"040904B0", {}, Translation(0x409, 0x4B0));
    root.lengthOverride = 0xFFFF;
    resource = Serialize(root);
    platform::VersionValue value;
    EXPECT_FALSE(Find(L"\\", value));
}

TEST_F(VersionTree, SixteenBitTreeIsNotRead)
{
    // "VS_VERSION_INFO" in single bytes right after the two lengths.
    resource = {std::byte{0x40}, std::byte{0}, std::byte{0}, std::byte{0}};
    for (const char ch : std::string("VS_VERSION_INFO")) {
        resource.push_back(static_cast<std::byte>(ch));
    }
    resource.resize(0x40, std::byte{0});
    platform::VersionValue value;
    EXPECT_FALSE(Find(L"\\", value));
}

TEST_F(VersionTree, CutTreeNeverReadsPastTheBuffer)
{
    // The root claims the cut length, so the children run past it at every cut.
    const std::vector<std::byte> full = resource;
    for (std::size_t size = 0; size <= full.size(); ++size) {
        resource.assign(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
        if (size >= 2) {
            resource[0] = static_cast<std::byte>(size & 0xFF);
            resource[1] = static_cast<std::byte>(size >> 8);
        }
        for (const std::wstring_view path :
             {L"\\", L"\\VarFileInfo\\Translation", L"\\StringFileInfo\\040904B0\\Comments"}) {
            platform::VersionValue value;
            if (Find(path, value)) {
                EXPECT_GE(value.bytes.data(), resource.data());
                EXPECT_LE(value.bytes.data() + value.bytes.size(),
                          resource.data() + resource.size());
            }
        }
    }
}

} // namespace
} // namespace tolvan::test
