#pragma once

// An axis-aligned rectangle with corners S and E; its outline is a closed
// figure and shows no caps.

#include "draw/DrawShape.h"

class CDrawRect : public CDrawShape {
protected:
    void DrawBand(CDC* dc, CPoint s, CPoint e, float zoom) const override;
    void Render(GpGraphics* graphics, CPoint s, CPoint e) const override;
};
