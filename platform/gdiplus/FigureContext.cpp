#include "platform/gdiplus/FigureContext.h"

#include <algorithm>
#include <cassert>

namespace gdiplus {

bool IsAntiAliased(SmoothingMode mode) { return mode == SmoothingModeHighQuality || mode == SmoothingModeAntiAlias; }

FigureContext::FigureContext(GpGraphics& graphics)
    : graphics_(graphics)
    , cr_(graphics.cr)
{
    assert(cr_ != nullptr);
    cairo_save(cr_);
    cairo_new_path(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
    cairo_set_antialias(cr_, IsAntiAliased(graphics.smoothing) ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_WINDING);
    cairo_translate(cr_, 0.5, 0.5);
}

FigureContext::~FigureContext()
{
    cairo_new_path(cr_);
    cairo_restore(cr_);
}

void FigureContext::SetSource(ARGB color)
{
    cairo_set_source_rgba(cr_, ((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0, (color & 0xFF) / 255.0,
        (color >> 24) / 255.0);
}

UserBox FigureContext::PathBox() const
{
    UserBox b {};
    cairo_path_extents(cr_, &b.x0, &b.y0, &b.x1, &b.y1);
    return b;
}

void FigureContext::MarkChanged(const UserBox& box)
{
    // The user-to-device mapping may scale or flip in general, so all four
    // corners are mapped and their bounds taken.
    double xs[4] = { box.x0, box.x1, box.x0, box.x1 };
    double ys[4] = { box.y0, box.y0, box.y1, box.y1 };
    for (int i = 0; i < 4; ++i)
        cairo_user_to_device(cr_, &xs[i], &ys[i]);
    graphics_.MarkChanged(*std::min_element(xs, xs + 4), *std::min_element(ys, ys + 4), *std::max_element(xs, xs + 4),
        *std::max_element(ys, ys + 4));
}

void FigureContext::Fill(ARGB color)
{
    UserBox box = PathBox();
    SetSource(color);
    cairo_fill(cr_);
    MarkChanged(box);
}

} // namespace gdiplus
