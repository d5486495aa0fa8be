#include "Win32Clipboard.h"

#include "platform/UniqueHandle.h"

#include <windows.h>

#include <cstring>

namespace platform::win32 {
namespace {

constexpr int kOpenAttempts = 5;
constexpr DWORD kOpenRetryDelayMs = 20;

// Memory for the clipboard: ours until SetClipboardData takes it.
struct GlobalMemoryTraits {
    using pointer = HGLOBAL;
    static constexpr HGLOBAL Invalid() noexcept { return nullptr; }
    static void Close(HGLOBAL memory) noexcept { GlobalFree(memory); }
};
using GlobalMemory = UniqueHandle<GlobalMemoryTraits>;

// The clipboard, opened for one scope.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) noexcept
    {
        for (int attempt = 0; attempt < kOpenAttempts && !open_; ++attempt) {
            if (attempt > 0) {
                Sleep(kOpenRetryDelayMs);
            }
            open_ = OpenClipboard(owner) != FALSE;
        }
    }
    ~OpenedClipboard()
    {
        if (open_) {
            CloseClipboard();
        }
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

    [[nodiscard]] bool IsOpen() const noexcept { return open_; }

private:
    bool open_ = false;
};

// The text and its NUL in movable memory, as CF_UNICODETEXT wants it.
GlobalMemory CopyToGlobal(std::wstring_view text) noexcept
{
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) {
        return memory;
    }
    auto* target = static_cast<wchar_t*>(GlobalLock(memory.get()));
    if (target == nullptr) {
        return GlobalMemory{};
    }
    if (!text.empty()) {
        std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
    }
    target[text.size()] = L'\0';
    GlobalUnlock(memory.get());
    return memory;
}

} // namespace

bool Win32Clipboard::SetText(WindowId owner, std::wstring_view text) noexcept
{
    GlobalMemory memory = CopyToGlobal(text);
    if (!memory) {
        return false;
    }
    const OpenedClipboard clipboard(reinterpret_cast<HWND>(owner));
    if (!clipboard.IsOpen() || EmptyClipboard() == FALSE) {
        return false;
    }
    if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) {
        return false; // the memory is still ours, and freed
    }
    // The system owns it now.
    static_cast<void>(memory.release());
    return true;
}

} // namespace platform::win32
