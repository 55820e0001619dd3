// What assistive technology reads out for each control, in the window's language.
#include "platform/AccessibleTexts.h"

namespace tavimo {
namespace {

constexpr AccessibleText texts[] = {
    {"fram1", "操作", "検索や結果を操作するボタン"},
    {"fram2", "結果", "見つかった素数を表示する欄"},
    {"fram3", "コピーボタン", "結果の欄をクリップボードにコピーするボタン"},
    {"txt1", "開始の数", "素数を探す範囲の一方の端の自然数。8文字まで"},
    {"txt2", "終了の数", "素数を探す範囲のもう一方の端の自然数。8文字まで"},
    {"txt3", "結果1", "見つかった素数、またはお知らせ"},
    {"txt4", "結果2", "見つかった素数の続き"},
    {"txt5", "結果3", "見つかった素数の続き"},
    {"txt6", "結果4", "見つかった素数の続き"},
    {"lbl1", nullptr, "入力した2つの数の間にある素数の個数の見出し"},
    {"lbl2", nullptr, "見つかった素数の個数"},
    {"lbl2k", nullptr, "個数の単位"},
    {"Line1", "区切り線", "2つの入力欄の間の線"},
    {"cmdJIKKO", nullptr, "2つの数の間にある素数を検索"},
    {"cmdKESU", nullptr, "入力と結果をすべて消去"},
    {"cmdEND", nullptr, "Tavimoを終了"},
};

} // namespace

std::span<const AccessibleText> accessibleTexts()
{
    return texts;
}

std::string buttonDescription(const CommandButton& button)
{
    constexpr std::string_view blanks = " \t\n\v\f\r";
    const std::string& toolTip = button.toolTip;
    const std::size_t first = toolTip.find_first_not_of(blanks);
    if (first != std::string::npos) {
        return toolTip.substr(first, toolTip.find_last_not_of(blanks) - first + 1);
    }
    const AccessibleText* text = accessibleTextOf(button.name);
    return text != nullptr ? text->description : std::string();
}

const AccessibleText* accessibleTextOf(std::string_view control)
{
    for (const AccessibleText& text : texts) {
        if (text.control == control) {
            return &text;
        }
    }
    return nullptr;
}

} // namespace tavimo
