#include "platform/window/ListBoxControl.h"

#include "platform/gdi/Text.h"
#include "platform/window/ControlPainting.h"
#include "platform/window/Controls.h"

#include <algorithm>
#include <strings.h>

namespace ws::ctl {

namespace {

constexpr int kScrollBarWidth = 12;
constexpr int kMinThumb = 10;
constexpr int kTextIndent = 3;
constexpr int kWheelLines = 3;
// Items are a little taller than a line of text, for a calmer look.
constexpr int kItemPadding = 2;

// Strings compare without regard to ASCII case, as the list sorts and
// searches them.
int Compare(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b); }

bool StartsWith(const std::string& text, const char* prefix)
{
    std::size_t n = std::char_traits<char>::length(prefix);
    return text.size() >= n && strncasecmp(text.c_str(), prefix, n) == 0;
}

} // namespace

ListBoxControl::ListBoxControl(HWND hwnd, const CREATESTRUCT& cs)
    : hwnd_(hwnd)
{
    char name[16] = {};
    GetClassName(hwnd, name, sizeof name);
    if (strcasecmp(name, kDropDownClass) == 0)
        owner_ = static_cast<HWND>(cs.lpCreateParams);
    MeasureItems();
}

DWORD ListBoxControl::Style() const { return static_cast<DWORD>(GetWindowLongPtr(hwnd_, GWL_STYLE)); }

RECT ListBoxControl::ClientRect() const
{
    RECT r;
    GetClientRect(hwnd_, &r);
    return r;
}

void ListBoxControl::MeasureItems() { itemHeight_ = LineHeight(hwnd_) + kItemPadding; }

int ListBoxControl::VisibleCount() const { return std::max(1, ClientRect().bottom / itemHeight_); }

int ListBoxControl::MaxTop() const { return std::max(0, Count() - VisibleCount()); }

bool ListBoxControl::HasScrollBar() const { return (Style() & WS_VSCROLL) && Count() > VisibleCount(); }

RECT ListBoxControl::ScrollBarRect() const
{
    RECT c = ClientRect();
    return RECT { std::max(c.left, c.right - kScrollBarWidth), c.top, c.right, c.bottom };
}

RECT ListBoxControl::ThumbRect() const
{
    RECT bar = ScrollBarRect();
    int track = bar.bottom - bar.top;
    int length = std::clamp(track * VisibleCount() / std::max(1, Count()), std::min(kMinThumb, track), track);
    int maxTop = MaxTop();
    int offset = maxTop > 0 ? (track - length) * top_ / maxTop : 0;
    return RECT { bar.left, bar.top + offset, bar.right, bar.top + offset + length };
}

int ListBoxControl::FittingHeight(int maxHeight) const
{
    int wanted = std::max(1, Count()) * itemHeight_;
    int most = std::max(itemHeight_, maxHeight / itemHeight_ * itemHeight_);
    return std::min(wanted, most);
}

int ListBoxControl::ItemAt(POINT p) const
{
    RECT c = ClientRect();
    if (HasScrollBar())
        c.right = ScrollBarRect().left;
    if (!PtInRect(&c, p))
        return -1;
    int index = top_ + p.y / itemHeight_;
    return Valid(index) ? index : -1;
}

bool ListBoxControl::OnScrollBar(POINT p) const
{
    RECT bar = ScrollBarRect();
    return HasScrollBar() && PtInRect(&bar, p);
}

void ListBoxControl::ScrollBarPress(POINT p)
{
    RECT thumb = ThumbRect();
    if (p.y < thumb.top) {
        ScrollTo(top_ - std::max(1, VisibleCount() - 1));
    } else if (p.y >= thumb.bottom) {
        ScrollTo(top_ + std::max(1, VisibleCount() - 1));
    } else {
        thumbDrag_ = true;
        thumbGrab_ = p.y - thumb.top;
    }
}

void ListBoxControl::ScrollBarDrag(POINT p)
{
    if (!thumbDrag_)
        return;
    RECT bar = ScrollBarRect();
    RECT thumb = ThumbRect();
    int room = (bar.bottom - bar.top) - (thumb.bottom - thumb.top);
    if (room <= 0)
        return;
    int offset = std::clamp(p.y - thumbGrab_ - bar.top, 0, room);
    ScrollTo((offset * MaxTop() + room / 2) / room);
}

void ListBoxControl::ScrollTo(int top)
{
    top = std::clamp(top, 0, MaxTop());
    if (top == top_)
        return;
    top_ = top;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListBoxControl::EnsureVisible(int index)
{
    if (!Valid(index))
        return;
    if (index < top_)
        ScrollTo(index);
    else if (index >= top_ + VisibleCount())
        ScrollTo(index - VisibleCount() + 1);
}

void ListBoxControl::ScrollWheel(int delta) { ScrollTo(top_ - delta * kWheelLines / WHEEL_DELTA); }

void ListBoxControl::SetHot(int index)
{
    if (index == hot_)
        return;
    hot_ = index;
    InvalidateRect(hwnd_, nullptr, FALSE);
}

int ListBoxControl::NavigationTarget(UINT vk, int from) const
{
    if (Count() == 0)
        return -1;
    int page = std::max(1, VisibleCount() - 1);
    int last = Count() - 1;
    // With nothing selected, every key but End starts at the first item.
    if (from < 0)
        return vk == VK_END                                                                      ? last
            : (vk == VK_UP || vk == VK_DOWN || vk == VK_HOME || vk == VK_PRIOR || vk == VK_NEXT) ? 0
                                                                                                 : -1;
    switch (vk) {
    case VK_UP:
        return std::max(0, from - 1);
    case VK_DOWN:
        return std::min(last, from + 1);
    case VK_HOME:
        return 0;
    case VK_END:
        return last;
    case VK_PRIOR:
        return std::max(0, from - page);
    case VK_NEXT:
        return std::min(last, from + page);
    default:
        return -1;
    }
}

int ListBoxControl::Insert(int index, const char* text)
{
    if (index < -1 || index > Count())
        return LB_ERR;
    if (index == -1)
        index = Count();
    items_.insert(items_.begin() + index, Item { text ? text : "", 0 });
    if (selected_ >= index)
        ++selected_;
    if (hot_ >= index)
        ++hot_;
    InvalidateRect(hwnd_, nullptr, TRUE);
    return index;
}

int ListBoxControl::Delete(int index)
{
    if (!Valid(index))
        return LB_ERR;
    items_.erase(items_.begin() + index);
    auto shift = [index](int& at) {
        if (at == index)
            at = -1;
        else if (at > index)
            --at;
    };
    shift(selected_);
    shift(hot_);
    top_ = std::clamp(top_, 0, MaxTop());
    InvalidateRect(hwnd_, nullptr, TRUE);
    return Count();
}

int ListBoxControl::Find(int startAfter, const char* text, bool exact) const
{
    if (!text || Count() == 0)
        return LB_ERR;
    // The search starts after startAfter and goes round to it.
    int first = Valid(startAfter) ? startAfter + 1 : 0;
    for (int k = 0; k < Count(); ++k) {
        int i = (first + k) % Count();
        const std::string& item = items_[static_cast<std::size_t>(i)].text;
        if (exact ? Compare(item, text) == 0 : StartsWith(item, text))
            return i;
    }
    return LB_ERR;
}

void ListBoxControl::UserSelect(int index)
{
    if (!Valid(index) || index == selected_)
        return;
    selected_ = index;
    EnsureVisible(index);
    InvalidateRect(hwnd_, nullptr, FALSE);
    if (!owner_ && (Style() & LBS_NOTIFY))
        NotifyParent(hwnd_, LBN_SELCHANGE);
}

LRESULT ListBoxControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto text = reinterpret_cast<const char*>(lParam);
    int index = static_cast<int>(static_cast<LONG_PTR>(wParam));
    switch (msg) {
    case LB_ADDSTRING: {
        int at = Count();
        if (Style() & LBS_SORT)
            at = static_cast<int>(std::upper_bound(items_.begin(), items_.end(), text ? text : "",
                                      [](const char* t, const Item& item) { return Compare(item.text, t) > 0; })
                - items_.begin());
        return Insert(at, text);
    }
    case LB_INSERTSTRING:
        return Insert(index, text);
    case LB_DELETESTRING:
        return Delete(index);
    case LB_RESETCONTENT:
        items_.clear();
        selected_ = hot_ = -1;
        top_ = 0;
        InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    case LB_GETCOUNT:
        return Count();
    case LB_GETTEXT:
        if (!Valid(index))
            return LB_ERR;
        if (char* out = reinterpret_cast<char*>(lParam)) {
            const std::string& s = items_[static_cast<std::size_t>(index)].text;
            return CopyOut(s, out, s.size() + 1);
        }
        return LB_ERR;
    case LB_GETTEXTLEN:
        return Valid(index) ? static_cast<LRESULT>(items_[static_cast<std::size_t>(index)].text.size()) : LB_ERR;
    case LB_SETCURSEL:
        if (index == -1) {
            selected_ = -1;
            InvalidateRect(hwnd_, nullptr, FALSE);
            return LB_ERR;
        }
        if (!Valid(index))
            return LB_ERR;
        selected_ = index;
        EnsureVisible(index);
        InvalidateRect(hwnd_, nullptr, FALSE);
        return index;
    case LB_GETCURSEL:
        return selected_;
    case LB_FINDSTRINGEXACT:
        return Find(index, text, true);
    case LB_FINDSTRING:
        return Find(index, text, false);
    case LB_GETITEMDATA:
        return Valid(index) ? static_cast<LRESULT>(items_[static_cast<std::size_t>(index)].data) : LB_ERR;
    case LB_SETITEMDATA:
        if (!Valid(index))
            return LB_ERR;
        items_[static_cast<std::size_t>(index)].data = static_cast<ULONG_PTR>(lParam);
        return TRUE;
    case LB_SETTOPINDEX:
        if (!Valid(index))
            return LB_ERR;
        ScrollTo(index);
        return 0;
    case LB_GETTOPINDEX:
        return top_;
    case LB_GETITEMHEIGHT:
        return itemHeight_;
    case WM_SETFONT: {
        LRESULT r = DefWindowProc(hwnd_, msg, wParam, lParam);
        MeasureItems();
        top_ = std::clamp(top_, 0, MaxTop());
        return r;
    }
    case WM_SIZE:
        top_ = std::clamp(top_, 0, MaxTop());
        InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDOWN:
        OnButtonDown(MousePoint(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(MousePoint(lParam));
        return 0;
    case WM_LBUTTONUP:
        if (tracking_ || thumbDrag_) {
            tracking_ = thumbDrag_ = false;
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        tracking_ = thumbDrag_ = false;
        return 0;
    case WM_MOUSEWHEEL:
        ScrollWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_KEYDOWN: {
        int target = NavigationTarget(static_cast<UINT>(wParam), selected_);
        if (target >= 0) {
            UserSelect(target);
            EnsureVisible(target);
        }
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    case WM_NCPAINT:
        PaintNonClientFrame(hwnd_, kBorderColour, kFieldColour);
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

void ListBoxControl::OnButtonDown(POINT p)
{
    if (GetFocus() != hwnd_)
        SetFocus(hwnd_);
    SetCapture(hwnd_);
    if (OnScrollBar(p)) {
        ScrollBarPress(p);
        return;
    }
    tracking_ = true;
    UserSelect(ItemAt(p));
}

void ListBoxControl::OnMouseMove(POINT p)
{
    if (thumbDrag_) {
        ScrollBarDrag(p);
        return;
    }
    if (!tracking_ || Count() == 0)
        return;
    // Dragging past either end scrolls the list along.
    RECT c = ClientRect();
    int index = p.y < 0 ? top_ - 1 : p.y >= c.bottom ? top_ + VisibleCount() : top_ + p.y / itemHeight_;
    UserSelect(std::clamp(index, 0, Count() - 1));
}

void ListBoxControl::Paint(HDC dc)
{
    RECT c = ClientRect();
    HBRUSH brush = AskColours(hwnd_, dc, WM_CTLCOLORLISTBOX, owner_);
    FillRect(dc, &c, brush);
    bool enabled = IsWindowEnabled(hwnd_) != FALSE;
    COLORREF normal = enabled ? GetTextColor(dc) : kDisabledTextColour;
    int right = HasScrollBar() ? ScrollBarRect().left : c.right;
    int marked = owner_ && hot_ >= 0 ? hot_ : selected_;
    for (int i = top_; i < Count() && (i - top_) * itemHeight_ < c.bottom; ++i) {
        RECT row { c.left, (i - top_) * itemHeight_, right, (i - top_ + 1) * itemHeight_ };
        bool highlighted = i == marked;
        if (highlighted)
            FillSolid(dc, row, kHighlightColour);
        TextScope scope(dc, hwnd_, highlighted ? kHighlightTextColour : normal);
        RECT textBox { row.left + kTextIndent, row.top, row.right - kTextIndent, row.bottom };
        DrawText(dc, items_[static_cast<std::size_t>(i)].text.c_str(), -1, &textBox,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (HasScrollBar())
        PaintScrollBar(dc);
}

void ListBoxControl::PaintScrollBar(HDC dc)
{
    FillSolid(dc, ScrollBarRect(), kFaceColour);
    RECT thumb = ThumbRect();
    InflateRect(&thumb, -2, -1);
    FillSolid(dc, thumb, kThumbColour);
}

} // namespace ws::ctl
