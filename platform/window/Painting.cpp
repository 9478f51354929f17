#include "platform/window/Painting.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/window/Backend.h"
#include "platform/window/WindowTree.h"

#include <algorithm>
#include <map>
#include <set>

namespace ws {

namespace {

RECT ClientRectOf(const Window* w)
{
    RECT c = w->ClientInWindow();
    return RECT { 0, 0, c.right - c.left, c.bottom - c.top };
}

// Where a child's client area starts in its parent's client coordinates.
POINT ChildClientOffset(const Window* child)
{
    RECT c = child->ClientInWindow();
    return POINT { child->rect.left + c.left, child->rect.top + c.top };
}

// The DCs handed out for windows, so that they follow the window when it
// moves, resizes or goes away.
struct DcBinding {
    Window* window;
    bool client;
    gdi::Region limit; // a paint DC's update region, device coordinates
    bool limited;
};

std::map<gdi::DeviceContext*, DcBinding>& Dcs()
{
    static std::map<gdi::DeviceContext*, DcBinding> dcs;
    return dcs;
}

void SetUpDc(gdi::DeviceContext* dc, const DcBinding& info)
{
    Window* w = info.window;
    Window* top = w->TopLevel();
    dc->target = top->pixels.get();
    POINT origin = w->OriginInTopLevel();
    RECT area = info.client ? w->ClientInWindow() : RECT { 0, 0, w->Width(), w->Height() };
    dc->surfaceOffset = POINT { origin.x + area.left, origin.y + area.top };
    dc->deviceSize = SIZE { area.right - area.left, area.bottom - area.top };
    gdi::Region visible = VisibleRegion(w, info.client);
    dc->visibleRegion = info.limited ? visible.Intersect(info.limit) : visible;
    dc->ClipChanged();
}

HDC MakeWindowDc(Window* w, bool client, const gdi::Region* limit)
{
    auto* dc = new gdi::DeviceContext(gdi::DeviceContext::Kind::Window);
    DcBinding info { w, client, limit ? *limit : gdi::Region(), limit != nullptr };
    SetUpDc(dc, info);
    Dcs().emplace(dc, std::move(info));
    dc->onRelease = [](gdi::DeviceContext& d) {
        Dcs().erase(&d);
        PresentAll();
    };
    return gdi::RegisterDeviceContext(dc);
}

Window* FindPaint(Window* w)
{
    if (!w->IsReallyVisible())
        return nullptr;
    if (!w->updateRegion.IsEmpty())
        return w;
    for (Window* c : w->children)
        if (Window* found = FindPaint(c))
            return found;
    return nullptr;
}

} // namespace

void Invalidate(Window* w, const gdi::Region* rgn, bool erase)
{
    if (!w->IsReallyVisible())
        return;
    gdi::Region client(ClientRectOf(w));
    gdi::Region area = rgn ? rgn->Intersect(client) : client;
    if (area.IsEmpty())
        return;
    w->updateRegion = w->updateRegion.Union(area);
    w->eraseNeeded = w->eraseNeeded || erase;
    if (w->style & WS_CLIPCHILDREN)
        return;
    // Children under the area are painted again after the parent.
    for (Window* c : w->children) {
        if (!c->IsReallyVisible())
            continue;
        POINT off = ChildClientOffset(c);
        gdi::Region part = area;
        part.Offset(-off.x, -off.y);
        Invalidate(c, &part, erase);
    }
}

void InvalidateParentArea(Window* w, const RECT& rectInParent)
{
    if (!w->parent)
        return;
    gdi::Region r(rectInParent);
    Invalidate(w->parent, &r, true);
}

void Validate(Window* w, const gdi::Region* rgn)
{
    w->updateRegion = rgn ? w->updateRegion.Subtract(*rgn) : gdi::Region();
    if (w->updateRegion.IsEmpty())
        w->eraseNeeded = false;
}

void InvalidateFrame(Window* w)
{
    RECT c = w->ClientInWindow();
    if (c.left > 0 || c.top > 0 || c.right < w->Width() || c.bottom < w->Height())
        w->frameNeeded = true;
}

Window* WindowToPaint()
{
    for (Window* top : Tree().TopLevels())
        if (Window* w = FindPaint(top))
            return w;
    return nullptr;
}

gdi::Region VisibleRegion(Window* w, bool clientArea)
{
    if (!w->IsReallyVisible())
        return gdi::Region();
    // Work in w's window coordinates, then move to the DC's.
    RECT area = clientArea ? w->ClientInWindow() : RECT { 0, 0, w->Width(), w->Height() };
    gdi::Region vis(area);
    if (w->windowRegion)
        vis = vis.Intersect(*w->windowRegion);

    // Every ancestor's client area and outline cut it down. pos is w's
    // window origin in the current ancestor's client coordinates.
    POINT pos { w->rect.left, w->rect.top };
    for (Window* a = w->IsChild() ? w->parent : nullptr; a; a = a->IsChild() ? a->parent : nullptr) {
        RECT ac = a->ClientInWindow();
        gdi::Region clip(ClientRectOf(a));
        clip.Offset(-pos.x, -pos.y);
        vis = vis.Intersect(clip);
        if (a->windowRegion) {
            gdi::Region shape = *a->windowRegion;
            shape.Offset(-ac.left - pos.x, -ac.top - pos.y);
            vis = vis.Intersect(shape);
        }
        pos.x += ac.left + a->rect.left;
        pos.y += ac.top + a->rect.top;
    }

    auto subtract = [&](Window* other, POINT otherOriginInW) {
        gdi::Region r(RECT { 0, 0, other->Width(), other->Height() });
        if (other->windowRegion)
            r = r.Intersect(*other->windowRegion);
        r.Offset(otherOriginInW.x, otherOriginInW.y);
        vis = vis.Subtract(r);
    };
    if (w->style & WS_CLIPCHILDREN) {
        RECT c = w->ClientInWindow();
        for (Window* c2 : w->children)
            if (c2->IsVisibleFlag())
                subtract(c2, POINT { c.left + c2->rect.left, c.top + c2->rect.top });
    }
    if ((w->style & WS_CLIPSIBLINGS) && w->IsChild() && w->parent) {
        for (Window* s : w->parent->children) {
            if (s == w)
                break;
            if (s->IsVisibleFlag())
                subtract(s, POINT { s->rect.left - w->rect.left, s->rect.top - w->rect.top });
        }
    }
    vis.Offset(-area.left, -area.top);
    return vis;
}

void PresentAll()
{
    // Top-level windows exist only on a screen.
    if (Tree().TopLevels().empty())
        return;
    platform::Backend& backend = platform::CurrentBackend();
    for (Window* top : std::vector<Window*>(Tree().TopLevels())) {
        if (!Tree().IsLive(top))
            continue;
        if (top->frameNeeded && top->IsReallyVisible()) {
            top->frameNeeded = false;
            SendMessage(top, WM_NCPAINT, 1, 0);
        }
        if (!top->pixels)
            continue;
        RECT dirty = top->pixels->TakeDirty();
        if (dirty.left < dirty.right && dirty.top < dirty.bottom && top->IsReallyVisible())
            backend.Present(top, *top->pixels, dirty);
    }
}

void ForgetWindowDcs(Window* w)
{
    for (auto& [dc, info] : Dcs()) {
        if (info.window == w) {
            dc->target = nullptr;
            dc->visibleRegion = gdi::Region();
            dc->ClipChanged();
            info.window = nullptr;
        }
    }
    for (auto it = Dcs().begin(); it != Dcs().end();)
        it = it->second.window ? std::next(it) : Dcs().erase(it);
}

void RefreshWindowDcs()
{
    for (auto& [dc, info] : Dcs())
        if (info.window)
            SetUpDc(dc, info);
}

HDC WindowDc(Window* w, bool client, const gdi::Region* limit) { return MakeWindowDc(w, client, limit); }

} // namespace ws

using namespace ws;

HDC GetDC(HWND hwnd)
{
    if (!hwnd)
        return CreateDC("DISPLAY", nullptr, nullptr, nullptr);
    Window* w = FromHandle(hwnd);
    return w ? WindowDc(w, true, nullptr) : nullptr;
}

HDC GetWindowDC(HWND hwnd)
{
    if (!hwnd)
        return CreateDC("DISPLAY", nullptr, nullptr, nullptr);
    Window* w = FromHandle(hwnd);
    return w ? WindowDc(w, false, nullptr) : nullptr;
}

int ReleaseDC(HWND, HDC hdc) { return DeleteDC(hdc) ? 1 : 0; }

HWND WindowFromDC(HDC hdc)
{
    auto* dc = gdi::DcFromHandle(hdc);
    if (!dc)
        return nullptr;
    auto it = Dcs().find(dc);
    return it == Dcs().end() ? nullptr : it->second.window;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps)
{
    Window* w = FromHandle(hwnd);
    if (!w || !ps)
        return nullptr;
    *ps = PAINTSTRUCT {};
    if (w->frameNeeded) {
        w->frameNeeded = false;
        SendMessage(w, WM_NCPAINT, 1, 0);
    }
    gdi::Region update = w->updateRegion;
    bool erase = w->eraseNeeded;
    Validate(w, nullptr);
    HDC hdc = WindowDc(w, true, &update);
    ps->hdc = hdc;
    ps->rcPaint = update.Bounds();
    ps->fErase = erase ? !SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) : FALSE;
    return hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* ps)
{
    if (!ps)
        return FALSE;
    DeleteDC(ps->hdc);
    return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return FALSE;
    if (rect) {
        gdi::Region r(*rect);
        Invalidate(w, &r, erase);
    } else {
        Invalidate(w, nullptr, erase);
    }
    return TRUE;
}

BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return FALSE;
    auto* r = gdi::ObjectAs<gdi::RegionObject>(rgn);
    Invalidate(w, r ? &r->region : nullptr, erase);
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return FALSE;
    if (rect) {
        gdi::Region r(*rect);
        Validate(w, &r);
    } else {
        Validate(w, nullptr);
    }
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT out, BOOL)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return FALSE;
    if (out)
        *out = w->updateRegion.Bounds();
    return w->updateRegion.IsEmpty() ? FALSE : TRUE;
}

BOOL UpdateWindow(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return FALSE;
    if (!w->updateRegion.IsEmpty() && w->IsReallyVisible())
        SendMessage(hwnd, WM_PAINT, 0, 0);
    PresentAll();
    return TRUE;
}

namespace {

void UpdateNow(Window* w, bool children)
{
    if (Tree().IsLive(w) && !w->updateRegion.IsEmpty() && w->IsReallyVisible())
        SendMessage(w, WM_PAINT, 0, 0);
    if (children && Tree().IsLive(w))
        for (Window* c : std::vector<Window*>(w->children))
            UpdateNow(c, true);
}

} // namespace

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN rgn, UINT flags)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return FALSE;
    std::optional<gdi::Region> area;
    if (auto* r = gdi::ObjectAs<gdi::RegionObject>(rgn))
        area = r->region;
    else if (rect)
        area = gdi::Region(*rect);
    if (flags & RDW_INVALIDATE) {
        Invalidate(w, area ? &*area : nullptr, (flags & RDW_ERASE) != 0);
        if (flags & RDW_FRAME)
            InvalidateFrame(w);
    }
    if (flags & RDW_VALIDATE)
        Validate(w, area ? &*area : nullptr);
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW))
        UpdateNow(w, (flags & RDW_ALLCHILDREN) != 0);
    PresentAll();
    return TRUE;
}
