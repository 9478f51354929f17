#include "platform/window/StaticControl.h"

#include "platform/gdi/Text.h"
#include "platform/window/ControlPainting.h"
#include "platform/window/Controls.h"
#include "platform/window/Cursor.h"

#include <string>

namespace ws::ctl {

namespace {

// Frames and the prefix switch, with the values of the desktop API.
constexpr DWORD kBlackFrame = 0x07;
constexpr DWORD kGrayFrame = 0x08;
constexpr DWORD kWhiteFrame = 0x09;
constexpr DWORD kNoPrefix = 0x80;

bool IsPicture(DWORD type) { return type == SS_BITMAP || type == SS_ICON; }

// The fill or frame colour of the rectangle and frame kinds, if type is one.
bool ShapeColour(DWORD type, COLORREF& colour)
{
    switch (type) {
    case SS_BLACKRECT:
    case kBlackFrame:
        colour = RGB(0, 0, 0);
        return true;
    case SS_GRAYRECT:
    case kGrayFrame:
        colour = GetSysColor(COLOR_BTNSHADOW);
        return true;
    case SS_WHITERECT:
    case kWhiteFrame:
        colour = RGB(255, 255, 255);
        return true;
    default:
        return false;
    }
}

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info {};
    if (!bitmap || GetObject(bitmap, sizeof info, &info) != sizeof info)
        return SIZE { 0, 0 };
    return SIZE { info.bmWidth, info.bmHeight };
}

} // namespace

StaticControl::StaticControl(HWND hwnd, const CREATESTRUCT&)
    : hwnd_(hwnd)
{
}

StaticControl::~StaticControl()
{
    if (ownsBitmap_ && bitmap_)
        DeleteObject(bitmap_);
}

DWORD StaticControl::Style() const { return static_cast<DWORD>(GetWindowLongPtr(hwnd_, GWL_STYLE)); }

DWORD StaticControl::Type() const { return Style() & SS_TYPEMASK; }

LRESULT StaticControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        LoadFromTemplate(*reinterpret_cast<const CREATESTRUCT*>(lParam));
        return 0;
    case WM_NCHITTEST:
        if (!(Style() & SS_NOTIFY))
            return HTTRANSPARENT;
        return DefWindowProc(hwnd_, msg, wParam, lParam);
    case WM_LBUTTONDOWN:
        if (Style() & SS_NOTIFY)
            NotifyParent(hwnd_, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (Style() & SS_NOTIFY)
            NotifyParent(hwnd_, STN_DBLCLK);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_ERASEBKGND:
        return 1; // painting draws the background through WM_CTLCOLORSTATIC
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        Paint(dc);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_SETTEXT: {
        LRESULT r = DefWindowProc(hwnd_, msg, wParam, lParam);
        if (!IsPicture(Type()))
            InvalidateRect(hwnd_, nullptr, TRUE);
        return r;
    }
    case WM_ENABLE:
        InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    case STM_SETIMAGE:
        return reinterpret_cast<LRESULT>(SetImage(static_cast<UINT>(wParam), reinterpret_cast<HANDLE>(lParam)));
    case STM_GETIMAGE:
        if (wParam == IMAGE_BITMAP)
            return reinterpret_cast<LRESULT>(bitmap_);
        if (wParam == IMAGE_ICON)
            return reinterpret_cast<LRESULT>(icon_);
        return 0;
    case STM_SETICON:
        return reinterpret_cast<LRESULT>(SetImage(IMAGE_ICON, reinterpret_cast<HANDLE>(wParam)));
    case STM_GETICON:
        return reinterpret_cast<LRESULT>(icon_);
    default:
        return DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

void StaticControl::LoadFromTemplate(const CREATESTRUCT& cs)
{
    if (!cs.lpszName || !*cs.lpszName)
        return;
    if (Type() == SS_BITMAP) {
        if (HBITMAP loaded = LoadBitmap(cs.hInstance, cs.lpszName)) {
            SetImage(IMAGE_BITMAP, loaded);
            ownsBitmap_ = true;
        }
    } else if (Type() == SS_ICON) {
        if (HICON loaded = LoadIcon(cs.hInstance, cs.lpszName))
            SetImage(IMAGE_ICON, loaded);
    }
}

HANDLE StaticControl::SetImage(UINT type, HANDLE image)
{
    HANDLE old = nullptr;
    if (type == IMAGE_BITMAP) {
        old = bitmap_;
        // The old picture is the caller's to free from here on, even one
        // the control loaded itself.
        ownsBitmap_ = false;
        bitmap_ = static_cast<HBITMAP>(image);
    } else if (type == IMAGE_ICON || type == IMAGE_CURSOR) {
        old = icon_;
        icon_ = static_cast<HICON>(image);
    } else {
        return nullptr;
    }
    FitToImage();
    InvalidateRect(hwnd_, nullptr, TRUE);
    return old;
}

void StaticControl::FitToImage()
{
    if (Style() & SS_CENTERIMAGE)
        return;
    SIZE size { 0, 0 };
    if (Type() == SS_BITMAP) {
        size = BitmapSize(bitmap_);
    } else if (Type() == SS_ICON) {
        if (const Cursor* c = CursorFromHandle(icon_))
            size = SIZE { c->width, c->height };
    }
    if (size.cx <= 0 || size.cy <= 0)
        return;
    // The window grows by its frame, if it has one, around the picture.
    RECT window, client;
    GetWindowRect(hwnd_, &window);
    GetClientRect(hwnd_, &client);
    int extraX = (window.right - window.left) - client.right;
    int extraY = (window.bottom - window.top) - client.bottom;
    SetWindowPos(hwnd_, nullptr, 0, 0, size.cx + extraX, size.cy + extraY, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void StaticControl::Paint(HDC dc)
{
    RECT r;
    GetClientRect(hwnd_, &r);
    DWORD type = Type();
    COLORREF colour = 0;
    if (ShapeColour(type, colour)) {
        if (type == kBlackFrame || type == kGrayFrame || type == kWhiteFrame)
            FrameSolid(dc, r, colour);
        else
            FillSolid(dc, r, colour);
        return;
    }
    if (type == SS_BITMAP) {
        PaintBitmap(dc, r);
        return;
    }
    HBRUSH brush = AskColours(hwnd_, dc, WM_CTLCOLORSTATIC);
    if (type == SS_ICON) {
        FillRect(dc, &r, brush);
        if (const Cursor* c = CursorFromHandle(icon_)) {
            bool centre = (Style() & SS_CENTERIMAGE) != 0;
            DrawIcon(dc, centre ? (r.right - c->width) / 2 : 0, centre ? (r.bottom - c->height) / 2 : 0, icon_);
        }
        return;
    }
    if (type == SS_OWNERDRAW)
        return;
    FillRect(dc, &r, brush);
    PaintText(dc, r);
}

void StaticControl::PaintText(HDC dc, const RECT& r)
{
    DWORD type = Type();
    UINT format = DT_WORDBREAK | DT_EXPANDTABS;
    if (type == SS_CENTER)
        format |= DT_CENTER;
    else if (type == SS_RIGHT)
        format |= DT_RIGHT;
    if (Style() & kNoPrefix)
        format |= DT_NOPREFIX;
    std::string text(static_cast<std::size_t>(GetWindowTextLength(hwnd_)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowText(hwnd_, text.data(), static_cast<int>(text.size()))));
    // The parent chose the text colour and background mode; a disabled
    // control greys its text.
    COLORREF colour = IsWindowEnabled(hwnd_) ? GetTextColor(dc) : kDisabledTextColour;
    HGDIOBJ oldFont = SelectObject(dc, ControlFont(hwnd_));
    COLORREF oldColour = SetTextColor(dc, colour);
    RECT box = r;
    DrawText(dc, text.c_str(), -1, &box, format);
    SetTextColor(dc, oldColour);
    SelectObject(dc, oldFont);
}

void StaticControl::PaintBitmap(HDC dc, const RECT& r)
{
    HBRUSH brush = AskColours(hwnd_, dc, WM_CTLCOLORSTATIC);
    SIZE size = BitmapSize(bitmap_);
    if (size.cx <= 0 || size.cy <= 0) {
        FillRect(dc, &r, brush);
        return;
    }
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap_);
    int x = 0, y = 0;
    if (Style() & SS_CENTERIMAGE) {
        // Around a centred picture lies the colour of its top-left pixel.
        FillSolid(dc, r, GetPixel(source, 0, 0));
        x = (r.right - size.cx) / 2;
        y = (r.bottom - size.cy) / 2;
    } else if (size.cx < r.right || size.cy < r.bottom) {
        FillRect(dc, &r, brush);
    }
    BitBlt(dc, x, y, size.cx, size.cy, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

} // namespace ws::ctl
