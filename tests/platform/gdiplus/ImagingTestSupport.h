#pragma once

// Shared pieces of the bitmap, image drawing and text tests: a fixture that
// keeps GDI+ started, a scope in which it is not, and owners that dispose
// of GDI+ objects when a test ends early.

#include "platform/gdiplus/BitmapAccess.h"
#include "platform/gdiplus/GdiPlusFlat.h"
#include "platform/gdiplus/GpObjects.h"

#include <gtest/gtest.h>

#include <memory>

namespace imagingtest {

class GdiplusFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        GdiplusStartupInput input;
        ASSERT_EQ(GdiplusStartup(&token_, &input, nullptr), Ok);
    }
    void TearDown() override { GdiplusShutdown(token_); }

private:
    ULONG_PTR token_ = 0;
};

// Shuts GDI+ down for the life of the scope, however many start-ups are in
// force (another fixture or environment may hold some), and restores them.
class NotStartedScope {
public:
    NotStartedScope()
    {
        while (gdiplus::Started()) {
            GdiplusShutdown(1);
            ++count_;
        }
    }
    ~NotStartedScope()
    {
        GdiplusStartupInput input;
        ULONG_PTR token = 0;
        for (int i = 0; i < count_; ++i)
            GdiplusStartup(&token, &input, nullptr);
    }
    NotStartedScope(const NotStartedScope&) = delete;
    NotStartedScope& operator=(const NotStartedScope&) = delete;

private:
    int count_ = 0;
};

// Owners that hand GDI+ objects back when a test ends, early or not.
struct Deleters {
    void operator()(GpBitmap* b) const { GdipDisposeImage(b); }
    void operator()(GpGraphics* g) const { GdipDeleteGraphics(g); }
    void operator()(GpImageAttributes* a) const { GdipDisposeImageAttributes(a); }
    void operator()(GpFontFamily* f) const { GdipDeleteFontFamily(f); }
    void operator()(GpFont* f) const { GdipDeleteFont(f); }
    void operator()(GpStringFormat* f) const { GdipDeleteStringFormat(f); }
    void operator()(GpSolidFill* b) const { GdipDeleteBrush(b); }
};
template <typename T>
using Owned = std::unique_ptr<T, Deleters>;
using BitmapPtr = Owned<GpBitmap>;

inline Owned<GpGraphics> GraphicsOn(HDC dc, TextRenderingHint hint = TextRenderingHintAntiAlias)
{
    GpGraphics* g = nullptr;
    EXPECT_EQ(GdipCreateFromHDC(dc, &g), Ok);
    EXPECT_EQ(GdipSetTextRenderingHint(g, hint), Ok);
    return Owned<GpGraphics>(g);
}

inline Owned<GpGraphics> GraphicsOn(GpBitmap* b)
{
    GpGraphics* g = nullptr;
    EXPECT_EQ(GdipGetImageGraphicsContext(b, &g), Ok);
    return Owned<GpGraphics>(g);
}

// A new 32bppARGB bitmap of its own memory, fully transparent.
inline BitmapPtr MakeBitmap(int width, int height)
{
    GpBitmap* b = nullptr;
    EXPECT_EQ(GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &b), Ok);
    return BitmapPtr(b);
}

inline ARGB PixelOf(GpBitmap* b, int x, int y)
{
    ARGB c = 0xDEADBEEF;
    EXPECT_EQ(GdipBitmapGetPixel(b, x, y, &c), Ok) << "at " << x << "," << y;
    return c;
}

} // namespace imagingtest
