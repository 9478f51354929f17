// Static controls: clicks pass through to the parent unless SS_NOTIFY asks
// for STN_CLICKED, pictures set by STM_SETIMAGE or named by the template
// size the control, the parent's WM_CTLCOLORSTATIC brush (a hollow one
// leaves the parent's painting), and the filled rectangle kinds.

#include "platform/window/Resources.h"
#include "tests/platform/window/ControlTestSupport.h"

#include <optional>

namespace {

using test::Log;
using test::SetHandler;

constexpr COLORREF kParentColour = RGB(200, 200, 200);

// A bitmap of width x height whose pixel (x, y) is colourAt(x, y).
HBITMAP MakeBitmap(int width, int height, COLORREF (*colourAt)(int, int))
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP b = CreateBitmap(width, height, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, b);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetPixel(dc, x, y, colourAt(x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    return b;
}

COLORREF Quarters(int x, int y) { return x < 2 ? (y < 2 ? RGB(255, 0, 0) : RGB(0, 255, 0)) : RGB(0, 0, 255); }

// The window's width and height, as a POINT for comparing.
POINT WindowSize(HWND h)
{
    RECT r;
    GetWindowRect(h, &r);
    return POINT { r.right - r.left, r.bottom - r.top };
}

class Static : public test::ControlTest { };

TEST_F(Static, ClicksGoToTheParentUnlessTheControlAsksToBeTold)
{
    HWND plain = Make(WC_STATIC, "", SS_LEFT, RECT { 10, 10, 110, 40 }, 11);
    HWND notify = Make(WC_STATIC, "", SS_LEFT | SS_NOTIFY, RECT { 10, 50, 110, 80 }, 12);

    ClickAt(At(plain, 5, 6));
    const test::Logged* down = Log().Last(parent, WM_LBUTTONDOWN);
    ASSERT_NE(down, nullptr) << "the static is transparent to the mouse";
    EXPECT_EQ((POINT { GET_X_LPARAM(down->lParam), GET_Y_LPARAM(down->lParam) }), (POINT { 15, 16 }))
        << "in the parent's client coordinates";
    EXPECT_TRUE(Notifications(11).empty());

    Log().Clear();
    ClickAt(At(notify, 5, 6));
    EXPECT_EQ(Log().Count(parent, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(Notifications(12), (std::vector<WORD> { STN_CLICKED }));
    EXPECT_EQ(SendMessage(notify, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST_F(Static, SettingABitmapSizesTheControlToItAndShowsIt)
{
    HWND s = Make(WC_STATIC, "", SS_BITMAP, RECT { 20, 20, 120, 120 }, 13);
    HBITMAP first = MakeBitmap(4, 3, Quarters);
    HBITMAP second = MakeBitmap(6, 5, Quarters);
    EXPECT_EQ(SendMessage(s, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(first)), 0);
    EXPECT_EQ(WindowSize(s), (POINT { 4, 3 }));
    driver.Pump();
    POINT o = At(s, 0, 0);
    EXPECT_EQ(driver.PixelAt(o.x, o.y), RGB(255, 0, 0));
    EXPECT_EQ(driver.PixelAt(o.x, o.y + 2), RGB(0, 255, 0));
    EXPECT_EQ(driver.PixelAt(o.x + 3, o.y), RGB(0, 0, 255));
    EXPECT_EQ(driver.PixelAt(o.x + 4, o.y), kParentColour) << "the parent shows where the control was";

    EXPECT_EQ(SendMessage(s, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(second)),
        reinterpret_cast<LRESULT>(first))
        << "the old picture comes back to its owner";
    EXPECT_EQ(SendMessage(s, STM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(second));
    EXPECT_EQ(WindowSize(s), (POINT { 6, 5 }));
    DestroyWindow(s);
    EXPECT_EQ(GetObjectType(first), OBJ_BITMAP) << "the control never frees the caller's bitmaps";
    EXPECT_EQ(GetObjectType(second), OBJ_BITMAP);
    DeleteObject(first);
    DeleteObject(second);
}

TEST_F(Static, ACentredPictureKeepsTheSizeOnItsCornerColour)
{
    HWND s = Make(WC_STATIC, "", SS_BITMAP | SS_CENTERIMAGE, RECT { 20, 20, 40, 30 }, 14);
    HBITMAP b = MakeBitmap(4, 4, Quarters);
    SendMessage(s, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(b));
    driver.Pump();
    EXPECT_EQ(WindowSize(s), (POINT { 20, 10 }));
    POINT o = At(s, 0, 0);
    EXPECT_EQ(driver.PixelAt(o.x + 1, o.y + 1), RGB(255, 0, 0)) << "the top-left pixel's colour fills around";
    EXPECT_EQ(driver.PixelAt(o.x + 8, o.y + 5), RGB(0, 255, 0)) << "picture pixel (0, 2) at (8, 5)";
    EXPECT_EQ(driver.PixelAt(o.x + 11, o.y + 3), RGB(0, 0, 255)) << "picture pixel (3, 0) at (11, 3)";
    DestroyWindow(s);
    DeleteObject(b);
}

TEST_F(Static, TheTemplatesTextNamesTheBitmapToLoad)
{
    res::Bitmap picture;
    picture.width = 5;
    picture.height = 2;
    picture.pixels.assign(10, 0x00336699);
    res::AddBitmap(res::Name { 60101, {} }, picture);
    // The program's resources come with the program's instance handle.
    HWND s = CreateWindowEx(0, WC_STATIC, "#60101", WS_CHILD | WS_VISIBLE | SS_BITMAP, 30, 30, 100, 100, parent,
        nullptr, GetModuleHandle(nullptr), nullptr);
    driver.Pump();
    EXPECT_EQ(WindowSize(s), (POINT { 5, 2 }));
    EXPECT_NE(SendMessage(s, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    POINT o = At(s, 4, 1);
    EXPECT_EQ(driver.PixelAt(o.x, o.y), RGB(0x33, 0x66, 0x99));
}

TEST_F(Static, TheParentsBrushPaintsTheBackgroundAndAHollowOneLeavesItsPicture)
{
    HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
    HWND filled = Make(WC_STATIC, "", SS_LEFT, RECT { 10, 10, 60, 30 }, 21);
    HWND hollow = Make(WC_STATIC, "", SS_LEFT, RECT { 10, 40, 60, 60 }, 22);
    SetHandler(parent, [&](HWND, UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        if (m != WM_CTLCOLORSTATIC)
            return std::nullopt;
        SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
        if (reinterpret_cast<HWND>(lp) == hollow)
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        return reinterpret_cast<LRESULT>(green);
    });
    InvalidateRect(parent, nullptr, TRUE);
    driver.Pump();
    POINT f = At(filled, 2, 2);
    POINT h = At(hollow, 2, 2);
    EXPECT_EQ(driver.PixelAt(f.x, f.y), RGB(0, 128, 0));
    EXPECT_EQ(driver.PixelAt(h.x, h.y), kParentColour);
    DestroyWindow(filled);
    DestroyWindow(hollow);
    DeleteObject(green);
}

TEST_F(Static, TheRectangleKindsFillWithTheirColours)
{
    const struct {
        DWORD style;
        COLORREF colour;
    } kinds[] = {
        { SS_BLACKRECT, RGB(0, 0, 0) },
        { SS_WHITERECT, RGB(255, 255, 255) },
        { SS_GRAYRECT, GetSysColor(COLOR_BTNSHADOW) },
    };
    for (const auto& k : kinds) {
        HWND s = Make(WC_STATIC, "", k.style, RECT { 10, 10, 40, 40 }, 30);
        POINT p = Centre(s);
        EXPECT_EQ(driver.PixelAt(p.x, p.y), k.colour) << "style " << k.style;
        DestroyWindow(s);
        driver.Pump();
    }
}

} // namespace
