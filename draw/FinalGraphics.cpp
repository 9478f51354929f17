#include "draw/FinalGraphics.h"

FinalGraphics::FinalGraphics(GpGraphics* g, SmoothingMode mode)
    : graphics_(g)
{
    if (graphics_)
        GdipSetSmoothingMode(graphics_, mode);
}

FinalGraphics::~FinalGraphics()
{
    if (graphics_)
        GdipDeleteGraphics(graphics_);
}

FinalGraphics FinalGraphics::OnDc(CDC* dc, SmoothingMode mode)
{
    GpGraphics* g = nullptr;
    if (dc && GdipCreateFromHDC(dc->GetSafeHdc(), &g) != Ok)
        g = nullptr;
    return FinalGraphics(g, mode);
}

FinalGraphics FinalGraphics::OnImage(GpImage* image, SmoothingMode mode)
{
    GpGraphics* g = nullptr;
    if (image && GdipGetImageGraphicsContext(image, &g) != Ok)
        g = nullptr;
    return FinalGraphics(g, mode);
}
