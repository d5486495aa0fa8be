#include "HostName.h"

#ifndef _WIN32
#include "Utf8Text.h"
#endif

namespace platform::portable {

#ifdef _WIN32

std::filesystem::path ToHostName(std::wstring_view name)
{
    return std::filesystem::path(name);
}

std::wstring FromHostName(const std::filesystem::path& name)
{
    return name.wstring();
}

#else

// Host names are UTF-8 bytes; a Windows text that is no valid text (a lone surrogate) is written
// with U+FFFD in its place.
std::filesystem::path ToHostName(std::wstring_view name)
{
    return std::filesystem::path(ToUtf8(name));
}

std::wstring FromHostName(const std::filesystem::path& name)
{
    return FromUtf8Leniently(name.native());
}

#endif

} // namespace platform::portable
