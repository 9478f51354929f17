#pragma once

// Windows for the class library's tests: a window class whose procedure
// records every message it gets (the "previous procedure" of a window the
// library takes over, or a foreign window no object holds), and the
// in-memory screen every test runs on.

#include "platform/headless/Driver.h"
#include "platform/window/WinUser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace afxtest {

// The class whose procedure records. It answers WM_APP + 9 with wParam + 1,
// so that a test sees results come back through the library.
inline constexpr const char* kRecorderClass = "AfxTestRecorder";
inline constexpr UINT kEcho = WM_APP + 9;

struct Delivery {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// What recording procedures received, oldest first.
std::vector<Delivery>& Deliveries();
int CountOf(HWND hwnd, UINT message);
const Delivery* LastOf(HWND hwnd, UINT message);

void RegisterRecorder();
LRESULT RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// A window of the recording class that no object holds.
HWND MakeForeign(DWORD style, RECT rect, HWND parent = nullptr, UINT id = 0);

class AfxTest : public ::testing::Test {
protected:
    AfxTest()
    {
        RegisterRecorder();
        Deliveries().clear();
    }
    headless::Driver driver;
};

} // namespace afxtest
