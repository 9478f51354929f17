// The video view on the headless screen: frames stretched and turned into
// the control, the overlay and its key colour, drawing with every tool,
// blinking, the eraser, panning, and life without a camera (none, a busy
// one, one the user may not open).

#include "camera/NoCameraHint.h"
#include "draw/DrawSettings.h"
#include "platform/v4l2/EmulatedDevice.h"
#include "tests/camera/VideoTestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <string>

namespace {

using test::ViewTest;

constexpr COLORREF kGreen = RGB(0, 255, 0);

// A 4 x 2 picture of eight distinct colours.
COLORREF Block(int x, int y) { return RGB(40 + 50 * x, 60 + 120 * y, 30 * (x + y)); }

// How many pixels of the view's middle band (x, y in the view, 800 x 600)
// differ from the hint drawn alone on the view's ground.
int HintMismatches(const std::function<COLORREF(int, int)>& viewPixel, bool busy, const std::string& refused)
{
    const COLORREF ground = ::GetSysColor(COLOR_BTNSHADOW);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 800, 600);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    HBRUSH brush = ::CreateSolidBrush(ground);
    const RECT area { 0, 0, 800, 600 };
    ::FillRect(memory, &area, brush);
    DrawNoCameraHint(memory, area, busy, refused);
    int n = 0;
    for (int y = 200; y < 400; y += 2)
        for (int x = 0; x < 800; x += 2)
            n += ::GetPixel(memory, x, y) != viewPixel(x, y);
    ::SelectObject(memory, old);
    ::DeleteObject(brush);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return n;
}

void PublishGreen()
{
    test::PublishFrame(64, 48, [](int, int) { return kGreen; });
}

TEST_F(ViewTest, EachRepaintStretchesTheLatestFrameOverTheWholeControl)
{
    Open(RECT { 100, 50, 500, 250 });
    test::PublishFrame(4, 2, Block);
    Tick();
    for (int y = 0; y < 200; y += 3)
        for (int x = 0; x < 400; x += 3)
            ASSERT_EQ(ViewPixel(x, y), Block(x / 100, y / 100)) << x << "," << y;
    test::PublishFrame(4, 2, [](int, int) { return RGB(9, 9, 9); });
    EXPECT_EQ(ViewPixel(10, 10), Block(0, 0)) << "not before the next tick";
    Tick();
    EXPECT_EQ(ViewPixel(10, 10), RGB(9, 9, 9));
}

TEST_F(ViewTest, TurnedPicturesFollowTheAngleAndTheControlStandsOnItsSide)
{
    Open(RECT { 100, 50, 500, 250 });
    test::PublishFrame(4, 2, Block);
    // The original pixel shown at block (X, Y) of the turned picture.
    const struct {
        int angle;
        SIZE blocks;
        POINT (*source)(int X, int Y);
    } steps[] = {
        { 90, { 2, 4 },
            [](int X, int Y) {
                return POINT { Y, 1 - X };
            } },
        { 180, { 4, 2 },
            [](int X, int Y) {
                return POINT { 3 - X, 1 - Y };
            } },
        { 270, { 2, 4 },
            [](int X, int Y) {
                return POINT { 3 - Y, X };
            } },
        { 360, { 4, 2 },
            [](int X, int Y) {
                return POINT { X, Y };
            } },
        { 270, { 2, 4 },
            [](int X, int Y) {
                return POINT { 3 - Y, X };
            } },
    };
    for (const auto& s : steps) {
        EXPECT_EQ(view.Rotate(s.angle), 0);
        ASSERT_EQ(ViewRect(), CRect(CPoint(100, 50), CSize(s.blocks.cx * 100, s.blocks.cy * 100))) << s.angle;
        Tick();
        for (int Y = 0; Y < s.blocks.cy; ++Y)
            for (int X = 0; X < s.blocks.cx; ++X) {
                const POINT o = s.source(X, Y);
                EXPECT_EQ(ViewPixel(X * 100 + 50, Y * 100 + 50), Block(o.x, o.y)) << s.angle << ": " << X << "," << Y;
            }
    }
}

TEST_F(ViewTest, AZoomedViewThatReachesPastItsWindowShowsTheRightPartOfThePicture)
{
    // Only the visible part is turned and stretched; it must match the
    // whole picture turned and stretched by nearest neighbour.
    Open(RECT { 100, 50, 400, 250 }, SIZE { 420, 300 });
    const int w = 61, h = 37;
    auto noise = [](int x, int y) { return RGB((x * 37 + y * 11) & 255, (x * 5 + y * 53) & 255, (x ^ y) * 3 & 255); };
    test::PublishFrame(w, h, noise);
    view.Rotate(90);
    view.SetZoomPercent(300);
    Tick();
    const CRect r = ViewRect();
    ASSERT_GT(r.Width(), 420);
    for (int hy = 0; hy < 300; hy += 7)
        for (int hx = 0; hx < 420; hx += 7) {
            const int X = hx - r.left, Y = hy - r.top;
            const int tx = static_cast<int>((2LL * X + 1) * h / (2LL * r.Width()));
            const int ty = static_cast<int>((2LL * Y + 1) * w / (2LL * r.Height()));
            ASSERT_EQ(ViewPixel(X, Y), noise(ty, h - 1 - tx)) << X << "," << Y;
        }
}

TEST_F(ViewTest, AStrokeDrawnZoomedLandsInTheOverlayUnscaledAndTurnsWithIt)
{
    Open(); // 800 x 600, and so is the overlay
    PublishGreen();
    app.m_nAlphaPercent = 100;
    view.SetZoomPercent(150);
    view.SetTool(TOOL_PEN);
    driver.MoveTo(OnScreen(300, 200));
    driver.Press();
    EXPECT_EQ(view.m_pCurrent->m_points.front(), CPoint(200, 133));
    EXPECT_EQ(view.m_pCurrent->m_nAlpha, 254);
    driver.Release();

    DrawStroke({ { 150, 300 }, { 300, 300 }, { 450, 300 } }); // overlay (100, 200) to (300, 200)
    EXPECT_EQ(OverlayAt(200, 200) & 0xFFFF0000, 0xFEFF0000) << "red at 254";
    EXPECT_EQ(OverlayAt(300, 300), 0u) << "nothing at the zoomed place";
    view.Rotate(90);
    // A quarter turn clockwise of the 800 x 600 overlay: (x, y) goes to
    // (599 - y, x).
    EXPECT_EQ(OverlayAt(399, 200) & 0xFFFF0000, 0xFEFF0000);
    EXPECT_EQ(OverlayAt(200, 200), 0u);
    Tick();
    EXPECT_NE(ViewPixel(598, 300), kGreen) << "the stroke shows over the turned picture";
    EXPECT_EQ(ViewPixel(300, 300), kGreen);
}

TEST_F(ViewTest, OnlyOverlayPixelsOfExactlyBlue253AreLeftOut)
{
    Open();
    PublishGreen();
    GdipBitmapSetPixel(view.m_pOverlay, 10, 10, 0xFF0000FD);
    GdipBitmapSetPixel(view.m_pOverlay, 20, 10, 0xFF0000FC);
    GdipBitmapSetPixel(view.m_pOverlay, 30, 10, 0xFF0100FD);
    Tick();
    EXPECT_EQ(ViewPixel(10, 10), kGreen);
    EXPECT_EQ(ViewPixel(20, 10), RGB(0, 0, 252));
    EXPECT_EQ(ViewPixel(30, 10), RGB(1, 0, 253));
    EXPECT_EQ(ViewPixel(40, 10), kGreen);
}

TEST_F(ViewTest, EveryToolShowsARubberBandAndRendersItsFigureIntoTheOverlayAtItsRelease)
{
    Open();
    PublishGreen();
    const struct {
        int tool;
        POINT rim; // on the figure
        bool filled; // whether (150, 130) is covered
    } tools[] = {
        { TOOL_PEN, { 150, 130 }, true },
        { TOOL_LINE, { 150, 130 }, true },
        { TOOL_RECTANGLE, { 100, 130 }, false },
        { TOOL_RECTFILL, { 101, 131 }, true },
        { TOOL_CIRCLE, { 216, 100 }, false },
        { TOOL_CIRCLEFILL, { 100, 100 }, true },
        { TOOL_ELLIPSE, { 100, 130 }, false },
        { TOOL_ELLIPSEFILL, { 150, 110 }, true },
    };
    for (const auto& t : tools) {
        GdipDisposeImage(view.m_pOverlay);
        GdipCreateBitmapFromScan0(800, 600, 0, PixelFormat32bppARGB, nullptr, &view.m_pOverlay);
        view.SetTool(t.tool);
        driver.MoveTo(OnScreen(100, 100));
        driver.Press();
        driver.MoveTo(OnScreen(150, 130));
        driver.MoveTo(OnScreen(200, 160));
        int banded = 0;
        for (int y = 0; y < 300; y += 2)
            for (int x = 0; x < 300; x += 2)
                banded += ViewPixel(x, y) != kGreen;
        EXPECT_GT(banded, 0) << "tool " << t.tool;
        EXPECT_EQ(OverlayAt(t.rim.x, t.rim.y), 0u) << "tool " << t.tool;
        driver.Release();
        EXPECT_GT(OverlayAt(t.rim.x, t.rim.y) >> 24, 0u) << "tool " << t.tool;
        EXPECT_EQ(OverlayAt(150, 130) != 0, t.filled) << "tool " << t.tool;
    }
    EXPECT_EQ(view.m_objects.size(), 8u);
    EXPECT_EQ(OverlayAt(150, 130), 0x7FFF0000u) << "red at opacity 50 %";
}

TEST_F(ViewTest, ABlinkingDrawingShowsBlinksThreeTimesAndGoesFourSecondsAfterItsFirstRepaint)
{
    Open(RECT { 100, 50, 400, 250 });
    PublishGreen();
    view.SetTool(TOOL_RECTFILL);
    view.SetBlink(1);
    DrawStroke({ { 100, 100 }, { 150, 150 }, { 200, 190 } });
    ASSERT_EQ(view.m_pBlinkLayer->Objects().size(), 1u);
    EXPECT_TRUE(view.m_objects.empty());
    EXPECT_EQ(OverlayAt(150, 150), 0u);
    EXPECT_EQ(view.m_pCurrent, view.m_pBlinkLayer->Objects().front());

    Tick();
    const DWORD start = view.m_pBlinkLayer->Objects().front()->m_dwBlinkStart;
    ASSERT_LE(GetTickCount() - start, 20u) << "stamped by the first repaint";
    const struct {
        DWORD after;
        bool shown;
    } schedule[] = { { 0, true }, { 999, true }, { 1001, false }, { 1499, false }, { 1501, true }, { 3999, true },
        { 4001, false } };
    for (const auto& s : schedule) {
        // Timer repaints run on the way; the last is forced at the moment.
        if (static_cast<std::int32_t>(start + s.after - GetTickCount()) > 0)
            driver.Advance(start + s.after - GetTickCount());
        view.Invalidate(FALSE);
        view.UpdateWindow();
        EXPECT_EQ(ViewPixel(150, 150) != kGreen, s.shown) << s.after << " ms after the first repaint";
    }
    EXPECT_TRUE(view.m_pBlinkLayer->IsEmpty());
    EXPECT_EQ(view.m_pCurrent, nullptr) << "cleared before the drawing went";
    view.SetLineType(LINE_DASHED);
}

TEST_F(ViewTest, TheEraserClearsTheOverlayAndNeverGoesToTheBlinkLayer)
{
    Open();
    PublishGreen();
    for (int y = 290; y < 340; ++y)
        for (int x = 390; x < 440; ++x)
            GdipBitmapSetPixel(view.m_pOverlay, x, y, 0xFFFF0000);
    view.SetZoomPercent(200);
    Tick();
    EXPECT_EQ(ViewPixel(830, 610), RGB(255, 0, 0));
    view.SetBlink(1);
    view.SetTool(TOOL_ERASE);
    DrawStroke({ { 800, 600 }, { 820, 600 }, { 840, 600 } }); // overlay (400, 300) to (420, 300)
    EXPECT_TRUE(view.m_pBlinkLayer->IsEmpty());
    EXPECT_EQ(view.m_objects.size(), 1u) << "still owned by the view";
    EXPECT_NE(view.m_hEraserCursor, nullptr);
    EXPECT_EQ(::GetCursor(), view.m_hEraserCursor) << "the captured drag keeps the blank cursor";
    // Squares of 12 (four times the pen width) from each move's point.
    for (POINT p : { POINT { 410, 300 }, POINT { 431, 311 } })
        EXPECT_EQ(OverlayAt(p.x, p.y), 0u);
    for (POINT p : { POINT { 432, 305 }, POINT { 405, 300 }, POINT { 415, 312 } })
        EXPECT_EQ(OverlayAt(p.x, p.y), 0xFFFF0000u);
    Tick();
    EXPECT_EQ(ViewPixel(830, 610), kGreen) << "the zoomed overlay was made again";
}

TEST_F(ViewTest, ARightPressMakesTheLeftButtonPanTheControl)
{
    Open();
    view.SetTool(TOOL_PEN);
    const POINT from = OnScreen(400, 300);
    driver.Click(from.x, from.y, platform::InputEvent::Right);
    EXPECT_EQ(view.m_nTool, TOOL_NONE);
    driver.MoveTo(from);
    driver.Press();
    EXPECT_EQ(view.m_bPanning, 1);
    driver.MoveTo(from.x + 30, from.y + 20);
    driver.MoveTo(from.x - 70, from.y + 45);
    driver.Release();
    EXPECT_EQ(view.m_bPanning, 0);
    EXPECT_EQ(ViewRect(), CRect(30, 95, 830, 695));
    EXPECT_TRUE(view.m_objects.empty());
}

TEST_F(ViewTest, WithoutACameraTheControlIsGreyAndDrawingsStillReachTheOverlay)
{
    Open();
    Tick();
    const COLORREF grey = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(ViewPixel(0, 0), grey);
    EXPECT_EQ(ViewPixel(799, 599), grey);
    view.SetTool(TOOL_LINE);
    driver.MoveTo(OnScreen(100, 100));
    driver.Press();
    driver.MoveTo(OnScreen(150, 120));
    driver.MoveTo(OnScreen(200, 140));
    ASSERT_NE(view.m_pCurrent, nullptr);
    EXPECT_EQ(view.m_pCurrent->m_points.size(), 1u) << "moves without a picture give no point";
    driver.Release();
    ASSERT_EQ(view.m_objects.size(), 1u);
    EXPECT_NE(OverlayAt(150, 120), 0u);
    Tick();
    EXPECT_EQ(ViewPixel(150, 120), grey) << "the overlay waits for frames";
    // Nothing to show at actual size; nothing from the camera.
    EXPECT_EQ(view.ShowActualSize(), 100);
    EXPECT_EQ(ViewRect(), CRect(100, 50, 900, 650));
    EXPECT_EQ(view.GetBrightness(), 0);
    EXPECT_LT(view.SetContrast(50), 0);
}

TEST_F(ViewTest, AReleaseWithoutAPressLeavesFinishedDrawingsAlone)
{
    Open();
    PublishGreen();
    view.SetTool(TOOL_LINE);
    view.SetBlink(1);
    DrawStroke({ { 100, 100 }, { 200, 100 } });
    const std::vector<CPoint> finished = view.m_pCurrent->m_points;
    // Pressed outside, dragged in, released on the view.
    driver.MoveTo(5, 5);
    driver.Press();
    driver.MoveTo(OnScreen(300, 300));
    driver.Release();
    ASSERT_EQ(view.m_pBlinkLayer->Objects().size(), 1u) << "handed over once only";
    EXPECT_EQ(view.m_pBlinkLayer->Objects()[0]->m_points, finished);
}

TEST_F(ViewTest, WithoutAPictureTheViewSaysSoInItsCentreUntilAFrameArrives)
{
    Open(RECT { 100, 50, 900, 650 });
    Tick();
    const COLORREF ground = ::GetSysColor(COLOR_BTNSHADOW);
    // Text in the middle band, the plain ground above and below it.
    auto differing = [&](int top, int bottom, COLORREF from) {
        int n = 0;
        for (int y = top; y < bottom; y += 2)
            for (int x = 0; x < 800; x += 2)
                n += ViewPixel(x, y) != from;
        return n;
    };
    auto inked = [&](int top, int bottom) { return differing(top, bottom, ground); };
    EXPECT_GT(inked(250, 350), 200) << "the hint is drawn";
    EXPECT_EQ(inked(0, 200), 0);
    EXPECT_EQ(inked(400, 600), 0);

    PublishGreen();
    Tick();
    EXPECT_EQ(differing(250, 350, kGreen), 0) << "a picture replaces it";

    g_latestFrame.ClearFrame(); // the camera is gone and the graph let go of its frame
    Tick();
    EXPECT_GT(inked(250, 350), 200) << "without a picture the hint comes back";
}

TEST_F(ViewTest, ABusyCameraIsNamedOnceAndTheViewSaysItIsInUse)
{
    auto camera = v4l2::EmulatedDevice::Camera("Doc Cam", { { 640, 480 } });
    v4l2::EmulatedFaults busy;
    busy.busy = true;
    camera->SetFaults(busy);
    devices.Add("/dev/video0", camera);
    int boxes = 0;
    driver.WhenWaiting([&] {
        ++boxes;
        driver.Key(VK_RETURN);
    });
    Open(RECT { 100, 50, 900, 650 });
    Tick();
    EXPECT_EQ(boxes, 1);

    // The view shows exactly the busy hint, which differs from the
    // no-camera one.
    auto pixel = [this](int x, int y) { return ViewPixel(x, y); };
    EXPECT_EQ(HintMismatches(pixel, true, ""), 0);
    EXPECT_GT(HintMismatches(pixel, false, ""), 100);
}

TEST_F(ViewTest, ACameraTheUserMayNotOpenIsNamedWithWhoCanGrantIt)
{
    auto camera = v4l2::EmulatedDevice::Camera("Doc Cam", { { 640, 480 } });
    v4l2::EmulatedFaults locked;
    locked.openError = EACCES;
    camera->SetFaults(locked);
    devices.Add("/dev/video0", camera);
    // No message box: one would find no step and end the test.
    Open(RECT { 100, 50, 900, 650 });
    Tick();
    ASSERT_NE(view.m_pCapture, nullptr);
    EXPECT_EQ(view.m_pCapture->RefusedCamera(), "Doc Cam");
    EXPECT_FALSE(view.m_pCapture->DeviceBusy());
    auto pixel = [this](int x, int y) { return ViewPixel(x, y); };
    EXPECT_EQ(HintMismatches(pixel, false, "Doc Cam"), 0);
    EXPECT_GT(HintMismatches(pixel, false, ""), 100) << "not the hint to connect a camera";
    EXPECT_GT(HintMismatches(pixel, false, "Other Cam"), 0) << "the camera is named";

    // Once the user may open it, a new graph finds it and names nothing.
    camera->SetFaults({});
    view.m_pCapture->TearDownGraph();
    EXPECT_EQ(view.m_pCapture->BuildGraph(0, view.m_hWnd), S_OK);
    EXPECT_EQ(view.m_pCapture->RefusedCamera(), "");
}

// What a drawing still holds: points, pens and brushes.
bool HoldsRenderingParts(const CDrawObj* obj)
{
    return !obj->m_points.empty() || obj->m_pGdipPen || obj->m_pGdipBrush || obj->m_pen.GetSafeHandle()
        || obj->m_brush.GetSafeHandle();
}

TEST_F(ViewTest, AFinishedDrawingKeepsOnlyAShellWhileABlinkingOneKeepsWhatItDrawsWithUntilItGoes)
{
    Open();
    PublishGreen();
    view.SetTool(TOOL_RECTFILL);
    DrawStroke({ { 100, 100 }, { 150, 150 }, { 200, 190 } });
    ASSERT_EQ(view.m_objects.size(), 1u);
    EXPECT_FALSE(HoldsRenderingParts(view.m_objects[0])) << "the overlay holds its pixels";
    const ARGB drawn = OverlayAt(150, 150);
    EXPECT_NE(drawn, 0u);
    view.SetLineType(LINE_DASHED); // reaches the shell, which has no pen left
    EXPECT_EQ(OverlayAt(150, 150), drawn);

    view.SetBlink(1);
    view.SetTool(TOOL_LINE);
    DrawStroke({ { 300, 100 }, { 400, 100 } });
    ASSERT_EQ(view.m_pBlinkLayer->Objects().size(), 1u);
    EXPECT_TRUE(HoldsRenderingParts(view.m_pBlinkLayer->Objects()[0]));
    Tick();
    for (int i = 0; i < 9; ++i) {
        driver.Advance(100);
        ASSERT_FALSE(view.m_pBlinkLayer->IsEmpty());
        EXPECT_TRUE(HoldsRenderingParts(view.m_pBlinkLayer->Objects()[0])) << "repaint " << i;
    }
    EXPECT_NE(ViewPixel(350, 100), kGreen) << "still drawn 900 ms after it first showed";
}

TEST_F(ViewTest, ChangingColourWidthOrOpacityLeavesEveryDrawingAsItWasDrawnBlinkingOnesToo)
{
    Open();
    PublishGreen();
    app.m_crColor = RGB(200, 0, 0);
    app.m_nPenWidth = 5;
    app.m_nAlphaPercent = 60;
    view.SetTool(TOOL_LINE);
    DrawStroke({ { 50, 100 }, { 350, 100 } });
    view.SetBlink(1);
    view.SetTool(TOOL_RECTANGLE);
    DrawStroke({ { 50, 200 }, { 200, 300 }, { 350, 350 } });
    Tick();
    auto shown = [&] {
        std::vector<COLORREF> pixels;
        for (int y = 80; y < 370; y += 2)
            for (int x = 30; x < 370; x += 2)
                pixels.push_back(ViewPixel(x, y));
        return pixels;
    };
    const std::vector<COLORREF> before = shown();
    ASSERT_NE(ViewPixel(200, 100), kGreen);
    ASSERT_NE(ViewPixel(50, 280), kGreen) << "the blinking rectangle shows";
    app.m_crColor = RGB(0, 0, 255);
    app.m_nPenWidth = 20;
    app.m_nAlphaPercent = 100;
    Tick(); // still within the blinking drawing's first, steady second
    EXPECT_EQ(shown(), before);
}

TEST_F(ViewTest, AnEraserPressAndReleaseWithoutAMoveErasesNothing)
{
    Open();
    PublishGreen();
    for (int y = 90; y < 160; ++y)
        for (int x = 90; x < 160; ++x)
            GdipBitmapSetPixel(view.m_pOverlay, x, y, 0xFF0000FF);
    view.SetTool(TOOL_ERASE);
    driver.MoveTo(OnScreen(100, 100));
    driver.Press();
    driver.Release();
    for (int y = 90; y < 160; ++y)
        for (int x = 90; x < 160; ++x)
            ASSERT_EQ(OverlayAt(x, y), 0xFF0000FFu) << x << "," << y;
    Tick();
    EXPECT_EQ(ViewPixel(101, 101), RGB(0, 0, 255));
}

TEST_F(ViewTest, TurningFrom0ToMinus90TurnsTheOverlayCounterClockwise)
{
    Open(); // an 800 x 600 overlay
    GdipBitmapSetPixel(view.m_pOverlay, 10, 20, 0xFFFF0000);
    view.Rotate(-90);
    UINT width = 0, height = 0;
    GdipGetImageWidth(view.m_pOverlay, &width);
    GdipGetImageHeight(view.m_pOverlay, &height);
    EXPECT_EQ(width, 600u);
    EXPECT_EQ(height, 800u);
    // Counter-clockwise, (x, y) goes to (y, 799 - x); clockwise would have
    // put it at (579, 10).
    EXPECT_EQ(OverlayAt(20, 789), 0xFFFF0000u);
    EXPECT_EQ(OverlayAt(579, 10), 0u);
}

} // namespace
