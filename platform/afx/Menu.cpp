#include "platform/afx/Menu.h"

HandleMap<CMenu>& CMenu::Map()
{
    thread_local HandleMap<CMenu> map;
    return map;
}

CMenu::~CMenu() { Detach(); }

BOOL CMenu::Attach(HMENU menu)
{
    if (!menu || Map().LookupPermanent(menu))
        return FALSE;
    m_hMenu = menu;
    bound_ = true;
    Map().SetPermanent(menu, this);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU h = m_hMenu;
    if (h && bound_ && Map().LookupPermanent(h) == this)
        Map().RemoveHandle(h);
    bound_ = false;
    m_hMenu = nullptr;
    return h;
}

CMenu* CMenu::FromHandle(HMENU menu)
{
    return Map().FromHandle<CMenu>(menu, [](const void* h) {
        CMenu* m = new CMenu;
        m->m_hMenu = static_cast<HMENU>(const_cast<void*>(h));
        return m;
    });
}

void CMenu::DeleteTempMap() { Map().DeleteTemporaries(); }
