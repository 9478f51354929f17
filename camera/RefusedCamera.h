#pragma once

// A camera that is there but that the user may not open: its node answers
// EACCES (on Linux, the user is not in the video group). The device list
// leaves such a camera out, so without this the teacher would be told that
// there is no camera at all.

#include <string>

// The name of the first video node whose open is refused for lack of
// permission (its node path when the name can't be read), or "" when none is.
std::string CameraRefusedForPermission();
