// What a window does with a message its own handler leaves alone.

#include "platform/window/Input.h"
#include "platform/window/Messages.h"
#include "platform/window/Painting.h"
#include "platform/window/WindowClass.h"
#include "platform/window/WindowTree.h"

#include <algorithm>
#include <cstring>

namespace ws {

namespace {

POINT LparamPoint(LPARAM lp) { return POINT { GET_X_LPARAM(lp), GET_Y_LPARAM(lp) }; }

// The close box at the right end of the caption bar, in window coordinates.
RECT CloseBox(const Window* w)
{
    RECT in = NonClientInsets(w->style, w->exStyle);
    int size = in.top - in.left - 4;
    int right = w->Width() - in.right - 2;
    return RECT { right - size, in.left + 2, right, in.left + 2 + size };
}

LRESULT HitTestDefault(Window* w, POINT screen)
{
    POINT o = w->ScreenOrigin();
    int x = screen.x - o.x, y = screen.y - o.y;
    if (x < 0 || y < 0 || x >= w->Width() || y >= w->Height())
        return HTNOWHERE;
    RECT c = w->ClientInWindow();
    if (x >= c.left && x < c.right && y >= c.top && y < c.bottom)
        return HTCLIENT;
    RECT in = NonClientInsets(w->style, w->exStyle);
    if ((w->style & WS_CAPTION) == WS_CAPTION && y >= in.left && y < in.top) {
        RECT close = CloseBox(w);
        POINT p { x, y };
        if ((w->style & WS_SYSMENU) && PtInRect(&close, p))
            return HTCLOSE;
        return HTCAPTION;
    }
    return HTBORDER;
}

void PaintFrame(Window* w)
{
    RECT in = NonClientInsets(w->style, w->exStyle);
    if (in.left == 0 && in.top == 0)
        return;
    HDC dc = GetWindowDC(w);
    RECT c = w->ClientInWindow();
    HRGN clip = CreateRectRgn(0, 0, w->Width(), w->Height());
    HRGN client = CreateRectRgn(c.left, c.top, c.right, c.bottom);
    CombineRgn(clip, clip, client, RGN_DIFF);
    ExtSelectClipRgn(dc, clip, RGN_AND);
    DeleteObject(clip);
    DeleteObject(client);

    RECT whole { 0, 0, w->Width(), w->Height() };
    bool active = ActiveWindow() == w;
    HBRUSH frame = CreateSolidBrush(active ? RGB(70, 96, 140) : RGB(150, 160, 176));
    FillRect(dc, &whole, frame);
    DeleteObject(frame);
    if ((w->style & WS_CAPTION) == WS_CAPTION && (w->style & WS_SYSMENU)) {
        RECT box = CloseBox(w);
        HPEN pen = CreatePen(PS_SOLID, 2, RGB(255, 255, 255));
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, box.left + 4, box.top + 4, nullptr);
        LineTo(dc, box.right - 5, box.bottom - 5);
        MoveToEx(dc, box.right - 5, box.top + 4, nullptr);
        LineTo(dc, box.left + 4, box.bottom - 5);
        SelectObject(dc, old);
        DeleteObject(pen);
    }
    ReleaseDC(w, dc);
}

} // namespace

} // namespace ws

using namespace ws;

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return 0;
    switch (msg) {
    case WM_NCCREATE:
        return TRUE;
    case WM_NCCALCSIZE: {
        // The standard frame: the client area is the window rectangle less
        // the insets the styles ask for.
        RECT in = NonClientInsets(w->style, w->exStyle);
        RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
        r->left += in.left;
        r->top += in.top;
        r->right = std::max(r->left, r->right - in.right);
        r->bottom = std::max(r->top, r->bottom - in.bottom);
        return 0;
    }
    case WM_NCHITTEST:
        return HitTestDefault(w, LparamPoint(lParam));
    case WM_NCPAINT:
        PaintFrame(w);
        return 0;
    case WM_NCACTIVATE:
        InvalidateFrame(w);
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        HBRUSH brush = w->windowClass ? w->windowClass->background : nullptr;
        if (!brush)
            return 0;
        // A class background of (system colour index + 1) means that colour.
        auto index = reinterpret_cast<ULONG_PTR>(brush);
        if (index <= 31)
            brush = GetSysColorBrush(static_cast<int>(index - 1));
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
        return 1;
    }
    case WM_ICONERASEBKGND:
        return SendMessage(hwnd, WM_ERASEBKGND, wParam, 0);
    case WM_SETCURSOR: {
        // The parent gets the first say.
        if (w->IsChild() && w->parent && SendMessage(w->parent, WM_SETCURSOR, wParam, lParam))
            return TRUE;
        if (LOWORD(static_cast<ULONG_PTR>(lParam)) != HTCLIENT) {
            // Captions and borders show the arrow.
            SetCursor(LoadCursor(nullptr, IDC_ARROW));
            return TRUE;
        }
        if (w->windowClass && w->windowClass->cursor) {
            SetCursor(w->windowClass->cursor);
            return TRUE;
        }
        return FALSE;
    }
    case WM_MOUSEACTIVATE:
        if (w->IsChild() && w->parent) {
            LRESULT r = SendMessage(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
            if (r)
                return r;
        }
        return (w->exStyle & WS_EX_NOACTIVATE) ? MA_NOACTIVATE : MA_ACTIVATE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
            SetFocus(hwnd);
        return 0;
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCAPTION)
            BeginSystemMove(w);
        return 0;
    case WM_NCLBUTTONUP:
        if (wParam == HTCLOSE)
            SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            return SendMessage(hwnd, WM_CLOSE, 0, 0);
        case SC_MINIMIZE:
            ShowWindow(hwnd, SW_MINIMIZE);
            return 0;
        case SC_MAXIMIZE:
            ShowWindow(hwnd, SW_MAXIMIZE);
            return 0;
        case SC_RESTORE:
            ShowWindow(hwnd, SW_RESTORE);
            return 0;
        default:
            return 0;
        }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!(pos->flags & (SWP_NOMOVE | SWP_NOCLIENTMOVE))) {
            RECT c = w->ClientInWindow();
            SendMessage(hwnd, WM_MOVE, 0,
                MAKELPARAM(static_cast<WORD>(w->rect.left + c.left), static_cast<WORD>(w->rect.top + c.top)));
        }
        if (!(pos->flags & (SWP_NOSIZE | SWP_NOCLIENTSIZE))) {
            RECT c = w->ClientInWindow();
            WPARAM kind = w->maximized ? SIZE_MAXIMIZED : w->minimized ? SIZE_MINIMIZED : SIZE_RESTORED;
            SendMessage(hwnd, WM_SIZE, kind,
                MAKELPARAM(static_cast<WORD>(c.right - c.left), static_cast<WORD>(c.bottom - c.top)));
        }
        return 0;
    }
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        InvalidateFrame(w);
        return TRUE;
    case WM_GETTEXT: {
        if (wParam == 0)
            return 0;
        auto* out = reinterpret_cast<char*>(lParam);
        std::size_t n = std::min<std::size_t>(w->text.size(), wParam - 1);
        std::memcpy(out, w->text.data(), n);
        out[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_SETFONT:
        w->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(static_cast<ULONG_PTR>(lParam)))
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(w->font);
    case WM_SETICON: {
        HICON old = wParam == ICON_BIG ? w->bigIcon : w->smallIcon;
        (wParam == ICON_BIG ? w->bigIcon : w->smallIcon) = reinterpret_cast<HICON>(lParam);
        return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON:
        return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->bigIcon : w->smallIcon);
    case WM_MOUSEWHEEL:
        // Unhandled wheel turns go up to the parent.
        if (w->IsChild() && w->parent)
            return SendMessage(w->parent, WM_MOUSEWHEEL, wParam, lParam);
        return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        bool field = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(field ? COLOR_WINDOW : COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(field ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(w->bigIcon);
    default:
        return 0;
    }
}
