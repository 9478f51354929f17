#pragma once

// CBitmapButton: an owner-drawn button that shows one of up to four
// bitmaps: up (required), down while pressed, focused and disabled.
// AutoLoad takes the bitmaps' names from the button's caption with "U",
// "D", "F" and "X" appended.

#include "platform/afx/Bitmap.h"
#include "platform/afx/Button.h"

class CBitmapButton : public CButton {
public:
    // Loads the bitmaps; the first is required. Answers whether every bitmap
    // named was found (the others stay empty when not).
    BOOL LoadBitmaps(UINT up, UINT down = 0, UINT focus = 0, UINT disabled = 0);
    BOOL LoadBitmaps(const char* up, const char* down = nullptr, const char* focus = nullptr,
        const char* disabled = nullptr);
    // Binds the object to the dialog's button with that id, loads the
    // bitmaps its caption names and fits the button to them.
    BOOL AutoLoad(UINT id, CWnd* parent);
    // Makes the button the size of its up bitmap.
    void SizeToContent();

    void DrawItem(LPDRAWITEMSTRUCT dis) override;

    CBitmap m_bitmap;
    CBitmap m_bitmapSel;
    CBitmap m_bitmapFocus;
    CBitmap m_bitmapDisabled;
};
