// The main window on the screen: a real widget for each control of frmMain, and Qt's events
// turned into its handlers.
#include "platform/qt/MainWindow.h"

#include "platform/AccessibleTexts.h"
#include "platform/Twips.h"
#include "platform/qt/InputBox.h"
#include "platform/qt/ResultBox.h"
#include "platform/qt/TextConversion.h"
#include "platform/qt/WordWrap.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

static void initResources()
{
    // The binding is a static library: its resources must be registered by hand.
    Q_INIT_RESOURCE(resources);
}

namespace tavimo {
namespace {

QColor toQColor(Rgb colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

// A borderless panel filled with one colour: the frames, and the line (a 3-pixel-wide panel).
class Panel final : public QWidget {
public:
    Panel(QWidget* parent, Rgb colour) : QWidget(parent), colour(toQColor(colour))
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), colour); }

private:
    QColor colour;
};

// The face of every control; where it is not installed, free faces drawn to the same design.
QFont japaneseFont(const Font& font)
{
    QFont qfont;
    qfont.setFamilies({QString::fromUtf8(japaneseFace.data(), qsizetype(japaneseFace.size())),
                       QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                       QStringLiteral("Noto Sans CJK JP")});
    qfont.setStyleHint(QFont::SansSerif);
    qfont.setPointSizeF(font.points);
    qfont.setWeight(QFont::Weight(font.weight));
    return qfont;
}

QRect toPixels(const TwipsRect& rect)
{
    return {twipsToPixels(rect.left), twipsToPixels(rect.top), twipsToPixels(rect.width),
            twipsToPixels(rect.height)};
}

Qt::Alignment toQt(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Left:
        return Qt::AlignLeft;
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Centre:
        break;
    }
    return Qt::AlignHCenter;
}

PixelSize pixelSize(QSize size)
{
    return {size.width(), size.height()};
}

int mouseButtonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

// A filled face with a raised edge, so that the face is exactly the button's colour. The default
// button (the one Enter presses) has a darker, thicker edge around the same face.
const QString buttonStyle = QStringLiteral(
    "QPushButton { background-color: rgb(0, 255, 0); border: 2px outset rgb(0, 255, 0); }"
    "QPushButton:default { border: 3px outset rgb(0, 96, 0); }"
    "QPushButton:pressed { border-style: inset; }");

// The entry of widgets that mirrors one control of the model; every control has one.
template <typename Entries, typename Control>
auto& entryFor(Entries& entries, const Control& control)
{
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const auto& entry) { return entry.model == &control; });
    Q_ASSERT(found != entries.end());
    return *found;
}

} // namespace

QWidget* MainWindow::BoxWidget::widget() const
{
    return line != nullptr ? static_cast<QWidget*>(line) : static_cast<QWidget*>(lines);
}

MainWindow::MainWindow(frmMain& form, QtPlatform& platform) : m_form(form), m_platform(platform)
{
    initResources();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tavimo"));
    setWindowIcon(QIcon(QStringLiteral(":/tavimo/tavimo.xpm")));
    setAccessibleDescription(QString::fromUtf8(windowDescription));
    m_platform.attach(this);
    createControls();
    setupAccessibleTexts();
    setupTabOrder();
    setupConnections();
}

MainWindow::~MainWindow()
{
    // Closing the window as it is destroyed moves the focus: no handler of this half-destroyed
    // window may see that.
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
}

void MainWindow::createControls()
{
    const auto frames = m_form.frames();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        m_frames[i].model = frames[i];
        m_frames[i].widget = new Panel(this, darkGreen);
        m_frames[i].widget->setObjectName(QString::fromUtf8(frames[i]->name));
    }

    const auto boxes = m_form.textBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        BoxWidget& box = m_boxes[i];
        box.model = boxes[i];
        if (wrapsByWord(*box.model)) {
            box.lines = new ResultBox(container(box.model->container));
            box.lines->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            // Word wrap; a word wider than the box is broken anywhere. fitWrapModeToText fits
            // the mode to each text (WordWrap.h).
            box.lines->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            box.lines->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            box.lines->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            box.lines->setTabChangesFocus(true);
        } else {
            box.line = new InputBox(box.model->maxLength, container(box.model->container));
        }
        box.widget()->setObjectName(QString::fromUtf8(box.model->name));
    }

    const auto labels = m_form.labels();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        LabelWidget& label = m_labels[i];
        label.model = labels[i];
        label.widget = new QLabel(container(label.model->container));
        label.widget->setObjectName(QString::fromUtf8(label.model->name));
        label.widget->setTextFormat(Qt::PlainText);
        label.widget->setAlignment(Qt::AlignRight | Qt::AlignTop);
        QPalette palette = label.widget->palette();
        palette.setColor(QPalette::Window, toQColor(darkGreen));
        palette.setColor(QPalette::WindowText, toQColor(white));
        label.widget->setPalette(palette);
    }
    // The count stands in front of its unit, which it overlaps.
    entryFor(m_labels, m_form.lbl2).widget->raise();

    const auto buttons = m_form.buttons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        ButtonWidget& button = m_buttons[i];
        button.model = buttons[i];
        button.widget = new QPushButton(container(button.model->container));
        button.widget->setObjectName(QString::fromUtf8(button.model->name));
        button.widget->setStyleSheet(buttonStyle);
        button.widget->setAutoDefault(false);
    }
    buttonWidget(m_form.cmdJIKKO)->setDefault(true);

    m_line = new Panel(this, white);
    m_line->setObjectName(QString::fromUtf8(m_form.Line1.name));
    m_line->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MainWindow::setupAccessibleTexts()
{
    for (const AccessibleText& text : accessibleTexts()) {
        auto* widget = findChild<QWidget*>(QString::fromUtf8(text.control));
        Q_ASSERT(widget != nullptr);
        if (text.name != nullptr) {
            widget->setAccessibleName(QString::fromUtf8(text.name));
        }
        widget->setAccessibleDescription(QString::fromUtf8(text.description));
    }
}

void MainWindow::setupTabOrder()
{
    std::vector<std::pair<int, QWidget*>> order;
    for (const BoxWidget& box : m_boxes) {
        order.emplace_back(box.model->tabIndex, box.widget());
    }
    for (const ButtonWidget& button : m_buttons) {
        order.emplace_back(button.model->tabIndex, button.widget);
    }
    std::sort(order.begin(), order.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1].second, order[i].second);
    }
}

void MainWindow::setupConnections()
{
    const auto clicks = clickHandlers(m_form);
    for (const auto& [button, handler] : clicks) {
        connect(buttonWidget(*button), &QPushButton::clicked, this,
                [this, handler = handler] { run(handler); });
    }

    for (BoxWidget& box : m_boxes) {
        BoxWidget* target = &box;
        if (box.line != nullptr) {
            connect(box.line, &QLineEdit::textEdited, this, [this, target] { readText(*target); });
            connect(box.line, &QLineEdit::cursorPositionChanged, this,
                    [this, target] { readSelection(*target); });
            connect(box.line, &QLineEdit::selectionChanged, this,
                    [this, target] { readSelection(*target); });
        } else {
            connect(box.lines, &QPlainTextEdit::textChanged, this,
                    [this, target] { readText(*target); });
            connect(box.lines, &QPlainTextEdit::cursorPositionChanged, this,
                    [this, target] { readSelection(*target); });
            connect(box.lines, &QPlainTextEdit::selectionChanged, this,
                    [this, target] { readSelection(*target); });
        }
    }

    // Mouse-down on Run and Enter anywhere in the window are seen before any widget takes them.
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { moveDefaultEmphasis(now); });
}

void MainWindow::run(Handler handler)
{
    (m_form.*handler)();
    refresh();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) &&
        watched == buttonWidget(m_form.cmdJIKKO)) {
        // Any mouse button; the button itself then goes on to its click.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_form.cmdJIKKO_MouseDown(mouseButtonCode(mouse->button()), shiftCode(mouse->modifiers()),
                                  static_cast<float>(mouse->position().x()) * twipsPerPixel,
                                  static_cast<float>(mouse->position().y()) * twipsPerPixel);
        refresh();
        return false;
    }
    if (type != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ||
        widget == nullptr || widget->window() != this) {
        return false;
    }
    // Qt knows a default button only in dialogs: Enter presses the focused command button, and
    // from anywhere else Run, by its click alone.
    for (const ButtonWidget& button : m_buttons) {
        if (button.widget == widget) {
            button.widget->click();
            return true;
        }
    }
    run(&frmMain::cmdJIKKO_Click);
    return true;
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_size.pushing()) {
        return;
    }
    if (m_size.onlyFrameChanged(clientSize(), pixelSize(m_frame.size()))) {
        adaptToFrame();
        return;
    }
    takeOuterSize();
}

bool MainWindow::event(QEvent* event)
{
    const bool taken = QWidget::event(event);
    // A window manager adds its frame once the window is mapped, Qt its own decorations once the
    // window is shown: the client area then makes room for the frame.
    if (event->type() != QEvent::Paint) {
        adaptToFrame();
    }
    return taken;
}

bool MainWindow::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    // Adapted to once the events that came with it (a window manager's new size) are taken.
    if (m_frame.takeNativeEvent(eventType, message)) {
        QMetaObject::invokeMethod(this, &MainWindow::adaptToFrame, Qt::QueuedConnection);
    }
    return QWidget::nativeEvent(eventType, message, result);
}

PixelSize MainWindow::clientSize() const
{
    return pixelSize(size());
}

void MainWindow::adaptToFrame()
{
    if (m_size.pushing() || !isVisible()) {
        return;
    }
    const bool fromWindowManager =
        windowState().testAnyFlags(Qt::WindowMaximized | Qt::WindowFullScreen);
    switch (m_size.afterFrameChange(clientSize(), pixelSize(m_frame.size()), fromWindowManager)) {
    case WindowSize::Step::None:
        return;
    case WindowSize::Step::TakeOuterSize:
        takeOuterSize();
        return;
    case WindowSize::Step::PushAgain:
        break;
    }
    m_size.setPushing(true);
    pushWindowSize();
    m_size.setPushing(false);
}

void MainWindow::takeOuterSize()
{
    if (m_size.takeOuterSize(clientSize(), pixelSize(m_frame.size()))) {
        refresh();
    }
}

void MainWindow::pushWindowSize()
{
    const PixelSize client = m_size.clientToPush(pixelSize(m_frame.size()));
    if (clientSize() != client) {
        resize(client.width, client.height);
        m_size.clientResized();
    }
}

void MainWindow::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), toQColor(darkGreen));
}

QWidget* MainWindow::container(Container container) const
{
    switch (container) {
    case Container::fram1:
        return entryFor(m_frames, m_form.fram1).widget;
    case Container::fram2:
        return entryFor(m_frames, m_form.fram2).widget;
    case Container::fram3:
        return entryFor(m_frames, m_form.fram3).widget;
    case Container::Window:
        break;
    }
    return const_cast<MainWindow*>(this);
}

QPushButton* MainWindow::buttonWidget(const CommandButton& button) const
{
    return entryFor(m_buttons, button).widget;
}

void MainWindow::refresh()
{
    m_size.setPushing(true);
    pushWindowSize();
    for (FrameWidget& frame : m_frames) {
        pushFrame(frame);
    }
    for (LabelWidget& label : m_labels) {
        pushLabel(label);
    }
    for (ButtonWidget& button : m_buttons) {
        pushButton(button);
    }
    pushLine();
    for (BoxWidget& box : m_boxes) {
        pushBox(box);
    }
    m_size.setPushing(false);
    applyFocusRequest();
    for (BoxWidget& box : m_boxes) {
        applySelection(box);
    }
}

void MainWindow::pushFrame(FrameWidget& frame)
{
    if (storeIfChanged(frame.geometry, toPixels(frame.model->rect))) {
        frame.widget->setGeometry(*frame.geometry);
    }
}

QRect MainWindow::labelGeometry(const Label& label) const
{
    QRect geometry = toPixels(label.rect);
    if (&label != &m_form.lbl2) {
        return geometry;
    }
    // The count stands in front of its unit and ends just left of the unit's right-aligned text.
    // At the design sizes the unit "個以上" (three full-width characters of 10.8 points, 32.4
    // points) is wider than the 606 twips (30.3 points) that the count, moved to 500, leaves it:
    // the opaque count would cover the unit's first stroke. The count therefore ends where the
    // unit's text begins, at whatever size the face takes on this screen.
    const Label& unit = m_form.lbl2k;
    const QRect unitGeometry = toPixels(unit.rect);
    const qreal unitWidth =
        QFontMetricsF(japaneseFont(unit.font)).horizontalAdvance(toWidgetText(unit.caption));
    const int unitText = unitGeometry.x() + unitGeometry.width() - int(std::ceil(unitWidth));
    if (geometry.intersects(unitGeometry) && geometry.x() + geometry.width() > unitText) {
        geometry.setWidth(std::max(0, unitText - geometry.x()));
    }
    return geometry;
}

void MainWindow::pushLabel(LabelWidget& label)
{
    const Label& model = *label.model;
    if (storeIfChanged(label.geometry, labelGeometry(model))) {
        label.widget->setGeometry(*label.geometry);
    }
    if (storeIfChanged(label.font, FontKey{model.font.points, model.font.weight})) {
        label.widget->setFont(japaneseFont(model.font));
    }
    if (storeIfChanged(label.opaque, model.opaque)) {
        label.widget->setAutoFillBackground(model.opaque);
    }
    if (storeIfChanged(label.caption, model.caption)) {
        label.widget->setText(toWidgetText(model.caption));
        label.widget->setAccessibleName(label.widget->text());
    }
}

void MainWindow::pushButton(ButtonWidget& button)
{
    const CommandButton& model = *button.model;
    if (storeIfChanged(button.geometry, toPixels(model.rect))) {
        button.widget->setGeometry(*button.geometry);
    }
    if (storeIfChanged(button.font, FontKey{model.font.points, model.font.weight})) {
        button.widget->setFont(japaneseFont(model.font));
    }
    if (storeIfChanged(button.caption, model.caption)) {
        button.widget->setText(toWidgetText(model.caption));
        // Read out as what it shows now: "実行", "継続"; "縦", "横"; "音無", "音有".
        button.widget->setAccessibleName(button.widget->text());
    }
    if (storeIfChanged(button.toolTip, model.toolTip)) {
        button.widget->setToolTip(QString::fromStdString(model.toolTip));
        button.widget->setAccessibleDescription(QString::fromStdString(buttonDescription(model)));
    }
    if (storeIfChanged(button.enabled, model.enabled)) {
        button.widget->setEnabled(model.enabled);
    }
    if (storeIfChanged(button.visible, model.visible)) {
        button.widget->setVisible(model.visible);
    }
}

void MainWindow::pushLine()
{
    // Drawn 3 pixels wide, centred on the line, whatever its length.
    const Line& line = m_form.Line1;
    const int width = line.widthPixels;
    const int x1 = twipsToPixels(std::min(line.x1, line.x2));
    const int x2 = twipsToPixels(std::max(line.x1, line.x2));
    const int y1 = twipsToPixels(std::min(line.y1, line.y2));
    const int y2 = twipsToPixels(std::max(line.y1, line.y2));
    const QRect geometry(x1 - width / 2, y1 - width / 2, x2 - x1 + width, y2 - y1 + width);
    if (storeIfChanged(m_lineGeometry, geometry)) {
        m_line->setGeometry(geometry);
    }
}

void MainWindow::pushBox(BoxWidget& box)
{
    TextBox& model = *box.model;
    QWidget* widget = box.widget();
    const QSignalBlocker blocker(widget);
    if (storeIfChanged(box.geometry, toPixels(model.rect))) {
        widget->setGeometry(*box.geometry);
    }
    if (storeIfChanged(box.font, FontKey{model.font.points, model.font.weight})) {
        widget->setFont(japaneseFont(model.font));
    }
    if (storeIfChanged(box.alignment, model.alignment)) {
        if (box.line != nullptr) {
            box.line->setAlignment(toQt(model.alignment) | Qt::AlignVCenter);
        } else {
            QTextDocument* document = box.lines->document();
            QTextOption option = document->defaultTextOption();
            option.setAlignment(toQt(model.alignment));
            document->setDefaultTextOption(option);
        }
    }
    if (storeIfChanged(box.text, model.text)) {
        if (box.line != nullptr) {
            box.line->setText(QString::fromStdString(model.text));
            box.line->setCursorPosition(0);
        } else {
            QString text = toWidgetText(model.text);
            fitWrapModeToText(box, text);
            box.lines->setResultText(std::move(text));
        }
        caretToStartOfReplacedText(model, box.selection);
    }
    if (storeIfChanged(box.visible, model.visible)) {
        widget->setVisible(model.visible);
    }
}

void MainWindow::applySelection(BoxWidget& box)
{
    const TextBox& model = *box.model;
    if (!storeIfChanged(box.selection, Selection{model.selStart, model.selLength})) {
        return;
    }
    const QSignalBlocker blocker(box.widget());
    const int start = toWidgetPosition(model.text, model.selStart);
    const int end = toWidgetPosition(model.text, model.selStart + model.selLength);
    if (box.line != nullptr) {
        box.line->setSelection(start, end - start);
    } else {
        QTextCursor cursor = box.lines->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        box.lines->setTextCursor(cursor);
    }
}

void MainWindow::fitWrapModeToText(BoxWidget& box, const QString& text)
{
    if (storeIfChanged(box.wrap, resultWrapMode(text))) {
        QTextDocument* document = box.lines->document();
        QTextOption option = document->defaultTextOption();
        option.setWrapMode(*box.wrap);
        document->setDefaultTextOption(option);
    }
}

void MainWindow::moveDefaultEmphasis(QWidget* focus)
{
    // Focus leaving the window changes nothing.
    if (focus == nullptr || focus->window() != this) {
        return;
    }
    CommandButton* focused = nullptr;
    for (const ButtonWidget& button : m_buttons) {
        if (button.widget == focus) {
            focused = button.model;
        }
    }
    const QPushButton* target = buttonWidget(defaultButton(m_form, focused));
    for (const ButtonWidget& button : m_buttons) {
        button.widget->setDefault(button.widget == target);
    }
}

void MainWindow::applyFocusRequest()
{
    const QtPlatform::FocusRequest request = m_platform.takeFocusRequest();
    if (request.target == QtPlatform::FocusTarget::Window) {
        setFocus(Qt::OtherFocusReason);
    } else if (request.target == QtPlatform::FocusTarget::TextBox) {
        focusTextBox(*request.box);
    }
}

void MainWindow::focusTextBox(const TextBox& box)
{
    entryFor(m_boxes, box).widget()->setFocus(Qt::OtherFocusReason);
}

void MainWindow::readText(BoxWidget& box)
{
    if (box.line != nullptr) {
        box.model->text = box.line->text().toStdString();
    } else {
        const QString text = box.lines->toPlainText();
        box.model->text = toModelText(text);
        fitWrapModeToText(box, text);
    }
    box.text = box.model->text;
}

void MainWindow::readSelection(BoxWidget& box)
{
    QString text;
    int start = 0;
    int end = 0;
    if (box.line != nullptr) {
        text = box.line->text();
        start =
            box.line->hasSelectedText() ? box.line->selectionStart() : box.line->cursorPosition();
        end = box.line->hasSelectedText() ? box.line->selectionEnd() : start;
    } else {
        text = box.lines->toPlainText();
        const QTextCursor cursor = box.lines->textCursor();
        start = cursor.selectionStart();
        end = cursor.selectionEnd();
    }
    TextBox& model = *box.model;
    model.selStart = toModelPosition(text, start);
    model.selLength = toModelPosition(text, end) - model.selStart;
    box.selection = Selection{model.selStart, model.selLength};
}

} // namespace tavimo
