// GetDIBits and SetDIBits: a bitmap's pixels out to and in from a
// device-independent layout.
//
// Scan lines are memory rows of the DIB: for a bottom-up DIB (positive
// biHeight) scan line 0 is the bottom row of the picture, for a top-down one
// the top row. Picture row p of the DIB is row p of the bitmap. The buffer
// holds the requested scan lines only, the first of them at its start.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/DibLayout.h"

#include <algorithm>
#include <vector>

using namespace gdi;

namespace {

// The colour table lies right after the header, however long the header is.
RGBQUAD* ColorsOf(BITMAPINFO* bmi)
{
    return reinterpret_cast<RGBQUAD*>(reinterpret_cast<BYTE*>(bmi) + bmi->bmiHeader.biSize);
}
const RGBQUAD* ColorsOf(const BITMAPINFO* bmi)
{
    return reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(bmi) + bmi->bmiHeader.biSize);
}

// What both directions check first: a live bitmap, an RGB colour table and a
// header of at least the classic size. The DC is not needed for RGB colours;
// a null one is accepted, a stale or foreign one is not.
Bitmap* CheckedBitmap(HDC hdc, HBITMAP bitmap, const BITMAPINFO* bmi, UINT usage)
{
    if ((hdc && !DcFromHandle(hdc)) || !bmi || usage != DIB_RGB_COLORS
        || bmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER))
        return nullptr;
    return ObjectAs<Bitmap>(bitmap);
}

// The scan lines [start, start + count) that the call covers.
int ScanCount(const DibLayout& dib, UINT startScan, UINT scanLines)
{
    if (startScan >= static_cast<UINT>(dib.Height()))
        return 0;
    return static_cast<int>(std::min<UINT>(scanLines, static_cast<UINT>(dib.Height()) - startScan));
}

} // namespace

int GetDIBits(HDC hdc, HBITMAP bitmap, UINT startScan, UINT scanLines, LPVOID bits, BITMAPINFO* bmi, UINT usage)
{
    Bitmap* bmp = CheckedBitmap(hdc, bitmap, bmi, usage);
    if (!bmp)
        return 0;
    const Surface& surface = *bmp->surface;
    BITMAPINFOHEADER& h = bmi->bmiHeader;

    if (!bits && h.biBitCount == 0) {
        // Asked for the bitmap's own format: the header alone, no colours.
        std::optional<DibLayout> own = DibLayout::ForOutput(surface.Width(), surface.Height(), false,
            surface.BitsPerPixel());
        if (!own)
            return 0;
        h.biWidth = own->Width();
        h.biHeight = own->Height();
        h.biPlanes = 1;
        h.biBitCount = static_cast<WORD>(own->BitsPerPixel());
        h.biCompression = BI_RGB;
        h.biSizeImage = static_cast<DWORD>(own->ImageBytes());
        h.biXPelsPerMeter = h.biYPelsPerMeter = 0;
        h.biClrUsed = h.biClrImportant = 0;
        return own->Height();
    }

    if (h.biCompression != BI_RGB || h.biHeight == INT32_MIN)
        return 0;
    std::optional<DibLayout> dib = DibLayout::ForOutput(h.biWidth, h.biHeight < 0 ? -h.biHeight : h.biHeight,
        h.biHeight < 0, h.biBitCount);
    if (!dib)
        return 0;
    h.biSizeImage = static_cast<DWORD>(dib->ImageBytes());
    if (dib->ColorCount() > 0) {
        dib->Colors().CopyTo(ColorsOf(bmi));
        h.biClrUsed = 0;
    }
    if (!bits)
        return dib->Height();

    const int count = ScanCount(*dib, startScan, scanLines);
    const int shared = std::min(dib->Width(), surface.Width());
    std::vector<std::uint32_t> row(static_cast<std::size_t>(dib->Width()), 0);
    int copied = 0;
    for (int k = 0; k < count; ++k) {
        int picture = dib->PictureRowOfMemoryRow(static_cast<int>(startScan) + k);
        // Rows the bitmap does not have come out black.
        bool exists = picture < surface.Height();
        std::fill(row.begin(), row.end(), 0);
        if (exists)
            std::copy_n(surface.Row(picture), shared, row.begin());
        dib->WriteRow(dib->Row(bits, k), row.data());
        copied += exists;
    }
    return copied;
}

int SetDIBits(HDC hdc, HBITMAP bitmap, UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* bmi,
    UINT usage)
{
    Bitmap* bmp = CheckedBitmap(hdc, bitmap, bmi, usage);
    if (!bmp || !bits)
        return 0;
    std::optional<DibLayout> dib = DibLayout::From(bmi->bmiHeader, ColorsOf(bmi), ColorTable::kMaxEntries);
    if (!dib)
        return 0;
    Surface& surface = *bmp->surface;
    const int count = ScanCount(*dib, startScan, scanLines);
    const int shared = std::min(dib->Width(), surface.Width());
    int top = surface.Height(), bottom = -1, copied = 0;
    for (int k = 0; k < count; ++k) {
        int picture = dib->PictureRowOfMemoryRow(static_cast<int>(startScan) + k);
        if (picture >= surface.Height())
            continue;
        std::uint32_t* out = surface.Row(picture);
        dib->ReadRow(dib->Row(bits, k), 0, shared, out);
        if (surface.IsMonochrome())
            for (int x = 0; x < shared; ++x)
                out[x] = surface.Representable(out[x]);
        top = std::min(top, picture);
        bottom = std::max(bottom, picture);
        ++copied;
    }
    if (copied)
        surface.MarkDirty(RECT { 0, top, shared, bottom + 1 });
    return copied;
}
