// Zoom arithmetic of the video view.

#include "camera/ViewZoom.h"

#include <algorithm>

namespace viewzoom {

namespace {

// Height for a width by the reference's aspect ratio, as a real number.
double RatioHeight(SIZE reference, double width)
{
    return static_cast<double>(reference.cy) / static_cast<double>(reference.cx) * width;
}

} // namespace

int FactorPercent(float factor) { return static_cast<int>(factor * 100.0f); }

SIZE ZoomedSize(SIZE reference, float factor)
{
    if (reference.cx <= 0)
        return SIZE { 0, 0 };
    // The width in single precision, as an int times a float makes it.
    const int width = static_cast<int>(static_cast<float>(reference.cx) * factor);
    return SIZE { width, static_cast<int>(RatioHeight(reference, width)) };
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
    const float width = static_cast<float>(reference.cx) * newFactor;
    placed.size = SIZE { static_cast<LONG>(width), static_cast<LONG>(RatioHeight(reference, width)) };
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
