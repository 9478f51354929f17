#include "platform/afx/GdiObject.h"

HandleMap<CGdiObject>& CGdiObject::Map()
{
    thread_local HandleMap<CGdiObject> map;
    return map;
}

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ handle)
{
    if (!handle)
        return FALSE;
    DeleteObject();
    m_hObject = handle;
    Map().SetPermanent(handle, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    if (h)
        Map().RemoveHandle(h);
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach());
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ handle) { return Wrap<CGdiObject>(handle); }

void CGdiObject::DeleteTempMap() { Map().DeleteTemporaries(); }
