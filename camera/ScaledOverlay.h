#pragma once

// The overlay as a zoomed view shows it. Laying the overlay over each frame
// means scaling it to the control's size with filtering, which at a large
// zoom costs several times a plain copy of the same pixels. The overlay
// changes only when a drawing is committed, erased or turned, while frames
// arrive fifty times a second; so the scaled, keyed overlay of the visible
// part is kept and laid over each frame one for one, and made again only
// when the overlay, the control's size or its visible part change.
//
// At zoom 1 the overlay is laid over as it is: nothing is gained by a copy.

#include "platform/gdiplus/GdiPlusFlat.h"

class CScaledOverlay {
public:
    CScaledOverlay() = default;
    ~CScaledOverlay();
    CScaledOverlay(const CScaledOverlay&) = delete;
    CScaledOverlay& operator=(const CScaledOverlay&) = delete;

    // Lays the overlay, stretched over (0, 0, target) through the key
    // colour, onto the part visible of the graphics.
    void Draw(GpGraphics* graphics, GpBitmap* overlay, SIZE target, const RECT& visible);
    // The overlay's pixels changed: the kept copy is stale.
    void Forget() { m_bValid = false; }

private:
    bool Rebuild(GpBitmap* overlay, SIZE target, const RECT& visible);

    GpBitmap* m_pScaled = nullptr;
    bool m_bValid = false;
    const GpBitmap* m_pSource = nullptr;
    SIZE m_target {};
    RECT m_visible {};
};
