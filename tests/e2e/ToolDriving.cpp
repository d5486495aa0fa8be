#include "ToolDriving.h"

#include "ToolWindows.h"

namespace tolvan::e2e {
namespace {

// Generous bounds: a refill of ten thousand entries under Wine takes a while.
constexpr DWORD kWindowWait = 30'000;
constexpr DWORD kRefillWait = 300'000;

template <typename Condition> bool WaitUntil(Condition condition, DWORD milliseconds)
{
    const ULONGLONG start = GetTickCount64();
    while (!condition()) {
        if (GetTickCount64() - start > milliseconds) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

// A button press as the button itself reports it; posted, since the command may run a modal
// loop before it returns.
bool PostClick(HWND form, HWND button) noexcept
{
    return button != nullptr &&
           PostMessageW(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                        reinterpret_cast<LPARAM>(button)) != FALSE;
}

} // namespace

HWND ListBox(HWND main)
{
    return MainControl(main, L"entryList");
}

bool Answers(HWND window, DWORD milliseconds) noexcept
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, milliseconds, &result) != 0;
}

bool SelectItem(HWND main, int index) noexcept
{
    HWND list = ListBox(main);
    if (list == nullptr ||
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0) == LB_ERR) {
        return false;
    }
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    return true;
}

int FindItem(HWND main, const std::wstring& prefix) noexcept
{
    const LRESULT found = SendMessageW(ListBox(main), LB_FINDSTRING, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(prefix.c_str()));
    return found == LB_ERR ? -1 : static_cast<int>(found);
}

int ItemCount(HWND main) noexcept
{
    return static_cast<int>(SendMessageW(ListBox(main), LB_GETCOUNT, 0, 0));
}

std::wstring ItemText(HWND list, int index)
{
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) {
        return {};
    }
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(item.data()));
    item.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
    return item;
}

bool NewAndCancel(HWND main)
{
    if (!PostClick(main, MainControl(main, L"newButton"))) {
        return false;
    }
    HWND editor = nullptr;
    if (!WaitUntil([&] { return (editor = EditorWindow(main)) != nullptr; }, kWindowWait)) {
        return false;
    }
    // Esc reaches the form as the cancel button's command.
    if (!PostClick(editor, EditorControl(editor, L"cancelButton"))) {
        return false;
    }
    return WaitUntil([&] { return !IsWindow(editor) || !IsWindowVisible(editor); }, kWindowWait) &&
           Answers(main, kRefillWait);
}

bool EditCommand(HWND main, const std::wstring& command)
{
    if (!PostClick(main, MainControl(main, L"editButton"))) {
        return false;
    }
    HWND editor = nullptr;
    if (!WaitUntil([&] { return (editor = EditorWindow(main)) != nullptr; }, kWindowWait)) {
        return false;
    }
    HWND value = EditorControl(editor, L"valueBox");
    if (value == nullptr ||
        !SendMessageW(value, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(command.c_str())) ||
        !PostClick(editor, EditorControl(editor, L"saveButton"))) {
        return false;
    }
    return WaitUntil([&] { return !IsWindow(editor) || !IsWindowVisible(editor); }, kWindowWait) &&
           Answers(main, kRefillWait);
}

bool DeleteSelected(HWND main)
{
    if (!PostClick(main, MainControl(main, L"deleteButton"))) {
        return false;
    }
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = ShownDialog(main)) != nullptr; }, kWindowWait)) {
        return false;
    }
    return CloseBox(main, box);
}

HWND DeleteAnsweredByABox(HWND main)
{
    if (!PostClick(main, MainControl(main, L"deleteButton"))) {
        return nullptr;
    }
    HWND question = nullptr;
    if (!WaitUntil([&] { return (question = ShownDialog(main)) != nullptr; }, kWindowWait)) {
        return nullptr;
    }
    PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    // The answer is looked for only once the question is gone, and taken only once it holds its
    // text: a box caught half-built, or the question on its way out, is not the answer.
    if (!WaitUntil([&] { return !IsWindow(question); }, kWindowWait)) {
        return nullptr;
    }
    HWND answer = nullptr;
    const bool shown = WaitUntil(
        [&] {
            answer = ShownDialog(main);
            return answer != nullptr && BoxTexts(answer).find(L'\n') != std::wstring::npos;
        },
        kWindowWait);
    return shown ? answer : nullptr;
}

std::wstring BoxTexts(HWND box)
{
    std::wstring texts = TextOf(box);
    EnumChildWindows(
        box,
        [](HWND child, LPARAM param) -> BOOL {
            wchar_t name[16]{};
            GetClassNameW(child, name, 16);
            if (std::wstring_view(name) == L"Static") {
                if (std::wstring text = TextOf(child); !text.empty()) {
                    *reinterpret_cast<std::wstring*>(param) += L"\n" + text;
                }
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

bool CloseBox(HWND main, HWND box)
{
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return WaitUntil([&] { return !IsWindow(box); }, kWindowWait) && Answers(main, kRefillWait);
}

HWND ShownDialog(HWND main) noexcept
{
    DWORD process = 0;
    GetWindowThreadProcessId(main, &process);
    struct Search {
        DWORD process;
        HWND found;
    } search{process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& wanted = *reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[16]{};
            GetClassNameW(window, name, 16);
            if (owner == wanted.process && IsWindowVisible(window) &&
                std::wstring_view(name) == L"#32770") {
                wanted.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace tolvan::e2e
