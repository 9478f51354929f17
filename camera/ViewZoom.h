#pragma once

// The arithmetic of the video view's zoom, as pure functions.
//
// The view zooms by resizing its control: the zoom factor is the control's
// size over its reference size (W0 x H0, the client rectangle that factor
// 1 stands for). Widths follow the factor; heights follow the widths by the
// reference's aspect ratio. Factors are single precision, as the drawing
// objects read them.

#include "platform/win/WinTypes.h"

namespace viewzoom {

inline constexpr float kStepIn = 1.1f;
inline constexpr float kStepOut = 0.9f;
// ZoomOut refuses below this factor and ZoomIn above kMaxFactor.
inline constexpr float kMinFactor = 0.1f;
inline constexpr float kMaxFactor = 10.0f;

// The wheel has no limit on the factor as such, but the picture it places
// must stay something the teacher can see, point at and zoom back from, and
// something integer coordinates can hold: no side below kMinPlacedSide, none
// above kMaxPlacedSide. The upper bound lies far past any useful zoom and
// well inside what the stretch (2^24) and the anti-aliased drawing (2^23)
// accept as extents.
inline constexpr int kMinPlacedSide = 8;
inline constexpr int kMaxPlacedSide = 1 << 20;

// The factor in percent, truncated; held within the int range.
int FactorPercent(float factor);

// The control's size at a factor: width W0 x factor, truncated; height the
// reference's ratio H0 / W0 times that width, truncated. A reference with no
// width gives no size. Each side is held within the placeable range, so an
// extreme factor never loses the picture nor overflows.
SIZE ZoomedSize(SIZE reference, float factor);

// A size with each side held within kMinPlacedSide ... kMaxPlacedSide.
SIZE ClampPlacedSize(double width, double height);

// Whether a wheel step by step (below 1 out, above 1 in) to newFactor may be
// taken: a step out is refused when the picture would be narrower or lower
// than kMinPlacedSide, a step in when it would be wider or higher than
// kMaxPlacedSide. A step towards the placeable range is never refused, so
// notches the other way always undo a run of notches.
bool WheelStepAllowed(SIZE reference, float newFactor, float step);

// The rectangle of a new size with the same centre as present; the growth is
// halved with truncation toward zero on each axis.
RECT KeepCentre(const RECT& present, SIZE size);

// What a resize to this width answers: width x 100 / W0.
int WidthPercent(int width, int referenceWidth);

// A wheel step about the cursor (px, py), in the control's present client
// coordinates: the new top-left corner there, (px - px s, py - py s) with
// each product rounded to single precision and the difference truncated,
// and the size at the new factor (W0 x factor by the reference's ratio,
// truncated, held within the placeable range). The picture point under the
// cursor stays under it.
struct WheelPlacement {
    POINT topLeft;
    SIZE size;
};
WheelPlacement WheelZoom(POINT cursor, SIZE reference, float newFactor, float step);

// The main window's 4:3 area for the view, from the window's own rectangle
// in its client coordinates: 100 pixels less high than the window, 4:3,
// centred by the window's width, 50 pixels below the window's top.
RECT VideoArea(const RECT& windowInClient);

} // namespace viewzoom
