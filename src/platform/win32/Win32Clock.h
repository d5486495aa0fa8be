#pragma once

#include "platform/Clock.h"

namespace platform::win32 {

class Win32Clock final : public Clock {
public:
    [[nodiscard]] std::uint64_t Now() const noexcept override;
    [[nodiscard]] std::wstring LocalDateAndTime(std::uint64_t moment) const override;
    [[nodiscard]] std::wstring LocalIsoDate(std::uint64_t moment) const override;
};

} // namespace platform::win32
