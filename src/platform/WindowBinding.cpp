// The steps of a window binding that know no toolkit: a handler's run and the refresh after it.
#include "platform/WindowBinding.h"

namespace tavimo {

void WindowBinding::run(Handler handler)
{
    readEdits();
    (m_form.*handler)();
    refresh();
}

void WindowBinding::pressEnter(CommandButton* focused)
{
    CommandButton& button = defaultButton(m_form, focused);
    if (&button == focused) {
        click(button);
    } else {
        run(&frmMain::cmdJIKKO_Click);
    }
}

void WindowBinding::refresh()
{
    if (!canRefresh()) {
        return;
    }
    m_size.setPushing(true);
    pushWindowSize();
    for (const Frame* frame : m_form.frames()) {
        pushFrame(*frame);
    }
    for (const Label* label : m_form.labels()) {
        pushLabel(*label);
    }
    for (const CommandButton* button : m_form.buttons()) {
        pushButton(*button);
    }
    pushLine();
    for (TextBox* box : m_form.textBoxes()) {
        pushBox(*box);
    }
    m_size.setPushing(false);

    const BindingPlatform::FocusRequest request = m_platform.takeFocusRequest();
    if (request.target == BindingPlatform::FocusTarget::Window) {
        focusWindow();
    } else if (request.target == BindingPlatform::FocusTarget::TextBox) {
        focusTextBox(*request.box);
    }
    for (const TextBox* box : m_form.textBoxes()) {
        applySelection(*box);
    }
}

} // namespace tavimo
