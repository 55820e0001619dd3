// The copy buttons: one box's whole text onto the system clipboard, then selected and focused.
#include "model/frmMain.h"

namespace tavimo {

void frmMain::copyBox(TextBox& box)
{
    platform.clearClipboard();
    platform.setClipboardText(box.text);
    box.selStart = 0;
    box.selLength = characterCount(box.text);
    platform.focusTextBox(box);
}

void frmMain::cmdCOPY3_Click()
{
    copyBox(txt3);
}

void frmMain::cmdCOPY4_Click()
{
    copyBox(txt4);
}

void frmMain::cmdCOPY5_Click()
{
    copyBox(txt5);
}

void frmMain::cmdCOPY6_Click()
{
    copyBox(txt6);
}

} // namespace tavimo
