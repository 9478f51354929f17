#include "platform/window/ComboBoxControl.h"

#include "platform/gdi/Text.h"
#include "platform/window/ControlClasses.h"
#include "platform/window/ControlPainting.h"
#include "platform/window/Controls.h"
#include "platform/window/EditControl.h"

#include <algorithm>

namespace ws::ctl {

namespace {

constexpr int kButtonWidth = 17;
// The face is a line of text with room around it.
constexpr int kFacePadding = 8;
constexpr int kInset = 3;
constexpr COLORREF kArrowColour = RGB(96, 96, 96);

bool IsMouseMessage(UINT msg)
{
    return msg == WM_MOUSEMOVE || msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_RBUTTONDOWN
        || msg == WM_MBUTTONDOWN;
}

} // namespace

LRESULT ComboBoxControl::ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    ListBoxControl* list = StateOf<ListBoxControl>(hwnd);
    ComboBoxControl* combo = list && list->Owner() ? StateOf<ComboBoxControl>(list->Owner()) : nullptr;
    if (combo) {
        if (IsMouseMessage(msg)) {
            combo->OnListMouse(msg, MousePoint(lParam));
            return 0;
        }
        switch (msg) {
        case WM_CAPTURECHANGED:
            if (combo->dropped_ && reinterpret_cast<HWND>(lParam) != hwnd)
                combo->CloseUp();
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_MOUSEWHEEL:
            list->ScrollWheel(GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        default:
            break;
        }
    }
    return ControlProc<ListBoxControl>(hwnd, msg, wParam, lParam);
}

ComboBoxControl::ComboBoxControl(HWND hwnd, const CREATESTRUCT& cs)
    : hwnd_(hwnd)
    , requestedHeight_(cs.cy)
{
}

DWORD ComboBoxControl::Kind() const { return static_cast<DWORD>(GetWindowLongPtr(hwnd_, GWL_STYLE)) & 0x3; }

ListBoxControl* ComboBoxControl::List() const { return list_ ? StateOf<ListBoxControl>(list_) : nullptr; }

LRESULT ComboBoxControl::ToList(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return list_ ? SendMessage(list_, msg, wParam, lParam) : CB_ERR;
}

void ComboBoxControl::Create(const CREATESTRUCT& cs)
{
    auto style = static_cast<DWORD>(cs.style);
    DWORD listStyle = WS_POPUP | WS_BORDER | (style & WS_VSCROLL) | ((style & CBS_SORT) ? LBS_SORT : 0);
    list_ = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kListClass, "", listStyle, 0, 0, std::max(cs.cx, 1),
        std::max(cs.cy, 1), hwnd_, nullptr, cs.hInstance, hwnd_);
    if (Kind() == CBS_DROPDOWN || Kind() == CBS_SIMPLE) {
        DWORD editStyle = WS_CHILD | WS_VISIBLE | ((style & CBS_AUTOHSCROLL) ? ES_AUTOHSCROLL : 0);
        edit_ = CreateWindowEx(0, WC_EDIT, "", editStyle, 0, 0, 1, 1, hwnd_,
            reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(kComboEditId)), cs.hInstance, nullptr);
    }
    Layout();
}

void ComboBoxControl::Layout()
{
    faceHeight_ = LineHeight(hwnd_) + kFacePadding;
    RECT window;
    GetWindowRect(hwnd_, &window);
    if (window.bottom - window.top != faceHeight_)
        SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left, faceHeight_,
            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (edit_) {
        RECT c;
        GetClientRect(hwnd_, &c);
        MoveWindow(edit_, kInset, kInset, std::max(1, c.right - kButtonWidth - kInset - 1),
            std::max(1, c.bottom - 2 * kInset), TRUE);
    }
}

RECT ComboBoxControl::ButtonRect() const
{
    RECT c;
    GetClientRect(hwnd_, &c);
    return RECT { std::max(c.left, c.right - kButtonWidth), c.top, c.right, c.bottom };
}

void ComboBoxControl::DropDown()
{
    ListBoxControl* list = List();
    if (dropped_ || !list)
        return;
    NotifyParent(hwnd_, CBN_DROPDOWN);
    if (!IsWindow(hwnd_) || !IsWindow(list_))
        return;
    RECT face;
    GetWindowRect(hwnd_, &face);
    // The list's border takes a pixel at the top and at the bottom.
    int room = std::max(requestedHeight_ - faceHeight_ - 2, list->ItemHeight());
    int height = list->FittingHeight(room) + 2;
    int y = face.bottom;
    if (y + height > GetSystemMetrics(SM_CYSCREEN) && face.top - height >= 0)
        y = face.top - height;
    dropped_ = true;
    SetWindowPos(list_, HWND_TOPMOST, face.left, y, face.right - face.left, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    int selection = list->Selection();
    list->SetHot(selection);
    list->EnsureVisible(selection);
    SetCapture(list_);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void ComboBoxControl::CloseUp(bool accepted)
{
    if (!dropped_)
        return;
    NotifyParent(hwnd_, accepted ? CBN_SELENDOK : CBN_SELENDCANCEL);
    if (!IsWindow(hwnd_) || !dropped_)
        return; // the parent destroyed or closed it meanwhile
    dropped_ = false;
    if (ListBoxControl* list = List()) {
        list->EndScrollBarDrag();
        list->SetHot(-1);
    }
    ShowWindow(list_, SW_HIDE);
    if (GetCapture() == list_)
        ReleaseCapture();
    InvalidateRect(hwnd_, nullptr, FALSE);
    NotifyParent(hwnd_, CBN_CLOSEUP);
}

void ComboBoxControl::Pick(int index)
{
    // The selection changes before the list closes, so that a parent that
    // reads it on CBN_CLOSEUP sees the choice; CBN_SELCHANGE comes last.
    bool changed = index >= 0 && index != static_cast<int>(ToList(LB_GETCURSEL, 0, 0));
    if (changed)
        SetSelection(index);
    CloseUp(index >= 0);
    if (changed && IsWindow(hwnd_))
        NotifyParent(hwnd_, CBN_SELCHANGE);
}

void ComboBoxControl::SelectByUser(int index)
{
    if (index < 0 || index == static_cast<int>(ToList(LB_GETCURSEL, 0, 0)))
        return;
    SetSelection(index);
    NotifyParent(hwnd_, CBN_SELENDOK);
    if (IsWindow(hwnd_))
        NotifyParent(hwnd_, CBN_SELCHANGE);
}

LRESULT ComboBoxControl::SetSelection(int index)
{
    LRESULT r = ToList(LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // An index out of range clears the selection, as -1 does.
    if (r == LB_ERR)
        ToList(LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ShowSelectionText();
    InvalidateRect(hwnd_, nullptr, FALSE);
    return r == LB_ERR ? CB_ERR : r;
}

std::string ComboBoxControl::SelectionText() const
{
    auto index = static_cast<WPARAM>(ToList(LB_GETCURSEL, 0, 0));
    LRESULT length = ToList(LB_GETTEXTLEN, index, 0);
    if (length < 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    ToList(LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void ComboBoxControl::ShowSelectionText()
{
    if (!edit_)
        return;
    settingEdit_ = true;
    std::string text = SelectionText();
    SetWindowText(edit_, text.c_str());
    SendMessage(edit_, EM_SETSEL, 0, -1);
    settingEdit_ = false;
}

void ComboBoxControl::OnListMouse(UINT msg, POINT p)
{
    ListBoxControl* list = List();
    if (!list || !dropped_)
        return;
    RECT client;
    GetClientRect(list_, &client);
    bool inside = PtInRect(&client, p) != FALSE;
    switch (msg) {
    case WM_MOUSEMOVE:
        if (list->DraggingThumb())
            list->ScrollBarDrag(p);
        else if (list->ItemAt(p) >= 0)
            list->SetHot(list->ItemAt(p));
        break;
    case WM_LBUTTONDOWN:
        if (!inside)
            CloseUp(); // a press elsewhere, on the face too, closes without a choice
        else if (list->OnScrollBar(p))
            list->ScrollBarPress(p);
        else if (list->ItemAt(p) >= 0)
            list->SetHot(list->ItemAt(p));
        break;
    case WM_LBUTTONUP:
        if (list->DraggingThumb())
            list->EndScrollBarDrag();
        else if (list->ItemAt(p) >= 0)
            Pick(list->ItemAt(p));
        break;
    default:
        if (!inside)
            CloseUp();
        break;
    }
}

void ComboBoxControl::OnKey(UINT vk)
{
    ListBoxControl* list = List();
    if (!list)
        return;
    if (vk == VK_F4) {
        if (dropped_)
            Pick(list->Hot());
        else
            DropDown();
        return;
    }
    if (dropped_) {
        if (vk == VK_RETURN) {
            Pick(list->Hot());
        } else if (vk == VK_ESCAPE) {
            CloseUp();
        } else {
            int target = list->NavigationTarget(vk, list->Hot());
            if (target >= 0) {
                list->SetHot(target);
                list->EnsureVisible(target);
            }
        }
        return;
    }
    SelectByUser(list->NavigationTarget(vk, list->Selection()));
}

LRESULT ComboBoxControl::OnSetText(const char* text)
{
    if (edit_) {
        settingEdit_ = true;
        LRESULT r = SendMessage(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        settingEdit_ = false;
        return r;
    }
    LRESULT found = ToList(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text ? text : ""));
    if (found == LB_ERR)
        return CB_ERR;
    SetSelection(static_cast<int>(found));
    return TRUE;
}

LRESULT ComboBoxControl::DialogCode(const MSG* msg) const
{
    LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    // While the list is open, Enter and Esc choose and close it instead of
    // pressing the dialog's buttons.
    if (dropped_ && msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
        code |= DLGC_WANTALLKEYS;
    return code;
}

LRESULT ComboBoxControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        Create(*reinterpret_cast<const CREATESTRUCT*>(lParam));
        return 0;
    case WM_DESTROY:
        dropped_ = false;
        if (list_ && IsWindow(list_))
            DestroyWindow(list_);
        list_ = nullptr;
        return 0;
    case WM_SETFONT: {
        LRESULT r = DefWindowProc(hwnd_, msg, wParam, lParam);
        if (list_)
            SendMessage(list_, WM_SETFONT, wParam, 0);
        if (edit_)
            SendMessage(edit_, WM_SETFONT, wParam, lParam);
        Layout();
        return r;
    }
    case WM_SIZE: {
        // A program that resizes the combo box gives it a new open height.
        RECT window;
        GetWindowRect(hwnd_, &window);
        int height = window.bottom - window.top;
        if (faceHeight_ > 0 && height != faceHeight_) {
            requestedHeight_ = height;
            Layout();
        } else if (edit_) {
            Layout();
        }
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        Paint(dc);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN: {
        SetFocus(edit_ ? edit_ : hwnd_);
        RECT button = ButtonRect();
        if (!edit_ || PtInRect(&button, MousePoint(lParam))) {
            if (dropped_)
                CloseUp();
            else
                DropDown();
        }
        return 0;
    }
    case WM_KEYDOWN:
        OnKey(static_cast<UINT>(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        if (dropped_ && List()) {
            List()->ScrollWheel(GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        }
        return DefWindowProc(hwnd_, msg, wParam, lParam);
    case WM_GETDLGCODE:
        return DialogCode(reinterpret_cast<const MSG*>(lParam));
    case WM_SETFOCUS:
        if (edit_) {
            SetFocus(edit_);
            SendMessage(edit_, EM_SETSEL, 0, -1);
            return 0;
        }
        focused_ = true;
        InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    case WM_KILLFOCUS:
        focused_ = false;
        if (reinterpret_cast<HWND>(wParam) != edit_)
            CloseUp();
        InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    case WM_ENABLE:
        if (edit_)
            EnableWindow(edit_, static_cast<BOOL>(wParam));
        if (!wParam)
            CloseUp();
        InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    case WM_COMMAND:
        if (edit_ && reinterpret_cast<HWND>(lParam) == edit_) {
            WORD code = HIWORD(wParam);
            if (code == EN_CHANGE && !settingEdit_)
                NotifyParent(hwnd_, CBN_EDITCHANGE);
            else if (code == EN_UPDATE && !settingEdit_)
                NotifyParent(hwnd_, CBN_EDITUPDATE);
            else if (code == EN_KILLFOCUS && GetFocus() != hwnd_)
                CloseUp();
        }
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: {
        // The edit field and the list take their colours from our parent.
        return reinterpret_cast<LRESULT>(
            AskColours(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam), msg, GetParent(hwnd_)));
    }
    case WM_SETTEXT:
        return OnSetText(reinterpret_cast<const char*>(lParam));
    case WM_GETTEXT:
        if (edit_)
            return SendMessage(edit_, msg, wParam, lParam);
        return CopyOut(SelectionText(), reinterpret_cast<char*>(lParam), wParam);
    case WM_GETTEXTLENGTH:
        if (edit_)
            return SendMessage(edit_, msg, wParam, lParam);
        return static_cast<LRESULT>(SelectionText().size());
    case CB_ADDSTRING:
        return ToList(LB_ADDSTRING, wParam, lParam);
    case CB_INSERTSTRING:
        return ToList(LB_INSERTSTRING, wParam, lParam);
    case CB_DELETESTRING: {
        LRESULT r = ToList(LB_DELETESTRING, wParam, lParam);
        InvalidateRect(hwnd_, nullptr, FALSE);
        return r;
    }
    case CB_RESETCONTENT:
        ToList(LB_RESETCONTENT, 0, 0);
        ShowSelectionText();
        InvalidateRect(hwnd_, nullptr, FALSE);
        return CB_OKAY;
    case CB_GETCOUNT:
        return ToList(LB_GETCOUNT, 0, 0);
    case CB_GETCURSEL:
        return ToList(LB_GETCURSEL, 0, 0);
    case CB_SETCURSEL:
        return SetSelection(static_cast<int>(static_cast<LONG_PTR>(wParam)));
    case CB_GETLBTEXT:
        return ToList(LB_GETTEXT, wParam, lParam);
    case CB_GETLBTEXTLEN:
        return ToList(LB_GETTEXTLEN, wParam, lParam);
    case CB_FINDSTRINGEXACT:
        return ToList(LB_FINDSTRINGEXACT, wParam, lParam);
    case CB_FINDSTRING:
        return ToList(LB_FINDSTRING, wParam, lParam);
    case CB_SELECTSTRING: {
        LRESULT found = ToList(LB_FINDSTRING, wParam, lParam);
        return found == LB_ERR ? CB_ERR : SetSelection(static_cast<int>(found));
    }
    case CB_GETITEMDATA:
        return ToList(LB_GETITEMDATA, wParam, lParam);
    case CB_SETITEMDATA:
        return ToList(LB_SETITEMDATA, wParam, lParam);
    case CB_GETITEMHEIGHT:
        return ToList(LB_GETITEMHEIGHT, 0, 0);
    case CB_SHOWDROPDOWN:
        if (wParam)
            DropDown();
        else
            CloseUp();
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return dropped_ ? TRUE : FALSE;
    case CB_LIMITTEXT:
        if (!edit_)
            return CB_ERR;
        SendMessage(edit_, EM_LIMITTEXT, wParam, 0);
        return TRUE;
    case CB_GETEDITSEL:
        return edit_ ? SendMessage(edit_, EM_GETSEL, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL:
        if (!edit_)
            return CB_ERR;
        SendMessage(edit_, EM_SETSEL, static_cast<WPARAM>(static_cast<SHORT>(LOWORD(static_cast<ULONG_PTR>(lParam)))),
            static_cast<LPARAM>(static_cast<SHORT>(HIWORD(static_cast<ULONG_PTR>(lParam)))));
        return TRUE;
    default:
        return DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

void ComboBoxControl::Paint(HDC dc)
{
    RECT c;
    GetClientRect(hwnd_, &c);
    bool enabled = IsWindowEnabled(hwnd_) != FALSE;
    RECT button = ButtonRect();
    if (edit_) {
        FillSolid(dc, c, kFieldColour);
        FrameSolid(dc, c, dropped_ ? kHighlightColour : kBorderColour);
        DownArrow(dc, button, enabled ? kArrowColour : kDisabledTextColour);
        return;
    }
    // The parent's list colours give the text colour; the face stays flat.
    AskColours(hwnd_, dc, WM_CTLCOLORLISTBOX);
    COLORREF text = enabled ? GetTextColor(dc) : kDisabledTextColour;
    FillSolid(dc, c, kFaceColour);
    FrameSolid(dc, c, focused_ || dropped_ ? kHighlightColour : kBorderColour);
    RECT field { c.left + kInset, c.top + kInset, button.left, c.bottom - kInset };
    if (focused_ && !dropped_) {
        FillSolid(dc, field, kHighlightColour);
        text = kHighlightTextColour;
    }
    DownArrow(dc, button, enabled ? kArrowColour : kDisabledTextColour);
    RECT textBox { field.left + 2, field.top, field.right - 2, field.bottom };
    TextScope scope(dc, hwnd_, text);
    DrawText(dc, SelectionText().c_str(), -1, &textBox, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

} // namespace ws::ctl
