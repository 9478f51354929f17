#include "platform/gdiplus/TextLayout.h"

#include <algorithm>
#include <cassert>
#include <string>

namespace gdiplus {

namespace {

bool IsSpace(std::uint32_t c) { return c == ' ' || c == '\t' || c == 0x3000; }
bool IsLineEnd(std::uint32_t c) { return c == '\n' || c == '\r'; }

// Han, kana, hangul and full-width forms: a line may break on either side.
bool IsCjk(std::uint32_t c)
{
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF)
        || (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x2FFFF);
}

double AlignFactor(StringAlignment a)
{
    return a == StringAlignmentCenter ? 0.5 : a == StringAlignmentFar ? 1.0 : 0.0;
}

} // namespace

TextLayout::TextLayout(cairo_scaled_font_t* font, const WCHAR* text, int length, const RectF& rect,
    const GpStringFormat& format)
{
    Shape(font, text, length);
    const double width = std::max<double>(rect.Width, 0.0);
    const double height = std::max<double>(rect.Height, 0.0);
    const bool wrap = width > 0 && (format.flags & kFormatNoWrap) == 0;
    std::vector<Span> spans = BreakLines(width, wrap, (format.flags & kFormatMeasureTrailingSpaces) != 0);

    cairo_font_extents_t fe;
    cairo_scaled_font_extents(font, &fe);
    const double lineHeight = fe.ascent + fe.descent;
    const double lineSpacing = std::max(fe.height, lineHeight);

    // A limited height keeps the lines that start inside it, or with
    // LineLimit only the lines that fit whole.
    std::size_t count = spans.size();
    if (height > 0) {
        const bool whole = (format.flags & kFormatLineLimit) != 0;
        count = 0;
        while (count < spans.size()) {
            const double top = static_cast<double>(count) * lineSpacing;
            if (whole ? top + lineHeight > height : top >= height)
                break;
            ++count;
        }
    }
    spans.resize(count);
    fitted_ = count == 0 ? 0
        : spans.back().next < static_cast<int>(clusters_.size())
        ? clusters_[spans.back().next].cp.unit
        : length;

    const double block = count == 0 ? 0.0 : static_cast<double>(count - 1) * lineSpacing + lineHeight;
    const double top = rect.Y + (height - block) * AlignFactor(format.lineAlign);
    double left = rect.X + width, right = rect.X;
    for (std::size_t k = 0; k < count; ++k) {
        const Span& s = spans[k];
        const double advance = Advance(s.first, s.last);
        const double x = rect.X + (width - advance) * AlignFactor(format.align);
        lines_.push_back(TextLine { s.first, s.last, x, top + fe.ascent + static_cast<double>(k) * lineSpacing,
            advance });
        left = std::min(left, x);
        right = std::max(right, x + advance);
    }
    if (count == 0)
        left = right = rect.X;
    bounds_ = RectF { static_cast<REAL>(left), static_cast<REAL>(top), static_cast<REAL>(std::max(right - left, 0.0)),
        static_cast<REAL>(block) };
}

void TextLayout::Shape(cairo_scaled_font_t* font, const WCHAR* text, int length)
{
    std::vector<CodePoint> cps = DecodeUtf16(text, length);
    std::string utf8;
    for (const CodePoint& c : cps)
        AppendUtf8(utf8, c.value);

    // cairo maps each character to one glyph of the face (its own fallback
    // shaper, without kerning), so glyphs and code points pair up in order.
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    if (cairo_scaled_font_text_to_glyphs(font, 0, 0, utf8.data(), static_cast<int>(utf8.size()), &glyphs, &count,
            nullptr, nullptr, nullptr)
            != CAIRO_STATUS_SUCCESS
        || count != static_cast<int>(cps.size())) {
        cairo_glyph_free(glyphs);
        return; // an unusable font lays out nothing
    }
    clusters_.reserve(cps.size());
    for (int i = 0; i < count; ++i) {
        double advance = 0;
        if (!IsLineEnd(cps[i].value)) {
            cairo_text_extents_t e;
            cairo_scaled_font_glyph_extents(font, &glyphs[i], 1, &e);
            advance = e.x_advance;
        }
        clusters_.push_back(Cluster { cps[i], glyphs[i].index, advance });
    }
    cairo_glyph_free(glyphs);
}

std::vector<TextLayout::Span> TextLayout::BreakLines(double width, bool wrap, bool trailingSpaces) const
{
    const int n = static_cast<int>(clusters_.size());
    auto cp = [this](int i) { return clusters_[i].cp.value; };
    auto canBreakAfter = [&](int i) { return IsSpace(cp(i)) || IsCjk(cp(i)) || (i + 1 < n && IsCjk(cp(i + 1))); };
    auto span = [&](int first, int end, int next) {
        int last = end;
        while (!trailingSpaces && last > first && IsSpace(cp(last - 1)))
            --last;
        return Span { first, last, next };
    };

    std::vector<Span> spans;
    int start = 0;
    while (start < n) {
        double used = 0;
        int lastBreak = -1;
        int i = start;
        for (; i < n; ++i) {
            if (IsLineEnd(cp(i)))
                break;
            // Spaces may hang past the edge; anything else starts a new
            // line at the last break, or right here if there was none.
            if (wrap && !IsSpace(cp(i)) && i > start && used + clusters_[i].advance > width + 1e-6)
                break;
            used += clusters_[i].advance;
            if (canBreakAfter(i))
                lastBreak = i + 1;
        }
        if (i < n && IsLineEnd(cp(i))) {
            int next = i + 1;
            if (cp(i) == '\r' && next < n && cp(next) == '\n')
                ++next;
            spans.push_back(span(start, i, next));
            if (next == n)
                spans.push_back(Span { n, n, n }); // a final line feed opens an empty line
            start = next;
        } else if (i < n) {
            const int end = lastBreak > start ? lastBreak : i;
            spans.push_back(span(start, end, end));
            start = end;
        } else {
            spans.push_back(span(start, n, n));
            start = n;
        }
    }
    return spans;
}

double TextLayout::Advance(int first, int last) const
{
    double sum = 0;
    for (int i = first; i < last; ++i)
        sum += clusters_[i].advance;
    return sum;
}

std::vector<cairo_glyph_t> TextLayout::Glyphs(const TextLine& line) const
{
    std::vector<cairo_glyph_t> out;
    out.reserve(static_cast<std::size_t>(line.last - line.first));
    double x = line.x;
    for (int i = line.first; i < line.last; ++i) {
        out.push_back(cairo_glyph_t { clusters_[i].glyph, x, line.baseline });
        x += clusters_[i].advance;
    }
    return out;
}

} // namespace gdiplus
