#include "HeadlessWindowSystem.h"

#include <stdexcept>

namespace platform::portable {

void HeadlessWindowSystem::Load(window::FormModel& form)
{
    if (form.Loaded()) {
        return;
    }
    handles_[&form] = nextHandle_;
    nextHandle_ += 0x10;
    form.ResetToLayout();
    form.RaiseLoad();
}

void HeadlessWindowSystem::Show(window::FormModel& form)
{
    Load(form);
    shown_[&form] = form.Loaded();
}

void HeadlessWindowSystem::ShowModal(window::FormModel& form, window::FormModel& owner)
{
    ++modalShowings_;
    Load(form);
    shown_[&form] = form.Loaded();
    if (modalScript && form.Loaded()) {
        modalScript(form, owner);
    }
    if (form.Loaded()) {
        throw std::logic_error("a modal form was left open by the test's script");
    }
}

void HeadlessWindowSystem::Unload(window::FormModel& form)
{
    if (!form.Loaded()) {
        return;
    }
    form.RaiseUnload();
    shown_[&form] = false;
    handles_.erase(&form);
}

WindowId HeadlessWindowSystem::Handle(const window::FormModel& form) const noexcept
{
    const auto it = handles_.find(&form);
    return it == handles_.end() ? 0 : it->second;
}

window::ScreenRect HeadlessWindowSystem::OuterRect(const window::FormModel& /*form*/) const noexcept
{
    return outerRect;
}

std::optional<std::size_t> HeadlessWindowSystem::ShowMenu(const window::FormModel& form,
                                                          std::span<const window::MenuItem> items,
                                                          window::ScreenPoint at)
{
    shownMenus.push_back(ShownMenu{&form, {items.begin(), items.end()}, at});
    if (!menuScript) {
        return std::nullopt;
    }
    const std::optional<std::size_t> chosen = menuScript(items);
    // A real menu hands back only what the user can click.
    if (chosen &&
        (*chosen >= items.size() || items[*chosen].separator || !items[*chosen].enabled)) {
        throw std::logic_error("the test's menu script chose an item no user could choose");
    }
    return chosen;
}

bool HeadlessWindowSystem::IsShown(const window::FormModel& form) const
{
    const auto it = shown_.find(&form);
    return it != shown_.end() && it->second;
}

} // namespace platform::portable
