// Pixels converted to and from the layouts of the X visuals a screen may
// have: round trips and exact bytes for a few colours.

#include <gtest/gtest.h>

#include "platform/x11/PixelFormat.h"

#include <cstring>
#include <vector>

namespace {

XImage Layout(int bitsPerPixel, int byteOrder, unsigned long red, unsigned long green, unsigned long blue)
{
    XImage image;
    std::memset(&image, 0, sizeof image);
    image.format = ZPixmap;
    image.bits_per_pixel = bitsPerPixel;
    image.byte_order = byteOrder;
    image.red_mask = red;
    image.green_mask = green;
    image.blue_mask = blue;
    return image;
}

TEST(X11PixelFormat, ColoursTakeTheBytesOfEachLayout)
{
    struct Case {
        const char* name;
        XImage layout;
        std::vector<unsigned char> orange; // 0x00FF8040 as stored
        std::uint32_t orangeBack; // what reading those bytes gives
    };
    const Case cases[] = {
        { "32 bits, host order", Layout(32, LSBFirst, 0xFF0000, 0xFF00, 0xFF), { 0x40, 0x80, 0xFF, 0x00 }, 0x00FF8040 },
        { "32 bits, most significant first", Layout(32, MSBFirst, 0xFF0000, 0xFF00, 0xFF), { 0x00, 0xFF, 0x80, 0x40 },
            0x00FF8040 },
        { "32 bits, blue high", Layout(32, LSBFirst, 0xFF, 0xFF00, 0xFF0000), { 0xFF, 0x80, 0x40, 0x00 }, 0x00FF8040 },
        { "24 bits packed", Layout(24, LSBFirst, 0xFF0000, 0xFF00, 0xFF), { 0x40, 0x80, 0xFF }, 0x00FF8040 },
        // 5-6-5: red 31, green 32, blue 8; read back with the top bits
        // repeated below.
        { "16 bits 5-6-5", Layout(16, LSBFirst, 0xF800, 0x07E0, 0x001F), { 0x08, 0xFC }, 0x00FF8242 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::x11::PixelFormat format(c.layout);
        ASSERT_TRUE(format.Supported());
        const std::uint32_t pixels[] = { 0x00FF8040, 0x00FFFFFF, 0 };
        std::vector<char> bytes(3 * static_cast<std::size_t>(format.BytesPerPixel()));
        format.ToImage(pixels, 3, bytes.data());
        std::vector<unsigned char> first(bytes.begin(), bytes.begin() + format.BytesPerPixel());
        EXPECT_EQ(first, c.orange);
        std::uint32_t back[3] = {};
        format.FromImage(bytes.data(), 3, back);
        EXPECT_EQ(back[0], c.orangeBack);
        EXPECT_EQ(back[1], 0x00FFFFFFu) << "full intensity stays full";
        EXPECT_EQ(back[2], 0u);
    }
}

TEST(X11PixelFormat, LayoutsWithoutTrueColourChannelsAreRefused)
{
    EXPECT_FALSE(platform::x11::PixelFormat(Layout(8, LSBFirst, 0, 0, 0)).Supported());
    EXPECT_FALSE(platform::x11::PixelFormat(Layout(32, LSBFirst, 0x3FF00000, 0xFFC00, 0x3FF)).Supported())
        << "ten bits a channel";
}

} // namespace
