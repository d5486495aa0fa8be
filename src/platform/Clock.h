#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The time of day, and moments as the user reads them. Moments are FILETIMEs: 100-nanosecond
// steps since 1601-01-01, UTC.
class Clock {
public:
    virtual ~Clock() = default;

    [[nodiscard]] virtual std::uint64_t Now() const noexcept = 0;

    // The moment's date and time of day in the user's short formats and local time, separated by
    // a space; empty when it cannot be told. Throws std::bad_alloc when memory runs out.
    [[nodiscard]] virtual std::wstring LocalDateAndTime(std::uint64_t moment) const = 0;
    // The moment's date in local time as ISO 8601 writes it, "2026-12-09", whatever the user's
    // formats; empty when it cannot be told. Throws std::bad_alloc when memory runs out.
    [[nodiscard]] virtual std::wstring LocalIsoDate(std::uint64_t moment) const = 0;
};

} // namespace platform
