#include "platform/afx/ColorDialog.h"

#include <array>

COLORREF* CColorDialog::GetSavedCustomColors()
{
    // Sixteen white wells until the user keeps colours in them.
    static std::array<COLORREF, 16> custom = [] {
        std::array<COLORREF, 16> wells;
        wells.fill(RGB(255, 255, 255));
        return wells;
    }();
    return custom.data();
}

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent)
    : CDialog(static_cast<const char*>(nullptr), parent)
    , m_cc {}
{
    m_cc.lStructSize = sizeof m_cc;
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = flags;
    m_cc.rgbResult = initial;
    if (initial != 0)
        m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = SafeOwner(m_pParentWnd);
    return ::ChooseColor(&m_cc) ? IDOK : IDCANCEL;
}
