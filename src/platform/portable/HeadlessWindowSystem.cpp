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

bool HeadlessWindowSystem::IsShown(const window::FormModel& form) const
{
    const auto it = shown_.find(&form);
    return it != shown_.end() && it->second;
}

} // namespace platform::portable
