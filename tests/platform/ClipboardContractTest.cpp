// Text put on the clipboard comes back exactly, whatever its letters: from the process's own
// clipboard, and under Wine from the system's, read back as another program reads it.
#include "portable/MemoryClipboard.h"

#ifdef _WIN32
#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/window/GdiHandles.h"

#include <windows.h>

#include <future>
#include <thread>
#endif

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>

namespace tolvan::test {
namespace {

// One clipboard, what is on it as others see it, and a way to keep it from the process.
class ClipboardBackend {
public:
    virtual ~ClipboardBackend() = default;
    [[nodiscard]] virtual platform::Clipboard& Clipboard() noexcept = 0;
    [[nodiscard]] virtual platform::WindowId Owner() const noexcept = 0;
    [[nodiscard]] virtual std::wstring Text() = 0;
    // Another program holds the clipboard open from now until Release.
    virtual void Hold() = 0;
    virtual void Release() = 0;
};

class MemoryBackend final : public ClipboardBackend {
public:
    platform::Clipboard& Clipboard() noexcept override { return clipboard_; }
    platform::WindowId Owner() const noexcept override { return 0x10010; }
    std::wstring Text() override { return clipboard_.text; }
    void Hold() override { clipboard_.available = false; }
    void Release() override { clipboard_.available = true; }

private:
    platform::portable::MemoryClipboard clipboard_;
};

#ifdef _WIN32
class Win32Backend final : public ClipboardBackend {
public:
    ~Win32Backend() override { Release(); }
    platform::Clipboard& Clipboard() noexcept override { return clipboard_; }
    platform::WindowId Owner() const noexcept override
    {
        return reinterpret_cast<platform::WindowId>(owner_.get());
    }
    std::wstring Text() override
    {
        std::wstring text;
        if (OpenClipboard(nullptr) == FALSE) {
            ADD_FAILURE() << "the clipboard cannot be opened to read it";
            return text;
        }
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
                text = chars;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        return text;
    }
    // The clipboard belongs to the thread that opened it, so another thread holds it.
    void Hold() override
    {
        holder_ = std::thread([this] {
            const BOOL open = OpenClipboard(nullptr);
            opened_.set_value();
            released_.get_future().wait();
            if (open != FALSE) {
                CloseClipboard();
            }
        });
        opened_.get_future().wait();
    }
    void Release() override
    {
        if (holder_.joinable()) {
            released_.set_value();
            holder_.join();
        }
    }

private:
    // A window of its own: Windows gives the clipboard's data only to an owner that is a window.
    platform::win32::OwnedWindow owner_{
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)};
    platform::win32::Win32Clipboard clipboard_;
    std::promise<void> opened_;
    std::promise<void> released_;
    std::thread holder_;
};
#endif

struct ClipboardKind {
    std::string name;
    std::function<std::unique_ptr<ClipboardBackend>()> make;
};

void PrintTo(const ClipboardKind& kind, std::ostream* out)
{
    *out << kind.name;
}

std::vector<ClipboardKind> AllClipboards()
{
    std::vector<ClipboardKind> kinds{
        {"portable", [] { return std::make_unique<MemoryBackend>(); }}};
#ifdef _WIN32
    kinds.push_back({"win32", [] { return std::make_unique<Win32Backend>(); }});
#endif
    return kinds;
}

class ClipboardContract : public ::testing::TestWithParam<ClipboardKind> {
protected:
    bool Set(std::wstring_view text)
    {
        return backend->Clipboard().SetText(backend->Owner(), text);
    }

    std::unique_ptr<ClipboardBackend> backend = GetParam().make();
};

TEST_P(ClipboardContract, TextComesBackExactlyAndReplacesWhatWasThere)
{
    ASSERT_TRUE(Set(L"\"C:\\Program Files\\Tolvan\\tolvan.exe\" /minimized"));
    EXPECT_EQ(backend->Text(), L"\"C:\\Program Files\\Tolvan\\tolvan.exe\" /minimized");
    ASSERT_TRUE(Set(L"Beállítások ő ű"));
    EXPECT_EQ(backend->Text(), L"Beállítások ő ű");
    ASSERT_TRUE(Set(L""));
    EXPECT_EQ(backend->Text(), L"");
    // Only what comes before a NUL is text to another program.
    ASSERT_TRUE(Set(std::wstring_view(L"kept\0dropped", 12)));
    EXPECT_EQ(backend->Text(), L"kept");
}

TEST_P(ClipboardContract, AClipboardHeldElsewhereIsReportedAndKeepsItsText)
{
    ASSERT_TRUE(Set(L"before"));
    backend->Hold();
    EXPECT_FALSE(Set(L"after"));
    backend->Release();
    EXPECT_EQ(backend->Text(), L"before");
    EXPECT_TRUE(Set(L"after"));
    EXPECT_EQ(backend->Text(), L"after");
}

INSTANTIATE_TEST_SUITE_P(Clipboards, ClipboardContract, ::testing::ValuesIn(AllClipboards()),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace tolvan::test
