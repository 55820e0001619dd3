// A result box: a plain text edit with one paragraph per line, whose text the window replaces
// whole.
#include "platform/qt/ResultBox.h"

#include <QTextCursor>

namespace tavimo {

ResultBox::ResultBox(QWidget* parent) : QPlainTextEdit(parent) {}

void ResultBox::setResultText(const QString& text)
{
    document()->setPlainText(text);
    moveCursor(QTextCursor::Start);
}

} // namespace tavimo
