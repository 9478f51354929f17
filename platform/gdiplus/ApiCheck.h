#pragma once

// The checks that open every flat API call: the library must be started and
// no pointer argument may be null.

#include "platform/gdiplus/GpObjects.h"

namespace gdiplus {

template <typename... P>
GpStatus CheckCall(const P*... pointers)
{
    if (!Started())
        return GdiplusNotInitialized;
    return ((pointers != nullptr) && ...) ? Ok : InvalidParameter;
}

} // namespace gdiplus
