#include "MemoryClipboard.h"

#include <new>

namespace platform::portable {

bool MemoryClipboard::SetText(WindowId owner, std::wstring_view newText) noexcept
{
    if (!available) {
        return false;
    }
    try {
        // Another program reads the text up to its first NUL.
        text.assign(newText.substr(0, newText.find(L'\0')));
    } catch (const std::bad_alloc&) {
        // Windows empties the clipboard before it fails to take the new text.
        text.clear();
        return false;
    }
    lastOwner = owner;
    return true;
}

} // namespace platform::portable
