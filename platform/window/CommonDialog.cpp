#include "platform/window/CommonDialog.h"

#include "platform/window/ControlPainting.h"
#include "platform/window/Controls.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace ws::dlg {

namespace {

// The system's default double-click time.
constexpr DWORD kDoubleClickMs = 500;

DWORD g_error = 0;

struct Watch {
    WNDPROC original = nullptr;
    WORD code = 0;
    bool pressed = false; // a first press was seen
    DWORD pressTime = 0;
    POINT pressAt {};
    bool doublePending = false; // the second press is down
};

std::map<HWND, Watch>& Watches()
{
    static std::map<HWND, Watch> watches;
    return watches;
}

LRESULT WatchProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto it = Watches().find(hwnd);
    if (it == Watches().end())
        return DefWindowProc(hwnd, msg, wParam, lParam);
    Watch& w = it->second;
    WNDPROC original = w.original;
    switch (msg) {
    case WM_LBUTTONDOWN: {
        POINT p = ctl::MousePoint(lParam);
        DWORD now = GetMessageTime();
        bool close = std::abs(p.x - w.pressAt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2
            && std::abs(p.y - w.pressAt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
        w.doublePending = w.pressed && close && now - w.pressTime <= kDoubleClickMs;
        // A third press starts a new pair rather than making another double.
        w.pressed = !w.doublePending;
        w.pressTime = now;
        w.pressAt = p;
        break;
    }
    case WM_LBUTTONUP: {
        bool notify = w.doublePending;
        w.doublePending = false;
        WORD code = w.code;
        LRESULT r = CallWindowProc(original, hwnd, msg, wParam, lParam);
        if (notify && IsWindow(hwnd))
            ctl::NotifyParent(hwnd, code);
        return r;
    }
    case WM_NCDESTROY:
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        Watches().erase(it);
        break;
    default:
        break;
    }
    return CallWindowProc(original, hwnd, msg, wParam, lParam);
}

} // namespace

void CommonDialog::SetError(DWORD code) { g_error = code; }

DWORD CommonDialog::Error() { return g_error; }

HWND CommonDialog::TopLevelOwner(HWND owner)
{
    while (owner && IsWindow(owner) && (GetWindowLongPtr(owner, GWL_STYLE) & WS_CHILD))
        owner = GetParent(owner);
    return owner && IsWindow(owner) ? owner : nullptr;
}

void CommonDialog::Place(HWND dialog, HWND owner, int width, int height)
{
    RECT frame { 0, 0, width, height };
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtr(dialog, GWL_STYLE)), FALSE,
        static_cast<DWORD>(GetWindowLongPtr(dialog, GWL_EXSTYLE)));
    int frameWidth = frame.right - frame.left;
    int frameHeight = frame.bottom - frame.top;
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RECT over { 0, 0, screenWidth, screenHeight };
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &over);
    int left = std::clamp((over.left + over.right - frameWidth) / 2, 0, std::max(0, screenWidth - frameWidth));
    int top = std::clamp((over.top + over.bottom - frameHeight) / 2, 0, std::max(0, screenHeight - frameHeight));
    SetWindowPos(dialog, nullptr, left, top, frameWidth, frameHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

res::DialogItem CommonDialog::Item(const char* cls, const char* text, int id, DWORD style, RECT pixels)
{
    auto units = [](LONG v) { return static_cast<short>(v / 2); };
    return res::DialogItem { cls, text, static_cast<WORD>(id), WS_CHILD | WS_VISIBLE | style, 0, units(pixels.left),
        units(pixels.top), units(pixels.right - pixels.left), units(pixels.bottom - pixels.top) };
}

void CommonDialog::WatchDoubleClicks(HWND control, WORD code)
{
    if (!control || Watches().count(control))
        return;
    Watch w;
    w.code = code;
    w.original = reinterpret_cast<WNDPROC>(GetWindowLongPtr(control, GWLP_WNDPROC));
    Watches()[control] = w;
    SetWindowLongPtr(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchProc));
}

} // namespace ws::dlg

DWORD CommDlgExtendedError() { return ws::dlg::CommonDialog::Error(); }
