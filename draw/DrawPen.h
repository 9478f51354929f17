#pragma once

// The freehand pen: its points are the stroke, in order. While the mouse
// moves it draws one GDI segment per point and never redraws the stroke; the
// smooth curve through all points is rendered once, at the end.

#include "draw/DrawObj.h"

class CDrawPen : public CDrawObj {
public:
    void DrawOnImage(GpImage* image) override;
    void DrawFinal(CDC* dc) override;
    void AddPointZoomed(int x, int y, CDC* dc, GpImage* image, HWND window) override;
    void AddPoint(int x, int y, CDC* dc) override;

private:
    // Draws the segments from each point's predecessor to the point (the
    // first point to itself), each point mapped through scale.
    template <typename Scale>
    void DrawSegments(CDC* dc, Scale scale) const;
    void RenderCurve(GpGraphics* graphics) const;
};
