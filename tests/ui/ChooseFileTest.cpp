// The file chooser: how an initial path becomes the dialog's folder and proposed name, and what
// comes back from the dialog.
#include "platform/portable/ScriptedFileDialogs.h"
#include "ui/comdlg32_Open.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using platform::OpenFileRecord;
using namespace std::string_view_literals;

class ChooseFile : public ::testing::Test {
protected:
    // Shows the chooser (cancelled) and hands back the record the dialog got.
    OpenFileRecord Shown(std::wstring_view initialPath, bool folderOnly)
    {
        std::wstring chosen = L"unchanged";
        EXPECT_FALSE(comdlg32_Open::ChooseFile(dialogs, 0x4242, L"All Files\0*.*"sv, initialPath,
                                               L"Select a file", chosen, folderOnly));
        EXPECT_EQ(chosen, L"unchanged");
        EXPECT_EQ(dialogs.shown.size(), 1u);
        OpenFileRecord record = dialogs.shown.empty() ? OpenFileRecord{} : dialogs.shown.back();
        dialogs.shown.clear();
        return record;
    }

    static std::wstring Buffer(std::wstring_view name)
    {
        std::wstring buffer(name);
        buffer.resize(260, L'\0');
        return buffer;
    }

    platform::portable::ScriptedFileDialogs dialogs;
};

TEST_F(ChooseFile, SplitsTheInitialPathAtTheLastBackslash)
{
    const OpenFileRecord full = Shown(L"C:\\Program Files\\App\\app.exe", false);
    EXPECT_EQ(full.initialFolder, L"C:\\Program Files\\App\\");
    EXPECT_EQ(full.file, Buffer(L"app.exe"));
    EXPECT_EQ(full.owner, 0x4242u);
    EXPECT_EQ(full.flags, 0x00081004u);
    EXPECT_EQ(full.filterIndex, 0u);
    EXPECT_EQ(full.title, L"Select a file");
    EXPECT_EQ(full.filter, std::wstring(L"All Files\0*.*\0\0", 15));

    const OpenFileRecord root = Shown(L"C:\\", false);
    EXPECT_EQ(root.initialFolder, L"C:\\");
    EXPECT_EQ(root.file, Buffer(L""));

    const OpenFileRecord bare = Shown(L"tray.exe", false);
    EXPECT_EQ(bare.initialFolder, L"");
    EXPECT_EQ(bare.file, Buffer(L"tray.exe"));

    for (const std::wstring_view blank : {L"", L"   "}) {
        const OpenFileRecord none = Shown(blank, false);
        EXPECT_EQ(none.initialFolder, L"");
        EXPECT_EQ(none.file, Buffer(L""));
    }
}

TEST_F(ChooseFile, FolderOnlyNeverProposesAName)
{
    const OpenFileRecord full = Shown(L"D:\\Tools\\tool.exe", true);
    EXPECT_EQ(full.initialFolder, L"D:\\Tools\\");
    EXPECT_EQ(full.file, Buffer(L""));
    EXPECT_EQ(Shown(L"tool.exe", true).file, Buffer(L""));
}

TEST_F(ChooseFile, ANameTooLongForTheBufferIsNotProposed)
{
    const std::wstring longest(259, L'a');
    EXPECT_EQ(Shown(L"C:\\" + longest, false).file, longest + L'\0');
    const OpenFileRecord tooLong = Shown(L"C:\\" + longest + L"b", false);
    EXPECT_EQ(tooLong.initialFolder, L"C:\\");
    EXPECT_EQ(tooLong.file, Buffer(L""));
}

TEST_F(ChooseFile, AChosenFileComesBackWithoutItsNuls)
{
    dialogs.answers.push_back({L"C:\\My Files\\a b.exe", 1});
    std::wstring chosen;
    EXPECT_TRUE(
        comdlg32_Open::ChooseFile(dialogs, 0, L"All Files\0*.*"sv, L"", L"t", chosen, false));
    EXPECT_EQ(chosen, L"C:\\My Files\\a b.exe");
}

TEST_F(ChooseFile, ShowOpenFileWritesTheFilterIndexBackOnlyWhenAFileWasChosen)
{
    std::int16_t filterIndex = 0;
    std::wstring chosen = L"before";
    EXPECT_FALSE(comdlg32_Open::ShowOpenFile(dialogs, 0, L"A\0*.a\0B\0*.b"sv, filterIndex, L"", L"",
                                             L"t", 0, chosen));
    EXPECT_EQ(filterIndex, 0);
    EXPECT_EQ(chosen, L"before");

    dialogs.answers.push_back({L"C:\\x.b", 2});
    filterIndex = 1;
    EXPECT_TRUE(comdlg32_Open::ShowOpenFile(dialogs, 0, L"A\0*.a\0B\0*.b"sv, filterIndex, L"x.b",
                                            L"C:\\", L"t", 0x1000, chosen));
    EXPECT_EQ(filterIndex, 2);
    EXPECT_EQ(chosen, L"C:\\x.b");
    const OpenFileRecord& record = dialogs.shown.back();
    EXPECT_EQ(record.filterIndex, 1u);
    EXPECT_EQ(record.flags, 0x1000u);
    EXPECT_EQ(record.filter, std::wstring(L"A\0*.a\0B\0*.b\0\0", 13));
}

} // namespace
} // namespace tolvan::test
