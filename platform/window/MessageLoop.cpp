#include "platform/window/MessageLoop.h"

#include "platform/window/Input.h"
#include "platform/window/Messages.h"

namespace platform {

namespace {

std::function<bool(MSG&)>& Filter()
{
    static std::function<bool(MSG&)> filter;
    return filter;
}

} // namespace

void SetMessageFilter(std::function<bool(MSG&)> filter) { Filter() = std::move(filter); }

bool FilterMessage(MSG& msg)
{
    const auto& f = Filter();
    return f && f(msg);
}

bool PumpOne(MSG& msg, bool wait)
{
    if (wait) {
        if (!GetMessage(&msg, nullptr, 0, 0))
            return false;
    } else if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE) || msg.message == WM_QUIT) {
        return false;
    }
    if (!FilterMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return true;
}

namespace {

std::function<void(HWND, const CREATESTRUCT&)>& CreateHook()
{
    static std::function<void(HWND, const CREATESTRUCT&)> hook;
    return hook;
}

} // namespace

void SetCreateHook(std::function<void(HWND, const CREATESTRUCT&)> hook) { CreateHook() = std::move(hook); }

void CallCreateHook(HWND hwnd, const CREATESTRUCT& cs)
{
    if (const auto& hook = CreateHook())
        hook(hwnd, cs);
}

bool NextDeadline(DWORD& when) { return ws::NextTimerOrHover(when); }

void ResetQueue() { ws::DiscardQueue(); }

} // namespace platform
