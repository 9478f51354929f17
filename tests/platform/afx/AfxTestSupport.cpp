#include "tests/platform/afx/AfxTestSupport.h"

#include <algorithm>

namespace afxtest {

std::vector<Delivery>& Deliveries()
{
    static std::vector<Delivery> received;
    return received;
}

int CountOf(HWND hwnd, UINT message)
{
    return static_cast<int>(std::count_if(Deliveries().begin(), Deliveries().end(),
        [&](const auto& r) { return r.hwnd == hwnd && r.message == message; }));
}

const Delivery* LastOf(HWND hwnd, UINT message)
{
    for (auto it = Deliveries().rbegin(); it != Deliveries().rend(); ++it)
        if (it->hwnd == hwnd && it->message == message)
            return &*it;
    return nullptr;
}

LRESULT RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Deliveries().push_back({ hwnd, message, wParam, lParam });
    if (message == kEcho)
        return static_cast<LRESULT>(wParam + 1);
    return DefWindowProc(hwnd, message, wParam, lParam);
}

void RegisterRecorder()
{
    WNDCLASS existing {};
    if (GetClassInfo(GetModuleHandle(nullptr), kRecorderClass, &existing))
        return;
    WNDCLASS wc {};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandle(nullptr);
    wc.lpszClassName = kRecorderClass;
    RegisterClass(&wc);
}

HWND MakeForeign(DWORD style, RECT rect, HWND parent, UINT id)
{
    return CreateWindowEx(0, kRecorderClass, "", style, rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
}

} // namespace afxtest
