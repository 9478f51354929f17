#include "platform/gdi/DibLayout.h"

#include <array>
#include <cassert>
#include <cstring>

namespace gdi {

namespace {

// Larger pictures than this are refused rather than risk sizes that overflow.
constexpr int kMaxSide = 1 << 16;
constexpr std::int64_t kMaxPixels = std::int64_t { 1 } << 28;

bool SupportedDepth(int bpp) { return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 || bpp == 32; }

std::size_t PaddedRowBytes(int width, int bpp)
{
    // Rows are padded to a whole number of 32-bit words.
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bpp) + 31) / 32) * 4;
}

bool SaneSize(int width, int height)
{
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide
        && static_cast<std::int64_t>(width) * height <= kMaxPixels;
}

// Remembers the palette index of recently seen colours, so that mapping a
// picture to a colour table does not search the table for every pixel.
class NearestCache {
public:
    explicit NearestCache(const ColorTable& table)
        : table_(table)
    {
        keys_.fill(0xFFFFFFFFu); // no pixel has a nonzero top byte
    }
    int Index(std::uint32_t pixel)
    {
        std::size_t slot = (pixel ^ (pixel >> 9) ^ (pixel >> 17)) & (keys_.size() - 1);
        if (keys_[slot] != pixel) {
            keys_[slot] = pixel;
            values_[slot] = static_cast<std::uint8_t>(table_.Nearest(pixel));
        }
        return values_[slot];
    }

private:
    const ColorTable& table_;
    std::array<std::uint32_t, 256> keys_;
    std::array<std::uint8_t, 256> values_ {};
};

} // namespace

std::optional<DibLayout> DibLayout::From(const BITMAPINFOHEADER& h, const RGBQUAD* colors, std::size_t colorCount)
{
    if (h.biCompression != BI_RGB || !SupportedDepth(h.biBitCount) || h.biPlanes != 1)
        return std::nullopt;
    // The height's sign gives the direction; INT32_MIN has no magnitude.
    if (h.biHeight == INT32_MIN)
        return std::nullopt;
    int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    if (!SaneSize(h.biWidth, height))
        return std::nullopt;
    DibLayout d;
    d.width_ = h.biWidth;
    d.height_ = height;
    d.topDown_ = h.biHeight < 0;
    d.bitsPerPixel_ = h.biBitCount;
    d.rowBytes_ = PaddedRowBytes(d.width_, d.bitsPerPixel_);
    if (d.bitsPerPixel_ <= 8) {
        // biClrUsed of zero means the full table for the depth.
        std::size_t declared = h.biClrUsed ? h.biClrUsed : std::size_t { 1 } << d.bitsPerPixel_;
        if (declared > (std::size_t { 1 } << d.bitsPerPixel_) || declared > colorCount || !colors)
            return std::nullopt;
        d.colors_ = ColorTable::FromQuads(colors, static_cast<int>(declared), d.bitsPerPixel_);
    }
    return d;
}

std::optional<DibLayout> DibLayout::ForOutput(int width, int height, bool topDown, int bitsPerPixel)
{
    if (!SupportedDepth(bitsPerPixel) || !SaneSize(width, height))
        return std::nullopt;
    DibLayout d;
    d.width_ = width;
    d.height_ = height;
    d.topDown_ = topDown;
    d.bitsPerPixel_ = bitsPerPixel;
    d.rowBytes_ = PaddedRowBytes(width, bitsPerPixel);
    if (bitsPerPixel <= 8)
        d.colors_ = ColorTable::Default(bitsPerPixel);
    return d;
}

namespace {

// Reads pixel i of a row from column columnOf(i), for each depth; the switch
// sits outside the loop so that every depth gets its own tight loop.
// tailReadable says whether the byte after the row's last pixel may be read
// (row padding or a following row), which lets every 24-bit pixel be read
// with one 4-byte load.
template <typename ColumnOf>
void ReadPixels(const BYTE* row, int bpp, int width, bool tailReadable, const ColorTable& colors, ColumnOf columnOf,
    int n, std::uint32_t* out)
{
    const std::uint32_t* table = colors.Pixels().data();
    auto load4 = [](const BYTE* p) {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v & 0x00FFFFFF;
    };
    switch (bpp) {
    case 32:
        for (int i = 0; i < n; ++i)
            out[i] = load4(row + static_cast<std::size_t>(columnOf(i)) * 4);
        break;
    case 24:
        if (tailReadable) {
            for (int i = 0; i < n; ++i)
                out[i] = load4(row + static_cast<std::size_t>(columnOf(i)) * 3);
            break;
        }
        // The last pixel ends flush with the data: it alone is read byte by
        // byte.
        for (int i = 0; i < n; ++i) {
            int x = columnOf(i);
            const BYTE* p = row + static_cast<std::size_t>(x) * 3;
            out[i] = x != width - 1
                ? load4(p)
                : p[0] | (static_cast<std::uint32_t>(p[1]) << 8) | (static_cast<std::uint32_t>(p[2]) << 16);
        }
        break;
    case 8:
        for (int i = 0; i < n; ++i)
            out[i] = table[row[columnOf(i)]];
        break;
    case 4:
        for (int i = 0; i < n; ++i) {
            int x = columnOf(i);
            out[i] = table[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
        }
        break;
    case 1:
        for (int i = 0; i < n; ++i) {
            int x = columnOf(i);
            out[i] = table[(row[x >> 3] >> (7 - (x & 7))) & 1];
        }
        break;
    default:
        assert(false && "unsupported depth");
    }
}

} // namespace

const BYTE* DibLayout::Row(const void* bits, int memoryRow) const
{
    assert(memoryRow >= 0 && memoryRow < height_);
    return static_cast<const BYTE*>(bits) + static_cast<std::size_t>(memoryRow) * rowBytes_;
}

BYTE* DibLayout::Row(void* bits, int memoryRow) const
{
    assert(memoryRow >= 0 && memoryRow < height_);
    return static_cast<BYTE*>(bits) + static_cast<std::size_t>(memoryRow) * rowBytes_;
}

void DibLayout::Gather(const void* bits, int memoryRow, const int* columns, int n, std::uint32_t* out) const
{
    // Padding, or the next row, follows every row but the last one in memory.
    bool tailReadable = rowBytes_ * 8 > static_cast<std::size_t>(width_) * bitsPerPixel_ || memoryRow + 1 < height_;
    ReadPixels(
        Row(bits, memoryRow), bitsPerPixel_, width_, tailReadable, colors_, [columns](int i) { return columns[i]; }, n,
        out);
}

void DibLayout::ReadRow(const BYTE* row, int x0, int n, std::uint32_t* out) const
{
    assert(x0 >= 0 && x0 + n <= width_);
    // Only this row is known to be there, so the last pixel is read with care.
    ReadPixels(
        row, bitsPerPixel_, width_, false, colors_, [x0](int i) { return x0 + i; }, n, out);
}

void DibLayout::WriteRow(BYTE* row, const std::uint32_t* pixels) const
{
    // Padding and the unused low bits of the last byte are written as zero.
    std::memset(row, 0, rowBytes_);
    switch (bitsPerPixel_) {
    case 32:
        for (int x = 0; x < width_; ++x) {
            std::uint32_t v = pixels[x] & 0x00FFFFFF;
            std::memcpy(row + static_cast<std::size_t>(x) * 4, &v, 4);
        }
        break;
    case 24:
        for (int x = 0; x < width_; ++x) {
            BYTE* p = row + static_cast<std::size_t>(x) * 3;
            p[0] = static_cast<BYTE>(pixels[x]);
            p[1] = static_cast<BYTE>(pixels[x] >> 8);
            p[2] = static_cast<BYTE>(pixels[x] >> 16);
        }
        break;
    default: {
        NearestCache nearest(colors_);
        const int bpp = bitsPerPixel_;
        const int perByte = 8 / bpp;
        for (int x = 0; x < width_; ++x) {
            int index = nearest.Index(pixels[x] & 0x00FFFFFF);
            int shift = 8 - bpp * (x % perByte + 1);
            row[x / perByte] = static_cast<BYTE>(row[x / perByte] | (index << shift));
        }
        break;
    }
    }
}

} // namespace gdi
