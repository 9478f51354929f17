#pragma once

// What a program does with the media types a pin or a filter hands it:
// free or delete them in task memory, copy them, and read the video format
// block. The filters' own owning copy (dshow::MediaType) stays inside the
// library.

#include "platform/dshow/DShow.h"

// Frees the format block and the reference a type holds, not the type.
void FreeMediaType(AM_MEDIA_TYPE& type);
// Frees a type in task memory and everything it holds.
void DeleteMediaType(AM_MEDIA_TYPE* type);
HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE* source);
// A copy in task memory, or null when memory runs out.
AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* source);

namespace dshow {

// The VIDEOINFOHEADER of a type, or null when the format block isn't one
// (another format type, or too short).
const VIDEOINFOHEADER* VideoInfoOf(const AM_MEDIA_TYPE& type);

} // namespace dshow
