#pragma once

// The Color Space Converter: takes 24- or 32-bit RGB frames and hands on
// frames of the same size and row order, 32-bit RGB or, where the next
// filter takes it, the input's own format: those frames go on as they came,
// with no per-frame work at all.

#include "platform/dshow/TransformFilter.h"

namespace dshow {

class ColourConverter final : public TransformFilter {
public:
    static HRESULT Create(REFIID iid, void** out);

private:
    HRESULT CheckInput(const AM_MEDIA_TYPE& type) override;
    std::vector<MediaType> OutputTypes(const MediaType& input) override;
    HRESULT Process(IMediaSample* sample) override;
    HRESULT OutputConnected() override;

    // The output's type is the input's own: samples are handed on as they are.
    bool passThrough_ = false;
};

} // namespace dshow
