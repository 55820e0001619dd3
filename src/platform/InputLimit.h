// The character limit of the inputs for the bounds, counted as the user sees characters.
#pragma once

#include <cstddef>
#include <string_view>

namespace tavimo {

// The limit counts characters (code points: one beyond the Basic Multilingual Plane counts once,
// though it takes two UTF-16 units) and applies to what the user adds: what does not fit is not
// taken. The program's own texts are shown whole, so a box can hold more than the limit. Texts
// are UTF-16, as both Qt's and Windows' edits hold them; characterCount (Utf16.h) counts a
// present text.
class InputLimit {
public:
    explicit InputLimit(int limit) : m_limit(limit) {} // 0: none

    // How many UTF-16 units at the beginning of `added` fit once `kept` characters remain of the
    // present text; never half of a surrogate pair.
    std::size_t fittingUnits(std::u16string_view added, std::size_t kept) const;

private:
    int m_limit;
};

// What a single-line box takes of a pasted or dropped text: the text before its first line break
// (CR or LF), to which the limit then applies.
std::u16string_view firstLine(std::u16string_view added);

} // namespace tavimo
