// The press of Run: mouse-press preparation, input checks, ordering, the long-run warning and the
// closing steps.
#include "model/frmMain.h"
#include "search/Limits.h"
#include "window/Sizes.h"

namespace tavimo {

namespace {

constexpr const char* notNaturalMessage = "双方に自然数(スペース無し)を入れてください";
constexpr const char* negativeMessage = "双方に自然数(スペース無し)を入れてください。";
// Bounds the enumeration cannot hold are refused up front with the largest one it can.
constexpr const char* beyondLimitMessage = "双方に1073577990以下の自然数を入れてください。";

} // namespace

std::optional<RecognisedNumber> frmMain::readNumber(const TextBox& box)
{
    return platform.recogniseNumber(box.text);
}

void frmMain::cmdJIKKO_MouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/)
{
    setWidth(oneBoxWindowWidth);
    setHeight(windowHeight);
    fitTxt3(txt3MarginOneBox);
    txt3.text = "調べてます。";
    hide(txt4, txt5, txt6);
    emptyTexts(txt4, txt5, txt6);
    lbl2.caption.clear();
    cmdCOPY.enabled = false;
    hide(cmdCOPY4, cmdCOPY5, cmdCOPY6);
}

void frmMain::cmdJIKKO_Click()
{
    cmdJIKKO.caption = "検索中";
    emptyTexts(txt3, txt4, txt5, txt6);
    emptyResultTexts();
    m = 0;
    Ijo = false;

    // Each text must be one number and whole; the first failure ends the press without a beep.
    // txt2 is read only once txt1 has passed.
    const std::optional<RecognisedNumber> lower = readNumber(txt1);
    const bool lowerAccepted = lower && lower->whole;
    const std::optional<RecognisedNumber> upper = lowerAccepted ? readNumber(txt2) : std::nullopt;
    if (!lowerAccepted || !upper || !upper->whole) {
        txt3.text = notNaturalMessage;
        SwithGO = false;
        finishPress(Beep::Skip);
        return;
    }
    if (!lower->decimal || !upper->decimal) {
        txt3.text = beyondLimitMessage;
        finishPress(Beep::Sound);
        return;
    }
    su1 = *lower->decimal;
    su2 = *upper->decimal;
    if (su1 > su2) {
        std::swap(su1, su2);
    }
    const std::optional<Decimal> range = su2.minus(su1);
    if (!range) {
        txt3.text = beyondLimitMessage;
        finishPress(Beep::Sound);
        return;
    }
    susa = *range;

    if (susa > Decimal::fromInteger(orientationLimit)) {
        SwithXY = false;
        cmdXY.caption = "縦";
    }
    if (susa >= Decimal::fromInteger(longRunThreshold) && !SwithGO) {
        fitTxt3(txt3MarginWarning);
        txt3.text = "数分、またはそれ以上かかる場合も有りますが？\r\n" + pasokon_no + "\r\n" +
                    sosuu_ha + "\r\n" + koetabun;
        hide(txt4, txt5, txt6);
        cmdJIKKO.caption = "継続";
        SwithGO = !SwithGO;
        finishPress(Beep::Sound);
        return;
    }
    txt3.text = "調べてます。";
    if (su1.isNegative() || su2.isNegative()) {
        txt3.text = negativeMessage;
        finishPress(Beep::Sound);
        return;
    }
    if (su2 > Decimal::fromInteger(largestCandidate)) {
        txt3.text = beyondLimitMessage;
        finishPress(Beep::Sound);
        return;
    }

    search(*su1.toInt64(), *su2.toInt64());
    finishPress(Beep::Sound);
}

void frmMain::finishPress(Beep beep)
{
    if (beep == Beep::Sound && !SwithOTO) {
        platform.beep();
    }
    // With a count shown, or with long runs to be warned about, the caption goes back to "実行";
    // otherwise it is left as it is: "継続" while the warning waits for its second press.
    if (!lbl2.caption.empty() || !SwithGO) {
        cmdJIKKO.caption = "実行";
    }
    // Left as it is, it could also stay "検索中" (a negative bound or no prime right after a mouse
    // press, with long runs allowed), as if a search were still running: a finished press never
    // shows it.
    if (cmdJIKKO.caption == "検索中") {
        cmdJIKKO.caption = "実行";
    }
}

} // namespace tavimo
