// Clear: back to an empty one-box window, ready for a new pair of bounds.
#include "model/frmMain.h"
#include "window/Sizes.h"

namespace tavimo {

void frmMain::cmdKESU_Click()
{
    fitTxt3(txt3MarginOneBox);
    hide(txt4, txt5, txt6);
    emptyTexts(txt1, txt2, txt3, txt4, txt5, txt6);
    emptyResultTexts();
    lbl2.caption.clear();
    platform.focusTextBox(txt1);
    m = 0;
    cmdJIKKO.caption = "実行";
    // The next long request is warned about again.
    SwithGO = false;
    Ijo = false;
    hide(cmdCOPY4, cmdCOPY5, cmdCOPY6);
}

} // namespace tavimo
