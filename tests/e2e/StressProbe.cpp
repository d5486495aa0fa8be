// The stress run's hands on the registry and on the running tolvan.exe: seeds the Run keys fast
// (RegSetValueExW, not one reg.exe per value), captures and puts back the keys byte for byte,
// works the tool through its own controls and reads what its process holds.
// Usage: tolvan_stress_probe COMMAND [ARGS...]; prints "ok: ..."/"FAILED: ..." lines and exits
// non-zero when a check fails. Commands:
//   snapshot FILE | restore FILE | diff BEFORE AFTER   (AFTER may be "now")
//   seed-many COUNT FIXTURE_EXE | seed-leak COUNT | seed-odd | seed-bad | language 0|1 | unmanaged
//   deny user|machine read|change SAVE_FILE | allow user|machine SAVE_FILE
//   set-counted user|machine NAME COMMAND | list-counted user|machine   (| in a name: a NUL)
//   alive | responsive SECONDS | count | item INDEX | find TEXT (index or -1) | sorted | select
//   INDEX | dialogs | box | edit COMMAND | delete | delete-refused | close-box | check-odd |
//   check-bad | trickle |
//   leak DELETES OPENINGS
#include "CountedNames.h"
#include "KeyAccess.h"
#include "OwnedHandles.h"
#include "RegistrySnapshot.h"
#include "ResourceCounters.h"
#include "StressValues.h"
#include "ToolDriving.h"
#include "ToolWindows.h"

#include <windows.h>

#include <algorithm>
#include <shellapi.h>
#include <string>
#include <vector>

namespace {

using namespace tolvan::e2e;

constexpr wchar_t kRunPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr DWORD kAliveBound = 120'000;

// The probe runs one command and ends: its checks count into this one tally.
int failures = 0; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

void Check(bool passed, const std::wstring& what)
{
    Print((passed ? L"ok: " : L"FAILED: ") + what);
    if (!passed) {
        ++failures;
    }
}

int Result()
{
    return failures == 0 ? 0 : 1;
}

// The data as the tool's labels show it: the UTF-16 units, up to the first NUL.
std::wstring ShownCommand(const std::vector<std::uint8_t>& data)
{
    std::wstring text;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const auto unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (unit == L'\0') {
            break;
        }
        text += unit;
    }
    return text;
}

int ItemIndexOf(HWND main, const std::wstring& text)
{
    const int count = ItemCount(main);
    HWND list = ListBox(main);
    for (int i = 0; i < count; ++i) {
        if (ItemText(list, i) == text) {
            return i;
        }
    }
    return -1;
}

// Sends the window a message every 50 ms for the given seconds: each must be answered within
// 100 ms, the most a user waits without noticing.
int AnswersThroughout(HWND main, int seconds)
{
    constexpr DWORD kBound = 100;
    constexpr DWORD kInterval = 50;
    const ULONGLONG start = GetTickCount64();
    ULONGLONG longest = 0;
    int sent = 0;
    int late = 0;
    while (GetTickCount64() - start < static_cast<ULONGLONG>(seconds) * 1000) {
        const ULONGLONG before = GetTickCount64();
        late += Answers(main, kBound) ? 0 : 1;
        longest = std::max(longest, GetTickCount64() - before);
        ++sent;
        Sleep(kInterval);
    }
    Check(late == 0, L"the main window answers within 100 ms for " + std::to_wstring(seconds) +
                         L" s (" + std::to_wstring(sent) + L" messages, " + std::to_wstring(late) +
                         L" late, longest wait " + std::to_wstring(longest) + L" ms)");
    return Result();
}

int CheckSorted(HWND main)
{
    const int count = ItemCount(main);
    HWND list = ListBox(main);
    Print(L"items: " + std::to_wstring(count));
    std::wstring previous = count > 0 ? ItemText(list, 0) : std::wstring();
    int disorders = 0;
    for (int i = 1; i < count; ++i) {
        std::wstring item = ItemText(list, i);
        const int order =
            CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, previous.c_str(),
                            static_cast<int>(previous.size()), item.c_str(),
                            static_cast<int>(item.size()), nullptr, nullptr, 0);
        if (order == CSTR_GREATER_THAN || order == 0) {
            if (++disorders <= 5) {
                Print(L"out of order at " + std::to_wstring(i) + L": " + Escaped(previous) +
                      L" / " + Escaped(item));
            }
        }
        previous = std::move(item);
    }
    Check(disorders == 0,
          L"adjacent items in order (" + std::to_wstring(disorders) + L" out of order)");
    return Result();
}

int CheckOdd(HWND main)
{
    for (const OddValue& value : OddValues()) {
        const int index = ItemIndexOf(main, value.listed);
        Check(index >= 0, value.what + L" is listed as \"" + Escaped(value.listed, 60) + L"\"");
        if (index < 0) {
            continue;
        }
        Check(SelectItem(main, index) && Answers(main, kAliveBound),
              value.what + L": selecting it leaves the tool answering");
        Check(TextOf(MainControl(main, L"nameField")) == value.name,
              value.what + L": the details show the name as stored");
        Check(TextOf(MainControl(main, L"valueField")) == ShownCommand(value.data),
              value.what + L": the details show the command as stored, up to a NUL");
    }
    return Result();
}

int CheckBad(HWND main)
{
    for (const BadFileValue& value : BadFileValues()) {
        const int index = FindItem(main, value.name + L";  (");
        Check(index >= 0, value.name + L" is listed");
        if (index < 0) {
            continue;
        }
        Check(SelectItem(main, index) && Answers(main, kAliveBound),
              value.name + L": selecting it leaves the tool answering");
        const std::wstring status = TextOf(MainControl(main, L"descriptionLabel"));
        Check(status == value.status, value.name + L" shows \"" + status + L"\"");
        Check(TextOf(MainControl(main, L"productLabel")).empty(), value.name + L": no product");
    }
    Check(ShownDialog(main) == nullptr, L"no message box");
    return Result();
}

// A counter that answered before must answer after (a counter that stops answering, or drops to
// nothing, is broken, not fixed), and may then exceed its start by the slack alone.
void CheckCounter(const wchar_t* name, long long before, long long after, long long slack)
{
    if (before < 0) {
        Print(std::wstring(name) + L": not provided by this system");
        return;
    }
    Check(after > 0, std::wstring(name) + L" still answers (" + std::to_wstring(after) + L")");
    Check(after - before <= slack, std::wstring(name) + L": " + std::to_wstring(before) + L" -> " +
                                       std::to_wstring(after) + L" (slack " +
                                       std::to_wstring(slack) + L")");
}

bool DeleteFirstLeakValue(HWND main)
{
    const int index = FindItem(main, kLeakPrefix);
    return index >= 0 && SelectItem(main, index) && DeleteSelected(main);
}

// The counts once the tool is at rest: each refill starts reader threads of its own and ends
// them, so a count taken while one runs holds their handles. Counted again until two counts in a
// row agree, for at most a few seconds.
ResourceCounts SettledCounts(HWND main)
{
    ResourceCounts last = CountResources(main);
    for (int tries = 0; tries < 20; ++tries) {
        Sleep(250);
        const ResourceCounts now = CountResources(main);
        if (now.handles == last.handles && now.handleList == last.handleList) {
            return now;
        }
        last = now;
    }
    return last;
}

int Leak(HWND main, int deletes, int openings)
{
    const ResourceCounts loaded = CountResources(main);
    Print(L"after the first refill: " + Describe(loaded));
    // The first New and the first Delete make what Windows builds once and keeps: the editor's
    // window class, the message box's icon and fonts.
    Check(NewAndCancel(main), L"warm-up: New and Esc");
    Check(DeleteFirstLeakValue(main), L"warm-up: Delete confirmed");
    const ResourceCounts before = SettledCounts(main);
    Print(L"after warm-up: " + Describe(before));
    int deleted = 1;
    int opened = 1;
    while ((deleted < deletes || opened < openings) && failures == 0) {
        if (deleted < deletes) {
            ++deleted;
            if (!DeleteFirstLeakValue(main)) {
                Check(false, L"Delete " + std::to_wstring(deleted));
            }
        }
        if (opened < openings) {
            ++opened;
            if (!NewAndCancel(main)) {
                Check(false, L"New and Esc " + std::to_wstring(opened));
            }
        }
    }
    Check(failures == 0, L"every Delete and every New and Esc went through");
    const ResourceCounts after = SettledCounts(main);
    Print(L"after " + std::to_wstring(deleted + opened) + L" refills and " +
          std::to_wstring(opened) + L" openings of the editor: " + Describe(after));
    // A leak of one object per command would show as dozens (50 openings, 150 deletions); the
    // slack covers what Windows and Wine create lazily on their own schedule and keep (a cached
    // brush or font of the list box, a timer-driven tooltip window, a handle of the Wine server's
    // message queue), never more than a few.
    constexpr long long kHandleSlack = 8;
    constexpr long long kGdiSlack = 8;
    constexpr long long kUserSlack = 4;
    CheckCounter(L"kernel handles", before.handles, after.handles, kHandleSlack);
    CheckCounter(L"kernel handles (system list)", before.handleList, after.handleList,
                 kHandleSlack);
    CheckCounter(L"GDI objects (GetGuiResources)", before.gdiObjects, after.gdiObjects, kGdiSlack);
    CheckCounter(L"USER objects (GetGuiResources)", before.userObjects, after.userObjects,
                 kUserSlack);
    CheckCounter(L"GDI objects (handle table)", before.gdiTable, after.gdiTable, kGdiSlack);
    CheckCounter(L"windows", before.windows, after.windows, kUserSlack);
    Check(before.handles >= 0 || before.handleList >= 0, L"some count of kernel handles works");
    Check(before.gdiObjects >= 0 || before.gdiTable >= 0, L"some count of GDI objects works");
    Check(before.userObjects >= 0 || before.windows >= 0, L"some count of USER objects works");
    return Result();
}

// A program that writes its Run value every 150 ms for four seconds: the tool must list the
// value within two seconds of the first write, although the changes never pause.
int Trickle(HWND main)
{
    constexpr wchar_t kName[] = L"0 tolvan trickle";
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        Check(false, L"the Run key opens for writing");
        return Result();
    }
    const ULONGLONG start = GetTickCount64();
    ULONGLONG listedAfter = 0;
    for (int write = 0; GetTickCount64() - start < 4000; ++write) {
        const std::wstring data = L"trickle.exe /" + std::to_wstring(write);
        (void)RegSetValueExW(key, kName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                             static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
        if (listedAfter == 0 && FindItem(main, kName) >= 0) {
            listedAfter = GetTickCount64() - start;
        }
        Sleep(150);
    }
    (void)RegDeleteValueW(key, kName);
    RegCloseKey(key);
    Check(listedAfter > 0 && listedAfter <= 2000, L"a value written every 150 ms is listed after " +
                                                      std::to_wstring(listedAfter) +
                                                      L" ms (at most 2000)");
    return Result();
}

int WithTool(const std::wstring& command, const std::vector<std::wstring>& args)
{
    HWND tool = MainWindow();
    if (tool == nullptr) {
        Print(L"FAILED: no main window");
        return 1;
    }
    if (command == L"alive") {
        Check(Answers(tool, kAliveBound), L"the main window answers");
        return Result();
    }
    if (command == L"responsive" && args.size() == 1) {
        return AnswersThroughout(tool, std::stoi(args[0]));
    }
    if (command == L"item" && args.size() == 1) {
        Print(ItemText(ListBox(tool), std::stoi(args[0])));
        return 0;
    }
    if (command == L"find" && args.size() == 1) {
        const LRESULT found =
            SendMessageW(ListBox(tool), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(args[0].c_str()));
        Print(std::to_wstring(found == LB_ERR ? -1 : found));
        return 0;
    }
    if (command == L"trickle") {
        return Trickle(tool);
    }
    if (command == L"count") {
        Print(std::to_wstring(ItemCount(tool)));
        return 0;
    }
    if (command == L"sorted") {
        return CheckSorted(tool);
    }
    if (command == L"select" && args.size() == 1) {
        Check(SelectItem(tool, std::stoi(args[0])) && Answers(tool, kAliveBound),
              L"item " + args[0] + L" selected");
        return Result();
    }
    if (command == L"dialogs") {
        Print(ShownDialog(tool) == nullptr ? L"0" : L"1");
        return 0;
    }
    if (command == L"edit" && args.size() == 1) {
        Check(EditCommand(tool, args[0]), L"Edit and Save");
        return Result();
    }
    if (command == L"delete") {
        Check(DeleteSelected(tool), L"Delete confirmed");
        return Result();
    }
    if (command == L"delete-refused") {
        // The box stays open, for a look at it; close-box closes it.
        HWND box = DeleteAnsweredByABox(tool);
        Check(box != nullptr, L"a refused Delete is answered by a message box");
        if (box != nullptr) {
            Print(BoxTexts(box));
        }
        return Result();
    }
    if (command == L"box") {
        HWND box = ShownDialog(tool);
        Check(box != nullptr, L"a message box is shown");
        if (box != nullptr) {
            Print(BoxTexts(box));
        }
        return Result();
    }
    if (command == L"close-box") {
        HWND box = ShownDialog(tool);
        Check(box != nullptr && CloseBox(tool, box),
              L"the message box closes and the tool answers again");
        return Result();
    }
    if (command == L"check-odd") {
        return CheckOdd(tool);
    }
    if (command == L"check-bad") {
        return CheckBad(tool);
    }
    if (command == L"leak" && args.size() == 2) {
        return Leak(tool, std::stoi(args[0]), std::stoi(args[1]));
    }
    return 2;
}

int WithRegistry(const std::wstring& command, const std::vector<std::wstring>& args)
{
    if (command == L"snapshot" && args.size() == 1) {
        return SaveSnapshot(TakeSnapshot(), args[0]) ? 0 : 1;
    }
    if (command == L"restore" && args.size() == 1) {
        Snapshot snapshot;
        Check(LoadSnapshot(args[0], snapshot) && RestoreSnapshot(snapshot),
              L"the registry put back as it was");
        return Result();
    }
    if (command == L"diff" && args.size() == 2) {
        Snapshot before;
        Snapshot after;
        if (!LoadSnapshot(args[0], before) ||
            !(args[1] == L"now" ? (after = TakeSnapshot(), true) : LoadSnapshot(args[1], after))) {
            return 1;
        }
        for (const std::wstring& line : Differences(before, after)) {
            Print(line);
        }
        return 0;
    }
    if (command == L"seed-many" && args.size() == 2) {
        Check(SeedManyValues(std::stoi(args[0]), args[1]), args[0] + L" values written");
        return Result();
    }
    if (command == L"seed-leak" && args.size() == 1) {
        Check(SeedLeakValues(std::stoi(args[0])), args[0] + L" values written");
        return Result();
    }
    if (command == L"seed-odd") {
        Check(WriteOddValues(), L"the odd values written");
        return Result();
    }
    if (command == L"seed-bad") {
        Check(WriteBadFileValues(), L"the values of the bad files written");
        return Result();
    }
    if (command == L"language" && args.size() == 1) {
        OwnedKey key;
        const BYTE data[2] = {static_cast<BYTE>(args[0] == L"0" ? 0 : 1), 0};
        return RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Kavrenta", 0, nullptr, 0,
                               KEY_SET_VALUE, nullptr, key.put(), nullptr) == ERROR_SUCCESS &&
                       RegSetValueExW(key.get(), L"Language", 0, REG_BINARY, data, sizeof(data)) ==
                           ERROR_SUCCESS
                   ? 0
                   : 1;
    }
    if (command == L"unmanaged") {
        // Wine's X11 driver waits up to two seconds for a window manager to confirm that a window
        // it hid is gone; with no window manager on the virtual display every closed editor and
        // message box would cost that wait. Windows Wine does not hand to a window manager are
        // hidden at once.
        OwnedKey key;
        const std::wstring no = L"N";
        return RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", 0, nullptr, 0,
                               KEY_SET_VALUE, nullptr, key.put(), nullptr) == ERROR_SUCCESS &&
                       RegSetValueExW(key.get(), L"Managed", 0, REG_SZ,
                                      reinterpret_cast<const BYTE*>(no.c_str()),
                                      static_cast<DWORD>((no.size() + 1) * sizeof(wchar_t))) ==
                           ERROR_SUCCESS
                   ? 0
                   : 1;
    }
    if (command == L"deny" && args.size() == 3) {
        HKEY root = args[0] == L"user" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        const REGSAM rights = args[1] == L"read" ? KEY_QUERY_VALUE : KEY_SET_VALUE;
        switch (DenyAccess(root, kRunPath, rights, args[2])) {
        case DenyOutcome::Denied:
            Print(L"denied");
            return 0;
        case DenyOutcome::NotEnforced:
            Print(L"not enforced");
            return 0;
        case DenyOutcome::Failed:
            Print(L"failed");
            return 1;
        }
    }
    if (command == L"set-counted" && args.size() == 3) {
        Check(SetCountedValue(args[0] == L"user" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, kRunPath,
                              args[1], args[2]),
              L"written counted: " + args[1]);
        return Result();
    }
    if (command == L"list-counted" && args.size() == 1) {
        for (const std::wstring& name :
             CountedNames(args[0] == L"user" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, kRunPath)) {
            Print(name);
        }
        return 0;
    }
    if (command == L"allow" && args.size() == 2) {
        HKEY root = args[0] == L"user" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        Check(RestoreAccess(root, kRunPath, args[1]), L"access put back");
        return Result();
    }
    return -1;
}

} // namespace

int main()
{
    int argc = 0;
    // Freed when the process ends, a moment later.
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 2) {
        return 2;
    }
    const std::wstring command = argv[1];
    const std::vector<std::wstring> args(argv + 2, argv + argc);
    try {
        const int result = WithRegistry(command, args);
        return result >= 0 ? result : WithTool(command, args);
    } catch (...) {
        Print(L"FAILED: " + command + L" stopped on an error");
        return 1;
    }
}
