// The file chooser: how an initial path becomes the dialog's folder and proposed name, and what
// comes back from the dialog.
#include "portable/ScriptedFileDialogs.h"
#include "ui/FileChooser.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using platform::OpenFileRequest;

class ChooseFile : public ::testing::Test {
protected:
    // Shows the chooser (cancelled) and hands back the request the dialog got.
    OpenFileRequest Shown(std::wstring_view initialPath)
    {
        EXPECT_FALSE(
            ui::ChooseFile(dialogs, 0x4242, L"Select a file", kAllFiles, initialPath).has_value());
        EXPECT_EQ(dialogs.shown.size(), 1u);
        OpenFileRequest request = dialogs.shown.empty() ? OpenFileRequest{} : dialogs.shown.back();
        dialogs.shown.clear();
        return request;
    }

    const platform::FileFilter kAllFiles{L"All Files", L"*.*"};
    platform::portable::ScriptedFileDialogs dialogs;
};

TEST_F(ChooseFile, SplitsTheInitialPathAtTheLastBackslash)
{
    const OpenFileRequest full = Shown(L"C:\\Program Files\\App\\app.exe");
    EXPECT_EQ(full.initialFolder, L"C:\\Program Files\\App\\");
    EXPECT_EQ(full.proposedName, L"app.exe");
    EXPECT_EQ(full.owner, 0x4242u);
    EXPECT_EQ(full.title, L"Select a file");
    ASSERT_EQ(full.filters.size(), 1u);
    EXPECT_EQ(full.filters[0].description, L"All Files");
    EXPECT_EQ(full.filters[0].pattern, L"*.*");

    const OpenFileRequest root = Shown(L"C:\\");
    EXPECT_EQ(root.initialFolder, L"C:\\");
    EXPECT_EQ(root.proposedName, L"");

    const OpenFileRequest bare = Shown(L"tray.exe");
    EXPECT_EQ(bare.initialFolder, L"");
    EXPECT_EQ(bare.proposedName, L"tray.exe");

    for (const std::wstring_view blank : {L"", L"   "}) {
        const OpenFileRequest none = Shown(blank);
        EXPECT_EQ(none.initialFolder, L"");
        EXPECT_EQ(none.proposedName, L"");
    }
}

TEST_F(ChooseFile, ANameTooLongForTheDialogIsNotProposed)
{
    const std::wstring longest(platform::FileDialogs::kLongestPath, L'a');
    EXPECT_EQ(Shown(L"C:\\" + longest).proposedName, longest);
    const OpenFileRequest tooLong = Shown(L"C:\\" + longest + L"b");
    EXPECT_EQ(tooLong.initialFolder, L"C:\\");
    EXPECT_EQ(tooLong.proposedName, L"");
}

TEST_F(ChooseFile, TheChosenFileComesBackWhole)
{
    dialogs.answers.emplace_back(L"C:\\My Files\\a b.exe");
    EXPECT_EQ(ui::ChooseFile(dialogs, 0, L"t", kAllFiles, L""), L"C:\\My Files\\a b.exe");
}

} // namespace
} // namespace tolvan::test
