#include "platform/window/Messages.h"

#include "platform/win/TickCount.h"
#include "platform/window/Backend.h"
#include "platform/window/Input.h"
#include "platform/window/Painting.h"
#include "platform/window/WindowTree.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace ws {

namespace {

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT elapse;
    DWORD due;
    TIMERPROC proc;
};

struct Queue {
    std::mutex mutex; // other threads may post
    std::deque<MSG> posted;
    std::deque<MSG> input;
    bool quit = false;
    int quitCode = 0;
    std::vector<Timer> timers;
    UINT_PTR nextThreadTimerId = 1;
    DWORD lastTime = 0;
    POINT lastPos { 0, 0 };
};

Queue& Q()
{
    static Queue q;
    return q;
}

// The screen's clock (the tick count follows it while a screen is
// installed, and the system's clock before).
DWORD Now() { return GetTickCount(); }

bool Matches(const MSG& m, HWND filter, UINT min, UINT max)
{
    if (filter && m.hwnd != filter && !(m.hwnd && IsChild(filter, m.hwnd)))
        return false;
    if (min == 0 && max == 0)
        return true;
    return m.message >= min && m.message <= max;
}

bool InRange(UINT message, UINT min, UINT max) { return (min == 0 && max == 0) || (message >= min && message <= max); }

// Signed difference of two tick counts, so that wrap-around still orders them.
long Ahead(DWORD a, DWORD b) { return static_cast<long>(static_cast<std::int32_t>(a - b)); }

bool TakeFrom(std::deque<MSG>& list, MSG& out, HWND filter, UINT min, UINT max, bool remove)
{
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (!Matches(*it, filter, min, max))
            continue;
        out = *it;
        if (remove)
            list.erase(it);
        return true;
    }
    return false;
}

// Notes the time and place of the message retrieved. Posting threads read
// the place, so it changes under the queue's lock (held by the caller).
void StampLocked(Queue& q, const MSG& m)
{
    q.lastTime = m.time;
    q.lastPos = m.pt;
}

void Stamp(const MSG& m)
{
    Queue& q = Q();
    std::lock_guard lock(q.mutex);
    StampLocked(q, m);
}

} // namespace

void PostToQueue(const MSG& msg)
{
    Queue& q = Q();
    {
        std::lock_guard lock(q.mutex);
        q.posted.push_back(msg);
        q.posted.back().pt = q.lastPos;
    }
    // The poster may be another thread while the loop sleeps on the screen.
    if (platform::Backend* screen = platform::InstalledBackend())
        screen->Wake();
}

void PostInputMessage(const MSG& msg)
{
    Queue& q = Q();
    std::lock_guard lock(q.mutex);
    // Moves that nobody has taken yet collapse into the newest one.
    if (msg.message == WM_MOUSEMOVE && !q.input.empty()) {
        MSG& last = q.input.back();
        if (last.message == WM_MOUSEMOVE && last.hwnd == msg.hwnd && last.wParam == msg.wParam) {
            last = msg;
            return;
        }
    }
    q.input.push_back(msg);
}

void RemoveWindowMessages(HWND hwnd)
{
    Queue& q = Q();
    std::lock_guard lock(q.mutex);
    auto gone = [hwnd](const MSG& m) { return m.hwnd == hwnd; };
    q.posted.erase(std::remove_if(q.posted.begin(), q.posted.end(), gone), q.posted.end());
    q.input.erase(std::remove_if(q.input.begin(), q.input.end(), gone), q.input.end());
}

bool TakeMessage(MSG& out, HWND filter, UINT min, UINT max, bool remove)
{
    Queue& q = Q();
    platform::InputEvent ev;
    // Without a screen no input comes; posted messages and timers still do.
    if (platform::Backend* screen = platform::InstalledBackend()) {
        while (screen->NextEvent(ev, 0))
            HandleInputEvent(ev);
    }
    CheckHover(Now());

    {
        std::lock_guard lock(q.mutex);
        if (TakeFrom(q.posted, out, filter, min, max, remove) || TakeFrom(q.input, out, filter, min, max, remove)) {
            StampLocked(q, out);
            return true;
        }
        if (q.quit && !filter) {
            out = MSG { nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0, Now(), q.lastPos };
            if (remove)
                q.quit = false;
            return true;
        }
    }

    if (InRange(WM_PAINT, min, max)) {
        Window* w = WindowToPaint();
        if (w && (!filter || w == filter || IsChild(filter, w))) {
            POINT pt {};
            GetCursorPos(&pt);
            out = MSG { w, WM_PAINT, 0, 0, Now(), pt };
            Stamp(out);
            return true;
        }
    }

    if (InRange(WM_TIMER, min, max)) {
        DWORD now = Now();
        Timer* due = nullptr;
        for (Timer& t : q.timers) {
            if (Ahead(now, t.due) < 0 || (filter && t.hwnd != filter && !(t.hwnd && IsChild(filter, t.hwnd))))
                continue;
            if (!due || Ahead(t.due, due->due) < 0)
                due = &t;
        }
        if (due) {
            POINT pt {};
            GetCursorPos(&pt);
            out = MSG { due->hwnd, WM_TIMER, due->id, reinterpret_cast<LPARAM>(due->proc), now, pt };
            if (remove) {
                // A timer that fell behind fires once, not once for every
                // period it missed.
                due->due += due->elapse;
                if (Ahead(now, due->due) >= 0)
                    due->due = now + due->elapse;
            }
            Stamp(out);
            return true;
        }
    }
    return false;
}

bool NextTimerOrHover(DWORD& when)
{
    Queue& q = Q();
    DWORD now = Now();
    bool any = false;
    auto consider = [&](DWORD deadline) {
        if (!any || Ahead(deadline, when) < 0)
            when = deadline;
        any = true;
    };
    for (const Timer& t : q.timers)
        consider(t.due);
    DWORD hover = NextHoverDeadline();
    if (hover != 0xFFFFFFFF)
        consider(hover);
    if (any && Ahead(when, now) < 0)
        when = now;
    return any;
}

void WaitForInput()
{
    DWORD deadline = 0;
    DWORD wait = 0xFFFFFFFF;
    if (NextTimerOrHover(deadline))
        wait = static_cast<DWORD>(std::max(0L, Ahead(deadline, Now())));
    platform::InputEvent ev;
    // Nothing is due yet, so a wait of zero would spin: wait at least 1 ms.
    wait = std::max<DWORD>(wait, 1);
    platform::Backend* screen = platform::InstalledBackend();
    if (!screen) {
        // No input can come; a post from another thread may, so the wait
        // is cut into short sleeps.
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min<DWORD>(wait, 10)));
        return;
    }
    if (screen->NextEvent(ev, wait))
        HandleInputEvent(ev);
}

void DiscardQueue()
{
    Queue& q = Q();
    std::lock_guard lock(q.mutex);
    q.posted.clear();
    q.input.clear();
    q.quit = false;
    q.timers.erase(std::remove_if(q.timers.begin(), q.timers.end(), [](const Timer& t) { return !t.hwnd; }),
        q.timers.end());
}

UINT_PTR StartTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    Queue& q = Q();
    elapse = std::clamp<UINT>(elapse, 10, 0x7FFFFFFF);
    if (!hwnd) {
        // A thread timer gets a fresh id unless an existing one is named.
        auto existing = std::find_if(q.timers.begin(), q.timers.end(),
            [&](const Timer& t) { return !t.hwnd && t.id == id; });
        if (id == 0 || existing == q.timers.end())
            id = q.nextThreadTimerId++;
    }
    DWORD due = Now() + elapse;
    for (Timer& t : q.timers) {
        if (t.hwnd == hwnd && t.id == id) {
            // Starting a pending timer again restarts it.
            t.elapse = elapse;
            t.due = due;
            t.proc = proc;
            return id ? id : 1;
        }
    }
    q.timers.push_back(Timer { hwnd, id, elapse, due, proc });
    return id ? id : 1;
}

bool StopTimer(HWND hwnd, UINT_PTR id)
{
    Queue& q = Q();
    auto it = std::find_if(q.timers.begin(), q.timers.end(),
        [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == q.timers.end())
        return false;
    q.timers.erase(it);
    // A WM_TIMER already taken is gone; none are kept queued.
    return true;
}

void StopWindowTimers(HWND hwnd)
{
    Queue& q = Q();
    q.timers.erase(std::remove_if(q.timers.begin(), q.timers.end(), [&](const Timer& t) { return t.hwnd == hwnd; }),
        q.timers.end());
}

DWORD LastMessageTime() { return Q().lastTime; }
POINT LastMessagePos() { return Q().lastPos; }

void RequestQuit(int code)
{
    Queue& q = Q();
    std::lock_guard lock(q.mutex);
    q.quit = true;
    q.quitCode = code;
}

} // namespace ws

using namespace ws;

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = FromHandle(hwnd);
    if (!w || !w->proc)
        return 0;
    return w->proc(hwnd, msg, wParam, lParam);
}

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Any thread may post (the capture thread does, every frame): nothing
    // here may touch what only the user-interface thread keeps, such as the
    // screen's pointer. The message carries the pointer position of the
    // last message retrieved.
    if (hwnd && !Tree().IsLiveFromAnyThread(hwnd))
        return FALSE;
    PostToQueue(MSG { hwnd, msg, wParam, lParam, Now(), POINT { 0, 0 } });
    return TRUE;
}

BOOL PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (threadId != GetCurrentThreadId())
        return FALSE;
    return PostMessage(nullptr, msg, wParam, lParam);
}

void PostQuitMessage(int exitCode) { RequestQuit(exitCode); }

BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT min, UINT max, UINT remove)
{
    if (!msg)
        return FALSE;
    return TakeMessage(*msg, hwnd, min, max, (remove & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL GetMessage(LPMSG msg, HWND hwnd, UINT min, UINT max)
{
    if (!msg)
        return -1;
    while (!TakeMessage(*msg, hwnd, min, max, true))
        WaitForInput();
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WaitMessage()
{
    MSG m;
    if (!TakeMessage(m, nullptr, 0, 0, false))
        WaitForInput();
    return TRUE;
}

BOOL TranslateMessage(const MSG* msg)
{
    // Characters arrive from the screen as their own events and are posted
    // as WM_CHAR directly; there is nothing to translate.
    return msg && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) ? TRUE : FALSE;
}

LRESULT DispatchMessage(const MSG* msg)
{
    if (!msg)
        return 0;
    LRESULT result = 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        proc(msg->hwnd, WM_TIMER, static_cast<UINT_PTR>(msg->wParam), msg->time);
    } else if (msg->hwnd) {
        Window* w = FromHandle(msg->hwnd);
        if (w && w->proc)
            result = w->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    }
    PresentAll();
    return result;
}

DWORD GetCurrentThreadId()
{
    // The window system lives on one thread, the user-interface thread.
    return 1;
}

DWORD GetMessageTime() { return LastMessageTime(); }

DWORD GetMessagePos()
{
    POINT p = LastMessagePos();
    return static_cast<DWORD>(MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    if (hwnd && !FromHandle(hwnd))
        return 0;
    return StartTimer(hwnd, id, elapse, proc);
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) { return StopTimer(hwnd, id) ? TRUE : FALSE; }
