// The keyboard interface of dialog boxes: Tab and Shift+Tab between tab
// stops, arrows within a group, Enter for the default button and Esc for
// cancel, unless the control with the focus asks for those keys itself
// through WM_GETDLGCODE.

#include "platform/window/Controls.h"
#include "platform/window/DialogManager.h"
#include "platform/window/Dialogs.h"

#include <string>
#include <vector>

namespace {

std::vector<HWND> Children(HWND dialog)
{
    std::vector<HWND> out;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        out.push_back(c);
    return out;
}

bool CanTakeFocus(HWND c) { return IsWindowVisible(c) && IsWindowEnabled(c); }

DWORD StyleOf(HWND c) { return static_cast<DWORD>(GetWindowLongPtr(c, GWL_STYLE)); }

// The next child after (or before) from that passes the test, going round.
HWND Cycle(HWND dialog, HWND from, bool previous, bool (*ok)(HWND))
{
    std::vector<HWND> all = Children(dialog);
    if (all.empty())
        return nullptr;
    int n = static_cast<int>(all.size());
    int start = -1;
    for (int i = 0; i < n; ++i)
        if (all[static_cast<std::size_t>(i)] == from)
            start = i;
    int step = previous ? -1 : 1;
    int i = start < 0 ? (previous ? n : -1) : start;
    for (int k = 0; k < n; ++k) {
        i = (i + step + n) % n;
        HWND c = all[static_cast<std::size_t>(i)];
        if (ok(c))
            return c;
    }
    return nullptr;
}

bool IsPushButton(HWND c)
{
    char name[16] = {};
    GetClassName(c, name, sizeof name);
    DWORD type = StyleOf(c) & BS_TYPEMASK;
    return std::string(name) == "BUTTON" && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW);
}

void Command(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    if (control && !IsWindowEnabled(control))
        return;
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

} // namespace

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous)
{
    if (!IsWindow(dialog))
        return nullptr;
    return Cycle(dialog, control, previous != FALSE,
        [](HWND c) { return CanTakeFocus(c) && (StyleOf(c) & WS_TABSTOP) != 0; });
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous)
{
    if (!IsWindow(dialog) || !control)
        return nullptr;
    // The group runs from a control with WS_GROUP to the control before the
    // next one with WS_GROUP.
    std::vector<HWND> all = Children(dialog);
    std::size_t at = 0;
    while (at < all.size() && all[at] != control)
        ++at;
    if (at == all.size())
        return nullptr;
    std::size_t first = at;
    while (first > 0 && !(StyleOf(all[first]) & WS_GROUP))
        --first;
    std::size_t last = at;
    while (last + 1 < all.size() && !(StyleOf(all[last + 1]) & WS_GROUP))
        ++last;
    std::size_t size = last - first + 1;
    for (std::size_t k = 1; k <= size; ++k) {
        std::size_t i = previous ? first + (at - first + size - k) % size : first + (at - first + k) % size;
        if (CanTakeFocus(all[i]))
            return all[i];
    }
    return control;
}

BOOL IsDialogMessage(HWND dialog, LPMSG msg)
{
    if (!msg || !IsWindow(dialog) || (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)))
        return FALSE;
    if (msg->message == WM_KEYDOWN) {
        LRESULT code = SendMessage(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
        bool wantsAll = (code & DLGC_WANTALLKEYS) != 0;
        switch (msg->wParam) {
        case VK_TAB:
            if (!wantsAll && !(code & DLGC_WANTTAB)) {
                bool back = GetKeyState(VK_SHIFT) & KEY_DOWN_BIT;
                if (HWND next = GetNextDlgTabItem(dialog, GetFocus(), back ? TRUE : FALSE))
                    SetFocus(next);
                return TRUE;
            }
            break;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (!wantsAll && !(code & DLGC_WANTARROWS)) {
                bool back = msg->wParam == VK_LEFT || msg->wParam == VK_UP;
                if (HWND next = GetNextDlgGroupItem(dialog, GetFocus(), back ? TRUE : FALSE))
                    SetFocus(next);
                return TRUE;
            }
            break;
        case VK_RETURN:
            if (!wantsAll) {
                HWND focus = GetFocus();
                if (focus && IsChild(dialog, focus) && IsPushButton(focus))
                    Command(dialog, GetDlgCtrlID(focus));
                else
                    Command(dialog, LOWORD(static_cast<ULONG_PTR>(SendMessage(dialog, DM_GETDEFID, 0, 0))));
                return TRUE;
            }
            break;
        case VK_ESCAPE:
            if (!wantsAll) {
                Command(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        default:
            break;
        }
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
    return TRUE;
}
