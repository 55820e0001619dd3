// The desktop services of the Platform interface, performed with the Win32 API.
#pragma once

#include "model/Platform.h"

#include <windows.h>

namespace tavimo::win32 {

class Win32Platform final : public Platform {
public:
    enum class FocusTarget { None, Window, TextBox };
    struct FocusRequest {
        FocusTarget target = FocusTarget::None;
        const TextBox* box = nullptr;
    };

    // The window that owns the clipboard's content and that closeWindow ends.
    void attach(HWND window) { m_window = window; }
    // The focus that the last handler asked for, once; the window applies it after pushing.
    FocusRequest takeFocusRequest();
    // Set by closeWindow: the message loop ends without handling another message.
    bool closing() const { return m_closing; }

    void clearClipboard() override;
    void setClipboardText(const std::string& utf8) override;
    void beep() override;
    void focusWindow() override;
    void focusTextBox(const TextBox& box) override;
    void closeWindow() override;
    std::optional<RecognisedNumber> recogniseNumber(std::string_view text) override;

private:
    HWND m_window = nullptr;
    FocusRequest m_focus;
    bool m_closing = false;
};

} // namespace tavimo::win32
