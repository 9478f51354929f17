#include "platform/window/DialogManager.h"

#include "platform/gdi/Text.h"
#include "platform/window/Controls.h"
#include "platform/window/Dialogs.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/WindowClass.h"

#include <cstring>
#include <map>

namespace ws {

namespace {

std::map<HWND, DialogState>& States()
{
    static std::map<HWND, DialogState> states;
    return states;
}

// The template that CreateDialogIndirectParam is working on, for the window
// procedure's WM_NCCREATE.
struct Pending {
    DLGPROC proc = nullptr;
    HFONT font = nullptr;
    int baseX = 8;
    int baseY = 16;
};
Pending g_pending;

bool IsCtlColor(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

// Messages whose answer a dialog procedure gives as its return value rather
// than through DWLP_MSGRESULT.
bool AnswersDirectly(UINT msg) { return IsCtlColor(msg) || msg == WM_INITDIALOG || msg == WM_QUERYDRAGICON; }

LRESULT DialogWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        DialogState& s = States()[hwnd];
        s.proc = g_pending.proc;
        s.font = g_pending.font;
        s.baseX = g_pending.baseX;
        s.baseY = g_pending.baseY;
        SetWindowLongPtr(hwnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(s.proc));
    }
    return DefDlgProc(hwnd, msg, wParam, lParam);
}

void RegisterDialogClass(const std::string& name)
{
    if (name != WC_DIALOG)
        return;
    WNDCLASS wc {};
    wc.lpfnWndProc = DialogWindowProc;
    wc.lpszClassName = WC_DIALOG;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClass(&wc);
}

const bool g_registered = (AddClassProvider(RegisterDialogClass), true);

// The base units of a template's font: the average width of the Latin
// letters, halved and rounded as the original computes it, and the font's
// height.
void MeasureFont(const res::DialogTemplate& t, Pending& out)
{
    out.font = nullptr;
    out.baseX = 8;
    out.baseY = 16;
    if (!(t.style & DS_SETFONT) || t.fontFace.empty())
        return;
    int height = -(static_cast<int>(t.pointSize) * 96 + 36) / 72;
    out.font = CreateFont(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, t.fontFace.c_str());
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, out.font);
    TEXTMETRIC tm {};
    SIZE extent {};
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    if (GetTextMetrics(dc, &tm) && GetTextExtentPoint32(dc, letters, 52, &extent)) {
        out.baseX = (extent.cx / 26 + 1) / 2;
        out.baseY = tm.tmHeight;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
}

RECT ToPixels(int x, int y, int cx, int cy, int baseX, int baseY)
{
    auto mx = [&](int v) { return (v * baseX + 2) / 4; };
    auto my = [&](int v) { return (v * baseY + 4) / 8; };
    return RECT { mx(x), my(y), mx(x + cx), my(y + cy) };
}

HWND FirstTabStop(HWND dialog) { return GetNextDlgTabItem(dialog, nullptr, FALSE); }

} // namespace

DialogState* DialogOf(HWND hwnd)
{
    auto it = States().find(hwnd);
    return it == States().end() ? nullptr : &it->second;
}

} // namespace ws

using namespace ws;

HWND CreateDialogIndirectParam(HINSTANCE instance, const res::DialogTemplate* tmpl, HWND parent, DLGPROC proc,
    LPARAM param)
{
    if (!tmpl)
        return nullptr;
    (void)g_registered;
    Pending measured;
    MeasureFont(*tmpl, measured);
    measured.proc = proc;

    RECT client = ToPixels(tmpl->x, tmpl->y, tmpl->cx, tmpl->cy, measured.baseX, measured.baseY);
    RECT frame { 0, 0, client.right - client.left, client.bottom - client.top };
    DWORD style = tmpl->style & ~WS_VISIBLE;
    AdjustWindowRectEx(&frame, style, FALSE, tmpl->exStyle);
    POINT origin { client.left, client.top };
    if (parent && !(style & WS_CHILD))
        ClientToScreen(parent, &origin);

    g_pending = measured;
    HWND dialog = CreateWindowEx(tmpl->exStyle, WC_DIALOG, tmpl->caption.c_str(), style, origin.x + frame.left,
        origin.y + frame.top, frame.right - frame.left, frame.bottom - frame.top, parent, nullptr, instance, nullptr);
    g_pending = Pending {};
    if (!dialog) {
        if (measured.font)
            DeleteObject(measured.font);
        return nullptr;
    }
    if (measured.font)
        SendMessage(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(measured.font), FALSE);

    for (const res::DialogItem& item : tmpl->items) {
        RECT r = ToPixels(item.x, item.y, item.cx, item.cy, measured.baseX, measured.baseY);
        HWND control = CreateWindowEx(item.exStyle | WS_EX_NOPARENTNOTIFY, item.windowClass.c_str(), item.text.c_str(),
            item.style | WS_CHILD, r.left, r.top, r.right - r.left, r.bottom - r.top, dialog,
            reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(item.id)), instance, nullptr);
        if (control && measured.font)
            SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(measured.font), FALSE);
        if (control && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && item.windowClass == WC_BUTTON)
            DialogOf(dialog)->defaultId = item.id;
    }

    HWND first = FirstTabStop(dialog);
    if (SendMessage(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) && first && IsWindow(dialog))
        SetFocus(first);
    if (IsWindow(dialog) && (tmpl->style & WS_VISIBLE))
        ShowWindow(dialog, SW_SHOWNORMAL);
    return IsWindow(dialog) ? dialog : nullptr;
}

HWND CreateDialogParam(HINSTANCE instance, const char* templateName, HWND parent, DLGPROC proc, LPARAM param)
{
    return CreateDialogIndirectParam(instance, res::FindDialog(res::Name::From(templateName)), parent, proc, param);
}

void RunModalLoop(HWND dialog, bool (*done)(HWND))
{
    MSG msg;
    while (IsWindow(dialog) && !done(dialog)) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            // Someone asked the program to end: leave the loop and let the
            // outer loop see the request too.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!platform::FilterMessage(msg) && !IsDialogMessage(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

LONG_PTR DialogBoxIndirectParam(HINSTANCE instance, const res::DialogTemplate* tmpl, HWND parent, DLGPROC proc,
    LPARAM param)
{
    res::DialogTemplate hidden = tmpl ? *tmpl : res::DialogTemplate {};
    if (!tmpl)
        return -1;
    hidden.style &= ~WS_VISIBLE;
    HWND dialog = CreateDialogIndirectParam(instance, &hidden, parent, proc, param);
    if (!dialog)
        return -1;
    DialogState* s = DialogOf(dialog);
    s->modal = true;
    HWND owner = GetWindow(dialog, GW_OWNER);
    bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled)
        EnableWindow(owner, FALSE);
    if (!s->ended)
        ShowWindow(dialog, SW_SHOWNORMAL);
    RunModalLoop(dialog, [](HWND d) {
        DialogState* st = DialogOf(d);
        return !st || st->ended;
    });
    LONG_PTR result = -1;
    if (DialogState* st = DialogOf(dialog))
        result = st->result;
    if (ownerWasEnabled && IsWindow(owner)) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    if (IsWindow(dialog))
        DestroyWindow(dialog);
    return result;
}

LONG_PTR DialogBoxParam(HINSTANCE instance, const char* templateName, HWND parent, DLGPROC proc, LPARAM param)
{
    return DialogBoxIndirectParam(instance, res::FindDialog(res::Name::From(templateName)), parent, proc, param);
}

BOOL EndDialog(HWND dialog, LONG_PTR result)
{
    DialogState* s = DialogOf(dialog);
    if (!s)
        return FALSE;
    s->ended = true;
    s->result = result;
    // Ended dialogs disappear at once; a modal one is destroyed when its
    // loop notices, a modeless one stays hidden until destroyed.
    ShowWindow(dialog, SW_HIDE);
    return TRUE;
}

BOOL MapDialogRect(HWND dialog, LPRECT rect)
{
    DialogState* s = DialogOf(dialog);
    if (!s || !rect)
        return FALSE;
    *rect = ToPixels(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, s->baseX, s->baseY);
    return TRUE;
}

LONG GetDialogBaseUnits() { return static_cast<LONG>(MAKELPARAM(8, 16)); }

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND item = GetDlgItem(dialog, id);
    return item ? SendMessage(item, msg, wParam, lParam) : 0;
}

BOOL SetDlgItemText(HWND dialog, int id, const char* text)
{
    HWND item = GetDlgItem(dialog, id);
    return item ? SetWindowText(item, text) : FALSE;
}

UINT GetDlgItemText(HWND dialog, int id, char* out, int max)
{
    HWND item = GetDlgItem(dialog, id);
    if (!item) {
        if (out && max > 0)
            out[0] = '\0';
        return 0;
    }
    return static_cast<UINT>(GetWindowText(item, out, max));
}

LRESULT DefDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DialogState* s = DialogOf(hwnd);
    if (s && s->proc && msg != WM_NCCREATE) {
        LONG_PTR handled = s->proc(hwnd, msg, wParam, lParam);
        // The answer to WM_INITDIALOG is the procedure's own, FALSE included:
        // FALSE says the procedure placed the focus itself.
        if (msg == WM_INITDIALOG)
            return handled;
        if (handled) {
            if (AnswersDirectly(msg))
                return handled;
            return GetWindowLongPtr(hwnd, DWLP_MSGRESULT);
        }
        s = DialogOf(hwnd); // the procedure may have destroyed the dialog
        if (!s && msg != WM_NCDESTROY)
            return 0;
    }
    switch (msg) {
    case WM_ERASEBKGND: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        auto brush = reinterpret_cast<HBRUSH>(
            SendMessage(hwnd, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(hwnd)));
        if (!brush)
            brush = GetSysColorBrush(COLOR_BTNFACE);
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(dc, &r, brush);
        return 1;
    }
    case WM_CLOSE: {
        HWND cancel = GetDlgItem(hwnd, IDCANCEL);
        if (!cancel || IsWindowEnabled(cancel))
            PostMessage(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND f = GetFocus();
            if (s && f && IsChild(hwnd, f))
                s->focus = f;
        } else if (s) {
            HWND f = s->focus && IsWindow(s->focus) ? s->focus : FirstTabStop(hwnd);
            SetFocus(f ? f : hwnd);
        }
        return 0;
    case WM_SETFOCUS:
        if (s) {
            HWND f = s->focus && IsWindow(s->focus) ? s->focus : FirstTabStop(hwnd);
            if (f)
                SetFocus(f);
        }
        return 0;
    case WM_NEXTDLGCTL: {
        HWND next = LOWORD(static_cast<ULONG_PTR>(lParam)) ? reinterpret_cast<HWND>(wParam)
                                                           : GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0);
        if (next)
            SetFocus(next);
        return 0;
    }
    case DM_GETDEFID:
        return s ? MAKELRESULT(s->defaultId, 0x534B) : 0;
    case DM_SETDEFID:
        if (s)
            s->defaultId = static_cast<WORD>(wParam);
        return TRUE;
    case WM_NCDESTROY: {
        LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
        auto it = States().find(hwnd);
        if (it != States().end()) {
            if (it->second.font)
                DeleteObject(it->second.font);
            States().erase(it);
        }
        return r;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_INITDIALOG:
        return TRUE;
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}
