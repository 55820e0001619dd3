// The part of the Platform interface that every binding performs alike: the focus requests.
#pragma once

#include "model/Platform.h"

#include <utility>

namespace tavimo {

// A handler's focus request is only recorded: the window must first show what the handler
// changed, so the binding's refresh applies it last (WindowBinding::refresh). Each binding
// performs the rest of the interface with its own system.
class BindingPlatform : public Platform {
public:
    enum class FocusTarget { None, Window, TextBox };
    struct FocusRequest {
        FocusTarget target = FocusTarget::None;
        const TextBox* box = nullptr;
    };

    void focusWindow() final { m_focus = {FocusTarget::Window, nullptr}; }
    void focusTextBox(const TextBox& box) final { m_focus = {FocusTarget::TextBox, &box}; }

    // The focus request of the last handler, if any; the request is cleared.
    FocusRequest takeFocusRequest() { return std::exchange(m_focus, FocusRequest{}); }

private:
    FocusRequest m_focus;
};

} // namespace tavimo
