#include "platform/afx/ComboBox.h"

#include <string>

void CComboBox::GetLBText(int index, CString& out) const
{
    int length = GetLBTextLen(index);
    if (length == CB_ERR) {
        out.Empty();
        return;
    }
    std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
    int got = GetLBText(index, buffer.data());
    out = CString(buffer.data(), got == CB_ERR ? 0 : got);
}
