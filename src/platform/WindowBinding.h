// The steps of a window binding that know no toolkit: a handler's run and the refresh after it.
#pragma once

#include "model/frmMain.h"
#include "platform/BindingPlatform.h"
#include "platform/Mirror.h"
#include "platform/WindowSize.h"

namespace tavimo {

// A binding's window mirrors frmMain; its widgets hold no state of their own. An event runs one
// handler (run), and refresh() then pushes onto the widgets what the handler changed, each
// binding comparing with the values it pushed last (Mirror.h), so that a long text that did not
// change is never laid out again. This class fixes the order of those steps for every binding;
// a binding implements the steps for one control at a time with its own toolkit.
class WindowBinding {
public:
    WindowBinding(frmMain& form, BindingPlatform& platform) : m_form(form), m_platform(platform) {}
    virtual ~WindowBinding() = default;
    WindowBinding(const WindowBinding&) = delete;
    WindowBinding& operator=(const WindowBinding&) = delete;

    // Pushes the model onto the widgets: the window's size first, since it may move every other
    // control, and the text boxes last, their texts being the costliest to lay out. Then the
    // handler's focus request, and last the boxes' selections, which taking the focus may have
    // changed.
    void refresh();
    // Keyboard focus into one text box, as the program's start does for txt1.
    virtual void focusTextBox(const TextBox& box) = 0;

protected:
    // Runs a handler with the user's edits in the model, then refreshes.
    void run(Handler handler);
    // Enter: presses the focused command button (`focused`; nullptr when the focus is elsewhere
    // in the window), and from anywhere else Run, by its click alone.
    void pressEnter(CommandButton* focused);

    // The steps of a run and a refresh, for one binding.
    virtual bool canRefresh() const { return true; } // false once the window is gone
    virtual void readEdits() {} // edits not yet written into the model as they happened
    virtual void click(CommandButton& button) = 0; // a click as the user's, by its handler
    virtual void pushWindowSize() = 0;
    virtual void pushFrame(const Frame& frame) = 0;
    virtual void pushLabel(const Label& label) = 0;
    virtual void pushButton(const CommandButton& button) = 0;
    virtual void pushLine() = 0;
    virtual void pushBox(TextBox& box) = 0;
    virtual void focusWindow() = 0;
    virtual void applySelection(const TextBox& box) = 0;

    frmMain& m_form;
    BindingPlatform& m_platform;
    // The window's size; its pushing() is true while refresh() pushes, so that a size change
    // that the window reports then is known as the program's own.
    WindowSize m_size{m_form};
};

} // namespace tavimo
