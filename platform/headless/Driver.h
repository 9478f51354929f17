#pragma once

// Drives the window system like a teacher's hand, on the in-memory screen:
// each action injects input and then runs every message it causes, so a
// test reads as a sequence of user actions. Time only moves when the test
// says so.
//
// Inside a modal loop (a dialog's DoModal, a message box) the program waits
// for input; the steps given to WhenWaiting run then, one per wait, in
// order.

#include "platform/headless/HeadlessScreen.h"

#include <deque>
#include <functional>
#include <string>

namespace headless {

class Driver {
public:
    explicit Driver(int width = 1366, int height = 768, int bitsPerPixel = 32);
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    Screen& screen() { return screen_; }

    // Runs messages until none is left but timers that are not yet due.
    void Pump();
    // Moves the clock on by ms, firing every timer that falls due on the
    // way, in order, with the messages they cause.
    void Advance(DWORD ms);

    void MoveTo(int x, int y);
    void MoveTo(POINT p) { MoveTo(p.x, p.y); }
    void Press(int button = platform::InputEvent::Left);
    void Release(int button = platform::InputEvent::Left);
    void Click(int x, int y, int button = platform::InputEvent::Left);
    void Drag(POINT from, POINT to, int steps = 4);
    void Wheel(int delta);
    void KeyDown(UINT vk);
    void KeyUp(UINT vk);
    void Key(UINT vk);
    void Type(const std::string& utf8);

    // A step to take when the program next waits inside a modal loop.
    void WhenWaiting(std::function<void()> step);
    // Lets ms pass inside a modal loop before the next step.
    void WaitWhileWaiting(DWORD ms);
    bool StepsLeft() const { return !steps_.empty(); }

    COLORREF PixelAt(int x, int y) const { return screen_.PixelAt(x, y); }
    POINT Cursor() const { return pointer_; }
    // The WM_QUIT code, once the loop has seen it.
    bool QuitSeen() const { return quitSeen_; }

private:
    void Inject(const platform::InputEvent& ev);
    DWORD OnIdle(DWORD timeoutMs);

    struct Step {
        std::function<void()> action;
        DWORD waitMs = 0;
    };

    Screen screen_;
    std::deque<Step> steps_;
    bool inStep_ = false;
    // Where the hand has put the pointer, which may be ahead of the events
    // the program has taken so far.
    POINT pointer_ { 0, 0 };
    bool quitSeen_ = false;
};

} // namespace headless
