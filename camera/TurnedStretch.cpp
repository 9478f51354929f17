// One-pass turn and stretch of 24-bit frames into 32-bit rows.

#include "camera/TurnedStretch.h"

#include "camera/FrameRotation.h"
#include "camera/TurnKernels.h"
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
    if (turns % 2 == 1)
        DrawSideways(frame, frameLen, widest, first, out.stride, stride % kCrowdedStride == 0 ? kCrowdedStrip : cols);
    else
        DrawUpright(frame, frameLen, widest, first, out.stride);
    return true;
}

void CTurnedStretch::DrawUpright(const BYTE* frame, std::size_t frameLen, std::uint32_t widest, std::uint32_t* out,
    std::ptrdiff_t stride)
{
    // A screen row reads one frame row, left to right or back.
    const int cols = static_cast<int>(m_columns.size());
    const int rows = static_cast<int>(m_rows.size());
    const bool shuffle = turnkernel::CanShuffle();
    if (shuffle)
        turnkernel::MakeGroups(m_columns.data(), cols, m_groups);
    for (int y = 0; y < rows; ++y) {
        std::uint32_t* o = out + y * stride;
        const std::uint32_t rowOffset = m_rows[static_cast<std::size_t>(y)];
        // A screen row that shows the same frame pixels as the one above it
        // is a copy of that row.
        if (y > 0 && rowOffset == m_rows[static_cast<std::size_t>(y) - 1]) {
            std::memcpy(o, o - stride, static_cast<std::size_t>(cols) * sizeof *o);
            continue;
        }
        const std::size_t reach = static_cast<std::size_t>(rowOffset) + widest;
        if (shuffle && reach + 16 <= frameLen)
            turnkernel::ShuffleRow(frame + rowOffset, m_columns.data(), cols, m_groups, o);
        else
            turnkernel::GatherRow(frame + rowOffset, m_columns.data(), cols, reach + 4 <= frameLen, o);
    }
}

void CTurnedStretch::DrawSideways(const BYTE* frame, std::size_t frameLen, std::uint32_t widest, std::uint32_t* out,
    std::ptrdiff_t stride, int maxStrip)
{
    // A screen row reads one frame column, top to bottom or back, and four
    // screen rows read four neighbouring pixels of each frame row: one
    // cache line of every frame row serves about five such quads in turn,
    // and the lines of all the frame rows read (a 1080-row frame: 69 KB)
    // stay in the second-level cache meanwhile. The part is walked in
    // strips of at most maxStrip screen columns.
    const int cols = static_cast<int>(m_columns.size());
    const int rows = static_cast<int>(m_rows.size());
    const bool shuffle = turnkernel::CanShuffle();
    const int strips = maxStrip > 0 ? (cols + maxStrip - 1) / maxStrip : 0;
    const int width = strips > 0 ? (cols + strips - 1) / strips : 0;
    for (int tx = 0; tx < cols; tx += width) {
        const int n = std::min(width, cols - tx);
        const std::uint32_t* columns = m_columns.data() + tx;
        int y = 0;
        for (; y + 4 <= rows; y += 4) {
            const std::uint32_t* r = m_rows.data() + y;
            const auto [lo, hi] = std::minmax({ r[0], r[1], r[2], r[3] });
            std::uint32_t* o = out + y * stride + tx;
            int done = 0;
            if (shuffle && hi - lo <= 12 && static_cast<std::size_t>(lo) + widest + 16 <= frameLen)
                done = turnkernel::SidewaysQuads(frame, columns, n, r, o, stride);
            for (int k = 0; k < 4; ++k)
                turnkernel::GatherRow(frame + r[k], columns + done, n - done,
                    static_cast<std::size_t>(r[k]) + widest + 4 <= frameLen, o + k * stride + done);
        }
        for (; y < rows; ++y) {
            const std::uint32_t rowOffset = m_rows[static_cast<std::size_t>(y)];
            turnkernel::GatherRow(frame + rowOffset, columns, n,
                static_cast<std::size_t>(rowOffset) + widest + 4 <= frameLen, out + y * stride + tx);
        }
    }
}
