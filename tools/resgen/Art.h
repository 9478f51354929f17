#pragma once

// The program's icon, its cursors and the eraser's mask, each drawn by code
// and returned as the bytes of its resource file.

#include "tools/resgen/Resource.h"

#include <filesystem>

namespace resgen {

// Bitmap 142, 62 x 62 at 24 bits: the eraser's shape as a two-colour mask,
// a black block twice as long as it is wide, turned to run from the upper
// left to the lower right, on white.
Bytes EraserMask();
// Cursor 137, 32 x 32 in sixteen colours or fewer: a pencil whose point is
// the hot spot (4, 5).
Bytes PencilCursor();
// Cursor 156, 32 x 32: nothing visible, hot spot (16, 9).
Bytes BlankCursor();
// Icon 128, 32 x 32: a page with handwriting and a pencil over it.
Bytes ProgramIcon();
// The same icon drawn afresh at size x size pixels (not scaled from the 32
// pixel picture, so that large sizes stay sharp), written as a PNG with its
// transparency for the desktop's icon theme. Throws std::runtime_error when
// the file cannot be written.
void WriteProgramIconPng(int size, const std::filesystem::path& png);

} // namespace resgen
