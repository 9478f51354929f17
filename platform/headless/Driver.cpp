#include "platform/headless/Driver.h"

#include "platform/window/MessageLoop.h"
#include "platform/window/WinUser.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace headless {

namespace {

using Ev = platform::InputEvent;

// More messages than this from one action means the program posts to itself
// without end.
constexpr int kMaxMessagesPerPump = 100000;

} // namespace

Driver::Driver(int width, int height, int bitsPerPixel)
    : screen_(width, height, bitsPerPixel)
{
    platform::ResetQueue();
    platform::InstallBackend(&screen_);
    screen_.SetIdleHook([this](DWORD timeout) { return OnIdle(timeout); });
}

Driver::~Driver()
{
    // Whatever the test left open goes, so the next test starts clean.
    for (;;) {
        HWND top = GetTopWindow(nullptr);
        if (!top)
            break;
        DestroyWindow(top);
    }
    platform::ResetQueue();
    platform::InstallBackend(nullptr);
}

void Driver::Pump()
{
    if (inStep_)
        return; // the modal loop that called the step runs the messages
    MSG msg;
    for (int n = 0;; ++n) {
        if (n == kMaxMessagesPerPump) {
            std::fprintf(stderr, "headless driver: messages keep coming; giving up\n");
            std::abort();
        }
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            break;
        if (msg.message == WM_QUIT) {
            quitSeen_ = true;
            break;
        }
        if (!platform::FilterMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

void Driver::Advance(DWORD ms)
{
    DWORD end = screen_.Now() + ms;
    Pump();
    for (;;) {
        DWORD due = 0;
        if (!platform::NextDeadline(due) || static_cast<std::int32_t>(due - end) > 0)
            break;
        if (static_cast<std::int32_t>(due - screen_.Now()) > 0)
            screen_.SetClock(due);
        Pump();
        // A timer that is due again at once (a period shorter than the
        // time it takes) must not stop the clock.
        DWORD again = 0;
        if (platform::NextDeadline(again) && again == screen_.Now())
            screen_.AdvanceClock(1);
    }
    screen_.SetClock(end);
    Pump();
}

void Driver::Inject(const Ev& ev)
{
    screen_.Inject(ev);
    Pump();
}

void Driver::MoveTo(int x, int y)
{
    Ev ev;
    ev.type = Ev::Type::MouseMove;
    ev.screen = POINT { x, y };
    pointer_ = ev.screen;
    Inject(ev);
}

void Driver::Press(int button)
{
    Ev ev;
    ev.type = Ev::Type::ButtonDown;
    ev.button = button;
    ev.screen = pointer_;
    Inject(ev);
}

void Driver::Release(int button)
{
    Ev ev;
    ev.type = Ev::Type::ButtonUp;
    ev.button = button;
    ev.screen = pointer_;
    Inject(ev);
}

void Driver::Click(int x, int y, int button)
{
    MoveTo(x, y);
    Press(button);
    Release(button);
}

void Driver::Drag(POINT from, POINT to, int steps)
{
    MoveTo(from);
    Press();
    for (int i = 1; i <= steps; ++i)
        MoveTo(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
    Release();
}

void Driver::Wheel(int delta)
{
    Ev ev;
    ev.type = Ev::Type::Wheel;
    ev.wheelDelta = delta;
    ev.screen = pointer_;
    Inject(ev);
}

void Driver::KeyDown(UINT vk)
{
    Ev ev;
    ev.type = Ev::Type::KeyDown;
    ev.virtualKey = vk;
    Inject(ev);
}

void Driver::KeyUp(UINT vk)
{
    Ev ev;
    ev.type = Ev::Type::KeyUp;
    ev.virtualKey = vk;
    Inject(ev);
}

void Driver::Key(UINT vk)
{
    KeyDown(vk);
    KeyUp(vk);
}

void Driver::Type(const std::string& utf8)
{
    // Decode UTF-8 into code points, one character event each.
    for (std::size_t i = 0; i < utf8.size();) {
        auto c = static_cast<unsigned char>(utf8[i]);
        int len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        UINT cp = len == 1 ? c : c & (0xFF >> (len + 1));
        for (int k = 1; k < len && i + static_cast<std::size_t>(k) < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
        i += static_cast<std::size_t>(len);
        Ev ev;
        ev.type = Ev::Type::Char;
        ev.character = cp;
        Inject(ev);
    }
}

void Driver::WhenWaiting(std::function<void()> step) { steps_.push_back(Step { std::move(step), 0 }); }

void Driver::WaitWhileWaiting(DWORD ms) { steps_.push_back(Step { nullptr, ms }); }

DWORD Driver::OnIdle(DWORD timeoutMs)
{
    if (steps_.empty()) {
        std::fprintf(stderr, "headless driver: the program waits in a loop (time-out %u ms) and no step is left\n",
            static_cast<unsigned>(timeoutMs));
        std::abort();
    }
    Step& step = steps_.front();
    if (!step.action) {
        // Time passes up to the program's own time-out or the step's end.
        DWORD spent = timeoutMs == 0xFFFFFFFF ? step.waitMs : std::min(step.waitMs, timeoutMs);
        step.waitMs -= spent;
        if (step.waitMs == 0)
            steps_.pop_front();
        return spent;
    }
    auto action = std::move(step.action);
    steps_.pop_front();
    inStep_ = true;
    action();
    inStep_ = false;
    return 0;
}

} // namespace headless
