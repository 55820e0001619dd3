// What a binding mirrors of the model onto its widgets, decided once for every toolkit.
#include "platform/Mirror.h"

namespace tavimo {
namespace {

bool overlap(const PixelRect& a, const PixelRect& b)
{
    return a.width > 0 && a.height > 0 && b.width > 0 && b.height > 0 &&
           a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

bool isBlank(char16_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

} // namespace

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

void caretToStartOfReplacedText(TextBox& model, std::optional<Selection>& pushedSelection)
{
    if (pushedSelection == Selection{model.selStart, model.selLength}) {
        model.selStart = 0;
        model.selLength = 0;
        pushedSelection = Selection{0, 0};
    }
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

Handler clickHandler(const frmMain& form, const CommandButton& button)
{
    for (const auto& [control, handler] : clickHandlers(form)) {
        if (control == &button) {
            return handler;
        }
    }
    assert(false && "every command button has a click handler");
    return nullptr;
}

std::vector<TabStop> tabOrder(frmMain& form)
{
    std::vector<std::pair<int, TabStop>> stops;
    for (TextBox* box : form.textBoxes()) {
        stops.push_back({box->tabIndex, {box, nullptr}});
    }
    for (CommandButton* button : form.buttons()) {
        stops.push_back({button->tabIndex, {nullptr, button}});
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<TabStop> order;
    for (const auto& [tabIndex, stop] : stops) {
        order.push_back(stop);
    }
    return order;
}

PixelRect lineRect(const Line& line, int dpi)
{
    const int width = line.widthPixels * dpi / standardDpi;
    const int x1 = twipsToPixels(std::min(line.x1, line.x2), dpi);
    const int x2 = twipsToPixels(std::max(line.x1, line.x2), dpi);
    const int y1 = twipsToPixels(std::min(line.y1, line.y2), dpi);
    const int y2 = twipsToPixels(std::max(line.y1, line.y2), dpi);
    return {x1 - width / 2, y1 - width / 2, x2 - x1 + width, y2 - y1 + width};
}

PixelRect labelRect(const frmMain& form, const Label& label, int unitTextWidth, int dpi)
{
    PixelRect rect = twipsToPixels(label.rect, dpi);
    if (&label != &form.lbl2) {
        return rect;
    }
    const PixelRect unit = twipsToPixels(form.lbl2k.rect, dpi);
    const int unitText = unit.left + unit.width - unitTextWidth;
    if (overlap(rect, unit) && rect.left + rect.width > unitText) {
        rect.width = std::max(0, unitText - rect.left);
    }
    return rect;
}

} // namespace tavimo
