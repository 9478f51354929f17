#pragma once

// The palette's SAVE command: copies what the drawing board shows (the
// frozen screen with every stroke on it) and writes it to a BMP file the
// user names in the save dialog.

#include "platform/afx/Bitmap.h"

class CWnd;

// Does nothing without a board. Otherwise the copy replaces savedPicture
// (the palette keeps it), the save dialog asks for a file, and the picture
// is written there at the display's depth. A cancelled dialog writes
// nothing; failures are not reported.
void SavePicture(CWnd* board, CBitmap& savedPicture);
