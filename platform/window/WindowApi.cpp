// The window API functions over the window tree.

#include "platform/gdi/GdiObjects.h"
#include "platform/window/Input.h"
#include "platform/window/Painting.h"
#include "platform/window/WindowClass.h"
#include "platform/window/WindowTree.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace ws;

namespace {

// A window's system menu: the items a program added to it.
struct Menu final : HMENU__ {
    struct Item {
        UINT flags;
        UINT_PTR id;
        std::string text;
    };
    std::vector<Item> items;
};

std::vector<std::pair<HWND, std::unique_ptr<Menu>>>& SystemMenus()
{
    static std::vector<std::pair<HWND, std::unique_ptr<Menu>>> menus;
    return menus;
}

// The desktop window covers the whole screen, whatever size the screen has
// now; other windows are as the tree keeps them.
Window* Measured(HWND hwnd)
{
    if (hwnd != Tree().Desktop())
        return FromHandle(hwnd);
    // Without a screen the desktop has no area.
    Window* desktop = Tree().Desktop();
    desktop->rect = RECT { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    return desktop;
}

RECT ClientRectOf(const Window* w)
{
    RECT c = w->ClientInWindow();
    return RECT { 0, 0, c.right - c.left, c.bottom - c.top };
}

} // namespace

HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y, int width,
    int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param)
{
    if (!className)
        return nullptr;
    const WindowClass* cls = FindClass(className);
    if (!cls)
        return nullptr;
    CREATESTRUCT cs {};
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menuOrId;
    cs.hwndParent = parent;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    return Tree().Create(cs, cls);
}

BOOL DestroyWindow(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return FALSE;
    auto& menus = SystemMenus();
    menus.erase(std::remove_if(menus.begin(), menus.end(), [&](const auto& m) { return m.first == hwnd; }),
        menus.end());
    return Tree().Destroy(w) ? TRUE : FALSE;
}

BOOL IsWindow(HWND hwnd) { return FromHandle(hwnd) ? TRUE : FALSE; }

BOOL IsWindowVisible(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    return w && w->IsReallyVisible() ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    return w && w->IsEnabled() ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return FALSE;
    BOOL wasDisabled = w->IsEnabled() ? FALSE : TRUE;
    if (enable == wasDisabled) {
        if (enable) {
            w->style &= ~WS_DISABLED;
        } else {
            w->style |= WS_DISABLED;
            if (GetCapture() == hwnd)
                ReleaseCapture();
            if (GetFocus() && IsChild(hwnd, GetFocus()))
                SetFocus(nullptr);
        }
        SendMessage(hwnd, WM_ENABLE, enable, 0);
    }
    return wasDisabled;
}

BOOL IsIconic(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    return w && w->minimized ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    return w && w->maximized ? TRUE : FALSE;
}

BOOL IsChild(HWND parent, HWND hwnd)
{
    Window* p = FromHandle(parent);
    Window* w = FromHandle(hwnd);
    if (!p || !w)
        return FALSE;
    for (Window* x = w->IsChild() ? w->parent : nullptr; x; x = x->IsChild() ? x->parent : nullptr)
        if (x == p)
            return TRUE;
    return FALSE;
}

BOOL ShowWindow(HWND hwnd, int cmd)
{
    Window* w = FromHandle(hwnd);
    return w && Tree().Show(w, cmd) ? TRUE : FALSE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return FALSE;
    return Tree().SetPos(w, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return FALSE;
    return Tree().SetPos(w, insertAfter, x, y, cx, cy, flags) ? TRUE : FALSE;
}

BOOL BringWindowToTop(HWND hwnd) { return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

BOOL GetWindowRect(HWND hwnd, LPRECT out)
{
    Window* w = Measured(hwnd);
    if (!w || !out)
        return FALSE;
    POINT o = w->ScreenOrigin();
    *out = RECT { o.x, o.y, o.x + w->Width(), o.y + w->Height() };
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT out)
{
    Window* w = Measured(hwnd);
    if (!w || !out)
        return FALSE;
    *out = ClientRectOf(w);
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT pt)
{
    Window* w = FromHandle(hwnd);
    if (!w || !pt)
        return FALSE;
    POINT o = w->ClientScreenOrigin();
    pt->x -= o.x;
    pt->y -= o.y;
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT pt)
{
    Window* w = FromHandle(hwnd);
    if (!w || !pt)
        return FALSE;
    POINT o = w->ClientScreenOrigin();
    pt->x += o.x;
    pt->y += o.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count)
{
    POINT a { 0, 0 }, b { 0, 0 };
    if (from && !ClientToScreen(from, &a))
        return 0;
    if (to && !ClientToScreen(to, &b))
        return 0;
    int dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return MAKELPARAM(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL, DWORD exStyle)
{
    if (!rect)
        return FALSE;
    RECT in = NonClientInsets(style, exStyle);
    rect->left -= in.left;
    rect->top -= in.top;
    rect->right += in.right;
    rect->bottom += in.bottom;
    return TRUE;
}

HWND GetParent(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return nullptr;
    // A child's parent, or a popup's owner, as the original answers.
    if (w->IsChild())
        return w->parent;
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND SetParent(HWND hwnd, HWND parent)
{
    Window* w = FromHandle(hwnd);
    Window* p = FromHandle(parent);
    if (!w || !w->IsChild() || !p)
        return nullptr;
    Window* old = w->parent;
    auto& sib = old->children;
    sib.erase(std::remove(sib.begin(), sib.end(), w), sib.end());
    w->parent = p;
    p->children.insert(p->children.begin(), w);
    InvalidateRect(old, nullptr, TRUE);
    InvalidateRect(hwnd, nullptr, TRUE);
    RefreshWindowDcs();
    return old;
}

HWND GetWindow(HWND hwnd, UINT cmd)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return nullptr;
    if (cmd == GW_OWNER)
        return w->owner;
    if (cmd == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front();
    const std::vector<Window*>& list = w->IsChild() ? w->parent->children : Tree().TopLevels();
    auto it = std::find(list.begin(), list.end(), w);
    switch (cmd) {
    case GW_HWNDFIRST:
        return list.empty() ? nullptr : list.front();
    case GW_HWNDLAST:
        return list.empty() ? nullptr : list.back();
    case GW_HWNDNEXT:
        return (it == list.end() || it + 1 == list.end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV:
        return (it == list.begin() || it == list.end()) ? nullptr : *(it - 1);
    default:
        return nullptr;
    }
}

HWND GetDesktopWindow() { return Tree().Desktop(); }

HWND GetTopWindow(HWND hwnd)
{
    if (!hwnd || hwnd == Tree().Desktop())
        return Tree().TopLevels().empty() ? nullptr : Tree().TopLevels().front();
    return GetWindow(hwnd, GW_CHILD);
}

HWND ChildWindowFromPoint(HWND parent, POINT pt)
{
    Window* p = FromHandle(parent);
    if (!p)
        return nullptr;
    RECT client = ClientRectOf(p);
    if (!PtInRect(&client, pt))
        return nullptr;
    for (Window* c : p->children) {
        RECT r = c->rect;
        if (PtInRect(&r, pt))
            return c;
    }
    return p;
}

HWND GetDlgItem(HWND dialog, int id)
{
    Window* d = FromHandle(dialog);
    if (!d)
        return nullptr;
    for (Window* c : d->children)
        if (c->id == id)
            return c;
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    return w && w->IsChild() ? static_cast<int>(w->id) : 0;
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return 0;
    switch (index) {
    case GWL_STYLE:
        return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(w->exStyle);
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_ID:
        return w->id;
    case GWLP_USERDATA:
        return w->userData;
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(w->IsChild() ? w->parent : w->owner);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    default: {
        auto it = w->extraData.find(index);
        return it == w->extraData.end() ? 0 : it->second;
    }
    }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return 0;
    LONG_PTR old = GetWindowLongPtr(hwnd, index);
    switch (index) {
    case GWL_STYLE:
        Tree().SetStyle(w, static_cast<DWORD>(value));
        break;
    case GWL_EXSTYLE:
        Tree().SetExStyle(w, static_cast<DWORD>(value));
        break;
    case GWLP_WNDPROC:
        w->proc = reinterpret_cast<WNDPROC>(value);
        break;
    case GWLP_ID:
        w->id = value;
        break;
    case GWLP_USERDATA:
        w->userData = value;
        break;
    default:
        if (index < 0)
            return 0;
        w->extraData[index] = value;
        break;
    }
    return old;
}

BOOL SetWindowText(HWND hwnd, const char* text)
{
    if (!FromHandle(hwnd))
        return FALSE;
    return static_cast<BOOL>(SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")));
}

int GetWindowText(HWND hwnd, char* out, int max)
{
    if (!FromHandle(hwnd) || !out || max <= 0)
        return 0;
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(max), reinterpret_cast<LPARAM>(out)));
}

int GetWindowTextLength(HWND hwnd) { return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

int GetClassName(HWND hwnd, char* out, int max)
{
    Window* w = FromHandle(hwnd);
    if (!w || !out || max <= 0)
        return 0;
    std::size_t n = std::min<std::size_t>(w->className.size(), static_cast<std::size_t>(max - 1));
    std::memcpy(out, w->className.data(), n);
    out[n] = '\0';
    return static_cast<int>(n);
}

int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return 0;
    std::optional<gdi::Region> region;
    if (rgn) {
        auto* obj = gdi::ObjectAs<gdi::RegionObject>(rgn);
        if (!obj)
            return 0;
        region = obj->region;
        // The window owns the region from now on.
        DeleteObject(rgn);
    }
    Tree().SetRegion(w, std::move(region), redraw != FALSE);
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN out)
{
    Window* w = FromHandle(hwnd);
    auto* obj = gdi::ObjectAs<gdi::RegionObject>(out);
    if (!w || !obj || !w->windowRegion)
        return ERROR;
    obj->region = *w->windowRegion;
    return obj->region.Complexity();
}

HMENU GetSystemMenu(HWND hwnd, BOOL revert)
{
    Window* w = FromHandle(hwnd);
    if (!w || !(w->style & WS_SYSMENU))
        return nullptr;
    auto& menus = SystemMenus();
    auto it = std::find_if(menus.begin(), menus.end(), [&](const auto& m) { return m.first == hwnd; });
    if (revert) {
        if (it != menus.end())
            menus.erase(it);
        return nullptr;
    }
    if (it == menus.end()) {
        menus.emplace_back(hwnd, std::make_unique<Menu>());
        return menus.back().second.get();
    }
    return it->second.get();
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id, const char* text)
{
    for (auto& [hwnd, m] : SystemMenus()) {
        if (m.get() == menu) {
            m->items.push_back(Menu::Item { flags, id, text ? text : "" });
            return TRUE;
        }
    }
    return FALSE;
}
