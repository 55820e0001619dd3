// A result box: a plain text edit with one paragraph per line, whose text the window replaces
// whole.
#include "platform/qt/ResultBox.h"

#include <QAccessible>
#include <QEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>

#include <algorithm>
#include <utility>

namespace tavimo {

namespace {

// Texts of fewer lines are built at once: they take less than a millisecond.
constexpr int fewLines = 500;

// What may reach a waiting box without its whole document: painting, and Qt's own book-keeping.
// A hidden box needs no document until it is shown again.
bool needsNoDocument(QEvent::Type type)
{
    switch (type) {
    case QEvent::Paint:
    case QEvent::UpdateRequest:
    case QEvent::UpdateLater:
    case QEvent::Timer:
    case QEvent::MetaCall:
    case QEvent::LayoutRequest:
    case QEvent::Polish:
    case QEvent::PolishRequest:
    case QEvent::ChildAdded:
    case QEvent::ChildPolished:
    case QEvent::ChildRemoved:
    case QEvent::Hide:
    case QEvent::HideToParent:
        return true;
    default:
        return false;
    }
}

} // namespace

ResultBox::ResultBox(QWidget* parent) : QPlainTextEdit(parent)
{
    verticalScrollBar()->installEventFilter(this);
}

int ResultBox::linesAtEachEnd(qsizetype lines) const
{
    // A screen reader is told of the new text as it is set, and reads it then: it gets the whole
    // text at once. A hidden box has no scroll bar to show yet.
    if (!isVisible() || QAccessible::isActive()) {
        return 0;
    }
    // Twice the lines that fit in view at each end: the first lines are what is shown, the last
    // ones what Qt counts the scroll bar's page from.
    const int atEachEnd = 2 * (int(viewport()->height() / fontMetrics().lineSpacing()) + 2);
    return lines < std::max(fewLines, 4 * atEachEnd) ? 0 : atEachEnd;
}

void ResultBox::setResultText(const QString& text)
{
    m_whole.reset();
    const qsizetype lines = text.count(u'\n') + 1;
    const int atEachEnd = linesAtEachEnd(lines);
    if (atEachEnd == 0) {
        document()->setPlainText(text);
        moveCursor(QTextCursor::Start);
        return;
    }
    qsizetype headEnd = -1;
    for (int i = 0; i < atEachEnd; ++i) {
        headEnd = text.indexOf(u'\n', headEnd + 1);
    }
    qsizetype tailStart = text.size();
    for (int i = 0; i < atEachEnd; ++i) {
        tailStart = text.lastIndexOf(u'\n', tailStart - 1);
    }
    document()->setPlainText(text.left(headEnd + 1) + text.mid(tailStart + 1));
    // Qt has laid out the lines in view for the caret, and the last ones for the scroll bar's
    // page, as it does for the whole text; it counts each line that it has not laid out as one.
    moveCursor(QTextCursor::Start);
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, bar->maximum() + int(lines) - 2 * atEachEnd);
    m_whole = text;
}

void ResultBox::completeText()
{
    if (!m_whole) {
        return;
    }
    const QString text = *std::exchange(m_whole, std::nullopt);
    // The window's model holds this text already.
    const QSignalBlocker blocker(this);
    document()->setPlainText(text);
    moveCursor(QTextCursor::Start);
}

bool ResultBox::event(QEvent* event)
{
    if (waiting() && !needsNoDocument(event->type())) {
        completeText();
    }
    return QPlainTextEdit::event(event);
}

bool ResultBox::viewportEvent(QEvent* event)
{
    if (waiting() && !needsNoDocument(event->type())) {
        completeText();
    }
    return QPlainTextEdit::viewportEvent(event);
}

bool ResultBox::eventFilter(QObject* watched, QEvent* event)
{
    if (waiting() && watched == verticalScrollBar() && event->isInputEvent()) {
        completeText();
    }
    return QPlainTextEdit::eventFilter(watched, event);
}

void ResultBox::paintEvent(QPaintEvent* event)
{
    QPlainTextEdit::paintEvent(event);
    if (waiting()) {
        emit shownWaiting();
    }
}

} // namespace tavimo
