#include "draw/DrawObj.h"

#include "draw/DrawSettings.h"
#include "platform/win/TickCount.h"

float g_zoomFactor = 1.0f;

CDrawObj::~CDrawObj()
{
    DeleteGdipPen();
    DeleteGdipBrush();
}

void CDrawObj::DeleteGdipPen()
{
    if (m_pGdipPen) {
        GdipDeletePen(m_pGdipPen);
        m_pGdipPen = nullptr;
    }
}

void CDrawObj::DeleteGdipBrush()
{
    if (m_pGdipBrush) {
        GdipDeleteBrush(m_pGdipBrush);
        m_pGdipBrush = nullptr;
    }
}

int CDrawObj::SetPen(int style, int width, COLORREF color)
{
    DeleteGdipPen();
    m_argb = ArgbFromColorRef(m_nAlpha, color);
    m_pen.Attach(::CreatePen(style, width, color));
    GpPen* pen = nullptr;
    GpStatus status = GdipCreatePen1(m_argb, static_cast<REAL>(width), UnitWorld, &pen);
    if (status != Ok || !pen)
        return 0;
    m_pGdipPen = pen;
    return status;
}

int CDrawObj::SetBrush(COLORREF color)
{
    DeleteGdipBrush();
    m_brush.Attach(::CreateSolidBrush(color));
    m_argb = ArgbFromColorRef(m_nAlpha, color);
    GpSolidFill* brush = nullptr;
    GpStatus status = GdipCreateSolidFill(m_argb, &brush);
    if (status != Ok || !brush)
        return 0;
    m_pGdipBrush = brush;
    return status;
}

void CDrawObj::SetLineType(int lineType)
{
    if (!m_pGdipPen)
        return;
    if (lineType == LINE_DASHED) {
        // Dash, gap, dash, gap, in multiples of the pen width.
        static const REAL dashes[] = { 5.0f, 2.0f, 5.0f, 2.0f };
        GdipSetPenDashArray(m_pGdipPen, dashes, 4);
    } else if (lineType == LINE_ARROW) {
        GdipSetPenStartCap(m_pGdipPen, LineCapRoundAnchor);
        GdipSetPenEndCap(m_pGdipPen, LineCapArrowAnchor);
    }
}

void CDrawObj::SetBlinkTiming(int delay, int count, int hidden, int shown)
{
    m_nBlinkDelay = delay;
    m_nBlinkCount = count;
    m_nBlinkHidden = hidden;
    m_nBlinkShown = shown;
}

void CDrawObj::StartBlinkClock()
{
    if (m_dwBlinkStart == 0)
        m_dwBlinkStart = GetTickCount();
}

void CDrawObj::ReleaseFinishedParts()
{
    DeleteGdipPen();
    DeleteGdipBrush();
    m_pen.DeleteObject();
    m_brush.DeleteObject();
    // Clearing keeps the capacity; only an exchange gives the memory back.
    std::vector<CPoint>().swap(m_points);
}

CPoint CDrawObj::Zoomed(POINT p)
{
    return CPoint(static_cast<int>(static_cast<float>(p.x) * g_zoomFactor),
        static_cast<int>(static_cast<float>(p.y) * g_zoomFactor));
}

CDrawObj::RubberBand::RubberBand(CDC* dc, CPen& pen)
    : dc_(dc)
    , oldRop_(dc->SetROP2(R2_NOTXORPEN))
    , oldPen_(dc->SelectObject(&pen))
{
}

CDrawObj::RubberBand::~RubberBand()
{
    dc_->SetROP2(oldRop_);
    dc_->SelectObject(oldPen_);
}
