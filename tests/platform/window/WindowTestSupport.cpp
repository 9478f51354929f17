#include "tests/platform/window/WindowTestSupport.h"

#include <algorithm>
#include <map>

namespace test {

namespace {

struct WindowInfo {
    COLORREF colour;
    Handler handler;
};

std::map<HWND, WindowInfo>& Infos()
{
    static std::map<HWND, WindowInfo> infos;
    return infos;
}

LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    UINT posFlags = msg == WM_WINDOWPOSCHANGING || msg == WM_WINDOWPOSCHANGED
        ? reinterpret_cast<const WINDOWPOS*>(lp)->flags
        : 0;
    Log().Add(Logged { hwnd, msg, wp, lp, posFlags });
    auto it = Infos().find(hwnd);
    if (it != Infos().end() && it->second.handler) {
        if (auto r = it->second.handler(hwnd, msg, wp, lp))
            return *r;
    }
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        HBRUSH b = CreateSolidBrush(it != Infos().end() ? it->second.colour : RGB(200, 200, 200));
        FillRect(dc, &r, b);
        DeleteObject(b);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_NCDESTROY)
        Infos().erase(hwnd);
    return DefWindowProc(hwnd, msg, wp, lp);
}

void RegisterOnce()
{
    static bool done = false;
    if (done)
        return;
    WNDCLASS wc {};
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = "InkveilTestWindow";
    RegisterClass(&wc);
    done = true;
}

} // namespace

MessageLog& Log()
{
    static MessageLog log;
    return log;
}

std::vector<UINT> MessageLog::Of(HWND hwnd, const std::vector<UINT>& interesting) const
{
    std::vector<UINT> out;
    for (const Logged& e : entries_)
        if (e.hwnd == hwnd && std::find(interesting.begin(), interesting.end(), e.message) != interesting.end())
            out.push_back(e.message);
    return out;
}

int MessageLog::Count(HWND hwnd, UINT message) const
{
    int n = 0;
    for (const Logged& e : entries_)
        n += e.hwnd == hwnd && e.message == message;
    return n;
}

const Logged* MessageLog::Last(HWND hwnd, UINT message) const
{
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (it->hwnd == hwnd && it->message == message)
            return &*it;
    return nullptr;
}

HWND MakeWindow(DWORD style, DWORD exStyle, RECT rect, HWND parent, COLORREF colour, UINT id)
{
    RegisterOnce();
    // Painting only happens once messages run, after the colour is known.
    HWND hwnd = CreateWindowEx(exStyle, "InkveilTestWindow", "test", style, rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(id)), nullptr, nullptr);
    Infos()[hwnd].colour = colour;
    return hwnd;
}

void SetHandler(HWND hwnd, Handler handler) { Infos()[hwnd].handler = std::move(handler); }

std::string MessageName(UINT m)
{
    static const std::map<UINT, const char*> names = {
        { WM_CREATE, "WM_CREATE" },
        { WM_DESTROY, "WM_DESTROY" },
        { WM_PAINT, "WM_PAINT" },
        { WM_ERASEBKGND, "WM_ERASEBKGND" },
        { WM_TIMER, "WM_TIMER" },
        { WM_MOUSEMOVE, "WM_MOUSEMOVE" },
        { WM_LBUTTONDOWN, "WM_LBUTTONDOWN" },
        { WM_LBUTTONUP, "WM_LBUTTONUP" },
        { WM_CAPTURECHANGED, "WM_CAPTURECHANGED" },
        { WM_MOUSEHOVER, "WM_MOUSEHOVER" },
        { WM_MOUSELEAVE, "WM_MOUSELEAVE" },
        { WM_SETFOCUS, "WM_SETFOCUS" },
        { WM_KILLFOCUS, "WM_KILLFOCUS" },
        { WM_NCDESTROY, "WM_NCDESTROY" },
        { WM_USER, "WM_USER" },
        { WM_NCCREATE, "WM_NCCREATE" },
        { WM_NCCALCSIZE, "WM_NCCALCSIZE" },
        { WM_SIZE, "WM_SIZE" },
        { WM_MOVE, "WM_MOVE" },
        { WM_PARENTNOTIFY, "WM_PARENTNOTIFY" },
        { WM_SHOWWINDOW, "WM_SHOWWINDOW" },
        { WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING" },
        { WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED" },
        { WM_ACTIVATEAPP, "WM_ACTIVATEAPP" },
        { WM_NCACTIVATE, "WM_NCACTIVATE" },
        { WM_ACTIVATE, "WM_ACTIVATE" },
        { WM_NCPAINT, "WM_NCPAINT" },
    };
    auto it = names.find(m);
    return it != names.end() ? it->second : "0x" + std::to_string(m);
}

} // namespace test
