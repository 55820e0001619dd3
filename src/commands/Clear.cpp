// Clear: back to an empty one-box window, ready for a new pair of bounds.
#include "model/frmMain.h"

namespace tavimo {

void frmMain::cmdKESU_Click()
{
    txt3.rect.height = nonNegative(fram2.rect.height - 150);
    txt3.rect.width = nonNegative(width() - 2450);
    txt4.visible = false;
    txt5.visible = false;
    txt6.visible = false;
    for (TextBox* box : textBoxes()) {
        box->text.clear();
    }
    sosu3.clear();
    sosu4.clear();
    sosu5.clear();
    sosu6.clear();
    lbl2.caption.clear();
    platform.focusTextBox(txt1);
    m = 0;
    cmdJIKKO.caption = "実行";
    // The next long request is warned about again.
    SwithGO = false;
    Ijo = false;
    cmdCOPY4.visible = false;
    cmdCOPY5.visible = false;
    cmdCOPY6.visible = false;
}

} // namespace tavimo
