// The enumeration of an accepted request: the fixed small ranges, 2 and 3 placed in advance, trial
// division of the odd candidates, and the append rule that files each prime into a result text.
#include "model/frmMain.h"
#include "search/Limits.h"
#include "search/TrialPrimeBatches.h"

#include <string>

namespace tavimo {

namespace {

constexpr const char* crlf = "\r\n";

} // namespace

void frmMain::search(std::int64_t lower, std::int64_t upper)
{
    if (lower == 1 && upper == 1) {
        txt3.text = "素数はありまへん。";
        return;
    }
    if ((lower == 1 || lower == 2) && upper == 2) {
        sosu3.assign(1, '2'); // (not = "2": a false -Wrestrict of GCC 12 at -O3)
        m = 1;
        showResults();
        return;
    }

    // 2 is never an odd candidate and 3 fails at its own divisor, so both are placed in advance.
    if (lower <= 2 && upper >= 3) {
        sosu3 = SwithXY ? "2,3," : "\r\n2\r\n3";
        m = 2;
    } else if (lower <= 2 && upper == 2) {
        sosu3 = "\r\n2";
        m = 1;
    } else if (lower == 3 && upper == 3) {
        sosu3 = "\r\n3";
        m = 1;
    } else if (lower == 3 && upper > 3) {
        sosu3 = SwithXY ? "3," : "\r\n3";
        m = 1;
    }

    const std::int64_t start = lower % 2 == 1 ? lower : lower + 1;
    forEachTrialPrime(start, upper, [this](std::int64_t p) {
        appendPrime(p);
        ++m;
        if (m >= primeCap) {
            Ijo = true;
            return false;
        }
        return true;
    });
    showResults();
}

void frmMain::appendPrime(std::int64_t p)
{
    const std::string digits = std::to_string(p);
    if (SwithXY) {
        sosu3 += digits;
        sosu3 += ',';
        return;
    }
    std::string* text = &sosu3;
    if (m >= 3 * boxCapacity) {
        text = &sosu6;
        su0 = p;
    } else if (m >= 2 * boxCapacity) {
        text = &sosu5;
    } else if (m >= boxCapacity) {
        text = &sosu4;
    }
    *text += crlf;
    *text += digits;
}

} // namespace tavimo
