#include "platform/window/ColorPicture.h"

#include "platform/window/ControlPainting.h"

#include <algorithm>
#include <cstdlib>

namespace ws::dlg {

namespace {

constexpr int kArrowWidth = 8; // the bar's arrow, right of the bar
constexpr int kCrossReach = 8; // how far the field's cross reaches out
constexpr COLORREF kMarkerColour = RGB(0, 0, 0);

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }
RECT Grown(RECT r, int by) { return RECT { r.left - by, r.top - by, r.right + by, r.bottom + by }; }

// A value from a position along a span of pixels whose first pixel reads
// `first` and last reads `last`; and back.
int ScaleOf(int offset, int span, int first, int last)
{
    offset = std::clamp(offset, 0, span - 1);
    return first + (last - first) * offset / (span - 1);
}
int OffsetOf(int value, int span, int first, int last) { return (value - first) * (span - 1) / (last - first); }

std::uint32_t Pixel(COLORREF c)
{
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// Paints an area from its pixels (0x00RRGGBB, rows top-down) in one
// transfer rather than pixel by pixel.
void PaintPixels(HDC dc, const RECT& r, const std::vector<std::uint32_t>& pixels)
{
    BITMAPINFO bmi {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = Width(r);
    bmi.bmiHeader.biHeight = -Height(r);
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(dc, r.left, r.top, Width(r), Height(r), 0, 0, Width(r), Height(r), pixels.data(), &bmi,
        DIB_RGB_COLORS, SRCCOPY);
}

} // namespace

bool ColorPicture::OnField(POINT p) { return PtInRect(&kField, p) != FALSE; }

bool ColorPicture::OnBar(POINT p)
{
    RECT withArrow { kBar.left, kBar.top, kBar.right + 2 + kArrowWidth, kBar.bottom };
    return PtInRect(&withArrow, p) != FALSE;
}

Hls ColorPicture::AtField(POINT p, Hls current)
{
    current.hue = ScaleOf(p.x - kField.left, Width(kField), 0, kHlsMax - 1);
    current.sat = ScaleOf(p.y - kField.top, Height(kField), kHlsMax, 0);
    return current;
}

Hls ColorPicture::AtBar(POINT p, Hls current)
{
    current.lum = ScaleOf(p.y - kBar.top, Height(kBar), kHlsMax, 0);
    return current;
}

void ColorPicture::Paint(HDC dc, Hls hls, COLORREF colour)
{
    PaintField(dc, hls);
    PaintBar(dc, hls);
    ctl::FrameSolid(dc, kPreview, ctl::kBorderColour);
    ctl::FillSolid(dc, Grown(kPreview, -1), colour);
}

void ColorPicture::Invalidate(HWND dialog)
{
    // The cross and the arrow reach out of their areas; the bar's colours
    // follow hue and saturation.
    RECT field = Grown(kField, kCrossReach);
    RECT bar { kBar.left, kBar.top - kArrowWidth, kBar.right + 2 + kArrowWidth, kBar.bottom + kArrowWidth };
    InvalidateRect(dialog, &field, TRUE);
    InvalidateRect(dialog, &bar, TRUE);
    InvalidateRect(dialog, &kPreview, FALSE);
}

void ColorPicture::PaintField(HDC dc, Hls hls)
{
    int w = Width(kField), h = Height(kField);
    if (field_.empty()) {
        field_.resize(static_cast<std::size_t>(w * h));
        for (int y = 0; y < h; ++y) {
            int sat = ScaleOf(y, h, kHlsMax, 0);
            for (int x = 0; x < w; ++x)
                field_[static_cast<std::size_t>(y * w + x)] = Pixel(
                    HlsToRgb(Hls { ScaleOf(x, w, 0, kHlsMax - 1), sat, kHlsMax / 2 }));
        }
    }
    PaintPixels(dc, kField, field_);
    // A cross with an open centre, so the colour under it stays visible.
    int cx = kField.left + OffsetOf(hls.hue, w, 0, kHlsMax - 1);
    int cy = kField.top + OffsetOf(hls.sat, h, kHlsMax, 0);
    ctl::FillSolid(dc, RECT { cx - kCrossReach + 1, cy, cx - 2, cy + 1 }, kMarkerColour);
    ctl::FillSolid(dc, RECT { cx + 3, cy, cx + kCrossReach, cy + 1 }, kMarkerColour);
    ctl::FillSolid(dc, RECT { cx, cy - kCrossReach + 1, cx + 1, cy - 2 }, kMarkerColour);
    ctl::FillSolid(dc, RECT { cx, cy + 3, cx + 1, cy + kCrossReach }, kMarkerColour);
}

void ColorPicture::PaintBar(HDC dc, Hls hls)
{
    int w = Width(kBar), h = Height(kBar);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w * h));
    for (int y = 0; y < h; ++y) {
        std::uint32_t p = Pixel(HlsToRgb(Hls { hls.hue, hls.sat, ScaleOf(y, h, kHlsMax, 0) }));
        std::fill_n(pixels.begin() + y * w, w, p);
    }
    PaintPixels(dc, kBar, pixels);
    // An arrow pointing left at the luminance.
    int y = kBar.top + OffsetOf(hls.lum, h, kHlsMax, 0);
    for (int dy = -4; dy <= 4; ++dy)
        ctl::FillSolid(dc, RECT { kBar.right + 2 + std::abs(dy), y + dy, kBar.right + 2 + kArrowWidth, y + dy + 1 },
            kMarkerColour);
}

void ColorPicture::DrawSwatch(HDC dc, const RECT& r, COLORREF colour, bool selected, bool focused)
{
    ctl::FillSolid(dc, r, ctl::kFaceColour);
    if (selected) {
        ctl::FrameSolid(dc, r, kMarkerColour);
        ctl::FrameSolid(dc, Grown(r, -1), kMarkerColour);
    } else if (focused) {
        RECT focus = Grown(r, -1);
        DrawFocusRect(dc, &focus);
    }
    ctl::FrameSolid(dc, Grown(r, -3), ctl::kBorderColour);
    ctl::FillSolid(dc, Grown(r, -4), colour);
}

} // namespace ws::dlg
