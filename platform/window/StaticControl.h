#pragma once

// The "STATIC" class: text (left, centred or right), black, grey and white
// rectangles and frames, bitmaps and icons. Text and pictures are drawn on
// the brush and in the colours that the parent answers to
// WM_CTLCOLORSTATIC; a hollow brush leaves the background as the parent
// painted it. A picture comes from STM_SETIMAGE (the control shows the
// caller's bitmap and never frees it) or from the resource that the
// template's text names ("#191" or a name), which the control loads and
// frees. Setting a picture sizes the control to it unless SS_CENTERIMAGE.
// Without SS_NOTIFY the control is transparent to the mouse; with it a
// click sends STN_CLICKED.

#include "platform/window/WinUser.h"

namespace ws::ctl {

class StaticControl {
public:
    StaticControl(HWND hwnd, const CREATESTRUCT& cs);
    ~StaticControl();
    StaticControl(const StaticControl&) = delete;
    StaticControl& operator=(const StaticControl&) = delete;

    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    DWORD Style() const;
    DWORD Type() const;
    void LoadFromTemplate(const CREATESTRUCT& cs);
    // Shows a new picture; answers the one shown before.
    HANDLE SetImage(UINT type, HANDLE image);
    void FitToImage();
    void Paint(HDC dc);
    void PaintText(HDC dc, const RECT& r);
    void PaintBitmap(HDC dc, const RECT& r);

    HWND hwnd_;
    HBITMAP bitmap_ = nullptr;
    HICON icon_ = nullptr;
    bool ownsBitmap_ = false; // loaded from the template's name
};

} // namespace ws::ctl
