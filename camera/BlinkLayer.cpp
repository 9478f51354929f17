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

std::vector<std::uintptr_t> CBlinkLayer::Look(DWORD now) const
{
    // Drawings are at least four-byte aligned, which leaves the two low bits
    // of their address for the state; a clock not yet started counts as a
    // state of its own, as Render starts it.
    std::vector<std::uintptr_t> look;
    look.reserve(m_objects.size());
    for (const CDrawObj* obj : m_objects) {
        const std::uintptr_t state
            = obj->m_dwBlinkStart == 0 ? 3 : static_cast<std::uintptr_t>(StateAt(*obj, now));
        look.push_back(reinterpret_cast<std::uintptr_t>(obj) | state);
    }
    return look;
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
