// The main window on Windows: a standard control for each control of frmMain, and the window's
// messages turned into its handlers.
#include "platform/win32/MainWindow.h"

#include "platform/InputLimit.h"
#include "platform/Mirror.h"
#include "platform/WindowSize.h"
#include "platform/win32/Text.h"

#include <commctrl.h>

#include <algorithm>
#include <cassert>
#include <cmath>
#include <functional>
#include <vector>

namespace tavimo::win32 {
namespace {

constexpr wchar_t windowClass[] = L"TavimoMainWindow";
// Control ids: none is IDOK (1) or IDCANCEL (2), which the dialog manager sends on its own.
constexpr int firstBoxId = 100;
constexpr int firstButtonId = 200;
constexpr int firstLabelId = 300;
constexpr UINT_PTR runSubclassId = 1;
constexpr UINT_PTR inputLimitSubclassId = 2;

COLORREF toColorRef(Rgb colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

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

std::wstring windowText(HWND control)
{
    std::wstring text(std::size_t(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(control, text.data(), int(text.size()))));
    return text;
}

// A function of a system DLL that older Windows (or Wine) may lack, looked up when it is needed.
template <typename Function> Function systemFunction(const wchar_t* dll, const char* name)
{
    HMODULE module = GetModuleHandleW(dll);
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

int windowDpi(HWND window)
{
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    if (auto get = systemFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow")) {
        if (const UINT dpi = get(window)) {
            return int(dpi);
        }
    }
    HDC screen = GetDC(window);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(window, screen);
    return dpi > 0 ? dpi : 96;
}

int CALLBACK faceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// "ＭＳ Ｐゴシック" where installed (under its Japanese or its English name); else the Japanese UI
// faces that Windows 10 and 11, Vista to 8.1, and older releases carry.
std::wstring japaneseFace()
{
    const std::wstring preferred = toWide(tavimo::japaneseFace);
    const std::vector<std::wstring> faces{preferred, L"MS PGothic", L"Yu Gothic UI", L"Meiryo UI",
                                          L"MS UI Gothic"};
    HDC screen = GetDC(nullptr);
    for (const std::wstring& face : faces) {
        LOGFONTW query{};
        query.lfCharSet = DEFAULT_CHARSET;
        face.copy(query.lfFaceName, LF_FACESIZE - 1);
        bool found = false;
        EnumFontFamiliesExW(screen, &query, faceFound, reinterpret_cast<LPARAM>(&found), 0);
        if (found) {
            ReleaseDC(nullptr, screen);
            return face;
        }
    }
    ReleaseDC(nullptr, screen);
    return preferred; // the font mapper then picks the closest face for the Shift-JIS set
}

} // namespace

MainWindow::MainWindow(frmMain& form, Win32Platform& platform) : m_form(form), m_platform(platform)
{
    m_darkGreen = CreateSolidBrush(toColorRef(darkGreen));
    m_brightGreen = CreateSolidBrush(toColorRef(brightGreen));
    m_white = CreateSolidBrush(toColorRef(white));
    m_emphasis = CreateSolidBrush(RGB(0, 96, 0));
}

MainWindow::~MainWindow()
{
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
    for (const auto& [key, font] : m_fonts) {
        DeleteObject(font);
    }
    for (HBRUSH brush : {m_darkGreen, m_brightGreen, m_white, m_emphasis}) {
        DeleteObject(brush);
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
    type.hbrBackground = m_darkGreen;
    type.lpszClassName = windowClass;
    if (RegisterClassExW(&type) == 0) {
        return false;
    }
    m_window = CreateWindowExW(0, windowClass, L"Tavimo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                               CW_USEDEFAULT, CW_USEDEFAULT, toPixels(m_form.width()),
                               toPixels(m_form.height()), nullptr, nullptr, instance, this);
    if (m_window == nullptr) {
        return false;
    }
    m_platform.attach(m_window);
    m_dpi = windowDpi(m_window);
    m_face = japaneseFace();
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
    const auto clicks = clickHandlers(m_form);
    const auto buttons = m_form.buttons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        ButtonControl& button = m_buttons[i];
        button.model = buttons[i];
        button.id = firstButtonId + int(i);
        for (const auto& [model, handler] : clicks) {
            if (model == button.model) {
                button.click = handler;
            }
        }
        assert(button.click != nullptr);
    }

    // Children follow one another in the order they are created, and Tab follows that order.
    std::vector<std::pair<int, std::function<void()>>> order;
    for (BoxControl& box : m_boxes) {
        order.emplace_back(box.model->tabIndex, [this, &box] { box.hwnd = createBox(box); });
    }
    for (ButtonControl& button : m_buttons) {
        order.emplace_back(button.model->tabIndex, [this, &button] {
            button.hwnd = CreateWindowExW(
                0, L"BUTTON", L"",
                WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | BS_OWNERDRAW | BS_NOTIFY, 0, 0, 0, 0,
                m_window, reinterpret_cast<HMENU>(INT_PTR(button.id)), m_instance, nullptr);
        });
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [tabIndex, createControl] : order) {
        createControl();
    }

    const auto labels = m_form.labels();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        m_labels[i].model = labels[i];
        m_labels[i].hwnd = CreateWindowExW(
            0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_RIGHT | SS_NOPREFIX, 0,
            0, 0, 0, m_window, reinterpret_cast<HMENU>(INT_PTR(firstLabelId + int(i))), m_instance,
            nullptr);
    }
    // The count stands in front of its unit, which it overlaps.
    for (const LabelControl& label : m_labels) {
        if (label.model == &m_form.lbl2) {
            SetWindowPos(label.hwnd, HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }

    m_toolTips =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, m_window, nullptr, m_instance, nullptr);

    for (const ButtonControl& button : m_buttons) {
        if (button.model == &m_form.cmdJIKKO) {
            SetWindowSubclass(button.hwnd, runButtonProc, runSubclassId,
                              reinterpret_cast<DWORD_PTR>(this));
        }
    }
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
    box.createdWith = model.alignment;
    HWND hwnd = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", style, 0, 0, 0, 0, m_window,
                                reinterpret_cast<HMENU>(INT_PTR(box.id)), m_instance, nullptr);
    // No limit of the edit's own (it counts UTF-16 units, 32767 by default): the inputs' limit in
    // characters is kept by inputLimitProc, for what the user adds.
    SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);
    if (model.maxLength > 0) {
        SetWindowSubclass(hwnd, inputLimitProc, inputLimitSubclassId, DWORD_PTR(model.maxLength));
    }
    return hwnd;
}

LRESULT CALLBACK MainWindow::inputLimitProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR limit)
{
    // What the user adds, typed or pasted, is cut to what fits beside the characters that stay;
    // a character that does not fit is not taken. A character beyond the Basic Multilingual Plane
    // arrives as two WM_CHARs and counts once.
    static thread_local wchar_t pendingHigh = 0;
    std::u16string added;
    if (message == WM_CHAR && wParam >= 0x20 && wParam != 0x7F) {
        const auto unit = char16_t(wParam);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            pendingHigh = wchar_t(unit);
            return 0;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF && pendingHigh != 0) {
            added = {char16_t(pendingHigh), unit};
        } else {
            added = {unit};
        }
        pendingHigh = 0;
    } else if (message == WM_PASTE) {
        if (IsClipboardFormatAvailable(CF_UNICODETEXT) && OpenClipboard(edit)) {
            if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
                if (const auto* text = static_cast<const char16_t*>(GlobalLock(data))) {
                    added = text;
                    GlobalUnlock(data);
                }
            }
            CloseClipboard();
        }
        // One line: a single-line edit takes a pasted text up to its first line break.
        added = added.substr(0, added.find_first_of(u"\r\n"));
    } else {
        return DefSubclassProc(edit, message, wParam, lParam);
    }
    const std::wstring text = windowText(edit);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::u16string_view whole(reinterpret_cast<const char16_t*>(text.data()), text.size());
    const std::size_t kept =
        InputLimit::characters(whole) - InputLimit::characters(whole.substr(start, end - start));
    const std::size_t fits = InputLimit(int(limit)).fittingUnits(added, kept);
    if (fits == added.size() && message == WM_CHAR) {
        if (added.size() == 2) {
            DefSubclassProc(edit, WM_CHAR, WPARAM(added[0]), lParam);
        }
        return DefSubclassProc(edit, WM_CHAR, WPARAM(added.back()), lParam);
    }
    if (fits > 0) {
        const std::wstring fitting(reinterpret_cast<const wchar_t*>(added.data()), fits);
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(fitting.c_str()));
    } else if (message == WM_PASTE && start != end) {
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
    }
    return 0;
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
    // Any mouse button going down on Run; the button then goes on to its click.
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
    default:
        break;
    }
    if (code != 0) {
        auto* window = reinterpret_cast<MainWindow*>(self);
        const int shift = ((wParam & MK_SHIFT) ? 1 : 0) | ((wParam & MK_CONTROL) ? 2 : 0) |
                          ((GetKeyState(VK_MENU) & 0x8000) ? 4 : 0);
        const auto x = static_cast<short>(LOWORD(lParam));
        const auto y = static_cast<short>(HIWORD(lParam));
        window->readEdits();
        window->m_form.cmdJIKKO_MouseDown(code, shift, window->toTwips(x), window->toTwips(y));
        window->refresh();
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        const HWND control = reinterpret_cast<HWND>(lParam);
        const int notification = HIWORD(wParam);
        if (ButtonControl* button = buttonFor(control)) {
            if (notification == BN_CLICKED || notification == BN_DOUBLECLICKED) {
                run(button->click);
            } else if (notification == BN_SETFOCUS || notification == BN_KILLFOCUS) {
                // The emphasis of the default button follows the focus (defaultButton()).
                for (const ButtonControl& other : m_buttons) {
                    InvalidateRect(other.hwnd, nullptr, FALSE);
                }
            }
        } else if (BoxControl* box = boxFor(control)) {
            if (notification == EN_CHANGE && !m_pushing) {
                box->edited = true;
            } else if (notification == EN_SETFOCUS) {
                InvalidateRect(defaultButton(), nullptr, FALSE);
            }
        }
        return 0;
    }
    case WM_DRAWITEM:
        drawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC: {
        // The labels: white on the window's dark green.
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, toColorRef(white));
        SetBkColor(dc, toColorRef(darkGreen));
        return reinterpret_cast<LRESULT>(m_darkGreen);
    }
    case WM_NEXTDLGCTL: {
        // Tab in a multi-line edit, and the dialog manager's own Tab, ask the window to move on.
        HWND next = lParam != 0 ? reinterpret_cast<HWND>(wParam)
                                : GetNextDlgTabItem(m_window, GetFocus(), wParam != 0);
        if (next != nullptr) {
            SetFocus(next);
            if (BoxControl* box = boxFor(next); box != nullptr && !box->model->multiLine) {
                SendMessageW(next, EM_SETSEL, 0, -1);
            }
        }
        return 0;
    }
    case DM_GETDEFID:
        for (const ButtonControl& button : m_buttons) {
            if (button.model == &m_form.cmdJIKKO) {
                return MAKELRESULT(button.id, DC_HASDEFID);
            }
        }
        return 0;
    case WM_SIZE:
        if (!m_pushing && wParam != SIZE_MINIMIZED) {
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
            FillRect(dc, &*m_line, m_white);
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
    if (message.wParam != VK_RETURN || (GetKeyState(VK_CONTROL) & 0x8000)) {
        return false;
    }
    // Enter presses the focused command button, and from anywhere else Run, by its click alone.
    if (ButtonControl* button = buttonFor(GetFocus())) {
        if (IsWindowEnabled(button->hwnd)) {
            run(button->click);
        }
        return true;
    }
    run(&frmMain::cmdJIKKO_Click);
    return true;
}

void MainWindow::run(Handler handler)
{
    readEdits();
    (m_form.*handler)();
    refresh();
}

void MainWindow::readEdits()
{
    for (BoxControl& box : m_boxes) {
        const std::wstring text = windowText(box.hwnd);
        if (box.edited) {
            box.model->text = toUtf8(text);
            box.text = box.model->text;
            box.edited = false;
        }
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(box.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        TextBox& model = *box.model;
        model.selStart = toModelPosition(text, int(start));
        model.selLength = toModelPosition(text, int(end)) - model.selStart;
        box.selection = Selection{model.selStart, model.selLength};
    }
}

MainWindow::WindowEdges MainWindow::edges() const
{
    RECT outer;
    RECT client;
    GetWindowRect(m_window, &outer);
    GetClientRect(m_window, &client);
    WindowEdges frame;
    frame.device = {(outer.right - outer.left) - client.right,
                    (outer.bottom - outer.top) - client.bottom};
    frame.client = {client.right, client.bottom};
    return frame;
}

void MainWindow::takeWindowSize()
{
    const WindowEdges now = edges();
    readEdits();
    if (m_size.takeOuterSize(toDip(now.client), toDip(now.device))) {
        refresh();
    }
}

void MainWindow::followDpi(int dpi, const RECT* suggested)
{
    m_dpi = dpi;
    forgetPushed();
    // The window goes where Windows moves it; refresh() gives it the model's size in the new
    // scale.
    m_pushing = true;
    SetWindowPos(m_window, nullptr, suggested->left, suggested->top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_pushing = false;
    refresh();
}

void MainWindow::forgetPushed()
{
    for (BoxControl& box : m_boxes) {
        box.geometry.reset();
        box.font.reset();
    }
    for (LabelControl& label : m_labels) {
        label.geometry.reset();
        label.font.reset();
    }
    for (ButtonControl& button : m_buttons) {
        button.geometry.reset();
        button.font.reset();
    }
}

int MainWindow::toPixels(float twips) const
{
    return static_cast<int>(std::lround(twips * float(m_dpi) / 1440.0f));
}

PixelSize MainWindow::toDip(PixelSize pixels) const
{
    return {MulDiv(pixels.width, 96, m_dpi), MulDiv(pixels.height, 96, m_dpi)};
}

PixelSize MainWindow::fromDip(PixelSize dip) const
{
    return {MulDiv(dip.width, m_dpi, 96), MulDiv(dip.height, m_dpi, 96)};
}

float MainWindow::toTwips(int pixels) const
{
    return float(pixels) * 1440.0f / float(m_dpi);
}

MainWindow::Geometry MainWindow::geometryOf(Container container, const TwipsRect& rect) const
{
    // A control in a frame is placed from the frame's corner, as the frame's child would be.
    int left = 0;
    int top = 0;
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
        break;
    }
    if (frame != nullptr) {
        left = toPixels(frame->rect.left);
        top = toPixels(frame->rect.top);
    }
    return {left + toPixels(rect.left), top + toPixels(rect.top), toPixels(rect.width),
            toPixels(rect.height)};
}

HFONT MainWindow::fontFor(const Font& font)
{
    const auto key = std::make_tuple(font.points, font.weight, m_dpi);
    if (const auto found = m_fonts.find(key); found != m_fonts.end()) {
        return found->second;
    }
    LOGFONTW description{};
    description.lfHeight = -static_cast<LONG>(std::lround(font.points * float(m_dpi) / 72.0f));
    description.lfWeight = font.weight;
    description.lfCharSet = SHIFTJIS_CHARSET;
    description.lfQuality = DEFAULT_QUALITY;
    m_face.copy(description.lfFaceName, LF_FACESIZE - 1);
    HFONT created = CreateFontIndirectW(&description);
    m_fonts.emplace(key, created);
    return created;
}

void MainWindow::place(HWND control, const Geometry& geometry)
{
    SetWindowPos(control, nullptr, geometry[0], geometry[1], geometry[2], geometry[3],
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::refresh()
{
    if (m_window == nullptr || m_platform.closing()) {
        return;
    }
    m_pushing = true;
    pushWindowSize();
    for (LabelControl& label : m_labels) {
        pushLabel(label);
    }
    for (ButtonControl& button : m_buttons) {
        pushButton(button);
    }
    pushLine();
    for (BoxControl& box : m_boxes) {
        pushBox(box);
    }
    m_pushing = false;
    applyFocusRequest();
    for (BoxControl& box : m_boxes) {
        applySelection(box);
    }
}

void MainWindow::pushWindowSize()
{
    // The model's size is the outer size, frame and caption bar included, as far as the layout
    // leaves room for them (WindowSize): the client area is that less the frame.
    const WindowEdges now = edges();
    const PixelSize client = fromDip(m_size.clientToPush(toDip(now.device)));
    if (client != now.client) {
        SetWindowPos(m_window, nullptr, 0, 0, client.width + now.device.width,
                     client.height + now.device.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_size.clientResized();
    }
}

void MainWindow::pushLabel(LabelControl& label)
{
    const Label& model = *label.model;
    if (storeIfChanged(label.geometry, geometryOf(model.container, model.rect))) {
        place(label.hwnd, *label.geometry);
    }
    if (storeIfChanged(label.font, FontKey{model.font.points, model.font.weight})) {
        SendMessageW(label.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(model.font)), TRUE);
    }
    if (storeIfChanged(label.caption, model.caption)) {
        SetWindowTextW(label.hwnd, toWide(model.caption).c_str());
    }
}

void MainWindow::pushButton(ButtonControl& button)
{
    const CommandButton& model = *button.model;
    if (storeIfChanged(button.geometry, geometryOf(model.container, model.rect))) {
        place(button.hwnd, *button.geometry);
    }
    if (storeIfChanged(button.font, FontKey{model.font.points, model.font.weight})) {
        SendMessageW(button.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(model.font)), TRUE);
    }
    if (storeIfChanged(button.caption, model.caption)) {
        // The caption is the button's window text: drawn from it, and read out by screen readers.
        SetWindowTextW(button.hwnd, toWide(model.caption).c_str());
        InvalidateRect(button.hwnd, nullptr, FALSE);
    }
    if (storeIfChanged(button.toolTip, model.toolTip)) {
        std::wstring text = toWide(model.toolTip);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = m_window;
        tool.uId = reinterpret_cast<UINT_PTR>(button.hwnd);
        tool.lpszText = text.data();
        SendMessageW(m_toolTips, button.toolAdded ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                     reinterpret_cast<LPARAM>(&tool));
        button.toolAdded = true;
    }
    if (storeIfChanged(button.enabled, model.enabled)) {
        EnableWindow(button.hwnd, model.enabled);
    }
    if (storeIfChanged(button.visible, model.visible)) {
        ShowWindow(button.hwnd, model.visible ? SW_SHOWNA : SW_HIDE);
    }
}

void MainWindow::pushLine()
{
    // Drawn 3 pixels wide at 96 dpi, centred on the line, whatever its length.
    const Line& line = m_form.Line1;
    const int width = line.widthPixels * m_dpi / 96;
    const int x1 = toPixels(std::min(line.x1, line.x2));
    const int x2 = toPixels(std::max(line.x1, line.x2));
    const int y1 = toPixels(std::min(line.y1, line.y2));
    const int y2 = toPixels(std::max(line.y1, line.y2));
    const RECT now{x1 - width / 2, y1 - width / 2, x2 + width - width / 2, y2 + width - width / 2};
    if (m_line && EqualRect(&*m_line, &now)) {
        return;
    }
    if (m_line) {
        InvalidateRect(m_window, &*m_line, TRUE);
    }
    m_line = now;
    InvalidateRect(m_window, &now, TRUE);
}

void MainWindow::pushBox(BoxControl& box)
{
    TextBox& model = *box.model;
    bool recreated = false;
    if (model.alignment != box.createdWith) {
        // An edit's alignment is fixed when it is created: a new edit takes the old one's place
        // in the tab order and everything is pushed onto it again.
        HWND old = box.hwnd;
        const bool focused = GetFocus() == old;
        box.hwnd = createBox(box);
        SetWindowPos(box.hwnd, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        DestroyWindow(old);
        if (focused) {
            SetFocus(box.hwnd);
        }
        box.geometry.reset();
        box.font.reset();
        box.visible.reset();
        recreated = true;
    }
    if (storeIfChanged(box.geometry, geometryOf(model.container, model.rect))) {
        place(box.hwnd, *box.geometry);
    }
    if (storeIfChanged(box.font, FontKey{model.font.points, model.font.weight})) {
        // Set explicitly on every edit: a multi-line edit draws kanji only with a Japanese face.
        SendMessageW(box.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(model.font)), TRUE);
    }
    const bool newText = storeIfChanged(box.text, model.text);
    if (newText || recreated) {
        SetWindowTextW(box.hwnd, toWide(model.text).c_str());
        SendMessageW(box.hwnd, EM_SETSEL, 0, 0);
        SendMessageW(box.hwnd, EM_SCROLLCARET, 0, 0);
        box.edited = false;
        if (recreated) {
            box.selection = Selection{0, 0};
        }
    }
    if (newText) {
        caretToStartOfReplacedText(model, box.selection);
        box.selection = Selection{0, 0}; // where the edit's caret is now
    }
    if (storeIfChanged(box.visible, model.visible)) {
        ShowWindow(box.hwnd, model.visible ? SW_SHOWNA : SW_HIDE);
    }
}

void MainWindow::applySelection(BoxControl& box)
{
    const TextBox& model = *box.model;
    if (!storeIfChanged(box.selection, Selection{model.selStart, model.selLength})) {
        return;
    }
    const std::wstring text = windowText(box.hwnd);
    const int start = toControlPosition(text, model.selStart);
    const int end = toControlPosition(text, model.selStart + model.selLength);
    SendMessageW(box.hwnd, EM_SETSEL, WPARAM(start), LPARAM(end));
}

void MainWindow::applyFocusRequest()
{
    const Win32Platform::FocusRequest request = m_platform.takeFocusRequest();
    if (request.target == Win32Platform::FocusTarget::Window) {
        SetFocus(m_window);
    } else if (request.target == Win32Platform::FocusTarget::TextBox) {
        focusTextBox(*request.box);
    }
}

void MainWindow::focusTextBox(const TextBox& box)
{
    for (const BoxControl& control : m_boxes) {
        if (control.model == &box) {
            SetFocus(control.hwnd);
        }
    }
}

HWND MainWindow::defaultButton()
{
    ButtonControl* focused = buttonFor(GetFocus());
    const CommandButton& target =
        tavimo::defaultButton(m_form, focused != nullptr ? focused->model : nullptr);
    for (const ButtonControl& button : m_buttons) {
        if (button.model == &target) {
            return button.hwnd;
        }
    }
    return nullptr;
}

void MainWindow::drawButton(const DRAWITEMSTRUCT& item)
{
    // A face of the button's colour with a raised edge (sunken while pressed); the default button
    // has a darker rim around the same face.
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    if (item.hwndItem == defaultButton()) {
        FrameRect(dc, &rect, m_emphasis);
        InflateRect(&rect, -1, -1);
    }
    FillRect(dc, &rect, m_brightGreen);
    DrawEdge(dc, &rect, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const std::wstring caption = windowText(item.hwndItem);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0));
    RECT text = rect;
    if (item.itemState & ODS_SELECTED) {
        OffsetRect(&text, 1, 1);
    }
    DrawTextW(dc, caption.c_str(), int(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, previous);
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&rect, -3, -3);
        DrawFocusRect(dc, &rect);
    }
}

MainWindow::ButtonControl* MainWindow::buttonFor(HWND hwnd)
{
    for (ButtonControl& button : m_buttons) {
        if (hwnd != nullptr && button.hwnd == hwnd) {
            return &button;
        }
    }
    return nullptr;
}

MainWindow::BoxControl* MainWindow::boxFor(HWND hwnd)
{
    for (BoxControl& box : m_boxes) {
        if (hwnd != nullptr && box.hwnd == hwnd) {
            return &box;
        }
    }
    return nullptr;
}

} // namespace tavimo::win32
