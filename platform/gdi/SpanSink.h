#pragma once

// Where figure rasterisers put their pixels: horizontal spans [x0, x1) on
// device row y. A Raster paints them straight away; a SpanSet collects them
// so that overlapping pieces of one figure are painted only once.

namespace gdi {

class SpanSink {
public:
    virtual void AddSpan(int y, int x0, int x1) = 0;

protected:
    ~SpanSink() = default;
};

} // namespace gdi
