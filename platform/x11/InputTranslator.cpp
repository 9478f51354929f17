#include "platform/x11/InputTranslator.h"

#include "platform/window/WinUser.h"

#include <X11/Xutil.h>

namespace platform::x11 {

namespace {

using T = InputEvent::Type;

// Virtual keys the window system's header does not name.
constexpr UINT kVkInsert = 0x2D;
constexpr UINT kVkNumpad0 = 0x60;
constexpr UINT kVkMultiply = 0x6A;
constexpr UINT kVkAdd = 0x6B;
constexpr UINT kVkSubtract = 0x6D;
constexpr UINT kVkDecimal = 0x6E;
constexpr UINT kVkDivide = 0x6F;
constexpr UINT kVkF1 = 0x70;
constexpr UINT kVkCapital = 0x14;
constexpr UINT kVkPause = 0x13;

struct Named {
    KeySym symbol;
    UINT vk;
};

// Keys whose virtual key is not a character of their own.
constexpr Named kNamedKeys[] = {
    { XK_BackSpace, VK_BACK },
    { XK_Tab, VK_TAB },
    { XK_ISO_Left_Tab, VK_TAB },
    { XK_Return, VK_RETURN },
    { XK_KP_Enter, VK_RETURN },
    { XK_Escape, VK_ESCAPE },
    { XK_space, VK_SPACE },
    { XK_Prior, VK_PRIOR },
    { XK_Next, VK_NEXT },
    { XK_End, VK_END },
    { XK_Home, VK_HOME },
    { XK_Left, VK_LEFT },
    { XK_Up, VK_UP },
    { XK_Right, VK_RIGHT },
    { XK_Down, VK_DOWN },
    { XK_Insert, kVkInsert },
    { XK_Delete, VK_DELETE },
    { XK_KP_Delete, VK_DELETE },
    { XK_KP_Home, VK_HOME },
    { XK_KP_End, VK_END },
    { XK_KP_Prior, VK_PRIOR },
    { XK_KP_Next, VK_NEXT },
    { XK_KP_Left, VK_LEFT },
    { XK_KP_Up, VK_UP },
    { XK_KP_Right, VK_RIGHT },
    { XK_KP_Down, VK_DOWN },
    { XK_KP_Insert, kVkInsert },
    { XK_Shift_L, VK_SHIFT },
    { XK_Shift_R, VK_SHIFT },
    { XK_Control_L, VK_CONTROL },
    { XK_Control_R, VK_CONTROL },
    { XK_Alt_L, VK_MENU },
    { XK_Alt_R, VK_MENU },
    { XK_Caps_Lock, kVkCapital },
    { XK_Pause, kVkPause },
    { XK_KP_Multiply, kVkMultiply },
    { XK_KP_Add, kVkAdd },
    { XK_KP_Subtract, kVkSubtract },
    { XK_KP_Decimal, kVkDecimal },
    { XK_KP_Divide, kVkDivide },
};

UINT ButtonOf(unsigned xButton)
{
    switch (xButton) {
    case Button1:
        return InputEvent::Left;
    case Button2:
        return InputEvent::Middle;
    default:
        return InputEvent::Right;
    }
}

} // namespace

UINT InputTranslator::VirtualKey(KeySym s)
{
    if (s >= XK_a && s <= XK_z)
        return static_cast<UINT>('A' + (s - XK_a));
    if (s >= XK_A && s <= XK_Z)
        return static_cast<UINT>('A' + (s - XK_A));
    if (s >= XK_0 && s <= XK_9)
        return static_cast<UINT>('0' + (s - XK_0));
    if (s >= XK_KP_0 && s <= XK_KP_9)
        return kVkNumpad0 + static_cast<UINT>(s - XK_KP_0);
    if (s >= XK_F1 && s <= XK_F24)
        return kVkF1 + static_cast<UINT>(s - XK_F1);
    for (const Named& n : kNamedKeys)
        if (n.symbol == s)
            return n.vk;
    return 0;
}

UINT InputTranslator::CodePoint(KeySym symbol, const char* latin1, int length)
{
    // Symbols of the Unicode range carry their code point.
    if ((symbol & 0xFF000000) == 0x01000000)
        return static_cast<UINT>(symbol & 0x00FFFFFF);
    // Otherwise the mapping's text, Latin-1, whose bytes are code points;
    // control characters (Enter, Backspace, Ctrl+letter) included, as
    // typed characters are on the desktop the program was written for.
    if (length == 1)
        return static_cast<unsigned char>(latin1[0]);
    return 0;
}

void InputTranslator::Button(const XButtonEvent& e, std::vector<InputEvent>& out)
{
    InputEvent ev;
    ev.screen = POINT { e.x_root, e.y_root };
    // Buttons 4 and 5 are the wheel turned away from and towards the user;
    // a release of them means nothing. 6 and 7 (sideways) are not used.
    if (e.button == Button4 || e.button == Button5) {
        if (e.type == ButtonPress) {
            ev.type = T::Wheel;
            ev.wheelDelta = e.button == Button4 ? WHEEL_DELTA : -WHEEL_DELTA;
            out.push_back(ev);
        }
        return;
    }
    if (e.button > Button3)
        return;
    ev.type = e.type == ButtonPress ? T::ButtonDown : T::ButtonUp;
    ev.button = static_cast<int>(ButtonOf(e.button));
    out.push_back(ev);
}

void InputTranslator::Key(XKeyEvent& e, std::vector<InputEvent>& out)
{
    char text[8] = {};
    KeySym symbol = NoSymbol;
    int length = XLookupString(&e, text, sizeof text, &symbol, nullptr);
    // The virtual key names the key, not the shifted character on it.
    KeySym base = XLookupKeysym(&e, 0);
    UINT vk = VirtualKey(base != NoSymbol ? base : symbol);
    InputEvent ev;
    ev.type = e.type == KeyPress ? T::KeyDown : T::KeyUp;
    ev.screen = POINT { e.x_root, e.y_root };
    if (vk) {
        ev.virtualKey = vk;
        out.push_back(ev);
    }
    if (e.type != KeyPress)
        return;
    if (UINT cp = CodePoint(symbol, text, length)) {
        InputEvent ch;
        ch.type = T::Char;
        ch.character = cp;
        ch.screen = ev.screen;
        out.push_back(ch);
    }
}

void InputTranslator::Crossing(const XCrossingEvent& e, std::vector<InputEvent>& out)
{
    // Crossings caused by a grab's start say nothing about where the
    // pointer is; crossings between a window and its own children do not
    // happen (the windows have none).
    if (e.mode == NotifyGrab)
        return;
    InputEvent ev;
    ev.screen = POINT { e.x_root, e.y_root };
    ev.type = e.type == EnterNotify ? T::MouseMove : T::PointerLeft;
    out.push_back(ev);
}

void InputTranslator::Translate(XEvent& event, std::vector<InputEvent>& out)
{
    switch (event.type) {
    case ButtonPress:
    case ButtonRelease:
        Button(event.xbutton, out);
        break;
    case MotionNotify: {
        InputEvent ev;
        ev.type = T::MouseMove;
        ev.screen = POINT { event.xmotion.x_root, event.xmotion.y_root };
        out.push_back(ev);
        break;
    }
    case KeyPress:
    case KeyRelease:
        Key(event.xkey, out);
        break;
    case EnterNotify:
    case LeaveNotify:
        Crossing(event.xcrossing, out);
        break;
    default:
        break;
    }
}

} // namespace platform::x11
