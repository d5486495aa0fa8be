#include "ScriptedMessageBox.h"

namespace platform::portable {

std::int32_t ScriptedMessageBox::Show(WindowId owner, std::wstring_view text,
                                      std::wstring_view title, std::uint32_t style) noexcept
{
    try {
        shown.push_back(Shown{owner, std::wstring(text), std::wstring(title), style});
    } catch (...) {
        // A test that runs out of memory here fails on its own assertions.
    }
    if (answers.empty()) {
        return mb::kIdOk;
    }
    const std::int32_t answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace platform::portable
