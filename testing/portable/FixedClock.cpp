#include "FixedClock.h"

#include <array>
#include <chrono>
#include <cstdio>

namespace platform::portable {
namespace {

// FILETIME steps from 1601-01-01 to 1970-01-01.
constexpr std::uint64_t kUnixEpoch = 116444736000000000ull;
constexpr std::uint64_t kStepsPerSecond = 10000000ull;

} // namespace

std::wstring FixedClock::LocalDateAndTime(std::uint64_t moment) const
{
    using namespace std::chrono;
    if (moment < kUnixEpoch) {
        return {};
    }
    const auto seconds = static_cast<long long>((moment - kUnixEpoch) / kStepsPerSecond);
    const sys_seconds at{std::chrono::seconds(seconds)};
    const sys_days day = floor<days>(at);
    const year_month_day date(day);
    const hh_mm_ss time(at - day);
    std::array<wchar_t, 32> text{};
    const int written = std::swprintf(
        text.data(), text.size(), L"%04d-%02u-%02u %02lld:%02lld", static_cast<int>(date.year()),
        static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
        static_cast<long long>(time.hours().count()),
        static_cast<long long>(time.minutes().count()));
    return written > 0 ? std::wstring(text.data(), static_cast<std::size_t>(written))
                       : std::wstring();
}

} // namespace platform::portable
