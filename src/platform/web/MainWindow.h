// The main window in the browser: an element of the page for each control of frmMain, and the
// page's events turned into its handlers.
//
// What this binding implements of WindowBinding's steps, with the page's elements (emscripten's
// val):
// - the window as a frame in the page with its caption, icon and a handle to resize it
//   (WindowFrame.h), scaled down to fit a narrower page;
// - frames, the line and labels as blocks of one colour, command buttons as buttons, the inputs
//   as single-line inputs (the character limit: InputBox.h), the result boxes as text areas (a long
//   text first drawn by a sheet over its text area: ResultSheet.h); all
//   placed in twips from the client area's corner, in tab order one after another, so that Tab
//   follows the page's order;
// - edits read into the model before each handler (a user's edit only marks its box);
// - Enter and a mouse button going down on Run from the page's events, as the desktop's window
//   takes them; the default emphasis moved with the focus;
// - accessible names and descriptions (AccessibleTexts.h) as ARIA attributes, each frame owning
//   its controls in the accessible tree.
// What it leaves to the browser: scaling to the screen, the edits' own keys and context menus,
// the page's scroll bars.
#pragma once

#include "platform/WindowBinding.h"
#include "platform/web/InputBox.h"
#include "platform/web/ResultSheet.h"
#include "platform/web/WebPlatform.h"

#include <emscripten/html5.h>
#include <emscripten/val.h>

#include <array>
#include <optional>
#include <string>

namespace tavimo::web {

class MainWindow final : public WindowBinding {
public:
    MainWindow(frmMain& form, WebPlatform& platform);

    // The window's elements, made in the page's element `root` with the design values that the
    // model holds now.
    void create(emscripten::val root);
    void focusTextBox(const TextBox& box) override;
    // One event of the page: the page forwards each kind that the window listens to.
    void handleEvent(emscripten::val event);

private:
    using Element = emscripten::val;
    // One control, the element that shows it and the values last pushed onto it (Mirror.h).
    struct FrameElement {
        const Frame* model = nullptr;
        Element element = Element::undefined();
        std::optional<PixelRect> geometry;
    };
    struct BoxElement {
        TextBox* model = nullptr;
        Element element = Element::undefined();
        std::optional<InputBox> input; // the inputs with a character limit
        bool edited = false;           // the user changed the text since it was last read
        bool scrolled = false;         // the user scrolled it away from its start
        ResultSheet sheet;             // a long result text's first look
        PushedBox pushed;
    };
    struct LabelElement {
        const Label* model = nullptr;
        Element element = Element::undefined();
        PushedLabel pushed;
    };
    struct ButtonElement {
        CommandButton* model = nullptr;
        Element element = Element::undefined();
        PushedButton pushed;
    };

    void createControls();
    void setupAccessibleTexts();

    BoxElement* boxNamed(const std::string& id);
    ButtonElement* buttonNamed(const std::string& id);
    PixelRect placeIn(Container container, const PixelRect& rect) const;
    // Whether the place or the face changed.
    template <typename Pushed, typename Control>
    bool placeWithFont(Element& element, Pushed& pushed, const Control& model);
    int unitTextWidth();

    void keyDown(Element event);
    void mouseDownOnRun(Element event);
    void resizeByHandle(Element event);
    void setClientSize(PixelSize client);
    void fitToPage();
    void moveDefaultEmphasis();
    // The lines below the view added to the sheets (ResultSheet::addRest), one box a frame: a
    // callback of requestAnimationFrame that asks for the next frame while a box remains.
    static EM_BOOL addRestToSheets(double time, void* window);

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

    WebPlatform& m_web;
    Element m_window = Element::undefined(); // the frame with caption, client area and handle
    Element m_client = Element::undefined();
    Element m_root = Element::undefined(); // the page's element that holds the window
    std::array<FrameElement, 3> m_frames;
    std::array<BoxElement, 6> m_boxes;
    std::array<LabelElement, 3> m_labels;
    std::array<ButtonElement, 10> m_buttons;
    Element m_line = Element::undefined();
    std::optional<PixelRect> m_lineGeometry;
    std::optional<PixelSize> m_pushedClient;
    std::optional<double> m_scale;
    std::optional<std::pair<std::string, std::string>> m_measuredUnit; // caption, font
    int m_unitTextWidth = 0;
    // A drag of the resize handle: where it started and the client size then.
    struct Drag {
        double x = 0;
        double y = 0;
        PixelSize client;
    };
    std::optional<Drag> m_drag;
    bool m_restPending = false;
};

} // namespace tavimo::web
