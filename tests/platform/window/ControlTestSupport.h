#pragma once

// What the control tests share: a recording parent window, making controls
// in it, where a control lies on the screen, and the notifications the
// parent received, in order.

#include "platform/window/ControlClasses.h"
#include "platform/window/Controls.h"
#include "tests/platform/window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace test {

class ControlTest : public ::testing::Test {
public:
    headless::Driver driver;
    HWND parent = nullptr;

    void SetUp() override
    {
        ws::ctl::EnsureControlClasses();
        Log().Clear();
        parent = MakeWindow(WS_POPUP | WS_VISIBLE, 0, RECT { 100, 100, 500, 400 }, nullptr, RGB(200, 200, 200));
        driver.Pump();
    }

    HWND Make(const char* cls, const char* text, DWORD style, RECT r, int id = 7, DWORD exStyle = 0)
    {
        HWND h = CreateWindowEx(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
            r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(id)), nullptr, nullptr);
        driver.Pump();
        return h;
    }

    // The notification codes (WM_COMMAND high words) the parent got from
    // the control with that id, in order.
    std::vector<WORD> Notifications(int id) const
    {
        std::vector<WORD> out;
        for (const Logged& e : Log().Entries())
            if (e.hwnd == parent && e.message == WM_COMMAND && LOWORD(e.wParam) == id)
                out.push_back(HIWORD(e.wParam));
        return out;
    }

    // A point of a window in screen coordinates, from its client origin.
    static POINT At(HWND h, int x, int y)
    {
        POINT p { x, y };
        ClientToScreen(h, &p);
        return p;
    }
    static POINT Centre(HWND h)
    {
        RECT r;
        GetClientRect(h, &r);
        return At(h, r.right / 2, r.bottom / 2);
    }
    void ClickAt(POINT p) { driver.Click(p.x, p.y); }
};

} // namespace test
