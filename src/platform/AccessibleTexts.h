// What assistive technology reads out for each control, in the window's language.
#pragma once

#include "model/Controls.h"

#include <span>
#include <string>
#include <string_view>

namespace tavimo {

// Buttons and labels are named by their caption and a button is described by its tooltip, both
// pushed by the binding as they change; the rest is fixed here: names for the controls that show
// no caption of their own, and descriptions for those without a tooltip.
struct AccessibleText {
    std::string_view control;
    const char* name; // nullptr: the caption names the control
    const char* description;
};

// One entry for each control that has a fixed name or description.
std::span<const AccessibleText> accessibleTexts();
// The entry of one control by its name; nullptr where it has none.
const AccessibleText* accessibleTextOf(std::string_view control);
// The window's own description.
inline constexpr std::string_view windowDescription = "2つの自然数の間にある素数を一覧にします";

// A button's description: its tooltip without surrounding blanks ("検索終了時にBeep音有り " is
// read without its trailing blank), or the fixed description where it has no tooltip.
std::string buttonDescription(const CommandButton& button);

} // namespace tavimo
