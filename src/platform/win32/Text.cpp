// The model's texts (UTF-8, CR LF) against Windows' wide strings (UTF-16, CR LF too), and
// positions.
#include "platform/win32/Text.h"

#include <windows.h>

namespace tavimo::win32 {
namespace {

bool startsSurrogatePair(std::wstring_view text, std::size_t i)
{
    return IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1]);
}

} // namespace

std::wstring toWide(std::string_view utf8)
{
    if (utf8.empty()) {
        return {};
    }
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(std::size_t(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), size);
    return wide;
}

std::string toUtf8(std::wstring_view wide)
{
    if (wide.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string utf8(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), size, nullptr,
                        nullptr);
    return utf8;
}

int toControlPosition(std::wstring_view text, int modelPosition)
{
    std::size_t unit = 0;
    for (int character = 0; character < modelPosition && unit < text.size(); ++character) {
        unit += startsSurrogatePair(text, unit) ? 2 : 1;
    }
    return int(unit);
}

int toModelPosition(std::wstring_view text, int controlPosition)
{
    int character = 0;
    for (std::size_t unit = 0; unit < std::size_t(controlPosition) && unit < text.size();
         ++character) {
        unit += startsSurrogatePair(text, unit) ? 2 : 1;
    }
    return character;
}

} // namespace tavimo::win32
