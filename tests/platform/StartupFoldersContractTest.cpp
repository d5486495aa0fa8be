// The Startup folders' files and shortcuts: against the portable folders over a temporary drive,
// and under Wine against the shell's own link object, file functions and Recycle Bin.
#include "portable/CaseFold.h"
#include "portable/DriveMap.h"
#include "portable/HostName.h"
#include "portable/HostStartupFolders.h"

#ifdef _WIN32
#include "platform/win32/ComApartment.h"
#include "platform/win32/ComPointer.h"
#include "platform/win32/Win32StartupFolders.h"
#include "support/RecycleBin.h"

#include <windows.h>

#include <shobjidl.h>
#endif

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <system_error>
#include <utility>

namespace tolvan::test {
namespace {

using platform::FolderFile;
using platform::Shortcut;
using platform::StartupFolder;

constexpr platform::ErrorCode kFileNotFound = 2;
constexpr platform::ErrorCode kAlreadyExists = 183;
constexpr const wchar_t* kProductOnly = L"C:\\Program Files\\Kavrenta Minta\\product_only.exe";

std::wstring UniqueName(std::wstring_view prefix)
{
    static std::atomic<unsigned> counter{0};
    std::random_device seed;
    return std::wstring(prefix) + std::to_wstring(seed()) + L"-" + std::to_wstring(++counter);
}

// The folders and a fresh, empty working folder on drive C:, removed with all it holds when the
// backend goes.
class FoldersBackend {
public:
    virtual ~FoldersBackend() = default;
    [[nodiscard]] virtual platform::StartupFolders& Folders() noexcept = 0;
    [[nodiscard]] virtual std::filesystem::path HostPath(std::wstring_view windowsPath) = 0;
    virtual void MarkHiddenSystem(std::wstring_view windowsPath) = 0;
    // Whether the Recycle Bin holds the file that was at this path.
    [[nodiscard]] virtual bool Recycled(std::wstring_view windowsPath) = 0;
    // What PathOf must answer, where it is known ahead.
    [[nodiscard]] virtual std::optional<std::wstring> ExpectedPathOf(StartupFolder folder) = 0;
    // The bytes of a shortcut the shell's link object made to product_only.exe: made now under
    // Windows, kept from such a run for the portable folders.
    [[nodiscard]] virtual std::string ShellMadeShortcut(const std::wstring& path) = 0;

    std::wstring root = L"C:\\" + UniqueName(L"tolvan-folders-");
};

class PortableFolders final : public FoldersBackend {
public:
    PortableFolders()
    {
        const std::filesystem::path drive =
            std::filesystem::temp_directory_path() / UniqueName(L"tolvan-drive-");
        made_ = drive;
        std::filesystem::create_directories(drive / "Recycle Bin");
        drives_.Map(L'C', drive);
        folders_.recycleBin = drive / "Recycle Bin";
        folders_.userFolder = L"C:\\Users\\Ada\\Start Menu\\Programs\\Startup";
        folders_.commonFolder = L"C:\\ProgramData\\Start Menu\\Programs\\Startup";
    }
    ~PortableFolders() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(made_, ignored);
    }
    PortableFolders(const PortableFolders&) = delete;
    PortableFolders& operator=(const PortableFolders&) = delete;

    platform::StartupFolders& Folders() noexcept override { return folders_; }
    std::filesystem::path HostPath(std::wstring_view windowsPath) override
    {
        return drives_.Resolve(windowsPath).value();
    }
    void MarkHiddenSystem(std::wstring_view windowsPath) override
    {
        folders_.SetAttributes(windowsPath, true, true);
    }
    bool Recycled(std::wstring_view windowsPath) override
    {
        const std::wstring_view name = windowsPath.substr(windowsPath.rfind(L'\\') + 1);
        return std::ranges::count(folders_.recycled, windowsPath) == 1 &&
               std::filesystem::exists(folders_.recycleBin / platform::portable::ToHostName(name));
    }
    std::optional<std::wstring> ExpectedPathOf(StartupFolder folder) override
    {
        return folder == StartupFolder::CurrentUser ? folders_.userFolder : folders_.commonFolder;
    }
    std::string ShellMadeShortcut(const std::wstring& /*path*/) override
    {
        std::ifstream in(TOLVAN_SHELL_LINK_SEEDS "/product-only.lnk", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

private:
    std::filesystem::path made_;
    platform::portable::DriveMap drives_;
    platform::portable::HostStartupFolders folders_{drives_};
};

#ifdef _WIN32
class Win32Folders final : public FoldersBackend {
public:
    ~Win32Folders() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(root), ignored);
        for (const std::wstring& name : recycled_) {
            ForgetRecycled(name);
        }
    }

    platform::StartupFolders& Folders() noexcept override { return folders_; }
    std::filesystem::path HostPath(std::wstring_view windowsPath) override
    {
        return std::filesystem::path(windowsPath);
    }
    void MarkHiddenSystem(std::wstring_view windowsPath) override
    {
        const std::wstring path(windowsPath);
        ASSERT_NE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
                  FALSE);
    }
    bool Recycled(std::wstring_view windowsPath) override
    {
        const std::wstring name(windowsPath.substr(windowsPath.rfind(L'\\') + 1));
        recycled_.push_back(name);
        return RecycleBinHolds(name);
    }
    std::optional<std::wstring> ExpectedPathOf(StartupFolder /*folder*/) override
    {
        return std::nullopt; // the prefix's own
    }
    std::string ShellMadeShortcut(const std::wstring& path) override
    {
        EXPECT_EQ(folders_.WriteShortcut(path, {kProductOnly, L""}), 0u);
        std::ifstream in(HostPath(path), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

private:
    platform::win32::Win32StartupFolders folders_;
    std::vector<std::wstring> recycled_;
};
#endif

struct FoldersKind {
    std::string name;
    std::function<std::unique_ptr<FoldersBackend>()> make;
};

void PrintTo(const FoldersKind& kind, std::ostream* out)
{
    *out << kind.name;
}

std::vector<FoldersKind> AllFoldersBackends()
{
    std::vector<FoldersKind> kinds{
        {"portable", [] { return std::make_unique<PortableFolders>(); }},
    };
#ifdef _WIN32
    kinds.push_back({"win32", [] { return std::make_unique<Win32Folders>(); }});
#endif
    return kinds;
}

class StartupFoldersContract : public ::testing::TestWithParam<FoldersKind> {
protected:
    void SetUp() override
    {
        backend = GetParam().make();
        root = backend->root;
        std::filesystem::create_directories(backend->HostPath(root));
    }

    platform::StartupFolders& Folders() { return backend->Folders(); }
    [[nodiscard]] std::wstring In(std::wstring_view name) const
    {
        std::wstring path = root + L"\\";
        path += name;
        return path;
    }

    void PutFile(std::wstring_view path, std::string_view bytes = "")
    {
        std::ofstream out(backend->HostPath(path), std::ios::binary);
        out << bytes;
        out.close();
        ASSERT_TRUE(out);
    }
    // A shortcut made by the folders themselves, and so in the form they read.
    void PutShortcut(const platform::NulTerminated& path, const Shortcut& shortcut)
    {
        ASSERT_EQ(Folders().WriteShortcut(path, shortcut), 0u);
    }

    // The files FilesIn lists, by name.
    std::vector<FolderFile> Listed(const platform::NulTerminated& folder)
    {
        std::vector<FolderFile> files;
        EXPECT_EQ(Folders().FilesIn(folder, files), 0u);
        std::ranges::sort(files, {}, &FolderFile::name);
        return files;
    }
    std::vector<std::wstring> NamesIn(const platform::NulTerminated& folder)
    {
        std::vector<std::wstring> names;
        for (FolderFile& file : Listed(folder)) {
            names.push_back(std::move(file.name));
        }
        return names;
    }

    std::unique_ptr<FoldersBackend> backend;
    std::wstring root;
};

bool EndsWithStartup(std::wstring_view path)
{
    constexpr std::wstring_view kLast = L"\\Startup";
    return path.size() >= kLast.size() &&
           platform::portable::EqualsIgnoringCase(path.substr(path.size() - kLast.size()), kLast);
}

TEST_P(StartupFoldersContract, NamesTheUsersAndTheCommonStartupFolder)
{
    const std::optional<std::wstring> user = Folders().PathOf(StartupFolder::CurrentUser);
    const std::optional<std::wstring> common = Folders().PathOf(StartupFolder::AllUsers);
    ASSERT_TRUE(user.has_value());
    ASSERT_TRUE(common.has_value());
    EXPECT_TRUE(EndsWithStartup(*user)) << *user;
    EXPECT_TRUE(EndsWithStartup(*common)) << *common;
    EXPECT_NE(*user, *common);
    if (const auto expected = backend->ExpectedPathOf(StartupFolder::CurrentUser)) {
        EXPECT_EQ(user, expected);
        EXPECT_EQ(common, backend->ExpectedPathOf(StartupFolder::AllUsers));
    }
}

TEST_P(StartupFoldersContract, ListsTheFilesWithTheirAttributesAndNoFolders)
{
    PutShortcut(In(L"Mail.lnk"), {L"C:\\Mail\\mail.exe", L""});
    PutFile(In(L"desktop.ini"), "[.ShellClassInfo]\r\n");
    backend->MarkHiddenSystem(In(L"desktop.ini"));
    PutFile(In(L"Árvíztűrő.txt"));
    std::filesystem::create_directories(backend->HostPath(In(L"Tools.lnk")));
    PutFile(In(L"Tools.lnk\\inner.lnk"));

    const std::vector<FolderFile> files = Listed(root);
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].name, L"Mail.lnk");
    EXPECT_FALSE(files[0].hidden || files[0].system);
    EXPECT_EQ(files[1].name, L"desktop.ini");
    EXPECT_TRUE(files[1].hidden && files[1].system);
    EXPECT_EQ(files[2].name, L"Árvíztűrő.txt");
    EXPECT_FALSE(files[2].hidden || files[2].system);

    EXPECT_EQ(NamesIn(root + L"\\"), NamesIn(root));
    std::vector<FolderFile> none;
    EXPECT_EQ(Folders().FilesIn(In(L"No such folder"), none), platform::kPathNotFound);
    EXPECT_TRUE(none.empty());
}

TEST_P(StartupFoldersContract, ShortcutsReadBackAsWritten)
{
    const std::vector<Shortcut> written{
        {L"C:\\Tools\\agent.exe", L"/background --port 8080"},
        {L"C:\\Tools\\agent.exe", L""},
        {L"C:\\Program Files\\Sync Tool\\sync tool.exe", L"\"C:\\My Files\" -q"},
        // Not there: the stored path comes back unchanged, not searched for.
        {L"C:\\Removed long ago\\Ünnep.exe", L"-x"},
    };
    for (std::size_t i = 0; i < written.size(); ++i) {
        const std::wstring path = In(L"Entry " + std::to_wstring(i) + L".lnk");
        PutShortcut(path, written[i]);
        EXPECT_EQ(Folders().ReadShortcut(path), written[i]) << i;
    }

    // Writing again changes what it starts and keeps the shortcut's file.
    const std::wstring path = In(L"Entry 0.lnk");
    const Shortcut changed{L"C:\\Other\\b.exe", L"--new"};
    EXPECT_EQ(Folders().WriteShortcut(path, changed), 0u);
    EXPECT_EQ(Folders().ReadShortcut(path), changed);
    EXPECT_EQ(Folders().WriteShortcut(path, {L"C:\\Other\\b.exe", L""}), 0u);
    EXPECT_EQ(Folders().ReadShortcut(path), (Shortcut{L"C:\\Other\\b.exe", L""}));
    EXPECT_EQ(NamesIn(root).size(), written.size());
}

TEST_P(StartupFoldersContract, WhatIsNoShortcutIsNeitherReadNorOverwritten)
{
    const std::wstring garbage = In(L"Broken.lnk");
    using namespace std::string_literals;
    // The first four bytes of a shell link's header, and then nonsense.
    const std::string bytes = "L\0\0\0 not a shell link \xff\xfe"s;
    PutFile(garbage, bytes);
    EXPECT_FALSE(Folders().ReadShortcut(garbage).has_value());
    EXPECT_NE(Folders().WriteShortcut(garbage, {L"C:\\x.exe", L""}), 0u);
    std::ifstream in(backend->HostPath(garbage), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes);

    EXPECT_FALSE(Folders().ReadShortcut(In(L"Missing.lnk")).has_value());
    EXPECT_FALSE(Folders().ReadShortcut(root).has_value());
    EXPECT_EQ(Folders().WriteShortcut(In(L"No such folder\\a.lnk"), {L"C:\\x.exe", L""}),
              platform::kPathNotFound);
}

std::uint32_t LittleEndianAt(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.at(at + i)))
                 << (8 * i);
    }
    return value;
}

TEST_P(StartupFoldersContract, AShortcutWhoseLengthsRunPastItsEndIsNotRead)
{
    const std::wstring path = In(L"Product.lnk");
    const std::string made = backend->ShellMadeShortcut(path);
    PutFile(path, made);
    ASSERT_EQ(Folders().ReadShortcut(path), (Shortcut{kProductOnly, L""}));

    // The link info follows the header (76 bytes) and the ID list; its volume block is where
    // the link info's fourth number points.
    const std::size_t linkInfo = 0x4C + 2 + LittleEndianAt(made, 0x4C) % 0x10000;
    const std::size_t volume = linkInfo + LittleEndianAt(made, linkInfo + 12);
    for (const auto& [at, what] :
         {std::pair{volume, "volume size"}, std::pair{volume + 12, "label"},
          std::pair{linkInfo, "link info size"}}) {
        std::string damaged = made;
        damaged.replace(at, 4, "\x01\x00\x6c\xfe", 4); // 0xFE6C0001
        PutFile(path, damaged);
        EXPECT_FALSE(Folders().ReadShortcut(path).has_value()) << what;
        EXPECT_NE(Folders().WriteShortcut(path, {L"C:\\x.exe", L""}), 0u) << what;
    }
}

#ifdef _WIN32
// The target and arguments the shell's link object reads from the file.
std::optional<Shortcut> ReadByTheShell(const std::wstring& path)
{
    const platform::win32::ComApartment com;
    platform::win32::ComPointer<IShellLinkW> link;
    platform::win32::ComPointer<IPersistFile> file;
    std::wstring target(32768, L'\0');
    std::wstring arguments(32768, L'\0');
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(link.put()))) ||
        FAILED(link.get()->QueryInterface(IID_PPV_ARGS(file.put()))) ||
        FAILED(file.get()->Load(path.c_str(), STGM_READ)) ||
        FAILED(link.get()->GetPath(target.data(), static_cast<int>(target.size()), nullptr,
                                   SLGP_RAWPATH)) ||
        FAILED(link.get()->GetArguments(arguments.data(), static_cast<int>(arguments.size())))) {
        return std::nullopt;
    }
    target.resize(target.find(L'\0'));
    arguments.resize(arguments.find(L'\0'));
    return Shortcut{target, arguments};
}

TEST(ShellLinkDifferential, ReadsShortcutsAsTheShellsLinkObjectReadsThem)
{
    Win32Folders backend;
    const std::wstring& root = backend.root;
    const std::wstring existing = root + L"\\Kavrenta Minta\\there.exe";
    std::filesystem::create_directories(backend.HostPath(existing).parent_path());
    std::ofstream(backend.HostPath(existing)) << "MZ";
    const std::vector<Shortcut> corpus{
        {kProductOnly, L""},
        {existing, L"-a \"b c\" --port=8080"},
        {L"C:\\Program Files\\Kavrenta\\agent.exe", L"/background /min"},
        {L"%ProgramFiles%\\Kavrenta Minta\\product_only.exe", L"/min"},
        {L"%SystemRoot%\\system32\\notepad.exe", L""},
        {L"\\\\server\\share\\x.exe", L""},
        {L"\\\\server\\share with space\\Tools\\y.exe", L"--flag"},
        {L"C:\\Programs\\Árvíztűrő tükörfúrógép\\日本語.exe", L"é ő 日本"},
        {L"C:\\Removed long ago\\missing.exe", L"-x"},
        {L"notepad.exe", L""},
        {L"", L"arguments only"},
    };
    for (std::size_t i = 0; i < corpus.size(); ++i) {
        const std::wstring path = root + L"\\Entry " + std::to_wstring(i) + L".lnk";
        ASSERT_EQ(backend.Folders().WriteShortcut(path, corpus[i]), 0u) << i;
        const std::optional<Shortcut> shell = ReadByTheShell(path);
        ASSERT_TRUE(shell.has_value()) << i;
        EXPECT_EQ(backend.Folders().ReadShortcut(path), shell) << i;
    }
}
#endif

TEST_P(StartupFoldersContract, MovesAndRenamesButNeverReplaces)
{
    const Shortcut agent{L"C:\\Tools\\agent.exe", L"-q"};
    PutShortcut(In(L"agent.lnk"), agent);
    backend->MarkHiddenSystem(In(L"agent.lnk"));
    PutFile(In(L"other.txt"), "other");
    const std::wstring elsewhere = In(L"Disabled");
    std::filesystem::create_directories(backend->HostPath(elsewhere));

    EXPECT_EQ(Folders().MoveFileTo(In(L"agent.lnk"), In(L"Agent renamed.lnk")), 0u);
    EXPECT_EQ(NamesIn(root), (std::vector<std::wstring>{L"Agent renamed.lnk", L"other.txt"}));
    EXPECT_EQ(Folders().MoveFileTo(In(L"Agent renamed.lnk"), elsewhere + L"\\agent.lnk"), 0u);
    EXPECT_EQ(NamesIn(root), (std::vector<std::wstring>{L"other.txt"}));
    const std::vector<FolderFile> moved = Listed(elsewhere);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_TRUE(moved[0].hidden && moved[0].system);
    EXPECT_EQ(Folders().ReadShortcut(elsewhere + L"\\agent.lnk"), agent);

    // Only the letter case changes: the same file, renamed (Wine keeps the old spelling).
    EXPECT_EQ(Folders().MoveFileTo(In(L"other.txt"), In(L"OTHER.txt")), 0u);
    ASSERT_EQ(NamesIn(root).size(), 1u);

    EXPECT_EQ(Folders().MoveFileTo(elsewhere + L"\\agent.lnk", In(L"other.txt")), kAlreadyExists);
    EXPECT_EQ(Folders().ReadShortcut(elsewhere + L"\\agent.lnk"), agent);
    EXPECT_EQ(Folders().MoveFileTo(In(L"missing.lnk"), In(L"new.lnk")), kFileNotFound);
    EXPECT_EQ(Folders().MoveFileTo(elsewhere + L"\\agent.lnk", In(L"No such folder\\agent.lnk")),
              platform::kPathNotFound);
    EXPECT_EQ(NamesIn(elsewhere), (std::vector<std::wstring>{L"agent.lnk"}));
}

TEST_P(StartupFoldersContract, RecyclesAFileOutOfItsFolder)
{
    const std::wstring path = In(UniqueName(L"recycled-") + L".lnk");
    PutShortcut(path, {L"C:\\Tools\\agent.exe", L""});
    PutFile(In(L"kept.txt"));

    EXPECT_EQ(Folders().RecycleFile(path), 0u);
    EXPECT_EQ(NamesIn(root), (std::vector<std::wstring>{L"kept.txt"}));
    EXPECT_TRUE(backend->Recycled(path));

    EXPECT_EQ(Folders().RecycleFile(path), kFileNotFound);
    EXPECT_EQ(Folders().RecycleFile(In(L"No such folder\\a.lnk")), platform::kPathNotFound);
    EXPECT_EQ(NamesIn(root), (std::vector<std::wstring>{L"kept.txt"}));
}

INSTANTIATE_TEST_SUITE_P(Platforms, StartupFoldersContract,
                         ::testing::ValuesIn(AllFoldersBackends()),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace tolvan::test
