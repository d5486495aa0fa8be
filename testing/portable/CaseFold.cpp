#include "CaseFold.h"

#include <cstdint>

namespace platform::portable {
namespace {

// Latin Extended-A pairs its letters: in these ranges the upper case is on even code points,
// elsewhere in the block on odd ones.
bool UpperIsEven(std::uint32_t c) noexcept
{
    return (c >= 0x0100 && c <= 0x0137) || (c >= 0x014A && c <= 0x0177);
}

} // namespace

wchar_t ToUpperInvariant(wchar_t ch) noexcept
{
    const auto c = static_cast<std::uint32_t>(ch);
    if (c < 0x80) {
        return (c >= 'a' && c <= 'z') ? static_cast<wchar_t>(c - 0x20) : ch;
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
        return static_cast<wchar_t>(c - 0x20);
    }
    if (c == 0xFF) {
        return static_cast<wchar_t>(0x0178);
    }
    if (c >= 0x0100 && c <= 0x017E) {
        if (c == 0x0130 || c == 0x0131 || c == 0x0138 || c == 0x0149 || c == 0x0178) {
            return ch;
        }
        const bool odd = (c & 1u) != 0;
        if (UpperIsEven(c)) {
            return odd ? static_cast<wchar_t>(c - 1) : ch;
        }
        return odd ? ch : static_cast<wchar_t>(c - 1);
    }
    if (c >= 0x03B1 && c <= 0x03C9) {
        return c == 0x03C2 ? static_cast<wchar_t>(0x03A3) : static_cast<wchar_t>(c - 0x20);
    }
    if (c >= 0x0430 && c <= 0x044F) {
        return static_cast<wchar_t>(c - 0x20);
    }
    if (c >= 0x0450 && c <= 0x045F) {
        return static_cast<wchar_t>(c - 0x50);
    }
    return ch;
}

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) noexcept
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && ToUpperInvariant(a[i]) != ToUpperInvariant(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace platform::portable
