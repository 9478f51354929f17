#include "platform/window/EditControl.h"

#include "platform/gdi/Text.h"
#include "platform/window/ControlPainting.h"
#include "platform/window/Controls.h"

#include <cstring>
#include <strings.h>

namespace ws::ctl {

namespace {

// Room between the border and the text.
constexpr int kMargin = 2;
constexpr std::size_t kDefaultLimit = 0x7FFFFFFE;
constexpr UINT kSelectAll = 0x01; // Ctrl+A as a character

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::string Utf8(UINT cp)
{
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp <= 0x10FFFF) {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

bool IsComboBox(HWND hwnd)
{
    char name[16] = {};
    return hwnd && GetClassName(hwnd, name, sizeof name) && strcasecmp(name, WC_COMBOBOX) == 0;
}

bool ComboKey(UINT vk)
{
    return vk == VK_UP || vk == VK_DOWN || vk == VK_PRIOR || vk == VK_NEXT || vk == VK_F4 || vk == VK_RETURN
        || vk == VK_ESCAPE;
}

bool ShiftDown() { return (GetKeyState(VK_SHIFT) & KEY_DOWN_BIT) != 0; }

} // namespace

EditControl::EditControl(HWND hwnd, const CREATESTRUCT& cs)
    : hwnd_(hwnd)
    , text_(cs.lpszName ? cs.lpszName : "")
    , limit_(kDefaultLimit)
    , inCombo_((cs.style & WS_CHILD) && IsComboBox(cs.hwndParent))
{
}

DWORD EditControl::Style() const { return static_cast<DWORD>(GetWindowLongPtr(hwnd_, GWL_STYLE)); }

std::size_t EditControl::Boundary(std::size_t at) const
{
    at = std::min(at, text_.size());
    while (at > 0 && at < text_.size() && IsContinuation(text_[at]))
        --at;
    return at;
}

std::size_t EditControl::Previous(std::size_t at) const
{
    if (at == 0)
        return 0;
    --at;
    while (at > 0 && IsContinuation(text_[at]))
        --at;
    return at;
}

std::size_t EditControl::Next(std::size_t at) const
{
    if (at >= text_.size())
        return text_.size();
    ++at;
    while (at < text_.size() && IsContinuation(text_[at]))
        ++at;
    return at;
}

LRESULT EditControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CHAR:
        OnChar(static_cast<UINT>(wParam));
        return 0;
    case WM_KEYDOWN:
        OnKey(static_cast<UINT>(wParam), lParam);
        return 0;
    case WM_LBUTTONDOWN:
        OnButtonDown(MousePoint(lParam));
        return 0;
    case WM_MOUSEMOVE:
        if (tracking_)
            MoveCaret(OffsetAt(MousePoint(lParam).x), true);
        return 0;
    case WM_LBUTTONUP:
        if (tracking_) {
            tracking_ = false;
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        tracking_ = false;
        return 0;
    case WM_SETFOCUS:
        focused_ = true;
        Redraw();
        PaintFrame();
        NotifyParent(hwnd_, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        focused_ = false;
        Redraw();
        PaintFrame();
        NotifyParent(hwnd_, EN_KILLFOCUS);
        return 0;
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        if (inCombo_)
            code |= SendMessage(GetParent(hwnd_), WM_GETDLGCODE, wParam, lParam) & DLGC_WANTALLKEYS;
        return code;
    }
    case WM_SETTEXT:
        SetText(reinterpret_cast<const char*>(lParam));
        return TRUE;
    case WM_GETTEXT:
        return CopyOut(text_, reinterpret_cast<char*>(lParam), wParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(text_.size());
    case EM_GETSEL: {
        auto start = static_cast<DWORD>(SelStart());
        auto end = static_cast<DWORD>(SelEnd());
        if (auto* out = reinterpret_cast<DWORD*>(wParam))
            *out = start;
        if (auto* out = reinterpret_cast<DWORD*>(lParam))
            *out = end;
        return MAKELRESULT(static_cast<WORD>(std::min<DWORD>(start, 0xFFFF)),
            static_cast<WORD>(std::min<DWORD>(end, 0xFFFF)));
    }
    case EM_SETSEL:
        SetSelection(static_cast<LONG_PTR>(wParam), lParam);
        return 0;
    case EM_REPLACESEL:
        ReplaceSelection(lParam ? reinterpret_cast<const char*>(lParam) : "");
        return 0;
    case EM_LIMITTEXT:
        limit_ = wParam ? static_cast<std::size_t>(wParam) : kDefaultLimit;
        return 0;
    case WM_SETFONT: {
        LRESULT r = DefWindowProc(hwnd_, msg, wParam, lParam);
        ScrollToCaret();
        return r;
    }
    case WM_SIZE:
        ScrollToCaret();
        return 0;
    case WM_ENABLE:
        Redraw();
        return 0;
    case WM_NCPAINT:
        PaintFrame();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        Paint(dc);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    default:
        return DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

void EditControl::OnChar(UINT codePoint)
{
    if (codePoint == kSelectAll) {
        SetSelection(0, -1);
        return;
    }
    // Other control characters (Backspace among them, which WM_KEYDOWN
    // handles) insert nothing.
    if (codePoint < 0x20 || codePoint == 0x7F || ReadOnly())
        return;
    if ((Style() & ES_NUMBER) && (codePoint < '0' || codePoint > '9'))
        return;
    if (ReplaceSelection(Utf8(codePoint)))
        Changed();
}

void EditControl::OnKey(UINT vk, LPARAM lParam)
{
    if (inCombo_ && ComboKey(vk)) {
        SendMessage(GetParent(hwnd_), WM_KEYDOWN, vk, lParam);
        return;
    }
    bool shift = ShiftDown();
    bool selection = anchor_ != caret_;
    switch (vk) {
    case VK_LEFT:
        MoveCaret(selection && !shift ? SelStart() : Previous(caret_), shift);
        break;
    case VK_RIGHT:
        MoveCaret(selection && !shift ? SelEnd() : Next(caret_), shift);
        break;
    case VK_HOME:
        MoveCaret(0, shift);
        break;
    case VK_END:
        MoveCaret(text_.size(), shift);
        break;
    case VK_DELETE:
        DeleteOne(true);
        break;
    case VK_BACK:
        DeleteOne(false);
        break;
    default:
        break;
    }
}

void EditControl::DeleteOne(bool forward)
{
    if (ReadOnly())
        return;
    if (anchor_ == caret_) {
        std::size_t other = forward ? Next(caret_) : Previous(caret_);
        if (other == caret_)
            return;
        anchor_ = other;
    }
    if (ReplaceSelection({}))
        Changed();
}

void EditControl::OnButtonDown(POINT p)
{
    if (GetFocus() != hwnd_)
        SetFocus(hwnd_);
    SetCapture(hwnd_);
    tracking_ = true;
    MoveCaret(OffsetAt(p.x), ShiftDown());
}

bool EditControl::ReplaceSelection(std::string_view with)
{
    std::size_t start = SelStart();
    std::string candidate = text_.substr(0, start);
    candidate += with;
    candidate += text_.substr(SelEnd());
    if (!with.empty()) {
        if (candidate.size() > limit_)
            return false;
        // Without ES_AUTOHSCROLL the text must fit the field.
        if (!(Style() & ES_AUTOHSCROLL) && Width(candidate) > AvailableWidth())
            return false;
    }
    text_ = std::move(candidate);
    caret_ = anchor_ = start + with.size();
    ScrollToCaret();
    return true;
}

void EditControl::Changed()
{
    NotifyParent(hwnd_, EN_UPDATE);
    if (!IsWindow(hwnd_))
        return;
    Redraw();
    UpdateWindow(hwnd_);
    NotifyParent(hwnd_, EN_CHANGE);
}

void EditControl::SetText(const char* text)
{
    text_ = text ? text : "";
    caret_ = anchor_ = 0;
    scroll_ = 0;
    Changed();
}

void EditControl::SetSelection(LONG_PTR start, LONG_PTR end)
{
    if (start < 0) {
        anchor_ = caret_; // only the selection goes
    } else {
        std::size_t last = text_.size();
        anchor_ = Boundary(static_cast<std::size_t>(start));
        caret_ = end < 0 ? last : Boundary(static_cast<std::size_t>(end));
    }
    ScrollToCaret();
    Redraw();
}

void EditControl::MoveCaret(std::size_t to, bool extend)
{
    caret_ = Boundary(to);
    if (!extend)
        anchor_ = caret_;
    ScrollToCaret();
    Redraw();
}

int EditControl::Width(std::string_view text) const
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ControlFont(hwnd_));
    int width = TextWidth(dc, text);
    SelectObject(dc, old);
    DeleteDC(dc);
    return width;
}

std::vector<int> EditControl::BoundaryOffsets(std::vector<std::size_t>& boundaries) const
{
    boundaries.clear();
    for (std::size_t at = 0;; at = Next(at)) {
        boundaries.push_back(at);
        if (at >= text_.size())
            break;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ControlFont(hwnd_));
    std::vector<int> xs;
    xs.reserve(boundaries.size());
    for (std::size_t b : boundaries)
        xs.push_back(TextWidth(dc, std::string_view(text_).substr(0, b)));
    SelectObject(dc, old);
    DeleteDC(dc);
    return xs;
}

std::size_t EditControl::OffsetAt(int x) const
{
    std::vector<std::size_t> boundaries;
    std::vector<int> xs = BoundaryOffsets(boundaries);
    int textX = x - kMargin + scroll_;
    // The nearest boundary: past the middle of a character is after it.
    for (std::size_t i = 0; i + 1 < xs.size(); ++i)
        if (textX < (xs[i] + xs[i + 1] + 1) / 2)
            return boundaries[i];
    return boundaries.back();
}

int EditControl::AvailableWidth() const
{
    RECT c;
    GetClientRect(hwnd_, &c);
    return std::max(0, c.right - 2 * kMargin);
}

void EditControl::ScrollToCaret()
{
    if (!(Style() & ES_AUTOHSCROLL)) {
        scroll_ = 0;
        return;
    }
    int available = AvailableWidth();
    int caretX = Width(std::string_view(text_).substr(0, caret_));
    int textWidth = Width(text_);
    // Keep the caret in view, and no empty room at the right while text
    // lies off to the left.
    if (caretX - scroll_ > available)
        scroll_ = caretX - available;
    if (caretX < scroll_)
        scroll_ = caretX;
    scroll_ = std::max(0, std::min(scroll_, textWidth - available));
    if (caretX - scroll_ > available)
        scroll_ = caretX - available;
}

void EditControl::Redraw() { InvalidateRect(hwnd_, nullptr, FALSE); }

void EditControl::PaintFrame()
{
    PaintNonClientFrame(hwnd_, focused_ ? kHighlightColour : kBorderColour, kFieldColour);
}

void EditControl::Paint(HDC dc)
{
    RECT c;
    GetClientRect(hwnd_, &c);
    bool enabled = IsWindowEnabled(hwnd_) != FALSE;
    // Read-only and disabled fields ask for the colours of static text.
    UINT ask = ReadOnly() || !enabled ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    HBRUSH brush = AskColours(hwnd_, dc, ask);
    FillRect(dc, &c, brush);
    COLORREF colour = enabled ? GetTextColor(dc) : kDisabledTextColour;

    int lineHeight = LineHeight(hwnd_);
    int top = (c.bottom - lineHeight) / 2;
    int x0 = kMargin - scroll_;
    int saved = SaveDC(dc);
    IntersectClipRect(dc, kMargin, 0, std::max(kMargin, c.right - kMargin + 1), c.bottom);
    {
        TextScope scope(dc, hwnd_, colour);
        std::string_view all(text_);
        std::size_t start = SelStart(), end = SelEnd();
        bool showSelection = focused_ && start != end;
        if (!showSelection) {
            TextOut(dc, x0, top, text_.c_str(), static_cast<int>(text_.size()));
        } else {
            int xs = x0 + TextWidth(dc, all.substr(0, start));
            int xe = x0 + TextWidth(dc, all.substr(0, end));
            TextOut(dc, x0, top, text_.c_str(), static_cast<int>(start));
            FillSolid(dc, RECT { xs, top, xe, top + lineHeight }, kHighlightColour);
            SetTextColor(dc, kHighlightTextColour);
            TextOut(dc, xs, top, text_.c_str() + start, static_cast<int>(end - start));
            SetTextColor(dc, colour);
            TextOut(dc, xe, top, text_.c_str() + end, static_cast<int>(text_.size() - end));
        }
        if (focused_) {
            int caretX = x0 + TextWidth(dc, all.substr(0, caret_));
            FillSolid(dc, RECT { caretX, top, caretX + 1, top + lineHeight }, colour);
        }
    }
    RestoreDC(dc, saved);
}

} // namespace ws::ctl
