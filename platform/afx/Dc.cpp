#include "platform/afx/Dc.h"

HandleMap<CDC>& CDC::Map()
{
    thread_local HandleMap<CDC> map;
    return map;
}

CDC::~CDC()
{
    if (m_hDC && !temporary_)
        ::DeleteDC(Detach());
}

BOOL CDC::Attach(HDC hdc)
{
    if (!hdc)
        return FALSE;
    m_hDC = m_hAttribDC = hdc;
    Map().SetPermanent(hdc, this);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    if (h && !temporary_ && Map().LookupPermanent(h) == this)
        Map().RemoveHandle(h);
    m_hDC = m_hAttribDC = nullptr;
    return h;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) { return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr)); }

BOOL CDC::CreateDC(const char* driver, const char* device, const char* output, const void* init)
{
    return Attach(::CreateDC(driver, device, output, init));
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC hdc)
{
    return Map().FromHandle<CDC>(hdc, [](const void* h) {
        CDC* dc = new CDC;
        dc->m_hDC = dc->m_hAttribDC = static_cast<HDC>(const_cast<void*>(h));
        dc->temporary_ = true;
        return dc;
    });
}

void CDC::DeleteTempMap() { Map().DeleteTemporaries(); }

CPen* CDC::SelectObject(CPen* pen)
{
    return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pen ? pen->m_hObject : nullptr)));
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, brush ? brush->m_hObject : nullptr)));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, bitmap ? bitmap->m_hObject : nullptr)));
}

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    return CGdiObject::FromHandle(::SelectObject(m_hDC, object ? object->m_hObject : nullptr));
}

CGdiObject* CDC::SelectStockObject(int index)
{
    return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(index)));
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT old {};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::GetWindowOrg() const
{
    POINT p {};
    ::GetWindowOrgEx(m_hAttribDC, &p);
    return p;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT old {};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::GetViewportOrg() const
{
    POINT p {};
    ::GetViewportOrgEx(m_hAttribDC, &p);
    return p;
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT old {};
    ::MoveToEx(m_hDC, x, y, &old);
    return old;
}

void CDC::FillSolidRect(const RECT* r, COLORREF color)
{
    // Filling through a solid brush of that colour touches nothing else of
    // the DC's state.
    HBRUSH brush = ::CreateSolidBrush(color);
    ::FillRect(m_hDC, r, brush);
    ::DeleteObject(brush);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    RECT r { x, y, x + cx, y + cy };
    FillSolidRect(&r, color);
}
