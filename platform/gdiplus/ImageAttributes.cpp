// Image attributes: creation, the colour key, disposal.

#include "platform/gdiplus/ImageAttributes.h"

#include "platform/gdiplus/ApiCheck.h"

using gdiplus::CheckCall;

GpStatus GdipCreateImageAttributes(GpImageAttributes** attributes)
{
    if (GpStatus s = CheckCall(attributes); s != Ok)
        return s;
    *attributes = new GpImageAttributes;
    return Ok;
}

GpStatus GdipSetImageAttributesColorKeys(GpImageAttributes* attributes, ColorAdjustType type, BOOL enable, ARGB low,
    ARGB high)
{
    if (GpStatus s = CheckCall(attributes); s != Ok)
        return s;
    if (type < ColorAdjustTypeDefault || type > ColorAdjustTypeText)
        return InvalidParameter;
    attributes->keyEnabled[type] = enable != FALSE;
    if (enable)
        attributes->keys[type] = gdiplus::ColorKey { low, high };
    return Ok;
}

GpStatus GdipDisposeImageAttributes(GpImageAttributes* attributes)
{
    if (GpStatus s = CheckCall(attributes); s != Ok)
        return s;
    delete attributes;
    return Ok;
}
