#include "app/PictureFile.h"

#include "platform/com/Kernel.h"
#include "platform/window/WinUser.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;

// The depth of the display's device context: planes times bits per pixel.
int DisplayBits()
{
    HDC display = CreateDC("DISPLAY", nullptr, nullptr, nullptr);
    if (!display)
        return 0;
    const int bits = GetDeviceCaps(display, PLANES) * GetDeviceCaps(display, BITSPIXEL);
    DeleteDC(display);
    return bits;
}

void PutU16(std::uint8_t* at, std::uint16_t v)
{
    at[0] = static_cast<std::uint8_t>(v);
    at[1] = static_cast<std::uint8_t>(v >> 8);
}

void PutU32(std::uint8_t* at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

bool WriteAll(HANDLE file, const void* data, std::size_t bytes)
{
    DWORD written = 0;
    return WriteFile(file, data, static_cast<DWORD>(bytes), &written, nullptr) && written == bytes;
}

} // namespace

int BitmapFileBitCount(int displayBits)
{
    if (displayBits <= 1)
        return 1;
    if (displayBits <= 4)
        return 4;
    if (displayBits <= 8)
        return 8;
    if (displayBits <= 24)
        return 24;
    return displayBits;
}

int BitmapFileStride(int bitCount, int width) { return ((bitCount * width + 31) / 32) * 4; }

BOOL WriteBitmapFile(HBITMAP bitmap, std::string path)
{
    const int bitCount = BitmapFileBitCount(DisplayBits());
    BITMAP bm {};
    if (!bitmap || !GetObject(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return FALSE;
    const std::size_t paletteBytes = bitCount <= 8 ? std::size_t { 4 } << bitCount : 0;
    const std::uint64_t pixelBytes = static_cast<std::uint64_t>(BitmapFileStride(bitCount, bm.bmWidth))
        * static_cast<std::uint64_t>(bm.bmHeight);
    const std::uint64_t fileBytes = kFileHeaderBytes + kInfoHeaderBytes + paletteBytes + pixelBytes;
    // The file's size field has 32 bits, and so has a single write.
    if (fileBytes > std::numeric_limits<std::uint32_t>::max())
        return FALSE;

    // The info header, the colour table and the pixel rows in one block, as
    // GetDIBits fills a BITMAPINFO followed by the bits.
    std::vector<std::uint8_t> block(kInfoHeaderBytes + paletteBytes + pixelBytes, 0);
    BITMAPINFOHEADER header {};
    header.biSize = static_cast<DWORD>(kInfoHeaderBytes);
    header.biWidth = bm.bmWidth;
    header.biHeight = bm.bmHeight; // positive: rows bottom-up
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitCount);
    header.biCompression = BI_RGB;
    std::memcpy(block.data(), &header, sizeof header);

    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(bm.bmHeight),
        block.data() + kInfoHeaderBytes + paletteBytes, reinterpret_cast<BITMAPINFO*>(block.data()), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    // A picture that could not be converted is not written at all, rather
    // than saved as a file of black.
    if (rows != bm.bmHeight)
        return FALSE;
    // The conversion fills in the image size and colour counts; the file
    // keeps them at zero, the way uncompressed files commonly do.
    std::memcpy(block.data(), &header, sizeof header);

    std::uint8_t fileHeader[kFileHeaderBytes] = {};
    fileHeader[0] = 'B';
    fileHeader[1] = 'M';
    PutU32(fileHeader + 2, static_cast<std::uint32_t>(fileBytes));
    PutU16(fileHeader + 6, 0);
    PutU16(fileHeader + 8, 0);
    PutU32(fileHeader + 10, static_cast<std::uint32_t>(kFileHeaderBytes + kInfoHeaderBytes + paletteBytes));

    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    const bool written = WriteAll(file, fileHeader, sizeof fileHeader) && WriteAll(file, block.data(), block.size());
    // Closing puts the new file in place, but only when every write
    // succeeded; otherwise the old file stays as it was.
    const BOOL closed = CloseHandle(file);
    return written && closed ? TRUE : FALSE;
}
