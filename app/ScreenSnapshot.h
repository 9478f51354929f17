#pragma once

// Whole-bitmap copies of what is on the screen: the frozen screen picture
// that the drawing board is made over, and the copy of a window's client
// area that saving the board writes to a file.

#include "platform/afx/Dc.h"

class CWnd;

// Copies width x height pixels from (x, y) of source into out, which becomes
// a new bitmap compatible with source (any bitmap out held is deleted
// first). Answers FALSE, with out empty, when no bitmap could be made.
BOOL CopyDcArea(CDC* source, int x, int y, int width, int height, CBitmap& out);

// A new bitmap holding the whole screen, owned by the caller; null when the
// screen has no area.
CBitmap* SnapshotScreen();

// Copies what the window shows in its client area into out. Answers FALSE,
// with out empty, when there is no window or nothing to copy.
BOOL CopyWindowPicture(CWnd* wnd, CBitmap& out);
