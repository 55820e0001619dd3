// The desktop services of the Platform interface, performed with Qt and libcanberra.
#pragma once

#include "platform/BindingPlatform.h"

#include <QPointer>
#include <QWidget>

struct ca_context;

namespace tavimo {

// Performs clipboard, beep, close and number recognition at once; focus requests are recorded
// (BindingPlatform) and applied after the window's refresh.
class QtPlatform final : public BindingPlatform {
public:
    QtPlatform() = default;
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    // The window that closeWindow closes.
    void attach(QWidget* window) { m_window = window; }
    void clearClipboard() override;
    void setClipboardText(const std::string& utf8) override;
    void beep() override;
    void closeWindow() override;
    std::optional<RecognisedNumber> recogniseNumber(std::string_view text) override;

private:
    enum class Canberra { Untried, Ready, Failed };

    QPointer<QWidget> m_window;
    ca_context* m_canberra = nullptr;
    Canberra m_canberraState = Canberra::Untried;
};

} // namespace tavimo
