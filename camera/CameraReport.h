#pragma once

// What `inkveil --list-cameras` prints: every video capture device with
// its formats, frame sizes and frame rates, and the size the program
// chooses for it (and the format it then streams), found by building the
// capture graph as the program does and tearing it down again.

#include <string>

// The report as text, one device after another; says so when there is none.
std::string CameraReport();
