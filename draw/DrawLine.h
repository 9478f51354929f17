#pragma once

// A straight segment from the first point fed to the last.

#include "draw/DrawObj.h"

class CDrawLine : public CDrawObj {
public:
    void DrawOnImage(GpImage* image) override;
    void DrawFinal(CDC* dc) override;
    void AddPointZoomed(int x, int y, CDC* dc, GpImage* image, HWND window) override;
    void AddPoint(int x, int y, CDC* dc) override;

private:
    void Render(GpGraphics* graphics) const;
};
