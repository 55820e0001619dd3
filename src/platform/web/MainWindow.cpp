// The main window in the browser: an element of the page for each control of frmMain, and the
// page's events turned into its handlers.
#include "platform/web/MainWindow.h"

#include "platform/AccessibleTexts.h"
#include "platform/web/Look.h"
#include "platform/web/TextConversion.h"
#include "platform/web/WindowFrame.h"

#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>

using emscripten::val;

namespace tavimo::web {
namespace {

// The page's margin around the window on a screen narrower than the window, in CSS pixels.
constexpr int pageMargin = 8;

std::string px(int pixels)
{
    return std::to_string(pixels) + "px";
}

void setRect(val& element, const PixelRect& rect)
{
    val style = element["style"];
    style.set("left", px(rect.left));
    style.set("top", px(rect.top));
    style.set("width", px(rect.width));
    style.set("height", px(rect.height));
}

void setSize(val element, PixelSize size)
{
    val style = element["style"];
    style.set("width", px(size.width));
    style.set("height", px(size.height));
}

const char* textAlign(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Left:
        return "left";
    case Alignment::Right:
        return "right";
    case Alignment::Centre:
        break;
    }
    return "center";
}

std::string idOf(const val& element)
{
    if (element.isNull() || element.isUndefined()) {
        return {};
    }
    const val id = element["id"];
    return id.isString() ? id.as<std::string>() : std::string();
}

val document()
{
    return val::global("document");
}

// The events that reach into a result box: a long text's sheet gives way to its text area first.
// The pointer coming over the box (a finger's too, as it touches), so that a click finds the box
// laid out already; the focus, which a press gives first, also under a pointer that rested over
// the box as the answer came, and which every key needs; the wheel; a drag.
bool reachesIn(const std::string& type)
{
    return type == "pointerover" || type == "focusin" || type == "wheel" || type == "dragenter";
}

} // namespace

MainWindow::MainWindow(frmMain& form, WebPlatform& platform)
    : WindowBinding(form, platform), m_web(platform)
{}

void MainWindow::create(val root)
{
    m_root = root;
    m_window = makeElement("div", "frmMain", "window");
    m_window.call<void>("setAttribute", std::string("role"), std::string("region"));
    m_window.call<void>("setAttribute", std::string("aria-label"), std::string("Tavimo"));
    m_window.call<void>("setAttribute", std::string("aria-description"),
                        std::string(windowDescription));

    val caption = makeElement("div", "", "caption");
    val icon = makeElement("img", "", "icon");
    icon.set("src", std::string("icon.svg"));
    icon.set("alt", std::string(""));
    val title = makeElement("span", "", "title");
    title.set("textContent", std::string("Tavimo"));
    caption.call<void>("append", icon, title);

    m_client = makeElement("div", "client", "client");
    m_client.set("tabIndex", -1);
    val handle = makeElement("div", "grip", "grip");
    handle.call<void>("setAttribute", std::string("aria-hidden"), std::string("true"));
    m_window.call<void>("append", caption, m_client, handle);

    createControls();
    setupAccessibleTexts();
    m_root.call<void>("append", m_window);
}

void MainWindow::createControls()
{
    // Blocks that take no focus first, then the controls in tab order: Tab follows the page's
    // order, and a later element lies above an earlier one.
    const auto frames = m_form.frames();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        m_frames[i].model = frames[i];
        m_frames[i].element = makeElement("div", frames[i]->name, "frame");
        m_client.call<void>("append", m_frames[i].element);
    }
    m_line = makeElement("div", m_form.Line1.name, "line");
    m_client.call<void>("append", m_line);
    const auto labels = m_form.labels();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        m_labels[i].model = labels[i];
        m_labels[i].element = makeElement("div", labels[i]->name, "label");
        m_client.call<void>("append", m_labels[i].element);
    }
    // The count stands in front of its unit, which it overlaps.
    entryFor(m_labels, m_form.lbl2).element["style"].set("zIndex", 1);

    const auto boxes = m_form.textBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        m_boxes[i].model = boxes[i];
    }
    const auto buttons = m_form.buttons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        m_buttons[i].model = buttons[i];
    }
    for (const TabStop& stop : tabOrder(m_form)) {
        if (stop.box != nullptr) {
            BoxElement& box = entryFor(m_boxes, *stop.box);
            const bool multiLine = box.model->multiLine;
            box.element = makeElement(multiLine ? "textarea" : "input", box.model->name,
                                      multiLine ? "box result" : "box input");
            box.element.set("spellcheck", false);
            box.element.call<void>("setAttribute", std::string("autocomplete"), std::string("off"));
            if (box.model->maxLength > 0) {
                box.input.emplace(box.model->maxLength);
            }
            m_client.call<void>("append", box.element);
            continue;
        }
        ButtonElement& button = entryFor(m_buttons, *stop.button);
        button.element = makeElement("button", button.model->name, "button");
        button.element.set("type", std::string("button"));
        m_client.call<void>("append", button.element);
    }
}

void MainWindow::setupAccessibleTexts()
{
    for (const AccessibleText& text : accessibleTexts()) {
        val element = document().call<val>("getElementById", std::string(text.control));
        if (element.isNull()) {
            element = m_client.call<val>("querySelector", "#" + std::string(text.control));
        }
        if (text.name != nullptr) {
            element.call<void>("setAttribute", std::string("aria-label"), std::string(text.name));
        }
        element.call<void>("setAttribute", std::string("aria-description"),
                           std::string(text.description));
    }
    // Each frame holds its controls in the accessible tree, as on the desktop, though they follow
    // one another in the page in tab order.
    for (FrameElement& frame : m_frames) {
        const Container container = frame.model == &m_form.fram1   ? Container::fram1
                                    : frame.model == &m_form.fram2 ? Container::fram2
                                                                   : Container::fram3;
        std::string owned;
        auto own = [&](const auto& entries) {
            for (const auto& entry : entries) {
                if (entry.model->container == container) {
                    owned += (owned.empty() ? "" : " ") + std::string(entry.model->name);
                }
            }
        };
        own(m_boxes);
        own(m_buttons);
        own(m_labels);
        frame.element.call<void>("setAttribute", std::string("role"), std::string("group"));
        frame.element.call<void>("setAttribute", std::string("aria-owns"), owned);
    }
    m_line.call<void>("setAttribute", std::string("role"), std::string("separator"));
}

MainWindow::BoxElement* MainWindow::boxNamed(const std::string& id)
{
    for (BoxElement& box : m_boxes) {
        if (!id.empty() && box.model->name == id) {
            return &box;
        }
    }
    return nullptr;
}

MainWindow::ButtonElement* MainWindow::buttonNamed(const std::string& id)
{
    for (ButtonElement& button : m_buttons) {
        if (!id.empty() && button.model->name == id) {
            return &button;
        }
    }
    return nullptr;
}

void MainWindow::handleEvent(val event)
{
    if (m_web.closing()) {
        return;
    }
    const std::string type = event["type"].as<std::string>();
    if (type == "copy") {
        m_web.takeCopyEvent(event);
        return;
    }
    if (type == "resize") {
        fitToPage();
        ResultSheet::pageResized();
        for (BoxElement& box : m_boxes) {
            box.sheet.followPage();
        }
        return;
    }
    const val target = event["target"];
    const std::string id = idOf(target);
    if (BoxElement* box = boxNamed(id); box != nullptr && reachesIn(type)) {
        box->sheet.complete();
    }
    if (type == "click") {
        if (ButtonElement* button = buttonNamed(id)) {
            run(clickHandler(m_form, *button->model));
        }
    } else if (type == "mousedown" || type == "mouseup") {
        // The side buttons (back, forward) are the window's, not the browser's history's.
        const int button = event["button"].as<int>();
        if (button == 3 || button == 4) {
            event.call<void>("preventDefault");
        }
        if (type == "mousedown" && id == m_form.cmdJIKKO.name) {
            mouseDownOnRun(event);
        }
    } else if (type == "contextmenu") {
        // A right button on a command button is the program's (Run's mouse-down), not a menu's.
        if (buttonNamed(id) != nullptr) {
            event.call<void>("preventDefault");
        }
    } else if (type == "keydown") {
        keyDown(event);
    } else if (type == "focusin") {
        moveDefaultEmphasis();
    } else if (type.rfind("pointer", 0) == 0) {
        if (id == "grip" && type != "pointerover") {
            resizeByHandle(event);
        }
    } else if (BoxElement* box = boxNamed(id)) {
        if (type == "input") {
            box->edited = true;
        } else if (type == "scroll") {
            box->scrolled =
                target["scrollTop"].as<double>() != 0 || target["scrollLeft"].as<double>() != 0;
        } else if (!box->input) {
            return;
        } else if (type == "beforeinput") {
            box->edited = box->input->beforeInput(event) || box->edited;
        } else if (type == "compositionstart") {
            box->input->compositionStart(target);
        } else if (type == "compositionend") {
            box->edited = box->input->compositionEnd(target) || box->edited;
        }
    }
}

void MainWindow::keyDown(val event)
{
    if (event["key"].as<std::string>() != "Enter" || event["altKey"].as<bool>() ||
        event["metaKey"].as<bool>()) {
        return;
    }
    // The Enter that commits a composition of an input method is the input method's.
    if (event["isComposing"].as<bool>() || event["keyCode"].as<int>() == 229) {
        return;
    }
    const val target = document()["activeElement"];
    ButtonElement* focused = buttonNamed(idOf(target));
    if (event["ctrlKey"].as<bool>() && focused == nullptr) {
        // Ctrl+Enter types a line break in a result box, in every browser alike (as a typed text:
        // undone by Ctrl+Z); on a command button it presses that button, as Enter does.
        const BoxElement* box = boxNamed(idOf(target));
        if (box != nullptr && !box->input && !target["readOnly"].as<bool>()) {
            event.call<void>("preventDefault");
            document().call<bool>("execCommand", std::string("insertText"), false,
                                  std::string("\n"));
        }
        return;
    }
    event.call<void>("preventDefault");
    pressEnter(focused != nullptr ? focused->model : nullptr);
}

void MainWindow::mouseDownOnRun(val event)
{
    // Any mouse button, the side buttons too; the button then goes on to its click (the primary
    // button's alone). The button's code: 1 left, 2 right, 4 middle, 0 any other.
    const int button = event["button"].as<int>();
    const int code = button == 0 ? 1 : button == 2 ? 2 : button == 1 ? 4 : 0;
    const int shift = (event["shiftKey"].as<bool>() ? 1 : 0) |
                      (event["ctrlKey"].as<bool>() ? 2 : 0) | (event["altKey"].as<bool>() ? 4 : 0);
    readEdits();
    m_form.cmdJIKKO_MouseDown(code, shift, float(event["offsetX"].as<double>()) * twipsPerPixel,
                              float(event["offsetY"].as<double>()) * twipsPerPixel);
    refresh();
}

void MainWindow::resizeByHandle(val event)
{
    const std::string type = event["type"].as<std::string>();
    if (type == "pointerdown") {
        m_drag = Drag{event["clientX"].as<double>(), event["clientY"].as<double>(),
                      m_pushedClient.value_or(PixelSize{})};
        event["target"].call<void>("setPointerCapture", event["pointerId"]);
        event.call<void>("preventDefault");
        return;
    }
    if (!m_drag) {
        return;
    }
    if (type != "pointermove") {
        m_drag.reset();
        return;
    }
    // The page's pixels are the window's divided by its scale.
    const double scale = m_scale.value_or(1.0);
    const PixelSize client{
        std::max(0, int(std::lround(m_drag->client.width +
                                    (event["clientX"].as<double>() - m_drag->x) / scale))),
        std::max(0, int(std::lround(m_drag->client.height +
                                    (event["clientY"].as<double>() - m_drag->y) / scale)))};
    if (client == m_pushedClient) {
        return;
    }
    // The window takes the size the user gives it, as a window manager's does; the model then
    // takes the outer size.
    m_pushedClient = client;
    setClientSize(client);
    readEdits();
    if (m_size.takeOuterSize(client, frameSize)) {
        refresh();
    }
}

void MainWindow::fitToPage()
{
    const PixelSize client = m_pushedClient.value_or(PixelSize{});
    const PixelSize outer{client.width + frameSize.width, client.height + frameSize.height};
    const int pageWidth = document()["documentElement"]["clientWidth"].as<int>();
    const double scale = scaleToFit(outer.width, pageWidth, pageMargin);
    if (storeIfChanged(m_scale, scale)) {
        m_window["style"].set("transform", scale == 1.0 ? std::string()
                                                        : "scale(" + std::to_string(scale) + ")");
    }
    // The page keeps the room of the scaled window, so that it scrolls no further.
    setSize(m_root, {int(std::ceil(outer.width * scale)), int(std::ceil(outer.height * scale))});
}

void MainWindow::moveDefaultEmphasis()
{
    ButtonElement* focused = buttonNamed(idOf(document()["activeElement"]));
    const CommandButton& target =
        defaultButton(m_form, focused != nullptr ? focused->model : nullptr);
    for (ButtonElement& button : m_buttons) {
        button.element["classList"].call<void>("toggle", std::string("default"),
                                               button.model == &target);
    }
}

bool MainWindow::canRefresh() const
{
    return !m_web.closing();
}

void MainWindow::readEdits()
{
    for (BoxElement& box : m_boxes) {
        TextBox& model = *box.model;
        if (box.edited) {
            model.text = toModelText(box.element["value"].as<std::string>());
            box.pushed.text = model.text;
            box.edited = false;
        }
        // The element holds the model's text now, with LF breaks: positions are mapped on the
        // model's text, not on a copy of the element's (a result box holds some 35 000 characters).
        const int start = box.element["selectionStart"].as<int>();
        const int end = box.element["selectionEnd"].as<int>();
        model.selStart = toModelPosition(model.text, start);
        model.selLength = toModelPosition(model.text, end) - model.selStart;
        box.pushed.selection = Selection{model.selStart, model.selLength};
    }
}

void MainWindow::click(CommandButton& button)
{
    if (!entryFor(m_buttons, button).element["disabled"].as<bool>()) {
        run(clickHandler(m_form, button));
    }
}

PixelRect MainWindow::placeIn(Container container, const PixelRect& rect) const
{
    // Every control is a child of the client area, placed from its frame's corner.
    const Frame* frame = nullptr;
    switch (container) {
    case Container::fram1:
        frame = &m_form.fram1;
        break;
    case Container::fram2:
        frame = &m_form.fram2;
        break;
    case Container::fram3:
        frame = &m_form.fram3;
        break;
    case Container::Window:
        return rect;
    }
    const PixelRect corner = twipsToPixels(frame->rect);
    return {corner.left + rect.left, corner.top + rect.top, rect.width, rect.height};
}

template <typename Pushed, typename Control>
bool MainWindow::placeWithFont(val& element, Pushed& pushed, const Control& model)
{
    PixelRect rect = twipsToPixels(model.rect);
    if constexpr (std::is_same_v<Control, Label>) {
        rect = labelRect(m_form, model, &model == &m_form.lbl2 ? unitTextWidth() : 0);
    }
    const bool placed = storeIfChanged(pushed.geometry, placeIn(model.container, rect));
    if (placed) {
        setRect(element, *pushed.geometry);
    }
    const bool faced = storeIfChanged(pushed.font, fontKey(model.font));
    if (faced) {
        element["style"].set("font", cssFont(model.font));
    }
    return placed || faced;
}

int MainWindow::unitTextWidth()
{
    // The unit's text as the page draws it in its face, measured once for each caption and font.
    const Label& unit = m_form.lbl2k;
    auto key = std::make_pair(unit.caption, cssFont(unit.font));
    if (m_measuredUnit != key) {
        val canvas = document().call<val>("createElement", std::string("canvas"));
        val context = canvas.call<val>("getContext", std::string("2d"));
        context.set("font", key.second);
        m_unitTextWidth = int(std::ceil(
            context.call<val>("measureText", toWidgetText(unit.caption))["width"].as<double>()));
        m_measuredUnit = std::move(key);
    }
    return m_unitTextWidth;
}

void MainWindow::pushWindowSize()
{
    // The model's size is the window's outer size, caption and border included: the client area
    // is that less the frame.
    const PixelSize client = m_size.clientToPush(frameSize);
    if (client != m_pushedClient) {
        m_pushedClient = client;
        setClientSize(client);
        m_size.clientResized();
    }
}

void MainWindow::setClientSize(PixelSize client)
{
    setSize(m_client, client);
    // The window is as wide as its client area, whatever room its caption's text would take.
    m_window["style"].set("width", px(client.width));
    fitToPage();
}

void MainWindow::pushFrame(const Frame& model)
{
    FrameElement& frame = entryFor(m_frames, model);
    if (storeIfChanged(frame.geometry, twipsToPixels(model.rect))) {
        setRect(frame.element, *frame.geometry);
    }
}

void MainWindow::pushLabel(const Label& model)
{
    LabelElement& label = entryFor(m_labels, model);
    PushedLabel& pushed = label.pushed;
    placeWithFont(label.element, pushed, model);
    if (storeIfChanged(pushed.opaque, model.opaque)) {
        label.element["style"].set("backgroundColor", model.opaque ? cssColour(darkGreen)
                                                                   : std::string("transparent"));
    }
    if (storeIfChanged(pushed.caption, model.caption)) {
        label.element.set("textContent", toWidgetText(model.caption));
    }
}

void MainWindow::pushButton(const CommandButton& model)
{
    ButtonElement& button = entryFor(m_buttons, model);
    PushedButton& pushed = button.pushed;
    placeWithFont(button.element, pushed, model);
    if (storeIfChanged(pushed.caption, model.caption)) {
        // The caption names the button for assistive technology too: "実行", "継続"; "縦", "横".
        button.element.set("textContent", toWidgetText(model.caption));
    }
    if (storeIfChanged(pushed.toolTip, model.toolTip)) {
        button.element.set("title", model.toolTip);
        button.element.call<void>("setAttribute", std::string("aria-description"),
                                  buttonDescription(model));
    }
    if (storeIfChanged(pushed.enabled, model.enabled)) {
        button.element.set("disabled", !model.enabled);
    }
    if (storeIfChanged(pushed.visible, model.visible)) {
        button.element["style"].set("display", model.visible ? "" : "none");
    }
}

void MainWindow::pushLine()
{
    if (storeIfChanged(m_lineGeometry, lineRect(m_form.Line1))) {
        setRect(m_line, *m_lineGeometry);
    }
}

void MainWindow::pushBox(TextBox& model)
{
    BoxElement& box = entryFor(m_boxes, model);
    PushedBox& pushed = box.pushed;
    // A new text is drawn as the box is now: placed, and shown, before it is set; and a box is
    // hidden after, so that the old text's scroll position is not kept for the new text.
    bool restyled = placeWithFont(box.element, pushed, model);
    if (storeIfChanged(pushed.alignment, model.alignment)) {
        box.element["style"].set("textAlign", textAlign(model.alignment));
        restyled = true;
    }
    const auto pushVisible = [&] {
        if (storeIfChanged(pushed.visible, model.visible)) {
            box.element["style"].set("display", model.visible ? "" : "none");
            restyled = true;
        }
    };
    if (model.visible) {
        pushVisible();
    }
    if (!storeIfChanged(pushed.text, model.text)) {
        pushVisible();
        if (restyled && model.visible) {
            box.sheet.restyle();
        } else if (restyled) {
            box.sheet.complete();
        }
        return;
    }
    box.sheet.drop();
    const bool focused = document()["activeElement"] == box.element;
    const std::string text = toWidgetText(model.text);
    // A long text in a shown box is drawn by a sheet first, unless the user is in the box.
    if (focused || !model.visible || !box.sheet.show(box.element, text)) {
        box.element.set("value", text);
    } else if (!m_restPending) {
        // From the frame after the one that shows the sheets.
        m_restPending = true;
        emscripten_request_animation_frame(
            [](double, void* window) {
                emscripten_request_animation_frame_loop(addRestToSheets, window);
                return EM_FALSE;
            },
            this);
    }
    box.element.call<void>("setSelectionRange", 0, 0);
    // Writing a scroll position lays the page out at once, a new text of four result boxes and
    // all: written only where the box has been scrolled, or where the browser may scroll a
    // focused box to its caret.
    if (box.scrolled || focused) {
        box.element.set("scrollTop", 0);
        box.element.set("scrollLeft", 0);
        box.scrolled = false;
    }
    box.edited = false;
    caretToStartOfReplacedText(model, pushed.selection);
    pushed.selection = Selection{0, 0}; // where the element's caret is now
    pushVisible();
}

EM_BOOL MainWindow::addRestToSheets(double, void* userData)
{
    MainWindow& window = *static_cast<MainWindow*>(userData);
    const auto partial = [](const BoxElement& box) { return box.sheet.partial(); };
    const auto box = std::find_if(window.m_boxes.begin(), window.m_boxes.end(), partial);
    if (box != window.m_boxes.end() && !window.m_web.closing()) {
        box->sheet.addRest();
    }
    window.m_restPending = !window.m_web.closing() &&
                           std::any_of(window.m_boxes.begin(), window.m_boxes.end(), partial);
    return window.m_restPending ? EM_TRUE : EM_FALSE;
}

void MainWindow::applySelection(const TextBox& model)
{
    BoxElement& box = entryFor(m_boxes, model);
    if (!storeIfChanged(box.pushed.selection, Selection{model.selStart, model.selLength})) {
        return;
    }
    box.sheet.complete();
    const int start = toWidgetPosition(model.text, model.selStart);
    const int end = toWidgetPosition(model.text, model.selStart + model.selLength);
    box.element.call<void>("setSelectionRange", start, end);
}

void MainWindow::focusWindow()
{
    m_client.call<void>("focus");
    moveDefaultEmphasis();
}

void MainWindow::focusTextBox(const TextBox& model)
{
    BoxElement& box = entryFor(m_boxes, model);
    box.sheet.complete();
    box.element.call<void>("focus");
    moveDefaultEmphasis();
}

} // namespace tavimo::web
