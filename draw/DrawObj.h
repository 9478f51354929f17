#pragma once

// A figure the teacher draws, on the drawing board or over the live video.
//
// An object draws in two ways. While the mouse moves it draws a rubber band
// with a plain GDI pen in R2_NOTXORPEN, so that drawing the same thing again
// removes it. When the figure is finished it renders itself anti-aliased
// with GDI+, in the chosen colour, width, opacity and line type.
//
// A surface that draws follows one contract: make the object with
// CreateDrawObj; SetAlpha; SetFill and SetBrush for filled figures; SetPen;
// SetLineType; AddPoint with the press point; AddPoint (board) or
// AddPointZoomed (video view) for every move; then DrawFinal (board) or
// AddPoint and DrawOnImage (video view); finally delete it.

#include "platform/afx/Brush.h"
#include "platform/afx/Dc.h"
#include "platform/afx/Pen.h"
#include "platform/afx/Point.h"
#include "platform/gdiplus/GdiPlusFlat.h"

#include <vector>

// Screen pixels per overlay pixel of the video view, which owns and writes
// it; drawing objects read it when they draw while the mouse moves.
extern float g_zoomFactor;

class CDrawObj {
public:
    CDrawObj() = default;
    virtual ~CDrawObj();
    CDrawObj(const CDrawObj&) = delete;
    CDrawObj& operator=(const CDrawObj&) = delete;

    // Final rendering into an image (may be null: nothing happens).
    virtual void DrawOnImage(GpImage* image) = 0;
    // Removes the rubber band now on dc, then renders for good on dc.
    virtual void DrawFinal(CDC* dc) = 0;
    // Appends a point and draws the figure so far in XOR on dc, scaled by
    // g_zoomFactor; the caller has repainted dc, so nothing is removed.
    virtual void AddPointZoomed(int x, int y, CDC* dc, GpImage* image, HWND window) = 0;
    // Appends a point and moves the rubber band on dc.
    virtual void AddPoint(int x, int y, CDC* dc) = 0;
    // Makes the rubber-band pen and the final pen; answers the GDI+ status
    // of the final pen's creation, 0 when none could be made.
    virtual int SetPen(int style, int width, COLORREF color);
    // Makes the GDI brush and the final fill brush; answers the GDI+ status.
    virtual int SetBrush(COLORREF color);

    void SetAlpha(int alpha) { m_nAlpha = alpha; }
    void SetFill(int fill) { m_bFill = fill; }
    // Adds the line type's dashes or caps to the final pen; it never takes
    // them away again. Call it after SetPen.
    void SetLineType(int lineType);
    void SetBlinkTiming(int delay, int count, int hidden, int shown);
    // Stamps the blink start with the tick count, once.
    void StartBlinkClock();
    // For a figure whose final rendering is done and that its surface never
    // draws again: frees its pens, brushes and points, the parts that cost
    // memory, leaving a shell the surface may keep in its list. A later
    // SetLineType or rendering finds no pen and does nothing. A blinking
    // figure is drawn at every repaint until it vanishes and keeps them.
    void ReleaseFinishedParts();

    CPen m_pen;
    CBrush m_brush;
    int m_bFill = 0;
    std::vector<CPoint> m_points;
    GpSolidFill* m_pGdipBrush = nullptr;
    GpPen* m_pGdipPen = nullptr;
    int m_nAlpha = 255;
    ARGB m_argb = 0xFF000000;
    int m_nSize = 0;
    int m_nBlinkDelay = 0;
    int m_nBlinkCount = 0;
    int m_nBlinkHidden = 0;
    int m_nBlinkShown = 0;
    DWORD m_dwBlinkStart = 0;

protected:
    // Puts dc into R2_NOTXORPEN with m_pen selected for its lifetime.
    class RubberBand {
    public:
        RubberBand(CDC* dc, CPen& pen);
        ~RubberBand();
        RubberBand(const RubberBand&) = delete;
        RubberBand& operator=(const RubberBand&) = delete;

    private:
        CDC* dc_;
        int oldRop_;
        CPen* oldPen_;
    };

    void DeleteGdipPen();
    void DeleteGdipBrush();

    // A stored point scaled by g_zoomFactor, truncated toward zero.
    static CPoint Zoomed(POINT p);
};

// Makes the object for a tool id (1 to 9), owned by the caller; null for any
// other id.
CDrawObj* CreateDrawObj(int toolId);
