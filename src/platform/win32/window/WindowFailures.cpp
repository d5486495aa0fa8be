#include "WindowFailures.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>

namespace platform::win32 {
namespace {

std::string Utf8(std::wstring_view text)
{
    if (text.empty()) {
        return {};
    }
    const int wideLength = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(std::max(length, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

// UTF-8 into a buffer of fixed size, always terminated; a sequence cut at the end shows as U+FFFD.
template <std::size_t Size>
void WidenInto(const char* text, std::array<wchar_t, Size>& buffer) noexcept
{
    const auto length = static_cast<int>(std::min(std::strlen(text), Size / 2));
    const int written =
        MultiByteToWideChar(CP_UTF8, 0, text, length, buffer.data(), static_cast<int>(Size - 1));
    buffer[static_cast<std::size_t>(std::max(written, 0))] = L'\0';
}

template <std::size_t Size>
void DescribeInto(const std::exception_ptr& failure, std::array<wchar_t, Size>& buffer) noexcept
{
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& exception) {
        WidenInto(exception.what(), buffer);
    } catch (...) { // only named here; the failure itself stays with the caller
        WidenInto("an exception that is not a std::exception", buffer);
    }
}

} // namespace

void ThrowCreationFailure(DWORD error, std::wstring_view what)
{
    throw std::system_error(static_cast<int>(error), std::system_category(), Utf8(what));
}

void WriteFailure(const std::exception_ptr& failure, const FailureSite& site,
                  std::wstring_view remark) noexcept
{
    std::array<wchar_t, 512> what{};
    DescribeInto(failure, what);
    std::array<wchar_t, 1024> line{};
    std::swprintf(line.data(), line.size(),
                  L"Tolvan: %ls (window message 0x%04X in form %.*ls)%.*ls\n", what.data(),
                  site.message, static_cast<int>(site.form.size()), site.form.data(),
                  static_cast<int>(remark.size()), remark.data());
    OutputDebugStringW(line.data());
}

} // namespace platform::win32
