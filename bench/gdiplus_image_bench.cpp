// The overlay the program lays over every video frame: a 1274x956 bitmap,
// transparent but for pen strokes and a few blue-253 pixels (the colour the
// overlay keys out), drawn through a colour key onto a 1920x1080 memory DC,
// at 1:1 and stretched to fill the frame. The target is under 6 ms a draw.

#include "platform/gdi/Gdi.h"
#include "platform/gdiplus/GdiPlusFlat.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>

namespace {

constexpr int kFrameW = 1920, kFrameH = 1080;
constexpr int kOverlayW = 1274, kOverlayH = 956;
constexpr ARGB kKey = 0x000000FD;

// Everything one draw needs, made once per benchmark.
class Scene {
public:
    Scene()
    {
        GdiplusStartupInput input;
        GdiplusStartup(&token_, &input, nullptr);
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO bmi {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = kFrameW;
        bmi.bmiHeader.biHeight = -kFrameH;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        frame_ = CreateDIBSection(dc_, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, frame_);
        GdipCreateFromHDC(dc_, &graphics_);
        GdipCreateImageAttributes(&attributes_);
        GdipSetImageAttributesColorKeys(attributes_, ColorAdjustTypeBitmap, TRUE, kKey, kKey);
        MakeOverlay();
    }
    ~Scene()
    {
        GdipDisposeImageAttributes(attributes_);
        GdipDisposeImage(overlay_);
        GdipDeleteGraphics(graphics_);
        SelectObject(dc_, old_);
        DeleteObject(frame_);
        DeleteDC(dc_);
        GdiplusShutdown(token_);
    }

    GpGraphics* graphics() const { return graphics_; }
    GpBitmap* overlay() const { return overlay_; }
    GpImageAttributes* attributes() const { return attributes_; }
    HDC dc() const { return dc_; }

private:
    // Strokes as the pen leaves them: random walks a few pixels wide, some
    // in the key colour (as the eraser leaves them), written through
    // LockBits in one go.
    void MakeOverlay()
    {
        GdipCreateBitmapFromScan0(kOverlayW, kOverlayH, 0, PixelFormat32bppARGB, nullptr, &overlay_);
        BitmapData data {};
        GdipBitmapLockBits(overlay_, nullptr, ImageLockModeRead | ImageLockModeWrite, PixelFormat32bppARGB, &data);
        auto* px = static_cast<std::uint32_t*>(data.Scan0);
        const int stride = data.Stride / 4;
        std::mt19937 rng(2024);
        const ARGB inks[] = { 0xFFFF0000, 0xFF000000, 0xFF0000FF, 0xFF00A000, 0xFF0000FD };
        for (int stroke = 0; stroke < 40; ++stroke) {
            int x = static_cast<int>(rng() % kOverlayW), y = static_cast<int>(rng() % kOverlayH);
            const ARGB ink = inks[rng() % 5];
            for (int step = 0; step < 600; ++step) {
                x = std::clamp(x + static_cast<int>(rng() % 5) - 2, 2, kOverlayW - 3);
                y = std::clamp(y + static_cast<int>(rng() % 5) - 2, 2, kOverlayH - 3);
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        px[(y + dy) * stride + x + dx] = ink;
            }
        }
        GdipBitmapUnlockBits(overlay_, &data);
    }

    ULONG_PTR token_ = 0;
    HDC dc_ = nullptr;
    HBITMAP frame_ = nullptr;
    HGDIOBJ old_ = nullptr;
    GpGraphics* graphics_ = nullptr;
    GpBitmap* overlay_ = nullptr;
    GpImageAttributes* attributes_ = nullptr;
};

GpStatus DrawOverlay(const Scene& s, GpGraphics* g, int x, int y, int w, int h)
{
    return GdipDrawImageRectRectI(g, s.overlay(), x, y, w, h, 0, 0, kOverlayW, kOverlayH, UnitPixel, s.attributes(),
        nullptr, nullptr);
}

void BM_OverlayOneToOne(benchmark::State& state)
{
    Scene s;
    for (auto _ : state) {
        if (DrawOverlay(s, s.graphics(), (kFrameW - kOverlayW) / 2, (kFrameH - kOverlayH) / 2, kOverlayW, kOverlayH)
            != Ok)
            state.SkipWithError("draw failed");
    }
}
BENCHMARK(BM_OverlayOneToOne)->Unit(benchmark::kMillisecond);

void BM_OverlayStretchedToFrame(benchmark::State& state)
{
    Scene s;
    for (auto _ : state) {
        if (DrawOverlay(s, s.graphics(), 0, 0, kFrameW, kFrameH) != Ok)
            state.SkipWithError("draw failed");
    }
}
BENCHMARK(BM_OverlayStretchedToFrame)->Unit(benchmark::kMillisecond);

// As the program does it every frame: a graphics on the frame's DC, the
// overlay drawn slightly scaled, the graphics deleted.
void BM_OverlayFrameWithGraphics(benchmark::State& state)
{
    Scene s;
    for (auto _ : state) {
        GpGraphics* g = nullptr;
        GdipCreateFromHDC(s.dc(), &g);
        DrawOverlay(s, g, 10, 8, 1340, 1005);
        GdipDeleteGraphics(g);
    }
}
BENCHMARK(BM_OverlayFrameWithGraphics)->Unit(benchmark::kMillisecond);

// While the teacher draws, the overlay changes between frames and must be
// keyed again before it is drawn.
void BM_OverlayChangedEveryFrame(benchmark::State& state)
{
    Scene s;
    ARGB ink = 0xFF000000;
    for (auto _ : state) {
        GdipBitmapSetPixel(s.overlay(), 600, 400, ink ^= 0x00FFFFFF);
        DrawOverlay(s, s.graphics(), (kFrameW - kOverlayW) / 2, (kFrameH - kOverlayH) / 2, kOverlayW, kOverlayH);
    }
}
BENCHMARK(BM_OverlayChangedEveryFrame)->Unit(benchmark::kMillisecond);

} // namespace
