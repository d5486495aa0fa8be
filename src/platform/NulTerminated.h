#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Text that ends in a NUL, as the Windows functions take their names and paths: a string literal,
// a whole std::wstring, or the end of one. Handing it on to Windows needs no copy, so it cannot
// run out of memory on the way. Windows reads such a text up to its first NUL; the view keeps the
// whole, for the checks made before.
class NulTerminated {
public:
    // Taken wherever a std::wstring is passed, as a std::wstring_view is.
    // cppcheck-suppress noExplicitConstructor ; converts as std::wstring_view does
    NulTerminated(const std::wstring& text) noexcept // NOLINT(google-explicit-constructor)
        : text_(text)
    {
    }

    // A C string, a literal among them: it ends at its first NUL.
    // cppcheck-suppress noExplicitConstructor ; converts as std::wstring_view does
    constexpr NulTerminated(const wchar_t* text) noexcept // NOLINT(google-explicit-constructor)
        : text_(text)
    {
    }

    // The text from `from` to the end of `text` (the whole when `from` is past its end).
    [[nodiscard]] static NulTerminated EndOf(const std::wstring& text, std::size_t from) noexcept
    {
        const std::size_t start = from < text.size() ? from : text.size();
        return NulTerminated(std::wstring_view(text).substr(start));
    }

    [[nodiscard]] constexpr const wchar_t* CString() const noexcept { return text_.data(); }
    [[nodiscard]] constexpr std::wstring_view View() const noexcept { return text_; }
    [[nodiscard]] constexpr std::size_t Size() const noexcept { return text_.size(); }
    [[nodiscard]] constexpr bool Empty() const noexcept { return text_.empty(); }
    // NOLINTNEXTLINE(google-explicit-constructor): read as the view it is
    constexpr operator std::wstring_view() const noexcept { return text_; }

    friend constexpr bool operator==(const NulTerminated& a, std::wstring_view b) noexcept
    {
        return a.text_ == b;
    }

private:
    // Only for the end of a NUL-terminated text.
    explicit constexpr NulTerminated(std::wstring_view end) noexcept : text_(end) {}

    std::wstring_view text_;
};

} // namespace platform
