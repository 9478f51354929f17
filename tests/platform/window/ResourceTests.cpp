// The resource registry and the loaders that read it: names by number and
// by text, bitmaps loaded pixel for pixel, the 3-D colour mapping, sizes
// asked of LoadImage, strings cut to a buffer, and the program's module
// handle. The resources here are made by the tests, under ids the program
// does not use.

#include "platform/gdi/Gdi.h"
#include "platform/window/Cursor.h"
#include "platform/window/Resources.h"
#include "platform/window/WinUser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Pixels = std::vector<COLORREF>;

res::Name Id(UINT id) { return res::Name { id, {} }; }

// Registers a bitmap of the given COLORREFs, rows top-down.
void AddPicture(res::Name name, int width, int height, const Pixels& colors)
{
    res::Bitmap b;
    b.width = width;
    b.height = height;
    for (COLORREF c : colors)
        b.pixels.push_back(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
    res::AddBitmap(std::move(name), std::move(b));
}

struct Loaded {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    Pixels pixels;
};

// What a bitmap holds, read back through the API.
Loaded Read(HBITMAP bitmap)
{
    Loaded out;
    BITMAP info {};
    if (!bitmap || GetObject(bitmap, sizeof info, &info) != sizeof info)
        return out;
    out.width = info.bmWidth;
    out.height = info.bmHeight;
    out.bitsPerPixel = info.bmBitsPixel;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    return out;
}

HINSTANCE Program() { return GetModuleHandle(nullptr); }

TEST(ResourceNames, NumbersTextAndOrdinalsWrittenAsText)
{
    struct Case {
        const char* given;
        UINT id;
        const char* text;
    };
    const Case cases[] = {
        { MAKEINTRESOURCE(142), 142, "" },
        { MAKEINTRESOURCE(65535), 65535, "" },
        { "#142", 142, "" },
        { "#65535", 65535, "" },
        { "toolbar", 0, "TOOLBAR" }, // names are kept in capitals
        { "ToolBar_2", 0, "TOOLBAR_2" },
        { "142", 0, "142" }, // digits without the sign are a name
        { "#0", 0, "#0" }, // not a resource number
        { "#65536", 0, "#65536" },
        { "#12a", 0, "#12A" },
        { "#", 0, "#" },
        { "", 0, "" },
    };
    for (const Case& c : cases) {
        res::Name n = res::Name::From(c.given);
        EXPECT_EQ(n.id, c.id) << c.id << " " << c.text;
        EXPECT_EQ(n.text, c.text) << c.id << " " << c.text;
    }
    EXPECT_EQ(res::Name::From(nullptr), (res::Name {}));
}

TEST(ResourceRegistry, FindsByIdAndByNameOfEachKind)
{
    AddPicture(Id(60001), 1, 1, { RGB(1, 2, 3) });
    AddPicture(res::Name::From("testpicture"), 1, 1, { RGB(4, 5, 6) });
    res::AddString(60001, "string 60001");
    res::AddDialog(Id(60001), res::DialogTemplate { WS_POPUP, 0, 0, 0, 10, 20, "Test", "", 0, {} });
    res::AddCursor(Id(60001), res::Pointer { 1, 1, POINT { 0, 0 }, { 0xFF000000 } });

    ASSERT_NE(res::FindBitmap(Id(60001)), nullptr);
    EXPECT_EQ(res::FindBitmap(Id(60001))->pixels[0], 0x010203u);
    // Names are found whatever their case; a name of digits is not the id.
    ASSERT_NE(res::FindBitmap(res::Name::From("TestPicture")), nullptr);
    EXPECT_EQ(res::FindBitmap(res::Name::From("TESTPICTURE"))->pixels[0], 0x040506u);
    EXPECT_EQ(res::FindBitmap(res::Name::From("60001")), nullptr);
    EXPECT_EQ(res::FindBitmap(Id(60002)), nullptr);
    // Each kind has its own names: the same id names a string, a dialog and
    // a cursor, and no icon.
    ASSERT_NE(res::FindString(60001), nullptr);
    EXPECT_EQ(*res::FindString(60001), "string 60001");
    ASSERT_NE(res::FindDialog(Id(60001)), nullptr);
    EXPECT_EQ(res::FindDialog(Id(60001))->cy, 20);
    EXPECT_NE(res::FindCursor(Id(60001)), nullptr);
    EXPECT_EQ(res::FindIcon(Id(60001)), nullptr);
}

TEST(ResourceRegistry, ReplacingKeepsWhatWasHandedOut)
{
    AddPicture(Id(60010), 1, 1, { RGB(10, 0, 0) });
    const res::Bitmap* first = res::FindBitmap(Id(60010));
    AddPicture(Id(60010), 2, 1, { RGB(20, 0, 0), RGB(30, 0, 0) });
    const res::Bitmap* second = res::FindBitmap(Id(60010));
    ASSERT_NE(second, first);
    EXPECT_EQ(second->width, 2);
    // The earlier entry is still there and unchanged for whoever holds it.
    EXPECT_EQ(first->width, 1);
    EXPECT_EQ(first->pixels[0], 0x0A0000u);
}

TEST(LoadBitmap, MakesANewBitmapWithTheRegisteredPixels)
{
    const Pixels colors = { RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(1, 2, 3), RGB(128, 128, 128),
        RGB(255, 255, 255) };
    AddPicture(Id(60020), 3, 2, colors);
    AddPicture(res::Name::From("PICTURE60020"), 3, 2, colors);

    for (const char* name :
        { MAKEINTRESOURCE(60020), static_cast<const char*>("picture60020"), static_cast<const char*>("#60020") }) {
        HBITMAP a = LoadBitmap(Program(), name);
        Loaded got = Read(a);
        EXPECT_EQ(got.width, 3);
        EXPECT_EQ(got.height, 2);
        EXPECT_EQ(got.bitsPerPixel, 32);
        EXPECT_EQ(got.pixels, colors);
        // Every load is a bitmap of its own: drawing on one leaves the next
        // load as registered.
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, a);
        SetPixel(dc, 0, 0, RGB(9, 9, 9));
        SelectObject(dc, old);
        DeleteDC(dc);
        HBITMAP b = LoadBitmap(Program(), name);
        EXPECT_NE(a, b);
        EXPECT_EQ(Read(b).pixels, colors);
        EXPECT_TRUE(DeleteObject(a));
        EXPECT_TRUE(DeleteObject(b));
    }
}

TEST(LoadBitmap, NullForWhatIsNotThere)
{
    AddPicture(Id(60021), 1, 1, { RGB(1, 1, 1) });
    EXPECT_EQ(LoadBitmap(Program(), MAKEINTRESOURCE(60029)), nullptr);
    EXPECT_EQ(LoadBitmap(Program(), "NOSUCHPICTURE"), nullptr);
    EXPECT_EQ(LoadBitmap(Program(), nullptr), nullptr);
    // A null instance asks for the system's own bitmaps, of which there are
    // none.
    EXPECT_EQ(LoadBitmap(nullptr, MAKEINTRESOURCE(60021)), nullptr);
    EXPECT_EQ(LoadImage(Program(), MAKEINTRESOURCE(60029), IMAGE_BITMAP, 0, 0, 0), nullptr);
    EXPECT_EQ(LoadImage(Program(), MAKEINTRESOURCE(60021), 7, 0, 0, 0), nullptr);
    EXPECT_EQ(LoadImage(Program(), MAKEINTRESOURCE(60021), IMAGE_BITMAP, -1, 0, 0), nullptr);
}

TEST(LoadImage, Map3dColorsReplacesTheThreeGreysOnly)
{
    const Pixels stored = { RGB(128, 128, 128), RGB(192, 192, 192), RGB(223, 223, 223), RGB(127, 127, 127),
        RGB(128, 128, 129), RGB(192, 192, 193), RGB(224, 223, 223), RGB(255, 255, 255), RGB(0, 0, 0) };
    const Pixels mapped = { GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE), RGB(227, 227, 227),
        RGB(127, 127, 127), RGB(128, 128, 129), RGB(192, 192, 193), RGB(224, 223, 223), RGB(255, 255, 255),
        RGB(0, 0, 0) };
    AddPicture(Id(60030), static_cast<int>(stored.size()), 1, stored);

    auto load = [](UINT flags) {
        auto bitmap = static_cast<HBITMAP>(LoadImage(Program(), MAKEINTRESOURCE(60030), IMAGE_BITMAP, 0, 0, flags));
        Loaded got = Read(bitmap);
        DeleteObject(bitmap);
        return got.pixels;
    };
    EXPECT_EQ(load(LR_DEFAULTCOLOR), stored);
    EXPECT_EQ(load(LR_LOADMAP3DCOLORS), mapped);
    // The registered picture itself is never changed by a mapped load.
    EXPECT_EQ(load(LR_DEFAULTCOLOR), stored);
}

TEST(LoadImage, BitmapsAreStretchedToTheSizeAsked)
{
    const COLORREF r = RGB(200, 0, 0), b = RGB(0, 0, 200), g = RGB(0, 200, 0), w = RGB(255, 255, 255);
    AddPicture(Id(60040), 2, 2, { r, b, g, w });
    struct Case {
        int cx, cy;
        int width, height;
        Pixels pixels;
    };
    const Case cases[] = {
        { 0, 0, 2, 2, { r, b, g, w } },
        { 2, 2, 2, 2, { r, b, g, w } },
        { 4, 0, 4, 2, { r, r, b, b, g, g, w, w } },
        { 0, 4, 2, 4, { r, b, r, b, g, w, g, w } },
        { 4, 4, 4, 4, { r, r, b, b, r, r, b, b, g, g, w, w, g, g, w, w } },
    };
    for (const Case& c : cases) {
        auto bitmap = static_cast<HBITMAP>(LoadImage(Program(), MAKEINTRESOURCE(60040), IMAGE_BITMAP, c.cx, c.cy, 0));
        Loaded got = Read(bitmap);
        EXPECT_EQ(got.width, c.width) << c.cx << "x" << c.cy;
        EXPECT_EQ(got.height, c.height) << c.cx << "x" << c.cy;
        EXPECT_EQ(got.pixels, c.pixels) << c.cx << "x" << c.cy;
        DeleteObject(bitmap);
    }
}

TEST(LoadImage, CursorsAndIconsAtTheirOwnSize)
{
    std::vector<std::uint32_t> argb(32 * 32, 0);
    argb[5 * 32 + 4] = 0xFF102030;
    res::AddCursor(Id(60050), res::Pointer { 32, 32, POINT { 4, 5 }, argb });
    res::AddIcon(Id(60051), res::Pointer { 32, 32, POINT { 16, 16 }, std::vector<std::uint32_t>(32 * 32, 0xFFFFFFFF) });

    HCURSOR cursor = LoadCursor(Program(), MAKEINTRESOURCE(60050));
    ASSERT_NE(cursor, nullptr);
    const ws::Cursor* c = ws::CursorFromHandle(cursor);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->hotspot.x, 4);
    EXPECT_EQ(c->hotspot.y, 5);
    EXPECT_EQ(c->argb, argb);

    const char* name = MAKEINTRESOURCE(60050);
    EXPECT_EQ(LoadImage(Program(), name, IMAGE_CURSOR, 0, 0, 0), cursor);
    EXPECT_EQ(LoadImage(Program(), name, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE), cursor);
    EXPECT_EQ(LoadImage(Program(), name, IMAGE_CURSOR, 32, 32, LR_SHARED), cursor);
    // One size is all a picture has.
    EXPECT_EQ(LoadImage(Program(), name, IMAGE_CURSOR, 48, 48, 0), nullptr);
    // A cursor is not an icon, nor the other way round.
    EXPECT_EQ(LoadImage(Program(), name, IMAGE_ICON, 0, 0, 0), nullptr);
    EXPECT_EQ(LoadImage(Program(), MAKEINTRESOURCE(60051), IMAGE_CURSOR, 0, 0, 0), nullptr);

    HANDLE icon = LoadImage(Program(), MAKEINTRESOURCE(60051), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon, LoadIcon(Program(), MAKEINTRESOURCE(60051)));
}

TEST(LoadString, CopiesWholeCharactersAndAnswersTheLength)
{
    res::AddString(60060, "Inkveil");
    res::AddString(60061, "关于"); // two characters of three bytes each
    res::AddString(60062, "");
    struct Case {
        UINT id;
        int max;
        int length;
        const char* text;
    };
    const Case cases[] = {
        { 60060, 64, 7, "Inkveil" }, { 60060, 8, 7, "Inkveil" }, // just fits with its null
        { 60060, 7, 6, "Inkvei" }, { 60060, 2, 1, "I" }, { 60060, 1, 0, "" }, { 60061, 7, 6, "关于" },
        { 60061, 6, 3, "关" }, // the second character does not fit whole
        { 60061, 4, 3, "关" }, { 60061, 3, 0, "" }, { 60062, 16, 0, "" }, { 60069, 16, 0, "" }, // missing
    };
    for (const Case& c : cases) {
        char buffer[64];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(LoadString(Program(), c.id, buffer, c.max), c.length) << c.id << " in " << c.max;
        EXPECT_STREQ(buffer, c.text) << c.id << " in " << c.max;
    }
    // Without room for anything nothing is written.
    char untouched[4] = { 'a', 'b', 'c', '\0' };
    EXPECT_EQ(LoadString(Program(), 60060, untouched, 0), 0);
    EXPECT_STREQ(untouched, "abc");
    EXPECT_EQ(LoadString(Program(), 60060, nullptr, 16), 0);
}

TEST(GetModuleHandle, TheProgramIsTheOnlyModule)
{
    HINSTANCE program = GetModuleHandle(nullptr);
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(GetModuleHandle(nullptr), program);
    EXPECT_EQ(GetModuleHandle("user32.dll"), nullptr);
}

} // namespace
