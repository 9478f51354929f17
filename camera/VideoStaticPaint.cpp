// The video view's painting: the 20 ms repaint, which skips ticks that would
// show nothing new, and the composition of frame, overlay and blink layer.

#include "camera/VideoStatic.h"

#include "camera/FrameCanvas.h"
#include "camera/LatestFrame.h"
#include "camera/NoCameraHint.h"
#include "platform/afx/PaintDc.h"
#include "platform/win/TickCount.h"

namespace {

constexpr UINT_PTR kRepaintTimer = 0;

} // namespace

ViewLook CVideoStatic::Look() const
{
    ViewLook look;
    {
        auto lock = g_latestFrame.Lock();
        look.frameSerial = g_latestFrame.nSerial;
    }
    look.overlayGeneration = m_nOverlayGeneration;
    if (m_pBlinkLayer)
        look.blink = m_pBlinkLayer->Look(GetTickCount());
    look.angle = m_nAngle;
    look.zoom = g_zoomFactor;
    GetWindowRect(&look.window);
    return look;
}

void CVideoStatic::OverlayChanged()
{
    m_overlayView.Forget();
    ++m_nOverlayGeneration;
}

void CVideoStatic::OnTimer(UINT_PTR nIDEvent)
{
    // A repaint that would put the same pixels on the screen is skipped, so
    // an idle view, or one whose camera runs slower than the timer, costs
    // nothing between changes.
    if (nIDEvent == kRepaintTimer && !(m_bLookShown && Look() == m_lastLook))
        Invalidate(FALSE);
    Default();
}

void CVideoStatic::OnPaint()
{
    CPaintDC dc(this);
    // Taken before painting: whatever changes while the picture is composed
    // differs from it, so the next tick paints again.
    const ViewLook look = Look();
    CRect client;
    GetClientRect(&client);
    {
        CFrameCanvas canvas(&dc, client, m_frameBuffer);
        if (DrawFrame(canvas))
            DrawLayers(canvas, canvas.GetBufferRect(), true);
        else
            DrawNoCameraHint(canvas, client, m_pCapture && m_pCapture->DeviceBusy(),
                m_pCapture ? m_pCapture->RefusedCamera() : std::string());
    }
    // A paint of part of the control (uncovered by another window) leaves
    // the rest as it was; only a whole one shows the look everywhere.
    CRect painted;
    if (painted.IntersectRect(dc.m_ps.rcPaint, client) && painted == client) {
        m_lastLook = look;
        m_bLookShown = true;
        m_frameRate.Painted(look.frameSerial);
    }
}

bool CVideoStatic::DrawFrame(CFrameCanvas& canvas)
{
    const CRect& part = canvas.GetBufferRect();
    if (part.IsRectEmpty())
        return false;
    CRect window;
    GetWindowRect(&window);
    {
        // One whole frame, unchanged while it is turned and stretched.
        auto lock = g_latestFrame.Lock();
        if (g_latestFrame.pFrame && g_latestFrame.nFrameLen > 0
            && m_turnedStretch.Draw(g_latestFrame.pFrame, static_cast<std::size_t>(g_latestFrame.nFrameLen),
                g_latestFrame.bih, m_nAngle, window.Size(), part, canvas.Pixels()))
            return true;
    }
    // Without a picture the control shows the grey its style names.
    canvas.FillSolidRect(&part, ::GetSysColor(COLOR_BTNSHADOW));
    return false;
}

void CVideoStatic::DrawLayers(CDC& dc, const CRect& visible, bool withBlink)
{
    const bool blinking = withBlink && m_pBlinkLayer && !m_pBlinkLayer->IsEmpty();
    if (!m_pOverlay && !blinking)
        return;
    GpGraphics* graphics = nullptr;
    if (GdipCreateFromHDC(dc, &graphics) != Ok)
        return;
    CRect window;
    GetWindowRect(&window);
    if (m_pOverlay)
        m_overlayView.Draw(graphics, m_pOverlay, window.Size(), visible);
    if (blinking)
        m_pBlinkLayer->Render(graphics, window.Width(), window.Height(), m_pCurrent);
    GdipDeleteGraphics(graphics);
}
