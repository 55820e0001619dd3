// The layout of the results area, run whenever the window's size changes.
#include "model/frmMain.h"
#include "window/Sizes.h"

namespace tavimo {

void frmMain::Form_Resize()
{
    // Only the text of txt4 decides the layout: a result spread over boxes leaves text there.
    const bool multiBox = !txt4.text.empty();
    const float w = width();
    const float h = height();

    if (w < 2500) {
        fram2.rect.width = 100;
    } else {
        fram2.rect.width = multiBox ? w - fram2MarginMultiBox : w - fram2MarginOneBox;
    }
    fram2.rect.height = h < 900 ? 100 : h - 800;
    // No lower limit: below 680 twips the strip's top edge lies above the window.
    fram3.rect.top = h - 680;

    txt3.rect.height = resultBoxHeight();
    if (!multiBox) {
        txt3.rect.width = fram2.rect.width;
        return;
    }
    txt3.rect.width = boxWidth;
    for (TextBox* box : {&txt4, &txt5, &txt6}) {
        box->rect.height = resultBoxHeight();
    }
}

} // namespace tavimo
