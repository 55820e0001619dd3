// The beep switch and Exit.
#include "model/frmMain.h"

namespace tavimo {

void frmMain::cmdOTO_Click()
{
    // The tooltips set here end in a blank; the design-time one does not.
    if (SwithOTO) {
        cmdOTO.caption = "音有";
        cmdOTO.toolTip = "検索終了時にBeep音有り ";
    } else {
        cmdOTO.caption = "音無";
        cmdOTO.toolTip = "検索終了時にBeep音無し ";
    }
    SwithOTO = !SwithOTO;
    platform.focusWindow();
}

void frmMain::cmdEND_Click()
{
    platform.closeWindow();
}

} // namespace tavimo
