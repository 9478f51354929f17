// Sizes and colours of the system: the screen from the backend, the frames
// and captions that the window system draws, and its palette of colours.

#include "platform/gdi/GdiObjects.h"
#include "platform/window/Backend.h"
#include "platform/window/WinUser.h"

#include <array>

int GetSystemMetrics(int index)
{
    // Without a screen, its size is nothing.
    platform::Backend* backend = platform::InstalledBackend();
    SIZE screen = backend ? backend->ScreenSize() : SIZE { 0, 0 };
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
        return screen.cx;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
        return screen.cy;
    case SM_CXMAXIMIZED:
        return screen.cx + 16;
    case SM_CYMAXIMIZED:
        return screen.cy + 16;
    case SM_CYCAPTION:
        return 23;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 8;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    default:
        return 0;
    }
}

BOOL SystemParametersInfo(UINT action, UINT, void* out, UINT)
{
    if (!out)
        return FALSE;
    auto* value = static_cast<UINT*>(out);
    switch (action) {
    case SPI_GETMOUSEHOVERTIME:
        *value = 400;
        return TRUE;
    case SPI_GETMOUSEHOVERWIDTH:
    case SPI_GETMOUSEHOVERHEIGHT:
        *value = 4;
        return TRUE;
    default:
        return FALSE;
    }
}

namespace {

COLORREF SysColor(int index)
{
    switch (index) {
    case COLOR_WINDOW:
        return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT:
    case COLOR_BTNTEXT:
    case COLOR_INFOTEXT:
        return RGB(0, 0, 0);
    case COLOR_HIGHLIGHT:
        return RGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT:
        return RGB(255, 255, 255);
    case COLOR_BTNFACE:
        return RGB(240, 240, 240);
    case COLOR_BTNSHADOW:
        return RGB(160, 160, 160);
    case COLOR_GRAYTEXT:
        return RGB(109, 109, 109);
    case COLOR_BTNHIGHLIGHT:
        return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW:
        return RGB(105, 105, 105);
    case COLOR_3DLIGHT:
        return RGB(227, 227, 227);
    case COLOR_INFOBK:
        return RGB(255, 255, 225);
    default:
        return RGB(240, 240, 240);
    }
}

} // namespace

COLORREF GetSysColor(int index) { return SysColor(index); }

HBRUSH GetSysColorBrush(int index)
{
    // One brush per colour, made once and never freed, as the system's are.
    static std::array<HBRUSH, 32> brushes {};
    if (index < 0 || index >= 32)
        return nullptr;
    if (!brushes[static_cast<std::size_t>(index)]) {
        HBRUSH b = CreateSolidBrush(SysColor(index));
        gdi::LifeOf(b)->stock = true;
        brushes[static_cast<std::size_t>(index)] = b;
    }
    return brushes[static_cast<std::size_t>(index)];
}
