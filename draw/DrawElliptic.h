#pragma once

// The ellipse inscribed in the box of S and E. Its outline is a 360-degree
// arc starting at the rightmost point, where arrow caps show.

#include "draw/DrawShape.h"

class CDrawElliptic : public CDrawShape {
protected:
    void DrawBand(CDC* dc, CPoint s, CPoint e, float zoom) const override;
    void Render(GpGraphics* graphics, CPoint s, CPoint e) const override;
};
