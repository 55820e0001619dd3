// The main window on Windows: a standard control for each control of frmMain, and the window's
// messages turned into its handlers.
#include "platform/win32/MainWindow.h"

#include "platform/AccessibleTexts.h"
#include "platform/win32/Accessibility.h"
#include "platform/win32/InputBox.h"
#include "platform/win32/ResultBox.h"
#include "platform/win32/TextConversion.h"
#include "platform/win32/WindowFrame.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cassert>

namespace tavimo::win32 {
namespace {

constexpr wchar_t windowClass[] = L"TavimoMainWindow";
// Control ids: none is IDOK (1) or IDCANCEL (2), which the dialog manager sends on its own.
constexpr int firstBoxId = 100;
constexpr int firstButtonId = 200;
constexpr int firstLabelId = 300;
constexpr UINT_PTR runSubclassId = 1;

DWORD alignmentStyle(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Left:
        return ES_LEFT;
    case Alignment::Right:
        return ES_RIGHT;
    case Alignment::Centre:
        break;
    }
    return ES_CENTER;
}

} // namespace

MainWindow::MainWindow(frmMain& form, Win32Platform& platform)
    : WindowBinding(form, platform), m_win32(platform)
{}

MainWindow::~MainWindow()
{
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
}

bool MainWindow::create(HINSTANCE instance)
{
    m_instance = instance;
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.style = CS_HREDRAW | CS_VREDRAW;
    type.lpfnWndProc = windowProc;
    type.hInstance = instance;
    type.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    type.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), 0));
    type.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    type.hbrBackground = m_look.windowBrush();
    type.lpszClassName = windowClass;
    if (RegisterClassExW(&type) == 0) {
        return false;
    }
    m_window = CreateWindowExW(0, windowClass, L"Tavimo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                               CW_USEDEFAULT, CW_USEDEFAULT, twipsToPixels(m_form.width()),
                               twipsToPixels(m_form.height()), nullptr, nullptr, instance, this);
    if (m_window == nullptr) {
        return false;
    }
    m_win32.attach(m_window);
    m_dpi = windowDpi(m_window);
    createControls();
    return true;
}

void MainWindow::createControls()
{
    const auto boxes = m_form.textBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        m_boxes[i].model = boxes[i];
        m_boxes[i].id = firstBoxId + int(i);
    }
    const auto buttons = m_form.buttons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        m_buttons[i].model = buttons[i];
        m_buttons[i].id = firstButtonId + int(i);
    }

    // Children follow one another in the order they are created, and Tab follows that order.
    for (const TabStop& stop : tabOrder(m_form)) {
        if (stop.box != nullptr) {
            BoxControl& box = entryFor(m_boxes, *stop.box);
            box.widget = createBox(box);
            continue;
        }
        ButtonControl& button = entryFor(m_buttons, *stop.button);
        button.widget = CreateWindowExW(
            0, L"BUTTON", L"", WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | BS_OWNERDRAW | BS_NOTIFY,
            0, 0, 0, 0, m_window, reinterpret_cast<HMENU>(INT_PTR(button.id)), m_instance, nullptr);
    }

    const auto labels = m_form.labels();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        m_labels[i].model = labels[i];
        m_labels[i].widget = CreateWindowExW(
            0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_RIGHT | SS_NOPREFIX, 0,
            0, 0, 0, m_window, reinterpret_cast<HMENU>(INT_PTR(firstLabelId + int(i))), m_instance,
            nullptr);
    }
    for (const LabelControl& label : m_labels) {
        nameForScreenReaders(label.widget, label.model->name);
    }
    nameForScreenReaders(m_window, {});
    // The count stands in front of its unit, which it overlaps.
    SetWindowPos(entryFor(m_labels, m_form.lbl2).widget, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    m_toolTips =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, m_window, nullptr, m_instance, nullptr);

    SetWindowSubclass(entryFor(m_buttons, m_form.cmdJIKKO).widget, runButtonProc, runSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
}

HWND MainWindow::createBox(BoxControl& box)
{
    const TextBox& model = *box.model;
    DWORD style = WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | alignmentStyle(model.alignment);
    if (model.multiLine) {
        // No horizontal scrolling: the lines wrap between words, and a word wider than the box
        // breaks where it reaches the edge.
        style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
    } else {
        style |= ES_AUTOHSCROLL;
    }
    box.pushed.alignment = model.alignment;
    HWND hwnd = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", style, 0, 0, 0, 0, m_window,
                                reinterpret_cast<HMENU>(INT_PTR(box.id)), m_instance, nullptr);
    // No limit of the edit's own (32767 UTF-16 units by default) on the result boxes either.
    keepInputLimit(hwnd, model.maxLength);
    nameForScreenReaders(hwnd, model.name);
    if (model.multiLine) {
        copyWithoutSoftBreaks(hwnd);
    }
    return hwnd;
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::runButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR self)
{
    // Any mouse button going down on Run, the side buttons too; the button then goes on to its
    // click. The button's code: 1 left, 2 right, 4 middle, 0 any other.
    int code = 0;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        code = 1;
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        code = 2;
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        code = 4;
        break;
    case WM_XBUTTONDOWN:
    case WM_XBUTTONDBLCLK:
        break;
    default:
        return DefSubclassProc(button, message, wParam, lParam);
    }
    auto* window = reinterpret_cast<MainWindow*>(self);
    const int shift = ((GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) ? 1 : 0) |
                      ((GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) ? 2 : 0) |
                      ((GetKeyState(VK_MENU) & 0x8000) ? 4 : 0);
    const auto x = static_cast<short>(LOWORD(lParam));
    const auto y = static_cast<short>(HIWORD(lParam));
    window->readEdits();
    window->m_form.cmdJIKKO_MouseDown(code, shift, pixelsToTwips(x, window->m_dpi),
                                      pixelsToTwips(y, window->m_dpi));
    window->refresh();
    return DefSubclassProc(button, message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        const HWND control = reinterpret_cast<HWND>(lParam);
        const int notification = HIWORD(wParam);
        if (ButtonControl* button = entryShowing(m_buttons, control)) {
            if (notification == BN_CLICKED || notification == BN_DOUBLECLICKED) {
                run(clickHandler(m_form, *button->model));
            } else if (notification == BN_SETFOCUS || notification == BN_KILLFOCUS) {
                // The emphasis of the default button follows the focus (defaultButton()).
                for (const ButtonControl& other : m_buttons) {
                    InvalidateRect(other.widget, nullptr, FALSE);
                }
            }
        } else if (BoxControl* box = entryShowing(m_boxes, control)) {
            if (notification == EN_CHANGE && !m_size.pushing()) {
                box->edited = true;
            } else if (notification == EN_SETFOCUS) {
                InvalidateRect(defaultButton(), nullptr, FALSE);
            }
        }
        return 0;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        m_look.drawButton(item, item.hwndItem == defaultButton());
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(m_look.colourLabel(reinterpret_cast<HDC>(wParam)));
    case WM_NEXTDLGCTL: {
        // Tab in a multi-line edit, and the dialog manager's own Tab, ask the window to move on.
        HWND next = lParam != 0 ? reinterpret_cast<HWND>(wParam)
                                : GetNextDlgTabItem(m_window, GetFocus(), wParam != 0);
        if (next != nullptr) {
            SetFocus(next);
            if (BoxControl* box = entryShowing(m_boxes, next);
                box != nullptr && !box->model->multiLine) {
                SendMessageW(next, EM_SETSEL, 0, -1);
            }
        }
        return 0;
    }
    case DM_GETDEFID:
        return MAKELRESULT(entryFor(m_buttons, m_form.cmdJIKKO).id, DC_HASDEFID);
    case WM_ACTIVATE:
        // The control that had the focus gets it back when the window is activated again (Alt+Tab,
        // a click on the caption, a restore), as Windows' dialogs do; the default procedure would
        // give it to the window itself.
        if (LOWORD(wParam) == WA_INACTIVE) {
            m_focusBeforeDeactivation = GetFocus();
        } else if (HWND last = m_focusBeforeDeactivation;
                   last != nullptr && IsChild(m_window, last) && IsWindowVisible(last) &&
                   IsWindowEnabled(last) && HIWORD(wParam) == 0) {
            SetFocus(last);
            return 0;
        }
        break;
    case WM_SIZE:
        if (!m_size.pushing() && wParam != SIZE_MINIMIZED) {
            takeWindowSize();
        }
        return 0;
    case WM_DPICHANGED:
        followDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(m_window, &paint);
        if (m_line) {
            FillRect(dc, &*m_line, m_look.lineBrush());
        }
        EndPaint(m_window, &paint);
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(m_window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        m_window = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

bool MainWindow::takeKey(const MSG& message)
{
    if (message.message != WM_KEYDOWN ||
        (message.hwnd != m_window && !IsChild(m_window, message.hwnd))) {
        return false;
    }
    if (message.wParam == VK_ESCAPE) {
        return true;
    }
    if (message.wParam != VK_RETURN) {
        return false;
    }
    // Ctrl+Enter types a line break in a result box; on a command button it presses that button,
    // as Enter does.
    const ButtonControl* focused = entryShowing(m_buttons, GetFocus());
    if ((GetKeyState(VK_CONTROL) & 0x8000) && focused == nullptr) {
        return false;
    }
    pressEnter(focused != nullptr ? focused->model : nullptr);
    return true;
}

void MainWindow::click(CommandButton& button)
{
    if (IsWindowEnabled(entryFor(m_buttons, button).widget)) {
        run(clickHandler(m_form, button));
    }
}

void MainWindow::nameForScreenReaders(HWND control, std::string_view name)
{
    if (control == m_window) {
        setAccessibleTexts(control, {}, toWide(windowDescription));
    } else if (const AccessibleText* text = accessibleTextOf(name)) {
        // A label is named by its caption.
        const bool label = text->name == nullptr;
        setAccessibleTexts(control, label ? std::wstring() : toWide(text->name),
                           toWide(text->description), label ? ROLE_SYSTEM_STATICTEXT : 0);
    }
}

bool MainWindow::canRefresh() const
{
    return m_window != nullptr && !m_win32.closing();
}

void MainWindow::readEdits()
{
    for (BoxControl& box : m_boxes) {
        const std::wstring shown = windowText(box.widget);
        const std::wstring text = textOf(box, shown);
        if (box.edited) {
            box.model->text = toUtf8(text);
            box.pushed.text = box.model->text;
            box.edited = false;
        }
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(box.widget, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        TextBox& model = *box.model;
        model.selStart = toModelPosition(text, positionWithoutSoftBreaks(shown, int(start)));
        model.selLength =
            toModelPosition(text, positionWithoutSoftBreaks(shown, int(end))) - model.selStart;
        box.pushed.selection = Selection{model.selStart, model.selLength};
    }
}

void MainWindow::takeWindowSize()
{
    const WindowEdges now = windowEdges(m_window);
    readEdits();
    if (m_size.takeOuterSize(toDip(now.client, m_dpi), toDip(now.frame, m_dpi))) {
        refresh();
    }
}

void MainWindow::followDpi(int dpi, const RECT* suggested)
{
    m_dpi = dpi;
    forgetPushed();
    // The window goes where Windows moves it; refresh() gives it the model's size in the new
    // scale.
    m_size.setPushing(true);
    SetWindowPos(m_window, nullptr, suggested->left, suggested->top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_size.setPushing(false);
    refresh();
}

void MainWindow::forgetPushed()
{
    for (BoxControl& box : m_boxes) {
        box.pushed.geometry.reset();
        box.pushed.font.reset();
    }
    for (LabelControl& label : m_labels) {
        label.pushed.geometry.reset();
        label.pushed.font.reset();
    }
    for (ButtonControl& button : m_buttons) {
        button.pushed.geometry.reset();
        button.pushed.font.reset();
    }
}

const Frame& MainWindow::frameOf(Container container) const
{
    assert(container != Container::Window);
    switch (container) {
    case Container::fram1:
        return m_form.fram1;
    case Container::fram2:
        return m_form.fram2;
    case Container::fram3:
    case Container::Window:
        break;
    }
    return m_form.fram3;
}

PixelRect MainWindow::placeIn(Container container, const PixelRect& rect) const
{
    // A control in a frame is placed from the frame's corner, as the frame's child would be.
    if (container == Container::Window) {
        return rect;
    }
    const PixelRect corner = twipsToPixels(frameOf(container).rect, m_dpi);
    return {corner.left + rect.left, corner.top + rect.top, rect.width, rect.height};
}

template <typename Entry, typename Control>
bool MainWindow::placeWithFont(Entry& entry, const Control& model, const PixelRect& inContainer)
{
    const PixelRect rect = placeIn(model.container, inContainer);
    const bool resized = !entry.pushed.geometry || entry.pushed.geometry->width != rect.width ||
                         entry.pushed.geometry->height != rect.height;
    if (storeIfChanged(entry.pushed.geometry, rect)) {
        SetWindowPos(entry.widget, nullptr, rect.left, rect.top, rect.width, rect.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // A control shows only what lies within its frame, as a child of the frame would: a result
    // box of a lowered window ends at the bottom of the results' frame.
    PixelRect visible{0, 0, inContainer.width, inContainer.height};
    if (model.container != Container::Window) {
        const PixelRect frame = twipsToPixels(frameOf(model.container).rect, m_dpi);
        visible.left = std::clamp(-inContainer.left, 0, inContainer.width);
        visible.top = std::clamp(-inContainer.top, 0, inContainer.height);
        visible.width =
            std::clamp(frame.width - inContainer.left, visible.left, inContainer.width) -
            visible.left;
        visible.height =
            std::clamp(frame.height - inContainer.top, visible.top, inContainer.height) -
            visible.top;
    }
    if (storeIfChanged(entry.clip, visible)) {
        const bool whole = visible == PixelRect{0, 0, inContainer.width, inContainer.height};
        SetWindowRgn(entry.widget,
                     whole ? nullptr
                           : CreateRectRgn(visible.left, visible.top, visible.left + visible.width,
                                           visible.top + visible.height),
                     TRUE);
    }
    const bool newFont = storeIfChanged(entry.pushed.font, fontKey(model.font));
    if (newFont) {
        // Set explicitly on every control: a multi-line edit draws kanji only with a Japanese face.
        SendMessageW(entry.widget, WM_SETFONT,
                     reinterpret_cast<WPARAM>(m_look.font(model.font, m_dpi)), TRUE);
    }
    return resized || newFont;
}

void MainWindow::pushWindowSize()
{
    // The model's size is the outer size, frame and caption bar included, as far as the layout
    // leaves room for them (WindowSize): the client area is that less the frame.
    WindowEdges now = windowEdges(m_window);
    PixelSize client = fromDip(m_size.clientToPush(toDip(now.frame, m_dpi)), m_dpi);
    if (client != now.client && IsZoomed(m_window)) {
        // The program's own size ends the maximised state, as a user's resize does; the frame of
        // the restored window is another.
        ShowWindow(m_window, SW_RESTORE);
        now = windowEdges(m_window);
        client = fromDip(m_size.clientToPush(toDip(now.frame, m_dpi)), m_dpi);
    }
    if (client != now.client) {
        SetWindowPos(m_window, nullptr, 0, 0, client.width + now.frame.width,
                     client.height + now.frame.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_size.clientResized();
    }
}

void MainWindow::pushFrame(const Frame&)
{
    // A frame is the window's own dark green, painted with it; its controls are placed from its
    // corner (placeIn).
}

void MainWindow::pushLabel(const Label& model)
{
    LabelControl& label = entryFor(m_labels, model);
    PushedLabel& pushed = label.pushed;
    // The count ends where its unit's text begins, at whatever size the face takes on this screen.
    const int unitText = &model == &m_form.lbl2 ? m_look.textWidth(m_form.lbl2k, m_dpi) : 0;
    placeWithFont(label, model, labelRect(m_form, model, unitText, m_dpi));
    if (storeIfChanged(pushed.caption, model.caption)) {
        SetWindowTextW(label.widget, toWide(model.caption).c_str());
    }
}

void MainWindow::pushButton(const CommandButton& model)
{
    ButtonControl& button = entryFor(m_buttons, model);
    PushedButton& pushed = button.pushed;
    placeWithFont(button, model, twipsToPixels(model.rect, m_dpi));
    if (storeIfChanged(pushed.caption, model.caption)) {
        // The caption is the button's window text: drawn from it, and read out by screen readers.
        SetWindowTextW(button.widget, toWide(model.caption).c_str());
        InvalidateRect(button.widget, nullptr, FALSE);
    }
    if (storeIfChanged(pushed.toolTip, model.toolTip)) {
        // Named by its caption, described by its tooltip.
        setAccessibleTexts(button.widget, {}, toWide(buttonDescription(model)),
                           ROLE_SYSTEM_PUSHBUTTON);
        std::wstring text = toWide(model.toolTip);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = m_window;
        tool.uId = reinterpret_cast<UINT_PTR>(button.widget);
        tool.lpszText = text.data();
        SendMessageW(m_toolTips, button.toolAdded ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                     reinterpret_cast<LPARAM>(&tool));
        button.toolAdded = true;
    }
    if (storeIfChanged(pushed.enabled, model.enabled)) {
        EnableWindow(button.widget, model.enabled);
    }
    if (storeIfChanged(pushed.visible, model.visible)) {
        ShowWindow(button.widget, model.visible ? SW_SHOWNA : SW_HIDE);
    }
}

void MainWindow::pushLine()
{
    const PixelRect rect = lineRect(m_form.Line1, m_dpi);
    const RECT now{rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
    if (m_line && EqualRect(&*m_line, &now)) {
        return;
    }
    if (m_line) {
        InvalidateRect(m_window, &*m_line, TRUE);
    }
    m_line = now;
    InvalidateRect(m_window, &now, TRUE);
}

void MainWindow::pushBox(TextBox& model)
{
    BoxControl& box = entryFor(m_boxes, model);
    PushedBox& pushed = box.pushed;
    bool recreated = false;
    if (model.alignment != pushed.alignment) {
        // An edit's alignment is fixed when it is created: a new edit takes the old one's place
        // in the tab order and everything is pushed onto it again.
        HWND old = box.widget;
        const bool focused = GetFocus() == old;
        box.widget = createBox(box);
        SetWindowPos(box.widget, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        DestroyWindow(old);
        if (focused) {
            SetFocus(box.widget);
        }
        pushed.geometry.reset();
        pushed.font.reset();
        pushed.visible.reset();
        box.clip.reset();
        recreated = true;
    }
    const bool reshaped = placeWithFont(box, model, twipsToPixels(model.rect, m_dpi));
    const bool newText = storeIfChanged(pushed.text, model.text);
    if (newText || recreated) {
        fill(box, toWide(model.text));
        SendMessageW(box.widget, EM_SETSEL, 0, 0);
        SendMessageW(box.widget, EM_SCROLLCARET, 0, 0);
        box.edited = false;
        if (recreated) {
            pushed.selection = Selection{0, 0};
        }
    } else if (reshaped && box.softWrapped) {
        wrapAgain(box.widget);
    }
    if (newText) {
        caretToStartOfReplacedText(model, pushed.selection);
        pushed.selection = Selection{0, 0}; // where the edit's caret is now
    }
    if (storeIfChanged(pushed.visible, model.visible)) {
        ShowWindow(box.widget, model.visible ? SW_SHOWNA : SW_HIDE);
    }
}

void MainWindow::fill(BoxControl& box, std::wstring text)
{
    if (box.model->multiLine) {
        box.softWrapped = fillResultBox(box.widget, std::move(text));
    } else {
        SetWindowTextW(box.widget, text.c_str());
    }
}

std::wstring MainWindow::textOf(const BoxControl& box, std::wstring_view shown)
{
    return box.softWrapped ? withoutSoftBreaks(shown) : std::wstring(shown);
}

void MainWindow::applySelection(const TextBox& model)
{
    BoxControl& box = entryFor(m_boxes, model);
    if (!storeIfChanged(box.pushed.selection, Selection{model.selStart, model.selLength})) {
        return;
    }
    const std::wstring shown = windowText(box.widget);
    const std::wstring text = textOf(box, shown);
    const int start = positionWithSoftBreaks(shown, toControlPosition(text, model.selStart));
    const int end =
        positionWithSoftBreaks(shown, toControlPosition(text, model.selStart + model.selLength));
    SendMessageW(box.widget, EM_SETSEL, WPARAM(start), LPARAM(end));
}

void MainWindow::focusWindow()
{
    SetFocus(m_window);
}

void MainWindow::focusTextBox(const TextBox& box)
{
    SetFocus(entryFor(m_boxes, box).widget);
}

HWND MainWindow::defaultButton()
{
    ButtonControl* focused = entryShowing(m_buttons, GetFocus());
    const CommandButton& target =
        tavimo::defaultButton(m_form, focused != nullptr ? focused->model : nullptr);
    return entryFor(m_buttons, target).widget;
}

} // namespace tavimo::win32
