// A result box: a plain text edit with one paragraph per line, whose text the window replaces
// whole.
#include "platform/qt/ResultBox.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QEvent>
#include <QFontMetricsF>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
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

int ResultBox::linesAtEachEnd(const QString& text) const
{
    // A screen reader is told of the new text as it is set, and reads it then: it gets the whole
    // text at once. A hidden box has no scroll bar to show yet.
    if (!isVisible() || QAccessible::isActive()) {
        return 0;
    }
    const QFontMetricsF metrics(document()->defaultFont());
    // Twice the lines in view at each end: the first lines are what is shown, the last ones what
    // Qt counts the scroll bar's page from.
    const int atEachEnd = 2 * (int(viewport()->height() / metrics.lineSpacing()) + 2);
    const qsizetype lines = text.count(u'\n') + 1;
    if (lines < std::max(fewLines, 2 * atEachEnd)) {
        return 0;
    }
    // Every line but the last ones is one line on the screen, so that the lines left out each
    // count one in the scroll bar's range, as a plain text edit counts a line it has not laid out.
    // The numbers are measured by their widest digit, a heading ("‥つづき") by itself.
    const qreal width = viewport()->width() - 2 * document()->documentMargin() - 1;
    qreal widestDigit = 0;
    for (char16_t digit = u'0'; digit <= u'9'; ++digit) {
        widestDigit = std::max(widestDigit, metrics.horizontalAdvance(QChar(digit)));
    }
    int headings = 0;
    qsizetype start = 0;
    for (qsizetype line = 0; line < lines - atEachEnd; ++line) {
        const qsizetype end = text.indexOf(u'\n', start);
        const QStringView shown = QStringView(text).mid(start, end - start);
        const bool number =
            std::all_of(shown.begin(), shown.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (number ? qreal(shown.size()) * widestDigit >= width
                   : ++headings > 4 || metrics.horizontalAdvance(shown.toString()) >= width) {
            return 0;
        }
        start = end + 1;
    }
    return atEachEnd;
}

void ResultBox::setResultText(const QString& text)
{
    m_whole.reset();
    const int atEachEnd = linesAtEachEnd(text);
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
    moveCursor(QTextCursor::Start);
    // The first lines laid out now, so that painting them changes no size and so no scroll bar
    // range; the last ones Qt has laid out for the scroll bar, as it does for the whole text.
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    QTextBlock block = document()->begin();
    for (int i = 0; i < atEachEnd; ++i, block = block.next()) {
        layout->blockBoundingRect(block);
    }
    QScrollBar* bar = verticalScrollBar();
    const qsizetype leftOut = text.count(u'\n') + 1 - 2 * atEachEnd;
    bar->setRange(0, bar->maximum() + int(leftOut));
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
