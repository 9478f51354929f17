// Media type copies and their enumerator.

#include "platform/dshow/MediaType.h"

#include "platform/com/Com.h"
#include "platform/com/ComEnum.h"
#include "platform/com/ComObject.h"

#include <cstring>

void FreeMediaType(AM_MEDIA_TYPE& type)
{
    if (type.cbFormat != 0 || type.pbFormat)
        CoTaskMemFree(type.pbFormat);
    type.cbFormat = 0;
    type.pbFormat = nullptr;
    if (type.pUnk) {
        type.pUnk->Release();
        type.pUnk = nullptr;
    }
}

void DeleteMediaType(AM_MEDIA_TYPE* type)
{
    if (!type)
        return;
    FreeMediaType(*type);
    CoTaskMemFree(type);
}

HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE* source)
{
    if (!target || !source)
        return E_POINTER;
    *target = *source;
    target->pbFormat = nullptr;
    if (source->cbFormat && source->pbFormat) {
        target->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(source->cbFormat));
        if (!target->pbFormat) {
            target->cbFormat = 0;
            return E_OUTOFMEMORY;
        }
        std::memcpy(target->pbFormat, source->pbFormat, source->cbFormat);
    } else {
        target->cbFormat = 0;
    }
    if (target->pUnk)
        target->pUnk->AddRef();
    return S_OK;
}

AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* source)
{
    auto* type = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!type)
        return nullptr;
    if (FAILED(CopyMediaType(type, source))) {
        CoTaskMemFree(type);
        return nullptr;
    }
    return type;
}

// Media types go out of their enumerator as task-memory copies.
template <>
struct com::EnumItem<dshow::MediaType> {
    static AM_MEDIA_TYPE* HandOut(const dshow::MediaType& type) { return ::CreateMediaType(&type.Get()); }
};

namespace dshow {

MediaType::MediaType() { std::memset(&mt_, 0, sizeof mt_); }

MediaType::MediaType(const AM_MEDIA_TYPE& source)
    : MediaType()
{
    CopyMediaType(&mt_, &source);
}

MediaType::MediaType(const MediaType& other)
    : MediaType(other.mt_)
{
}

MediaType& MediaType::operator=(const MediaType& other)
{
    if (this != &other) {
        FreeMediaType(mt_);
        CopyMediaType(&mt_, &other.mt_);
    }
    return *this;
}

MediaType::~MediaType() { FreeMediaType(mt_); }

MediaType MediaType::Video(const GUID& subtype, int width, int height, int bitCount, DWORD compression)
{
    VIDEOINFOHEADER vih {};
    vih.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    vih.bmiHeader.biWidth = width;
    vih.bmiHeader.biHeight = height;
    vih.bmiHeader.biPlanes = 1;
    vih.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
    vih.bmiHeader.biCompression = compression;
    vih.bmiHeader.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height < 0 ? -height : height)
        * static_cast<DWORD>(bitCount) / 8;
    AM_MEDIA_TYPE mt {};
    mt.majortype = MEDIATYPE_Video;
    mt.subtype = subtype;
    mt.bFixedSizeSamples = TRUE;
    mt.lSampleSize = vih.bmiHeader.biSizeImage;
    mt.formattype = FORMAT_VideoInfo;
    mt.cbFormat = sizeof vih;
    mt.pbFormat = reinterpret_cast<BYTE*>(&vih);
    return MediaType(mt);
}

const VIDEOINFOHEADER* VideoInfoOf(const AM_MEDIA_TYPE& type)
{
    if (type.formattype != FORMAT_VideoInfo || type.cbFormat < sizeof(VIDEOINFOHEADER) || !type.pbFormat)
        return nullptr;
    return reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
}

const VIDEOINFOHEADER* MediaType::VideoInfoOf(const AM_MEDIA_TYPE& type) { return dshow::VideoInfoOf(type); }

bool MediaType::SameAs(const AM_MEDIA_TYPE& other) const
{
    return mt_.majortype == other.majortype && mt_.subtype == other.subtype && mt_.formattype == other.formattype
        && mt_.cbFormat == other.cbFormat
        && (mt_.cbFormat == 0 || (other.pbFormat && std::memcmp(mt_.pbFormat, other.pbFormat, mt_.cbFormat) == 0));
}

bool MediaType::MatchesPartial(const AM_MEDIA_TYPE& pattern) const
{
    auto fits = [](const GUID& mine, const GUID& wanted) { return wanted == GUID_NULL || mine == wanted; };
    return fits(mt_.majortype, pattern.majortype) && fits(mt_.subtype, pattern.subtype)
        && fits(mt_.formattype, pattern.formattype);
}

IEnumMediaTypes* NewMediaTypeEnum(std::vector<MediaType> types)
{
    return new com::ComEnum<IEnumMediaTypes, AM_MEDIA_TYPE, MediaType>(std::move(types));
}

} // namespace dshow
