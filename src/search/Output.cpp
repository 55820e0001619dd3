// The output step: the result texts framed into one to four boxes, the count and its unit.
#include "model/frmMain.h"
#include "search/Limits.h"
#include "window/Sizes.h"

#include <string>
#include <string_view>

namespace tavimo {

namespace {

constexpr std::string_view toBeContinued = "\r\nつづく‥";
constexpr std::string_view theEnd = "\r\nです。";
constexpr std::string_view continued = "‥つづき";
constexpr std::string_view capNotice =
    "\r\n‥‥‥\r\n[移]を押して続きを検索してください。(素数は1個重複します)";

// A result text between its opening and closing, built in one allocation.
std::string framed(std::string_view opening, const std::string& entries, std::string_view closing)
{
    std::string text;
    text.reserve(opening.size() + entries.size() + closing.size());
    text.append(opening).append(entries).append(closing);
    return text;
}

void showBox(TextBox& box, float left, std::string text)
{
    box.visible = true;
    box.rect.left = left;
    box.rect.width = boxWidth;
    box.text = std::move(text);
}

} // namespace

void frmMain::showResults()
{
    const int boxes = m > 3 * boxCapacity ? 4 : m > 2 * boxCapacity ? 3 : m > boxCapacity ? 2 : 1;
    if (boxes == 1) {
        txt3.text = framed("素数は,", sosu3, theEnd);
        lbl2.rect.left = 840;
        lbl2.caption = std::to_string(m);
        lbl2k.caption = "個";
        return;
    }

    if (boxes == 4) {
        setWidth(fourBoxWindowWidth);
        setHeight(windowHeight);
    } else if (boxes == 3) {
        setWidth(threeBoxWindowWidth);
        setHeight(windowHeight);
    }
    fram2.rect.width = nonNegative(width() - fram2MarginMultiBox);
    txt3.rect.width = boxWidth;
    txt3.alignment = Alignment::Centre;
    txt3.text = framed("素数は", sosu3, toBeContinued);
    showBox(txt4, txt4Left, framed(continued, sosu4, boxes > 2 ? toBeContinued : theEnd));
    if (boxes >= 3) {
        showBox(txt5, txt5Left, framed(continued, sosu5, boxes > 3 ? toBeContinued : theEnd));
    }
    if (boxes == 4) {
        if (Ijo) {
            showBox(txt6, txt6Left, framed(continued, sosu6, capNotice));
            cmdCOPY.enabled = true;
        } else {
            showBox(txt6, txt6Left, framed(continued, sosu6, theEnd));
        }
    }

    lbl2.rect.left = Ijo ? 500 : 840;
    lbl2.caption = std::to_string(m);
    lbl2k.caption = Ijo ? "個以上" : "個";
    cmdCOPY4.visible = true;
    if (boxes >= 3) {
        cmdCOPY5.visible = true;
    }
    if (boxes == 4) {
        cmdCOPY6.visible = true;
    }
}

} // namespace tavimo
