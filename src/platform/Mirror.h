// What a binding mirrors of the model onto its widgets, decided once for every toolkit.
#pragma once

#include "model/frmMain.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

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

// A new text puts the caret before its first character, unless the handler also set the
// selection. Called after a box's replaced text is pushed, with the selection pushed last.
void caretToStartOfReplacedText(TextBox& model, std::optional<Selection>& pushedSelection);

// The result boxes (the multi-line ones) wrap their lines by word; a word wider than the box is
// broken anywhere. A text that holds a word of `longWord` characters or more is wrapped anywhere
// instead (WordWrap.h in the Qt binding tells why): such a word is wider than any box on any
// screen; the comma list of 4203 primes is 24000 characters long.
inline bool wrapsByWord(const TextBox& box)
{
    return box.multiLine;
}
inline constexpr std::size_t longWord = 1000;
// Whether the text has a run of `longWord` characters without a blank, so that it may hold such
// a word; most texts (one prime per line, the messages) have none at all. UTF-16 text; a blank is
// what Unicode counts as a separator, and the controls from tab to carriage return and NEL.
bool mayHoldLongWord(std::u16string_view text);

// The command button that carries the default emphasis, the one that Enter presses: the command
// button that has the focus; Run (cmdJIKKO) while the focus is elsewhere in the window.
CommandButton& defaultButton(frmMain& form, CommandButton* focused);

// The handler that a click on each command button runs, the window's table of events.
using Handler = void (frmMain::*)();
using ClickHandler = std::pair<const CommandButton*, Handler>;
std::array<ClickHandler, 10> clickHandlers(const frmMain& form);

} // namespace tavimo
