#pragma once

// A circle centred on the press point S through the current point E. Its
// radius is the distance truncated to whole pixels, so its box is
// (S.x - r, S.y - r) with width and height 2r. The outline is a 360-degree
// arc starting at the rightmost point, where arrow caps show.

#include "draw/DrawShape.h"

class CDrawCircle : public CDrawShape {
public:
    static int Radius(CPoint s, CPoint e);

protected:
    void DrawBand(CDC* dc, CPoint s, CPoint e, float zoom) const override;
    void Render(GpGraphics* graphics, CPoint s, CPoint e) const override;
};
