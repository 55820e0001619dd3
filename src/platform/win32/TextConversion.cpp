// The model's texts (UTF-8, CR LF) against Windows' wide strings (UTF-16, CR LF too), and
// positions.
#include "platform/win32/TextConversion.h"

#include "platform/Utf16.h"

namespace tavimo::win32 {
namespace {

std::u16string_view units(std::wstring_view text)
{
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide strings are UTF-16");
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
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

std::wstring windowText(HWND control)
{
    std::wstring text(std::size_t(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(control, text.data(), int(text.size()))));
    return text;
}

int toControlPosition(std::wstring_view text, int modelPosition)
{
    return toWidgetPosition(units(text), modelPosition, LineBreaks::CrLf);
}

int toModelPosition(std::wstring_view text, int controlPosition)
{
    return tavimo::toModelPosition(units(text), controlPosition, LineBreaks::CrLf);
}

} // namespace tavimo::win32
