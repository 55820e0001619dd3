// The main window on Windows: a standard control for each control of frmMain, and the window's
// messages turned into its handlers.
//
// What this binding implements of WindowBinding's steps, with the Win32 API:
// - labels as STATIC controls, command buttons as owner-drawn BUTTONs (Look.h), the text boxes as
//   EDITs (a new EDIT where the alignment changes, which an EDIT fixes when it is made); frames
//   and the line painted on the window itself, controls placed from their frame's corner;
// - the inputs' character limit (InputBox.h); a long comma list broken into lines by the binding
//   (ResultBox.h);
// - edits read into the model before each handler (a user's edit only marks its box);
// - the window's frame and scale from Windows (WindowFrame.h), a new scale when the window moves
//   to another monitor;
// - Enter, Esc and Tab in the message loop (takeKey), as a dialog would, and a mouse button going
//   down on Run through the button's subclass.
// - accessible names and descriptions (AccessibleTexts.h) through Windows' accessible objects
//   (Accessibility.h); the frames and the line are painted, not controls, and have none.
#pragma once

#include "platform/WindowBinding.h"
#include "platform/win32/Look.h"
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tavimo::win32 {

// Messages that the controls send while being pushed are the program's own and are not read back.
class MainWindow final : public WindowBinding {
public:
    MainWindow(frmMain& form, Win32Platform& platform);
    ~MainWindow() override;

    // The window and its controls, with the design values that the model holds now.
    bool create(HINSTANCE instance);
    HWND handle() const { return m_window; }

    void focusTextBox(const TextBox& box) override;
    // A message of the loop, taken before the dialog manager sees it: Enter presses the focused
    // command button or else Run, and Esc does nothing (a multi-line edit would close the window).
    bool takeKey(const MSG& message);

private:
    // One control, the control that shows it and the values last pushed onto it (Mirror.h).
    struct BoxControl {
        TextBox* model = nullptr;
        HWND widget = nullptr;
        int id = 0;
        bool edited = false;           // the user changed the text since it was last read
        bool softWrapped = false;      // the binding broke its lines (ResultBox.h)
        PushedBox pushed;              // pushed.alignment: the one the EDIT was made with
        std::optional<PixelRect> clip; // the part within its frame, in its own pixels
    };
    struct LabelControl {
        const Label* model = nullptr;
        HWND widget = nullptr;
        PushedLabel pushed;
        std::optional<PixelRect> clip; // the part within its frame, in its own pixels
    };
    struct ButtonControl {
        CommandButton* model = nullptr;
        HWND widget = nullptr;
        int id = 0;
        bool toolAdded = false;
        PushedButton pushed;
        std::optional<PixelRect> clip; // the part within its frame, in its own pixels
    };

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK runButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR self);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void createControls();
    // The accessible name and description of the shared table (the window's description for the
    // window itself).
    void nameForScreenReaders(HWND control, std::string_view name);
    HWND createBox(BoxControl& box);
    // A text into a box, its lines broken by the binding where the edit would take long.
    void fill(BoxControl& box, std::wstring text);
    // The box's text as the model holds it, from the text it shows.
    static std::wstring textOf(const BoxControl& box, std::wstring_view shown);
    void takeWindowSize();
    void followDpi(int dpi, const RECT* suggested);
    void forgetPushed();

    PixelRect placeIn(Container container, const PixelRect& rect) const;
    // Places a control (`inContainer`: its rectangle in its frame) from its frame's corner, shows
    // only what lies within the frame, and sets its font, where any of it changed.
    // True when its size or font changed.
    template <typename Entry, typename Control>
    bool placeWithFont(Entry& entry, const Control& model, const PixelRect& inContainer);
    const Frame& frameOf(Container container) const; // not the window
    HWND defaultButton();

    bool canRefresh() const override;
    void readEdits() override;
    void click(CommandButton& button) override;
    void pushWindowSize() override;
    void pushFrame(const Frame& frame) override;
    void pushLabel(const Label& label) override;
    void pushButton(const CommandButton& button) override;
    void pushLine() override;
    void pushBox(TextBox& box) override;
    void focusWindow() override;
    void applySelection(const TextBox& box) override;

    Win32Platform& m_win32;
    HINSTANCE m_instance = nullptr;
    HWND m_window = nullptr;
    HWND m_toolTips = nullptr;
    std::array<BoxControl, 6> m_boxes;
    std::array<LabelControl, 3> m_labels;
    std::array<ButtonControl, 10> m_buttons;
    std::optional<RECT> m_line; // the line's rectangle as last painted
    HWND m_focusBeforeDeactivation = nullptr;
    int m_dpi = standardDpi;
    Look m_look;
};

} // namespace tavimo::win32
