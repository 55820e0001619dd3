// What a binding mirrors of the model onto its widgets, decided once for every toolkit.
#include "platform/Mirror.h"

namespace tavimo {
namespace {

bool isBlank(char16_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

} // namespace

void caretToStartOfReplacedText(TextBox& model, std::optional<Selection>& pushedSelection)
{
    if (pushedSelection == Selection{model.selStart, model.selLength}) {
        model.selStart = 0;
        model.selLength = 0;
        pushedSelection = Selection{0, 0};
    }
}

bool mayHoldLongWord(std::u16string_view text)
{
    std::size_t run = 0;
    for (const char16_t c : text) {
        run = isBlank(c) ? 0 : run + 1;
        if (run >= longWord) {
            return true;
        }
    }
    return false;
}

CommandButton& defaultButton(frmMain& form, CommandButton* focused)
{
    return focused != nullptr ? *focused : form.cmdJIKKO;
}

std::array<ClickHandler, 10> clickHandlers(const frmMain& form)
{
    return {{
        {&form.cmdJIKKO, &frmMain::cmdJIKKO_Click},
        {&form.cmdKESU, &frmMain::cmdKESU_Click},
        {&form.cmdXY, &frmMain::cmdXY_Click},
        {&form.cmdOTO, &frmMain::cmdOTO_Click},
        {&form.cmdCOPY, &frmMain::cmdCOPY_Click},
        {&form.cmdEND, &frmMain::cmdEND_Click},
        {&form.cmdCOPY3, &frmMain::cmdCOPY3_Click},
        {&form.cmdCOPY4, &frmMain::cmdCOPY4_Click},
        {&form.cmdCOPY5, &frmMain::cmdCOPY5_Click},
        {&form.cmdCOPY6, &frmMain::cmdCOPY6_Click},
    }};
}

} // namespace tavimo
