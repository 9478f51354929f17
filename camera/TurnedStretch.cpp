// One-pass turn and stretch of 24-bit frames into 32-bit rows.

#include "camera/TurnedStretch.h"

#include "camera/FrameRotation.h"
#include "platform/gdi/Gdi.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

// The picture index that a nearest-neighbour stretch of `from` pixels over
// `to` shows at destination pixels first, first + 1, ...: floor((2i + 1) *
// from / (2 * to)), the pixel whose centre lies nearest, stepped without a
// division per pixel. The same rule StretchDIBits follows.
template <typename F>
void ForEachNearest(long long from, long long to, long long first, int count, F&& f)
{
    const long long den = 2 * to;
    const long long stepQ = (2 * from) / den;
    const long long stepR = (2 * from) % den;
    const long long num = (2 * first + 1) * from;
    long long q = num / den;
    long long r = num % den;
    for (int i = 0; i < count; ++i) {
        f(i, q);
        q += stepQ;
        r += stepR;
        if (r >= den) {
            r -= den;
            ++q;
        }
    }
}

// The pixel at p as 0x00RRGGBB. The fast form reads four bytes at once, so
// it needs one byte after the pixel inside the frame.
inline std::uint32_t Pixel4(const BYTE* p)
{
    std::uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v & 0x00FFFFFFu;
}
inline std::uint32_t Pixel3(const BYTE* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8
        | static_cast<std::uint32_t>(p[2]) << 16;
}

} // namespace

bool CTurnedStretch::Draw(const BYTE* frame, std::size_t frameLen, const BITMAPINFOHEADER& header, int angle,
    SIZE target, const RECT& part, PixelRows out)
{
    const long long w = header.biWidth;
    const long long h = std::labs(header.biHeight);
    if (!frame || header.biBitCount != 24 || w <= 0 || h <= 0 || frameLen < DibBytes24(header)
        || frameLen > std::numeric_limits<std::uint32_t>::max() || target.cx <= 0 || target.cy <= 0)
        return false;
    RECT shown {};
    const RECT whole { 0, 0, target.cx, target.cy };
    if (!IntersectRect(&shown, &part, &whole))
        return true; // nothing of the picture is in the part
    const int turns = QuarterTurns(angle);
    const BITMAPINFOHEADER turned = TurnedHeader(header, angle);
    const long long tw = turned.biWidth;
    const long long th = std::labs(turned.biHeight);
    const bool bottomUp = turned.biHeight > 0;
    const long long stride = static_cast<long long>(DibRowBytes24(header.biWidth));

    // The turned frame's column c and memory row r hold the frame's pixel
    // at (column, memory row):
    //   0: (c, r)   90: (w - 1 - r, c)   180: (w - 1 - c, h - 1 - r)   270: (r, h - 1 - c)
    // so a screen column (which picks c) and a screen row (which picks r)
    // each add their own share to the pixel's byte offset.
    auto columnShare = [&](long long c) -> long long {
        switch (turns) {
        case 0: return c * 3;
        case 1: return c * stride;
        case 2: return (w - 1 - c) * 3;
        default: return (h - 1 - c) * stride;
        }
    };
    auto rowShare = [&](long long r) -> long long {
        switch (turns) {
        case 0: return r * stride;
        case 1: return (w - 1 - r) * 3;
        case 2: return (h - 1 - r) * stride;
        default: return r * 3;
        }
    };

    const int cols = shown.right - shown.left;
    const int rows = shown.bottom - shown.top;
    m_columns.resize(static_cast<std::size_t>(cols));
    m_rows.resize(static_cast<std::size_t>(rows));
    std::uint32_t widest = 0;
    ForEachNearest(tw, target.cx, shown.left, cols, [&](int i, long long c) {
        m_columns[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(columnShare(c));
        widest = std::max(widest, m_columns[static_cast<std::size_t>(i)]);
    });
    ForEachNearest(th, target.cy, shown.top, rows, [&](int i, long long t) {
        m_rows[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(rowShare(bottomUp ? th - 1 - t : t));
    });

    std::uint32_t* first = out.pixels + (shown.top - part.top) * out.stride + (shown.left - part.left);
    // Upright or upside down, a screen row reads one frame row from left to
    // right (or back). Turned by a quarter it reads one frame column top to
    // bottom, so the part is walked in square tiles: the few frame rows a
    // tile reads stay in the cache from one screen row to the next.
    const bool sideways = turns % 2 == 1;
    const int tileW = sideways ? kTile : cols;
    const int tileH = sideways ? kTile : rows;
    for (int ty = 0; ty < rows; ty += tileH) {
        const int yEnd = std::min(ty + tileH, rows);
        for (int tx = 0; tx < cols; tx += tileW) {
            const int n = std::min(tileW, cols - tx);
            const std::uint32_t* offsets = m_columns.data() + tx;
            for (int y = ty; y < yEnd; ++y) {
                std::uint32_t* o = first + y * out.stride + tx;
                const std::uint32_t rowOffset = m_rows[static_cast<std::size_t>(y)];
                // A screen row that shows the same frame pixels as the one
                // above it is a copy of that row.
                if (y > ty && rowOffset == m_rows[static_cast<std::size_t>(y) - 1]) {
                    std::memcpy(o, o - out.stride, static_cast<std::size_t>(n) * sizeof *o);
                    continue;
                }
                const BYTE* base = frame + rowOffset;
                if (static_cast<std::size_t>(rowOffset) + widest + 4 <= frameLen) {
                    for (int i = 0; i < n; ++i)
                        o[i] = Pixel4(base + offsets[i]);
                } else {
                    for (int i = 0; i < n; ++i)
                        o[i] = Pixel3(base + offsets[i]);
                }
            }
        }
    }
    return true;
}
