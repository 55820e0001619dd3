// The look of the window with Qt: its colours, its face, the panels and the buttons.
#pragma once

#include "model/Controls.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace tavimo {

QColor toQColor(Rgb colour);

// The face of every control; where it is not installed, free faces drawn to the same design.
QFont japaneseFont(const Font& font);

// A borderless panel filled with one colour: the frames, and the line (a 3-pixel-wide panel).
class Panel final : public QWidget {
public:
    Panel(QWidget* parent, Rgb colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
};

// The command buttons' style sheet: a filled face with a raised edge, so that the face is exactly
// the button's colour. The default button (the one Enter presses) has a darker, thicker edge
// around the same face.
extern const QString buttonStyle;

} // namespace tavimo
