#pragma once

#include "ErrorCode.h"
#include "NulTerminated.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// A top-level window as the window system knows it; 0 is none.
using WindowId = std::uintptr_t;

// The buttons of a message box, and which one Enter presses: the first, but for a question whose
// hasty Yes would cost the user something.
enum class MessageButtons : std::uint8_t { Ok, OkCancel, YesNoDefaultNo };

enum class MessageIcon : std::uint8_t { None, Error, Question, Warning, Information };

// How the user closed a message box. NotShown when the box could not be shown at all.
enum class MessageAnswer : std::uint8_t { Ok, Cancel, Yes, No, NotShown };

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;

    // Shows a modal message box over `owner` and returns once the user closed it. Without an
    // owner (0) the box holds every window of the tool's thread until it is closed.
    [[nodiscard]] virtual MessageAnswer Show(WindowId owner, const NulTerminated& text,
                                             const NulTerminated& title, MessageButtons buttons,
                                             MessageIcon icon) noexcept = 0;

    // Windows' own text for an error code (FormatMessageW), in the system's language, followed
    // by the code: "Access is denied. (5)". Throws std::bad_alloc only.
    [[nodiscard]] virtual std::wstring ErrorText(ErrorCode code) const = 0;
};

} // namespace platform
