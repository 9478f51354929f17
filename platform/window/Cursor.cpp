#include "platform/window/Cursor.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/window/Resources.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace ws {

namespace {

std::set<const HCURSOR__*>& Live()
{
    static std::set<const HCURSOR__*> live;
    return live;
}

// Every cursor made here, owned until it is destroyed or the program ends.
std::vector<std::unique_ptr<Cursor>>& Owned()
{
    static std::vector<std::unique_ptr<Cursor>> owned;
    return owned;
}

Cursor* Register(std::unique_ptr<Cursor> c)
{
    Cursor* raw = c.get();
    Owned().push_back(std::move(c));
    Live().insert(raw);
    return raw;
}

// Draws a system cursor from rows of characters: '#' black, '.' white,
// anything else transparent.
std::unique_ptr<Cursor> FromPicture(const std::vector<std::string>& rows, POINT hotspot)
{
    auto c = std::make_unique<Cursor>();
    c->width = 32;
    c->height = 32;
    c->hotspot = hotspot;
    c->shared = true;
    c->argb.assign(32 * 32, 0);
    for (std::size_t y = 0; y < rows.size() && y < 32; ++y)
        for (std::size_t x = 0; x < rows[y].size() && x < 32; ++x) {
            char ch = rows[y][x];
            if (ch == '#')
                c->argb[y * 32 + x] = 0xFF000000;
            else if (ch == '.')
                c->argb[y * 32 + x] = 0xFFFFFFFF;
        }
    return c;
}

const std::vector<std::string>& ArrowPicture()
{
    static const std::vector<std::string> rows = {
        "#",
        "##",
        "#.#",
        "#..#",
        "#...#",
        "#....#",
        "#.....#",
        "#......#",
        "#.......#",
        "#........#",
        "#.........#",
        "#......#####",
        "#...#..#",
        "#..# #..#",
        "#.#  #..#",
        "##    #..#",
        "      #..#",
        "       ##",
    };
    return rows;
}

const std::vector<std::string>& BeamPicture()
{
    static const std::vector<std::string> rows = {
        "###.###",
        "   #",
        "   #",
        "   #",
        "   #",
        "   #",
        "   #",
        "   #",
        "   #",
        "   #",
        "   #",
        "   #",
        "   #",
        "   #",
        "   #",
        "###.###",
    };
    return rows;
}

const std::vector<std::string>& CrossPicture()
{
    static const std::vector<std::string> rows = {
        "        #",
        "        #",
        "        #",
        "        #",
        "        #",
        "        #",
        "        #",
        "        #",
        "#################",
        "        #",
        "        #",
        "        #",
        "        #",
        "        #",
        "        #",
        "        #",
        "        #",
    };
    return rows;
}

Cursor* SystemCursor(UINT id)
{
    static std::map<UINT, Cursor*> made;
    auto it = made.find(id);
    if (it != made.end())
        return it->second;
    std::unique_ptr<Cursor> c;
    switch (id) {
    case 32513: // I-beam
        c = FromPicture(BeamPicture(), POINT { 3, 8 });
        break;
    case 32515: // cross
        c = FromPicture(CrossPicture(), POINT { 8, 8 });
        break;
    case 32512: // arrow
    case 32514: // wait
    case 32649: // hand
        c = FromPicture(ArrowPicture(), POINT { 0, 0 });
        break;
    default:
        return nullptr;
    }
    Cursor* raw = Register(std::move(c));
    made.emplace(id, raw);
    return raw;
}

Cursor* FromResource(const res::Pointer* p)
{
    static std::map<const res::Pointer*, Cursor*> made;
    if (!p)
        return nullptr;
    auto it = made.find(p);
    if (it != made.end())
        return it->second;
    auto c = std::make_unique<Cursor>();
    c->width = p->width;
    c->height = p->height;
    c->hotspot = p->hotspot;
    c->argb = p->argb;
    c->shared = true;
    Cursor* raw = Register(std::move(c));
    made.emplace(p, raw);
    return raw;
}

} // namespace

Cursor* CursorFromHandle(HCURSOR h) { return h && Live().count(h) ? static_cast<Cursor*>(h) : nullptr; }

} // namespace ws

using namespace ws;

HCURSOR LoadCursor(HINSTANCE instance, const char* name)
{
    if (!name)
        return nullptr;
    if (!instance && IS_INTRESOURCE(name))
        return SystemCursor(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
    return FromResource(res::FindCursor(res::Name::From(name)));
}

HICON LoadIcon(HINSTANCE instance, const char* name)
{
    if (!name)
        return nullptr;
    if (!instance && IS_INTRESOURCE(name))
        return SystemCursor(32512);
    return FromResource(res::FindIcon(res::Name::From(name)));
}

BOOL DestroyCursor(HCURSOR cursor)
{
    Cursor* c = CursorFromHandle(cursor);
    if (!c)
        return FALSE;
    if (!c->shared) {
        Live().erase(c);
        auto& owned = Owned();
        owned.erase(std::remove_if(owned.begin(), owned.end(), [c](const auto& p) { return p.get() == c; }),
            owned.end());
    }
    return TRUE;
}

BOOL DestroyIcon(HICON icon) { return DestroyCursor(icon); }

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon)
{
    Cursor* c = CursorFromHandle(icon);
    gdi::DeviceContext* dc = gdi::DcFromHandle(hdc);
    if (!c || !dc)
        return FALSE;
    // Blend the picture through its alpha, pixel by pixel, within the clip.
    for (int row = 0; row < c->height; ++row) {
        for (int col = 0; col < c->width; ++col) {
            std::uint32_t p = c->argb[static_cast<std::size_t>(row * c->width + col)];
            unsigned a = p >> 24;
            if (a == 0)
                continue;
            COLORREF under = GetPixel(hdc, x + col, y + row);
            if (under == CLR_INVALID)
                continue;
            auto mix = [a](unsigned s, unsigned d) { return static_cast<BYTE>((s * a + d * (255 - a)) / 255); };
            SetPixel(hdc, x + col, y + row,
                RGB(mix((p >> 16) & 0xFF, GetRValue(under)), mix((p >> 8) & 0xFF, GetGValue(under)),
                    mix(p & 0xFF, GetBValue(under))));
        }
    }
    return TRUE;
}
