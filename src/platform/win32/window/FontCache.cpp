#include "FontCache.h"

#include <windows.h>

#include <algorithm>

namespace platform::win32 {

HFONT FontCache::Get(const window::Font& spec, bool underline)
{
    Key key{std::wstring(spec.face), spec.hundredthsOfPoint, spec.bold, spec.charset, underline};
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        LOGFONTW font{};
        font.lfHeight = -MulDiv(spec.hundredthsOfPoint, static_cast<int>(dpi_), 7200);
        font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
        font.lfUnderline = underline ? TRUE : FALSE;
        font.lfCharSet = spec.charset;
        font.lfQuality = DEFAULT_QUALITY;
        const std::size_t length = std::min<std::size_t>(spec.face.size(), LF_FACESIZE - 1);
        std::copy_n(spec.face.begin(), length, font.lfFaceName);
        it = fonts_.emplace(std::move(key), OwnedFont(CreateFontIndirectW(&font))).first;
    }
    return it->second.get();
}

} // namespace platform::win32
