#pragma once

// The video view's layer of drawings that blink and vanish. A finished
// drawing handed to it is shown for a second from the first repaint that
// shows it, then blinks three times (half a second hidden, half a second
// shown) and is deleted four seconds after that first repaint. The layer
// owns its drawings; each repaint renders the ones due into a temporary
// bitmap of the layer's size and lays it over the picture through the key
// colour.

#include "draw/DrawObj.h"

#include <cstdint>
#include <vector>

class CBlinkLayer {
public:
    CBlinkLayer(int width, int height);
    ~CBlinkLayer();
    CBlinkLayer(const CBlinkLayer&) = delete;
    CBlinkLayer& operator=(const CBlinkLayer&) = delete;

    // Takes the drawing over with the blink schedule: 1000 ms shown, then 3
    // cycles of 500 ms hidden and 500 ms shown.
    void Add(CDrawObj* obj);
    // Exchanges width and height (the picture turned by a quarter).
    void SwapSize();
    // Renders the drawings due now into (0, 0, targetWidth, targetHeight)
    // of the graphics and deletes those whose time is over. current is the
    // view's drawing under way; it is cleared before the drawing it points
    // at is deleted.
    void Render(GpGraphics* graphics, int targetWidth, int targetHeight, CDrawObj*& current);

    // What a Render at tick count now would show, as one number per
    // drawing: the drawing and where it stands in its schedule (not yet
    // started, shown, hidden, over). Equal answers at two times mean Render
    // draws the same pixels at both.
    std::vector<std::uintptr_t> Look(DWORD now) const;

    bool IsEmpty() const { return m_objects.empty(); }
    const std::vector<CDrawObj*>& Objects() const { return m_objects; }

    int m_nWidth;
    int m_nHeight;

private:
    std::vector<CDrawObj*> m_objects;
};
