// Helpers shared by the control model.
#include "model/Controls.h"

namespace tavimo {

int characterCount(std::string_view utf8)
{
    int count = 0;
    for (unsigned char byte : utf8) {
        // Continuation bytes (10xxxxxx) belong to the character before them.
        if ((byte & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

} // namespace tavimo
