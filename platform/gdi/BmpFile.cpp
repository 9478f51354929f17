#include "platform/gdi/BmpFile.h"

#include "platform/gdi/DibLayout.h"
#include "platform/gdi/GdiObjects.h"

#include <cstring>
#include <fstream>
#include <optional>

namespace gdi {

namespace {

constexpr WORD kBmpMagic = 0x4D42; // "BM"
constexpr DWORD kBitFields = 3; // BI_BITFIELDS
constexpr std::size_t kFileHeaderSize = sizeof(BITMAPFILEHEADER);
constexpr std::size_t kInfoHeaderSize = sizeof(BITMAPINFOHEADER);
// The longest header in use (version 5) is 124 bytes; more is not a header.
constexpr DWORD kMaxInfoHeaderSize = 1024;
// Files larger than this are not read into memory.
constexpr std::streamoff kMaxFileSize = std::streamoff { 1 } << 30;
constexpr LONG kPixelsPerMeterAt96Dpi = 3780;

template <typename T>
T ReadAt(const std::uint8_t* data, std::size_t offset)
{
    T v;
    std::memcpy(&v, data + offset, sizeof v);
    return v;
}

// A header whose 32-bit pixels are declared through bit masks is accepted
// when the masks are the ordinary 8-8-8 layout, which is BI_RGB by another
// name; the masks follow a classic header or sit inside a longer one.
bool PlainBitFields(const std::uint8_t* data, std::size_t size, const BITMAPINFOHEADER& h, std::size_t& tableEnd)
{
    if (h.biBitCount != 32)
        return false;
    std::size_t masks = kFileHeaderSize + kInfoHeaderSize;
    if (h.biSize == kInfoHeaderSize)
        tableEnd += 12;
    else if (h.biSize < kInfoHeaderSize + 12)
        return false;
    if (masks + 12 > size)
        return false;
    return ReadAt<DWORD>(data, masks) == 0x00FF0000 && ReadAt<DWORD>(data, masks + 4) == 0x0000FF00
        && ReadAt<DWORD>(data, masks + 8) == 0x000000FF;
}

} // namespace

std::unique_ptr<Surface> DecodeBmp(const std::uint8_t* data, std::size_t size)
{
    if (!data || size < kFileHeaderSize + kInfoHeaderSize)
        return nullptr;
    const auto file = ReadAt<BITMAPFILEHEADER>(data, 0);
    BITMAPINFOHEADER h = ReadAt<BITMAPINFOHEADER>(data, kFileHeaderSize);
    // The header must fit before the pixels and the pixels inside the file;
    // a declared file size longer than the data means the file was cut short.
    if (file.bfType != kBmpMagic || file.bfSize > size || h.biSize < kInfoHeaderSize || h.biSize > kMaxInfoHeaderSize
        || file.bfOffBits > size || file.bfOffBits < kFileHeaderSize + h.biSize)
        return nullptr;

    std::size_t tableStart = kFileHeaderSize + h.biSize;
    std::size_t tableEnd = tableStart;
    if (h.biCompression == kBitFields) {
        if (!PlainBitFields(data, size, h, tableEnd))
            return nullptr;
        h.biCompression = BI_RGB;
    }
    std::size_t colorCount = 0;
    if (h.biBitCount <= 8) {
        colorCount = h.biClrUsed ? h.biClrUsed : std::size_t { 1 } << (h.biBitCount & 0xF);
        tableEnd += colorCount * sizeof(RGBQUAD);
    }
    if (tableEnd > file.bfOffBits)
        return nullptr;
    // The table is copied out, as RGBQUADs need not be aligned in the data.
    std::vector<RGBQUAD> colors(colorCount);
    if (colorCount)
        std::memcpy(colors.data(), data + tableStart, colorCount * sizeof(RGBQUAD));
    std::optional<DibLayout> dib = DibLayout::From(h, colors.data(), colors.size());
    if (!dib)
        return nullptr;
    // A stated image size, where there is one, must cover the pixels.
    std::size_t imageBytes = dib->ImageBytes();
    if ((h.biSizeImage != 0 && h.biSizeImage < imageBytes) || imageBytes > size - file.bfOffBits)
        return nullptr;

    const std::uint8_t* pixels = data + file.bfOffBits;
    auto surface = std::make_unique<Surface>(dib->Width(), dib->Height());
    for (int y = 0; y < dib->Height(); ++y)
        dib->ReadRow(dib->Row(pixels, dib->MemoryRowOfPictureRow(y)), 0, dib->Width(), surface->Row(y));
    return surface;
}

std::unique_ptr<Surface> ReadBmpFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return nullptr;
    std::streamoff length = in.tellg();
    if (length <= 0 || length > kMaxFileSize)
        return nullptr;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), length))
        return nullptr;
    return DecodeBmp(bytes.data(), bytes.size());
}

HBITMAP ReadBmpBitmap(const std::string& path)
{
    std::unique_ptr<Surface> surface = ReadBmpFile(path);
    if (!surface)
        return nullptr;
    return static_cast<Bitmap*>(RegisterObject(new Bitmap(std::move(surface))));
}

std::vector<std::uint8_t> EncodeBmp(const Surface& surface, int bitsPerPixel)
{
    if (bitsPerPixel != 24 && bitsPerPixel != 32)
        return {};
    std::optional<DibLayout> dib = DibLayout::ForOutput(surface.Width(), surface.Height(), false, bitsPerPixel);
    if (!dib)
        return {};
    const std::size_t offset = kFileHeaderSize + kInfoHeaderSize;
    std::vector<std::uint8_t> bytes(offset + dib->ImageBytes());
    BITMAPFILEHEADER file { kBmpMagic, static_cast<DWORD>(bytes.size()), 0, 0, static_cast<DWORD>(offset) };
    BITMAPINFOHEADER h {};
    h.biSize = kInfoHeaderSize;
    h.biWidth = dib->Width();
    h.biHeight = dib->Height();
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(bitsPerPixel);
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(dib->ImageBytes());
    h.biXPelsPerMeter = h.biYPelsPerMeter = kPixelsPerMeterAt96Dpi;
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + kFileHeaderSize, &h, sizeof h);
    std::uint8_t* pixels = bytes.data() + offset;
    for (int y = 0; y < dib->Height(); ++y)
        dib->WriteRow(dib->Row(pixels, dib->MemoryRowOfPictureRow(y)), surface.Row(y));
    return bytes;
}

bool WriteBmpFile(const Surface& surface, const std::string& path, int bitsPerPixel)
{
    std::vector<std::uint8_t> bytes = EncodeBmp(surface, bitsPerPixel);
    if (bytes.empty())
        return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

bool DumpSurface(const Surface& surface, const std::string& path) { return WriteBmpFile(surface, path, 24); }

bool DumpBitmap(HBITMAP bitmap, const std::string& path)
{
    const Bitmap* bmp = ObjectAs<Bitmap>(bitmap);
    return bmp && DumpSurface(*bmp->surface, path);
}

} // namespace gdi
