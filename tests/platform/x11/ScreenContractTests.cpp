// What every screen the window system runs on must show alike: windows in
// stacking order with the top-most band above, shapes cutting exactly,
// hidden windows gone, moves repainted, children clipped to their parent,
// drawing through a DC reaching the screen and nothing else, the display DC
// reading what is shown. One suite, run on the in-memory screen, on X with
// shared-memory presents and on an X server without MIT-SHM.

// Test headers come before the X headers, whose macros (None, Bool)
// would otherwise rename their words.
#include <gtest/gtest.h>

#include "platform/window/Window.h"
#include "tests/platform/window/WindowTestSupport.h"
#include "tests/platform/x11/X11Session.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace {

using test::MakeWindow;

constexpr COLORREF kDesktop = test::X11Session::kDesktop;
constexpr COLORREF kRed = RGB(230, 20, 30);
constexpr COLORREF kGreen = RGB(0, 192, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// The in-memory screen, its desktop the X sessions' colour.
class HeadlessScreen {
public:
    std::optional<std::string> Open()
    {
        driver_ = std::make_unique<headless::Driver>(1366, 768);
        driver_->screen().SetDesktop([](int, int) { return kDesktop; });
        return std::nullopt;
    }
    void Close() { driver_.reset(); }
    // Everything runs at once here: one pump settles it.
    bool RunUntil(const std::function<bool()>& done)
    {
        driver_->Pump();
        return done();
    }
    COLORREF Pixel(int x, int y) { return driver_->PixelAt(x, y); }

private:
    std::unique_ptr<headless::Driver> driver_;
};

template <bool SharedMemory>
class X11Screen {
public:
    // Nothing, or why the suite is skipped here.
    std::optional<std::string> Open()
    {
        std::string why;
        auto started = session_.Open(SharedMemory, why);
        if (started == test::X11Session::Start::Running)
            return std::nullopt;
        if (started == test::X11Session::Start::Failed)
            ADD_FAILURE() << why;
        return why;
    }
    void Close() { session_.Close(); }
    bool RunUntil(const std::function<bool()>& done) { return session_.RunUntil(done); }
    COLORREF Pixel(int x, int y) { return session_.RootPixel(x, y); }

private:
    test::X11Session session_;
};

template <class Screen>
class ScreenContract : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (auto skip = screen.Open())
            GTEST_SKIP() << *skip;
    }
    void TearDown() override { screen.Close(); }
    // Runs the program until the screen shows colour at the point.
    bool Shows(int x, int y, COLORREF colour)
    {
        return screen.RunUntil([&] { return screen.Pixel(x, y) == colour; });
    }

    Screen screen;
};

using Screens = ::testing::Types<HeadlessScreen, X11Screen<true>, X11Screen<false>>;

class ScreenNames {
public:
    template <class T>
    static std::string GetName(int)
    {
        if (std::is_same_v<T, HeadlessScreen>)
            return "Headless";
        return std::is_same_v<T, X11Screen<true>> ? "X11SharedMemory" : "X11PlainRequests";
    }
};

TYPED_TEST_SUITE(ScreenContract, Screens, ScreenNames);

TYPED_TEST(ScreenContract, WindowsShowInStackingOrderWithTheTopmostBandAbove)
{
    HWND topmost = MakeWindow(WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, RECT { 50, 50, 150, 150 }, nullptr, kRed);
    HWND first = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 100, 100, 200, 200 }, nullptr, kGreen);
    HWND second = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 120, 120, 220, 220 }, nullptr, kBlue);
    EXPECT_TRUE(this->Shows(110, 110, kRed)) << "top-most stays above windows made later";
    EXPECT_TRUE(this->Shows(160, 160, kBlue)) << "the newer window lies above the older";
    EXPECT_TRUE(this->Shows(105, 160, kGreen));
    EXPECT_TRUE(this->Shows(5, 5, kDesktop));

    SetWindowPos(first, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(this->Shows(160, 160, kGreen)) << "brought to the top of its band";
    EXPECT_TRUE(this->Shows(110, 110, kRed)) << "but not above the top-most band";

    SetWindowPos(second, first, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(this->Shows(160, 160, kGreen)) << "placed just below the window named";

    ShowWindow(topmost, SW_HIDE);
    EXPECT_TRUE(this->Shows(110, 110, kGreen));
    EXPECT_TRUE(this->Shows(60, 60, kDesktop));
}

TYPED_TEST(ScreenContract, AWindowOwnedByATopMostWindowIsTopMostAndComesUpInFront)
{
    HWND owner = MakeWindow(WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, RECT { 50, 50, 150, 150 }, nullptr, kRed);
    MakeWindow(WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, RECT { 100, 50, 200, 150 }, nullptr, kGreen);
    HWND owned = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 80, 80, 180, 180 }, owner, kBlue);
    HWND plain = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 300, 200, 350, 250 }, nullptr, kBlue);
    EXPECT_TRUE(GetWindowLongPtr(owned, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtr(plain, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(this->Shows(120, 100, kBlue)) << "in front of every top-most window";
}

TYPED_TEST(ScreenContract, AShapedWindowShowsExactlyItsRegionAndAMoveRepaints)
{
    const RECT place { 100, 100, 300, 260 };
    HWND w = MakeWindow(WS_POPUP, WS_EX_TOPMOST, place, nullptr, kRed);
    // A frame with a hole, and an ellipse hanging in the hole.
    auto makeShape = [] {
        HRGN shape = CreateRectRgn(0, 0, 200, 160);
        HRGN hole = CreateRectRgn(50, 40, 150, 120);
        HRGN blob = CreateEllipticRgn(60, 50, 100, 90);
        CombineRgn(shape, shape, hole, RGN_DIFF);
        CombineRgn(shape, shape, blob, RGN_OR);
        DeleteObject(hole);
        DeleteObject(blob);
        return shape;
    };
    HRGN expected = makeShape();
    SetWindowRgn(w, makeShape(), TRUE);
    ShowWindow(w, SW_SHOWNA);
    ASSERT_TRUE(this->Shows(110, 110, kRed));
    int wrong = 0;
    for (int y = place.top - 10; y < place.bottom + 10; ++y)
        for (int x = place.left - 10; x < place.right + 10; ++x) {
            bool inside = PtInRegion(expected, x - place.left, y - place.top);
            if (this->screen.Pixel(x, y) != (inside ? kRed : kDesktop) && ++wrong <= 5)
                ADD_FAILURE() << "at (" << x << ", " << y << ") " << (inside ? "inside" : "outside");
        }
    EXPECT_EQ(wrong, 0);
    DeleteObject(expected);

    MoveWindow(w, 500, 300, 200, 160, TRUE);
    EXPECT_TRUE(this->Shows(510, 310, kRed));
    EXPECT_TRUE(this->Shows(110, 110, kDesktop)) << "the old place shows the desktop again";
}

TYPED_TEST(ScreenContract, ChildWindowsPaintInsideTheirParentsClientArea)
{
    HWND parent = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 50, 50, 250, 250 }, nullptr, kGreen);
    MakeWindow(WS_CHILD | WS_VISIBLE, 0, RECT { 150, 150, 300, 300 }, parent, kBlue, 5);
    EXPECT_TRUE(this->Shows(220, 220, kBlue));
    EXPECT_TRUE(this->Shows(100, 100, kGreen));
    EXPECT_TRUE(this->Shows(260, 260, kDesktop)) << "clipped by the parent";
}

TYPED_TEST(ScreenContract, DrawingThroughADcReachesTheScreenAndNothingBehindItsBack)
{
    HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 200, 200, 400, 300 }, nullptr, kGreen);
    ASSERT_TRUE(this->Shows(210, 210, kGreen));
    // One small square through GDI, and a pixel behind its back: the screen
    // gets the square, not the pixel outside the dirty area.
    ws::FromHandle(w)->pixels->Row(50)[50] = gdi::PixelFromColorRef(kRed);
    HDC dc = GetDC(w);
    RECT square { 10, 10, 20, 20 };
    HBRUSH b = CreateSolidBrush(kRed);
    FillRect(dc, &square, b);
    DeleteObject(b);
    ReleaseDC(w, dc);
    EXPECT_TRUE(this->Shows(215, 215, kRed));
    EXPECT_EQ(this->screen.Pixel(250, 250), kGreen);
}

TYPED_TEST(ScreenContract, TheDisplayDcReadsWhatTheScreenShows)
{
    HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 20, 30, 60, 70 }, nullptr, kBlue);
    ASSERT_TRUE(this->Shows(40, 50, kBlue));
    HDC display = CreateDC("DISPLAY", nullptr, nullptr, nullptr);
    EXPECT_EQ(GetDeviceCaps(display, HORZRES), 1366);
    EXPECT_EQ(GetDeviceCaps(display, VERTRES), 768);
    EXPECT_EQ(GetDeviceCaps(display, BITSPIXEL) * GetDeviceCaps(display, PLANES), 32);
    EXPECT_EQ(GetPixel(display, 40, 50), kBlue);
    EXPECT_EQ(GetPixel(display, 10, 10), kDesktop);
    DeleteDC(display);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1366);
    // A window's DC answers the display's resolution, not the window's size.
    HDC own = GetDC(w);
    EXPECT_EQ(GetDeviceCaps(own, HORZRES), 1366);
    EXPECT_EQ(GetDeviceCaps(own, VERTRES), 768);
    ReleaseDC(w, own);
    // The desktop window stands for the whole screen: popups place
    // themselves from its rectangle.
    RECT desktop {};
    EXPECT_TRUE(GetWindowRect(GetDesktopWindow(), &desktop));
    EXPECT_EQ(desktop, (RECT { 0, 0, 1366, 768 }));
}

} // namespace
