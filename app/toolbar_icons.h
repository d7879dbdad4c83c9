// The toolbar pictures, drawn by the program itself.
#pragma once

#include <QIcon>

namespace tavrin::app {

inline constexpr int kToolbarIconSize = 24;

// Image `image` of the main toolbar's image list. Images 1..18 belong to the
// buttons of the same index; 19 is the "new puzzle" picture of the editor;
// 20 is the hint button's light bulb.
QIcon mainToolbarIcon(int image);

// The picture of board-toolbar button 2..11.
QIcon boardToolbarIcon(int button);

// The eraser of the piece palette (32 x 32); not lit while it is not offered,
// like the plain pieces beside it.
QPixmap eraserPixmap(bool lit = true);

// The trash can, empty or full (32 x 32).
QPixmap trashPixmap(bool full);

} // namespace tavrin::app
