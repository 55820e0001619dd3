// The character limit of the inputs for the bounds, counted as the user sees characters.
#include "platform/InputLimit.h"

#include "platform/Utf16.h"

namespace tavimo {

std::size_t InputLimit::fittingUnits(std::u16string_view added, std::size_t kept) const
{
    if (m_limit <= 0) {
        return added.size(); // no limit
    }
    std::size_t characters = kept < std::size_t(m_limit) ? std::size_t(m_limit) - kept : 0;
    std::size_t end = 0;
    for (; end < added.size() && characters > 0; ++end, --characters) {
        end += startsSurrogatePair(added, end) ? 1 : 0;
    }
    return end;
}

std::u16string_view firstLine(std::u16string_view added)
{
    return added.substr(0, added.find_first_of(u"\r\n"));
}

} // namespace tavimo
