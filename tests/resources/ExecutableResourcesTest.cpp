// Loads tolvan.exe as a data file and checks the resources the windows and the shell rely on.
#include "platform/UniqueHandle.h"
#include "resource.h"
#include "tolvan_version.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

struct ModuleTraits {
    using pointer = HMODULE;
    static pointer Invalid() noexcept { return nullptr; }
    void Close(pointer module) const noexcept { FreeLibrary(module); }
};
struct GdiObjectTraits {
    using pointer = HGDIOBJ;
    static pointer Invalid() noexcept { return nullptr; }
    void Close(pointer object) const noexcept { DeleteObject(object); }
};
struct IconTraits {
    using pointer = HICON;
    static pointer Invalid() noexcept { return nullptr; }
    void Close(pointer icon) const noexcept { DestroyIcon(icon); }
};
using UniqueModule = platform::UniqueHandle<ModuleTraits>;
using UniqueGdiObject = platform::UniqueHandle<GdiObjectTraits>;
using UniqueIcon = platform::UniqueHandle<IconTraits>;

// The build puts the executable at a fixed place relative to this test program.
std::wstring ExecutablePath()
{
    std::wstring self(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()))) ==
           self.size()) {
        self.resize(self.size() * 2);
    }
    self.resize(length);
    // The build folder's relative path is plain ASCII.
    const std::string_view relative = TOLVAN_EXE_FROM_TESTS;
    std::wstring path = self.substr(0, self.find_last_of(L"\\/") + 1) +
                        std::wstring(relative.begin(), relative.end());
    for (wchar_t& c : path) {
        c = c == L'/' ? L'\\' : c;
    }
    std::wstring full(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
    full.resize(
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    return full;
}

std::wstring Widen(const char* text)
{
    return {text, text + std::strlen(text)};
}

class ExecutableResources : public testing::Test {
protected:
    void SetUp() override
    {
        path = ExecutablePath();
        program.reset(LoadLibraryExW(path.c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_TRUE(program) << "cannot load " << std::string(path.begin(), path.end())
                             << ", error " << GetLastError();
    }

    // The raw bytes of one resource, empty when it is missing.
    [[nodiscard]] std::vector<std::uint8_t> Resource(LPCWSTR type, WORD id) const
    {
        HRSRC found = FindResourceW(program.get(), MAKEINTRESOURCEW(id), type);
        HGLOBAL loaded = found ? LoadResource(program.get(), found) : nullptr;
        const auto* bytes =
            static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
        return bytes
                   ? std::vector<std::uint8_t>(bytes, bytes + SizeofResource(program.get(), found))
                   : std::vector<std::uint8_t>{};
    }

    std::wstring path;
    UniqueModule program;
};

TEST_F(ExecutableResources, BitmapsLoadAtTheirSizesWith24BitsPerPixel)
{
    const struct {
        WORD id;
        LONG width;
        LONG height;
    } bitmaps[] = {{IDB_FLAG_ENG, 21, 20},    {IDB_FLAG_ENG_HL, 21, 20}, {IDB_FLAG_HUN, 21, 20},
                   {IDB_FLAG_HUN_HL, 21, 20}, {IDB_APP_64, 64, 64},      {IDB_APP_16, 16, 16}};
    for (const auto& expected : bitmaps) {
        SCOPED_TRACE(expected.id);
        UniqueGdiObject bitmap(LoadImageW(program.get(), MAKEINTRESOURCEW(expected.id),
                                          IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_TRUE(bitmap);
        DIBSECTION dib{};
        ASSERT_EQ(GetObjectW(bitmap.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
        EXPECT_EQ(dib.dsBm.bmWidth, expected.width);
        EXPECT_EQ(dib.dsBm.bmHeight, expected.height);
        EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);

        // As stored: uncompressed and bottom-up.
        const auto stored = Resource(RT_BITMAP, expected.id);
        ASSERT_GE(stored.size(), sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER header{};
        std::memcpy(&header, stored.data(), sizeof header);
        EXPECT_EQ(header.biHeight, expected.height);
        EXPECT_EQ(header.biBitCount, 24);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    }
}

#pragma pack(push, 2)
struct IconGroupHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(ExecutableResources, IconGroupHolds16And32PixelImagesIn256Colours)
{
    const auto group = Resource(RT_GROUP_ICON, IDI_TOLVAN);
    ASSERT_GE(group.size(), sizeof(IconGroupHeader));
    IconGroupHeader header{};
    std::memcpy(&header, group.data(), sizeof header);
    EXPECT_EQ(header.type, 1);
    ASSERT_EQ(group.size(), sizeof header + header.count * sizeof(IconGroupEntry));

    std::set<int> sizes;
    for (WORD i = 0; i < header.count; ++i) {
        IconGroupEntry entry{};
        std::memcpy(&entry, group.data() + sizeof header + i * sizeof entry, sizeof entry);
        SCOPED_TRACE(entry.width);
        sizes.insert(entry.width);
        EXPECT_EQ(entry.height, entry.width);
        EXPECT_EQ(entry.bitCount, 8);
        const auto image = Resource(RT_ICON, entry.id);
        ASSERT_EQ(image.size(), entry.bytes);
        BITMAPINFOHEADER dib{};
        ASSERT_GE(image.size(), sizeof dib);
        std::memcpy(&dib, image.data(), sizeof dib);
        EXPECT_EQ(dib.biBitCount, 8);
        EXPECT_EQ(dib.biWidth, entry.width);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32}));

    for (const int size : {16, 32}) {
        SCOPED_TRACE(size);
        UniqueIcon icon(static_cast<HICON>(
            LoadImageW(program.get(), MAKEINTRESOURCEW(IDI_TOLVAN), IMAGE_ICON, size, size, 0)));
        ASSERT_TRUE(icon);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.get(), &info));
        UniqueGdiObject colour(info.hbmColor);
        UniqueGdiObject mask(info.hbmMask);
        BITMAP bitmap{};
        ASSERT_TRUE(GetObjectW(colour.get(), sizeof bitmap, &bitmap));
        EXPECT_EQ(bitmap.bmWidth, size);
        EXPECT_EQ(bitmap.bmHeight, size);
    }
}

TEST_F(ExecutableResources, ManifestAsksForAdministratorCommonControls6AndPerMonitorV2)
{
    const auto bytes = Resource(RT_MANIFEST, 1); // CREATEPROCESS_MANIFEST_RESOURCE_ID
    const std::string manifest(bytes.begin(), bytes.end());
    ASSERT_FALSE(manifest.empty());
    // Windows asks for an administrator's consent before the program starts.
    EXPECT_EQ(manifest.find("asInvoker"), std::string::npos);
    for (const char* expected :
         {R"(level="requireAdministrator")", R"(name="Microsoft.Windows.Common-Controls")",
          R"(version="6.0.0.0")", R"(publicKeyToken="6595b64144ccf1df")",
          ">PerMonitorV2</dpiAwareness>", ">true/pm</dpiAware>",
          "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
          "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
          "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        EXPECT_NE(manifest.find(expected), std::string::npos) << expected;
    }
    EXPECT_NE(manifest.find("version=\"" TOLVAN_VERSION_STRING "\""), std::string::npos);
    EXPECT_EQ(manifest.find('@'), std::string::npos) << "a placeholder was left unreplaced";
}

class VersionResource : public ExecutableResources {
protected:
    void SetUp() override
    {
        ExecutableResources::SetUp();
        DWORD ignored = 0;
        block.resize(GetFileVersionInfoSizeW(path.c_str(), &ignored));
        ASSERT_FALSE(block.empty()) << "no version resource, error " << GetLastError();
        ASSERT_TRUE(
            GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    }

    [[nodiscard]] std::pair<const void*, UINT> Query(const std::wstring& subBlock)
    {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(block.data(), subBlock.c_str(), &value, &length)) {
            return {nullptr, 0};
        }
        return {value, length};
    }

    std::vector<std::uint8_t> block;
};

TEST_F(VersionResource, FixedRecordCarriesTheProjectVersion)
{
    const auto [value, length] = Query(L"\\");
    ASSERT_NE(value, nullptr);
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed{};
    std::memcpy(&fixed, value, sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    const DWORD high = MAKELONG(TOLVAN_VERSION_MINOR, TOLVAN_VERSION_MAJOR);
    const DWORD low = MAKELONG(TOLVAN_VERSION_TWEAK, TOLVAN_VERSION_PATCH);
    EXPECT_EQ(fixed.dwFileVersionMS, high);
    EXPECT_EQ(fixed.dwFileVersionLS, low);
    EXPECT_EQ(fixed.dwProductVersionMS, high);
    EXPECT_EQ(fixed.dwProductVersionLS, low);
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed.dwFileFlags & fixed.dwFileFlagsMask, 0u) << "not a debug or pre-release build";
    // The one version source and the numbers agree.
    EXPECT_EQ(std::to_string(TOLVAN_VERSION_MAJOR) + '.' + std::to_string(TOLVAN_VERSION_MINOR) +
                  '.' + std::to_string(TOLVAN_VERSION_PATCH) + '.' +
                  std::to_string(TOLVAN_VERSION_TWEAK),
              TOLVAN_VERSION_STRING);
}

TEST_F(VersionResource, TranslationIsUsEnglishInUnicode)
{
    const auto [value, length] = Query(L"\\VarFileInfo\\Translation");
    ASSERT_EQ(length, 4u);
    WORD pair[2]{};
    std::memcpy(pair, value, sizeof pair);
    EXPECT_EQ(pair[0], 0x0409);
    EXPECT_EQ(pair[1], 1200);
}

TEST_F(VersionResource, StringsNameTheProductAndItsMaker)
{
    const std::pair<const wchar_t*, std::wstring> strings[] = {
        {L"CompanyName", L"Kavrenta"},
        {L"ProductName", L"Tolvan"},
        {L"FileDescription", L"Windows startup programs manager"},
        {L"FileVersion", Widen(TOLVAN_VERSION_STRING)},
        {L"ProductVersion", Widen(TOLVAN_VERSION_STRING)},
        {L"InternalName", L"tolvan"},
        {L"OriginalFilename", L"tolvan.exe"},
        {L"LegalCopyright", L"Copyright (C) 2026 Kavrenta"}};
    for (const auto& [name, expected] : strings) {
        const std::wstring subBlock = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        const auto [value, length] = Query(subBlock);
        ASSERT_NE(value, nullptr) << std::string(subBlock.begin(), subBlock.end());
        EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), expected)
            << std::string(subBlock.begin(), subBlock.end());
    }
}

} // namespace
