// A result box: a plain text edit that takes a text of thousands of lines in a fraction of the time
// that one paragraph per line takes.
#pragma once

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPoint>

namespace tavimo {

// Qt's document spends about 11000 instructions on every paragraph it inserts, whatever its
// length: 20000 lines, one paragraph each, are about 25 ms of a press of Run. A result box
// therefore holds `linesPerBlock` lines in one paragraph, separated by Unicode line separators
// (U+2028), which the layout breaks like a line feed and the document's plain text, a copied
// selection included, turns back into one. What the plain text edit counts per paragraph is
// counted per line as before:
// - the scroll bar spans every line: a paragraph that is not laid out yet counts its lines, not
//   one (the edit lays out only what is shown);
// - a triple click selects the one line under the mouse, not the whole paragraph.
class ResultBox final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit ResultBox(QWidget* parent);

    // The whole text (LF line breaks), shown from its beginning with the caret before it. Set the
    // wrap mode first: a text wrapped anywhere keeps one paragraph per line.
    void setResultText(QString text);

    // Lines per paragraph of every result box; 1 is one paragraph per line, as the boxes were
    // built before (the benchmark compares both).
    static void setLinesPerBlock(int lines);
    static int linesPerBlock();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void countLinesNotLaidOut();
    void selectLineAt(int position);

    QElapsedTimer m_sinceDoubleClick;
    QPoint m_doubleClickPoint;
};

} // namespace tavimo
