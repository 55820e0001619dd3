// Move: the last prime of a capped search into the input that holds the smaller bound, so that the
// next press of Run continues the listing.
#include "model/frmMain.h"

#include <string>

namespace tavimo {

void frmMain::cmdCOPY_Click()
{
    // Both inputs are read before either is written. An input without a usable number (empty
    // after Clear, letters, beyond the decimal range) is the one that receives the prime.
    const std::optional<RecognisedNumber> a = readNumber(txt1);
    const std::optional<RecognisedNumber> b = readNumber(txt2);
    const bool aUsable = a && a->decimal;
    const bool bUsable = b && b->decimal;

    const std::string prime = std::to_string(su0);
    if (!aUsable) {
        txt1.text = prime;
    } else if (!bUsable) {
        txt2.text = prime;
    } else if (*a->decimal < *b->decimal) {
        txt1.text = prime;
    } else {
        txt2.text = prime;
    }
}

} // namespace tavimo
