// The character limit of the inputs for the bounds, counted as the user sees characters.
#include "platform/InputLimit.h"

namespace tavimo {
namespace {

bool startsSurrogatePair(std::u16string_view text, std::size_t i)
{
    const auto high = [](char16_t c) { return c >= 0xD800 && c <= 0xDBFF; };
    const auto low = [](char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; };
    return high(text[i]) && i + 1 < text.size() && low(text[i + 1]);
}

} // namespace

std::size_t InputLimit::characters(std::u16string_view text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        i += startsSurrogatePair(text, i) ? 1 : 0;
        ++count;
    }
    return count;
}

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

} // namespace tavimo
