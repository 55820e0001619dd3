// The inputs for the bounds: a single-line edit whose character limit holds for what the user adds.
#include "platform/qt/InputBox.h"

#include "platform/InputLimit.h"
#include "platform/Utf16.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>
#include <string_view>

namespace tavimo {
namespace {

std::u16string_view utf16(QStringView text)
{
    return {text.utf16(), std::size_t(text.size())};
}

qsizetype charactersOf(QStringView text)
{
    return qsizetype(tavimo::characterCount(utf16(text)));
}

// Whether QLineEdit inserts the key's text: the test Qt applies to a key that is no shortcut.
bool typesText(const QKeyEvent& event)
{
    const QString text = event.text();
    if (text.isEmpty()) {
        return false;
    }
    const QChar first = text.front();
    if (first.category() == QChar::Other_Format) {
        return true;
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers == Qt::ControlModifier ||
        modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
        return false;
    }
    return first.isPrint() || first.category() == QChar::Other_PrivateUse ||
           (first.isHighSurrogate() && text.size() > 1 && text[1].isLowSurrogate());
}

// A single-line box's share of a pasted or dropped text.
QString oneLine(const QString& added)
{
    return added.left(qsizetype(firstLine(utf16(added)).size()));
}

} // namespace

InputBox::InputBox(int limit, QWidget* parent) : QLineEdit(parent), m_limit(limit) {}

QString InputBox::fitting(const QString& added, qsizetype kept) const
{
    return added.left(qsizetype(m_limit.fittingUnits(utf16(added), std::size_t(kept))));
}

qsizetype InputBox::keptBesideSelection() const
{
    return charactersOf(text()) - charactersOf(selectedText());
}

void InputBox::pasteFitting(QClipboard::Mode mode)
{
    const QString clip = oneLine(QGuiApplication::clipboard()->text(mode));
    if (!clip.isEmpty() || hasSelectedText()) {
        insert(fitting(clip, keptBesideSelection()));
    }
}

void InputBox::keyPressEvent(QKeyEvent* event)
{
    if (isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        // Ctrl+Shift+Insert pastes the selection where the system has one, as in QLineEdit.
        const bool selection = event->key() == Qt::Key_Insert &&
                               event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier) &&
                               QGuiApplication::clipboard()->supportsSelection();
        pasteFitting(selection ? QClipboard::Selection : QClipboard::Clipboard);
        event->accept();
        return;
    }
    if (typesText(*event)) {
        const QString fit = fitting(event->text(), keptBesideSelection());
        if (fit.size() < event->text().size()) {
            insert(fit); // replaces the selection, as a typed character does
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void InputBox::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    if (commit.isEmpty() || isReadOnly()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // The commit replaces the selection and then the range the event names around the cursor.
    QString remaining = text();
    qsizetype cursor = cursorPosition();
    if (hasSelectedText()) {
        cursor = selectionStart();
        remaining.remove(cursor, selectedText().size());
    }
    const qsizetype from =
        std::clamp<qsizetype>(cursor + event->replacementStart(), 0, remaining.size());
    remaining.remove(from, std::max(0, event->replacementLength()));
    const QString fit = fitting(commit, charactersOf(remaining));
    if (fit.size() == commit.size()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent cut(event->preeditString(), event->attributes());
    cut.setCommitString(fit, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&cut);
    event->setAccepted(cut.isAccepted());
}

void InputBox::dropEvent(QDropEvent* event)
{
    const QString whole = event->mimeData()->text();
    if (whole.isNull() || isReadOnly()) {
        QLineEdit::dropEvent(event);
        return;
    }
    const QString dropped = oneLine(whole);
    // A drop inserts at the pointer and replaces nothing.
    const QString fit = fitting(dropped, charactersOf(text()));
    if (fit.size() == whole.size()) {
        QLineEdit::dropEvent(event);
        return;
    }
    QMimeData cutData;
    cutData.setText(fit);
    // Only part is taken: offered as a copy, the drag's source keeps its text.
    const Qt::DropActions actions = event->possibleActions().testFlag(Qt::CopyAction)
                                        ? Qt::DropActions(Qt::CopyAction)
                                        : event->possibleActions();
    QDropEvent cut(event->position(), actions, &cutData, event->buttons(), event->modifiers(),
                   event->type());
    QLineEdit::dropEvent(&cut);
    event->setDropAction(cut.dropAction());
    event->setAccepted(cut.isAccepted());
}

void InputBox::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the selection where the system has one, as in QLineEdit.
    if (event->button() == Qt::MiddleButton && !isReadOnly() &&
        QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        pasteFitting(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void InputBox::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        // The menu's Paste: its caption is QLineEdit's own (newer Qt also names the action).
        if (action->objectName() == QLatin1String("edit-paste") ||
            action->text().section(QLatin1Char('\t'), 0, 0) == QLineEdit::tr("&Paste")) {
            disconnect(action, nullptr, this, nullptr);
            connect(action, &QAction::triggered, this,
                    [this] { pasteFitting(QClipboard::Clipboard); });
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace tavimo
