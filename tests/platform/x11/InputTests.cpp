// The user's hand on the X screen (XTest): clicks through cut-outs to the
// window below, strokes drawn by dragging, the captured window that gets
// the pointer wherever it goes, keys, and the cursor's shape.

#include "tests/platform/x11/X11Fixture.h"

#include "platform/gdi/Gdi.h"
#include "platform/window/Resources.h"
#include "platform/x11/InputTranslator.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>

#include <cstring>

namespace {

using test::X11Test;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(20, 40, 220);

POINT ClientPoint(LPARAM lp) { return POINT { GET_X_LPARAM(lp), GET_Y_LPARAM(lp) }; }

// Counts the messages a window gets and keeps the point of the last one.
struct Seen {
    int count = 0;
    POINT at { 0, 0 };
    void Note(LPARAM lp)
    {
        ++count;
        at = ClientPoint(lp);
    }
};

TEST_F(X11Test, AClickOnACutOutReachesTheWindowBelow)
{
    ::Window below = OtherWindow(RECT { 100, 100, 300, 260 }, kWhite, ButtonPressMask);
    Seen presses;
    HWND w = MakeWindow(WS_POPUP, WS_EX_TOPMOST, RECT { 100, 100, 300, 260 }, kBlue,
        [&](HWND, UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
            if (msg == WM_LBUTTONDOWN)
                presses.Note(lp);
            return std::nullopt;
        });
    HRGN shape = CreateRectRgn(0, 0, 200, 160);
    HRGN hole = CreateRectRgn(50, 40, 150, 120);
    CombineRgn(shape, shape, hole, RGN_DIFF);
    DeleteObject(hole);
    SetWindowRgn(w, shape, TRUE);
    ShowWindow(w, SW_SHOWNA);
    ASSERT_TRUE(RunUntil([&] { return RootPixel(110, 110) == kBlue; }));

    MoveTo(200, 180); // in the hole
    Button(true);
    Button(false);
    XEvent ev;
    EXPECT_TRUE(RunUntil([&] { return OtherGot(below, ButtonPress, &ev); }));
    EXPECT_EQ(ev.xbutton.x, 100);
    EXPECT_EQ(presses.count, 0);

    MoveTo(110, 115); // on the frame
    Button(true);
    Button(false);
    EXPECT_TRUE(RunUntil([&] { return presses.count == 1; }));
    EXPECT_EQ(presses.at, (POINT { 10, 15 }));
    EXPECT_FALSE(OtherGot(below, ButtonPress));
}

TEST_F(X11Test, ADragDrawsAStrokeThatTheScreenShows)
{
    POINT last { 0, 0 };
    HWND w = MakeWindow(WS_POPUP, 0, RECT { 200, 200, 600, 500 }, kWhite,
        [&](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
            if (msg == WM_LBUTTONDOWN)
                last = ClientPoint(lp);
            if (msg == WM_MOUSEMOVE && (wp & MK_LBUTTON)) {
                POINT p = ClientPoint(lp);
                HDC dc = GetDC(hwnd);
                MoveToEx(dc, last.x, last.y, nullptr);
                LineTo(dc, p.x, p.y);
                ReleaseDC(hwnd, dc);
                last = p;
            }
            return std::nullopt;
        });
    ShowWindow(w, SW_SHOW);
    ASSERT_TRUE(RunUntil([&] { return RootPixel(300, 300) == kWhite; }));

    const POINT path[] = { { 250, 250 }, { 300, 250 }, { 350, 250 }, { 350, 300 }, { 400, 350 } };
    MoveTo(path[0].x, path[0].y);
    Button(true);
    // One move at a time, as a hand moves: moves queued together would
    // merge into one.
    for (POINT p : path) {
        MoveTo(p.x, p.y);
        ASSERT_TRUE(RunUntil([&] { return last.x == p.x - 200 && last.y == p.y - 200; }));
    }
    Button(false);
    const COLORREF kInk = RGB(0, 0, 0);
    EXPECT_TRUE(RunUntil(
        [&] { return RootPixel(275, 250) == kInk && RootPixel(350, 275) == kInk && RootPixel(375, 325) == kInk; }));
    EXPECT_EQ(RootPixel(300, 300), kWhite) << "only the stroke is drawn";
}

TEST_F(X11Test, TheCapturedWindowGetsThePointerWhereverItIs)
{
    ::Window elsewhere = OtherWindow(RECT { 600, 400, 700, 500 }, kWhite, ButtonPressMask | ButtonReleaseMask);
    Seen downs, ups, moves;
    HWND w = MakeWindow(WS_POPUP, 0, RECT { 100, 100, 300, 300 }, kBlue,
        [&](HWND hwnd, UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
            if (msg == WM_LBUTTONDOWN) {
                downs.Note(lp);
                SetCapture(hwnd);
            }
            if (msg == WM_LBUTTONUP) {
                ups.Note(lp);
                ReleaseCapture();
            }
            if (msg == WM_MOUSEMOVE)
                moves.Note(lp);
            return std::nullopt;
        });
    ShowWindow(w, SW_SHOW);
    ASSERT_TRUE(RunUntil([&] { return RootPixel(150, 150) == kBlue; }));

    // A drag out of the window: the release lands on the other program's
    // window, yet reaches the window that holds the capture.
    MoveTo(150, 150);
    Button(true);
    ASSERT_TRUE(RunUntil([&] { return GetCapture() == w; }));
    MoveTo(650, 450);
    Button(false);
    ASSERT_TRUE(RunUntil([&] { return ups.count == 1; }));
    EXPECT_EQ(ups.at, (POINT { 550, 350 }));
    EXPECT_FALSE(OtherGot(elsewhere, ButtonRelease));

    // Captured with no button held: moves and a click far away come to the
    // window, until the capture ends.
    SetCapture(w);
    MoveTo(660, 460);
    EXPECT_TRUE(RunUntil([&] { return moves.at.x == 560 && moves.at.y == 360; }));
    Button(true);
    EXPECT_TRUE(RunUntil([&] { return downs.count == 2; }));
    EXPECT_EQ(downs.at, (POINT { 560, 360 }));
    Button(false);
    ASSERT_TRUE(RunUntil([&] { return ups.count == 2 && GetCapture() == nullptr; }));
    EXPECT_FALSE(OtherGot(elsewhere, ButtonPress));
    Button(true);
    Button(false);
    EXPECT_TRUE(RunUntil([&] { return OtherGot(elsewhere, ButtonPress); })) << "the grab is over";
}

TEST_F(X11Test, KeysArriveAsVirtualKeysAndTypedText)
{
    std::vector<std::pair<UINT, WPARAM>> keys;
    HWND w = MakeWindow(WS_POPUP, 0, RECT { 100, 100, 300, 300 }, kBlue,
        [&](HWND, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
            if (msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_CHAR)
                keys.emplace_back(msg, wp);
            return std::nullopt;
        });
    ShowWindow(w, SW_SHOW);
    ASSERT_TRUE(RunUntil([&] { return RootPixel(150, 150) == kBlue; }));
    MoveTo(150, 150); // the keyboard follows the pointer on a bare server
    KeyCode a = XKeysymToKeycode(hand_, XK_a);
    KeyCode enter = XKeysymToKeycode(hand_, XK_Return);
    for (KeyCode k : { a, enter }) {
        XTestFakeKeyEvent(hand_, k, True, CurrentTime);
        XTestFakeKeyEvent(hand_, k, False, CurrentTime);
    }
    XSync(hand_, False);
    ASSERT_TRUE(RunUntil([&] { return keys.size() >= 6; }));
    const std::vector<std::pair<UINT, WPARAM>> want = { { WM_KEYDOWN, 'A' }, { WM_CHAR, 'a' }, { WM_KEYUP, 'A' },
        { WM_KEYDOWN, VK_RETURN }, { WM_CHAR, '\r' }, { WM_KEYUP, VK_RETURN } };
    EXPECT_EQ(keys, want);
}

TEST(X11Keys, SymbolsBecomeVirtualKeysAndCodePoints)
{
    struct Case {
        KeySym symbol;
        UINT vk;
        const char* text;
        UINT codePoint;
    };
    const Case cases[] = {
        { XK_a, 'A', "a", 'a' }, { XK_Z, 'Z', "Z", 'Z' }, { XK_7, '7', "7", '7' }, { XK_KP_3, 0x63, "3", '3' },
        { XK_F5, 0x74, "", 0 }, { XK_Escape, VK_ESCAPE, "\x1b", 27 }, { XK_BackSpace, VK_BACK, "\b", 8 },
        { XK_Shift_R, VK_SHIFT, "", 0 }, { XK_Control_L, VK_CONTROL, "", 0 }, { XK_Delete, VK_DELETE, "\x7f", 127 },
        { XK_eacute, 0, "\xe9", 0xE9 }, { 0x01004E2D, 0, "", 0x4E2D }, // a Unicode symbol: CJK "middle"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.symbol);
        EXPECT_EQ(platform::x11::InputTranslator::VirtualKey(c.symbol), c.vk);
        EXPECT_EQ(platform::x11::InputTranslator::CodePoint(c.symbol, c.text, static_cast<int>(std::strlen(c.text))),
            c.codePoint);
    }
}

TEST_F(X11Test, SetCursorChangesThePointerAtOnce)
{
    int event = 0, error = 0, major = 5, minor = 0;
    ASSERT_TRUE(XFixesQueryExtension(hand_, &event, &error));
    XFixesQueryVersion(hand_, &major, &minor);
    // A small cursor of the program's own: an opaque and a half-transparent
    // pixel, which the server keeps premultiplied.
    res::Pointer picture;
    picture.width = 4;
    picture.height = 3;
    picture.hotspot = POINT { 1, 2 };
    picture.argb.assign(12, 0);
    picture.argb[0] = 0xFF102030;
    picture.argb[5] = 0x80FF0000;
    res::AddCursor(res::Name { 61001, {} }, picture);
    HCURSOR own = LoadCursor(GetModuleHandle(nullptr), MAKEINTRESOURCE(61001));
    ASSERT_TRUE(own);

    HWND w = MakeWindow(WS_POPUP, 0, RECT { 100, 100, 300, 300 }, kBlue);
    ShowWindow(w, SW_SHOWNA);
    ASSERT_TRUE(RunUntil([&] { return RootPixel(150, 150) == kBlue; }));
    MoveTo(150, 150);
    ASSERT_TRUE(RunUntil([] { return true; }));

    struct Shape {
        int width, height, xhot, yhot;
        unsigned long first, sixth;
    };
    auto current = [&] {
        XFixesCursorImage* image = XFixesGetCursorImage(hand_);
        // Each pixel is 32 bits of ARGB, kept in a long.
        Shape s { image->width, image->height, image->xhot, image->yhot, image->pixels[0] & 0xFFFFFFFF,
            image->width * image->height > 5 ? image->pixels[5] & 0xFFFFFFFF : 0 };
        XFree(image);
        return s;
    };
    ::SetCursor(own);
    XSync(screen_->Connection(), False);
    Shape s = current();
    EXPECT_EQ(s.width, 4);
    EXPECT_EQ(s.height, 3);
    EXPECT_EQ(s.xhot, 1);
    EXPECT_EQ(s.yhot, 2);
    EXPECT_EQ(s.first, 0xFF102030u);
    EXPECT_EQ(s.sixth, 0x80800000u);

    ::SetCursor(LoadCursor(nullptr, IDC_CROSS));
    XSync(screen_->Connection(), False);
    s = current();
    EXPECT_EQ(s.xhot, 8);
    EXPECT_EQ(s.yhot, 8);

    ShowCursor(FALSE);
    XSync(screen_->Connection(), False);
    s = current();
    EXPECT_EQ(s.first, 0u) << "the blank cursor";
    ShowCursor(TRUE);
}

} // namespace
