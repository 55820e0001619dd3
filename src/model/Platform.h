// The services of the desktop that the handlers call: clipboard, beep, focus, close, numbers.
#pragma once

#include "model/Controls.h"
#include "model/NumberText.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavimo {

// The handlers know the desktop only through this interface: the Qt binding performs each call for
// real, the unit tests record them.
class Platform {
public:
    virtual ~Platform() = default;

    // Removes everything from the system clipboard, in every format.
    virtual void clearClipboard() = 0;
    // Puts a plain text on the system clipboard, exactly as given (CR LF stays CR LF).
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
