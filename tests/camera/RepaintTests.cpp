// The video view's 20 ms repaint on the virtual clock: a tick paints only
// when something it shows has changed (a frame, the overlay, a blinking
// drawing's state, the angle, the zoom, the placement), so a camera slower
// than the timer is painted once per frame and an idle view not at all.

#include "draw/DrawSettings.h"
#include "tests/camera/VideoTestSupport.h"

#include "platform/window/ControlClasses.h"
#include "platform/window/ControlStyles.h"

#include <gtest/gtest.h>

namespace {

// The view, counting the paints it is asked for.
class CCountingView : public CVideoStatic {
public:
    int m_nPaints = 0;

protected:
    afx_msg void OnPaint()
    {
        ++m_nPaints;
        CVideoStatic::OnPaint();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingView, CVideoStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

COLORREF Shade(int i) { return RGB(i & 255, (i * 3) & 255, 90); }

class RepaintTest : public test::VideoTest {
protected:
    RepaintTest()
    {
        host.CreateEx(0, WC_STATIC, "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 900, 700, nullptr, nullptr);
        view.Create("", WS_CHILD | WS_VISIBLE | SS_GRAYRECT | SS_NOTIFY, CRect(100, 50, 500, 350), &host, 1012);
        view.StartVideo();
        driver.Pump();
    }
    ~RepaintTest() override { host.DestroyWindow(); }

    // Runs the clock for ms milliseconds, publishing a frame whenever a
    // camera of that rate delivers one (none at 0), and answers how many
    // times the view painted.
    int PaintsOver(DWORD ms, int framesPerSecond)
    {
        const int before = view.m_nPaints;
        const DWORD start = GetTickCount();
        int published = 0;
        for (DWORD t = 0; t < ms; ++t) {
            if (framesPerSecond > 0 && static_cast<long long>(t) * framesPerSecond >= 1000LL * published) {
                const COLORREF shade = Shade(++published);
                test::PublishFrame(16, 12, [&](int, int) { return shade; });
            }
            driver.Advance(1);
        }
        EXPECT_EQ(GetTickCount() - start, ms);
        return view.m_nPaints - before;
    }
    POINT OnScreen(int x, int y) const
    {
        POINT p { x, y };
        ::ClientToScreen(view.m_hWnd, &p);
        return p;
    }

    CWnd host;
    CCountingView view;
};

TEST_F(RepaintTest, ACameraSlowerThanTheTimerIsPaintedOncePerFrameAndAnIdleViewNotAtAll)
{
    const struct {
        int framesPerSecond;
        int paintsPerSecond;
    } cameras[] = { { 0, 0 }, { 30, 30 }, { 15, 15 }, { 60, 50 }, { 0, 0 } };
    for (const auto& c : cameras) {
        PaintsOver(500, c.framesPerSecond); // settles
        EXPECT_EQ(PaintsOver(1000, c.framesPerSecond), c.paintsPerSecond) << c.framesPerSecond << " frames a second";
    }
    EXPECT_EQ(driver.PixelAt(OnScreen(5, 5).x, OnScreen(5, 5).y), Shade(60)) << "the last frame shows";
}

TEST_F(RepaintTest, WithoutNewFramesEachChangeOfWhatIsShownIsPaintedOnce)
{
    test::PublishFrame(16, 12, [](int x, int) { return Shade(x); });
    PaintsOver(100, 0);
    const struct {
        const char* what;
        std::function<void()> change;
    } changes[] = {
        { "a finished drawing", [&] {
             view.SetTool(TOOL_LINE);
             driver.Drag(OnScreen(10, 10), OnScreen(200, 100));
         } },
        { "a zoom", [&] { view.SetZoomPercent(150); } },
        { "a turn", [&] { view.Rotate(90); } },
        { "the control moved", [&] { view.SetWindowPos(nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER); } },
        { "a new frame", [] { test::PublishFrame(16, 12, [](int, int) { return Shade(7); }); } },
    };
    for (const auto& c : changes) {
        c.change();
        const int paints = PaintsOver(200, 0);
        EXPECT_GE(paints, 1) << c.what;
        EXPECT_LE(paints, 2) << c.what << ": the tick after it, and the move's own repaint";
        EXPECT_EQ(PaintsOver(1000, 0), 0) << "after " << c.what;
    }
}

TEST_F(RepaintTest, ABlinkingDrawingIsPaintedWhenItShowsHidesAndGoes)
{
    test::PublishFrame(16, 12, [](int x, int) { return Shade(x); });
    PaintsOver(100, 0);
    view.SetTool(TOOL_RECTFILL);
    view.SetBlink(1);
    driver.Drag(OnScreen(50, 50), OnScreen(200, 150));
    const POINT inside = OnScreen(120, 100);
    // Shown for a second from its first repaint, then hidden and shown for
    // half a second each, three times, then gone: seven changes, each
    // painted once, and the first repaint that starts its clock.
    const int paints = PaintsOver(5000, 0);
    EXPECT_GE(paints, 8);
    EXPECT_LE(paints, 10) << "not fifty a second";
    EXPECT_TRUE(view.m_pBlinkLayer->IsEmpty());
    EXPECT_EQ(driver.PixelAt(inside.x, inside.y), Shade(4)) << "column 4 of 16 over 400 pixels";
    EXPECT_EQ(PaintsOver(1000, 0), 0);
}

TEST_F(RepaintTest, TheRubberBandOfAMoveIsWipedByTheNextTickEvenWithoutANewFrame)
{
    test::PublishFrame(16, 12, [](int, int) { return Shade(3); });
    PaintsOver(100, 0);
    view.SetTool(TOOL_LINE);
    driver.MoveTo(OnScreen(10, 150));
    driver.Press();
    driver.MoveTo(OnScreen(300, 150));
    const POINT onLine = OnScreen(150, 150);
    ASSERT_NE(driver.PixelAt(onLine.x, onLine.y), Shade(3)) << "the rubber band shows";
    EXPECT_EQ(PaintsOver(20, 0), 1);
    EXPECT_EQ(driver.PixelAt(onLine.x, onLine.y), Shade(3)) << "the repaint shows frame and overlay only";
    driver.Release();
}

} // namespace
