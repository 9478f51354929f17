// The window wrappers that do more than pass a call on: painting through
// CPaintDC and CClientDC, the special places of the stacking order and
// centring.

#include "platform/afx/ClientDc.h"
#include "platform/afx/PaintDc.h"
#include "platform/afx/Wnd.h"
#include "tests/platform/afx/AfxTestSupport.h"

#include <vector>

namespace {

using afxtest::AfxTest;
using afxtest::kRecorderClass;

constexpr COLORREF kRed = RGB(255, 0, 0);

class CPainter : public CWnd {
public:
    std::vector<CRect> painted;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        painted.push_back(dc.m_ps.rcPaint);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, kRed);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPainter, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

TEST_F(AfxTest, PaintAndClientDcsDrawOnTheWindowAndGiveTheirDcBack)
{
    CPainter w;
    ASSERT_TRUE(w.CreateEx(0, kRecorderClass, "", WS_POPUP | WS_VISIBLE, 100, 100, 40, 30, nullptr, nullptr));
    driver.Pump();
    ASSERT_EQ(w.painted.size(), 1u);
    EXPECT_EQ(w.painted[0], CRect(0, 0, 40, 30));
    EXPECT_EQ(driver.PixelAt(100, 100), kRed);
    EXPECT_EQ(driver.PixelAt(139, 129), kRed);
    EXPECT_NE(driver.PixelAt(140, 130), kRed);
    w.InvalidateRect(CRect(5, 6, 15, 16), FALSE);
    driver.Pump();
    driver.Pump();
    ASSERT_EQ(w.painted.size(), 2u) << "EndPaint left nothing more to paint";
    EXPECT_EQ(w.painted[1], CRect(5, 6, 15, 16));

    {
        CClientDC dc(&w);
        dc.FillSolidRect(2, 3, 4, 5, RGB(0, 0, 255));
    }
    CClientDC again(&w);
    EXPECT_EQ(again.GetPixel(5, 7), RGB(0, 0, 255)) << "drawn on the window, DC released";
    EXPECT_EQ(again.GetPixel(6, 7), kRed);

    w.SetWindowText("Zeichen \xC3\xA4");
    CString text;
    w.GetWindowText(text);
    EXPECT_EQ(text, "Zeichen \xC3\xA4");
}

TEST_F(AfxTest, CentringAndTheSpecialPlacesOfTheStackingOrder)
{
    CWnd parent, child, popup, owned;
    ASSERT_TRUE(parent.CreateEx(0, kRecorderClass, "", WS_POPUP | WS_VISIBLE, 100, 50, 200, 100, nullptr, nullptr));
    ASSERT_TRUE(child.Create(kRecorderClass, "", WS_VISIBLE, CRect(0, 0, 20, 10), &parent, 1));
    ASSERT_TRUE(popup.CreateEx(0, kRecorderClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    ASSERT_EQ(GetTopWindow(nullptr), popup.m_hWnd);
    popup.SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, keep);
    EXPECT_NE(GetTopWindow(nullptr), popup.m_hWnd);
    parent.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, keep);
    EXPECT_TRUE(parent.GetExStyle() & WS_EX_TOPMOST);
    parent.SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, keep);
    EXPECT_FALSE(parent.GetExStyle() & WS_EX_TOPMOST);
    popup.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, keep);
    EXPECT_EQ(GetTopWindow(nullptr), popup.m_hWnd);
    ASSERT_TRUE(owned.CreateEx(0, kRecorderClass, "", WS_POPUP, 0, 0, 400, 100, parent.m_hWnd, nullptr));
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    const std::pair<CWnd*, CRect> cases[] = {
        { &child, CRect(190, 95, 210, 105) }, // in the parent's client area
        { &popup, CRect(cx / 2 - 150, cy / 2 - 100, cx / 2 + 150, cy / 2 + 100) }, // on the screen
        { &owned, CRect(0, 50, 400, 150) }, // over its owner, kept on the screen
    };
    for (const auto& [window, expected] : cases) {
        window->CenterWindow();
        CRect r;
        window->GetWindowRect(&r);
        EXPECT_EQ(r, expected);
    }
}

} // namespace
