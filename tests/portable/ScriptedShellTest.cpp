// The scripted shell that the interface's tests read back: each folder window and Properties
// sheet asked for, in order, with its owner, answered as the test says.
#include "portable/ScriptedShell.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using Shell = platform::portable::ScriptedShell;

TEST(ScriptedShell, RecordsEveryFileActionInOrderAndAnswersAsSet)
{
    Shell shell;
    EXPECT_TRUE(shell.ShowInFolder(0x10, L"C:\\Apps\\a.exe"));
    shell.showsFiles = false;
    EXPECT_FALSE(shell.ShowProperties(0x20, L"C:\\Apps\\b.exe"));
    ASSERT_EQ(shell.shellActions.size(), 2u);
    EXPECT_EQ(shell.shellActions[0].kind, Shell::ShellActionKind::ShowInFolder);
    EXPECT_EQ(shell.shellActions[0].owner, 0x10u);
    EXPECT_EQ(shell.shellActions[0].path, L"C:\\Apps\\a.exe");
    EXPECT_EQ(shell.shellActions[1].kind, Shell::ShellActionKind::ShowProperties);
    EXPECT_EQ(shell.shellActions[1].owner, 0x20u);
    EXPECT_EQ(shell.shellActions[1].path, L"C:\\Apps\\b.exe");
    EXPECT_TRUE(shell.openedAddresses.empty());
}

} // namespace
} // namespace tolvan::test
