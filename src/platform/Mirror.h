// What a binding mirrors of the model onto its widgets, decided once for every toolkit.
#pragma once

#include "model/frmMain.h"
#include "platform/Twips.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavimo {

// Stores `now` as the value pushed last, and reports whether it differs from the value stored
// before (always, the first time): a binding pushes onto a widget only what changed, so that a
// long text that did not change is never laid out again.
template <typename T> bool storeIfChanged(std::optional<T>& pushed, const T& now)
{
    if (pushed && *pushed == now) {
        return false;
    }
    pushed = now;
    return true;
}

// A text box's selection: start and length in model characters.
using Selection = std::pair<int, int>;

// A font as the binding makes one: points and weight (the face is the same for every control).
using FontKey = std::pair<float, int>;
inline FontKey fontKey(const Font& font)
{
    return {font.points, font.weight};
}

// The values last pushed onto a control's widget, in the window's pixels: empty before the first
// push, and again when the binding forgets them to push everything anew.
struct PushedLabel {
    std::optional<PixelRect> geometry;
    std::optional<FontKey> font;
    std::optional<std::string> caption;
    std::optional<bool> opaque;
};
struct PushedButton {
    std::optional<PixelRect> geometry;
    std::optional<FontKey> font;
    std::optional<std::string> caption;
    std::optional<std::string> toolTip;
    std::optional<bool> visible;
    std::optional<bool> enabled;
};
struct PushedBox {
    std::optional<PixelRect> geometry;
    std::optional<FontKey> font;
    std::optional<Alignment> alignment;
    std::optional<std::string> text;
    std::optional<bool> visible;
    std::optional<Selection> selection;
};

// A binding keeps one entry for each control of a kind: `model`, the control, and `widget`, what
// shows it. The entry that mirrors a control; every control has one.
template <typename Entries, typename Control>
auto& entryFor(Entries& entries, const Control& control)
{
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const auto& entry) { return entry.model == &control; });
    assert(found != entries.end());
    return *found;
}
// The entry whose widget is `widget`; nullptr where none is (another widget, or none at all).
template <typename Entries, typename Widget> auto* entryShowing(Entries& entries, Widget widget)
{
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const auto& entry) {
        return widget != Widget{} && entry.widget == widget;
    });
    return found != entries.end() ? &*found : nullptr;
}

// A new text puts the caret before its first character, unless the handler also set the
// selection. Called after a box's replaced text is pushed, with the selection pushed last.
void caretToStartOfReplacedText(TextBox& model, std::optional<Selection>& pushedSelection);

// The result boxes wrap their lines by word; a word wider than the box is broken anywhere. A word
// of `longWord` characters or more is wider than any box on any screen (the comma list of 4203
// primes is 24000 characters long), and a toolkit that measures the rest of such a word for every
// line it wraps takes many times longer than breaking it at once: each binding then breaks it
// itself (WordWrap.h in the Qt binding, ResultBox.h in the Win32 binding).
inline constexpr std::size_t longWord = 1000;
// Whether the text has a run of `longWord` characters without a blank, so that it may hold such a
// word; most texts (one prime per line, the messages) have none at all. UTF-16 text; a blank is
// what Unicode counts as a separator, and the controls from tab to carriage return and NEL.
bool mayHoldLongWord(std::u16string_view text);

// The command button that carries the default emphasis, the one that Enter presses: the command
// button that has the focus; Run (cmdJIKKO) while the focus is elsewhere in the window.
CommandButton& defaultButton(frmMain& form, CommandButton* focused);

// The handler that a click on each command button runs, the window's table of events.
using Handler = void (frmMain::*)();
using ClickHandler = std::pair<const CommandButton*, Handler>;
std::array<ClickHandler, 10> clickHandlers(const frmMain& form);
Handler clickHandler(const frmMain& form, const CommandButton& button);

// The controls that Tab moves through, in its order: by tab index.
struct TabStop {
    TextBox* box = nullptr; // a text box, or else
    CommandButton* button = nullptr;
};
std::vector<TabStop> tabOrder(frmMain& form);

// The line's rectangle: drawn 3 pixels wide at 96 dots per inch, centred on the line, whatever
// its length.
PixelRect lineRect(const Line& line, int dpi = standardDpi);

// A label's rectangle in its container. The count (lbl2) stands in front of its unit (lbl2k) and
// ends just left of the unit's right-aligned text, `unitTextWidth` pixels wide as the binding
// measures it: at the design sizes the unit "個以上" (three full-width characters of 10.8 points,
// 32.4 points) is wider than the 606 twips (30.3 points) that the count, moved to 500, leaves it,
// and the opaque count would cover the unit's first stroke.
PixelRect labelRect(const frmMain& form, const Label& label, int unitTextWidth,
                    int dpi = standardDpi);

} // namespace tavimo
