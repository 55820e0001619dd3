// A result box: a plain text edit with one paragraph per line, whose text the window replaces
// whole.
#pragma once

#include <QPlainTextEdit>

#include <optional>

namespace tavimo {

// Qt's document spends about 10000 instructions on every paragraph it inserts, whatever its
// length: four boxes of 5000 lines take about two frames. Holding several lines in one paragraph
// changed what a user, a screen reader and the clipboard see, and building the documents on
// another thread took longer on two cores, which the search has just used. So a long text is
// first shown as its lines at each end, the first ones in view, with the scroll bar of the whole
// text; its whole document is built in a later round of events (the window builds one box a
// round), or before anything but painting reaches the box: a key, a click, the wheel, the scroll
// bar, the focus, a resize. Whatever a user, a screen reader or an input method does to the box
// meets the whole document.
class ResultBox final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit ResultBox(QWidget* parent);

    // The whole text (LF line breaks), shown from its beginning with the caret before it.
    void setResultText(const QString& text);

    // Whether the box shows only the lines at each end of its text, its whole document still to
    // build.
    bool waiting() const { return m_whole.has_value(); }
    // Builds the whole document of a waiting box.
    void completeText();

signals:
    // Painted while waiting: the answer is on the screen, and the whole document may follow.
    void shownWaiting();

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // How many lines at each end of a text of so many lines stand for it while it waits; 0: build
    // it at once.
    int linesAtEachEnd(qsizetype lines) const;

    std::optional<QString> m_whole;
};

} // namespace tavimo
