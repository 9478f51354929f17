#pragma once

// What the video view and window tests share: a 1920 x 1040 headless screen
// (on which the maximised main window's rectangle is 1936 x 1056 at -8, -31
// of its client area), no camera unless a test adds one, GDI+, the
// application object with its drawing settings, and frames the test
// publishes itself, bottom-up as the grabber delivers them.

#include "app/InkveilApp.h"
#include "camera/LatestFrame.h"
#include "camera/VideoStatic.h"
#include "platform/headless/Driver.h"
#include "platform/v4l2/EmulatedDevice.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <vector>

// Rectangles and points as numbers in failure messages.
inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline void PrintTo(const CPoint& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }

namespace test {

class GdiplusScope {
public:
    GdiplusScope();
    ~GdiplusScope() { Shutdown(); }
    void Shutdown();

private:
    ULONG_PTR token_ = 0;
};
bool GdiplusRunning();

// picture(x, y) is the colour at x, y from the picture's top-left corner.
using PictureFn = std::function<COLORREF(int x, int y)>;
void PublishFrame(int width, int height, const PictureFn& picture);

class VideoTest : public ::testing::Test {
protected:
    VideoTest();
    // On a screen of that size.
    VideoTest(int width, int height);
    ~VideoTest() override { g_latestFrame.ClearFrame(); }

    headless::Driver driver { 1920, 1040 };
    v4l2::EmulatedDeviceSystem devices;
    GdiplusScope gdiplus;
    CInkveilApp app;

private:
    v4l2::ScopedDeviceSystem use_ { devices };
};

// A view in a plain host window at the screen's top-left corner, started
// without a camera. Points are in the view's client area unless named.
class ViewTest : public VideoTest {
protected:
    ~ViewTest() override;
    void Open(RECT viewRect = RECT { 100, 50, 900, 650 }, SIZE hostSize = SIZE { 1200, 900 });
    POINT OnScreen(int x, int y) const;
    COLORREF ViewPixel(int x, int y) const;
    // The view's window rectangle in the host's client area.
    CRect ViewRect() const;
    void Tick() { driver.Advance(20); } // one run of the repaint timer
    void DrawStroke(const std::vector<POINT>& points);
    ARGB OverlayAt(int x, int y) const;

    CWnd host;
    CVideoStatic view;
};

} // namespace test
