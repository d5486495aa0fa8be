#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

// A top-level window as the window system knows it; 0 is none.
using WindowId = std::uintptr_t;

namespace mb {

inline constexpr std::uint32_t kOk = 0x00;
inline constexpr std::uint32_t kOkCancel = 0x01;
inline constexpr std::uint32_t kIconError = 0x10;
inline constexpr std::uint32_t kIconQuestion = 0x20;
inline constexpr std::uint32_t kIconExclamation = 0x30;
inline constexpr std::uint32_t kDefaultButton1 = 0x00;

inline constexpr std::int32_t kIdOk = 1;
inline constexpr std::int32_t kIdCancel = 2;

} // namespace mb

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;

    // Shows a modal message box (MessageBoxW) and returns the button pressed (kIdOk, kIdCancel).
    [[nodiscard]] virtual std::int32_t Show(WindowId owner, std::wstring_view text,
                                            std::wstring_view title,
                                            std::uint32_t style) noexcept = 0;
};

} // namespace platform
