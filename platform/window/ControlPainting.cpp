#include "platform/window/ControlPainting.h"

#include "platform/gdi/Text.h"

#include <algorithm>
#include <cstring>

namespace ws::ctl {

HFONT ControlFont(HWND control)
{
    auto font = reinterpret_cast<HFONT>(SendMessage(control, WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int LineHeight(HWND control)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ControlFont(control));
    TEXTMETRIC tm {};
    int height = GetTextMetrics(dc, &tm) ? static_cast<int>(tm.tmHeight) : 16;
    SelectObject(dc, old);
    DeleteDC(dc);
    return std::max(height, 1);
}

int TextWidth(HDC dc, std::string_view text)
{
    if (text.empty())
        return 0;
    SIZE size {};
    GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
}

HBRUSH AskColours(HWND control, HDC dc, UINT ctlColorMsg, HWND askWhom)
{
    HWND parent = askWhom ? askWhom : GetParent(control);
    HBRUSH brush = nullptr;
    if (parent)
        brush = reinterpret_cast<HBRUSH>(
            SendMessage(parent, ctlColorMsg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    if (!brush)
        brush = reinterpret_cast<HBRUSH>(
            DefWindowProc(control, ctlColorMsg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    return brush;
}

void FillSolid(HDC dc, const RECT& r, COLORREF colour)
{
    if (r.left >= r.right || r.top >= r.bottom)
        return;
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void FrameSolid(HDC dc, const RECT& r, COLORREF colour)
{
    if (r.right - r.left < 1 || r.bottom - r.top < 1)
        return;
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT sides[] = {
        { r.left, r.top, r.right, r.top + 1 },
        { r.left, r.bottom - 1, r.right, r.bottom },
        { r.left, r.top + 1, r.left + 1, r.bottom - 1 },
        { r.right - 1, r.top + 1, r.right, r.bottom - 1 },
    };
    for (const RECT& side : sides)
        if (side.left < side.right && side.top < side.bottom)
            FillRect(dc, &side, brush);
    DeleteObject(brush);
}

void DownArrow(HDC dc, const RECT& r, COLORREF colour)
{
    // Seven pixels wide at the top, one at the tip, four rows.
    constexpr int kRows = 4;
    int cx = (r.left + r.right) / 2;
    int top = (r.top + r.bottom - kRows) / 2;
    HBRUSH brush = CreateSolidBrush(colour);
    for (int row = 0; row < kRows; ++row) {
        int half = kRows - 1 - row;
        RECT line { cx - half, top + row, cx + half + 1, top + row + 1 };
        FillRect(dc, &line, brush);
    }
    DeleteObject(brush);
}

void PaintNonClientFrame(HWND control, COLORREF border, COLORREF inner)
{
    RECT window {};
    RECT client {};
    GetWindowRect(control, &window);
    GetClientRect(control, &client);
    POINT origin { 0, 0 };
    ClientToScreen(control, &origin);
    int width = window.right - window.left;
    int height = window.bottom - window.top;
    int left = origin.x - window.left;
    int top = origin.y - window.top;
    if (left == 0 && top == 0 && client.right == width && client.bottom == height)
        return;

    HDC dc = GetWindowDC(control);
    // Everything but the client area.
    HRGN clip = CreateRectRgn(0, 0, width, height);
    HRGN inside = CreateRectRgn(left, top, left + client.right, top + client.bottom);
    CombineRgn(clip, clip, inside, RGN_DIFF);
    ExtSelectClipRgn(dc, clip, RGN_AND);
    DeleteObject(clip);
    DeleteObject(inside);
    RECT whole { 0, 0, width, height };
    FillSolid(dc, whole, inner);
    FrameSolid(dc, whole, border);
    ReleaseDC(control, dc);
}

void NotifyParent(HWND control, WORD code, HWND toWhom)
{
    HWND target = toWhom ? toWhom : GetParent(control);
    if (!target)
        return;
    auto id = static_cast<WORD>(GetDlgCtrlID(control));
    SendMessage(target, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

POINT MousePoint(LPARAM lParam) { return POINT { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) }; }

TextScope::TextScope(HDC dc, HWND control, COLORREF colour)
    : dc_(dc)
    , oldFont_(SelectObject(dc, ControlFont(control)))
    , oldColour_(SetTextColor(dc, colour))
    , oldMode_(SetBkMode(dc, TRANSPARENT))
{
}

TextScope::~TextScope()
{
    SetBkMode(dc_, oldMode_);
    SetTextColor(dc_, oldColour_);
    SelectObject(dc_, oldFont_);
}

int CopyOut(const std::string& text, char* out, std::size_t max)
{
    if (!out || max == 0)
        return 0;
    std::size_t n = std::min(text.size(), max - 1);
    // Never leave half a UTF-8 sequence at the end.
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return static_cast<int>(n);
}

} // namespace ws::ctl
