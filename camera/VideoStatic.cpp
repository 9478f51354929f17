// The video view: start-up and drawing on the live picture. Painting is in
// VideoStaticPaint.cpp, zoom, pan and rotation in VideoStaticPlacement.cpp.

#include "camera/VideoStatic.h"

#include "app/InkveilApp.h"
#include "camera/FrameCanvas.h"
#include "camera/LatestFrame.h"
#include "draw/DrawErase.h"
#include "draw/DrawSettings.h"
#include "platform/afx/ClientDc.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

constexpr UINT_PTR kRepaintTimer = 0; // also in VideoStaticPaint.cpp
constexpr UINT kRepaintMs = 20;
constexpr UINT kEraserCursor = 156;

bool IsEraser(CDrawObj* obj) { return dynamic_cast<CDrawErase*>(obj) != nullptr; }

bool FrameAvailable()
{
    auto lock = g_latestFrame.Lock();
    return g_latestFrame.pFrame != nullptr;
}

} // namespace

BEGIN_MESSAGE_MAP(CVideoStatic, CStatic)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONDOWN()
ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

CVideoStatic::CVideoStatic() { g_zoomFactor = 1.0f; }

CVideoStatic::~CVideoStatic()
{
    for (CDrawObj* obj : m_objects)
        delete obj;
    m_objects.clear();
    m_pCurrent = nullptr;
    // Stops the graph and lets the camera go.
    delete m_pCapture;
    if (m_pOverlay)
        GdipDisposeImage(m_pOverlay);
    delete m_pBlinkLayer;
}

void CVideoStatic::StartVideo()
{
    if (m_pCapture)
        return;
    m_pCapture = new CVMR_Capture;
    // Without a camera the graph stays unbuilt and the view shows no
    // picture; drawing still works.
    m_pCapture->BuildGraph(0, nullptr);
    SetVideoSize(m_pCapture->GetWidth(), m_pCapture->GetHeight());

    // A bitmap without memory of its own starts fully transparent.
    CRect window;
    GetWindowRect(&window);
    GpBitmap* overlay = nullptr;
    if (GdipCreateBitmapFromScan0(window.Width(), window.Height(), 0, PixelFormat32bppARGB, nullptr, &overlay) == Ok)
        m_pOverlay = overlay;
    m_pBlinkLayer = new CBlinkLayer(window.Width(), window.Height());
    MeasureReference();
    SetTimer(kRepaintTimer, kRepaintMs);
}

void CVideoStatic::SetLineType(int lineType)
{
    m_nLineType = lineType;
    if (m_pCurrent)
        m_pCurrent->SetLineType(lineType);
}

void CVideoStatic::SetVideoSize(int width, int height)
{
    m_nVideoWidth = width;
    m_nVideoHeight = height;
}

HRESULT CVideoStatic::SetBrightness(int percent) { return m_pCapture ? m_pCapture->SetBrightness(percent) : E_POINTER; }
HRESULT CVideoStatic::SetContrast(int percent) { return m_pCapture ? m_pCapture->SetContrast(percent) : E_POINTER; }
HRESULT CVideoStatic::SetSaturation(int percent) { return m_pCapture ? m_pCapture->SetSaturation(percent) : E_POINTER; }
int CVideoStatic::GetBrightness() { return m_pCapture ? m_pCapture->GetBrightness() : 0; }
int CVideoStatic::GetContrast() { return m_pCapture ? m_pCapture->GetContrast() : 0; }
int CVideoStatic::GetSaturation() { return m_pCapture ? m_pCapture->GetSaturation() : 0; }

CPoint CVideoStatic::ToOverlayPoint(POINT client)
{
    // A factor of 0 would make the quotient infinite; such points are held
    // at the ends of the integer range rather than converted blindly.
    auto unscale = [](LONG v) {
        const float q = static_cast<float>(v) / g_zoomFactor;
        if (std::isnan(q))
            return 0;
        if (q >= static_cast<float>(INT_MAX))
            return INT_MAX;
        if (q <= static_cast<float>(INT_MIN))
            return INT_MIN;
        return static_cast<int>(q);
    };
    return CPoint(unscale(client.x), unscale(client.y));
}

void CVideoStatic::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetCapture();
    // A drawing whose release never came (the capture went elsewhere) is
    // finished as if it had, so that it is never lost or left unowned.
    if (m_bDrawing)
        CommitCurrent();
    m_pCurrent = CreateDrawObj(m_nTool);
    if (!m_pCurrent) {
        BeginPan(point);
        Default();
        return;
    }

    if (m_nTool == TOOL_ERASE) {
        m_hEraserCursor = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(kEraserCursor));
        ::SetCursor(m_hEraserCursor);
    }
    const CInkveilApp* app = InkveilApp();
    assert(app && "the drawing settings live in the application object");
    m_pCurrent->SetAlpha(AlphaFromPercent(app->m_nAlphaPercent));
    if (m_pCurrent->m_bFill)
        m_pCurrent->SetBrush(app->m_crColor);
    m_pCurrent->SetPen(PS_SOLID, app->m_nPenWidth, app->m_crColor);
    m_pCurrent->SetLineType(m_nLineType);
    // The list owns the drawing from its press on; a drawing that goes to
    // the blink layer at its release leaves the list then.
    m_objects.push_back(m_pCurrent);
    m_bDrawing = true;

    const CPoint p = ToOverlayPoint(point);
    CClientDC dc(this);
    m_pCurrent->AddPoint(p.x, p.y, &dc);
    ScreenTouched();
    Default();
}

void CVideoStatic::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nTool == TOOL_NONE) {
        if (m_bPanning) {
            CPoint cursor = point;
            ClientToScreen(&cursor);
            CRect window;
            GetWindowRect(&window);
            Place(ToParentClient(CRect(cursor - m_ptGrab, window.Size())));
        }
    } else if ((nFlags & MK_LBUTTON) && m_pCurrent && m_bDrawing && FrameAvailable()) {
        // The frame, the drawing so far (scaled, in XOR) and the overlay,
        // composed off screen and copied to the control in one go. The
        // blink layer waits for the next repaint.
        CClientDC dc(this);
        CRect client;
        GetClientRect(&client);
        CFrameCanvas mem(&dc, client, m_frameBuffer);
        if (DrawFrame(mem)) {
            const CPoint p = ToOverlayPoint(point);
            m_pCurrent->AddPointZoomed(p.x, p.y, &mem, m_pOverlay, m_hWnd);
            if (IsEraser(m_pCurrent))
                OverlayChanged();
            DrawLayers(mem, mem.GetBufferRect(), false);
        }
        ScreenTouched();
    }
    Default();
}

void CVideoStatic::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bDrawing) {
        const CPoint p = ToOverlayPoint(point);
        CClientDC dc(this);
        m_pCurrent->AddPoint(p.x, p.y, &dc);
        ScreenTouched();
        CommitCurrent();
    } else {
        m_bPanning = 0;
    }
    ::ReleaseCapture();
    Default();
}

void CVideoStatic::CommitCurrent()
{
    m_bDrawing = false;
    if (!m_pCurrent)
        return;
    // The eraser works on the overlay itself as the mouse moves, so it is
    // never handed to the blink layer.
    if (m_bBlink && !IsEraser(m_pCurrent) && m_pBlinkLayer) {
        std::erase(m_objects, m_pCurrent);
        m_pBlinkLayer->Add(m_pCurrent);
    } else {
        m_pCurrent->DrawOnImage(m_pOverlay);
        OverlayChanged();
        // The overlay holds its pixels now; the list keeps only a shell.
        m_pCurrent->ReleaseFinishedParts();
    }
}

void CVideoStatic::OnRButtonDown(UINT nFlags, CPoint point)
{
    // The left button pans until the palette chooses a tool again.
    m_nTool = TOOL_NONE;
    Default();
}
