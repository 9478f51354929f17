// DrawText: text formatted in a rectangle. Lines break at line feeds (unless
// DT_SINGLELINE) and, with DT_WORDBREAK, to fit the rectangle's width; each
// line is aligned left, centred or right; a single line is placed at the
// top, middle or bottom. '&' marks the next character as the access key,
// which is underlined ("&&" is a literal '&'), unless DT_NOPREFIX.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FontInstance.h"
#include "platform/gdi/TextPainter.h"
#include "platform/gdi/TextRun.h"

#include <algorithm>
#include <cmath>

namespace {

// Takes the prefix characters out of the run; answers the index (in the
// run that remains) of the access key, or -1.
int StripPrefixes(gdi::TextRun& run)
{
    int key = -1;
    std::vector<text::CodePoint> kept;
    kept.reserve(run.chars.size());
    for (std::size_t i = 0; i < run.chars.size(); ++i) {
        if (run.chars[i].value != '&') {
            kept.push_back(run.chars[i]);
            continue;
        }
        if (++i == run.chars.size())
            break; // a trailing '&' marks nothing
        if (run.chars[i].value != '&')
            key = static_cast<int>(kept.size());
        kept.push_back(run.chars[i]);
    }
    run.chars = std::move(kept);
    return key;
}

double AlignX(UINT format) { return (format & DT_RIGHT) ? 1.0 : (format & DT_CENTER) ? 0.5 : 0.0; }

double AlignY(UINT format)
{
    if (!(format & DT_SINGLELINE))
        return 0.0;
    return (format & DT_BOTTOM) ? 1.0 : (format & DT_VCENTER) ? 0.5 : 0.0;
}

} // namespace

int DrawText(HDC hdc, const char* s, int count, LPRECT rect, UINT format)
{
    gdi::DeviceContext* dc = gdi::DcFromHandle(hdc);
    auto run = gdi::DecodeRun(s, count);
    if (!dc || !rect || !run)
        return 0;
    auto font = gdi::FontInstance::OfDc(*dc);
    if (!font)
        return 0;
    const int key = (format & DT_NOPREFIX) ? -1 : StripPrefixes(*run);

    // Laid out in device coordinates, the rectangle's width wrapping and its
    // height only placing a single line.
    const POINT origin = dc->ToDevice(rect->left, rect->top);
    const int width = std::max<LONG>(rect->right - rect->left, 0);
    const int height = std::max<LONG>(rect->bottom - rect->top, 0);
    text::LayoutOptions o;
    o.alignX = AlignX(format);
    o.alignY = AlignY(format);
    o.wrap = (format & DT_WORDBREAK) && !(format & DT_SINGLELINE);
    o.lineEnds = !(format & DT_SINGLELINE);
    o.limitLines = false;
    o.trailingSpaces = !o.wrap; // spaces at a break belong to neither line
    o.endEllipsis = (format & DT_END_ELLIPSIS) != 0;
    o.snap = true;
    o.metrics = font->Lines();
    const text::TextLayout laid(font->Measuring(), run->chars, run->bytes,
        text::Box { static_cast<double>(origin.x), static_cast<double>(origin.y), static_cast<double>(width),
            static_cast<double>(height) },
        o);
    const text::Box bounds = laid.Bounds();
    const int textHeight = static_cast<int>(std::lround(bounds.height));

    if (format & DT_CALCRECT) {
        rect->right = rect->left + static_cast<LONG>(std::ceil(bounds.width));
        rect->bottom = rect->top + textHeight;
        return textHeight;
    }
    if (!dc->target)
        return 0;

    gdi::TextPainter painter(*dc, *font);
    if (!painter.Ready())
        return 0;
    if (!(format & DT_NOCLIP))
        painter.ClipTo(RECT { origin.x, origin.y, origin.x + width, origin.y + height });
    const TEXTMETRIC& tm = font->Metrics();
    for (const text::TextLine& line : laid.Lines()) {
        const double right = line.x + line.advance;
        const LONG top = static_cast<LONG>(line.baseline) - tm.tmAscent;
        if (dc->bkMode == OPAQUE)
            painter.FillBackground(
                RECT { static_cast<LONG>(line.x), top, static_cast<LONG>(std::ceil(right)), top + tm.tmHeight });
        painter.DrawGlyphs(laid.Glyphs(line), line.baseline, line.x, right);
    }
    const text::TextLine* keyLine = nullptr;
    double x0 = 0, x1 = 0;
    if (key >= 0 && laid.Place(key, keyLine, x0, x1))
        painter.Underline(x0, x1, keyLine->baseline);

    // With the text placed lower than the top, the answer reaches down to
    // the text's bottom.
    const int offset = static_cast<int>(std::lround(bounds.y)) - origin.y;
    return (format & (DT_VCENTER | DT_BOTTOM)) && (format & DT_SINGLELINE) ? offset + textHeight : textHeight;
}
