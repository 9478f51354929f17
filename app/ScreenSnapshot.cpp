#include "app/ScreenSnapshot.h"

#include "platform/afx/ClientDc.h"
#include "platform/afx/Wnd.h"

#include <algorithm>
#include <memory>

BOOL CopyDcArea(CDC* source, int x, int y, int width, int height, CBitmap& out)
{
    out.DeleteObject();
    if (!source || width <= 0 || height <= 0 || !out.CreateCompatibleBitmap(source, width, height))
        return FALSE;
    CDC memory;
    memory.CreateCompatibleDC(source);
    CBitmap* old = memory.SelectObject(&out);
    // The copy fails where the screen cannot be read (a rootless XWayland
    // session answers black or nothing): then there is no picture at all,
    // rather than a black one the teacher would take for the screen.
    const BOOL copied = memory.BitBlt(0, 0, width, height, source, x, y, SRCCOPY);
    // Putting the previous bitmap back lets the copy go free of the DC.
    memory.SelectObject(old);
    if (!copied)
        out.DeleteObject();
    return copied;
}

CBitmap* SnapshotScreen()
{
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    const CRect screen(0, 0, screenWidth, screenHeight);
    if (screen.IsRectEmpty())
        return nullptr;
    CDC display;
    if (!display.CreateDC("DISPLAY", nullptr, nullptr, nullptr))
        return nullptr;
    // The rectangle clipped to the screen; today the two are the same.
    const int x0 = std::max(static_cast<int>(screen.left), 0);
    const int y0 = std::max(static_cast<int>(screen.top), 0);
    const int width = std::min(static_cast<int>(screen.right), screenWidth) - x0;
    const int height = std::min(static_cast<int>(screen.bottom), screenHeight) - y0;
    auto picture = std::make_unique<CBitmap>();
    if (!CopyDcArea(&display, x0, y0, width, height, *picture))
        return nullptr;
    return picture.release();
}

BOOL CopyWindowPicture(CWnd* wnd, CBitmap& out)
{
    if (!wnd || !wnd->m_hWnd) {
        out.DeleteObject();
        return FALSE;
    }
    CRect window;
    wnd->GetWindowRect(&window);
    CClientDC dc(wnd);
    return CopyDcArea(&dc, 0, 0, window.Width(), window.Height(), out);
}
