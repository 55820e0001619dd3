// The services of the Platform interface in the browser: clipboard, beep, close and numbers.
#pragma once

#include "platform/BindingPlatform.h"

#include <emscripten/val.h>

#include <optional>
#include <string>

namespace tavimo::web {

// Performs clipboard, beep, close and number recognition at once; focus requests are recorded
// (BindingPlatform) and applied after the window's refresh.
class WebPlatform final : public BindingPlatform {
public:
    WebPlatform();

    // Set by closeWindow: the window is gone and takes no further event.
    bool closing() const { return m_closing; }
    // The page's copy event, forwarded while a copy is under way: it carries the copy's text.
    // False when no copy of the program's is under way (the user's own copy goes on as usual).
    bool takeCopyEvent(emscripten::val event);

    void clearClipboard() override;
    void setClipboardText(const std::string& utf8) override;
    void beep() override;
    void closeWindow() override;
    std::optional<RecognisedNumber> recogniseNumber(std::string_view text) override;

private:
    NumberFormat m_format;
    std::optional<std::string> m_copy; // the text of a copy under way
    emscripten::val m_audio = emscripten::val::null();
    bool m_closing = false;
};

} // namespace tavimo::web
