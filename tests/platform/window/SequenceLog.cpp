#include "tests/platform/window/SequenceLog.h"

#include <set>

namespace test {

namespace {

const std::set<UINT>& Interesting()
{
    static const std::set<UINT> messages = { WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_PARENTNOTIFY,
        WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE,
        WM_SETFOCUS, WM_KILLFOCUS, WM_DESTROY, WM_NCDESTROY };
    return messages;
}

std::string Pair(int a, int b) { return std::to_string(a) + "," + std::to_string(b); }

} // namespace

std::string SequenceLog::NameOf(HWND hwnd) const
{
    if (!hwnd)
        return "0";
    auto it = names_.find(hwnd);
    return it != names_.end() ? it->second : "?";
}

std::string SequenceLog::Details(const Logged& e) const
{
    auto word = [](LPARAM lp, bool high) {
        auto v = static_cast<ULONG_PTR>(lp);
        return static_cast<int>(static_cast<short>(high ? HIWORD(v) : LOWORD(v)));
    };
    switch (e.message) {
    case WM_NCCALCSIZE:
    case WM_SHOWWINDOW:
    case WM_NCACTIVATE:
    case WM_ACTIVATEAPP:
        return " " + std::to_string(e.wParam ? 1 : 0);
    case WM_SIZE:
    case WM_MOVE:
        return " " + Pair(word(e.lParam, false), word(e.lParam, true));
    case WM_ACTIVATE:
        return " " + std::to_string(LOWORD(e.wParam)) + " " + NameOf(reinterpret_cast<HWND>(e.lParam));
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return " " + NameOf(reinterpret_cast<HWND>(e.wParam));
    case WM_PARENTNOTIFY:
        return " " + MessageName(LOWORD(e.wParam)) + " " + NameOf(reinterpret_cast<HWND>(e.lParam));
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED: {
        // Whether the call shows, hides or may activate: the part of the
        // flags a handler acts on.
        UINT f = e.posFlags;
        std::string s;
        if (f & SWP_SHOWWINDOW)
            s += " show";
        if (f & SWP_HIDEWINDOW)
            s += " hide";
        if (f & SWP_NOACTIVATE)
            s += " noactivate";
        return s;
    }
    default:
        return "";
    }
}

Lines SequenceLog::Take()
{
    Lines out;
    for (const Logged& e : Log().Entries())
        if (Interesting().count(e.message))
            out.push_back(NameOf(e.hwnd) + " " + MessageName(e.message) + Details(e));
    Log().Clear();
    return out;
}

} // namespace test
