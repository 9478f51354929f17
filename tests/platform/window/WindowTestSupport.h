#pragma once

// A window class for tests that records every message its windows receive,
// and lets a test give a window handlers of its own.

#include "platform/headless/Driver.h"
#include "platform/window/WinUser.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace test {

struct Logged {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    // The flags of WM_WINDOWPOSCHANGING and WM_WINDOWPOSCHANGED, read while
    // the WINDOWPOS still exists.
    UINT posFlags = 0;
};

class MessageLog {
public:
    void Clear() { entries_.clear(); }
    const std::vector<Logged>& Entries() const { return entries_; }
    // The messages of one window, in order, only those in the list asked for.
    std::vector<UINT> Of(HWND hwnd, const std::vector<UINT>& interesting) const;
    int Count(HWND hwnd, UINT message) const;
    const Logged* Last(HWND hwnd, UINT message) const;
    void Add(const Logged& e) { entries_.push_back(e); }

private:
    std::vector<Logged> entries_;
};

MessageLog& Log();

using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

// A top-level or child window of the recording class. It paints its client
// area in colour (a solid fill in WM_PAINT) and records every message.
HWND MakeWindow(DWORD style, DWORD exStyle, RECT rect, HWND parent = nullptr, COLORREF colour = RGB(200, 200, 200),
    UINT id = 0);
void SetHandler(HWND hwnd, Handler handler);

// The names of messages, for readable failure output.
std::string MessageName(UINT message);

} // namespace test
