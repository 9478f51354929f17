#pragma once

// An in-memory screen: a desktop picture with the top-level windows composed
// over it in their stacking order and through their shapes, input that tests
// inject, and a virtual clock that only moves when told to. Everything a test
// does with it is deterministic and needs no display.

#include "platform/window/Backend.h"

#include <atomic>
#include <deque>
#include <functional>
#include <map>
#include <optional>

namespace headless {

class Screen final : public platform::Backend {
public:
    explicit Screen(int width = 1366, int height = 768, int bitsPerPixel = 32);
    ~Screen() override;

    // Backend.
    SIZE ScreenSize() const override { return SIZE { width_, height_ }; }
    int BitsPerPixel() const override { return bitsPerPixel_; }
    gdi::Surface* ScreenPixels() override { return &screen_; }
    void AddWindow(HWND window, const platform::WindowTraits& traits) override;
    void RemoveWindow(HWND window) override;
    void SetWindowTraits(HWND window, const platform::WindowTraits& traits) override;
    void SetWindowRect(HWND window, const RECT& screenRect) override;
    void SetWindowVisible(HWND window, bool visible) override;
    void SetWindowShape(HWND window, const gdi::Region* shape) override;
    void SetStacking(const std::vector<HWND>& topToBottom) override;
    void Present(HWND window, const gdi::Surface& pixels, const RECT& dirty) override;
    void SetCursor(HCURSOR__* cursor) override { cursor_ = cursor; }
    POINT CursorPos() const override { return cursor_pos_; }
    void SetCursorPos(POINT screen) override { cursor_pos_ = screen; }
    void GrabPointer(HWND window) override { grab_ = window; }
    bool NextEvent(platform::InputEvent& out, DWORD timeoutMs) override;
    DWORD Now() const override { return clock_; }

    // For tests.
    void Inject(const platform::InputEvent& ev) { events_.push_back(ev); }
    bool HasPendingInput() const { return !events_.empty(); }
    void AdvanceClock(DWORD ms) { clock_ += ms; }
    void SetClock(DWORD ms) { clock_ = ms; }
    // Called when the program waits for input with nothing queued (a modal
    // loop, say). It gets the longest the program would wait
    // (0xFFFFFFFF: for ever) and answers how long virtual time moved on; it
    // may inject input. Without one, such a wait is a test that forgot to
    // act, and the process stops with a message.
    void SetIdleHook(std::function<DWORD(DWORD timeoutMs)> hook) { idleHook_ = std::move(hook); }
    const gdi::Surface& Picture() const { return screen_; }
    COLORREF PixelAt(int x, int y) const;
    HCURSOR__* Cursor() const { return cursor_; }
    HWND Grab() const { return grab_; }
    bool IsShown(HWND window) const;
    // The desktop's colour at a point; by default a fixed diagonal pattern.
    void SetDesktop(std::function<COLORREF(int x, int y)> desktop);

private:
    struct WindowState {
        RECT rect { 0, 0, 0, 0 };
        bool visible = false;
        std::optional<gdi::Region> shape;
        const gdi::Surface* pixels = nullptr;
        platform::WindowTraits traits;
    };

    void Compose(const RECT& area);
    std::uint32_t Quantise(std::uint32_t pixel) const;

    int width_;
    int height_;
    int bitsPerPixel_;
    gdi::Surface screen_;
    gdi::Surface desktopPixels_;
    std::map<HWND, WindowState> windows_;
    std::vector<HWND> stacking_;
    std::deque<platform::InputEvent> events_;
    std::function<DWORD(DWORD)> idleHook_;
    std::atomic<DWORD> clock_ { 1000 }; // read by threads that post
    POINT cursor_pos_ { 0, 0 };
    HCURSOR__* cursor_ = nullptr;
    HWND grab_ = nullptr;
};

} // namespace headless
