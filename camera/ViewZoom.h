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
// ZoomOut refuses below this factor and ZoomIn above kMaxFactor; the wheel
// knows no limits.
inline constexpr float kMinFactor = 0.1f;
inline constexpr float kMaxFactor = 10.0f;

// The factor in percent, truncated.
int FactorPercent(float factor);

// The control's size at a factor: width W0 x factor, truncated; height the
// reference's ratio H0 / W0 times that width, truncated. A reference with no
// width gives no size.
SIZE ZoomedSize(SIZE reference, float factor);

// The rectangle of a new size with the same centre as present; the growth is
// halved with truncation toward zero on each axis.
RECT KeepCentre(const RECT& present, SIZE size);

// What a resize to this width answers: width x 100 / W0.
int WidthPercent(int width, int referenceWidth);

// A wheel step about the cursor (px, py), in the control's present client
// coordinates: the new top-left corner there, (px - px s, py - py s) with
// each product rounded to single precision and the difference truncated,
// and the size at the new factor (W0 x factor by the reference's ratio,
// truncated). The picture point under the cursor stays under it.
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
