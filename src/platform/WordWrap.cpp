// How the result boxes wrap their lines.
#include "platform/WordWrap.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace tavimo {
namespace {

// A word this long is wider than any box on any screen, and laying it out word by word takes
// well under a millisecond; the comma list of 4203 primes is 24000 characters long.
constexpr qsizetype longWord = 1000;

} // namespace

QTextOption::WrapMode resultWrapMode(const QString& text)
{
    // Most texts (one prime per line, the messages) have no long run without a blank at all.
    qsizetype run = 0;
    qsizetype longestRun = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        longestRun = std::max(longestRun, run);
    }
    if (longestRun < longWord) {
        return QTextOption::WrapAtWordBoundaryOrAnywhere;
    }
    // The places where the text may break a line, as the layout finds them.
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype previous = 0;
    for (qsizetype next = breaks.toNextBoundary(); next != -1; next = breaks.toNextBoundary()) {
        if (next - previous >= longWord) {
            return QTextOption::WrapAnywhere;
        }
        previous = next;
    }
    return QTextOption::WrapAtWordBoundaryOrAnywhere;
}

} // namespace tavimo
