#pragma once

namespace text {

// Makes the desktop's font names ("宋体", "MS Shell Dlg", ...) resolve to
// installed faces that can show Chinese. Runs once per process, on the
// first call; ResolveFace calls it, so that GDI and GDI+ fonts alike see the
// aliases however the program starts.
void LoadFontAliases();

} // namespace text
