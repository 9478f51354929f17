#pragma once

// The program's own resources: the embedded files (bitmaps, cursors, icons),
// the dialog templates and the strings, registered with the window system's
// resource registry before main runs.
//
// Registration runs from a static initialiser in Registration.cpp. The
// library inkveil_res is linked as a whole archive (see
// cmake/EmbedResources.cmake), so that initialiser is part of every program
// that links the library, even though nothing calls into it by name.

namespace res {

// Registers everything; later calls do nothing.
void RegisterProgramResources();

// The pieces, each written as code in this folder.
void AddProgramDialogs();
void AddProgramStrings();

} // namespace res
