#pragma once

#include <string_view>

namespace ui {

// The maker's home page, opened when its link in the main window is clicked.
inline constexpr std::wstring_view kHomePageAddress = L"https://kavrenta.example/";
// The same address as the link shows it: without the scheme and the closing slash, so that it
// fits its label.
inline constexpr std::wstring_view kHomePageText =
    kHomePageAddress.substr(8, kHomePageAddress.size() - 9);
static_assert(kHomePageAddress.starts_with(L"https://") && kHomePageAddress.ends_with(L"/"));

} // namespace ui
