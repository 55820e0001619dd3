// The window's frame in the page: its caption bar and border, and its scale on a narrow screen.
#include "platform/web/WindowFrame.h"

#include <algorithm>

namespace tavimo::web {

double scaleToFit(int outerWidth, int pageWidth, int margin)
{
    if (outerWidth <= 0) {
        return 1.0;
    }
    const double room = double(pageWidth - 2 * margin);
    return std::clamp(room / double(outerWidth), 0.1, 1.0);
}

} // namespace tavimo::web
