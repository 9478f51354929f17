#pragma once

// Button pictures drawn in place: each picture starts as the part of its
// window's skin that the button covers, so that its edges meet the skin
// without a seam, and the button's face is drawn over that. Hover buttons
// take a strip of three pictures side by side (normal, pressed or checked,
// highlighted); bitmap buttons take one picture per look.

#include "platform/gdi/Surface.h"
#include "platform/win/WinTypes.h"

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <memory>

namespace resgen {

// The looks, in the order of a hover button's strip.
enum class Look { Normal, Pressed, Hover };

// Draws a face over the skin already on a width x height canvas.
using FaceDrawer = std::function<void(cairo_t* cr, Look look, int width, int height)>;

// Where a button sits: its window's skin and the button's top-left corner
// in it. Where a picture reaches past the skin it starts from beyond.
struct ButtonPlace {
    const gdi::Surface& skin;
    POINT at;
    std::uint32_t beyond;
};

std::unique_ptr<gdi::Surface> ButtonPicture(const ButtonPlace& place, int width, int height, Look look,
    const FaceDrawer& face);
// Three pictures of width x height side by side.
std::unique_ptr<gdi::Surface> ButtonStrip(const ButtonPlace& place, int width, int height, const FaceDrawer& face);

// The colours a face was given: its symbol's, and the ground under it.
struct FaceColors {
    std::uint32_t ink;
    std::uint32_t ground;
};

// The ground of a button on the dark tool windows for a look: nothing for
// the normal look, a rounded box of the blue of choice when pressed, a
// lighter one under the pointer.
FaceColors DarkGround(cairo_t* cr, Look look, int x0, int y0, int x1, int y1, double radius);

} // namespace resgen
