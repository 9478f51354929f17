#include "platform/gdi/SpanSet.h"

#include <algorithm>
#include <cassert>

namespace gdi {

void SpanSet::Reset(int top, int bottom)
{
    top_ = top;
    bottom_ = std::max(top, bottom);
    auto count = static_cast<std::size_t>(bottom_ - top_);
    if (rows_.size() < count)
        rows_.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        rows_[i].clear();
}

void SpanSet::AddSpan(int y, int x0, int x1)
{
    if (y < top_ || y >= bottom_ || x0 >= x1)
        return;
    std::vector<Span>& row = rows_[static_cast<std::size_t>(y - top_)];
    // Pieces of a figure mostly arrive left to right, so appending or
    // growing the last span is the common case.
    if (row.empty() || x0 > row.back().right) {
        row.push_back(Span { x0, x1 });
        return;
    }
    // The first span that touches or follows [x0, x1), and the first one
    // wholly after it; everything between merges into one span.
    auto first = std::lower_bound(row.begin(), row.end(), x0, [](const Span& s, int v) { return s.right < v; });
    auto last = first;
    while (last != row.end() && last->left <= x1)
        ++last;
    if (first == last) {
        row.insert(first, Span { x0, x1 });
        return;
    }
    first->left = std::min(first->left, x0);
    first->right = std::max((last - 1)->right, x1);
    row.erase(first + 1, last);
}

const std::vector<SpanSet::Span>& SpanSet::Row(int y) const
{
    assert(y >= top_ && y < bottom_);
    return rows_[static_cast<std::size_t>(y - top_)];
}

void SpanSet::PaintTo(SpanSink& out) const
{
    for (int y = top_; y < bottom_; ++y)
        for (const Span& s : Row(y))
            out.AddSpan(y, s.left, s.right);
}

void SpanSet::PaintGaps(int y, int x0, int x1, SpanSink& out) const
{
    if (y < top_ || y >= bottom_) {
        out.AddSpan(y, x0, x1);
        return;
    }
    int x = x0;
    for (const Span& s : Row(y)) {
        if (s.right <= x)
            continue;
        if (s.left >= x1)
            break;
        if (s.left > x)
            out.AddSpan(y, x, s.left);
        x = s.right;
    }
    if (x < x1)
        out.AddSpan(y, x, x1);
}

SpanSet& SpanSet::Scratch()
{
    thread_local SpanSet set;
    return set;
}

} // namespace gdi
