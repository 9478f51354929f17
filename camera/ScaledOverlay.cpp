// The kept, scaled overlay of a zoomed view.

#include "camera/ScaledOverlay.h"

#include "camera/OverlayKey.h"
#include "platform/gdi/Gdi.h"

CScaledOverlay::~CScaledOverlay()
{
    if (m_pScaled)
        GdipDisposeImage(m_pScaled);
}

void CScaledOverlay::Draw(GpGraphics* graphics, GpBitmap* overlay, SIZE target, const RECT& visible)
{
    if (!graphics || !overlay || visible.left >= visible.right || visible.top >= visible.bottom)
        return;
    UINT width = 0, height = 0;
    GdipGetImageWidth(overlay, &width);
    GdipGetImageHeight(overlay, &height);
    if (static_cast<LONG>(width) == target.cx && static_cast<LONG>(height) == target.cy) {
        DrawThroughOverlayKey(graphics, overlay, target.cx, target.cy);
        return;
    }
    const bool same = m_bValid && m_pSource == overlay && m_target.cx == target.cx && m_target.cy == target.cy
        && EqualRect(&m_visible, &visible);
    if (!same && !Rebuild(overlay, target, visible)) {
        DrawThroughOverlayKey(graphics, overlay, target.cx, target.cy);
        return;
    }
    // The kept copy is keyed already; it is laid over one for one.
    const INT w = visible.right - visible.left, h = visible.bottom - visible.top;
    GdipDrawImageRectRectI(graphics, m_pScaled, visible.left, visible.top, w, h, 0, 0, w, h, UnitPixel, nullptr,
        nullptr, nullptr);
}

bool CScaledOverlay::Rebuild(GpBitmap* overlay, SIZE target, const RECT& visible)
{
    const INT w = visible.right - visible.left, h = visible.bottom - visible.top;
    UINT keptWidth = 0, keptHeight = 0;
    if (m_pScaled) {
        GdipGetImageWidth(m_pScaled, &keptWidth);
        GdipGetImageHeight(m_pScaled, &keptHeight);
    }
    if (!m_pScaled || static_cast<INT>(keptWidth) != w || static_cast<INT>(keptHeight) != h) {
        if (m_pScaled)
            GdipDisposeImage(m_pScaled);
        m_pScaled = nullptr;
        if (GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppARGB, nullptr, &m_pScaled) != Ok) {
            m_pScaled = nullptr;
            m_bValid = false;
            return false;
        }
    }
    GpGraphics* graphics = nullptr;
    if (GdipGetImageGraphicsContext(m_pScaled, &graphics) != Ok) {
        m_bValid = false;
        return false;
    }
    // The whole overlay stretched as over the control, shifted so that the
    // visible part's corner is the copy's corner.
    GdipGraphicsClear(graphics, 0);
    GpImageAttributes* attributes = nullptr;
    GdipCreateImageAttributes(&attributes);
    GdipSetImageAttributesColorKeys(attributes, ColorAdjustTypeBitmap, TRUE, kOverlayKeyColor, kOverlayKeyColor);
    UINT width = 0, height = 0;
    GdipGetImageWidth(overlay, &width);
    GdipGetImageHeight(overlay, &height);
    GdipDrawImageRectRectI(graphics, overlay, -visible.left, -visible.top, target.cx, target.cy, 0, 0,
        static_cast<INT>(width), static_cast<INT>(height), UnitPixel, attributes, nullptr, nullptr);
    GdipDisposeImageAttributes(attributes);
    GdipDeleteGraphics(graphics);

    m_bValid = true;
    m_pSource = overlay;
    m_target = target;
    m_visible = visible;
    return true;
}
