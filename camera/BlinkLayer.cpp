// The blink layer: drawings shown, blinked and deleted on a schedule.

#include "camera/BlinkLayer.h"

#include "camera/OverlayKey.h"
#include "platform/win/TickCount.h"

#include <utility>
#include <vector>

namespace {

constexpr int kBlinkDelay = 1000;
constexpr int kBlinkCount = 3;
constexpr int kBlinkHidden = 500;
constexpr int kBlinkShown = 500;

enum class BlinkState { Shown, Hidden, Over };

// Where an object stands in its schedule at tick count now. Ticks are
// unsigned and wrap, so only differences of them are compared.
BlinkState StateAt(const CDrawObj& obj, DWORD now)
{
    const DWORD elapsed = now - obj.m_dwBlinkStart;
    const DWORD delay = static_cast<DWORD>(obj.m_nBlinkDelay);
    if (elapsed <= delay)
        return BlinkState::Shown;
    const DWORD cycle = static_cast<DWORD>(obj.m_nBlinkHidden) + static_cast<DWORD>(obj.m_nBlinkShown);
    const DWORD since = elapsed - delay;
    if (since >= static_cast<DWORD>(obj.m_nBlinkCount) * cycle)
        return BlinkState::Over;
    return since % cycle > static_cast<DWORD>(obj.m_nBlinkHidden) ? BlinkState::Shown : BlinkState::Hidden;
}

} // namespace

CBlinkLayer::CBlinkLayer(int width, int height)
    : m_nWidth(width)
    , m_nHeight(height)
{
}

CBlinkLayer::~CBlinkLayer()
{
    for (CDrawObj* obj : m_objects)
        delete obj;
}

void CBlinkLayer::Add(CDrawObj* obj)
{
    if (!obj)
        return;
    obj->SetBlinkTiming(kBlinkDelay, kBlinkCount, kBlinkHidden, kBlinkShown);
    m_objects.push_back(obj);
}

void CBlinkLayer::SwapSize() { std::swap(m_nWidth, m_nHeight); }

void CBlinkLayer::Render(GpGraphics* graphics, int targetWidth, int targetHeight, CDrawObj*& current)
{
    if (m_objects.empty())
        return;
    // A bitmap without memory of its own starts fully transparent. If none
    // can be made the schedule still runs, so drawings still go in time.
    GpBitmap* layer = nullptr;
    if (GdipCreateBitmapFromScan0(m_nWidth, m_nHeight, 0, PixelFormat32bppARGB, nullptr, &layer) != Ok)
        layer = nullptr;
    const DWORD now = GetTickCount();

    // Every drawing is visited once, in order, also the one after a drawing
    // that goes.
    std::erase_if(m_objects, [&](CDrawObj* obj) {
        obj->StartBlinkClock();
        const BlinkState state = StateAt(*obj, now);
        if (state == BlinkState::Shown)
            obj->DrawOnImage(layer);
        if (state != BlinkState::Over)
            return false;
        if (current == obj)
            current = nullptr;
        delete obj;
        return true;
    });

    if (layer) {
        DrawThroughOverlayKey(graphics, layer, targetWidth, targetHeight);
        GdipDisposeImage(layer);
    }
}
