#include "platform/afx/BitmapButton.h"

#include "platform/afx/String.h"

namespace {

// Loads a bitmap resource into the object, which lets go of any it had.
// Answers false only for a name given but not found.
bool LoadInto(CBitmap& bitmap, const char* name)
{
    bitmap.DeleteObject();
    if (!name)
        return true;
    HBITMAP loaded = ::LoadBitmap(AfxGetResourceHandle(), name);
    return loaded && bitmap.Attach(loaded);
}

const char* IdName(UINT id) { return id ? MAKEINTRESOURCE(id) : nullptr; }

} // namespace

BOOL CBitmapButton::LoadBitmaps(UINT up, UINT down, UINT focus, UINT disabled)
{
    return LoadBitmaps(IdName(up), IdName(down), IdName(focus), IdName(disabled));
}

BOOL CBitmapButton::LoadBitmaps(const char* up, const char* down, const char* focus, const char* disabled)
{
    if (!up || !LoadInto(m_bitmap, up)) {
        LoadInto(m_bitmapSel, nullptr);
        LoadInto(m_bitmapFocus, nullptr);
        LoadInto(m_bitmapDisabled, nullptr);
        return FALSE;
    }
    bool all = LoadInto(m_bitmapSel, down);
    all = LoadInto(m_bitmapFocus, focus) && all;
    all = LoadInto(m_bitmapDisabled, disabled) && all;
    return all ? TRUE : FALSE;
}

BOOL CBitmapButton::AutoLoad(UINT id, CWnd* parent)
{
    if (!SubclassDlgItem(id, parent))
        return FALSE;
    CString caption;
    GetWindowText(caption);
    if (caption.IsEmpty())
        return FALSE;
    // Only the up bitmap must be there; the others are optional.
    LoadBitmaps(caption + "U", caption + "D", caption + "F", caption + "X");
    if (!m_bitmap.m_hObject)
        return FALSE;
    SizeToContent();
    return TRUE;
}

void CBitmapButton::SizeToContent()
{
    BITMAP info {};
    if (!m_bitmap.m_hObject || !m_bitmap.GetBitmap(&info))
        return;
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT dis)
{
    // Pressed wins over focused, focused over disabled; a state without its
    // own bitmap shows the up one.
    CBitmap* picture = &m_bitmap;
    if ((dis->itemState & ODS_SELECTED) && m_bitmapSel.m_hObject)
        picture = &m_bitmapSel;
    else if ((dis->itemState & ODS_FOCUS) && m_bitmapFocus.m_hObject)
        picture = &m_bitmapFocus;
    else if ((dis->itemState & ODS_DISABLED) && m_bitmapDisabled.m_hObject)
        picture = &m_bitmapDisabled;
    if (!picture->m_hObject)
        return;

    // Plain handles: drawing happens often, and wrappers for the bitmap the
    // memory DC held before would pile up until idle time.
    HDC memory = ::CreateCompatibleDC(dis->hDC);
    if (!memory)
        return;
    HGDIOBJ old = ::SelectObject(memory, picture->m_hObject);
    const RECT& r = dis->rcItem;
    ::BitBlt(dis->hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}
