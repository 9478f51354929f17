// Logical fonts, text metrics and extents, the text alignment, and TextOut
// and ExtTextOut: one line of text placed at a point.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FontInstance.h"
#include "platform/gdi/TextPainter.h"
#include "platform/gdi/TextRun.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using gdi::DcFromHandle;
using gdi::FontInstance;

namespace {

constexpr UINT kHorizontalAlign = TA_CENTER; // TA_LEFT, TA_RIGHT or TA_CENTER
constexpr UINT kVerticalAlign = TA_BASELINE; // TA_TOP, TA_BOTTOM or TA_BASELINE

// One line of text, left to right from the box's origin (device
// coordinates), aligned about it by the fraction alignX of its width.
text::TextLayout LayLine(const FontInstance& font, const gdi::TextRun& run, double x, double top, double alignX,
    const std::vector<double>* advances = nullptr)
{
    text::LayoutOptions o;
    o.alignX = alignX;
    o.wrap = false;
    o.lineEnds = false;
    o.limitLines = false;
    o.trailingSpaces = true; // a space at the end takes its room
    o.snap = true;
    o.metrics = font.Lines();
    o.advances = advances;
    return text::TextLayout(font.Measuring(), run.chars, run.bytes, text::Box { x, top, 0, 0 }, o);
}

// The longest prefix of s, in whole UTF-8 sequences, of at most max bytes.
std::size_t Utf8Prefix(const std::string& s, std::size_t max)
{
    std::size_t n = std::min(s.size(), max);
    while (n > 0 && n < s.size() && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80)
        --n;
    return n;
}

} // namespace

HFONT CreateFontIndirect(const LOGFONT* lf)
{
    if (!lf)
        return nullptr;
    auto* font = new gdi::Font;
    font->face.assign(lf->lfFaceName, strnlen(lf->lfFaceName, LF_FACESIZE));
    font->height = lf->lfHeight;
    font->weight = lf->lfWeight;
    font->italic = lf->lfItalic != 0;
    font->underline = lf->lfUnderline != 0;
    font->strikeOut = lf->lfStrikeOut != 0;
    font->charSet = lf->lfCharSet;
    return static_cast<HFONT>(gdi::RegisterObject(font));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
    DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily,
    const char* faceName)
{
    LOGFONT lf {};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = static_cast<BYTE>(italic);
    lf.lfUnderline = static_cast<BYTE>(underline);
    lf.lfStrikeOut = static_cast<BYTE>(strikeOut);
    lf.lfCharSet = static_cast<BYTE>(charSet);
    lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    lf.lfQuality = static_cast<BYTE>(quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (faceName) {
        const std::string name(faceName);
        const std::size_t n = Utf8Prefix(name, LF_FACESIZE - 1);
        std::memcpy(lf.lfFaceName, name.data(), n);
    }
    return CreateFontIndirect(&lf);
}

BOOL GetTextMetrics(HDC hdc, TEXTMETRIC* out)
{
    gdi::DeviceContext* dc = DcFromHandle(hdc);
    if (!dc || !out)
        return FALSE;
    auto font = FontInstance::OfDc(*dc);
    if (!font)
        return FALSE;
    *out = font->Metrics();
    return TRUE;
}

BOOL GetTextExtentPoint32(HDC hdc, const char* s, int count, LPSIZE out)
{
    gdi::DeviceContext* dc = DcFromHandle(hdc);
    auto run = gdi::DecodeRun(s, count);
    if (!dc || !out || !run)
        return FALSE;
    auto font = FontInstance::OfDc(*dc);
    if (!font)
        return FALSE;
    const text::TextLayout laid = LayLine(*font, *run, 0, 0, 0);
    out->cx = static_cast<LONG>(std::lround(laid.Bounds().width));
    out->cy = font->Metrics().tmHeight;
    return TRUE;
}

int GetTextFace(HDC hdc, int count, char* out)
{
    gdi::DeviceContext* dc = DcFromHandle(hdc);
    if (!dc)
        return 0;
    auto font = FontInstance::OfDc(*dc);
    if (!font)
        return 0;
    const std::string& name = font->Name();
    if (!out)
        return static_cast<int>(name.size()) + 1;
    if (count <= 0)
        return 0;
    const std::size_t n = Utf8Prefix(name, static_cast<std::size_t>(count) - 1);
    std::memcpy(out, name.data(), n);
    out[n] = 0;
    return static_cast<int>(n) + 1;
}

UINT SetTextAlign(HDC hdc, UINT align)
{
    gdi::DeviceContext* dc = DcFromHandle(hdc);
    if (!dc)
        return GDI_ERROR;
    const UINT old = dc->textAlign;
    dc->textAlign = align;
    return old;
}

UINT GetTextAlign(HDC hdc)
{
    gdi::DeviceContext* dc = DcFromHandle(hdc);
    return dc ? dc->textAlign : GDI_ERROR;
}

BOOL TextOut(HDC hdc, int x, int y, const char* s, int count)
{
    if (count < -1)
        return FALSE;
    return ExtTextOut(hdc, x, y, 0, nullptr, s, static_cast<UINT>(count), nullptr);
}

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, const char* s, UINT count, const INT* dx)
{
    gdi::DeviceContext* dc = DcFromHandle(hdc);
    auto run = gdi::DecodeRun(s, count == static_cast<UINT>(-1) ? -1 : static_cast<long long>(count));
    if (!dc || !run || !dc->target)
        return FALSE;
    auto font = FontInstance::OfDc(*dc);
    if (!font)
        return FALSE;
    const TEXTMETRIC& tm = font->Metrics();

    // The reference point is the alignment's: the cell's left, centre or
    // right, and its top, baseline or bottom.
    const POINT p = dc->ToDevice(x, y);
    const UINT h = dc->textAlign & kHorizontalAlign, v = dc->textAlign & kVerticalAlign;
    const double alignX = h == TA_CENTER ? 0.5 : h == TA_RIGHT ? 1.0 : 0.0;
    const int top = p.y - (v == TA_BASELINE ? tm.tmAscent : v == TA_BOTTOM ? tm.tmHeight : 0);
    std::vector<double> advances;
    if (dx) {
        for (std::size_t i = 0; i < run->chars.size(); ++i)
            advances.push_back(dx[i]);
    }
    const text::TextLayout laid = LayLine(*font, *run, p.x, top, alignX, dx ? &advances : nullptr);

    gdi::TextPainter painter(*dc, *font);
    if (!painter.Ready())
        return FALSE;
    if (rect) {
        const POINT a = dc->ToDevice(rect->left, rect->top), b = dc->ToDevice(rect->right, rect->bottom);
        const RECT r { std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y) };
        if (options & ETO_CLIPPED)
            painter.ClipTo(r);
        if (options & ETO_OPAQUE)
            painter.FillBackground(r);
    }
    for (const text::TextLine& line : laid.Lines()) {
        const double left = line.x, right = line.x + line.advance;
        if (dc->bkMode == OPAQUE)
            painter.FillBackground(
                RECT { static_cast<LONG>(left), top, static_cast<LONG>(std::ceil(right)), top + tm.tmHeight });
        painter.DrawGlyphs(laid.Glyphs(line), line.baseline, left, right);
    }
    return TRUE;
}
