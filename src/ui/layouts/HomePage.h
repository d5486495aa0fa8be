#pragma once

#include "platform/NulTerminated.h"

#include <string_view>

namespace ui {

// The maker's home page, opened when its link in the main window is clicked.
inline constexpr platform::NulTerminated kHomePageAddress = L"https://kavrenta.example/";
// The same address as the link shows it: without the scheme and the closing slash, so that it
// fits its label.
inline constexpr std::wstring_view kHomePageText =
    kHomePageAddress.View().substr(8, kHomePageAddress.Size() - 9);
static_assert(kHomePageAddress.View().starts_with(L"https://") &&
              kHomePageAddress.View().ends_with(L"/"));

} // namespace ui
