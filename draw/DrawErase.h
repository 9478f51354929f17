#pragma once

// The eraser on the live video: while the mouse moves it makes a square of
// the overlay bitmap fully transparent, so the video shows through again.
// It draws nothing of its own and keeps no points. The square's top-left
// corner is the point; its side is four times the pen width.

#include "draw/DrawObj.h"

class CDrawErase : public CDrawObj {
public:
    void DrawOnImage(GpImage* image) override;
    void DrawFinal(CDC* dc) override;
    void AddPointZoomed(int x, int y, CDC* dc, GpImage* image, HWND window) override;
    void AddPoint(int x, int y, CDC* dc) override;
    int SetPen(int style, int width, COLORREF color) override;
    int SetBrush(COLORREF color) override;

    // What erased pixels become: alpha 0, black.
    ARGB m_argbErase = 0;
};
