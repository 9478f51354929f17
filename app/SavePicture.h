#pragma once

// The palette's SAVE command: copies what the drawing board shows (the
// frozen screen with every stroke on it) and writes it to a BMP file the
// user names in the save dialog.

#include "platform/afx/Bitmap.h"

#include <string>

class CWnd;

// Does nothing without a board. Otherwise the copy replaces savedPicture
// (the palette keeps it), the save dialog asks for a file, and the picture
// is written there at the display's depth. A cancelled dialog writes
// nothing and says nothing. A file that cannot be written (no such folder,
// no permission, a full disk) is reported in a message box owned by owner
// that names the path, so that the teacher knows the board was not kept;
// nothing is left on disk by the failed attempt.
void SavePicture(CWnd* board, CBitmap& savedPicture, CWnd* owner = nullptr);

// The message that says the picture could not be written to path.
std::string SaveFailedMessage(const std::string& path);
