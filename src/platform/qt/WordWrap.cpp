// How the result boxes wrap their lines with Qt's layout.
#include "platform/qt/WordWrap.h"

#include "platform/Mirror.h"

#include <QTextBoundaryFinder>

namespace tavimo {

QTextOption::WrapMode resultWrapMode(const QString& text)
{
    if (!mayHoldLongWord({QStringView(text).utf16(), std::size_t(text.size())})) {
        return QTextOption::WrapAtWordBoundaryOrAnywhere;
    }
    // The places where the text may break a line, as the layout finds them.
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype previous = 0;
    for (qsizetype next = breaks.toNextBoundary(); next != -1; next = breaks.toNextBoundary()) {
        if (next - previous >= qsizetype(longWord)) {
            return QTextOption::WrapAnywhere;
        }
        previous = next;
    }
    return QTextOption::WrapAtWordBoundaryOrAnywhere;
}

} // namespace tavimo
