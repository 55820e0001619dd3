// The desktop services of the Platform interface, performed with Qt and libcanberra.
#pragma once

#include "model/Platform.h"

#include <QPointer>
#include <QWidget>

struct ca_context;

namespace tavimo {

// Performs clipboard, beep, close and number recognition at once; focus requests are only
// recorded, because the window must first show what the handler changed (MainWindow applies
// them after its refresh).
class QtPlatform final : public Platform {
public:
    enum class FocusTarget { None, Window, TextBox };
    struct FocusRequest {
        FocusTarget target = FocusTarget::None;
        const TextBox* box = nullptr;
    };

    QtPlatform() = default;
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    // The window that closeWindow closes.
    void attach(QWidget* window) { m_window = window; }
    // The focus request of the last handler, if any; the request is cleared.
    FocusRequest takeFocusRequest();

    void clearClipboard() override;
    void setClipboardText(const std::string& utf8) override;
    void beep() override;
    void focusWindow() override;
    void focusTextBox(const TextBox& box) override;
    void closeWindow() override;
    std::optional<RecognisedNumber> recogniseNumber(std::string_view text) override;

private:
    enum class Canberra { Untried, Ready, Failed };

    QPointer<QWidget> m_window;
    FocusRequest m_focus;
    ca_context* m_canberra = nullptr;
    Canberra m_canberraState = Canberra::Untried;
};

} // namespace tavimo
