#pragma once

// MediaType, an owning copy of a media type for the filters' own use, and
// the enumerator of a pin's types. The functions callers use on types they
// were handed are in MediaTypeFunctions.h.

#include "platform/dshow/MediaTypeFunctions.h"

#include <vector>

namespace dshow {

class MediaType {
public:
    MediaType();
    explicit MediaType(const AM_MEDIA_TYPE& source);
    MediaType(const MediaType& other);
    MediaType& operator=(const MediaType& other);
    ~MediaType();

    // A video type of the given subtype and size with a VIDEOINFOHEADER.
    static MediaType Video(const GUID& subtype, int width, int height, int bitCount, DWORD compression);

    const AM_MEDIA_TYPE& Get() const { return mt_; }
    // The VIDEOINFOHEADER, or null when the format block isn't one.
    const VIDEOINFOHEADER* VideoInfo() const { return VideoInfoOf(mt_); }
    static const VIDEOINFOHEADER* VideoInfoOf(const AM_MEDIA_TYPE& type);
    bool Empty() const { return mt_.majortype == GUID_NULL; }

    // Same major type, subtype, format type and format block.
    bool SameAs(const AM_MEDIA_TYPE& other) const;
    // Matches a partly given type: GUID_NULL fields match anything.
    bool MatchesPartial(const AM_MEDIA_TYPE& pattern) const;

private:
    AM_MEDIA_TYPE mt_;
};

// The enumerator of a pin's media types: hands out task-memory copies.
IEnumMediaTypes* NewMediaTypeEnum(std::vector<MediaType> types);

} // namespace dshow
