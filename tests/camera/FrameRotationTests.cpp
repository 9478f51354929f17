// Turning frames by quarter turns: where every pixel goes, the angles'
// normal forms, and frames or buffers that don't add up.

#include "camera/FrameRotation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

BITMAPINFOHEADER Header(int w, int h) { return DibHeader24(w, h); }

// A 3 x 2 frame (rows of 9 bytes padded to 12) of six distinct pixels.
std::vector<BYTE> ThreeByTwo()
{
    std::vector<BYTE> frame(24, 0xEE);
    for (int i = 0; i < 6; ++i)
        for (int k = 0; k < 3; ++k)
            frame[(i / 3) * 12 + (i % 3) * 3 + k] = static_cast<BYTE>(16 * i + k);
    return frame;
}

TEST(FrameRotation, EveryPixelOfAThreeByTwoFrameGoesWhereItsAngleSays)
{
    // Where pixel x of memory row r goes: memory row, column.
    const struct {
        int angle, width, height;
        POINT (*to)(int x, int r);
    } cases[] = {
        { 0, 3, 2,
            [](int x, int r) {
                return POINT { r, x };
            } },
        { 90, 2, 3,
            [](int x, int r) {
                return POINT { 2 - x, r };
            } },
        { 180, 3, 2,
            [](int x, int r) {
                return POINT { 1 - r, 2 - x };
            } },
        { 270, 2, 3,
            [](int x, int r) {
                return POINT { x, 1 - r };
            } },
        { -90, 2, 3,
            [](int x, int r) {
                return POINT { x, 1 - r };
            } },
        { 450, 2, 3,
            [](int x, int r) {
                return POINT { 2 - x, r };
            } },
    };
    const std::vector<BYTE> frame = ThreeByTwo();
    for (const auto& c : cases) {
        std::vector<BYTE> work(24);
        const DisplayFrame shown = RotateFrame(frame.data(), frame.size(), Header(3, 2), c.angle, work.data(), 24);
        ASSERT_EQ(shown.pixels, c.angle == 0 ? frame.data() : work.data()) << "at 0 the frame itself, not a copy";
        EXPECT_EQ(shown.info.bmiHeader.biWidth, c.width) << c.angle;
        EXPECT_EQ(shown.info.bmiHeader.biHeight, c.height) << c.angle;
        for (int r = 0; r < 2; ++r)
            for (int x = 0; x < 3; ++x) {
                const POINT d = c.to(x, r);
                EXPECT_EQ(0,
                    std::memcmp(shown.pixels + d.x * DibRowBytes24(c.width) + d.y * 3, &frame[r * 12 + x * 3], 3))
                    << "angle " << c.angle << ", pixel " << x << " of row " << r;
            }
    }
}

TEST(FrameRotation, AnglesComeIntoAFullTurnAndOddQuarterTurnsStandOnTheirSide)
{
    const struct {
        int angle, normal;
        bool odd;
    } cases[] = { { 0, 0, false }, { 90, 90, true }, { 180, 180, false }, { 270, 270, true }, { 360, 0, false },
        { 450, 90, true }, { -90, 270, true }, { -180, 180, false }, { -270, 90, true }, { -450, 270, true } };
    for (const auto& c : cases) {
        EXPECT_EQ(NormalizeAngle(c.angle), c.normal) << c.angle;
        EXPECT_EQ(IsOddQuarterTurn(c.angle), c.odd) << c.angle;
    }
}

TEST(FrameRotation, FramesShorterThanTheirHeaderAndBuffersTooSmallShowNothing)
{
    const std::vector<BYTE> frame = ThreeByTwo();
    std::vector<BYTE> work(64);
    EXPECT_EQ(RotateFrame(frame.data(), 23, Header(3, 2), 0, nullptr, 0).pixels, nullptr);
    EXPECT_EQ(RotateFrame(frame.data(), 24, Header(3, 3), 90, work.data(), 64).pixels, nullptr);
    // A quarter turn makes rows of 2 pixels, padded to 8 bytes: 24 bytes in
    // all, more than the 18 of the frame's own pixels.
    EXPECT_EQ(RotateFrame(frame.data(), 24, Header(3, 2), 90, work.data(), 23).pixels, nullptr);
    EXPECT_NE(RotateFrame(frame.data(), 24, Header(3, 2), 90, work.data(), 24).pixels, nullptr);
}

} // namespace
