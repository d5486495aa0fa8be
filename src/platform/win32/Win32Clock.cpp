#include "Win32Clock.h"

#include <windows.h>

#include <array>
#include <cwchar>

namespace platform::win32 {
namespace {

// Large enough for any date or time format a user can choose.
using FormatBuffer = std::array<wchar_t, 128>;

std::wstring ShortDate(const SYSTEMTIME& local)
{
    FormatBuffer text{};
    const int length = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr,
                                       text.data(), static_cast<int>(text.size()), nullptr);
    return length > 0 ? std::wstring(text.data()) : std::wstring();
}

std::wstring ShortTime(const SYSTEMTIME& local)
{
    // The user's short time format is a locale setting of its own; GetTimeFormatEx only knows the
    // long one.
    FormatBuffer format{};
    const bool haveFormat = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTTIME,
                                            format.data(), static_cast<int>(format.size())) > 0;
    FormatBuffer text{};
    const int length = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, haveFormat ? 0 : TIME_NOSECONDS,
                                       &local, haveFormat ? format.data() : nullptr, text.data(),
                                       static_cast<int>(text.size()));
    return length > 0 ? std::wstring(text.data()) : std::wstring();
}

bool ToLocal(std::uint64_t moment, SYSTEMTIME& local) noexcept
{
    FILETIME utc{};
    utc.dwLowDateTime = static_cast<DWORD>(moment & 0xFFFFFFFFu);
    utc.dwHighDateTime = static_cast<DWORD>(moment >> 32);
    SYSTEMTIME universal{};
    return FileTimeToSystemTime(&utc, &universal) != FALSE &&
           SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local) != FALSE;
}

} // namespace

std::uint64_t Win32Clock::Now() const noexcept
{
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

std::wstring Win32Clock::LocalDateAndTime(std::uint64_t moment) const
{
    SYSTEMTIME local{};
    if (!ToLocal(moment, local)) {
        return {};
    }
    const std::wstring date = ShortDate(local);
    const std::wstring time = ShortTime(local);
    if (date.empty() || time.empty()) {
        return {};
    }
    return date + L" " + time;
}

std::wstring Win32Clock::LocalIsoDate(std::uint64_t moment) const
{
    SYSTEMTIME local{};
    if (!ToLocal(moment, local)) {
        return {};
    }
    std::array<wchar_t, 16> text{};
    (void)swprintf(text.data(), text.size(), L"%04u-%02u-%02u", local.wYear, local.wMonth,
                   local.wDay);
    return text.data();
}

} // namespace platform::win32
