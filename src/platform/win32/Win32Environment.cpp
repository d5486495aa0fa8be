#include "Win32Environment.h"

#include <windows.h>

#include <string>

namespace platform::win32 {
namespace {

// ExpandEnvironmentStringsW works on at most this many characters, its NUL included (a counted
// string's limit); asked for more it keeps answering with the length it cannot deliver.
constexpr DWORD kLongestExpansion = 32767;

} // namespace

std::wstring Win32Environment::Expand(std::wstring_view text) const
{
    std::wstring source(text.substr(0, text.find(L'\0')));
    std::wstring expanded(source.size() + 1, L'\0');
    // The answer is the length needed, NUL included; a variable can change between two calls, so
    // grow until it fits.
    for (;;) {
        const DWORD needed = ExpandEnvironmentStringsW(source.c_str(), expanded.data(),
                                                       static_cast<DWORD>(expanded.size()));
        if (needed == 0 || needed > kLongestExpansion) {
            return source;
        }
        if (needed <= expanded.size()) {
            // A text cut short ends before the length it was said to have: not made, as when
            // it is too long.
            if (expanded.find(L'\0') < needed - 1) {
                return source;
            }
            expanded.resize(needed - 1);
            return expanded;
        }
        expanded.resize(needed);
    }
}

} // namespace platform::win32
