#pragma once

// CMenu: the class library's menu. The program only reaches menus through a
// window's system menu, to which it appends items; the handle belongs to the
// window, so the wrapper never destroys it.

#include "platform/afx/HandleMap.h"
#include "platform/window/WinUser.h"

class CMenu {
public:
    CMenu() = default;
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;

    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }

    BOOL Attach(HMENU menu);
    HMENU Detach();
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr)
    {
        return ::AppendMenu(m_hMenu, flags, id, text);
    }

    // The permanent wrapper of a menu, or a temporary one that lives until
    // the application is next idle.
    static CMenu* FromHandle(HMENU menu);
    static void DeleteTempMap();
    void ForgetHandle() { m_hMenu = nullptr; }

private:
    static HandleMap<CMenu>& Map();
    // Set while the object is the permanent one of its handle; only then
    // does letting go touch the map.
    bool bound_ = false;
};
