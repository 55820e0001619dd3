// The control model: plain data of every control on the window; sizes in twips.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavimo {

enum class Alignment { Left, Right, Centre };

// An RGB colour; the window's colours are fixed design values.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb darkGreen{0, 128, 0};
inline constexpr Rgb brightGreen{0, 255, 0};
inline constexpr Rgb white{255, 255, 255};

// The face every control uses; the binding substitutes a free face drawn to the same design where
// this one is not installed.
inline constexpr std::string_view japaneseFace = "ＭＳ Ｐゴシック";

struct Font {
    float points = 0;
    int weight = 400;
};

struct TwipsRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

// Where a control sits: directly on the window, or in one of the three frames.
enum class Container { Window, fram1, fram2, fram3 };

struct Frame {
    std::string_view name;
    TwipsRect rect;
    int tabIndex = 0;
};

struct TextBox {
    std::string_view name;
    Container container = Container::Window;
    TwipsRect rect;
    std::string text;                      // UTF-8, line breaks as CR LF
    Alignment alignment = Alignment::Left; // as a new text box has it; each box sets its own
    bool multiLine = false;
    int maxLength = 0; // characters; 0: no limit
    bool visible = true;
    int selStart = 0;  // characters, a CR LF pair counting as two
    int selLength = 0; // characters, a CR LF pair counting as two
    Font font;
    int tabIndex = 0;
};

struct CommandButton {
    std::string_view name;
    Container container = Container::Window;
    TwipsRect rect;
    std::string caption;
    std::string toolTip;
    bool visible = true;
    bool enabled = true;
    Font font;
    int tabIndex = 0;
};

struct Label {
    std::string_view name;
    Container container = Container::Window;
    TwipsRect rect;
    std::string caption;
    bool opaque = false; // opaque labels are filled with the window's dark green
    Font font;
    int tabIndex = 0;
};

// A straight line drawn on the window, 3 pixels wide whatever the scale.
struct Line {
    std::string_view name;
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
    int widthPixels = 3;
};

// Sizes that a formula would make negative are stored as 0: no control takes a negative size.
inline float nonNegative(float twips)
{
    return twips < 0 ? 0.0f : twips;
}

// Number of characters (code points) in a UTF-8 text: the length a text box reports.
int characterCount(std::string_view utf8);

} // namespace tavimo
