// Media sample storage.

#include "platform/dshow/Sample.h"

namespace dshow {

HRESULT Sample::GetPointer(BYTE** buffer)
{
    if (!buffer)
        return E_POINTER;
    *buffer = data_;
    return S_OK;
}

HRESULT Sample::GetTime(REFERENCE_TIME* start, REFERENCE_TIME* end)
{
    if (!start || !end)
        return E_POINTER;
    *start = start_;
    *end = end_;
    return S_OK;
}

HRESULT Sample::SetActualDataLength(LONG length)
{
    if (length < 0 || static_cast<std::size_t>(length) > size_)
        return E_INVALIDARG;
    length_ = static_cast<std::size_t>(length);
    return S_OK;
}

BYTE* Sample::Own(std::size_t size)
{
    if (owned_.size() < size)
        owned_.resize(size);
    data_ = owned_.data();
    size_ = size;
    length_ = size;
    return data_;
}

void Sample::Borrow(BYTE* data, std::size_t size)
{
    data_ = data;
    size_ = size;
    length_ = size;
}

bool Sample::Exchange(std::vector<BYTE>& spare)
{
    if (owned_.empty() || data_ != owned_.data())
        return false;
    spare.resize(owned_.size());
    owned_.swap(spare);
    data_ = owned_.data();
    return true;
}

void Sample::SetTimes(REFERENCE_TIME start, REFERENCE_TIME end)
{
    start_ = start;
    end_ = end;
}

} // namespace dshow
