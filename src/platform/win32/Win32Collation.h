#pragma once

#include "platform/Collation.h"

namespace platform::win32 {

// The user's locale through CompareStringEx, letter case ignored.
class Win32Collation final : public Collation {
public:
    int Compare(std::wstring_view a, std::wstring_view b) noexcept override;
};

} // namespace platform::win32
