#include "platform/window/ButtonControl.h"

#include "platform/gdi/Text.h"
#include "platform/window/ControlPainting.h"
#include "platform/window/Controls.h"

namespace ws::ctl {

namespace {

// The square of a check box or the circle of a radio button.
constexpr int kMarkSize = 13;

bool IsPushType(DWORD type) { return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW; }
bool IsCheckType(DWORD type) { return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX; }
bool IsRadioType(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

} // namespace

ButtonControl::ButtonControl(HWND hwnd, const CREATESTRUCT&)
    : hwnd_(hwnd)
{
}

DWORD ButtonControl::Type() const { return static_cast<DWORD>(GetWindowLongPtr(hwnd_, GWL_STYLE)) & BS_TYPEMASK; }

bool ButtonControl::IsOwnerDrawn() const { return Type() == BS_OWNERDRAW; }

LRESULT ButtonControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        Draw(dc, ODA_DRAWENTIRE);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1; // painting covers every pixel
    case WM_LBUTTONDOWN:
        OnButtonDown();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(MousePoint(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(MousePoint(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        if (tracking_ && reinterpret_cast<HWND>(lParam) != hwnd_)
            CancelPress();
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !tracking_ && !spacePressed_) {
            spacePressed_ = true;
            SetPushed(true);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && spacePressed_) {
            spacePressed_ = false;
            SetPushed(false);
            Click();
        }
        return 0;
    case WM_SETFOCUS:
        SetFocused(true);
        return 0;
    case WM_KILLFOCUS:
        CancelPress();
        SetFocused(false);
        return 0;
    case WM_ENABLE:
        InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    case WM_SETTEXT: {
        LRESULT r = DefWindowProc(hwnd_, msg, wParam, lParam);
        InvalidateRect(hwnd_, nullptr, FALSE);
        return r;
    }
    case WM_GETDLGCODE:
        return DialogCode();
    case BM_GETSTATE:
        return static_cast<LRESULT>((pushed_ ? BST_PUSHED : 0) | (focused_ ? BST_FOCUS : 0) | check_);
    case BM_SETSTATE:
        SetPushed(wParam != 0);
        return 0;
    case BM_GETCHECK:
        return static_cast<LRESULT>(check_);
    case BM_SETCHECK:
        if (IsCheckType(Type()) || IsRadioType(Type())) {
            check_ = static_cast<UINT>(wParam) & BST_CHECKED;
            InvalidateRect(hwnd_, nullptr, FALSE);
        }
        return 0;
    case BM_SETSTYLE: {
        // The button's own styles are the low word; the window styles stay.
        auto style = static_cast<DWORD>(GetWindowLongPtr(hwnd_, GWL_STYLE));
        SetWindowLongPtr(hwnd_, GWL_STYLE, static_cast<LONG_PTR>((style & 0xFFFF0000u) | (wParam & 0xFFFFu)));
        if (LOWORD(static_cast<ULONG_PTR>(lParam)))
            InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    }
    case BM_CLICK: {
        if (!IsWindowEnabled(hwnd_))
            return 0;
        RECT r;
        GetClientRect(hwnd_, &r);
        LPARAM centre = MAKELPARAM(static_cast<WORD>(r.right / 2), static_cast<WORD>(r.bottom / 2));
        SendMessage(hwnd_, WM_LBUTTONDOWN, MK_LBUTTON, centre);
        SendMessage(hwnd_, WM_LBUTTONUP, 0, centre);
        return 0;
    }
    default:
        return DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

LRESULT ButtonControl::DialogCode() const
{
    DWORD type = Type();
    if (type == BS_DEFPUSHBUTTON)
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    if (IsPushType(type))
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    if (IsRadioType(type))
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    if (type == BS_GROUPBOX)
        return DLGC_STATIC;
    return DLGC_BUTTON;
}

void ButtonControl::OnButtonDown()
{
    if (Type() == BS_GROUPBOX)
        return;
    SetCapture(hwnd_);
    tracking_ = true;
    if (GetFocus() != hwnd_)
        SetFocus(hwnd_);
    // Taking the focus may have moved the capture elsewhere.
    if (tracking_)
        SetPushed(true);
}

void ButtonControl::OnMouseMove(POINT p)
{
    if (!tracking_)
        return;
    RECT r;
    GetClientRect(hwnd_, &r);
    SetPushed(PtInRect(&r, p) != FALSE);
}

void ButtonControl::OnButtonUp(POINT p)
{
    if (!tracking_)
        return;
    tracking_ = false;
    RECT r;
    GetClientRect(hwnd_, &r);
    bool over = PtInRect(&r, p) != FALSE;
    SetPushed(false);
    ReleaseCapture();
    if (over)
        Click();
}

void ButtonControl::CancelPress()
{
    if (!tracking_ && !spacePressed_)
        return;
    bool hadCapture = tracking_ && GetCapture() == hwnd_;
    tracking_ = false;
    spacePressed_ = false;
    SetPushed(false);
    if (hadCapture)
        ReleaseCapture();
}

void ButtonControl::Click()
{
    DWORD type = Type();
    if (type == BS_AUTOCHECKBOX)
        SendMessage(hwnd_, BM_SETCHECK, check_ ? BST_UNCHECKED : BST_CHECKED, 0);
    else if (type == BS_AUTORADIOBUTTON)
        SendMessage(hwnd_, BM_SETCHECK, BST_CHECKED, 0);
    NotifyParent(hwnd_, BN_CLICKED);
}

void ButtonControl::SetPushed(bool pushed)
{
    if (pushed == pushed_)
        return;
    pushed_ = pushed;
    DrawNow(ODA_SELECT);
}

void ButtonControl::SetFocused(bool focused)
{
    if (focused == focused_)
        return;
    focused_ = focused;
    DrawNow(ODA_FOCUS);
}

void ButtonControl::DrawNow(UINT action)
{
    if (!IsWindowVisible(hwnd_))
        return;
    HDC dc = GetDC(hwnd_);
    Draw(dc, action);
    ReleaseDC(hwnd_, dc);
}

void ButtonControl::Draw(HDC dc, UINT action)
{
    RECT r;
    GetClientRect(hwnd_, &r);
    if (IsOwnerDrawn()) {
        DRAWITEMSTRUCT dis {};
        dis.CtlType = ODT_BUTTON;
        dis.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd_));
        dis.itemAction = action;
        dis.itemState = (pushed_ ? ODS_SELECTED : 0) | (focused_ ? ODS_FOCUS : 0)
            | (IsWindowEnabled(hwnd_) ? 0 : ODS_DISABLED);
        dis.hwndItem = hwnd_;
        dis.hDC = dc;
        dis.rcItem = r;
        if (HWND parent = GetParent(hwnd_))
            SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        return;
    }
    DrawFlat(dc, r);
}

void ButtonControl::DrawFlat(HDC dc, const RECT& r)
{
    DWORD type = Type();
    bool enabled = IsWindowEnabled(hwnd_) != FALSE;
    // Push buttons always draw in the system's colours; the message still
    // goes to the parent, which may want to know.
    HBRUSH background = AskColours(hwnd_, dc, WM_CTLCOLORBTN);
    COLORREF text = enabled ? kTextColour : kDisabledTextColour;
    std::string caption(static_cast<std::size_t>(GetWindowTextLength(hwnd_)) + 1, '\0');
    caption.resize(static_cast<std::size_t>(GetWindowText(hwnd_, caption.data(), static_cast<int>(caption.size()))));

    if (IsPushType(type)) {
        bool emphasised = type == BS_DEFPUSHBUTTON || focused_;
        FillSolid(dc, r, pushed_ ? kPressedFaceColour : kFaceColour);
        FrameSolid(dc, r, pushed_ ? kPressedBorderColour : emphasised ? kHighlightColour : kBorderColour);
        RECT inside = r;
        InflateRect(&inside, -2, -2);
        TextScope scope(dc, hwnd_, text);
        DrawText(dc, caption.c_str(), -1, &inside, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }

    // Check boxes, radio buttons and group boxes sit on the parent's colour.
    FillRect(dc, &r, background);
    text = enabled ? GetTextColor(dc) : kDisabledTextColour;
    if (type == BS_GROUPBOX) {
        int line = LineHeight(hwnd_);
        RECT frame { r.left, r.top + line / 2, r.right, r.bottom };
        FrameSolid(dc, frame, kBorderColour);
        TextScope scope(dc, hwnd_, text);
        RECT label { r.left + 6, r.top, r.left + 8 + 6, r.top + line };
        DrawText(dc, caption.c_str(), -1, &label, DT_SINGLELINE | DT_CALCRECT);
        label.right += 4;
        label.left -= 2;
        FillRect(dc, &label, background);
        label.left += 2;
        DrawText(dc, caption.c_str(), -1, &label, DT_SINGLELINE);
        return;
    }
    int top = (r.top + r.bottom - kMarkSize) / 2;
    RECT mark { r.left, top, r.left + kMarkSize, top + kMarkSize };
    FillSolid(dc, mark, pushed_ ? kPressedFaceColour : kFieldColour);
    FrameSolid(dc, mark, enabled ? (focused_ ? kHighlightColour : kTextColour) : kBorderColour);
    if (check_) {
        RECT dot = mark;
        InflateRect(&dot, -3, -3);
        FillSolid(dc, dot, enabled ? kHighlightColour : kBorderColour);
    }
    RECT label { mark.right + 4, r.top, r.right, r.bottom };
    TextScope scope(dc, hwnd_, text);
    DrawText(dc, caption.c_str(), -1, &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

} // namespace ws::ctl
