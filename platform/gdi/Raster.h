#pragma once

// The one place where lines and figures touch pixels. A Raster paints
// horizontal spans given in device coordinates: it cuts them by the DC's
// effective clip, moves them into the target surface, applies one raster
// operation pair per pixel and grows the surface's dirty box by what it
// touched. Every raster operation is one (and, xor) pair, so there is a
// single pixel loop for all modes.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Rop.h"
#include "platform/gdi/SpanSink.h"

#include <optional>

namespace gdi {

// Logical and device coordinates a figure may use. The geometry multiplies
// coordinate differences, so they are kept small enough for every product
// to fit in 64 bits; calls beyond this answer failure.
inline constexpr int kMaxFigureCoordinate = 1 << 27;

class Raster final : public SpanSink {
public:
    // The DC must have a target surface.
    Raster(DeviceContext& dc, Rop2Op op);
    ~Raster();
    Raster(const Raster&) = delete;
    Raster& operator=(const Raster&) = delete;

    void AddSpan(int y, int x0, int x1) override;

    // The box of the DC's effective clip in device coordinates; nothing
    // outside it can be painted, so figures need not produce it. It does
    // not depend on the operation, so rasters for the pen and the brush of
    // one figure agree on it.
    const RECT& ClipBox() const { return clipBox_; }

private:
    // Grows the box of what this raster painted, in surface coordinates.
    void Touch(const RECT& r);

    Surface& surface_;
    const Region& clip_;
    POINT offset_;
    Rop2Op op_;
    RECT clipBox_;
    bool nop_;
    bool simpleClip_; // the clip is its own box
    RECT touched_ { 0, 0, 0, 0 };
    bool any_ = false;
};

// Maps a logical point to device coordinates, or nothing when the point or
// the DC's origins lie outside the figure coordinate range.
std::optional<POINT> FigurePoint(const DeviceContext& dc, int x, int y);

// Maps a logical rectangle (corners as given, not reordered) to device
// coordinates for the block fills, which multiply nothing: coordinates are
// only cut to a range far beyond any device, so no value is refused.
RECT FillRectToDevice(const DeviceContext& dc, long long left, long long top, long long right, long long bottom);

// The operation pair for the DC's pen, or for a brush, in the DC's ROP2
// mode; colours are first brought to what the target can hold.
Rop2Op PenOp(const DeviceContext& dc);
Rop2Op BrushOp(const DeviceContext& dc, const Brush& brush);
// A brush copied without regard to the ROP2 mode (FillRect).
Rop2Op BrushCopyOp(const DeviceContext& dc, const Brush& brush);

} // namespace gdi
