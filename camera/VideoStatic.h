#pragma once

// The video view: the control inside the main window that shows the
// document camera's live picture and lets the teacher draw on it.
//
// - The picture always fills the whole control. Zoom and pan resize and move
//   the control itself inside the main window, which clips it; the frame is
//   stretched to whatever size the control has. Painting buffers, turns and
//   stretches only the part of the control that can be seen, so a control
//   ten times the screen costs what the screen does.
// - The view owns the capture graph and repaints every 20 ms from the
//   latest frame, turned by the view's rotation, unless nothing it shows
//   has changed since the last repaint (ViewLook): an idle view, or a
//   camera slower than the timer, costs nothing between changes.
// - Finished drawings render themselves into a transparent overlay bitmap
//   as large as the control was when the video started; each repaint lays
//   it over the picture through the key colour. With blinking on, a
//   finished drawing goes to the blink layer instead.
//
// A point of the control (x, y) stands for the overlay point (x / zoom,
// y / zoom), truncated; drawings keep overlay points.

#include "camera/BlinkLayer.h"
#include "camera/FrameBuffer.h"
#include "camera/ScaledOverlay.h"
#include "camera/TurnedStretch.h"
#include "camera/VMR_Capture.h"
#include "camera/ViewFrameRate.h"
#include "camera/ViewLook.h"
#include "draw/DrawObj.h"
#include "platform/afx/Static.h"

#include <cstdint>
#include <vector>

class CFrameCanvas;

class CVideoStatic : public CStatic {
public:
    CVideoStatic();
    ~CVideoStatic() override;

    // Brings up the capture graph on the first device, the overlay, the
    // blink layer and the repaint timer. Called once the control is placed.
    void StartVideo();

    void SetTool(int tool) { m_nTool = tool; }
    void SetLineType(int lineType);
    void SetBlink(int blink) { m_bBlink = blink; }
    void SetVideoSize(int width, int height);

    // Each answers the zoom in percent.
    int ZoomOut();
    int ZoomIn();
    int SetZoomPercent(int percent);
    int ShowActualSize();
    int FitToWindow();
    // Turns the picture to an absolute angle in degrees; answers 0.
    int Rotate(int angle);

    HRESULT SetBrightness(int percent);
    HRESULT SetContrast(int percent);
    HRESULT SetSaturation(int percent);
    int GetBrightness();
    int GetContrast();
    int GetSaturation();

    // A point of the control as an overlay point.
    static CPoint ToOverlayPoint(POINT client);

    CVMR_Capture* m_pCapture = nullptr;
    GpBitmap* m_pOverlay = nullptr;
    CBlinkLayer* m_pBlinkLayer = nullptr;
    int m_bBlink = 0;
    int m_nAngle = 0;
    HCURSOR m_hEraserCursor = nullptr;
    int m_bPanning = 0;
    CPoint m_ptGrab;
    CRect m_rcRefClient;
    CRect m_rcRefWindow;
    int m_nVideoWidth = 0;
    int m_nVideoHeight = 0;
    std::vector<CDrawObj*> m_objects;
    CDrawObj* m_pCurrent = nullptr;
    int m_nLineType = 0;
    int m_nTool = 0;

protected:
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    DECLARE_MESSAGE_MAP()

private:
    void MeasureReference();
    void BeginPan(CPoint point);
    int ApplyZoom();
    // One wheel notch about the cursor (client coordinates).
    void WheelStep(CPoint cursor, SIZE reference, float step);
    // The control's window rectangle in the main window's client
    // coordinates, and moving it there.
    CRect PlacementRect() const;
    CRect ToParentClient(const RECT& screen) const;
    void Place(const RECT& inParent);

    // Draws the latest frame, turned and stretched onto the control's whole
    // area, into the canvas's buffered part. Answers false when there is no
    // frame to show, and fills the part with the control's grey then.
    bool DrawFrame(CFrameCanvas& canvas);
    // Lays the overlay over dc through the key colour, for the part in
    // visible, and the blink layer when asked.
    void DrawLayers(CDC& dc, const CRect& visible, bool withBlink);
    // What a repaint now would show (see ViewLook).
    ViewLook Look() const;
    // The overlay's pixels changed: the scaled copy is stale and the next
    // tick repaints.
    void OverlayChanged();
    // Something other than a repaint drew on the control (the drawing under
    // way): the next tick repaints.
    void ScreenTouched() { m_bLookShown = false; }

    // Finishes the drawing under way: into the overlay, or to the blink
    // layer when blinking is on (never the eraser).
    void CommitCurrent();
    // Tells the video toolbar, through the main window, of a wheel zoom.
    void NotifyZoomShown(int percent);

    // A drawing has had its press and awaits its release. Only such a
    // drawing is fed by moves and committed by a release, so a finished one
    // is never extended or handed over twice.
    bool m_bDrawing = false;
    // The picture is composed in this bitmap, kept between paints, and the
    // frame turned and stretched straight into it.
    CFrameBuffer m_frameBuffer;
    CTurnedStretch m_turnedStretch;
    // What the last repaint of the whole control showed, if it still shows.
    ViewLook m_lastLook;
    bool m_bLookShown = false;
    // The frames a second shown, for the log.
    CViewFrameRate m_frameRate;
    std::uint64_t m_nOverlayGeneration = 0;
    // The overlay scaled for a zoomed view; told whenever the overlay changes.
    CScaledOverlay m_overlayView;
};
