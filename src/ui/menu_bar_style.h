// The menu bar of a narrow window: five menus in 3375 twips.
#pragma once

class QMenuBar;

namespace lumora {

// Draws `bar` with its items packed close (no spacing, 2 px of padding around each caption), so that
// the last menu does not hide behind the overflow arrow; an item is highlighted whenever it is
// selected, by the mouse or by the keyboard (F10, Alt). A style of its own rather than a style sheet,
// which would put the whole bar through the slower style-sheet machinery at start.
void packMenuBar(QMenuBar *bar);

}  // namespace lumora
