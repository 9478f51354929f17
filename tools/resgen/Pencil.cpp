#include "tools/resgen/Pencil.h"

#include "tools/resgen/Paint.h"

#include <cmath>

namespace resgen {

namespace {

constexpr std::uint32_t kOutline = 0x1E1A18;
constexpr std::uint32_t kGraphite = 0x3C3C44;
constexpr std::uint32_t kGraphiteShine = 0x74747E;
constexpr std::uint32_t kCutWood = 0xF4DCAC;
constexpr std::uint32_t kCutWoodShade = 0xD8B47C;
constexpr std::uint32_t kWoodLight = 0xE6B26C;
constexpr std::uint32_t kWood = 0xC4863E;
constexpr std::uint32_t kWoodDark = 0x8E5A28;
constexpr std::uint32_t kMetalLight = 0xE2E2E6;
constexpr std::uint32_t kMetal = 0xA8A8B0;
constexpr std::uint32_t kMetalDark = 0x6C6C74;
constexpr std::uint32_t kEraser = 0xF29AA4;
constexpr std::uint32_t kEraserDark = 0xC8606E;

void FillRect(cairo_t* cr, double x0, double y0, double x1, double y1, std::uint32_t rgb)
{
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    SetColor(cr, rgb);
    cairo_fill(cr);
}

// Where the parts meet, as fractions of the length from the point.
struct Stations {
    double graphite, cone, body, ferrule, length, half, round;
};

Stations Measure(double length, double width)
{
    return Stations { 0.12 * length, 0.30 * length, 0.74 * length, 0.85 * length, length, width / 2, width * 0.3 };
}

// The whole silhouette: the cone's triangle, the straight sides and the
// eraser's rounded end.
void Silhouette(cairo_t* cr, const Stations& s)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, s.cone, -s.half);
    cairo_line_to(cr, s.length - s.round, -s.half);
    cairo_arc(cr, s.length - s.round, -s.half + s.round, s.round, -M_PI / 2, 0);
    cairo_arc(cr, s.length - s.round, s.half - s.round, s.round, 0, M_PI / 2);
    cairo_line_to(cr, s.cone, s.half);
    cairo_close_path(cr);
}

// The sharpened end: graphite up to its station, cut wood behind it, each
// lit on one side.
void DrawPoint(cairo_t* cr, const Stations& s)
{
    const double coneSlope = s.half / s.cone;
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, s.cone, -s.half);
    cairo_line_to(cr, s.cone, s.half);
    cairo_close_path(cr);
    SetColor(cr, kCutWood);
    cairo_fill(cr);
    cairo_move_to(cr, s.graphite, 0);
    cairo_line_to(cr, s.cone, 0);
    cairo_line_to(cr, s.cone, s.half);
    cairo_close_path(cr);
    SetColor(cr, kCutWoodShade);
    cairo_fill(cr);
    const double g = s.graphite * coneSlope;
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, s.graphite, -g);
    cairo_line_to(cr, s.graphite, g);
    cairo_close_path(cr);
    SetColor(cr, kGraphite);
    cairo_fill(cr);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, s.graphite, -g);
    cairo_line_to(cr, s.graphite, -g / 3);
    cairo_close_path(cr);
    SetColor(cr, kGraphiteShine);
    cairo_fill(cr);
}

// Three facets of wood, light to dark across, their front edge scalloped
// where the sharpener cut into them.
void DrawBody(cairo_t* cr, const Stations& s)
{
    const double facet = 2 * s.half / 3;
    const std::uint32_t colors[3] = { kWoodLight, kWood, kWoodDark };
    for (int i = 0; i < 3; ++i) {
        const double y0 = -s.half + i * facet;
        const double y1 = y0 + facet;
        const double bulge = facet * 0.55;
        cairo_move_to(cr, s.ferrule, y0);
        cairo_line_to(cr, s.cone, y0);
        cairo_curve_to(cr, s.cone - bulge, y0, s.cone - bulge, y1, s.cone, y1);
        cairo_line_to(cr, s.ferrule, y1);
        cairo_close_path(cr);
        SetColor(cr, colors[i]);
        cairo_fill(cr);
    }
}

// The ferrule, ringed by a groove, and the eraser.
void DrawEnd(cairo_t* cr, const Stations& s)
{
    const double ring = s.ferrule - s.body;
    FillRect(cr, s.body, -s.half, s.ferrule, s.half, kMetal);
    FillRect(cr, s.body, -s.half, s.ferrule, -s.half / 3, kMetalLight);
    FillRect(cr, s.body + ring * 0.42, -s.half, s.body + ring * 0.58, s.half, kMetalDark);
    FillRect(cr, s.ferrule, -s.half, s.length, 0, kEraser);
    FillRect(cr, s.ferrule, 0, s.length, s.half, kEraserDark);
}

} // namespace

void DrawPencil(cairo_t* cr, const PencilShape& shape)
{
    const double dx = shape.tailX - shape.tipX;
    const double dy = shape.tailY - shape.tipY;
    const Stations s = Measure(std::hypot(dx, dy), shape.width);

    cairo_save(cr);
    cairo_translate(cr, shape.tipX, shape.tipY);
    cairo_rotate(cr, std::atan2(dy, dx));
    // Every part is clipped to the silhouette so that the outline alone
    // decides the edge.
    Silhouette(cr, s);
    cairo_save(cr);
    cairo_clip(cr);
    // The facets' scallops overlap the cone, so the point goes first.
    DrawPoint(cr, s);
    DrawBody(cr, s);
    DrawEnd(cr, s);
    cairo_restore(cr);
    if (shape.outline > 0) {
        Silhouette(cr, s);
        cairo_set_line_width(cr, shape.outline);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        SetColor(cr, kOutline);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

const std::vector<std::uint32_t>& PencilColors()
{
    static const std::vector<std::uint32_t> colors = {
        kOutline,
        kGraphite,
        kGraphiteShine,
        kCutWood,
        kCutWoodShade,
        kWoodLight,
        kWood,
        kWoodDark,
        kMetalLight,
        kMetal,
        kMetalDark,
        kEraser,
        kEraserDark,
    };
    return colors;
}

} // namespace resgen
