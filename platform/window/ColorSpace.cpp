#include "platform/window/ColorSpace.h"

#include <algorithm>

namespace ws::dlg {

namespace {

constexpr int kRgbMax = 255;

// One channel of a colour from the two magic values of its luminance and
// saturation, at a hue offset by the channel's third of the circle.
int HueToChannel(int n1, int n2, int hue)
{
    if (hue < 0)
        hue += kHlsMax;
    if (hue >= kHlsMax)
        hue -= kHlsMax;
    constexpr int sixth = kHlsMax / 6;
    int value = n1;
    if (hue < sixth)
        value = n1 + ((n2 - n1) * hue + sixth / 2) / sixth;
    else if (hue < kHlsMax / 2)
        value = n2;
    else if (hue < kHlsMax * 2 / 3)
        value = n1 + ((n2 - n1) * (kHlsMax * 2 / 3 - hue) + sixth / 2) / sixth;
    return (value * kRgbMax + kHlsMax / 2) / kHlsMax;
}

} // namespace

Hls ClampHls(Hls hls)
{
    hls.hue = std::clamp(hls.hue, 0, kHlsMax) % kHlsMax;
    hls.sat = std::clamp(hls.sat, 0, kHlsMax);
    hls.lum = std::clamp(hls.lum, 0, kHlsMax);
    return hls;
}

Hls RgbToHls(COLORREF rgb)
{
    int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
    int hi = std::max({ r, g, b });
    int lo = std::min({ r, g, b });
    Hls out;
    out.lum = ((hi + lo) * kHlsMax + kRgbMax) / (2 * kRgbMax);
    if (hi == lo) {
        out.hue = kGreyHue;
        return out;
    }
    int span = hi - lo;
    int sum = hi + lo;
    if (out.lum <= kHlsMax / 2)
        out.sat = (span * kHlsMax + sum / 2) / sum;
    else
        out.sat = (span * kHlsMax + (2 * kRgbMax - sum) / 2) / (2 * kRgbMax - sum);

    // How far each channel is from the largest, in sixths of the circle.
    auto delta = [&](int c) { return ((hi - c) * (kHlsMax / 6) + span / 2) / span; };
    int dr = delta(r), dg = delta(g), db = delta(b);
    int hue;
    if (r == hi)
        hue = db - dg;
    else if (g == hi)
        hue = kHlsMax / 3 + dr - db;
    else
        hue = kHlsMax * 2 / 3 + dg - dr;
    if (hue < 0)
        hue += kHlsMax;
    out.hue = hue % kHlsMax;
    return out;
}

COLORREF HlsToRgb(Hls hls)
{
    hls = ClampHls(hls);
    if (hls.sat == 0) {
        auto grey = static_cast<BYTE>((hls.lum * kRgbMax + kHlsMax / 2) / kHlsMax);
        return RGB(grey, grey, grey);
    }
    int m2 = hls.lum <= kHlsMax / 2 ? (hls.lum * (kHlsMax + hls.sat) + kHlsMax / 2) / kHlsMax
                                    : hls.lum + hls.sat - (hls.lum * hls.sat + kHlsMax / 2) / kHlsMax;
    int m1 = 2 * hls.lum - m2;
    return RGB(static_cast<BYTE>(HueToChannel(m1, m2, hls.hue + kHlsMax / 3)),
        static_cast<BYTE>(HueToChannel(m1, m2, hls.hue)),
        static_cast<BYTE>(HueToChannel(m1, m2, hls.hue - kHlsMax / 3)));
}

} // namespace ws::dlg
