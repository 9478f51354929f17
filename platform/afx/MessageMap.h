#pragma once

// Message maps: every window class of the library lists the messages it
// handles in a static table, and each table chains to the table of its base
// class. A window looks a message up from its own class towards CWnd; the
// first entry that matches calls the handler with the message's arguments
// decoded, and a message no entry takes goes to the window's previous
// procedure.
//
// A table is written between BEGIN_MESSAGE_MAP(theClass, baseClass) and
// END_MESSAGE_MAP(), with one ON_... line per message, in a source file of
// the class that said DECLARE_MESSAGE_MAP() in its declaration. Each entry
// holds a small function (a captureless lambda) that calls the handler of
// the class by name or through a member pointer of exactly the right type,
// so a handler with the wrong signature does not compile.

#include "platform/afx/Point.h"
#include "platform/window/Controls.h"
#include "platform/window/WinUser.h"

#include <type_traits>

class CWnd;
class CDC;

// Marks message handlers in class declarations; it means nothing to the
// compiler.
#define afx_msg

using LPCREATESTRUCT = CREATESTRUCT*;
using LPDRAWITEMSTRUCT = DRAWITEMSTRUCT*;

// Every WM_CTLCOLOR* message is looked up under this one message, with the
// kind of control passed to the handler (CTLCOLOR_STATIC and so on).
inline constexpr UINT WM_CTLCOLOR = 0x0019;
inline constexpr UINT CTLCOLOR_MSGBOX = 0;
inline constexpr UINT CTLCOLOR_EDIT = 1;
inline constexpr UINT CTLCOLOR_LISTBOX = 2;
inline constexpr UINT CTLCOLOR_BTN = 3;
inline constexpr UINT CTLCOLOR_DLG = 4;
inline constexpr UINT CTLCOLOR_SCROLLBAR = 5;
inline constexpr UINT CTLCOLOR_STATIC = 6;

// A notification that a parent hands back to the child it came from is
// looked up in the child's table as this plus the message.
inline constexpr UINT WM_REFLECT_BASE = 0xBC00;

constexpr bool AfxIsCtlColorMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// Calls one handler. Answers false when the handler declines the message
// (only handlers of reflected messages can), true with *result set when it
// took it.
using AFX_PMSG = bool (*)(CWnd* target, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // the message; WM_COMMAND for commands and notifications
    UINT nCode; // the notification code of WM_COMMAND entries, else 0
    UINT nID; // the first command or control id, else 0
    UINT nLastID; // the last id of the entry's range
    AFX_PMSG pfn; // null ends a table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)(); // null for the root of the chain
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The first entry of map, or of the maps it chains to, for the message with
// that code and id (both 0 for ordinary messages).
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id);

// Looks the message up and calls the handler it finds. Answers whether a
// handler took the message.
bool AfxDispatchThroughMap(CWnd* target, const AFX_MSGMAP* map, UINT key, UINT code, UINT id, UINT message,
    WPARAM wParam, LPARAM lParam, LRESULT* result);

#define DECLARE_MESSAGE_MAP()                                                                                          \
protected:                                                                                                             \
    static const AFX_MSGMAP* GetThisMessageMap();                                                                      \
    const AFX_MSGMAP* GetMessageMap() const override;

// The table is a brace list split across two macros, which the formatter
// cannot see whole.
// clang-format off
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                                \
    {                                                                                                              \
        using ThisClass = theClass;                                                                                \
        using TheBaseClass = baseClass;                                                                            \
        static_assert(std::is_base_of_v<TheBaseClass, ThisClass>, "a message map chains to a base class");        \
        static const AFX_MSGMAP_ENTRY messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                          \
    { 0, 0, 0, 0, nullptr }                                                                                        \
    }                                                                                                              \
    ;                                                                                                              \
    static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &messageEntries[0] };                 \
    return &messageMap;                                                                                            \
    }
// clang-format on

// One entry whose handler runs the statements given, with self (the window
// as the class of the table), wParam, lParam, afxMessage and afxResult (0
// unless the statements set it) in scope.
#define AFX_MSG_ENTRY(message, code, id, lastId, ...)                                                                  \
    { static_cast<UINT>(message), static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(lastId),           \
        [](CWnd* afxTarget, UINT afxMessage, WPARAM wParam, LPARAM lParam, LRESULT* afxResult) -> bool {               \
            [[maybe_unused]] ThisClass* self = static_cast<ThisClass*>(afxTarget);                                     \
            (void)afxMessage;                                                                                          \
            (void)wParam;                                                                                              \
            (void)lParam;                                                                                              \
            *afxResult = 0;                                                                                            \
            __VA_ARGS__;                                                                                               \
            return true;                                                                                               \
        } },

// The point in a mouse message's lParam.
inline CPoint AfxPointFromLParam(LPARAM lParam) { return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); }

#define AFX_MOUSE_ENTRY(message, handler)                                                                              \
    AFX_MSG_ENTRY(message, 0, 0, 0, self->handler(static_cast<UINT>(wParam), AfxPointFromLParam(lParam)))

// Handlers of window messages, with the signatures the class must declare.
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, 0, 0, 0, self->OnPaint())
// BOOL OnEraseBkgnd(CDC*)
#define ON_WM_ERASEBKGND()                                                                                             \
    AFX_MSG_ENTRY(WM_ERASEBKGND, 0, 0, 0,                                                                              \
        *afxResult = self->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam))))
// HBRUSH OnCtlColor(CDC*, CWnd*, UINT nCtlColor)
#define ON_WM_CTLCOLOR()                                                                                               \
    AFX_MSG_ENTRY(WM_CTLCOLOR, 0, 0, 0,                                                                                \
        *afxResult = reinterpret_cast<LRESULT>(self->OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),        \
            CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), afxMessage - WM_CTLCOLORMSGBOX)))
// void OnX(UINT nFlags, CPoint point)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_MOUSEHOVER() AFX_MOUSE_ENTRY(WM_MOUSEHOVER, OnMouseHover)
// BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt), pt on the screen
#define ON_WM_MOUSEWHEEL()                                                                                             \
    AFX_MSG_ENTRY(WM_MOUSEWHEEL, 0, 0, 0,                                                                              \
        *afxResult = self->OnMouseWheel(LOWORD(wParam), GET_WHEEL_DELTA_WPARAM(wParam), AfxPointFromLParam(lParam)))
#define ON_WM_MOUSELEAVE() AFX_MSG_ENTRY(WM_MOUSELEAVE, 0, 0, 0, self->OnMouseLeave())
// void OnTimer(UINT_PTR nIDEvent)
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, 0, 0, 0, self->OnTimer(static_cast<UINT_PTR>(wParam)))
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, 0, 0, 0, self->OnDestroy())
#define ON_WM_NCDESTROY() AFX_MSG_ENTRY(WM_NCDESTROY, 0, 0, 0, self->OnNcDestroy())
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, 0, 0, 0, self->OnClose())
// int OnCreate(LPCREATESTRUCT); -1 stops the creation
#define ON_WM_CREATE()                                                                                                 \
    AFX_MSG_ENTRY(WM_CREATE, 0, 0, 0, *afxResult = self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)))
// void OnSize(UINT nType, int cx, int cy)
#define ON_WM_SIZE()                                                                                                   \
    AFX_MSG_ENTRY(WM_SIZE, 0, 0, 0, self->OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
// void OnSetFocus(CWnd* pOldWnd), void OnKillFocus(CWnd* pNewWnd)
#define ON_WM_SETFOCUS()                                                                                               \
    AFX_MSG_ENTRY(WM_SETFOCUS, 0, 0, 0, self->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))))
#define ON_WM_KILLFOCUS()                                                                                              \
    AFX_MSG_ENTRY(WM_KILLFOCUS, 0, 0, 0, self->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))))
// void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_KEYDOWN()                                                                                                \
    AFX_MSG_ENTRY(WM_KEYDOWN, 0, 0, 0, self->OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
// UINT OnGetDlgCode()
#define ON_WM_GETDLGCODE() AFX_MSG_ENTRY(WM_GETDLGCODE, 0, 0, 0, *afxResult = self->OnGetDlgCode())
// void OnSysCommand(UINT nID, LPARAM lParam)
#define ON_WM_SYSCOMMAND() AFX_MSG_ENTRY(WM_SYSCOMMAND, 0, 0, 0, self->OnSysCommand(static_cast<UINT>(wParam), lParam))
// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON()                                                                                          \
    AFX_MSG_ENTRY(WM_QUERYDRAGICON, 0, 0, 0, *afxResult = reinterpret_cast<LRESULT>(self->OnQueryDragIcon()))
// BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
#define ON_WM_SETCURSOR()                                                                                              \
    AFX_MSG_ENTRY(WM_SETCURSOR, 0, 0, 0,                                                                               \
        *afxResult = self->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam),               \
            HIWORD(lParam)))
// void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT)
#define ON_WM_DRAWITEM()                                                                                               \
    AFX_MSG_ENTRY(WM_DRAWITEM, 0, 0, 0,                                                                                \
                  self->OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));              \
                  *afxResult = TRUE)
// void OnCaptureChanged(CWnd* pWnd), pWnd being the window that gains it
#define ON_WM_CAPTURECHANGED()                                                                                         \
    AFX_MSG_ENTRY(WM_CAPTURECHANGED, 0, 0, 0, self->OnCaptureChanged(CWnd::FromHandle(reinterpret_cast<HWND>(lParam))))
// void OnShowWindow(BOOL bShow, UINT nStatus)
#define ON_WM_SHOWWINDOW()                                                                                             \
    AFX_MSG_ENTRY(WM_SHOWWINDOW, 0, 0, 0, self->OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)))

// LRESULT (theClass::*)(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn)                                                                                 \
    AFX_MSG_ENTRY(message, 0, 0, 0, LRESULT (ThisClass::*afxFn)(WPARAM, LPARAM) = memberFxn;                           \
                  *afxResult = (self->*afxFn)(wParam, lParam))

// Commands and control notifications: void (theClass::*)(). A command from
// a menu or accelerator carries code 0, as does a button's BN_CLICKED.
#define ON_CONTROL(code, id, memberFxn)                                                                                \
    AFX_MSG_ENTRY(WM_COMMAND, code, id, id, void (ThisClass::*afxFn)() = memberFxn; (self->*afxFn)())
#define ON_COMMAND(id, memberFxn) ON_CONTROL(0, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)

// A control's own handling of the notifications its parent reflects back:
// void (theClass::*)() for a WM_COMMAND notification code, and
// HBRUSH CtlColor(CDC*, UINT nCtlColor), where a null brush declines.
#define ON_CONTROL_REFLECT(code, memberFxn)                                                                            \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, void(ThisClass::*afxFn)() = memberFxn; (self->*afxFn)())
#define ON_WM_CTLCOLOR_REFLECT()                                                                                       \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0,                                                              \
                  HBRUSH afxBrush = self->CtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),                     \
                      afxMessage - WM_CTLCOLORMSGBOX);                                                                 \
                  if (!afxBrush) return false; *afxResult = reinterpret_cast<LRESULT>(afxBrush))
