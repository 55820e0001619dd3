// A result box: a plain text edit with one paragraph per line, whose long texts are built off the
// window's thread and shown within the frame of the press that made them.
#pragma once

#include <QPlainTextEdit>

#include <memory>

namespace tavimo {

struct DocumentBuild;

// Qt's document spends about 10000 instructions on every paragraph it inserts, whatever its
// length (a third of them walking the set of its cursors, twice a line): 20000 lines are about
// 15 ms of a press of Run. A long text is therefore built into a new document of its own, one
// paragraph per line as before, by a worker thread and by the window's thread in turn: the four
// boxes of a press take two builds each, and the window's thread swaps each document in whole.
// The document is the one that the edit would have built: a user, a screen reader, an input
// method and the clipboard see one paragraph per line.
class ResultBox final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit ResultBox(QWidget* parent);
    ~ResultBox() override;

    // The whole text (LF line breaks), shown from its beginning with the caret before it. Set the
    // wrap mode, font and alignment first: a long text is built with them while the window goes
    // on, and shown by finishResultText (or by the box's next event, whichever comes first).
    void setResultText(QString text);

    // Shows the text set last, helping to build the texts of other boxes while its own is built.
    // The window calls it before it touches the box again.
    void finishResultText();

    // How long texts are built: apart and swapped in (the binding's way), or in place on the
    // window's thread as a plain text edit does (the benchmark compares both).
    enum class Fill { Apart, InPlace };
    static void setFill(Fill fill);
    static Fill fill();

protected:
    bool event(QEvent* event) override;

private:
    void swapIn(QTextDocument* document);

    std::shared_ptr<DocumentBuild> m_build;
};

} // namespace tavimo
