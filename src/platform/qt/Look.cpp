// The look of the window with Qt: its colours, its face, the panels and the buttons.
#include "platform/qt/Look.h"

#include <QPainter>
#include <QStringList>

namespace tavimo {

QColor toQColor(Rgb colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

QFont japaneseFont(const Font& font)
{
    QFont qfont;
    qfont.setFamilies({QString::fromUtf8(japaneseFace.data(), qsizetype(japaneseFace.size())),
                       QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                       QStringLiteral("Noto Sans CJK JP")});
    qfont.setStyleHint(QFont::SansSerif);
    qfont.setPointSizeF(font.points);
    qfont.setWeight(QFont::Weight(font.weight));
    return qfont;
}

Panel::Panel(QWidget* parent, Rgb colour) : QWidget(parent), m_colour(toQColor(colour))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Panel::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), m_colour);
}

const QString buttonStyle = QStringLiteral(
    "QPushButton { background-color: rgb(0, 255, 0); border: 2px outset rgb(0, 255, 0); }"
    "QPushButton:default { border: 3px outset rgb(0, 96, 0); }"
    "QPushButton:pressed { border-style: inset; }");

} // namespace tavimo
