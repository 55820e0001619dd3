// The main window: every control, the whole search state, and the handlers of every event.
//
// Map of the program:
//   model/     this class, the control structs, Decimal, number recognition, the Platform interface
//   window/    design values and start-up (frmMain.cpp), Form_Load, Form_Resize, cmdXY_Click
//   search/    cmdJIKKO_MouseDown and cmdJIKKO_Click: request, enumeration, output
//   commands/  copy, move, clear, beep switch and exit
//   platform/  the bindings: its own files know no toolkit and are shared by every binding
//              (WindowBinding.h); platform/qt/ knows Qt (Linux), platform/win32/ the Win32 API
//
// An event flows one way: an event of the window system reaches the binding, which has written the
// user's edits and resizes into this object; the binding calls one handler, which runs to its end
// without returning to the event loop; then the binding pushes what changed onto the widgets.
// One write goes back into this object while pushing, on purpose: a text box whose text the
// handler replaced gets its caret at the start (selStart and selLength 0), as assigning a text
// box's text does, unless the handler also set a new selection. The text fields here are plain
// data with no setter to notice an assignment; only the binding, which compares every text with
// the one it showed last, can tell that a text is new.
#pragma once

#include "model/Controls.h"
#include "model/Decimal.h"
#include "model/Platform.h"

#include <array>
#include <cstdint>
#include <string>

namespace tavimo {

class frmMain {
public:
    // Creates the window with its design values (client area 7980 × 3708), not yet loaded.
    explicit frmMain(Platform& platform);

    // The window's outer size in twips, border and caption bar included.
    float width() const { return outerWidth; }
    float height() const { return outerHeight; }
    // A change of the window's size runs Form_Resize at once, before the setter returns; setting
    // the size it already has changes nothing. Both dimensions at once (a user's resize) run the
    // layout once.
    void setWidth(float twips);
    void setHeight(float twips);
    void setSize(float widthTwips, float heightTwips);

    // Handlers, named for their control and event.
    void Form_Load();
    void Form_Resize();
    void cmdJIKKO_MouseDown(int button, int shift, float x, float y);
    void cmdJIKKO_Click();
    void cmdXY_Click();
    void cmdCOPY3_Click();
    void cmdCOPY4_Click();
    void cmdCOPY5_Click();
    void cmdCOPY6_Click();
    void cmdCOPY_Click();
    void cmdKESU_Click();
    void cmdOTO_Click();
    void cmdEND_Click();

    // Controls.
    Frame fram1;
    Frame fram2;
    Frame fram3;
    TextBox txt1;
    TextBox txt2;
    TextBox txt3;
    TextBox txt4;
    TextBox txt5;
    TextBox txt6;
    Label lbl1;
    Label lbl2;
    Label lbl2k;
    Line Line1;
    CommandButton cmdJIKKO;
    CommandButton cmdKESU;
    CommandButton cmdXY;
    CommandButton cmdOTO;
    CommandButton cmdCOPY;
    CommandButton cmdEND;
    CommandButton cmdCOPY3;
    CommandButton cmdCOPY4;
    CommandButton cmdCOPY5;
    CommandButton cmdCOPY6;

    // The controls by kind, for code that treats them alike (the binding, tests).
    std::array<Frame*, 3> frames() { return {&fram1, &fram2, &fram3}; }
    std::array<TextBox*, 6> textBoxes() { return {&txt1, &txt2, &txt3, &txt4, &txt5, &txt6}; }
    std::array<Label*, 3> labels() { return {&lbl1, &lbl2, &lbl2k}; }
    std::array<CommandButton*, 10> buttons()
    {
        return {&cmdJIKKO, &cmdKESU,  &cmdXY,    &cmdOTO,   &cmdCOPY,
                &cmdEND,   &cmdCOPY3, &cmdCOPY4, &cmdCOPY5, &cmdCOPY6};
    }
    // Calls visit with every frame, text box, label and command button, in that order: what they
    // share is a name, a rectangle and a tab index.
    template <typename Visit> void forEachControl(Visit&& visit)
    {
        for (Frame* frame : frames()) {
            visit(*frame);
        }
        for (TextBox* box : textBoxes()) {
            visit(*box);
        }
        for (Label* label : labels()) {
            visit(*label);
        }
        for (CommandButton* button : buttons()) {
            visit(*button);
        }
    }

    // Search state.
    std::int64_t su0 = 0; // last prime appended to the fourth box's text
    Decimal su1;          // lower bound
    Decimal su2;          // upper bound
    Decimal susa;         // su2 - su1
    std::int16_t m = 0;   // primes collected in the current search
    std::string sosu3;    // result texts of txt3 .. txt6, built by appending
    std::string sosu4;
    std::string sosu5;
    std::string sosu6;
    std::string pasokon_no;
    std::string sosuu_ha;
    std::string koetabun;
    bool SwithXY = false;  // false: vertical, true: horizontal
    bool SwithOTO = false; // true: silent
    bool SwithGO = false;  // true: long searches start at once
    bool Ijo = false;      // the search stopped at the cap

private:
    enum class Beep { Sound, Skip };

    void copyBox(TextBox& box);
    void search(std::int64_t lower, std::int64_t upper);
    void appendPrime(std::int64_t p);
    void showResults();
    void finishPress(Beep beep);
    std::optional<RecognisedNumber> readNumber(const TextBox& box);

    // Steps that several handlers take alike.
    template <typename... Controls> static void hide(Controls&... controls)
    {
        ((controls.visible = false), ...);
    }
    template <typename... Boxes> static void emptyTexts(Boxes&... boxes)
    {
        (boxes.text.clear(), ...);
    }
    void emptyResultTexts(); // sosu3 .. sosu6
    // A result box's height: fram2's less the margin, never negative.
    float resultBoxHeight() const;
    // txt3 as the one result box: its height from fram2, then its width from the window's.
    void fitTxt3(float widthMargin);

    Platform& platform;
    float outerWidth = 0;
    float outerHeight = 0;
};

} // namespace tavimo
