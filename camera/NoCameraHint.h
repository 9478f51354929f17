#pragma once

// What the video view shows while it has no picture: "未检测到摄像头" in
// its centre, and below it how to connect the document camera and choose
// it, in the program's Song face on the view's usual grey. A teacher
// starting without a camera sees why the box is empty.

#include "platform/gdi/Gdi.h"

#include <string>

// Draws the hint centred in area (the view's client rectangle) on dc,
// leaving the ground as it is. A camera that is there but held by another
// program is told apart: it needs closing that program, not a cable. So is
// one the user may not open (refusedCamera, its name, when no camera could
// be listed): it needs the administrator.
void DrawNoCameraHint(HDC dc, const RECT& area, bool cameraBusy = false, const std::string& refusedCamera = {});
