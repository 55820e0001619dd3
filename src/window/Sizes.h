// The window's design sizes that several handlers share; in twips.
#pragma once

namespace tavimo {

// The window's outer size at start and after a mouse press on Run: one result box.
inline constexpr float oneBoxWindowWidth = 5000;
inline constexpr float windowHeight = 4050;
// The window's outer width when the results fill three or four boxes.
inline constexpr float threeBoxWindowWidth = 6500;
inline constexpr float fourBoxWindowWidth = 7900;
// fram2 is the window's width less this margin: one result box, or several.
inline constexpr float fram2MarginOneBox = 2400;
inline constexpr float fram2MarginMultiBox = 2300;
// A result box is this much shorter than fram2.
inline constexpr float boxHeightMargin = 150;
// txt3 alone is the window's width less this margin, or less the wider one beside the warning.
inline constexpr float txt3MarginOneBox = 2450;
inline constexpr float txt3MarginWarning = 2550;
// Each result box's width when the results fill several boxes, and the left edges of the boxes
// after txt3.
inline constexpr float boxWidth = 1300;
inline constexpr float txt4Left = 1400;
inline constexpr float txt5Left = 2800;
inline constexpr float txt6Left = 4200;

} // namespace tavimo
