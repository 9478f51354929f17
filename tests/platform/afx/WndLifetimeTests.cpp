// How objects and windows come together and part: binding at creation
// before the first message, letting go on WM_NCDESTROY before
// PostNcDestroy, temporary wrappers of foreign windows, attaching and
// subclassing.

#include "platform/afx/Wnd.h"
#include "tests/platform/afx/AfxTestSupport.h"

#include <string>
#include <vector>

namespace {

using afxtest::AfxTest;
using afxtest::CountOf;
using afxtest::kRecorderClass;

std::vector<std::string> events;

// Notes what it sees of itself at each stage of its window's life.
class CLifeProbe : public CWnd {
public:
    explicit CLifeProbe(std::string name = "w")
        : name_(std::move(name))
    {
    }
    HWND atNcCreate = nullptr;
    bool boundAtCreate = false;
    int createAnswer = 0;
    HWND made = nullptr;
    bool unboundAtPost = false;

protected:
    afx_msg LRESULT OnNcCreate(WPARAM, LPARAM)
    {
        atNcCreate = m_hWnd;
        return Default();
    }
    afx_msg int OnCreate(LPCREATESTRUCT)
    {
        boundAtCreate = FromHandlePermanent(m_hWnd) == this;
        made = m_hWnd;
        return createAnswer;
    }
    afx_msg void OnDestroy()
    {
        events.push_back(name_ + " destroy");
        CWnd::OnDestroy();
    }
    void PostNcDestroy() override
    {
        unboundAtPost = !m_hWnd && !FromHandlePermanent(made);
        events.push_back(name_ + " post");
    }
    DECLARE_MESSAGE_MAP()

private:
    std::string name_;
};

BEGIN_MESSAGE_MAP(CLifeProbe, CWnd)
ON_MESSAGE(WM_NCCREATE, &CLifeProbe::OnNcCreate)
ON_WM_CREATE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

using Events = std::vector<std::string>;

TEST_F(AfxTest, CreateExBindsTheObjectBeforeTheFirstMessage)
{
    CLifeProbe w;
    ASSERT_TRUE(w.CreateEx(0, kRecorderClass, "", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr));
    EXPECT_EQ(w.atNcCreate, w.m_hWnd) << "bound when WM_NCCREATE arrives";
    EXPECT_TRUE(w.boundAtCreate);
    EXPECT_EQ(CountOf(w.m_hWnd, WM_NCCREATE), 1) << "passed on to the class's procedure";

    events.clear();
    CLifeProbe refused;
    refused.createAnswer = -1;
    EXPECT_FALSE(refused.CreateEx(0, kRecorderClass, "", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr));
    EXPECT_EQ(refused.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(refused.made));
    EXPECT_EQ(events, (Events { "w destroy", "w post" }));

    CLifeProbe unknown, next;
    EXPECT_FALSE(unknown.CreateEx(0, "NoSuchClass", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    ASSERT_TRUE(next.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr)) << "a class of the library's";
    EXPECT_EQ(unknown.m_hWnd, nullptr) << "a failed creation does not bind a later window";
    EXPECT_EQ(CWnd::FromHandlePermanent(next.m_hWnd), &next);
}

// A window object on the heap that deletes itself when its window is gone.
class CSelfDeleting : public CWnd {
public:
    static inline int deleted = 0;
    ~CSelfDeleting() override { ++deleted; }

protected:
    void PostNcDestroy() override { delete this; }
};

TEST_F(AfxTest, TheHandleIsGoneBeforePostNcDestroyAndChildrenGoFirst)
{
    CLifeProbe parent("parent"), child("child");
    ASSERT_TRUE(parent.CreateEx(0, kRecorderClass, "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    ASSERT_TRUE(child.Create(kRecorderClass, "", WS_VISIBLE, CRect(5, 5, 50, 50), &parent, 7));
    EXPECT_EQ(GetDlgCtrlID(child.m_hWnd), 7);
    events.clear();
    EXPECT_TRUE(parent.DestroyWindow());
    EXPECT_EQ(events, (Events { "parent destroy", "child destroy", "child post", "parent post" }));
    EXPECT_TRUE(parent.unboundAtPost && child.unboundAtPost);

    HWND h = nullptr;
    {
        CLifeProbe scoped;
        ASSERT_TRUE(scoped.CreateEx(0, kRecorderClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        h = scoped.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(h)) << "an object that goes takes its window";

    CSelfDeleting::deleted = 0;
    auto* a = new CSelfDeleting;
    auto* b = new CSelfDeleting;
    ASSERT_TRUE(a->CreateEx(0, kRecorderClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    ASSERT_TRUE(b->CreateEx(0, kRecorderClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    ::DestroyWindow(a->m_hWnd); // from outside
    EXPECT_TRUE(b->DestroyWindow()); // through the object
    EXPECT_EQ(CSelfDeleting::deleted, 2);
}

TEST_F(AfxTest, ForeignWindowsGetTemporaryWrappersUntilIdle)
{
    HWND parent = afxtest::MakeForeign(WS_POPUP, RECT { 0, 0, 80, 80 });
    HWND child = afxtest::MakeForeign(WS_CHILD, RECT { 0, 0, 10, 10 }, parent, 3);
    CWnd::DeleteTempMap();
    CWnd* wrapper = CWnd::FromHandle(parent);
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(CWnd::FromHandle(parent), wrapper) << "one wrapper per handle";
    EXPECT_EQ(CWnd::FromHandlePermanent(parent), nullptr);
    EXPECT_EQ(wrapper->GetDlgItem(3)->GetParent(), wrapper);
    EXPECT_EQ(CWnd::TemporaryCount(), 2u);
    CWinApp app;
    app.OnIdle(0);
    EXPECT_EQ(CWnd::TemporaryCount(), 0u);
    EXPECT_TRUE(IsWindow(parent) && IsWindow(child)) << "the windows stay";

    // Attaching binds without taking the messages over.
    CWnd w, other;
    ASSERT_TRUE(w.Attach(parent));
    EXPECT_FALSE(other.Attach(parent)) << "one object per handle";
    EXPECT_EQ(CWnd::FromHandle(parent), &w);
    EXPECT_EQ(GetWindowLongPtr(parent, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&afxtest::RecordingProc));
    EXPECT_EQ(w.Detach(), parent);
    EXPECT_EQ(CWnd::FromHandlePermanent(parent), nullptr);
    ASSERT_TRUE(w.Attach(parent));
    EXPECT_TRUE(w.DestroyWindow());
    EXPECT_EQ(w.m_hWnd, nullptr) << "let go although its window never ran through the library";
}

class CTimerProbe : public CWnd {
public:
    std::vector<UINT_PTR> timers;

protected:
    afx_msg void OnTimer(UINT_PTR id) { timers.push_back(id); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTimerProbe, CWnd)
ON_WM_TIMER()
END_MESSAGE_MAP()

TEST_F(AfxTest, SubclassingRoutesMessagesThroughTheObjectUntilUndone)
{
    HWND parent = afxtest::MakeForeign(WS_POPUP, RECT { 0, 0, 80, 80 });
    HWND h = afxtest::MakeForeign(WS_CHILD, RECT { 0, 0, 10, 10 }, parent, 12);
    CTimerProbe probe;
    ASSERT_TRUE(probe.SubclassDlgItem(12, CWnd::FromHandle(parent)));
    EXPECT_EQ(probe.m_hWnd, h);
    SendMessage(h, WM_TIMER, 5, 0);
    EXPECT_EQ(SendMessage(h, afxtest::kEcho, 1, 0), 2) << "the rest reaches the old procedure";
    EXPECT_EQ(probe.timers, std::vector<UINT_PTR> { 5 });
    EXPECT_EQ(CountOf(h, WM_TIMER), 0);

    EXPECT_EQ(probe.UnsubclassWindow(), h);
    EXPECT_EQ(GetWindowLongPtr(h, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&afxtest::RecordingProc));
    SendMessage(h, WM_TIMER, 6, 0);
    EXPECT_EQ(probe.timers.size(), 1u);
    EXPECT_EQ(CountOf(h, WM_TIMER), 1);
    EXPECT_FALSE(probe.SubclassDlgItem(99, CWnd::FromHandle(parent))) << "no such control";
}

} // namespace
