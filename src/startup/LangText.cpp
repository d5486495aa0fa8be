#include "modTolvan.h"

namespace modTolvan {

std::wstring LangText(std::wstring_view hungarian, std::wstring_view english)
{
    return std::wstring(langFlag != 0 ? english : hungarian);
}

} // namespace modTolvan
