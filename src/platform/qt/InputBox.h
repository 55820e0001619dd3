// The inputs for the bounds: a single-line edit whose character limit holds for what the user adds.
#pragma once

#include "platform/InputLimit.h"

#include <QClipboard>
#include <QLineEdit>

namespace tavimo {

// The limit (InputLimit.h) applies to what the user types, pastes, drops or commits through an
// input method. The program's own setText is shown whole, so a box can hold more than the limit;
// typing into it then adds nothing, and deleting works as usual. (QLineEdit's maxLength would cut
// the program's own texts and count UTF-16 units.)
class InputBox final : public QLineEdit {
public:
    InputBox(int limit, QWidget* parent); // limit 0: none

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // The beginning of `added` that fits once `kept` characters remain of the present text.
    QString fitting(const QString& added, qsizetype kept) const;
    // The characters of the present text that stay when the selection is replaced.
    qsizetype keptBesideSelection() const;
    // Paste as QLineEdit does it, with what fits.
    void pasteFitting(QClipboard::Mode mode);

    InputLimit m_limit;
};

} // namespace tavimo
