// Laying a layer over the picture through the key colour.

#include "camera/OverlayKey.h"

GpStatus DrawThroughOverlayKey(GpGraphics* graphics, GpImage* image, int width, int height)
{
    if (!graphics || !image)
        return InvalidParameter;
    UINT imageWidth = 0, imageHeight = 0;
    GdipGetImageWidth(image, &imageWidth);
    GdipGetImageHeight(image, &imageHeight);
    GpImageAttributes* attributes = nullptr;
    GpStatus status = GdipCreateImageAttributes(&attributes);
    if (status != Ok)
        return status;
    GdipSetImageAttributesColorKeys(attributes, ColorAdjustTypeBitmap, TRUE, kOverlayKeyColor, kOverlayKeyColor);
    status = GdipDrawImageRectRectI(graphics, image, 0, 0, width, height, 0, 0, static_cast<INT>(imageWidth),
        static_cast<INT>(imageHeight), UnitPixel, attributes, nullptr, nullptr);
    GdipDisposeImageAttributes(attributes);
    return status;
}
