// The desktop services of the Platform interface, performed with the Win32 API.
#pragma once

#include "platform/BindingPlatform.h"

#include <windows.h>

#include <string>

namespace tavimo::win32 {

// Replaces the clipboard's content with one plain text (CF_UNICODETEXT), nothing else.
void writeClipboard(HWND owner, const std::wstring& text);

// Performs clipboard, beep, close and number recognition at once; focus requests are recorded
// (BindingPlatform) and applied after the window's refresh.
class Win32Platform final : public BindingPlatform {
public:
    // The window that owns the clipboard's content and that closeWindow ends.
    void attach(HWND window) { m_window = window; }
    // Set by closeWindow: the message loop ends without handling another message.
    bool closing() const { return m_closing; }

    void clearClipboard() override;
    void setClipboardText(const std::string& utf8) override;
    void beep() override;
    void closeWindow() override;
    std::optional<RecognisedNumber> recogniseNumber(std::string_view text) override;

private:
    HWND m_window = nullptr;
    bool m_closing = false;
};

} // namespace tavimo::win32
