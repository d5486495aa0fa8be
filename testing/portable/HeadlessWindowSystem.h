#pragma once

#include "platform/window/WindowSystem.h"

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace platform::portable {

// Windows without a screen: forms are only their models. Tests fire events on the models; what
// the user does in a modal form is a script that must end by unloading it.
class HeadlessWindowSystem final : public window::WindowSystem {
public:
    void Show(window::FormModel& form) override;
    void ShowModal(window::FormModel& form, window::FormModel& owner) override;
    void Unload(window::FormModel& form) override;
    [[nodiscard]] WindowId Handle(const window::FormModel& form) const noexcept override;
    [[nodiscard]] window::ScreenRect
    OuterRect(const window::FormModel& form) const noexcept override;
    [[nodiscard]] window::ScreenPoint CursorPos() const noexcept override { return cursorPos; }
    [[nodiscard]] std::optional<std::size_t> ShowMenu(const window::FormModel& form,
                                                      std::span<const window::MenuItem> items,
                                                      window::ScreenPoint at) override;
    int Run() override { return 0; }

    [[nodiscard]] bool IsShown(const window::FormModel& form) const;
    [[nodiscard]] int ModalShowings() const noexcept { return modalShowings_; }

    // Acts as the user in a modal form; it gets the form and its owner.
    std::function<void(window::FormModel&, window::FormModel&)> modalScript;
    // Acts as the user in a pop-up menu: the index of the item chosen, or none to dismiss it.
    // Without a script every menu is dismissed.
    std::function<std::optional<std::size_t>(std::span<const window::MenuItem>)> menuScript;
    // Every pop-up menu shown, in order.
    struct ShownMenu {
        const window::FormModel* form = nullptr;
        std::vector<window::MenuItem> items;
        window::ScreenPoint at;
    };
    std::vector<ShownMenu> shownMenus;
    // Where every window is on the screen.
    window::ScreenRect outerRect{100, 100, 821, 529};
    // Where the mouse is; tests move it.
    window::ScreenPoint cursorPos{0, 0};

private:
    void Load(window::FormModel& form);

    std::map<const window::FormModel*, WindowId> handles_;
    std::map<const window::FormModel*, bool> shown_;
    WindowId nextHandle_ = 0x10010;
    int modalShowings_ = 0;
};

} // namespace platform::portable
