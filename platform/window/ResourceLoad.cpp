// Loading the program's resources through the desktop API: bitmaps become
// new 32-bit GDI bitmaps owned by the caller, strings are copied out, and
// cursors and icons come from the window system's cursor loader.
//
// There is one module, the program itself, so every non-null instance handle
// stands for the program's resources. A null instance asks for the system's
// own images (OEM bitmaps, system cursors); the system has cursors but no
// bitmaps of its own.

#include "platform/gdi/Gdi.h"
#include "platform/gdi/Surface.h"
#include "platform/window/Cursor.h"
#include "platform/window/Resources.h"
#include "platform/window/WinUser.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The handle that stands for the program.
class ProgramModule final : public HINSTANCE__ { };

ProgramModule& Program()
{
    static ProgramModule module;
    return module;
}

// The system colour of light 3-D edges; WinUser.h has no name for it yet.

// The greys of classic button art that LR_LOADMAP3DCOLORS replaces with the
// colours of the system's 3-D elements: dark grey, grey and light grey.
std::uint32_t MapTo3dColors(std::uint32_t pixel)
{
    switch (pixel) {
    case 0x808080:
        return gdi::PixelFromColorRef(GetSysColor(COLOR_BTNSHADOW));
    case 0xC0C0C0:
        return gdi::PixelFromColorRef(GetSysColor(COLOR_BTNFACE));
    case 0xDFDFDF:
        return gdi::PixelFromColorRef(GetSysColor(COLOR_3DLIGHT));
    default:
        return pixel;
    }
}

// A new bitmap of the given size with the pixels stretched onto it, nearest
// pixel, the way LoadImage sizes a bitmap to the size asked for.
HBITMAP Stretched(const std::vector<std::uint32_t>& pixels, int width, int height, int cx, int cy)
{
    HBITMAP out = CreateBitmap(cx, cy, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    if (!out || !dc) {
        if (out)
            DeleteObject(out);
        if (dc)
            DeleteDC(dc);
        return nullptr;
    }
    HGDIOBJ old = SelectObject(dc, out);
    SetStretchBltMode(dc, COLORONCOLOR);
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // the registry's rows run top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(dc, 0, 0, cx, cy, 0, 0, width, height, pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    return out;
}

// A new bitmap from a registered one: colours mapped when asked, stretched
// when a size other than its own is asked (zero keeps that dimension).
HBITMAP MakeBitmap(const res::Bitmap& bitmap, UINT flags, int cx, int cy)
{
    std::vector<std::uint32_t> pixels = bitmap.pixels;
    if (flags & LR_LOADMAP3DCOLORS)
        std::transform(pixels.begin(), pixels.end(), pixels.begin(), MapTo3dColors);
    int width = cx ? cx : bitmap.width;
    int height = cy ? cy : bitmap.height;
    if (width == bitmap.width && height == bitmap.height)
        return CreateBitmap(width, height, 1, 32, pixels.data());
    return Stretched(pixels, bitmap.width, bitmap.height, width, height);
}

const res::Bitmap* FindProgramBitmap(HINSTANCE instance, const char* name)
{
    if (!instance || !name)
        return nullptr;
    return res::FindBitmap(res::Name::From(name));
}

// A cursor or icon at the size asked for: zero means the picture's own size,
// or the system's size with LR_DEFAULTSIZE. Every picture has one size, so
// another size is not available.
HANDLE LoadPointer(HINSTANCE instance, const char* name, UINT type, int cx, int cy, UINT flags)
{
    const bool cursor = type == IMAGE_CURSOR;
    HCURSOR handle = cursor ? LoadCursor(instance, name) : LoadIcon(instance, name);
    const ws::Cursor* picture = ws::CursorFromHandle(handle);
    if (!picture)
        return nullptr;
    if (flags & LR_DEFAULTSIZE) {
        if (!cx)
            cx = GetSystemMetrics(cursor ? SM_CXCURSOR : SM_CXICON);
        if (!cy)
            cy = GetSystemMetrics(cursor ? SM_CYCURSOR : SM_CYICON);
    }
    if ((cx && cx != picture->width) || (cy && cy != picture->height))
        return nullptr;
    return handle;
}

// How many bytes of text fit in a buffer of max bytes with its terminating
// null, cut back to the start of a character so that the copy stays UTF-8.
std::size_t FittingLength(const std::string& text, int max)
{
    std::size_t n = std::min(text.size(), static_cast<std::size_t>(max - 1));
    if (n < text.size())
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
            --n;
    return n;
}

} // namespace

HBITMAP LoadBitmap(HINSTANCE instance, const char* name)
{
    const res::Bitmap* bitmap = FindProgramBitmap(instance, name);
    return bitmap ? MakeBitmap(*bitmap, 0, 0, 0) : nullptr;
}

HANDLE LoadImage(HINSTANCE instance, const char* name, UINT type, int cx, int cy, UINT flags)
{
    if (cx < 0 || cy < 0)
        return nullptr;
    switch (type) {
    case IMAGE_BITMAP: {
        const res::Bitmap* bitmap = FindProgramBitmap(instance, name);
        return bitmap ? MakeBitmap(*bitmap, flags, cx, cy) : nullptr;
    }
    case IMAGE_CURSOR:
    case IMAGE_ICON:
        return LoadPointer(instance, name, type, cx, cy, flags);
    default:
        return nullptr;
    }
}

int LoadString(HINSTANCE, UINT id, char* out, int max)
{
    if (!out || max <= 0)
        return 0;
    const std::string* text = res::FindString(id);
    if (!text) {
        out[0] = '\0';
        return 0;
    }
    std::size_t n = FittingLength(*text, max);
    std::memcpy(out, text->data(), n);
    out[n] = '\0';
    return static_cast<int>(n);
}

HINSTANCE GetModuleHandle(const char* name)
{
    // Only the program itself is loaded; there are no libraries to name.
    return name ? nullptr : &Program();
}
