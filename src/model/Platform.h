// The services of the desktop that the handlers call: clipboard, beep, focus, close, numbers.
#pragma once

#include "model/Controls.h"
#include "model/NumberText.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavimo {

// The handlers know the desktop only through this interface: each binding performs the calls for
// real with its own system, the unit tests record them.
class Platform {
public:
    virtual ~Platform() = default;

    // A copy is two calls, clearClipboard and then setClipboardText, and together they leave the
    // clipboard holding the one plain text, nothing else in any format. clearClipboard announces
    // that everything on the clipboard is to go; a binding may remove it here or leave that to the
    // hand-over of setClipboardText, which always follows in the same handler. Both bindings do
    // nothing here (their setText replaces every format at once): a clipboard emptied as a
    // hand-over of its own loses the copy on some desktops.
    virtual void clearClipboard() = 0;
    // Replaces the clipboard's content with a plain text, exactly as given (CR LF stays CR LF).
    virtual void setClipboardText(const std::string& utf8) = 0;
    // One short audible alert.
    virtual void beep() = 0;
    // Keyboard focus to the window as a whole, or to one text box; applied once the handler ends.
    virtual void focusWindow() = 0;
    virtual void focusTextBox(const TextBox& box) = 0;
    // Closes the window and ends the program at once.
    virtual void closeWindow() = 0;
    // The user's locale decides what counts as a number.
    virtual std::optional<RecognisedNumber> recogniseNumber(std::string_view text) = 0;
};

} // namespace tavimo
