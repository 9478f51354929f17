// Message maps: each handler gets its message's arguments decoded, tables
// chain to the base class's, and what no handler takes, or what a handler
// passes on, reaches the window's previous procedure exactly as it arrived.

#include "platform/afx/Wnd.h"
#include "tests/platform/afx/AfxTestSupport.h"
#include "tests/support/TestDc.h"

#include <string>
#include <vector>

namespace {

using afxtest::AfxTest;
using afxtest::CountOf;
using afxtest::kEcho;
using afxtest::kRecorderClass;
using afxtest::LastOf;

constexpr UINT WM_CUSTOM = WM_APP + 3;

// Writes down each handler call with its decoded arguments.
class CProbe : public CWnd {
public:
    std::string last;
    HWND other = nullptr; // named "other" in the record
    HDC dc = nullptr; // named "dc"

    template <typename... Args>
    void Note(const char* format, const Args&... args)
    {
        CString s;
        s.Format(format, args...);
        last = s.GetString();
    }
    const char* Name(CWnd* w) const { return !w ? "null" : w->m_hWnd == m_hWnd ? "self" : "other"; }

protected:
    afx_msg void OnLButtonDown(UINT f, CPoint p) { Note("LButtonDown %u %d,%d", f, p.x, p.y); }
    afx_msg void OnMouseMove(UINT f, CPoint p) { Note("MouseMove %u %d,%d", f, p.x, p.y); }
    afx_msg BOOL OnMouseWheel(UINT f, short delta, CPoint p)
    {
        Note("MouseWheel %u %d %d,%d", f, delta, p.x, p.y);
        return TRUE;
    }
    afx_msg void OnTimer(UINT_PTR id) { Note("Timer %u", static_cast<unsigned>(id)); }
    afx_msg void OnKeyDown(UINT c, UINT rep, UINT f) { Note("KeyDown %u %u %u", c, rep, f); }
    afx_msg void OnSize(UINT type, int cx, int cy) { Note("Size %u %d %d", type, cx, cy); }
    afx_msg BOOL OnSetCursor(CWnd* w, UINT hit, UINT message)
    {
        Note("SetCursor %s %u %u", Name(w), hit, message);
        return TRUE;
    }
    afx_msg void OnSetFocus(CWnd* old) { Note("SetFocus %s", Name(old)); }
    afx_msg void OnCaptureChanged(CWnd* w) { Note("CaptureChanged %s", Name(w)); }
    afx_msg BOOL OnEraseBkgnd(CDC* d)
    {
        Note("EraseBkgnd %s", d->m_hDC == dc ? "dc" : "?");
        return TRUE;
    }
    afx_msg HBRUSH OnCtlColor(CDC* d, CWnd* w, UINT kind)
    {
        Note("CtlColor %s %s %u", d->m_hDC == dc ? "dc" : "?", Name(w), kind);
        return static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    }
    afx_msg LRESULT OnCustom(WPARAM wp, LPARAM lp) { return static_cast<LRESULT>(wp) * 10 + lp; }
    afx_msg void OnCommand100() { Note("Command 100"); }
    afx_msg void OnClicked101() { Note("Clicked 101"); }
    afx_msg void OnSelChange102() { Note("SelChange 102"); }
    afx_msg void OnEditChange103() { Note("EditChange 103"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbe, CWnd)
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_MOUSEWHEEL()
ON_WM_TIMER()
ON_WM_KEYDOWN()
ON_WM_SIZE()
ON_WM_SETCURSOR()
ON_WM_SETFOCUS()
ON_WM_CAPTURECHANGED()
ON_WM_ERASEBKGND()
ON_WM_CTLCOLOR()
ON_MESSAGE(WM_CUSTOM, &CProbe::OnCustom)
ON_COMMAND(100, &CProbe::OnCommand100)
ON_BN_CLICKED(101, &CProbe::OnClicked101)
ON_CBN_SELCHANGE(102, &CProbe::OnSelChange102)
ON_CONTROL(EN_CHANGE, 103, &CProbe::OnEditChange103)
END_MESSAGE_MAP()

LPARAM XY(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }
template <typename H>
LONG_PTR P(H handle)
{
    return reinterpret_cast<LONG_PTR>(handle);
}

struct Case {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const char* expected; // "": no handler runs, and the previous procedure gets it
    LRESULT result;
};

TEST_F(AfxTest, HandlersGetTheirArgumentsDecoded)
{
    test::TestDc dc(4, 4);
    CProbe probe;
    ASSERT_TRUE(probe.CreateEx(0, kRecorderClass, "", WS_POPUP, 10, 10, 100, 80, nullptr, nullptr));
    HWND self = probe.m_hWnd;
    probe.other = afxtest::MakeForeign(WS_POPUP, RECT { 200, 10, 260, 60 });
    probe.dc = dc.dc();
    auto dcW = static_cast<WPARAM>(P(dc.dc()));
    const LRESULT gray = P(GetStockObject(GRAY_BRUSH));
    const Case cases[] = {
        { WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, XY(10, 20), "LButtonDown 5 10,20", 0 },
        { WM_MOUSEMOVE, MK_CONTROL, XY(-3, -7), "MouseMove 8 -3,-7", 0 },
        { WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, static_cast<WORD>(-240)), XY(700, 500), "MouseWheel 4 -240 700,500",
            TRUE },
        { WM_TIMER, 42, 0, "Timer 42", 0 },
        { WM_KEYDOWN, VK_RIGHT, XY(3, 0x14D), "KeyDown 39 3 333", 0 },
        { WM_SIZE, SIZE_MAXIMIZED, XY(640, 480), "Size 2 640 480", 0 },
        { WM_SETCURSOR, static_cast<WPARAM>(P(self)), XY(HTCLIENT, WM_LBUTTONDOWN), "SetCursor self 1 513", TRUE },
        { WM_SETFOCUS, 0, 0, "SetFocus null", 0 },
        { WM_CAPTURECHANGED, 0, P(probe.other), "CaptureChanged other", 0 },
        { WM_ERASEBKGND, dcW, 0, "EraseBkgnd dc", TRUE },
        { WM_CTLCOLORMSGBOX, dcW, P(probe.other), "CtlColor dc other 0", gray },
        { WM_CTLCOLORBTN, dcW, P(probe.other), "CtlColor dc other 3", gray },
        { WM_CTLCOLORDLG, dcW, P(self), "CtlColor dc self 4", gray },
        { WM_CTLCOLORSTATIC, dcW, P(probe.other), "CtlColor dc other 6", gray },
        { WM_CUSTOM, 4, 2, "", 42 },
        { WM_COMMAND, MAKEWPARAM(100, 0), 0, "Command 100", 1 },
        { WM_COMMAND, MAKEWPARAM(100, 1), 0, "Command 100", 1 }, // from an accelerator
        { WM_COMMAND, MAKEWPARAM(101, BN_CLICKED), P(probe.other), "Clicked 101", 1 },
        { WM_COMMAND, MAKEWPARAM(101, BN_DOUBLECLICKED), P(probe.other), "", 0 },
        { WM_COMMAND, MAKEWPARAM(102, CBN_SELCHANGE), P(probe.other), "SelChange 102", 1 },
        { WM_COMMAND, MAKEWPARAM(103, EN_CHANGE), P(probe.other), "EditChange 103", 1 },
        { WM_COMMAND, MAKEWPARAM(104, 0), 0, "", 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.message << " " << c.wParam);
        probe.last.clear();
        afxtest::Deliveries().clear();
        EXPECT_EQ(probe.SendMessage(c.message, c.wParam, c.lParam), c.result);
        EXPECT_EQ(probe.last, c.expected);
        bool handled = *c.expected || c.message == WM_CUSTOM;
        EXPECT_EQ(CountOf(self, c.message), handled ? 0 : 1) << "only what no handler takes goes on";
    }
}

// A base class that handles two messages and a class derived from it that
// overrides one handler and adds another.
class CBaseProbe : public CWnd {
public:
    std::vector<std::string> calls;

protected:
    afx_msg void OnTimer(UINT_PTR id) { calls.push_back("base timer " + std::to_string(id)); }
    afx_msg void OnLButtonDown(UINT flags, CPoint p)
    {
        calls.push_back("base button");
        // Passing the message on passes it as it arrived, whatever is given.
        CWnd::OnLButtonDown(flags, CPoint(p.x + 100, p.y + 100));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseProbe, CWnd)
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class CDerivedProbe : public CBaseProbe {
protected:
    afx_msg void OnTimer(UINT_PTR id)
    {
        calls.push_back("derived timer");
        if (id == 2)
            CBaseProbe::OnTimer(id);
    }
    afx_msg void OnMouseMove(UINT, CPoint)
    {
        // A message sent meanwhile must not change what Default passes on.
        calls.push_back("derived move, echo " + std::to_string(SendMessage(kEcho, 5, 0)));
        Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedProbe, CBaseProbe)
ON_WM_TIMER()
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

TEST_F(AfxTest, DerivedTablesChainToTheBaseAndDefaultPassesTheOriginalMessage)
{
    CDerivedProbe derived;
    ASSERT_TRUE(derived.CreateEx(0, kRecorderClass, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    HWND h = derived.m_hWnd;
    struct Step {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::vector<std::string> calls;
        bool reachesPrevious;
    };
    const Step steps[] = {
        { WM_TIMER, 1, 0, { "derived timer" }, false },
        { WM_TIMER, 2, 0, { "derived timer", "base timer 2" }, false },
        { WM_LBUTTONDOWN, MK_LBUTTON, XY(10, 20), { "base button" }, true },
        { WM_MOUSEMOVE, 0, XY(7, 8), { "derived move, echo 6" }, true },
        { WM_RBUTTONDOWN, MK_RBUTTON, XY(3, 4), {}, true },
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.message);
        derived.calls.clear();
        afxtest::Deliveries().clear();
        derived.SendMessage(s.message, s.wParam, s.lParam);
        EXPECT_EQ(derived.calls, s.calls);
        ASSERT_EQ(CountOf(h, s.message), s.reachesPrevious ? 1 : 0);
        if (s.reachesPrevious) {
            EXPECT_EQ(LastOf(h, s.message)->wParam, s.wParam);
            EXPECT_EQ(LastOf(h, s.message)->lParam, s.lParam);
        }
    }
    EXPECT_EQ(derived.SendMessage(kEcho, 41, 0), 42) << "results come back from the previous procedure";
}

} // namespace
