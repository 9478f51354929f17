// The composed screen: windows in stacking order, the top-most band above
// the rest, shapes cutting windows, hidden windows gone, moves repainted.

#include "tests/platform/window/WindowTestSupport.h"

#include <gtest/gtest.h>

namespace {

using test::MakeWindow;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

TEST(HeadlessScreen, WindowsShowInStackingOrderWithTheTopmostBandAbove)
{
    headless::Driver driver(400, 300);
    const COLORREF desktop = RGB(30, 40, 50);
    driver.screen().SetDesktop([&](int, int) { return desktop; });
    HWND topmost = MakeWindow(WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, RECT { 50, 50, 150, 150 }, nullptr, kRed);
    HWND first = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 100, 100, 200, 200 }, nullptr, kGreen);
    HWND second = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 120, 120, 220, 220 }, nullptr, kBlue);
    driver.Pump();
    EXPECT_EQ(driver.PixelAt(110, 110), kRed) << "top-most stays above windows made later";
    EXPECT_EQ(driver.PixelAt(160, 160), kBlue) << "the newer window lies above the older";
    EXPECT_EQ(driver.PixelAt(105, 160), kGreen);
    EXPECT_EQ(driver.PixelAt(5, 5), desktop);

    SetWindowPos(first, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    driver.Pump();
    EXPECT_EQ(driver.PixelAt(160, 160), kGreen) << "brought to the top of its band";
    EXPECT_EQ(driver.PixelAt(110, 110), kRed) << "but not above the top-most band";

    SetWindowPos(second, first, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    driver.Pump();
    EXPECT_EQ(driver.PixelAt(160, 160), kGreen) << "placed just below the window named";

    ShowWindow(topmost, SW_HIDE);
    driver.Pump();
    EXPECT_EQ(driver.PixelAt(110, 110), kGreen);
    EXPECT_EQ(driver.PixelAt(60, 60), desktop);
}

TEST(HeadlessScreen, AWindowOwnedByATopMostWindowIsTopMostAndComesUpInFront)
{
    headless::Driver driver(400, 300);
    HWND owner = MakeWindow(WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, RECT { 50, 50, 150, 150 }, nullptr, kRed);
    HWND other = MakeWindow(WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, RECT { 100, 50, 200, 150 }, nullptr, kGreen);
    HWND owned = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 80, 80, 180, 180 }, owner, kBlue);
    HWND plainOwned = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 300, 200, 350, 250 }, nullptr, kBlue);
    driver.Pump();
    EXPECT_TRUE(GetWindowLongPtr(owned, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtr(plainOwned, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(driver.PixelAt(120, 100), kBlue) << "in front of every top-most window";
    DestroyWindow(owned);
    DestroyWindow(other);
    DestroyWindow(owner);
    DestroyWindow(plainOwned);
}

TEST(HeadlessScreen, AWindowsShapeCutsItAndAMoveRepaints)
{
    headless::Driver driver(400, 300);
    HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 100, 100, 200, 200 }, nullptr, kRed);
    SetWindowRgn(w, CreateEllipticRgn(0, 0, 100, 100), TRUE);
    driver.Pump();
    EXPECT_EQ(driver.PixelAt(150, 150), kRed);
    EXPECT_NE(driver.PixelAt(101, 101), kRed) << "the corner lies outside the ellipse";
    MoveWindow(w, 200, 150, 100, 100, TRUE);
    driver.Pump();
    EXPECT_EQ(driver.PixelAt(250, 200), kRed);
    EXPECT_NE(driver.PixelAt(150, 150), kRed) << "the old place shows the desktop again";
}

TEST(HeadlessScreen, ChildWindowsPaintInsideTheirParentsClientArea)
{
    headless::Driver driver(400, 300);
    driver.screen().SetDesktop([](int, int) { return RGB(1, 2, 3); });
    HWND parent = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 50, 50, 250, 250 }, nullptr, kGreen);
    HWND child = MakeWindow(WS_CHILD | WS_VISIBLE, 0, RECT { 150, 150, 300, 300 }, parent, kBlue, 5);
    driver.Pump();
    EXPECT_EQ(driver.PixelAt(220, 220), kBlue);
    EXPECT_EQ(driver.PixelAt(260, 260), RGB(1, 2, 3)) << "clipped by the parent";
    EXPECT_EQ(GetDlgItem(parent, 5), child);
    POINT p { 0, 0 };
    ClientToScreen(child, &p);
    EXPECT_EQ(p, (POINT { 200, 200 }));
}

TEST(HeadlessScreen, OnlyDirtyAreasAreComposedAgain)
{
    headless::Driver driver(200, 200);
    HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 0, 0, 200, 200 }, nullptr, kGreen);
    driver.Pump();
    // Draw straight into the window's pixels behind GDI's back: without a
    // dirty mark the screen must not change.
    HDC dc = GetDC(w);
    RECT small { 10, 10, 20, 20 };
    HBRUSH red = CreateSolidBrush(kRed);
    FillRect(dc, &small, red);
    ReleaseDC(w, dc);
    DeleteObject(red);
    EXPECT_EQ(driver.PixelAt(15, 15), kRed) << "drawing through a DC reaches the screen";
    EXPECT_EQ(driver.PixelAt(25, 25), kGreen);
}

TEST(HeadlessScreen, ADisplayDcReadsTheComposedScreen)
{
    headless::Driver driver(200, 150);
    HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 20, 30, 60, 70 }, nullptr, kBlue);
    driver.Pump();
    HDC screen = CreateDC("DISPLAY", nullptr, nullptr, nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 200);
    EXPECT_EQ(GetDeviceCaps(screen, VERTRES), 150);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(screen, PLANES), 1);
    EXPECT_EQ(GetPixel(screen, 40, 50), kBlue);
    EXPECT_EQ(GetPixel(screen, 10, 10), driver.PixelAt(10, 10));
    DeleteDC(screen);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 200);
    // A window's DC answers the display's resolution, not the window's size.
    HDC own = GetDC(w);
    EXPECT_EQ(GetDeviceCaps(own, HORZRES), 200);
    EXPECT_EQ(GetDeviceCaps(own, VERTRES), 150);
    ReleaseDC(w, own);
    // The desktop window stands for the whole screen: popups place
    // themselves from its rectangle.
    RECT desktop {};
    EXPECT_TRUE(GetWindowRect(GetDesktopWindow(), &desktop));
    EXPECT_EQ(desktop.right, 200);
    EXPECT_EQ(desktop.bottom, 150);
    EXPECT_EQ(desktop.left + desktop.top, 0);
    DestroyWindow(w);
}

} // namespace
