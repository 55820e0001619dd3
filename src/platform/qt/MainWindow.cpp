// The main window with Qt: a real widget for each control of frmMain, and Qt's events turned into
// its handlers.
#include "platform/qt/MainWindow.h"

#include "platform/AccessibleTexts.h"
#include "platform/qt/InputBox.h"
#include "platform/qt/Look.h"
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
#include <QTimer>

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

QRect toQRect(const PixelRect& rect)
{
    return {rect.left, rect.top, rect.width, rect.height};
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

} // namespace

MainWindow::MainWindow(frmMain& form, QtPlatform& platform) : WindowBinding(form, platform)
{
    initResources();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tavimo"));
    setWindowIcon(QIcon(QStringLiteral(":/tavimo/tavimo.xpm")));
    setAccessibleDescription(QString::fromUtf8(windowDescription));
    platform.attach(this);
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
        if (box.model->multiLine) {
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
        box.widget = box.line != nullptr ? static_cast<QWidget*>(box.line) : box.lines;
        box.widget->setObjectName(QString::fromUtf8(box.model->name));
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
    QWidget* previous = nullptr;
    for (const TabStop& stop : tabOrder(m_form)) {
        QWidget* next = stop.box != nullptr ? entryFor(m_boxes, *stop.box).widget
                                            : entryFor(m_buttons, *stop.button).widget;
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, next);
        }
        previous = next;
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
            // The answer is on the screen: the whole documents follow, one box a round of events.
            connect(box.lines, &ResultBox::shownWaiting, this, [this] { m_completion.start(0); });
        }
    }
    m_completion.setSingleShot(true);
    connect(&m_completion, &QTimer::timeout, this, [this] {
        const auto waiting = [](const BoxWidget& box) {
            return box.lines != nullptr && box.lines->waiting();
        };
        const auto first = std::find_if(m_boxes.begin(), m_boxes.end(), waiting);
        if (first != m_boxes.end()) {
            first->lines->completeText();
        }
        if (std::any_of(m_boxes.begin(), m_boxes.end(), waiting)) {
            m_completion.start(0);
        }
    });

    // Mouse-down on Run and Enter anywhere in the window are seen before any widget takes them.
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { moveDefaultEmphasis(now); });
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
        (key->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) || widget == nullptr ||
        widget->window() != this) {
        return false;
    }
    // Qt knows a default button only in dialogs.
    const ButtonWidget* focused = entryShowing(m_buttons, widget);
    if ((key->modifiers() & Qt::ControlModifier) && focused == nullptr) {
        // Ctrl+Enter types a line break in a result box (a multi-line edit takes it so); on a
        // command button it presses that button, as Enter does.
        auto* box = qobject_cast<QPlainTextEdit*>(widget);
        if (box == nullptr || box->isReadOnly()) {
            return false;
        }
        box->insertPlainText(QStringLiteral("\n"));
        box->ensureCursorVisible();
        return true;
    }
    pressEnter(focused != nullptr ? focused->model : nullptr);
    return true;
}

void MainWindow::click(CommandButton& button)
{
    buttonWidget(button)->click();
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

void MainWindow::pushFrame(const Frame& model)
{
    FrameWidget& frame = entryFor(m_frames, model);
    if (storeIfChanged(frame.geometry, twipsToPixels(model.rect))) {
        frame.widget->setGeometry(toQRect(*frame.geometry));
    }
}

void MainWindow::pushLabel(const Label& model)
{
    LabelWidget& label = entryFor(m_labels, model);
    PushedLabel& pushed = label.pushed;
    // The count ends where its unit's text begins, at whatever size the face takes on this screen.
    qreal unitWidth = 0;
    if (&model == &m_form.lbl2) {
        const Label& unit = m_form.lbl2k;
        unitWidth =
            QFontMetricsF(japaneseFont(unit.font)).horizontalAdvance(toWidgetText(unit.caption));
    }
    if (storeIfChanged(pushed.geometry, labelRect(m_form, model, int(std::ceil(unitWidth))))) {
        label.widget->setGeometry(toQRect(*pushed.geometry));
    }
    if (storeIfChanged(pushed.font, fontKey(model.font))) {
        label.widget->setFont(japaneseFont(model.font));
    }
    if (storeIfChanged(pushed.opaque, model.opaque)) {
        label.widget->setAutoFillBackground(model.opaque);
    }
    if (storeIfChanged(pushed.caption, model.caption)) {
        label.widget->setText(toWidgetText(model.caption));
        label.widget->setAccessibleName(label.widget->text());
    }
}

void MainWindow::pushButton(const CommandButton& model)
{
    ButtonWidget& button = entryFor(m_buttons, model);
    PushedButton& pushed = button.pushed;
    if (storeIfChanged(pushed.geometry, twipsToPixels(model.rect))) {
        button.widget->setGeometry(toQRect(*pushed.geometry));
    }
    if (storeIfChanged(pushed.font, fontKey(model.font))) {
        button.widget->setFont(japaneseFont(model.font));
    }
    if (storeIfChanged(pushed.caption, model.caption)) {
        button.widget->setText(toWidgetText(model.caption));
        // Read out as what it shows now: "実行", "継続"; "縦", "横"; "音無", "音有".
        button.widget->setAccessibleName(button.widget->text());
    }
    if (storeIfChanged(pushed.toolTip, model.toolTip)) {
        button.widget->setToolTip(QString::fromStdString(model.toolTip));
        button.widget->setAccessibleDescription(QString::fromStdString(buttonDescription(model)));
    }
    if (storeIfChanged(pushed.enabled, model.enabled)) {
        button.widget->setEnabled(model.enabled);
    }
    if (storeIfChanged(pushed.visible, model.visible)) {
        button.widget->setVisible(model.visible);
    }
}

void MainWindow::pushLine()
{
    if (storeIfChanged(m_lineGeometry, lineRect(m_form.Line1))) {
        m_line->setGeometry(toQRect(*m_lineGeometry));
    }
}

void MainWindow::pushBox(TextBox& model)
{
    BoxWidget& box = entryFor(m_boxes, model);
    PushedBox& pushed = box.pushed;
    QWidget* widget = box.widget;
    const QSignalBlocker blocker(widget);
    if (storeIfChanged(pushed.geometry, twipsToPixels(model.rect))) {
        widget->setGeometry(toQRect(*pushed.geometry));
    }
    if (storeIfChanged(pushed.font, fontKey(model.font))) {
        widget->setFont(japaneseFont(model.font));
    }
    // Shown before its text is set: a result box shows the first lines of a long text at once only
    // when it is shown (ResultBox.h).
    if (model.visible && storeIfChanged(pushed.visible, model.visible)) {
        widget->setVisible(true);
    }
    if (storeIfChanged(pushed.alignment, model.alignment)) {
        if (box.line != nullptr) {
            box.line->setAlignment(toQt(model.alignment) | Qt::AlignVCenter);
        } else {
            box.lines->completeText();
            QTextDocument* document = box.lines->document();
            QTextOption option = document->defaultTextOption();
            option.setAlignment(toQt(model.alignment));
            document->setDefaultTextOption(option);
        }
    }
    if (storeIfChanged(pushed.text, model.text)) {
        if (box.line != nullptr) {
            box.line->setText(QString::fromStdString(model.text));
            box.line->setCursorPosition(0);
        } else {
            QString text = toWidgetText(model.text);
            fitWrapModeToText(box, text);
            box.lines->setResultText(text);
        }
        caretToStartOfReplacedText(model, pushed.selection);
    }
    if (storeIfChanged(pushed.visible, model.visible)) {
        widget->setVisible(model.visible);
    }
}

void MainWindow::applySelection(const TextBox& model)
{
    BoxWidget& box = entryFor(m_boxes, model);
    if (!storeIfChanged(box.pushed.selection, Selection{model.selStart, model.selLength})) {
        return;
    }
    const QSignalBlocker blocker(box.widget);
    if (box.lines != nullptr) {
        box.lines->completeText();
    }
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
        box.lines->completeText();
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
    const ButtonWidget* focused = entryShowing(m_buttons, focus);
    const QPushButton* target =
        buttonWidget(defaultButton(m_form, focused != nullptr ? focused->model : nullptr));
    for (const ButtonWidget& button : m_buttons) {
        button.widget->setDefault(button.widget == target);
    }
}

void MainWindow::focusWindow()
{
    setFocus(Qt::OtherFocusReason);
}

void MainWindow::focusTextBox(const TextBox& box)
{
    entryFor(m_boxes, box).widget->setFocus(Qt::OtherFocusReason);
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
    box.pushed.text = box.model->text;
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
    box.pushed.selection = Selection{model.selStart, model.selLength};
}

} // namespace tavimo
