// The one-pass turn and stretch against the two passes it replaces (the
// frame turned into a work buffer by RotateFrame, then stretched by
// StretchDIBits): the same pixels for every angle, for frames whose rows
// are padded, frames whose last pixel ends the buffer and frames turned in
// strips, enlarged, shrunk and zoomed so far that only a part of the
// picture is drawn.

#include "camera/FrameRotation.h"
#include "camera/TurnedStretch.h"
#include "platform/gdi/Gdi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace {

BITMAPINFOHEADER Header(int w, int h) { return DibHeader24(w, h); }

// Noise in every byte, padding included, from a fixed seed. The vector is
// exactly as long as the header says, so that a read past the frame's end
// is caught by the address sanitizer.
std::vector<BYTE> Noise(const BITMAPINFOHEADER& bih)
{
    std::mt19937 rng(static_cast<unsigned>(bih.biWidth * 7 + bih.biHeight));
    std::vector<BYTE> frame(DibBytes24(bih));
    for (BYTE& b : frame)
        b = static_cast<BYTE>(rng());
    return frame;
}

// The two-pass result: the turned frame stretched over (0, 0, target) of a
// 32-bit bitmap, read back for the part.
std::vector<std::uint32_t> TwoPass(const std::vector<BYTE>& frame, const BITMAPINFOHEADER& bih, int angle, SIZE target,
    const RECT& part)
{
    const int pw = part.right - part.left, ph = part.bottom - part.top;
    std::vector<BYTE> work(DibBytes24(TurnedHeader(bih, angle)));
    const DisplayFrame shown = RotateFrame(frame.data(), frame.size(), bih, angle, work.data(), work.size());
    EXPECT_NE(shown.pixels, nullptr);
    BITMAPINFO info {};
    info.bmiHeader = Header(pw, -ph);
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SetStretchBltMode(dc, COLORONCOLOR);
    const BITMAPINFOHEADER& turned = shown.info.bmiHeader;
    StretchDIBits(dc, -part.left, -part.top, target.cx, target.cy, 0, 0, turned.biWidth, std::labs(turned.biHeight),
        shown.pixels, &shown.info, DIB_RGB_COLORS, SRCCOPY);
    const auto* p = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> out(p, p + static_cast<std::size_t>(pw) * static_cast<std::size_t>(ph));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return out;
}

TEST(TurnedStretch, GivesThePixelsOfTheTurnedFrameStretchedForEveryAngleSizeAndPart)
{
    const struct {
        const char* what;
        int w, h;
        SIZE target;
        RECT part;
    } frames[] = {
        // 1279 pixels make rows of 3837 bytes, padded to 3840.
        { "padded rows, enlarged", 1279, 721, { 1333, 757 }, { 0, 0, 1333, 757 } },
        { "padded rows, shrunk", 1279, 721, { 641, 353 }, { 0, 0, 641, 353 } },
        // Four screen pixels spread over up to 33 bytes of the frame: some
        // groups read with two loads, some pixel by pixel.
        { "padded rows, shrunk to a third", 1279, 721, { 397, 223 }, { 0, 0, 397, 223 } },
        { "the program's view of a 1080p camera", 1920, 1080, { 1306, 980 }, { 0, 0, 1306, 980 } },
        { "padded rows, zoomed part", 1279, 721, { 12790, 7210 }, { 4001, 2999, 4640, 3478 } },
        { "padded rows, part reaching past the picture", 1279, 721, { 700, 500 }, { 650, 450, 800, 600 } },
        // Rows of 3840 bytes with no padding: the last pixel ends the frame.
        { "unpadded rows", 1280, 720, { 957, 1275 }, { 0, 0, 957, 1275 } },
        { "top-down rows", 1279, -721, { 1000, 999 }, { 0, 0, 1000, 999 } },
        // Rows 3072 bytes apart: a quarter turn is walked in strips.
        { "rows a multiple of 1024 bytes apart", 1024, 301, { 1100, 1201 }, { 0, 0, 1100, 1201 } },
        { "a single pixel", 1, 1, { 5, 3 }, { 0, 0, 5, 3 } },
    };
    for (const auto& f : frames) {
        const BITMAPINFOHEADER bih = Header(f.w, f.h);
        const std::vector<BYTE> frame = Noise(bih);
        for (int angle : { 0, 90, 180, 270, -90, 450 }) {
            // At odd quarter turns the target stands on its side, as the
            // view does.
            const bool sideways = IsOddQuarterTurn(angle);
            const SIZE target = sideways ? SIZE { f.target.cy, f.target.cx } : f.target;
            const RECT part = sideways ? RECT { f.part.top, f.part.left, f.part.bottom, f.part.right } : f.part;
            RECT inside {};
            const RECT whole { 0, 0, target.cx, target.cy };
            IntersectRect(&inside, &part, &whole);
            const std::vector<std::uint32_t> want = TwoPass(frame, bih, angle, target, inside);

            const int pw = part.right - part.left;
            std::vector<std::uint32_t> got(static_cast<std::size_t>(pw) * (part.bottom - part.top), 0xDEADBEEF);
            CTurnedStretch stretch;
            ASSERT_TRUE(
                stretch.Draw(frame.data(), frame.size(), bih, angle, target, part, PixelRows { got.data(), pw }));
            const int iw = inside.right - inside.left;
            int wrong = 0;
            for (int y = part.top; y < part.bottom; ++y)
                for (int x = part.left; x < part.right; ++x) {
                    const std::uint32_t g = got[static_cast<std::size_t>(y - part.top) * pw + (x - part.left)];
                    const bool in = x < inside.right && y < inside.bottom;
                    const std::uint32_t w = in ? want[static_cast<std::size_t>(y - inside.top) * iw + (x - inside.left)]
                                               : 0xDEADBEEF;
                    if (g != w && ++wrong <= 3)
                        ADD_FAILURE() << f.what << ", angle " << angle << ": pixel " << x << "," << y << " is "
                                      << std::hex << g << ", not " << w;
                }
            EXPECT_EQ(wrong, 0) << f.what << ", angle " << angle;
        }
    }
}

TEST(TurnedStretch, FramesThatAreNotWholeBitmapsAndEmptyTargetsDrawNothing)
{
    const BITMAPINFOHEADER bih = Header(5, 3);
    const std::vector<BYTE> frame = Noise(bih);
    std::vector<std::uint32_t> out(64, 7);
    const PixelRows rows { out.data(), 8 };
    const RECT part { 0, 0, 8, 8 };
    CTurnedStretch stretch;
    EXPECT_FALSE(stretch.Draw(frame.data(), frame.size() - 1, bih, 90, SIZE { 8, 8 }, part, rows)) << "short";
    EXPECT_FALSE(stretch.Draw(nullptr, frame.size(), bih, 90, SIZE { 8, 8 }, part, rows));
    BITMAPINFOHEADER deep = bih;
    deep.biBitCount = 32;
    EXPECT_FALSE(stretch.Draw(frame.data(), frame.size() * 2, deep, 0, SIZE { 8, 8 }, part, rows));
    EXPECT_FALSE(stretch.Draw(frame.data(), frame.size(), bih, 0, SIZE { 0, 8 }, part, rows));
    for (std::uint32_t p : out)
        ASSERT_EQ(p, 7u) << "nothing written";
}

} // namespace
