#pragma once

// Joins pixels that arrive one by one into horizontal runs before they go
// to a sink, so that a shallow line or the flat part of a curve reaches the
// sink as a few spans instead of many single pixels. Pixels extend the open
// run when they sit on its row right next to either end.

#include "platform/gdi/SpanSink.h"

#include <algorithm>

namespace gdi {

class RunJoiner {
public:
    explicit RunJoiner(SpanSink& out)
        : out_(out)
    {
    }
    ~RunJoiner() { Flush(); }
    RunJoiner(const RunJoiner&) = delete;
    RunJoiner& operator=(const RunJoiner&) = delete;

    void Pixel(int x, int y)
    {
        if (open_ && y == y_ && (x == x1_ || x == x0_ - 1)) {
            x0_ = std::min(x0_, x);
            x1_ = std::max(x1_, x + 1);
            return;
        }
        Flush();
        open_ = true;
        y_ = y;
        x0_ = x;
        x1_ = x + 1;
    }

    void Flush()
    {
        if (open_)
            out_.AddSpan(y_, x0_, x1_);
        open_ = false;
    }

private:
    SpanSink& out_;
    bool open_ = false;
    int y_ = 0, x0_ = 0, x1_ = 0;
};

} // namespace gdi
