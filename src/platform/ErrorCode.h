#pragma once

#include <cstdint>

namespace platform {

// What an operation through the platform came to: 0 on success, otherwise Windows' error code
// (winerror.h: 2 for a file or value not found, 5 for access denied, 8 for memory running out),
// whichever part of Windows it comes from. A part of Windows that answers in codes of its own has
// them translated where it answers.
using ErrorCode = std::uint32_t;

} // namespace platform
