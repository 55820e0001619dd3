// How the result boxes wrap their lines with Qt's layout.
#include "platform/qt/WordWrap.h"

#include <QTextBoundaryFinder>

#include <cstddef>

namespace tavimo {
namespace {

// A word of this many characters or more is wider than any box on any screen; the comma list of
// 4203 primes is 24000 characters long.
constexpr std::size_t longWord = 1000;

bool isBlank(char16_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// Whether the text has a run of `longWord` characters without a blank, so that it may hold such
// a word; most texts (one prime per line, the messages) have none at all. A blank is what Unicode
// counts as a separator, and the controls from tab to carriage return and NEL.
bool mayHoldLongWord(QStringView text)
{
    std::size_t run = 0;
    for (const QChar c : text) {
        run = isBlank(c.unicode()) ? 0 : run + 1;
        if (run >= longWord) {
            return true;
        }
    }
    return false;
}

} // namespace

QTextOption::WrapMode resultWrapMode(const QString& text)
{
    if (!mayHoldLongWord(text)) {
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
