// Dialogs over the dialog manager: a modal dialog ends with the value given
// to EndDialog while the rest of the program goes on, OK and Cancel come
// from the keyboard and the buttons, a modeless dialog gets the keyboard
// interface through pre-translation, and controls bound by data exchange
// run through their own objects (owner drawing included).

#include "platform/afx/BitmapButton.h"
#include "platform/afx/DataExchange.h"
#include "platform/afx/Dialog.h"
#include "platform/window/ControlClasses.h"
#include "tests/platform/afx/AfxTestSupport.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using afxtest::AfxTest;
using afxtest::kRecorderClass;

constexpr UINT IDD_TEST = 9100;
constexpr int IDC_DRAWN = 20;
constexpr int IDC_PLAIN = 21;
constexpr int IDC_PICTURE = 30;
constexpr COLORREF kPressed = RGB(255, 0, 0);
constexpr COLORREF kUp = RGB(0, 160, 0);

std::vector<std::string> trail;
using Steps = std::vector<std::string>;

// A row of buttons; without DS_SETFONT a dialog unit is two pixels.
void RegisterTemplate()
{
    res::DialogTemplate t { WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE, 0, 20, 20, 150, 80, "Test",
        "", 0, {} };
    const std::tuple<const char*, int, DWORD> buttons[] = { { "OK", IDOK, BS_DEFPUSHBUTTON },
        { "Cancel", IDCANCEL, BS_PUSHBUTTON }, { "", IDC_DRAWN, BS_OWNERDRAW }, { "Plain", IDC_PLAIN, BS_PUSHBUTTON },
        { "PEN", IDC_PICTURE, BS_OWNERDRAW } };
    short x = 5;
    for (const auto& [text, id, style] : buttons) {
        t.items.push_back(res::DialogItem { "BUTTON", text, static_cast<WORD>(id), WS_VISIBLE | WS_TABSTOP | style, 0,
            x, 10, 20, 20 });
        x += 25;
    }
    res::AddDialog(res::Name::From(MAKEINTRESOURCE(IDD_TEST)), t);
}

// Fills itself in the colour of its state.
class CDrawnButton : public CButton {
public:
    std::vector<bool> selected;
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        trail.push_back("button draw");
        selected.push_back((dis->itemState & ODS_SELECTED) != 0);
        CDC::FromHandle(dis->hDC)->FillSolidRect(&dis->rcItem, selected.back() ? kPressed : kUp);
    }
};

// A control object whose map sees the control's messages.
class CWatchedButton : public CButton {
protected:
    afx_msg void OnKeyDown(UINT c, UINT, UINT)
    {
        trail.push_back("control key " + std::to_string(c));
        Default();
    }
    afx_msg void OnLButtonDown(UINT, CPoint)
    {
        trail.push_back("control press");
        Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CWatchedButton, CButton)
ON_WM_KEYDOWN()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class CTestDlg : public CDialog {
public:
    explicit CTestDlg(CWnd* parent = nullptr)
        : CDialog(IDD_TEST, parent)
    {
    }
    Steps calls;
    int exchanges = 0;
    CDrawnButton drawn;
    CWatchedButton plain;

    // With focusOn set, OnInitDialog places the focus itself and says so by
    // answering FALSE.
    int focusOn = 0;
    BOOL OnInitDialog() override
    {
        calls.push_back("init");
        BOOL answer = CDialog::OnInitDialog();
        if (!focusOn)
            return answer;
        GetDlgItem(focusOn)->SetFocus();
        return FALSE;
    }
    void OnOK() override
    {
        calls.push_back("ok");
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        calls.push_back("cancel");
        CDialog::OnCancel();
    }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN && msg->hwnd == plain.m_hWnd)
            trail.push_back("dialog sees key");
        return CDialog::PreTranslateMessage(msg);
    }

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        ++exchanges;
        DDX_Control(dx, IDC_DRAWN, drawn);
        DDX_Control(dx, IDC_PLAIN, plain);
    }
    afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT dis)
    {
        trail.push_back("dialog draw " + std::to_string(id));
        CDialog::OnDrawItem(id, dis);
    }
    afx_msg void OnDrawnClicked() { calls.push_back("drawn clicked"); }
    afx_msg void OnPlainClicked() { calls.push_back("plain clicked"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
ON_WM_DRAWITEM()
ON_BN_CLICKED(IDC_DRAWN, &CTestDlg::OnDrawnClicked)
ON_BN_CLICKED(IDC_PLAIN, &CTestDlg::OnPlainClicked)
END_MESSAGE_MAP()

POINT CentreOf(CWnd* control)
{
    CRect r;
    control->GetWindowRect(&r);
    return r.CenterPoint();
}

// The dialogs' owner, which counts its timer and its paintings.
class COwner : public CWnd {
public:
    int timers = 0;
    int paints = 0;

protected:
    afx_msg void OnTimer(UINT_PTR) { ++timers; }
    afx_msg void OnPaint()
    {
        ++paints;
        Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwner, CWnd)
ON_WM_TIMER()
ON_WM_PAINT()
END_MESSAGE_MAP()

class Dialogs : public AfxTest {
protected:
    void SetUp() override
    {
        RegisterTemplate();
        // The system's control classes register themselves once something
        // links them in; nothing else in this test program does.
        ws::ctl::EnsureControlClasses();
        ASSERT_TRUE(owner.CreateEx(0, kRecorderClass, "", WS_POPUP | WS_VISIBLE, 600, 300, 200, 200, nullptr, nullptr));
        ASSERT_TRUE(other.CreateEx(0, kRecorderClass, "", WS_POPUP | WS_VISIBLE, 900, 300, 50, 50, nullptr, nullptr));
        driver.Pump();
        trail.clear();
    }
    COwner owner;
    COwner other;
};

TEST_F(Dialogs, AModalDialogEndsWithTheValueGivenWhileOtherWindowsGoOn)
{
    CTestDlg dlg(&owner);
    owner.SetTimer(1, 50);
    int paintsBefore = other.paints, timersDuring = 0;
    BOOL ownerEnabledDuring = TRUE;
    driver.WaitWhileWaiting(500);
    driver.WhenWaiting([&] {
        ownerEnabledDuring = owner.IsWindowEnabled();
        timersDuring = owner.timers;
        other.Invalidate();
    });
    driver.WhenWaiting([&] { dlg.EndDialog(42); });
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_GE(timersDuring, 9) << "the owner's timer kept firing";
    EXPECT_GT(other.paints, paintsBefore) << "another window kept painting";
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(owner.IsWindowEnabled()) << "enabled again afterwards";
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.calls, Steps { "init" });
}

TEST_F(Dialogs, OkAndCancelComeFromTheKeyboardAndTheButtons)
{
    // Inside the modal loop input is taken only as the loop waits, so the
    // pointer moves in one step and the button goes down and up in the next.
    auto click = [this](CTestDlg& d, int id) {
        driver.MoveTo(CentreOf(d.GetDlgItem(id)));
        driver.WhenWaiting([this] {
            driver.Press();
            driver.Release();
        });
    };
    const std::tuple<std::function<void(CTestDlg&)>, INT_PTR, const char*> cases[] = {
        { [this](CTestDlg&) { driver.Key(VK_RETURN); }, IDOK, "ok" },
        { [this](CTestDlg&) { driver.Key(VK_ESCAPE); }, IDCANCEL, "cancel" },
        { [&](CTestDlg& d) { click(d, IDOK); }, IDOK, "ok" },
        { [&](CTestDlg& d) { click(d, IDCANCEL); }, IDCANCEL, "cancel" },
        { [](CTestDlg& d) { d.PostMessage(WM_CLOSE); }, IDCANCEL, "cancel" },
    };
    for (const auto& [act, result, call] : cases) {
        CTestDlg dlg(&owner);
        driver.WhenWaiting([&, &action = act] { action(dlg); });
        EXPECT_EQ(dlg.DoModal(), result);
        EXPECT_EQ(dlg.calls, (Steps { "init", call }));
    }
}

TEST_F(Dialogs, InitialFocusGoesToTheFirstTabStopUnlessOnInitDialogPlacedIt)
{
    CTestDlg first;
    ASSERT_TRUE(first.Create(IDD_TEST, &owner));
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(first.m_hWnd, IDOK));
    first.DestroyWindow();

    CTestDlg placed;
    placed.focusOn = IDC_PLAIN;
    ASSERT_TRUE(placed.Create(IDD_TEST, &owner));
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(placed.m_hWnd, IDC_PLAIN)) << "FALSE keeps the focus where the dialog put it";
}

TEST_F(Dialogs, AModelessDialogSeesItsControlsKeysFirstAndHidesWhenEnded)
{
    CTestDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST, &owner));
    EXPECT_EQ(::GetWindow(dlg.m_hWnd, GW_OWNER), owner.m_hWnd);
    dlg.plain.SetFocus();
    driver.Pump();
    trail.clear();
    driver.Key('A');
    EXPECT_EQ(trail, (Steps { "dialog sees key", "control key 65" }));
    driver.Key(VK_TAB);
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg.m_hWnd, IDC_PICTURE)) << "the keyboard interface moved the focus";
    EXPECT_EQ(std::count(trail.begin(), trail.end(), "control key 9"), 0) << "Tab belonged to the dialog";
    driver.Key(VK_ESCAPE);
    EXPECT_EQ(dlg.calls, (Steps { "init", "cancel" }));
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd)) << "hidden, not destroyed";
}

TEST_F(Dialogs, BoundControlsRunThroughTheirObjectsAndDrawWhenPressed)
{
    CTestDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST, &owner));
    HWND plain = ::GetDlgItem(dlg.m_hWnd, IDC_PLAIN);
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.exchanges, 2);
    EXPECT_EQ(dlg.GetDlgItem(IDC_PLAIN), &dlg.plain) << "bound once, at the first exchange";
    EXPECT_EQ(::GetWindowLongPtr(plain, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&AfxWndProc));
    driver.Pump();
    POINT p = CentreOf(&dlg.plain);
    trail.clear();
    driver.Click(p.x, p.y);
    EXPECT_EQ(trail, Steps { "control press" });
    EXPECT_EQ(dlg.calls.back(), "plain clicked") << "and the button still works";

    p = CentreOf(&dlg.drawn);
    EXPECT_EQ(driver.PixelAt(p.x, p.y), kUp);
    driver.MoveTo(p);
    trail.clear();
    driver.Press();
    ASSERT_GE(trail.size(), 2u);
    EXPECT_EQ(trail[0], "dialog draw 20") << "the parent first";
    EXPECT_EQ(trail[1], "button draw");
    EXPECT_TRUE(dlg.drawn.selected.back());
    EXPECT_EQ(driver.PixelAt(p.x, p.y), kPressed);
    driver.Release();
    EXPECT_FALSE(dlg.drawn.selected.back());
    EXPECT_EQ(driver.PixelAt(p.x, p.y), kUp);
    EXPECT_EQ(dlg.calls.back(), "drawn clicked");
}

TEST_F(Dialogs, ABitmapButtonLoadsItsPicturesByCaptionAndShowsThePressedOne)
{
    auto solid = [](std::uint32_t rgb) { return res::Bitmap { 12, 10, 24, std::vector<std::uint32_t>(120, rgb) }; };
    res::AddBitmap(res::Name::From("PENU"), solid(0x0000FF));
    res::AddBitmap(res::Name::From("PEND"), solid(0xFFFF00));
    CTestDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST, &owner));
    CBitmapButton pen;
    ASSERT_TRUE(pen.AutoLoad(IDC_PICTURE, &dlg));
    EXPECT_EQ(pen.m_bitmapFocus.m_hObject, nullptr) << "no PENF: the focused state shows the up picture";
    CRect r;
    pen.GetWindowRect(&r);
    EXPECT_EQ(r.Size(), CSize(12, 10)) << "sized to its picture";
    driver.Pump();
    driver.MoveTo(r.CenterPoint());
    EXPECT_EQ(driver.PixelAt(r.left + 6, r.top + 5), RGB(0, 0, 255));
    driver.Press();
    EXPECT_EQ(driver.PixelAt(r.left + 6, r.top + 5), RGB(255, 255, 0));
    driver.Release();
    EXPECT_EQ(driver.PixelAt(r.left + 6, r.top + 5), RGB(0, 0, 255));
    CBitmapButton plain;
    EXPECT_FALSE(plain.AutoLoad(IDC_PLAIN, &dlg)) << "already bound to another object";
}

} // namespace
