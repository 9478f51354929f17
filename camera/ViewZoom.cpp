// Zoom arithmetic of the video view.

#include "camera/ViewZoom.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace viewzoom {

namespace {

// Height for a width by the reference's aspect ratio, as a real number.
double RatioHeight(SIZE reference, double width)
{
    return static_cast<double>(reference.cy) / static_cast<double>(reference.cx) * width;
}

// A real number truncated toward zero and held within lo ... hi; NaN gives lo.
LONG TruncateWithin(double v, LONG lo, LONG hi)
{
    if (!(v >= lo))
        return lo;
    if (v >= hi)
        return hi;
    return static_cast<LONG>(v);
}

// The width and height of the picture at a factor, before truncation: the
// width in single precision, as an int times a float makes it.
void PlacedExtent(SIZE reference, float factor, double& width, double& height)
{
    width = static_cast<float>(reference.cx) * factor;
    height = RatioHeight(reference, width);
}

} // namespace

int FactorPercent(float factor) { return TruncateWithin(static_cast<double>(factor * 100.0f), INT_MIN, INT_MAX); }

SIZE ClampPlacedSize(double width, double height)
{
    return SIZE { TruncateWithin(width, kMinPlacedSide, kMaxPlacedSide),
        TruncateWithin(height, kMinPlacedSide, kMaxPlacedSide) };
}

SIZE ZoomedSize(SIZE reference, float factor)
{
    if (reference.cx <= 0)
        return SIZE { 0, 0 };
    double width = 0, height = 0;
    PlacedExtent(reference, factor, width, height);
    // The height follows the truncated width, as the control is sized.
    const LONG placedWidth = TruncateWithin(width, kMinPlacedSide, kMaxPlacedSide);
    return ClampPlacedSize(placedWidth, RatioHeight(reference, placedWidth));
}

bool WheelStepAllowed(SIZE reference, float newFactor, float step)
{
    if (reference.cx <= 0 || !std::isfinite(newFactor))
        return false;
    double width = 0, height = 0;
    PlacedExtent(reference, newFactor, width, height);
    if (step < 1.0f)
        return width >= kMinPlacedSide && height >= kMinPlacedSide;
    return width <= kMaxPlacedSide && height <= kMaxPlacedSide;
}

RECT KeepCentre(const RECT& present, SIZE size)
{
    const int left = present.left - (size.cx - (present.right - present.left)) / 2;
    const int top = present.top - (size.cy - (present.bottom - present.top)) / 2;
    return RECT { left, top, left + size.cx, top + size.cy };
}

int WidthPercent(int width, int referenceWidth)
{
    if (referenceWidth <= 0)
        return 0;
    return static_cast<int>(static_cast<long long>(width) * 100 / referenceWidth);
}

WheelPlacement WheelZoom(POINT cursor, SIZE reference, float newFactor, float step)
{
    auto corner = [step](LONG p) {
        const float moved = static_cast<float>(p) * step;
        return static_cast<LONG>(static_cast<float>(p) - moved);
    };
    WheelPlacement placed { POINT { corner(cursor.x), corner(cursor.y) }, SIZE { 0, 0 } };
    if (reference.cx <= 0)
        return placed;
    double width = 0, height = 0;
    PlacedExtent(reference, newFactor, width, height);
    placed.size = ClampPlacedSize(width, height);
    return placed;
}

RECT VideoArea(const RECT& windowInClient)
{
    const int height = std::max<int>(windowInClient.bottom - windowInClient.top - 100, 0);
    const int width = height * 4 / 3;
    const int left = (windowInClient.right - windowInClient.left - width) / 2;
    const int top = windowInClient.top + 50;
    return RECT { left, top, left + width, top + height };
}

} // namespace viewzoom
