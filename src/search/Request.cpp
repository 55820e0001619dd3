// The press of Run: mouse-press preparation, input checks, ordering, the long-run warning and the
// closing steps.
#include "model/frmMain.h"
#include "search/Limits.h"

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
    setWidth(5000);
    setHeight(4050);
    txt3.rect.height = nonNegative(fram2.rect.height - 150);
    txt3.rect.width = nonNegative(width() - 2450);
    txt3.text = "調べてます。";
    for (TextBox* box : {&txt4, &txt5, &txt6}) {
        box->visible = false;
    }
    for (TextBox* box : {&txt4, &txt5, &txt6}) {
        box->text.clear();
    }
    lbl2.caption.clear();
    cmdCOPY.enabled = false;
    for (CommandButton* copy : {&cmdCOPY4, &cmdCOPY5, &cmdCOPY6}) {
        copy->visible = false;
    }
}

void frmMain::cmdJIKKO_Click()
{
    cmdJIKKO.caption = "検索中";
    for (TextBox* box : {&txt3, &txt4, &txt5, &txt6}) {
        box->text.clear();
    }
    sosu3.clear();
    sosu4.clear();
    sosu5.clear();
    sosu6.clear();
    m = 0;
    Ijo = false;

    // Each text must be one number and whole; the first failure ends the press without a beep.
    std::optional<RecognisedNumber> lower;
    std::optional<RecognisedNumber> upper;
    if (!(lower = readNumber(txt1)) || !lower->whole || !(upper = readNumber(txt2)) ||
        !upper->whole) {
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
        txt3.rect.height = nonNegative(fram2.rect.height - 150);
        txt3.rect.width = nonNegative(width() - 2550);
        txt3.text = "数分、またはそれ以上かかる場合も有りますが？\r\n" + pasokon_no + "\r\n" +
                    sosuu_ha + "\r\n" + koetabun;
        txt4.visible = false;
        txt5.visible = false;
        txt6.visible = false;
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
    // "継続" stays while the warning waits for its second press; every other press ends with
    // "実行", never with "検索中".
    const bool warningWaits = cmdJIKKO.caption == "継続" && lbl2.caption.empty() && SwithGO;
    if (!warningWaits) {
        cmdJIKKO.caption = "実行";
    }
}

} // namespace tavimo
