// What a message costs on its way through the class library: sent to a
// window whose class and base class list their handlers in message maps,
// taken by an entry near the end of the derived map, by an entry of the
// base map, or by none (and so passed on to the previous procedure); next
// to the same message sent to a plain window procedure. Mouse moves while
// drawing take this path once per pointer event.

#include "platform/afx/Wnd.h"
#include "platform/headless/Driver.h"

#include <benchmark/benchmark.h>

namespace {

LRESULT PlainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_MOUSEMOVE)
        return 0;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

class CBase : public CWnd {
public:
    int timers = 0;

protected:
    afx_msg void OnTimer(UINT_PTR) { ++timers; }
    afx_msg void OnSize(UINT, int, int) { }
    afx_msg void OnSetFocus(CWnd*) { }
    afx_msg void OnKillFocus(CWnd*) { }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBase, CWnd)
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_TIMER()
END_MESSAGE_MAP()

// Handlers in the order a drawing window might list them.
class CDrawingWindow : public CBase {
public:
    int moves = 0;

protected:
    afx_msg void OnPaint() { Default(); }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    afx_msg void OnLButtonDown(UINT, CPoint) { }
    afx_msg void OnLButtonUp(UINT, CPoint) { }
    afx_msg void OnRButtonDown(UINT, CPoint) { }
    afx_msg BOOL OnMouseWheel(UINT, short, CPoint) { return TRUE; }
    afx_msg void OnMouseLeave() { }
    afx_msg void OnKeyDown(UINT, UINT, UINT) { }
    afx_msg BOOL OnSetCursor(CWnd*, UINT, UINT) { return TRUE; }
    afx_msg void OnCaptureChanged(CWnd*) { }
    afx_msg void OnDestroy() { Default(); }
    afx_msg void OnMouseMove(UINT, CPoint) { ++moves; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDrawingWindow, CBase)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONDOWN()
ON_WM_MOUSEWHEEL()
ON_WM_MOUSELEAVE()
ON_WM_KEYDOWN()
ON_WM_SETCURSOR()
ON_WM_CAPTURECHANGED()
ON_WM_DESTROY()
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

void SendRepeatedly(benchmark::State& state, HWND hwnd, UINT msg)
{
    LPARAM point = MAKELPARAM(100, 80);
    for (auto _ : state)
        benchmark::DoNotOptimize(SendMessage(hwnd, msg, MK_LBUTTON, point));
    state.SetItemsProcessed(state.iterations());
}

void BM_PlainProcedure(benchmark::State& state)
{
    headless::Driver driver;
    WNDCLASS wc {};
    wc.lpfnWndProc = PlainProc;
    wc.lpszClassName = "AfxBenchPlain";
    RegisterClass(&wc);
    HWND hwnd = CreateWindowEx(0, "AfxBenchPlain", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    SendRepeatedly(state, hwnd, WM_MOUSEMOVE);
}
BENCHMARK(BM_PlainProcedure);

// range(0): 0 the derived map's entry, 1 the base map's, 2 no entry.
void BM_ThroughMessageMap(benchmark::State& state)
{
    headless::Driver driver;
    CDrawingWindow window;
    window.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr);
    const UINT messages[] = { WM_MOUSEMOVE, WM_TIMER, WM_APP + 1 };
    SendRepeatedly(state, window.m_hWnd, messages[state.range(0)]);
}
BENCHMARK(BM_ThroughMessageMap)->Arg(0)->Arg(1)->Arg(2);

} // namespace
