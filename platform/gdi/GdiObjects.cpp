#include "platform/gdi/GdiObjects.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Gdi.h"

#include <cstring>
#include <mutex>
#include <unordered_set>

namespace gdi {

namespace {

std::mutex& TableMutex()
{
    static std::mutex m;
    return m;
}

std::unordered_set<const HGDIOBJ__*>& Table()
{
    static std::unordered_set<const HGDIOBJ__*> t;
    return t;
}

template <typename T>
T* MakeStock(T* obj)
{
    obj->life.stock = true;
    RegisterObject(obj);
    return obj;
}

struct StockObjects {
    Brush* brushes[6];
    Pen* pens[3];
    Bitmap* bitmap;
    Font* guiFont;

    StockObjects()
    {
        brushes[WHITE_BRUSH] = MakeStock(new Brush(BS_SOLID, RGB(255, 255, 255)));
        brushes[LTGRAY_BRUSH] = MakeStock(new Brush(BS_SOLID, RGB(192, 192, 192)));
        brushes[GRAY_BRUSH] = MakeStock(new Brush(BS_SOLID, RGB(128, 128, 128)));
        brushes[DKGRAY_BRUSH] = MakeStock(new Brush(BS_SOLID, RGB(64, 64, 64)));
        brushes[BLACK_BRUSH] = MakeStock(new Brush(BS_SOLID, RGB(0, 0, 0)));
        brushes[NULL_BRUSH] = MakeStock(new Brush(BS_NULL, 0));
        pens[0] = MakeStock(new Pen(PS_SOLID, 0, RGB(255, 255, 255)));
        pens[1] = MakeStock(new Pen(PS_SOLID, 0, RGB(0, 0, 0)));
        pens[2] = MakeStock(new Pen(PS_NULL, 0, 0));
        bitmap = MakeStock(new Bitmap(1, 1, 1));
        guiFont = new Font;
        guiFont->face = "MS Shell Dlg";
        guiFont->height = -11;
        MakeStock(guiFont);
    }
};

StockObjects& Stock()
{
    static StockObjects s;
    return s;
}

} // namespace

bool Pen::IsNull() const { return style == PS_NULL; }
bool Brush::IsNull() const { return style == BS_NULL; }

HGDIOBJ RegisterObject(HGDIOBJ obj)
{
    if (obj) {
        std::lock_guard lock(TableMutex());
        Table().insert(obj);
    }
    return obj;
}

bool IsLiveObject(HGDIOBJ obj)
{
    if (!obj)
        return false;
    std::lock_guard lock(TableMutex());
    return Table().count(obj) != 0;
}

ObjectLife* LifeOf(HGDIOBJ obj)
{
    if (auto* p = ObjectAs<Pen>(obj))
        return &p->life;
    if (auto* b = ObjectAs<Brush>(obj))
        return &b->life;
    if (auto* bm = ObjectAs<Bitmap>(obj))
        return &bm->life;
    if (auto* r = ObjectAs<RegionObject>(obj))
        return &r->life;
    if (auto* f = ObjectAs<Font>(obj))
        return &f->life;
    return nullptr;
}

namespace {

void Destroy(HGDIOBJ obj)
{
    {
        std::lock_guard lock(TableMutex());
        Table().erase(obj);
    }
    delete obj;
}

} // namespace

void ReleaseSelection(HGDIOBJ obj)
{
    ObjectLife* life = LifeOf(obj);
    if (!life)
        return;
    if (life->selectedCount > 0)
        --life->selectedCount;
    if (life->selectedCount == 0 && life->deletePending && !life->stock)
        Destroy(obj);
}

Pen* DefaultPen() { return Stock().pens[1]; }
Brush* DefaultBrush() { return Stock().brushes[WHITE_BRUSH]; }
Bitmap* DefaultBitmap() { return Stock().bitmap; }

} // namespace gdi

using namespace gdi;

HGDIOBJ GetStockObject(int index)
{
    StockObjects& s = Stock();
    if (index >= WHITE_BRUSH && index <= NULL_BRUSH)
        return s.brushes[index];
    if (index >= WHITE_PEN && index <= NULL_PEN)
        return s.pens[index - WHITE_PEN];
    if (index == DEFAULT_GUI_FONT)
        return s.guiFont;
    return nullptr;
}

HPEN CreatePen(int style, int width, COLORREF color)
{
    // The dash styles (1 to 4) are not drawn here: asking for one fails
    // rather than quietly giving a solid pen.
    if (style != PS_SOLID && style != PS_NULL && style != PS_INSIDEFRAME)
        return nullptr;
    return static_cast<HPEN>(
        static_cast<Pen*>(RegisterObject(new Pen(style, width < 0 ? 0 : width, color & 0xFFFFFF))));
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    return static_cast<Brush*>(RegisterObject(new Brush(BS_SOLID, color & 0xFFFFFF)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb)
{
    if (!lb || (lb->lbStyle != BS_SOLID && lb->lbStyle != BS_NULL))
        return nullptr;
    return static_cast<Brush*>(RegisterObject(new Brush(lb->lbStyle, lb->lbColor & 0xFFFFFF)));
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    if (width < 0 || height < 0 || planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32))
        return nullptr;
    if (width == 0 || height == 0)
        return DefaultBitmap();
    auto* bmp = new Bitmap(width, height, static_cast<int>(bitsPerPixel));
    if (bits) {
        const auto* src = static_cast<const BYTE*>(bits);
        Surface& s = *bmp->surface;
        if (bitsPerPixel == 1) {
            // Rows of one bit per pixel, most significant bit first, padded to 16 bits.
            int rowBytes = ((width + 15) / 16) * 2;
            for (int y = 0; y < height; ++y) {
                const BYTE* row = src + static_cast<std::ptrdiff_t>(y) * rowBytes;
                for (int x = 0; x < width; ++x)
                    s.Row(y)[x] = ((row[x / 8] >> (7 - x % 8)) & 1) ? kWhitePixel : 0;
            }
        } else {
            for (int y = 0; y < height; ++y) {
                std::memcpy(s.Row(y), src + static_cast<std::ptrdiff_t>(y) * width * 4,
                    static_cast<std::size_t>(width) * 4);
                for (int x = 0; x < width; ++x)
                    s.Row(y)[x] &= kWhitePixel;
            }
        }
    }
    return static_cast<Bitmap*>(RegisterObject(bmp));
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc || width < 0 || height < 0)
        return nullptr;
    if (width == 0 || height == 0)
        return DefaultBitmap();
    // A memory DC holding a monochrome bitmap makes monochrome bitmaps.
    bool mono = dc->kind == DeviceContext::Kind::Memory && dc->bitmap && dc->bitmap->surface->IsMonochrome();
    return static_cast<Bitmap*>(RegisterObject(new Bitmap(width, height, mono ? 1 : 32)));
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* bmi, UINT usage, void** bits, HANDLE, DWORD)
{
    if (bits)
        *bits = nullptr;
    if (!bmi || usage != DIB_RGB_COLORS)
        return nullptr;
    const BITMAPINFOHEADER& h = bmi->bmiHeader;
    if (h.biBitCount != 32 || h.biCompression != BI_RGB || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1)
        return nullptr;
    int width = h.biWidth;
    int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    std::unique_ptr<std::uint32_t[]> memory(new std::uint32_t[static_cast<std::size_t>(width) * height]());
    // A positive height is a bottom-up DIB: the first row in memory is the
    // bottom one, so the surface walks memory backwards.
    std::unique_ptr<Surface> surface;
    if (h.biHeight > 0)
        surface = std::make_unique<Surface>(width, height, memory.get() + static_cast<std::size_t>(height - 1) * width,
            -width);
    else
        surface = std::make_unique<Surface>(width, height, memory.get(), width);
    auto* bmp = new Bitmap(std::move(surface));
    if (bits)
        *bits = memory.get();
    bmp->dibBits = std::move(memory);
    return static_cast<Bitmap*>(RegisterObject(bmp));
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc || !IsLiveObject(obj))
        return nullptr;
    ObjectLife* life = LifeOf(obj);
    if (auto* pen = ObjectAs<Pen>(obj)) {
        Pen* old = dc->pen;
        ++life->selectedCount;
        dc->pen = pen;
        ReleaseSelection(old);
        return old;
    }
    if (auto* brush = ObjectAs<Brush>(obj)) {
        Brush* old = dc->brush;
        ++life->selectedCount;
        dc->brush = brush;
        ReleaseSelection(old);
        return old;
    }
    if (auto* font = ObjectAs<Font>(obj)) {
        Font* old = dc->font;
        ++life->selectedCount;
        dc->font = font;
        if (old)
            ReleaseSelection(old);
        return old ? static_cast<HGDIOBJ>(old) : GetStockObject(DEFAULT_GUI_FONT);
    }
    if (auto* bmp = ObjectAs<Bitmap>(obj)) {
        // Only memory DCs hold bitmaps, and a bitmap sits in one DC at a time.
        if (dc->kind != DeviceContext::Kind::Memory)
            return nullptr;
        if (bmp == dc->bitmap)
            return bmp;
        if (!bmp->life.stock && bmp->life.selectedCount > 0)
            return nullptr;
        Bitmap* old = dc->bitmap;
        dc->SelectBitmap(bmp);
        return old;
    }
    if (auto* rgn = ObjectAs<RegionObject>(obj)) {
        // Selecting a region sets the clip region; the answer is its kind.
        int kind = SelectClipRgn(hdc, rgn);
        return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(kind));
    }
    return nullptr;
}

BOOL DeleteObject(HGDIOBJ obj)
{
    ObjectLife* life = IsLiveObject(obj) ? LifeOf(obj) : nullptr;
    if (!life)
        return FALSE;
    if (life->stock)
        return TRUE;
    if (life->selectedCount > 0) {
        // A selected bitmap cannot be deleted; a selected pen, brush or font
        // goes when the last DC lets it go.
        if (ObjectAs<Bitmap>(obj))
            return FALSE;
        life->deletePending = true;
        return TRUE;
    }
    Destroy(obj);
    return TRUE;
}

DWORD GetObjectType(HGDIOBJ obj)
{
    if (ObjectAs<Pen>(obj))
        return OBJ_PEN;
    if (ObjectAs<Brush>(obj))
        return OBJ_BRUSH;
    if (ObjectAs<Bitmap>(obj))
        return OBJ_BITMAP;
    if (ObjectAs<RegionObject>(obj))
        return OBJ_REGION;
    if (ObjectAs<Font>(obj))
        return OBJ_FONT;
    return 0;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type)
{
    DeviceContext* dc = DcFromHandle(hdc);
    if (!dc)
        return nullptr;
    switch (type) {
    case OBJ_PEN:
        return dc->pen;
    case OBJ_BRUSH:
        return dc->brush;
    case OBJ_BITMAP:
        return dc->bitmap;
    case OBJ_FONT:
        return dc->font ? static_cast<HGDIOBJ>(dc->font) : GetStockObject(DEFAULT_GUI_FONT);
    default:
        return nullptr;
    }
}

int GetObject(HGDIOBJ obj, int size, LPVOID out)
{
    if (auto* bmp = ObjectAs<Bitmap>(obj)) {
        if (!out)
            return sizeof(BITMAP);
        if (size < static_cast<int>(sizeof(BITMAP)))
            return 0;
        const Surface& s = *bmp->surface;
        BITMAP b {};
        b.bmWidth = s.Width();
        b.bmHeight = s.Height();
        b.bmPlanes = 1;
        b.bmBitsPixel = static_cast<WORD>(s.BitsPerPixel());
        b.bmWidthBytes = s.IsMonochrome() ? ((s.Width() + 15) / 16) * 2 : s.Width() * 4;
        b.bmBits = bmp->dibBits.get();
        std::memcpy(out, &b, sizeof b);
        return sizeof(BITMAP);
    }
    if (auto* pen = ObjectAs<Pen>(obj)) {
        if (!out)
            return sizeof(LOGPEN);
        if (size < static_cast<int>(sizeof(LOGPEN)))
            return 0;
        LOGPEN lp { static_cast<UINT>(pen->style), POINT { pen->width, 0 }, pen->color };
        std::memcpy(out, &lp, sizeof lp);
        return sizeof(LOGPEN);
    }
    if (auto* brush = ObjectAs<Brush>(obj)) {
        if (!out)
            return sizeof(LOGBRUSH);
        if (size < static_cast<int>(sizeof(LOGBRUSH)))
            return 0;
        LOGBRUSH lb { brush->style, brush->color, 0 };
        std::memcpy(out, &lb, sizeof lb);
        return sizeof(LOGBRUSH);
    }
    return 0;
}
