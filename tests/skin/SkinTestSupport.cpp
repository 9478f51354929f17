#include "tests/skin/SkinTestSupport.h"

#include "platform/afx/DataExchange.h"
#include "platform/window/ControlClasses.h"
#include "skin/BitmapSlider.h"

namespace skintest {

void AddBitmap(UINT id, int width, int height, const std::function<COLORREF(int x, int y)>& colour)
{
    res::Bitmap bitmap { width, height, 24, {} };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.pixels.push_back(gdi::PixelFromColorRef(colour(x, y)));
    res::AddBitmap(res::Name::From(MAKEINTRESOURCE(id)), std::move(bitmap));
}

void AddPopupTemplate(UINT id, short cx, short cy, std::vector<res::DialogItem> items)
{
    res::AddDialog(res::Name::From(MAKEINTRESOURCE(id)),
        res::DialogTemplate { WS_POPUP | WS_VISIBLE, 0, 0, 0, cx, cy, "", "", 0, std::move(items) });
}

BEGIN_MESSAGE_MAP(CHostDlg, CDialog)
ON_WM_ERASEBKGND()
ON_MESSAGE(WM_SLIDER_TRACK, &CHostDlg::OnPosted)
ON_MESSAGE(WM_SLIDER_POSCHANGED, &CHostDlg::OnPosted)
END_MESSAGE_MAP()

CHostDlg::CHostDlg(UINT templateId, int controlId, CWnd& control, UINT pictureId, std::function<void()> setUp)
    : CDialog(templateId)
    , m_controlId(controlId)
    , m_control(control)
    , m_pictureId(pictureId)
    , m_setUp(std::move(setUp))
{
}

void CHostDlg::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, m_controlId, m_control); }

BOOL CHostDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_setUp();
    return TRUE;
}

BOOL CHostDlg::OnEraseBkgnd(CDC* dc)
{
    CBitmap picture;
    if (!picture.Attach(::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(m_pictureId))))
        return static_cast<BOOL>(Default());
    CDC memory;
    memory.CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(memory, picture.GetSafeHandle());
    dc->BitBlt(0, 0, 1000, 1000, &memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    return TRUE;
}

LRESULT CHostDlg::OnPosted(WPARAM id, LPARAM pos)
{
    EXPECT_EQ(id, static_cast<WPARAM>(m_controlId));
    posted.emplace_back(GetCurrentMessage()->message, pos);
    return 0;
}

// The system's control classes register themselves once something links
// them in.
SkinTest::SkinTest() { ws::ctl::EnsureControlClasses(); }

CRect SkinTest::ScreenRect(const CWnd& wnd)
{
    CRect r;
    wnd.GetWindowRect(&r);
    return r;
}

COLORREF SkinTest::UniformColour(const RECT& r)
{
    COLORREF first = driver.PixelAt(r.left, r.top);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (driver.PixelAt(x, y) != first)
                return CLR_INVALID;
    return first;
}

} // namespace skintest
