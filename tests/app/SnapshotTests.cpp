// The screen snapshot that still picture mode freezes: what the screen
// shows, pixel for pixel, or nothing at all where the screen cannot be
// read.

#include "app/ScreenSnapshot.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Gdi.h"
#include "platform/headless/Driver.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(SnapshotScreen, CopiesTheScreenOrGivesNoPictureWhenItCannotBeRead)
{
    headless::Driver driver(64, 48);
    gdi::Surface* screen = driver.screen().ScreenPixels();
    for (int y = 0; y < screen->Height(); ++y)
        for (int x = 0; x < screen->Width(); ++x)
            screen->Row(y)[x] = x == 5 && y == 7 ? 0x00FF0000 : 0x00336699;

    std::unique_ptr<CBitmap> picture(SnapshotScreen());
    ASSERT_NE(picture, nullptr);
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap* old = memory.SelectObject(picture.get());
    EXPECT_EQ(memory.GetPixel(0, 0), RGB(0x33, 0x66, 0x99));
    EXPECT_EQ(memory.GetPixel(5, 7), RGB(0xFF, 0, 0));
    memory.SelectObject(old);

    // A screen that refuses to be read (as a rootless XWayland session
    // does) gives no picture rather than a black one.
    auto saved = gdi::Display().read;
    gdi::Display().read = [] { return static_cast<gdi::Surface*>(nullptr); };
    std::unique_ptr<CBitmap> refused(SnapshotScreen());
    gdi::Display().read = saved;
    EXPECT_EQ(refused, nullptr);
}

} // namespace
