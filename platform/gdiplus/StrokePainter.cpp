#include "platform/gdiplus/StrokePainter.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <optional>

namespace gdiplus {

namespace {

// The original's default, and cairo's: a miter longer than ten times the
// width falls back to a bevel.
constexpr double kMiterLimit = 10.0;
constexpr double kSqrt2 = std::numbers::sqrt2;
constexpr double kSqrt3 = std::numbers::sqrt3;

// Pixels per unit of the pen's width. World units are pixels here: the
// graphics has no world or page scaling. Physical units assume 96 dpi.
double PixelsPerUnit(GpUnit unit)
{
    switch (unit) {
    case UnitPoint:
        return 96.0 / 72.0;
    case UnitInch:
        return 96.0;
    case UnitDocument:
        return 96.0 / 300.0;
    case UnitMillimeter:
        return 96.0 / 25.4;
    default:
        return 1.0;
    }
}

bool IsAnchor(GpLineCap cap)
{
    return cap == LineCapSquareAnchor || cap == LineCapRoundAnchor || cap == LineCapDiamondAnchor
        || cap == LineCapArrowAnchor;
}

// The cairo cap that draws a plain cap by itself; none for the caps cairo's
// stroker does not know.
std::optional<cairo_line_cap_t> NativeCap(GpLineCap cap)
{
    switch (cap) {
    case LineCapFlat:
    case LineCapNoAnchor:
        return CAIRO_LINE_CAP_BUTT;
    case LineCapSquare:
        return CAIRO_LINE_CAP_SQUARE;
    case LineCapRound:
        return CAIRO_LINE_CAP_ROUND;
    default:
        return std::nullopt;
    }
}

cairo_line_join_t CairoJoin(GpLineJoin join)
{
    switch (join) {
    case LineJoinBevel:
        return CAIRO_LINE_JOIN_BEVEL;
    case LineJoinRound:
        return CAIRO_LINE_JOIN_ROUND;
    default:
        // Miter, and miter-clipped, which cairo can only draw with the bevel
        // fallback past the limit.
        return CAIRO_LINE_JOIN_MITER;
    }
}

// How far cairo's own cap reaches past the end of a line of width w.
double NativeCapReach(cairo_line_cap_t cap, double w)
{
    switch (cap) {
    case CAIRO_LINE_CAP_SQUARE:
        return w / 2 * kSqrt2;
    case CAIRO_LINE_CAP_ROUND:
        return w / 2;
    default:
        return 0.0;
    }
}

// How much of the body a cap replaces at its end: the arrow stands in for
// the last pen width of the line.
double CapTrim(GpLineCap cap, double w) { return cap == LineCapArrowAnchor ? w : 0.0; }

UserBox Inflate(UserBox b, double by) { return UserBox { b.x0 - by, b.y0 - by, b.x1 + by, b.y1 + by }; }

UserBox Union(UserBox a, UserBox b)
{
    return UserBox { std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1) };
}

PointD Along(PointD p, PointD d, double t) { return PointD { p.x + d.x * t, p.y + d.y * t }; }

void AppendPolygon(cairo_t* cr, std::initializer_list<PointD> pts)
{
    bool first = true;
    for (const PointD& p : pts) {
        if (first)
            cairo_move_to(cr, p.x, p.y);
        else
            cairo_line_to(cr, p.x, p.y);
        first = false;
    }
    cairo_close_path(cr);
}

} // namespace

StrokePainter::StrokePainter(FigureContext& figure, const GpPen& pen)
    : figure_(figure)
    , cr_(figure.cr())
    , pen_(pen)
    , width_(std::max(static_cast<double>(pen.width) * PixelsPerUnit(pen.unit), 1.0))
{
    dashes_.reserve(pen.dashes.size());
    for (REAL d : pen.dashes)
        dashes_.push_back(d * width_);
}

bool StrokePainter::InDash(const std::vector<double>& pattern, double s)
{
    if (pattern.empty() || s <= 0.0)
        return true;
    // An odd pattern swaps dashes and gaps on every repeat, so its cycle is
    // twice its length.
    std::size_t n = pattern.size();
    std::size_t steps = n % 2 ? 2 * n : n;
    double cycle = 0.0;
    for (std::size_t i = 0; i < steps; ++i)
        cycle += pattern[i % n];
    double pos = std::fmod(s, cycle);
    if (pos == 0.0)
        pos = cycle; // the end of a whole cycle belongs to its last piece
    double at = 0.0;
    for (std::size_t i = 0; i < steps; ++i) {
        at += pattern[i % n];
        if (pos <= at)
            return i % 2 == 0;
    }
    return false;
}

bool StrokePainter::CanStrokeNatively() const
{
    std::optional<cairo_line_cap_t> start = NativeCap(pen_.startCap), end = NativeCap(pen_.endCap);
    return dashes_.empty() && start && end && *start == *end;
}

void StrokePainter::SetLineStyle(cairo_line_cap_t cap, double dashOffset)
{
    cairo_set_line_width(cr_, width_);
    cairo_set_line_cap(cr_, cap);
    cairo_set_line_join(cr_, CairoJoin(pen_.join));
    cairo_set_miter_limit(cr_, kMiterLimit);
    cairo_set_dash(cr_, dashes_.empty() ? nullptr : dashes_.data(), static_cast<int>(dashes_.size()), dashOffset);
}

void StrokePainter::StrokeOpen()
{
    if (CanStrokeNatively())
        StrokeNatively(*NativeCap(pen_.startCap));
    else
        StrokeThroughMask();
}

void StrokePainter::StrokeClosed() { StrokeNatively(CAIRO_LINE_CAP_BUTT); }

void StrokePainter::StrokeNatively(cairo_line_cap_t cap)
{
    SetLineStyle(cap, 0.0);
    UserBox box = BodyBox(NativeCapReach(cap, width_));
    figure_.SetSource(pen_.color);
    cairo_stroke(cr_);
    figure_.MarkChanged(Inflate(box, 1.0));
}

void StrokePainter::StrokeThroughMask()
{
    Polyline line = Polyline::FromCurrentPath(cr_);
    cairo_new_path(cr_);
    if (line.IsEmpty())
        return;
    const double length = line.Length();
    const double startTrim = CapTrim(pen_.startCap, width_), endTrim = CapTrim(pen_.endCap, width_);
    const PointD start = line.Points().front(), end = line.Points().back();
    // A cap that replaces part of the body faces along the part it replaces.
    // A plain cap belongs to a dash: it is drawn only where the figure's end
    // lies in one (the start always does). Anchors are drawn regardless.
    const CapPlacement caps[2] = {
        { pen_.startCap, start,
            startTrim > 0 ? UnitVector(line.At(startTrim), start, line.StartDirection()) : line.StartDirection(),
            IsAnchor(pen_.startCap) || InDash(dashes_, 0.0) },
        { pen_.endCap, end,
            endTrim > 0 ? UnitVector(line.At(length - endTrim), end, line.EndDirection()) : line.EndDirection(),
            IsAnchor(pen_.endCap) || InDash(dashes_, length) },
    };
    const Polyline body = line.Between(startTrim, length - endTrim);

    // What the stroke may touch: the body's stroke and the caps' shapes.
    SetLineStyle(CAIRO_LINE_CAP_BUTT, startTrim);
    std::optional<UserBox> box;
    auto include = [&](const UserBox& b) { box = box ? Union(*box, b) : b; };
    if (!body.IsEmpty()) {
        body.AppendTo(cr_);
        include(BodyBox(0.0));
        cairo_new_path(cr_);
    }
    for (const CapPlacement& c : caps)
        if (c.drawn && AppendCap(c)) {
            include(figure_.PathBox());
            cairo_new_path(cr_);
        }
    if (!box)
        return;
    const UserBox limit = Inflate(*box, 1.0);

    // The coverage of body and caps together, limited to the box so that the
    // mask is no larger than the stroke.
    cairo_save(cr_);
    cairo_rectangle(cr_, limit.x0, limit.y0, limit.x1 - limit.x0, limit.y1 - limit.y0);
    cairo_clip(cr_);
    cairo_push_group_with_content(cr_, CAIRO_CONTENT_ALPHA);
    cairo_set_source_rgba(cr_, 0, 0, 0, 1);
    body.AppendTo(cr_);
    cairo_stroke(cr_);
    // Each cap is filled on its own: shapes wound in opposite directions
    // would cancel where they overlap in one fill.
    for (const CapPlacement& c : caps)
        if (c.drawn && AppendCap(c))
            cairo_fill(cr_);
    cairo_pattern_t* mask = cairo_pop_group(cr_);
    figure_.SetSource(pen_.color);
    cairo_mask(cr_, mask);
    cairo_pattern_destroy(mask);
    cairo_restore(cr_);
    figure_.MarkChanged(limit);
}

UserBox StrokePainter::BodyBox(double capReach) const
{
    // A miter can reach far past the path; cairo measures it. Other joins
    // and the plain caps stay within their reach of the path.
    if (CairoJoin(pen_.join) == CAIRO_LINE_JOIN_MITER) {
        UserBox b {};
        cairo_stroke_extents(cr_, &b.x0, &b.y0, &b.x1, &b.y1);
        return b;
    }
    return Inflate(figure_.PathBox(), std::max(width_ / 2, capReach));
}

bool StrokePainter::AppendCap(const CapPlacement& placement)
{
    const PointD tip = placement.tip, dir = placement.dir;
    const PointD normal { -dir.y, dir.x };
    const double w = width_, h = width_ / 2;
    auto at = [&](double forward, double side) { return Along(Along(tip, dir, forward), normal, side); };
    switch (placement.cap) {
    case LineCapSquare:
        AppendPolygon(cr_, { at(0, h), at(h, h), at(h, -h), at(0, -h) });
        break;
    case LineCapRound:
        cairo_arc(cr_, tip.x, tip.y, h, 0, 2 * std::numbers::pi);
        break;
    case LineCapTriangle:
        AppendPolygon(cr_, { at(0, h), at(h, 0), at(0, -h) });
        break;
    case LineCapSquareAnchor:
        AppendPolygon(cr_, { at(w, w), at(w, -w), at(-w, -w), at(-w, w) });
        break;
    case LineCapRoundAnchor:
        cairo_arc(cr_, tip.x, tip.y, w, 0, 2 * std::numbers::pi);
        break;
    case LineCapDiamondAnchor:
        AppendPolygon(cr_, { at(w, 0), at(0, w), at(-w, 0), at(0, -w) });
        break;
    case LineCapArrowAnchor:
        // Equilateral, side 2w: the tip on the end point, the base sqrt(3) w
        // behind it.
        AppendPolygon(cr_, { tip, at(-kSqrt3 * w, w), at(-kSqrt3 * w, -w) });
        break;
    default:
        return false; // flat: nothing beyond the body
    }
    return true;
}

} // namespace gdiplus
