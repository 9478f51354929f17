#pragma once

// A filter with one input and one output pin whose output types follow from
// the type its input connected with: the converters and the Sample Grabber.

#include "platform/dshow/BaseFilter.h"

namespace dshow {

// Bytes per row of an uncompressed DIB: rows are padded to four bytes.
inline std::size_t DibStride(int width, int bitCount)
{
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) / 32) * 4;
}

class TransformFilter : public BaseFilter {
protected:
    TransformFilter();

    virtual HRESULT CheckInput(const AM_MEDIA_TYPE& type) = 0;
    // What the output offers for the input's connected type.
    virtual std::vector<MediaType> OutputTypes(const MediaType& input) = 0;
    // A sample arrived on the input (streaming thread).
    virtual HRESULT Process(IMediaSample* sample) = 0;
    // The output connected: buffers for the format are made here.
    virtual HRESULT OutputConnected() { return S_OK; }

    Pin& Input() { return *input_; }
    Pin& Output() { return *output_; }

private:
    HRESULT CheckOutput(const AM_MEDIA_TYPE& type);

    Pin* input_;
    Pin* output_;
};

} // namespace dshow
