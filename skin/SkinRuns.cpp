#include "skin/SkinRuns.h"

#include <algorithm>
#include <cstdint>

namespace skin {

std::vector<Run> FindRuns(const COLORREF* pixels, int stride, int scanWidth, int scanHeight, COLORREF key)
{
    std::vector<Run> runs;
    for (int y = 0; y < scanHeight; ++y)
        ForEachRunInRow(pixels + static_cast<std::ptrdiff_t>(y) * stride, scanWidth, key, [&](int left, int right) {
            runs.push_back(Run { y, left, right });
        });
    return runs;
}

BitmapColors ReadBitmapColors(HBITMAP bitmap)
{
    BITMAP bm {};
    if (!bitmap || !GetObject(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return {};
    // One conversion of all rows at once to 32 bits, top-down, instead of a
    // colour query per pixel: the same colours at a fraction of the cost.
    std::vector<std::uint32_t> bits(static_cast<std::size_t>(bm.bmWidth) * bm.bmHeight);
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = -bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return {};
    const int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(bm.bmHeight), bits.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    if (rows != bm.bmHeight)
        return {};
    BitmapColors out { bm.bmWidth, bm.bmHeight, std::vector<COLORREF>(bits.size()) };
    // A 32-bit DIB pixel holds blue in its low byte, a COLORREF red.
    std::transform(bits.begin(), bits.end(), out.colors.begin(), [](std::uint32_t p) {
        return RGB(static_cast<BYTE>(p >> 16), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p));
    });
    return out;
}

} // namespace skin
