#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// How a window looks before any code runs: its controls with their places, captions, fonts,
// colours and flags. Positions and sizes are in twips (1/1440 inch); a control inside a frame is
// placed relative to the frame.
namespace platform::window {

enum class ControlKind : std::uint8_t {
    Label,
    TextBox,
    Frame,
    CommandButton,
    OptionButton,
    ListBox,
    Timer,
    Line,
    Image,
    Shape,
};

// A colour that follows the user's scheme, or a fixed one (Windows colour value: red in the
// lowest byte).
struct Colour {
    enum class Kind : std::uint8_t { WindowBackground, WindowText, ButtonShadow, ButtonFace, Rgb };
    Kind kind = Kind::ButtonFace;
    std::uint32_t rgb = 0;

    static constexpr Colour System(Kind k) { return Colour{k, 0}; }
    static constexpr Colour Fixed(std::uint32_t value) { return Colour{Kind::Rgb, value}; }
    friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr std::uint8_t kCharsetDefault = 1;
inline constexpr std::uint8_t kCharsetEastEurope = 238;

struct Font {
    std::wstring_view face{};
    int hundredthsOfPoint = 825; // 8.25 pt
    bool bold = false;
    std::uint8_t charset = kCharsetDefault;
};

enum ControlFlag : std::uint16_t {
    kDisabled = 1u << 0,
    kHidden = 1u << 1,
    kRightAligned = 1u << 2,
    kSizesToText = 1u << 3,
    kCancelButton = 1u << 4, // the Esc key presses it
    kBorder = 1u << 5,       // a single-line border
};

// The id of a control, from its window's own enumeration of its controls.
template <typename ControlEnumeration>
[[nodiscard]] constexpr int Id(ControlEnumeration control) noexcept
{
    return static_cast<int>(control);
}

// The `container` of a control that sits on the window itself.
inline constexpr int kNoContainer = -1;

struct ControlLayout {
    // The control's place in its window's table: the behaviour reaches it by this number, through
    // the window's own enumeration of its controls.
    int id = 0;
    // What the control is for, in words; tools that drive the program from outside find the
    // control by it.
    std::wstring_view name{};
    ControlKind kind = ControlKind::Label;
    int container = kNoContainer; // the id of the frame it sits in
    std::wstring_view caption{};
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int tabIndex = -1; // -1: no place in the focus order
    std::optional<Font> font{};
    std::optional<Colour> backColour{};
    std::optional<Colour> foreColour{};
    std::uint16_t flags = 0;
    int picture = 0;  // resource id of an image's bitmap
    int interval = 0; // a timer's interval in milliseconds
    // A line's end points (relative to its container).
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    std::optional<Colour> lineColour{};

    [[nodiscard]] constexpr bool Has(ControlFlag flag) const { return (flags & flag) != 0; }
};

// True when every control's id is its place in the table, so that an enumeration of the controls
// in table order reaches each one by its own number.
[[nodiscard]] constexpr bool IdsFollowTableOrder(std::span<const ControlLayout> controls)
{
    for (std::size_t at = 0; at < controls.size(); ++at) {
        if (controls[at].id != static_cast<int>(at)) {
            return false;
        }
    }
    return true;
}

struct WindowLayout {
    std::wstring_view name{};
    std::wstring_view caption{};
    int clientWidth = 0; // twips
    int clientHeight = 0;
    std::optional<Font> font{}; // the window's own font; the default dialog font when absent
    bool showInTaskbar = false;
    bool centreOnOwner = true; // the screen when there is no owner
    int icon = 0;              // resource id; 0 for none
    std::span<const ControlLayout> controls{};
};

} // namespace platform::window
