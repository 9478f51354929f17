#include "res/PointerFile.h"

#include <cassert>
#include <cstring>

namespace res {

namespace {

constexpr char kMagic[4] = { 'I', 'V', 'P', 'T' };
constexpr std::size_t kHeaderSize = 12;
constexpr int kMaxSide = 256;

void PutWord(std::vector<std::uint8_t>& out, unsigned v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

unsigned WordAt(const std::uint8_t* p) { return p[0] | (static_cast<unsigned>(p[1]) << 8); }

} // namespace

std::vector<std::uint8_t> EncodePointer(const Pointer& pointer)
{
    assert(pointer.width > 0 && pointer.width <= kMaxSide && pointer.height > 0 && pointer.height <= kMaxSide);
    assert(pointer.argb.size() == static_cast<std::size_t>(pointer.width * pointer.height));
    std::vector<std::uint8_t> out(kMagic, kMagic + sizeof kMagic);
    PutWord(out, static_cast<unsigned>(pointer.width));
    PutWord(out, static_cast<unsigned>(pointer.height));
    PutWord(out, static_cast<unsigned>(pointer.hotspot.x));
    PutWord(out, static_cast<unsigned>(pointer.hotspot.y));
    for (std::uint32_t p : pointer.argb) {
        PutWord(out, p & 0xFFFF);
        PutWord(out, p >> 16);
    }
    return out;
}

std::optional<Pointer> DecodePointer(const std::uint8_t* data, std::size_t size)
{
    if (!data || size < kHeaderSize || std::memcmp(data, kMagic, sizeof kMagic) != 0)
        return std::nullopt;
    Pointer p;
    p.width = static_cast<int>(WordAt(data + 4));
    p.height = static_cast<int>(WordAt(data + 6));
    p.hotspot = POINT { static_cast<LONG>(WordAt(data + 8)), static_cast<LONG>(WordAt(data + 10)) };
    if (p.width < 1 || p.width > kMaxSide || p.height < 1 || p.height > kMaxSide || p.hotspot.x >= p.width
        || p.hotspot.y >= p.height)
        return std::nullopt;
    const std::size_t count = static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height);
    if (size != kHeaderSize + 4 * count)
        return std::nullopt;
    p.argb.resize(count);
    const std::uint8_t* pixel = data + kHeaderSize;
    for (std::size_t i = 0; i < count; ++i, pixel += 4)
        p.argb[i] = WordAt(pixel) | (WordAt(pixel + 2) << 16);
    return p;
}

} // namespace res
