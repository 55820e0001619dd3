// A result box: a plain text edit that takes a text of thousands of lines in a fraction of the time
// that one paragraph per line takes.
#include "platform/qt/ResultBox.h"

#include <QApplication>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>

namespace tavimo {
namespace {

// A box shows about 20 lines: one or two paragraphs of 32 are laid out to show them, 40 to 60
// lines in all, while 20000 lines are 625 paragraphs to insert.
int linesInOneBlock = 32;

} // namespace

ResultBox::ResultBox(QWidget* parent) : QPlainTextEdit(parent) {}

void ResultBox::setLinesPerBlock(int lines)
{
    linesInOneBlock = std::max(1, lines);
}

int ResultBox::linesPerBlock()
{
    return linesInOneBlock;
}

void ResultBox::setResultText(QString text)
{
    // A text wrapped anywhere holds a word wider than the box (a comma list of thousands of
    // entries): a line separator next to it makes Qt lay the word out many times slower, and such a
    // text has few lines anyway.
    const int perBlock = document()->defaultTextOption().wrapMode() == QTextOption::WrapAnywhere
                             ? 1
                             : linesInOneBlock;
    if (perBlock > 1) {
        int lines = 0;
        for (QChar& c : text) {
            if (c == u'\n' && ++lines % perBlock != 0) {
                c = QChar::LineSeparator;
            }
        }
    }
    document()->setPlainText(text);
    moveCursor(QTextCursor::Start);
    if (perBlock > 1) {
        countLinesNotLaidOut();
    }
}

void ResultBox::countLinesNotLaidOut()
{
    // The edit counts a paragraph that is not laid out as one line, and lays it out only to show
    // it: the scroll bar would span the paragraphs, and grow as they are shown.
    bool changed = false;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.layout()->lineCount() > 0) {
            continue; // laid out: the layout counted its lines
        }
        const QString text = block.text();
        const int lines =
            1 + int(std::count(text.begin(), text.end(), QChar(QChar::LineSeparator)));
        if (block.lineCount() != lines) {
            block.setLineCount(lines);
            changed = true;
        }
    }
    if (changed) {
        QAbstractTextDocumentLayout* layout = document()->documentLayout();
        emit layout->documentSizeChanged(layout->documentSize());
    }
}

void ResultBox::resizeEvent(QResizeEvent* event)
{
    // A new width drops every paragraph's layout and counts each as one line again.
    QPlainTextEdit::resizeEvent(event);
    if (event->oldSize().width() != event->size().width() && linesInOneBlock > 1) {
        countLinesNotLaidOut();
    }
}

void ResultBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QPlainTextEdit::mouseDoubleClickEvent(event);
    m_sinceDoubleClick.start();
    m_doubleClickPoint = event->position().toPoint();
}

void ResultBox::mousePressEvent(QMouseEvent* event)
{
    // The edit's own test for a triple click: soon after a double click, at the same place.
    const QPoint point = event->position().toPoint();
    const bool tripleClick =
        event->button() == Qt::LeftButton && m_sinceDoubleClick.isValid() &&
        m_sinceDoubleClick.elapsed() < QApplication::doubleClickInterval() &&
        (point - m_doubleClickPoint).manhattanLength() < QApplication::startDragDistance();
    m_sinceDoubleClick.invalidate();
    // The edit selects the paragraph, and scrolls to its end: the line and the view are taken
    // first.
    const int position = cursorForPosition(point).position();
    const int shown = verticalScrollBar()->value();
    QPlainTextEdit::mousePressEvent(event);
    if (tripleClick && linesInOneBlock > 1) {
        selectLineAt(position);
        verticalScrollBar()->setValue(shown);
    }
}

void ResultBox::selectLineAt(int position)
{
    const QTextBlock block = document()->findBlock(position);
    const QString text = block.text();
    const int offset = position - block.position();
    int start = offset;
    while (start > 0 && text.at(start - 1) != QChar::LineSeparator) {
        --start;
    }
    int end = offset;
    while (end < text.size() && text.at(end) != QChar::LineSeparator) {
        ++end;
    }
    QTextCursor cursor = textCursor();
    cursor.setPosition(block.position() + start);
    cursor.setPosition(block.position() + end, QTextCursor::KeepAnchor);
    // As with a paragraph, the line break after the line is selected with it.
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

} // namespace tavimo
