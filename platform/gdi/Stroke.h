#pragma once

// The pixels a pen covers along the outline of a figure, in device
// coordinates. A one-pixel pen follows ThinLine and the one-pixel ellipse
// outline; a wider pen covers the capsules of WidePen. Pieces of an outline
// may overlap, so the sink is normally a SpanSet that is painted once
// afterwards.

#include "platform/gdi/ArcSweep.h"
#include "platform/gdi/EllipseGeometry.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SpanSink.h"
#include "platform/gdi/WidePen.h"
#include "platform/win/WinTypes.h"

#include <algorithm>
#include <cstddef>

namespace gdi {

class Stroke {
public:
    // Segments between consecutive points (and from the last back to the
    // first when closed). A one-pixel pen leaves out each segment's end
    // point, as LineTo does; a wide pen includes both ends.
    static void Polyline(const Pen& pen, const POINT* points, std::size_t count, bool closed, const RECT& clip,
        SpanSink& out);

    // The outline of a rectangle covering box (right and bottom exclusive):
    // its border pixels for a one-pixel pen, the capsules around its corner
    // pixels for a wide pen.
    static void Frame(const Pen& pen, const RECT& box, const RECT& clip, SpanSink& out);

    // The swept part of an ellipse outline.
    static void Ellipse(const Pen& pen, const EllipseGeometry& ellipse, const ArcSweep& sweep, const RECT& clip,
        SpanSink& out);

    // The border pixels of box inside clip, each sent exactly once.
    static void ThinFrame(const RECT& box, const RECT& clip, SpanSink& out);

    // The box of a figure given by two opposite corners in device
    // coordinates, in either order, right and bottom exclusive. A wide
    // PS_INSIDEFRAME pen shrinks the box by half its width so that the
    // outline stays inside the corners.
    static RECT FigureBox(const Pen& pen, POINT a, POINT b);

    // How far a pen reaches beyond the line it follows, in whole pixels.
    static int Reach(const Pen& pen) { return pen.IsWide() ? std::min(pen.width, WidePen::kMaxWidth) / 2 + 1 : 0; }
};

} // namespace gdi
