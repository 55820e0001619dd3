// A result box: a plain text edit with one paragraph per line, whose text the window replaces
// whole.
#pragma once

#include <QPlainTextEdit>

namespace tavimo {

// Qt's document spends about 10000 instructions on every paragraph it inserts, whatever its
// length (over a quarter of them walking the document's set of cursors, twice a line): 20000
// lines are most of a four-box press of Run. Holding several lines in one paragraph, or building
// the document on another thread and swapping it in, were both tried: the first changed what a
// user, a screen reader and the clipboard see; the second took longer on two cores, which the
// search has just used. The box is the document that a plain text edit builds.
class ResultBox final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit ResultBox(QWidget* parent);

    // The whole text (LF line breaks), shown from its beginning with the caret before it.
    void setResultText(const QString& text);
};

} // namespace tavimo
