#include "platform/headless/HeadlessScreen.h"

#include "platform/gdi/DeviceContext.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace headless {

namespace {

RECT Clip(const RECT& a, const RECT& b)
{
    return RECT { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
        std::min(a.bottom, b.bottom) };
}

bool Empty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

} // namespace

Screen::Screen(int width, int height, int bitsPerPixel)
    : width_(width)
    , height_(height)
    , bitsPerPixel_(bitsPerPixel)
    , screen_(width, height)
    , desktopPixels_(width, height)
{
    // A quiet diagonal pattern, so that a snapshot of the desktop is never a
    // uniform colour that would hide misplaced pixels.
    SetDesktop([](int x, int y) {
        return RGB(static_cast<BYTE>(40 + (x + y) % 64), static_cast<BYTE>(90 + (x / 8) % 32),
            static_cast<BYTE>(140 + (y / 8) % 48));
    });
    gdi::DisplayInfo& d = gdi::Display();
    d.width = width_;
    d.height = height_;
    d.bitsPerPixel = bitsPerPixel_;
    d.surface = &screen_;
}

Screen::~Screen()
{
    gdi::DisplayInfo& d = gdi::Display();
    if (d.surface == &screen_)
        d.surface = nullptr;
}

void Screen::SetDesktop(std::function<COLORREF(int x, int y)> desktop)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            desktopPixels_.Row(y)[x] = Quantise(gdi::PixelFromColorRef(desktop(x, y)));
    Compose(RECT { 0, 0, width_, height_ });
}

void Screen::AddWindow(HWND window, const platform::WindowTraits& traits) { windows_[window].traits = traits; }

void Screen::RemoveWindow(HWND window)
{
    auto it = windows_.find(window);
    if (it == windows_.end())
        return;
    RECT r = it->second.rect;
    windows_.erase(it);
    stacking_.erase(std::remove(stacking_.begin(), stacking_.end(), window), stacking_.end());
    if (grab_ == window)
        grab_ = nullptr;
    Compose(r);
}

void Screen::SetWindowTraits(HWND window, const platform::WindowTraits& traits) { windows_[window].traits = traits; }

void Screen::SetWindowRect(HWND window, const RECT& screenRect)
{
    WindowState& w = windows_[window];
    RECT old = w.rect;
    // A new size means new pixels; the old ones may be gone already, so
    // nothing of the window shows until it presents again.
    if (old.right - old.left != screenRect.right - screenRect.left
        || old.bottom - old.top != screenRect.bottom - screenRect.top)
        w.pixels = nullptr;
    w.rect = screenRect;
    Compose(old);
    Compose(screenRect);
}

void Screen::SetWindowVisible(HWND window, bool visible)
{
    WindowState& w = windows_[window];
    if (w.visible == visible)
        return;
    w.visible = visible;
    Compose(w.rect);
}

void Screen::SetWindowShape(HWND window, const gdi::Region* shape)
{
    WindowState& w = windows_[window];
    if (shape)
        w.shape = *shape;
    else
        w.shape.reset();
    Compose(w.rect);
}

void Screen::SetStacking(const std::vector<HWND>& topToBottom)
{
    if (stacking_ == topToBottom)
        return;
    stacking_ = topToBottom;
    Compose(RECT { 0, 0, width_, height_ });
}

void Screen::Present(HWND window, const gdi::Surface& pixels, const RECT& dirty)
{
    WindowState& w = windows_[window];
    w.pixels = &pixels;
    RECT area = dirty;
    OffsetRect(&area, w.rect.left, w.rect.top);
    Compose(area);
}

bool Screen::IsShown(HWND window) const
{
    auto it = windows_.find(window);
    return it != windows_.end() && it->second.visible;
}

std::uint32_t Screen::Quantise(std::uint32_t p) const
{
    if (bitsPerPixel_ == 16) // five bits of red and blue, six of green
        return p & 0x00F8FCF8;
    if (bitsPerPixel_ == 8) // three bits of red and green, two of blue
        return p & 0x00E0E0C0;
    return p;
}

void Screen::Compose(const RECT& area)
{
    RECT a = Clip(area, RECT { 0, 0, width_, height_ });
    if (Empty(a))
        return;
    // Only what shows is drawn: composition starts at the topmost window
    // that covers the whole area with pixels of its own (a maximised main
    // window, say), and at the desktop when none does.
    auto covers = [&](const WindowState& w) {
        return w.visible && w.pixels && !w.shape && w.rect.left <= a.left && w.rect.top <= a.top
            && w.rect.right >= a.right && w.rect.bottom >= a.bottom && w.pixels->Width() >= a.right - w.rect.left
            && w.pixels->Height() >= a.bottom - w.rect.top;
    };
    auto first = stacking_.rend();
    for (auto it = stacking_.begin(); it != stacking_.end(); ++it) {
        auto found = windows_.find(*it);
        if (found != windows_.end() && covers(found->second)) {
            first = std::make_reverse_iterator(it + 1);
            break;
        }
    }
    if (first == stacking_.rend())
        for (int y = a.top; y < a.bottom; ++y)
            std::copy(desktopPixels_.Row(y) + a.left, desktopPixels_.Row(y) + a.right, screen_.Row(y) + a.left);
    // At 24 and 32 bits a pixel is shown as it is.
    const bool exact = bitsPerPixel_ > 16;
    for (auto it = first == stacking_.rend() ? stacking_.rbegin() : first; it != stacking_.rend(); ++it) {
        auto found = windows_.find(*it);
        if (found == windows_.end())
            continue;
        const WindowState& w = found->second;
        if (!w.visible || !w.pixels)
            continue;
        RECT part = Clip(a, w.rect);
        if (Empty(part))
            continue;
        // Window coordinates of the part, cut by the window's shape.
        RECT local = part;
        OffsetRect(&local, -w.rect.left, -w.rect.top);
        gdi::Region visible(local);
        if (w.shape)
            visible = visible.Intersect(*w.shape);
        const gdi::Surface& src = *w.pixels;
        visible.ForEachRect([&](const RECT& r) {
            const int right = std::min<int>(r.right, src.Width());
            if (right <= r.left)
                return;
            for (int y = r.top; y < r.bottom && y < src.Height(); ++y) {
                const std::uint32_t* s = src.Row(y);
                std::uint32_t* d = screen_.Row(y + w.rect.top) + w.rect.left;
                if (exact)
                    std::copy(s + r.left, s + right, d + r.left);
                else
                    for (int x = r.left; x < right; ++x)
                        d[x] = Quantise(s[x]);
            }
        });
    }
}

COLORREF Screen::PixelAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    return gdi::ColorRefFromPixel(screen_.At(x, y));
}

bool Screen::NextEvent(platform::InputEvent& out, DWORD timeoutMs)
{
    if (events_.empty() && timeoutMs != 0) {
        if (!idleHook_) {
            std::fprintf(stderr,
                "headless screen: the program waits for input (time-out %u ms) and the test gives none\n",
                static_cast<unsigned>(timeoutMs));
            std::abort();
        }
        clock_ += idleHook_(timeoutMs);
    }
    if (events_.empty())
        return false;
    out = events_.front();
    events_.pop_front();
    using T = platform::InputEvent::Type;
    if (out.type == T::MouseMove || out.type == T::ButtonDown || out.type == T::ButtonUp || out.type == T::Wheel)
        cursor_pos_ = out.screen;
    return true;
}

} // namespace headless
