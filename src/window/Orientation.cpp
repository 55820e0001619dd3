// The orientation switch: vertical (one prime per line) or horizontal (comma separated).
#include "model/frmMain.h"
#include "window/Sizes.h"

namespace tavimo {

void frmMain::cmdXY_Click()
{
    if (!SwithXY) {
        cmdXY.caption = "横";
        hide(txt4, txt5, txt6);
        fitTxt3(txt3MarginOneBox);
        txt3.alignment = Alignment::Left;
        txt3.text = "結果は,(カンマ区切り)です。";
    } else {
        cmdXY.caption = "縦";
        txt3.alignment = Alignment::Centre;
        txt3.text = "含まれる\r\n素数は\r\n縦一列に\r\n並びます。";
    }
    SwithXY = !SwithXY;
    platform.focusWindow();
}

} // namespace tavimo
