// MessageBox: a modal dialog made from a template at run time, with the
// message (several lines allowed) on a white area, the buttons of the type
// on a light grey band below it, the first button the default. It sits
// centred over its owner (or the screen) and the owner is disabled while it
// is up. Enter presses the focused (at first the default) button; Esc and
// the close box answer IDCANCEL, and only a box with a Cancel button has
// them.

#include "platform/gdi/Text.h"
#include "platform/window/Backend.h"
#include "platform/window/ControlClasses.h"
#include "platform/window/ControlPainting.h"
#include "platform/window/Controls.h"
#include "platform/window/Dialogs.h"
#include "platform/window/Window.h"

#include <algorithm>
#include <vector>

namespace {

using namespace ws::ctl;

constexpr int kYesNoCancel = 3; // the MB_YESNOCANCEL type
constexpr WORD kTextId = 0xFFFF;
constexpr DWORD kNoPrefix = 0x80; // SS_NOPREFIX
constexpr int kTextMargin = 20;
constexpr int kMaxTextWidth = 480;
constexpr int kMinClientWidth = 180;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 8;
constexpr int kBandPadding = 10;

struct ButtonSpec {
    int id;
    const char* caption;
};

struct Box {
    std::vector<ButtonSpec> buttons;
    bool hasCancel = false;
    HWND owner = nullptr;
    int bandTop = 0; // where the grey band starts, client coordinates
};

std::vector<ButtonSpec> ButtonsOf(UINT type)
{
    switch (type & 0xF) {
    case MB_OKCANCEL:
        return { { IDOK, "确定" }, { IDCANCEL, "取消" } };
    case MB_YESNO:
        return { { IDYES, "是" }, { IDNO, "否" } };
    case kYesNoCancel:
        return { { IDYES, "是" }, { IDNO, "否" }, { IDCANCEL, "取消" } };
    default:
        return { { IDOK, "确定" } };
    }
}

SIZE MeasureText(HWND control, const std::string& text)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ControlFont(control));
    RECT r { 0, 0, kMaxTextWidth, 0 };
    DrawText(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    DeleteDC(dc);
    return SIZE { r.right - r.left, std::max<LONG>(r.bottom - r.top, LineHeight(control)) };
}

// Sizes the box to its text and buttons and centres it over the owner, or
// the screen when there is none.
void Layout(HWND dialog, Box& box)
{
    HWND label = GetDlgItem(dialog, kTextId);
    std::string text(static_cast<std::size_t>(GetWindowTextLength(label)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowText(label, text.data(), static_cast<int>(text.size()))));
    SIZE textSize = MeasureText(label, text);

    int count = static_cast<int>(box.buttons.size());
    int buttonsWidth = count * kButtonWidth + (count - 1) * kButtonGap;
    int width = std::max(
        { static_cast<int>(textSize.cx) + 2 * kTextMargin, buttonsWidth + 2 * kBandPadding, kMinClientWidth });
    box.bandTop = kTextMargin + static_cast<int>(textSize.cy) + kTextMargin;
    int height = box.bandTop + kButtonHeight + 2 * kBandPadding;

    MoveWindow(label, kTextMargin, kTextMargin, width - 2 * kTextMargin, textSize.cy, FALSE);
    int x = width - kBandPadding - buttonsWidth;
    for (const ButtonSpec& b : box.buttons) {
        MoveWindow(GetDlgItem(dialog, b.id), x, box.bandTop + kBandPadding, kButtonWidth, kButtonHeight, FALSE);
        x += kButtonWidth + kButtonGap;
    }

    RECT frame { 0, 0, width, height };
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtr(dialog, GWL_STYLE)), FALSE,
        static_cast<DWORD>(GetWindowLongPtr(dialog, GWL_EXSTYLE)));
    int frameWidth = frame.right - frame.left;
    int frameHeight = frame.bottom - frame.top;
    RECT over { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    if (box.owner && IsWindowVisible(box.owner) && !IsIconic(box.owner))
        GetWindowRect(box.owner, &over);
    int left = (over.left + over.right - frameWidth) / 2;
    int top = (over.top + over.bottom - frameHeight) / 2;
    left = std::clamp(left, 0, std::max(0, GetSystemMetrics(SM_CXSCREEN) - frameWidth));
    top = std::clamp(top, 0, std::max(0, GetSystemMetrics(SM_CYSCREEN) - frameHeight));
    SetWindowPos(dialog, nullptr, left, top, frameWidth, frameHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

LONG_PTR BoxProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* box = reinterpret_cast<Box*>(GetWindowLongPtr(dialog, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        box = reinterpret_cast<Box*>(lParam);
        SetWindowLongPtr(dialog, DWLP_USER, lParam);
        Layout(dialog, *box);
        return TRUE; // the focus goes to the first button
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (!box || (id == IDCANCEL && !box->hasCancel))
            return TRUE;
        bool known = std::any_of(box->buttons.begin(), box->buttons.end(),
            [id](const ButtonSpec& b) { return b.id == id; });
        if (known && HIWORD(wParam) == BN_CLICKED)
            EndDialog(dialog, id);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
        SetTextColor(reinterpret_cast<HDC>(wParam), kTextColour);
        SetBkColor(reinterpret_cast<HDC>(wParam), kFieldColour);
        return reinterpret_cast<LONG_PTR>(GetStockObject(WHITE_BRUSH));
    case WM_PAINT: {
        // The dialog's background is the grey band; the message sits on white.
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(dialog, &ps);
        RECT c;
        GetClientRect(dialog, &c);
        if (box)
            FillSolid(dc, RECT { c.left, c.top, c.right, box->bandTop }, kFieldColour);
        EndPaint(dialog, &ps);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

} // namespace

int MessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    // Without a screen (a command-line run) there is nowhere to show the
    // box: it fails with MessageBox's 0, not the dialog's -1, which is no
    // button's id.
    if (!platform::InstalledBackend())
        return 0;
    EnsureControlClasses();
    Box box;
    box.buttons = ButtonsOf(type);
    box.hasCancel = std::any_of(box.buttons.begin(), box.buttons.end(),
        [](const ButtonSpec& b) { return b.id == IDCANCEL; });
    if (ws::Window* w = ws::FromHandle(owner))
        box.owner = w->TopLevel();

    res::DialogTemplate tmpl;
    tmpl.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | (box.hasCancel ? WS_SYSMENU : 0);
    tmpl.exStyle = WS_EX_DLGMODALFRAME;
    tmpl.caption = caption ? caption : "错误";
    tmpl.items.push_back(res::DialogItem { WC_STATIC, text ? text : "", kTextId,
        WS_CHILD | WS_VISIBLE | SS_LEFT | kNoPrefix, 0, 0, 0, 0, 0 });
    bool first = true;
    for (const ButtonSpec& b : box.buttons) {
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (first ? BS_DEFPUSHBUTTON | WS_GROUP : BS_PUSHBUTTON);
        tmpl.items.push_back(res::DialogItem { WC_BUTTON, b.caption, static_cast<WORD>(b.id), style, 0, 0, 0, 0, 0 });
        first = false;
    }
    LONG_PTR result = DialogBoxIndirectParam(nullptr, &tmpl, box.owner, BoxProc, reinterpret_cast<LPARAM>(&box));
    return static_cast<int>(result);
}
