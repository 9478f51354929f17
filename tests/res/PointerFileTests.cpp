// The cursor and icon file format: pictures survive a round trip bit for
// bit, and anything that is not exactly such a file is refused.

#include "res/PointerFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

using Bytes = std::vector<std::uint8_t>;

res::Pointer Noise(int width, int height, POINT hotspot, std::uint32_t seed)
{
    std::mt19937 random(seed);
    res::Pointer p { width, height, hotspot, {} };
    for (int i = 0; i < width * height; ++i)
        p.argb.push_back(static_cast<std::uint32_t>(random()));
    return p;
}

std::optional<res::Pointer> Decode(const Bytes& b) { return res::DecodePointer(b.data(), b.size()); }

TEST(PointerFile, RoundTripsEveryBit)
{
    const res::Pointer cases[] = {
        Noise(32, 32, POINT { 4, 5 }, 1),
        Noise(1, 1, POINT { 0, 0 }, 2),
        Noise(3, 7, POINT { 2, 6 }, 3),
        Noise(256, 2, POINT { 255, 1 }, 4),
    };
    for (const res::Pointer& p : cases) {
        const Bytes file = res::EncodePointer(p);
        EXPECT_EQ(file.size(), 12u + 4u * p.argb.size());
        std::optional<res::Pointer> back = Decode(file);
        ASSERT_TRUE(back) << p.width << "x" << p.height;
        EXPECT_EQ(back->width, p.width);
        EXPECT_EQ(back->height, p.height);
        EXPECT_EQ(back->hotspot.x, p.hotspot.x);
        EXPECT_EQ(back->hotspot.y, p.hotspot.y);
        EXPECT_EQ(back->argb, p.argb);
    }
}

TEST(PointerFile, LayoutIsLittleEndianTopDown)
{
    const res::Pointer p { 2, 1, POINT { 1, 0 }, { 0x80112233, 0xFF445566 } };
    const Bytes expected = { 'I', 'V', 'P', 'T', 2, 0, 1, 0, 1, 0, 0, 0, 0x33, 0x22, 0x11, 0x80, 0x66, 0x55, 0x44,
        0xFF };
    EXPECT_EQ(res::EncodePointer(p), expected);
}

TEST(PointerFile, RefusesWhatIsNotExactlyAFile)
{
    const Bytes good = res::EncodePointer(Noise(4, 3, POINT { 3, 2 }, 5));
    ASSERT_TRUE(Decode(good));
    struct Case {
        const char* what;
        std::function<void(Bytes&)> spoil;
    };
    const Case cases[] = {
        { "wrong magic", [](Bytes& b) { b[0] = 'X'; } },
        { "cut short", [](Bytes& b) { b.pop_back(); } },
        { "a byte too many", [](Bytes& b) { b.push_back(0); } },
        { "header only", [](Bytes& b) { b.resize(12); } },
        { "shorter than a header", [](Bytes& b) { b.resize(11); } },
        { "empty", [](Bytes& b) { b.clear(); } },
        { "zero width", [](Bytes& b) { b[4] = 0; } },
        { "zero height", [](Bytes& b) { b[6] = 0; } },
        { "wider than 256, every pixel there",
            [](Bytes& b) {
                b[4] = 1, b[5] = 1, b[6] = 1, b[8] = 0, b[10] = 0;
                b.resize(12 + 4 * 257);
            } },
        { "hot spot right of the picture", [](Bytes& b) { b[8] = 4; } },
        { "hot spot below the picture", [](Bytes& b) { b[10] = 3; } },
    };
    for (const Case& c : cases) {
        Bytes b = good;
        c.spoil(b);
        EXPECT_FALSE(Decode(b)) << c.what;
    }
    EXPECT_FALSE(res::DecodePointer(nullptr, 0));
}

} // namespace
