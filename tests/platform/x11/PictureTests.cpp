// What only the X screen shows: a full-screen window over a snapshot of the
// real screen, other programs' windows included, indistinguishable from the
// screen it froze. What every screen shows alike is the screen contract
// suite's.

#include "tests/platform/x11/X11Fixture.h"

#include "platform/gdi/Gdi.h"

namespace {

using test::X11Test;

constexpr COLORREF kRed = RGB(230, 20, 30);
constexpr COLORREF kGreen = RGB(0, 192, 0);

TEST_F(X11Test, AFullScreenWindowOverASnapshotShowsWhatWasThere)
{
    // Another program's windows make the desktop worth freezing.
    OtherWindow(RECT { 50, 60, 350, 260 }, kGreen);
    OtherWindow(RECT { 300, 200, 420, 330 }, kRed);
    std::vector<COLORREF> before = RootPicture();
    ASSERT_EQ(before.size(), static_cast<std::size_t>(width_ * height_));

    HDC screen = CreateDC("DISPLAY", nullptr, nullptr, nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), width_);
    EXPECT_EQ(GetDeviceCaps(screen, VERTRES), height_);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES), 32);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP snapshot = CreateCompatibleBitmap(screen, width_, height_);
    HGDIOBJ old = SelectObject(memory, snapshot);
    ASSERT_TRUE(BitBlt(memory, 0, 0, width_, height_, screen, 0, 0, SRCCOPY));
    DeleteDC(screen);

    // The board: the frozen picture, and a mark of its own in one corner
    // to show that it is really there.
    const COLORREF kMark = RGB(255, 0, 255);
    HWND board = MakeWindow(WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, RECT { 0, 0, width_, height_ }, 0,
        [&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (msg != WM_PAINT)
                return std::nullopt;
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            BitBlt(dc, 0, 0, width_, height_, memory, 0, 0, SRCCOPY);
            RECT mark { 0, 0, 4, 4 };
            HBRUSH b = CreateSolidBrush(kMark);
            FillRect(dc, &mark, b);
            DeleteObject(b);
            EndPaint(hwnd, &ps);
            return 0;
        });
    ShowWindow(board, SW_SHOW);
    ASSERT_TRUE(RunUntil([&] { return RootPixel(1, 1) == kMark; }));

    std::vector<COLORREF> after = RootPicture();
    int changed = 0;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            std::size_t i = static_cast<std::size_t>(y * width_ + x);
            bool mark = x < 4 && y < 4;
            if ((mark ? kMark : before[i]) != after[i] && ++changed <= 5)
                ADD_FAILURE() << "at (" << x << ", " << y << ")";
        }
    EXPECT_EQ(changed, 0);
    DestroyWindow(board);
    SelectObject(memory, old);
    DeleteObject(snapshot);
    DeleteDC(memory);
}

} // namespace
