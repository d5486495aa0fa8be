#pragma once

#include "platform/Clock.h"

namespace platform::portable {

// A clock that stands where a test sets it, in a zone of UTC whose user writes moments as
// "2026-12-09 14:05".
class FixedClock final : public Clock {
public:
    [[nodiscard]] std::uint64_t Now() const noexcept override { return now; }
    [[nodiscard]] std::wstring LocalDateAndTime(std::uint64_t moment) const override;
    [[nodiscard]] std::wstring LocalIsoDate(std::uint64_t moment) const override
    {
        return LocalDateAndTime(moment).substr(0, 10);
    }

    std::uint64_t now = 0;
};

} // namespace platform::portable
