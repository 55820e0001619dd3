// The main window on Windows: a standard control for each control of frmMain, and the window's
// messages turned into its handlers.
#pragma once

#include "model/frmMain.h"
#include "platform/Mirror.h"
#include "platform/WindowSize.h"
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include <array>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

namespace tavimo::win32 {

// The controls only mirror frmMain, as the Qt binding's widgets do. A user's edit marks its box;
// before a handler runs, the marked texts and every selection are read into the model. The
// handler then runs to its end, and refresh() pushes onto the controls what it changed, comparing
// with the values it pushed last. Messages that the controls send while being pushed are the
// program's own and are not read back.
class MainWindow final {
public:
    MainWindow(frmMain& form, Win32Platform& platform);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // The window and its controls, with the design values that the model holds now.
    bool create(HINSTANCE instance);
    HWND handle() const { return m_window; }

    void refresh();
    void focusTextBox(const TextBox& box);
    // A message of the loop, taken before the dialog manager sees it: Enter presses the focused
    // command button or else Run, and Esc does nothing (a multi-line edit would close the window).
    bool takeKey(const MSG& message);

private:
    using FontKey = std::pair<float, int>; // points and weight
    using Geometry = std::array<int, 4>;   // left, top, width, height in the window's pixels

    struct BoxControl {
        TextBox* model = nullptr;
        HWND hwnd = nullptr;
        int id = 0;
        bool edited = false; // the user changed the text since it was last read
        Alignment createdWith = Alignment::Centre;
        std::optional<Geometry> geometry;
        std::optional<FontKey> font;
        std::optional<std::string> text;
        std::optional<bool> visible;
        std::optional<Selection> selection;
    };
    struct LabelControl {
        Label* model = nullptr;
        HWND hwnd = nullptr;
        std::optional<Geometry> geometry;
        std::optional<FontKey> font;
        std::optional<std::string> caption;
    };
    struct ButtonControl {
        CommandButton* model = nullptr;
        HWND hwnd = nullptr;
        int id = 0;
        Handler click = nullptr;
        bool toolAdded = false;
        std::optional<Geometry> geometry;
        std::optional<FontKey> font;
        std::optional<std::string> caption;
        std::optional<std::string> toolTip;
        std::optional<bool> visible;
        std::optional<bool> enabled;
    };

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK inputLimitProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR limit);
    static LRESULT CALLBACK runButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR self);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void createControls();
    HWND createBox(BoxControl& box);
    void run(Handler handler);
    void readEdits();
    // The window's frame (outer size less client size) and client size, in the window's pixels.
    struct WindowEdges {
        PixelSize device;
        PixelSize client;
    };
    WindowEdges edges() const;
    void takeWindowSize();
    void followDpi(int dpi, const RECT* suggested);
    void forgetPushed();

    int toPixels(float twips) const;
    float toTwips(int pixels) const;
    // The window's pixels against the 96-dpi pixels that WindowSize counts in.
    PixelSize toDip(PixelSize pixels) const;
    PixelSize fromDip(PixelSize dip) const;
    Geometry geometryOf(Container container, const TwipsRect& rect) const;
    HFONT fontFor(const Font& font);
    void place(HWND control, const Geometry& geometry);

    void pushWindowSize();
    void pushBox(BoxControl& box);
    void pushLabel(LabelControl& label);
    void pushButton(ButtonControl& button);
    void pushLine();
    void applyFocusRequest();
    void applySelection(BoxControl& box);

    void drawButton(const DRAWITEMSTRUCT& item);
    HWND defaultButton();
    ButtonControl* buttonFor(HWND hwnd);
    BoxControl* boxFor(HWND hwnd);

    frmMain& m_form;
    Win32Platform& m_platform;
    HINSTANCE m_instance = nullptr;
    HWND m_window = nullptr;
    HWND m_toolTips = nullptr;
    std::array<BoxControl, 6> m_boxes;
    std::array<LabelControl, 3> m_labels;
    std::array<ButtonControl, 10> m_buttons;
    std::optional<RECT> m_line; // the line's rectangle as last painted
    int m_dpi = 96;
    std::wstring m_face;
    std::map<std::tuple<float, int, int>, HFONT> m_fonts; // points, weight, dpi
    HBRUSH m_darkGreen = nullptr;
    HBRUSH m_brightGreen = nullptr;
    HBRUSH m_white = nullptr;
    HBRUSH m_emphasis = nullptr;
    WindowSize m_size{m_form};
    bool m_pushing = false;
};

} // namespace tavimo::win32
