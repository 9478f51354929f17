#include "platform/afx/WndClass.h"

#include "platform/afx/WinApp.h"

#include <cstdio>
#include <mutex>
#include <set>
#include <string>

const char* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    // The traits make the name, so the same traits always give the same
    // class.
    char name[128];
    std::snprintf(name, sizeof name, "Afx:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
        static_cast<void*>(background), static_cast<void*>(icon));

    static std::mutex mutex;
    static std::set<std::string> names;
    std::lock_guard lock(mutex);
    const std::string& kept = *names.insert(name).first;
    WNDCLASS existing {};
    if (GetClassInfo(AfxGetInstanceHandle(), kept.c_str(), &existing))
        return kept.c_str();
    WNDCLASS wc {};
    wc.style = classStyle;
    wc.lpfnWndProc = DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = icon;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = kept.c_str();
    return RegisterClass(&wc) ? kept.c_str() : nullptr;
}
