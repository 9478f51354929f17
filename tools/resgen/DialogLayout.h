#pragma once

// Where a dialog template puts its controls, in the pixels the window
// system gives them: the template's dialog units converted with the base
// units of the template's font, exactly as the dialog manager converts them
// when it builds the window. The skins are drawn around these places, so
// that every button picture lands on the spot its background leaves for it.

#include "platform/win/WinTypes.h"

#include <map>

namespace resgen {

class DialogLayout {
public:
    // Measures template id of the program's dialog templates. Throws
    // std::runtime_error when there is no such template.
    explicit DialogLayout(UINT templateId);

    // The top-left corner of control id in client pixels. Throws
    // std::runtime_error when the template has no such control.
    POINT At(WORD controlId) const;
    // The whole rectangle the template gives the control, in client pixels
    // (buttons and sliders take their pictures' size instead).
    RECT Rect(WORD controlId) const;

private:
    UINT templateId_;
    std::map<WORD, RECT> places_;
};

} // namespace resgen
