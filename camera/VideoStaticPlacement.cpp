// The video view's zoom, pan and rotation: all done by resizing and moving
// the control inside the main window, in the main window's client
// coordinates.

#include "camera/FrameRotation.h"
#include "camera/VideoDlg.h"
#include "camera/VideoStatic.h"
#include "camera/ViewZoom.h"

#include <utility>

using namespace viewzoom;

namespace {

// "Empty" means not measured yet: left and right both 0.
bool Unmeasured(const RECT& r) { return r.left == 0 && r.right == 0; }

} // namespace

void CVideoStatic::MeasureReference()
{
    if (Unmeasured(m_rcRefClient))
        GetClientRect(&m_rcRefClient);
    if (Unmeasured(m_rcRefWindow))
        GetWindowRect(&m_rcRefWindow);
}

CRect CVideoStatic::ToParentClient(const RECT& screen) const
{
    CRect r = screen;
    if (HWND parent = ::GetParent(m_hWnd)) {
        ::ScreenToClient(parent, reinterpret_cast<POINT*>(&r.left));
        ::ScreenToClient(parent, reinterpret_cast<POINT*>(&r.right));
    }
    return r;
}

CRect CVideoStatic::PlacementRect() const
{
    CRect window;
    GetWindowRect(&window);
    return ToParentClient(window);
}

void CVideoStatic::Place(const RECT& inParent) { MoveWindow(&inParent, TRUE); }

int CVideoStatic::ApplyZoom()
{
    MeasureReference();
    const SIZE reference { m_rcRefClient.Width(), m_rcRefClient.Height() };
    if (reference.cx <= 0)
        return FactorPercent(g_zoomFactor);
    const SIZE size = ZoomedSize(reference, g_zoomFactor);
    Place(KeepCentre(PlacementRect(), size));
    return WidthPercent(size.cx, reference.cx);
}

int CVideoStatic::ZoomOut()
{
    if (g_zoomFactor < kMinFactor)
        return FactorPercent(g_zoomFactor);
    g_zoomFactor *= kStepOut;
    return ApplyZoom();
}

int CVideoStatic::ZoomIn()
{
    if (g_zoomFactor > kMaxFactor)
        return FactorPercent(g_zoomFactor);
    g_zoomFactor *= kStepIn;
    return ApplyZoom();
}

int CVideoStatic::SetZoomPercent(int percent)
{
    g_zoomFactor = static_cast<float>(percent) / 100.0f;
    ApplyZoom();
    return percent;
}

int CVideoStatic::ShowActualSize()
{
    // Without a picture size (no camera) there is no actual size to show,
    // and a factor of 0 would leave nothing to zoom from.
    const CRect reference = ToParentClient(m_rcRefWindow);
    const int base = IsOddQuarterTurn(m_nAngle) ? reference.Height() : reference.Width();
    if (m_nVideoWidth <= 0 || m_nVideoHeight <= 0 || base <= 0)
        return FactorPercent(g_zoomFactor);
    Place(CRect(reference.TopLeft(), CSize(m_nVideoWidth, m_nVideoHeight)));
    g_zoomFactor = static_cast<float>(m_nVideoWidth) / static_cast<float>(base);
    return FactorPercent(g_zoomFactor);
}

int CVideoStatic::FitToWindow()
{
    CRect reference = ToParentClient(m_rcRefWindow);
    if (IsOddQuarterTurn(m_nAngle))
        reference = CRect(reference.TopLeft(), CSize(reference.Height(), reference.Width()));
    Place(reference);
    g_zoomFactor = 1.0f;
    return 100;
}

int CVideoStatic::Rotate(int angle)
{
    // The overlay turns by the difference of the two angles, so drawings
    // already made turn with the picture.
    static constexpr RotateFlipType kTurns[] = { RotateNoneFlipNone, Rotate90FlipNone, Rotate180FlipNone,
        Rotate270FlipNone };
    const int turns = (QuarterTurns(angle) - QuarterTurns(m_nAngle) + 4) % 4;
    if (m_pOverlay && turns != 0) {
        GdipImageRotateFlip(m_pOverlay, kTurns[turns]);
        m_overlayView.Forget();
    }
    if (turns % 2 == 1) {
        // The blink layer's drawings keep their points; only its size turns.
        if (m_pBlinkLayer)
            m_pBlinkLayer->SwapSize();
        std::swap(m_nVideoWidth, m_nVideoHeight);
        // Zoom factor 1 now stands for the reference turned on its side, so
        // a later zoom goes on from the present factor rather than taking
        // the zoomed size as its new reference.
        if (!Unmeasured(m_rcRefClient))
            m_rcRefClient = CRect(m_rcRefClient.TopLeft(), CSize(m_rcRefClient.Height(), m_rcRefClient.Width()));
        const CRect present = PlacementRect();
        Place(CRect(present.TopLeft(), CSize(present.Height(), present.Width())));
    }
    m_nAngle = angle;
    return 0;
}

void CVideoStatic::BeginPan(CPoint point)
{
    MeasureReference();
    CPoint screen = point;
    ClientToScreen(&screen);
    CRect window;
    GetWindowRect(&window);
    m_bPanning = window.PtInRect(screen) ? 1 : 0;
    if (m_bPanning)
        m_ptGrab = screen - window.TopLeft();
}

BOOL CVideoStatic::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    MeasureReference();
    CPoint cursor = pt;
    ScreenToClient(&cursor);
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(cursor))
        return FALSE;

    const float step = zDelta < 0 ? kStepOut : kStepIn;
    const SIZE reference { m_rcRefClient.Width(), m_rcRefClient.Height() };
    // A notch that would make the picture too small to see or too large to
    // place changes nothing; the toolbar still hears the zoom in force.
    if (WheelStepAllowed(reference, g_zoomFactor * step, step))
        WheelStep(cursor, reference, step);
    NotifyZoomShown(FactorPercent(g_zoomFactor));
    return static_cast<BOOL>(Default());
}

void CVideoStatic::WheelStep(CPoint cursor, SIZE reference, float step)
{
    g_zoomFactor *= step;
    const WheelPlacement placed = WheelZoom(cursor, reference, g_zoomFactor, step);
    CPoint corner = placed.topLeft;
    ClientToScreen(&corner);
    Place(ToParentClient(CRect(corner, placed.size)));
}

void CVideoStatic::NotifyZoomShown(int percent)
{
    // The toolbar is reached through the main window, which holds it
    // through its palette.
    if (auto* window = dynamic_cast<CVideoDlg*>(GetParent()))
        window->ShowZoomOnToolbar(percent);
}
