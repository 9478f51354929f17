#pragma once

// The Color Space Converter: takes 24- or 32-bit RGB frames and hands on
// 32-bit RGB frames of the same size and row order, the format the video
// renderer keeps.

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
};

} // namespace dshow
