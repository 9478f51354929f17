#include "platform/text/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace text {

namespace {

bool IsSpace(std::uint32_t c) { return c == ' ' || c == '\t' || c == 0x3000; }
bool IsLineEnd(std::uint32_t c) { return c == '\n' || c == '\r'; }

// Han, kana, hangul and full-width forms: a line may break on either side.
bool IsCjk(std::uint32_t c)
{
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF)
        || (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x2FFFF);
}

constexpr int kEllipsisDots = 3;

} // namespace

TextLayout::TextLayout(cairo_scaled_font_t* font, const std::vector<CodePoint>& text, int units, const Box& box,
    const LayoutOptions& options)
{
    Shape(font, text, options.advances);
    const double width = std::max(box.width, 0.0);
    const double height = std::max(box.height, 0.0);
    std::vector<Span> spans = BreakLines(width, options);

    LineMetrics m { 0, 0, 0 };
    if (options.metrics) {
        m = *options.metrics;
    } else {
        cairo_font_extents_t fe;
        cairo_scaled_font_extents(font, &fe);
        m = LineMetrics { fe.ascent, fe.descent, std::max(fe.height, fe.ascent + fe.descent) };
    }
    const double lineHeight = m.ascent + m.descent;

    // A limited height keeps the lines that start inside it, or only the
    // lines that fit whole.
    std::size_t count = spans.size();
    if (height > 0 && options.limitLines) {
        count = 0;
        while (count < spans.size()) {
            const double top = static_cast<double>(count) * m.spacing;
            if (options.wholeLines ? top + lineHeight > height : top >= height)
                break;
            ++count;
        }
    }
    spans.resize(count);
    fitted_ = count == 0                                         ? 0
        : spans.back().next < static_cast<int>(clusters_.size()) ? clusters_[spans.back().next].cp.unit
                                                                 : units;

    const double block = count == 0 ? 0.0 : static_cast<double>(count - 1) * m.spacing + lineHeight;
    double top = box.y + (height - block) * options.alignY;
    if (options.snap)
        top = std::floor(top);
    double left = box.x + width, right = box.x;
    for (std::size_t k = 0; k < count; ++k) {
        Span s = spans[k];
        bool ellipsis = false;
        if (options.endEllipsis && width > 0 && Advance(s.first, s.last) > width)
            Ellipsize(s, width, ellipsis);
        const double advance = Advance(s.first, s.last) + (ellipsis ? kEllipsisDots * dotAdvance_ : 0.0);
        double x = box.x + (width - advance) * options.alignX;
        if (options.snap)
            x = std::floor(x);
        lines_.push_back(
            TextLine { s.first, s.last, x, top + m.ascent + static_cast<double>(k) * m.spacing, advance, ellipsis });
        left = std::min(left, x);
        right = std::max(right, x + advance);
    }
    if (count == 0)
        left = right = box.x;
    bounds_ = Box { left, top, std::max(right - left, 0.0), block };
}

void TextLayout::Shape(cairo_scaled_font_t* font, const std::vector<CodePoint>& text,
    const std::vector<double>* advances)
{
    std::string utf8;
    for (const CodePoint& c : text)
        AppendUtf8(utf8, c.value);
    utf8 += '.'; // the ellipsis dot, shaped along with the text

    // cairo maps each character to one glyph of the face (its own fallback
    // shaper, without kerning), so glyphs and code points pair up in order.
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    if (cairo_scaled_font_text_to_glyphs(font, 0, 0, utf8.data(), static_cast<int>(utf8.size()), &glyphs, &count,
            nullptr, nullptr, nullptr)
            != CAIRO_STATUS_SUCCESS
        || count != static_cast<int>(text.size()) + 1) {
        cairo_glyph_free(glyphs);
        return; // an unusable font lays out nothing
    }
    auto advanceOf = [font](cairo_glyph_t* g) {
        cairo_text_extents_t e;
        cairo_scaled_font_glyph_extents(font, g, 1, &e);
        return e.x_advance;
    };
    clusters_.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const double advance = advances && i < advances->size() ? (*advances)[i]
            : IsLineEnd(text[i].value)                          ? 0.0
                                                                : advanceOf(&glyphs[i]);
        clusters_.push_back(Cluster { text[i], glyphs[i].index, advance });
    }
    dotGlyph_ = glyphs[count - 1].index;
    dotAdvance_ = advanceOf(&glyphs[count - 1]);
    cairo_glyph_free(glyphs);
}

bool TextLayout::IsBreak(int i, const LayoutOptions& options) const
{
    return options.lineEnds && IsLineEnd(clusters_[i].cp.value);
}

std::vector<TextLayout::Span> TextLayout::BreakLines(double width, const LayoutOptions& options) const
{
    const int n = static_cast<int>(clusters_.size());
    const bool wrap = options.wrap && width > 0;
    auto cp = [this](int i) { return clusters_[i].cp.value; };
    auto canBreakAfter = [&](int i) { return IsSpace(cp(i)) || IsCjk(cp(i)) || (i + 1 < n && IsCjk(cp(i + 1))); };
    auto span = [&](int first, int end, int next) {
        int last = end;
        while (!options.trailingSpaces && last > first && IsSpace(cp(last - 1)))
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
            if (IsBreak(i, options))
                break;
            // Spaces may hang past the edge; anything else starts a new
            // line at the last break, or right here if there was none.
            if (wrap && !IsSpace(cp(i)) && i > start && used + clusters_[i].advance > width + 1e-6)
                break;
            used += clusters_[i].advance;
            if (canBreakAfter(i))
                lastBreak = i + 1;
        }
        if (i < n && IsBreak(i, options)) {
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

void TextLayout::Ellipsize(Span& s, double width, bool& ellipsis) const
{
    const double room = width - kEllipsisDots * dotAdvance_;
    int last = s.first;
    double used = 0;
    while (last < s.last && used + clusters_[last].advance <= room + 1e-6)
        used += clusters_[last++].advance;
    s.last = last;
    ellipsis = true;
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
    out.reserve(static_cast<std::size_t>(line.last - line.first + (line.ellipsis ? kEllipsisDots : 0)));
    double x = line.x;
    for (int i = line.first; i < line.last; ++i) {
        // Line ends that do not break take no room and show nothing.
        if (!IsLineEnd(clusters_[i].cp.value))
            out.push_back(cairo_glyph_t { clusters_[i].glyph, x, line.baseline });
        x += clusters_[i].advance;
    }
    for (int k = 0; line.ellipsis && k < kEllipsisDots; ++k) {
        out.push_back(cairo_glyph_t { dotGlyph_, x, line.baseline });
        x += dotAdvance_;
    }
    return out;
}

bool TextLayout::Place(int index, const TextLine*& line, double& x0, double& x1) const
{
    for (const TextLine& l : lines_) {
        if (index < l.first || index >= l.last)
            continue;
        line = &l;
        x0 = l.x + Advance(l.first, index);
        x1 = x0 + clusters_[index].advance;
        return true;
    }
    return false;
}

InkBox ShowGlyphs(cairo_t* cr, const std::vector<cairo_glyph_t>& glyphs)
{
    InkBox ink { 0, 0, 0, 0 };
    if (glyphs.empty())
        return ink;
    cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
    cairo_text_extents_t e;
    cairo_glyph_extents(cr, glyphs.data(), static_cast<int>(glyphs.size()), &e);
    if (e.width <= 0 || e.height <= 0)
        return ink; // only blank glyphs
    const double x = glyphs[0].x + e.x_bearing, y = glyphs[0].y + e.y_bearing;
    return InkBox { x - 1, y - 1, x + e.width + 1, y + e.height + 1 };
}

InkBox TextLayout::Draw(cairo_t* cr) const
{
    InkBox ink { std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
        std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest() };
    for (const TextLine& line : lines_) {
        const InkBox drawn = ShowGlyphs(cr, Glyphs(line));
        if (drawn.Empty())
            continue;
        ink.x0 = std::min(ink.x0, drawn.x0);
        ink.y0 = std::min(ink.y0, drawn.y0);
        ink.x1 = std::max(ink.x1, drawn.x1);
        ink.y1 = std::max(ink.y1, drawn.y1);
    }
    return ink;
}

} // namespace text
