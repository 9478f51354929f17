#include "tests/camera/VideoTestSupport.h"

#include "camera/FrameRotation.h"
#include "platform/window/ControlClasses.h"
#include "platform/window/ControlStyles.h"

namespace test {

GdiplusScope::GdiplusScope()
{
    GdiplusStartupInput input;
    GdiplusStartup(&token_, &input, nullptr);
}

void GdiplusScope::Shutdown()
{
    GdiplusShutdown(token_);
    token_ = 0;
}

bool GdiplusRunning()
{
    GpBitmap* probe = nullptr;
    if (GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr, &probe) != Ok)
        return false;
    GdipDisposeImage(probe);
    return true;
}

void PublishFrame(int width, int height, const PictureFn& picture)
{
    const std::size_t stride = DibRowBytes24(width);
    std::vector<BYTE> frame(stride * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            BYTE* p = frame.data() + static_cast<std::size_t>(height - 1 - y) * stride + x * 3;
            const COLORREF c = picture(x, y);
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    g_latestFrame.Publish(frame.data(), static_cast<std::int32_t>(frame.size()), width, height);
}

VideoTest::VideoTest()
    : VideoTest(1920, 1040)
{
}

VideoTest::VideoTest(int width, int height)
    : driver(width, height)
{
    ws::ctl::EnsureControlClasses();
    g_latestFrame.ClearFrame();
    app.m_nPenWidth = 3; // as the palette sets it when it starts
}

ViewTest::~ViewTest()
{
    if (host.m_hWnd)
        host.DestroyWindow();
}

void ViewTest::Open(RECT viewRect, SIZE hostSize)
{
    ASSERT_TRUE(host.CreateEx(0, WC_STATIC, "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, hostSize.cx, hostSize.cy,
        nullptr, nullptr));
    ASSERT_TRUE(view.Create("", WS_CHILD | WS_VISIBLE | SS_GRAYRECT | SS_NOTIFY, viewRect, &host, 1012));
    view.StartVideo();
    driver.Pump();
}

POINT ViewTest::OnScreen(int x, int y) const
{
    POINT p { x, y };
    ::ClientToScreen(view.m_hWnd, &p);
    return p;
}

COLORREF ViewTest::ViewPixel(int x, int y) const
{
    const POINT p = OnScreen(x, y);
    return driver.PixelAt(p.x, p.y);
}

CRect ViewTest::ViewRect() const
{
    CRect r;
    view.GetWindowRect(&r);
    host.ScreenToClient(&r);
    return r;
}

void ViewTest::DrawStroke(const std::vector<POINT>& points)
{
    driver.MoveTo(OnScreen(points.front().x, points.front().y));
    driver.Press();
    for (std::size_t i = 1; i < points.size(); ++i)
        driver.MoveTo(OnScreen(points[i].x, points[i].y));
    driver.Release();
}

ARGB ViewTest::OverlayAt(int x, int y) const
{
    ARGB argb = 0;
    GdipBitmapGetPixel(view.m_pOverlay, x, y, &argb);
    return argb;
}

} // namespace test
