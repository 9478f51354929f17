#include "platform/window/ModalWait.h"

#include "platform/window/MessageLoop.h"

namespace ws::dlg {

ModalWait::ModalWait(HWND owner)
    : owner_(owner)
{
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
        if (IsWindowEnabled(w))
            disabled_.push_back(w);
    for (HWND w : disabled_)
        EnableWindow(w, FALSE);
}

ModalWait::~ModalWait()
{
    for (HWND w : disabled_)
        if (IsWindow(w))
            EnableWindow(w, TRUE);
    if (owner_ && IsWindow(owner_))
        SetActiveWindow(owner_);
}

void ModalWait::Run(const std::function<bool()>& done, const std::function<void()>& cancel)
{
    bool quit = false;
    int quitCode = 0;
    MSG msg;
    while (!done()) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            if (!quit)
                cancel();
            quit = true;
            quitCode = static_cast<int>(msg.wParam);
            continue;
        }
        if (!platform::FilterMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    if (quit)
        PostQuitMessage(quitCode);
}

} // namespace ws::dlg
