// Works with the Startup folders for the end-to-end driver, through the same platform code the
// program uses: where the folders are, shortcuts made and read back, and whether a file went to
// the Recycle Bin (as the shell's Recycle Bin folder lists it; under Wine that folder shows the
// host user's XDG trash).
// Usage: tolvan_shortcut_tool folder user|common | make PATH TARGET [ARGUMENTS] | read PATH |
//        recycled NAME | forget NAME
// "forget" removes a recycled file of that name from Wine's trash for good, so a run leaves the
// host's trash as it found it.
#include "RecycleBin.h"
#include "ToolWindows.h"
#include "platform/win32/Win32StartupFolders.h"

#include <windows.h>

#include <shellapi.h>
#include <string>
#include <string_view>

namespace {

using tolvan::e2e::Print;

int FolderPath(platform::StartupFolders& folders, std::wstring_view which)
{
    if (which != L"user" && which != L"common") {
        return 2;
    }
    const std::optional<std::wstring> path =
        folders.PathOf(which == L"user" ? platform::StartupFolder::CurrentUser
                                        : platform::StartupFolder::AllUsers);
    if (!path) {
        Print(L"no such folder");
        return 1;
    }
    Print(*path);
    return 0;
}

int MakeShortcut(platform::StartupFolders& folders, const platform::NulTerminated& path,
                 const platform::Shortcut& shortcut)
{
    const platform::ErrorCode result = folders.WriteShortcut(path, shortcut);
    if (result != 0) {
        Print(L"error " + std::to_wstring(result));
        return 1;
    }
    return 0;
}

int ReadShortcut(platform::StartupFolders& folders, const platform::NulTerminated& path)
{
    const std::optional<platform::Shortcut> shortcut = folders.ReadShortcut(path);
    if (!shortcut) {
        Print(L"not a shortcut");
        return 1;
    }
    Print(shortcut->target + L"\t" + shortcut->arguments);
    return 0;
}

} // namespace

int main()
{
    int argc = 0;
    // Freed when the process ends, a moment later.
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 3) {
        return 2;
    }
    const std::wstring_view command = argv[1];
    const std::wstring_view operand = argv[2];
    platform::win32::Win32StartupFolders folders;
    if (command == L"folder") {
        return FolderPath(folders, operand);
    }
    if (command == L"make" && (argc == 4 || argc == 5)) {
        return MakeShortcut(folders, argv[2], {argv[3], argc == 5 ? argv[4] : L""});
    }
    if (command == L"read") {
        return ReadShortcut(folders, argv[2]);
    }
    if (command == L"recycled") {
        Print(tolvan::test::RecycleBinHolds(operand) ? L"1" : L"0");
        return 0;
    }
    if (command == L"forget") {
        tolvan::test::ForgetRecycled(operand);
        return 0;
    }
    return 2;
}
