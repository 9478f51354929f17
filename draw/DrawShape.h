#pragma once

// What the rectangle, the circle and the ellipse share: a figure defined by
// the press point S and the current or last point E, tracked as a rubber
// band that is removed and redrawn for every new point, and rendered for
// good as an outline or, with the fill flag, as a filled shape without an
// outline. Each shape supplies only its rubber-band primitive and its final
// rendering.

#include "draw/DrawObj.h"

class CDrawShape : public CDrawObj {
public:
    void DrawOnImage(GpImage* image) override;
    void DrawFinal(CDC* dc) override;
    void AddPointZoomed(int x, int y, CDC* dc, GpImage* image, HWND window) override;
    void AddPoint(int x, int y, CDC* dc) override;

    CPoint m_ptStart; // the first point: a corner, or the circle's centre
    CPoint m_ptEnd; // the last point, taken when the final rendering starts
    CPoint m_ptCur; // the second point of the rubber band now on screen

protected:
    // Draws the figure of s and e in GDI on dc (already in XOR mode), every
    // coordinate multiplied by zoom after the figure's geometry is worked
    // out and truncated toward zero.
    virtual void DrawBand(CDC* dc, CPoint s, CPoint e, float zoom) const = 0;
    // Renders the figure of s and e for good: filled when m_bFill is set.
    virtual void Render(GpGraphics* graphics, CPoint s, CPoint e) const = 0;

    static int Scale(int v, float zoom) { return static_cast<int>(static_cast<float>(v) * zoom); }
    // The box of s and e with its corners sorted: left, top, width, height.
    static GpRect NormalisedBox(CPoint s, CPoint e);

private:
    void RenderFinal(GpGraphics* graphics);
};
