// Quarter turns of 24-bit frames, whole or in part.

#include "camera/FrameRotation.h"

#include "platform/gdi/Gdi.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

// Copies the pixels of the region of the turned frame, each from the source
// pixel src(column, memory row) names. The region is walked in square
// tiles, so that a turn by a quarter, which reads the frame down its
// columns, keeps the few source rows of a tile in the cache.
template <typename Source>
void CopyRegion(BYTE* out, std::size_t outStride, const RECT& region, Source src)
{
    constexpr int kTile = 32;
    for (int ty = region.top; ty < region.bottom; ty += kTile) {
        const int yEnd = std::min<int>(ty + kTile, region.bottom);
        for (int tx = region.left; tx < region.right; tx += kTile) {
            const int xEnd = std::min<int>(tx + kTile, region.right);
            for (int y = ty; y < yEnd; ++y) {
                BYTE* d = out + static_cast<std::size_t>(y) * outStride + static_cast<std::size_t>(tx) * 3;
                for (int x = tx; x < xEnd; ++x, d += 3) {
                    const BYTE* s = src(x, y);
                    d[0] = s[0];
                    d[1] = s[1];
                    d[2] = s[2];
                }
            }
        }
    }
}

// The first and last source index a nearest-neighbour stretch of `from`
// pixels over `to` reads for destination pixels [d0, d1): destination i
// shows source floor((2i + 1) * from / (2 * to)).
std::pair<long long, long long> SourceSpan(long long from, long long to, long long d0, long long d1)
{
    auto at = [&](long long i) { return ((2 * i + 1) * from) / (2 * to); };
    return { at(d0), at(d1 - 1) };
}

} // namespace

int NormalizeAngle(int angle)
{
    if (angle < 0)
        return 359 - static_cast<int>((-static_cast<long long>(angle) - 1) % 360);
    return angle % 360;
}

int QuarterTurns(int angle) { return NormalizeAngle(angle) / 90; }

bool IsOddQuarterTurn(int angle) { return std::abs(angle / 90) % 2 == 1; }

BITMAPINFOHEADER DibHeader24(int width, int height)
{
    BITMAPINFOHEADER header {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    return header;
}

std::size_t DibRowBytes24(int width)
{
    return (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
}

std::size_t DibBytes24(const BITMAPINFOHEADER& header)
{
    return DibRowBytes24(header.biWidth) * static_cast<std::size_t>(std::labs(header.biHeight));
}

BITMAPINFOHEADER TurnedHeader(const BITMAPINFOHEADER& header, int angle)
{
    BITMAPINFOHEADER turned = header;
    turned.biSize = sizeof(BITMAPINFOHEADER);
    if (QuarterTurns(angle) % 2 == 1) {
        const LONG h = std::labs(header.biHeight);
        turned.biWidth = h;
        turned.biHeight = header.biHeight < 0 ? -header.biWidth : header.biWidth;
    }
    if (QuarterTurns(angle) != 0)
        turned.biSizeImage = 0;
    return turned;
}

DisplayFrame RotateFrame(const BYTE* frame, std::size_t frameLen, const BITMAPINFOHEADER& header, int angle, BYTE* work,
    std::size_t workSize, const RECT* region)
{
    DisplayFrame shown;
    const int w = header.biWidth;
    const int h = static_cast<int>(std::labs(header.biHeight));
    if (!frame || header.biBitCount != 24 || w <= 0 || h <= 0 || frameLen < DibBytes24(header))
        return shown;

    shown.info.bmiHeader = TurnedHeader(header, angle);
    const BITMAPINFOHEADER& turned = shown.info.bmiHeader;
    const int turns = QuarterTurns(angle);
    if (turns == 0) {
        shown.pixels = frame;
        return shown;
    }
    if (!work || workSize < DibBytes24(turned))
        return shown;

    const RECT all { 0, 0, turned.biWidth, static_cast<LONG>(std::labs(turned.biHeight)) };
    RECT part = all;
    if (region && !IntersectRect(&part, region, &all))
        return DisplayFrame { work, shown.info }; // nothing of it is needed

    const std::size_t inStride = DibRowBytes24(w);
    const std::size_t outStride = DibRowBytes24(turned.biWidth);
    auto at = [&](int x, int r) {
        return frame + static_cast<std::size_t>(r) * inStride + static_cast<std::size_t>(x) * 3;
    };
    if (turns == 1)
        CopyRegion(work, outStride, part, [&](int c, int r) { return at(w - 1 - r, c); });
    else if (turns == 2)
        CopyRegion(work, outStride, part, [&](int c, int r) { return at(w - 1 - c, h - 1 - r); });
    else
        CopyRegion(work, outStride, part, [&](int c, int r) { return at(r, h - 1 - c); });
    shown.pixels = work;
    return shown;
}

RECT StretchedRegion(const BITMAPINFOHEADER& header, SIZE target, const RECT& visible)
{
    const long long w = header.biWidth;
    const long long h = std::labs(header.biHeight);
    RECT seen {};
    const RECT whole { 0, 0, target.cx, target.cy };
    if (w <= 0 || h <= 0 || !IntersectRect(&seen, &visible, &whole))
        return RECT {};

    auto [x0, x1] = SourceSpan(w, target.cx, seen.left, seen.right);
    auto [y0, y1] = SourceSpan(h, target.cy, seen.top, seen.bottom);
    // Rows from the top of the picture become memory rows: a bottom-up
    // bitmap keeps its top row last.
    if (header.biHeight > 0) {
        const long long top = h - 1 - y1;
        y1 = h - 1 - y0;
        y0 = top;
    }
    auto clamp = [](long long v, long long size) { return static_cast<LONG>(std::clamp<long long>(v, 0, size)); };
    return RECT { clamp(x0 - 1, w), clamp(y0 - 1, h), clamp(x1 + 2, w), clamp(y1 + 2, h) };
}
