#include "versioninfo/FixedFileInfoText.h"

#include <gtest/gtest.h>

namespace {

using versioninfo::FileFlagsText;
using versioninfo::FileOSText;
using versioninfo::FileSubTypeText;
using versioninfo::FileTypeText;

TEST(FileFlagsText, AppendsEachSetFlagInItsOwnOrderWithTrailingBlank)
{
    EXPECT_EQ(FileFlagsText(0x3F), L"Debug Patched Pre-release Private Special ");
    EXPECT_EQ(FileFlagsText(0x09), L"Debug Private ");
    EXPECT_EQ(FileFlagsText(0x06), L"Patched Pre-release ");
    EXPECT_EQ(FileFlagsText(0x20), L"Special ");
    // Inferred information and the undefined bits add nothing.
    EXPECT_EQ(FileFlagsText(0x10), L"");
    EXPECT_EQ(FileFlagsText(0xFFFFFFC0u), L"");
    EXPECT_EQ(FileFlagsText(0), L"");
}

TEST(FileOSText, JoinsInterfaceAndSystem)
{
    EXPECT_EQ(FileOSText(0x00040004), L"Win32 API on Windows NT");
    EXPECT_EQ(FileOSText(0x00010001), L"Win16 API on DOS");
    EXPECT_EQ(FileOSText(0x00020002), L"PM16 API on OS2/16");
    EXPECT_EQ(FileOSText(0x00030003), L"PM32 API on OS2/32");
    EXPECT_EQ(FileOSText(0x00000004), L"Win32 API");
    EXPECT_EQ(FileOSText(0x00040000), L"Unknown API on Windows NT");
    EXPECT_EQ(FileOSText(0x00050004), L"Win32 API");
    EXPECT_EQ(FileOSText(0x00040005), L"Unknown API on Windows NT");
    EXPECT_EQ(FileOSText(0), L"Unknown API");
    EXPECT_EQ(FileOSText(0xFFFFFFFFu), L"Unknown API");
}

TEST(FileTypeText, NamesTheKnownTypesOnly)
{
    const wchar_t* const expected[] = {L"Unknown", L"Application", L"DLL", L"Driver",
                                       L"Font",    L"VXD",         L"",    L"Static-link library",
                                       L""};
    for (std::uint32_t type = 0; type < std::size(expected); ++type) {
        EXPECT_EQ(FileTypeText(type), expected[type]) << "type " << type;
    }
    EXPECT_EQ(FileTypeText(0xFFFFFFFFu), L"");
}

TEST(FileSubTypeText, DriverSubtypes)
{
    const wchar_t* const expected[] = {
        L"Unknown",        L"Printer",      L"Keyboard", L"Language",    L"Display",
        L"Mouse",          L"Network",      L"System",   L"Installable", L"Sound",
        L"Communications", L"Input Method", L"Unknown",  L"Unknown"};
    for (std::uint32_t subtype = 0; subtype < std::size(expected); ++subtype) {
        EXPECT_EQ(FileSubTypeText(3, subtype), expected[subtype]) << "subtype " << subtype;
    }
}

TEST(FileSubTypeText, FontSubtypes)
{
    EXPECT_EQ(FileSubTypeText(4, 0), L"Unknown");
    EXPECT_EQ(FileSubTypeText(4, 1), L"Raster");
    EXPECT_EQ(FileSubTypeText(4, 2), L"Vector");
    EXPECT_EQ(FileSubTypeText(4, 3), L"TrueType");
    EXPECT_EQ(FileSubTypeText(4, 4), L"Unknown");
}

TEST(FileSubTypeText, VirtualDeviceIdentifierIsASignedNumber)
{
    EXPECT_EQ(FileSubTypeText(5, 0), L"0");
    EXPECT_EQ(FileSubTypeText(5, 0x0000ABCD), L"43981");
    EXPECT_EQ(FileSubTypeText(5, 0xFFFFFFFFu), L"-1");
    EXPECT_EQ(FileSubTypeText(5, 0x80000000u), L"-2147483648");
}

TEST(FileSubTypeText, OtherTypesHaveNoSubtype)
{
    for (const std::uint32_t type : {0u, 1u, 2u, 6u, 7u, 8u}) {
        EXPECT_EQ(FileSubTypeText(type, 1), L"Unknown") << "type " << type;
    }
}

} // namespace
