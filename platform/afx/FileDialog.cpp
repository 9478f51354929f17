#include "platform/afx/FileDialog.h"

#include <algorithm>
#include <cassert>
#include <cstring>

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExt, const char* fileName, DWORD flags,
    const char* filter, CWnd* parent)
    : CDialog(static_cast<const char*>(nullptr), parent)
    , m_ofn {}
    , m_bOpenFileDialog(openFileDialog)
    , m_szFileName {}
    , m_szFileTitle {}
{
    if (fileName)
        std::strncpy(m_szFileName, fileName, sizeof m_szFileName - 1);
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
    m_ofn.Flags = flags | OFN_EXPLORER;
    m_ofn.nFilterIndex = 1;
    if (defaultExt) {
        m_strDefExt = defaultExt;
        m_ofn.lpstrDefExt = m_strDefExt.c_str();
    }
    if (filter) {
        // "Text|*.txt||" becomes "Text\0*.txt\0\0": each bar ends a string,
        // and the string's own terminator ends the list.
        m_strFilter = filter;
        std::replace(m_strFilter.begin(), m_strFilter.end(), '|', '\0');
        m_ofn.lpstrFilter = m_strFilter.c_str();
    }
}

INT_PTR CFileDialog::DoModal()
{
    assert(!m_bOpenFileDialog && "only the save dialog is available");
    if (m_bOpenFileDialog)
        return IDCANCEL;
    m_ofn.hwndOwner = SafeOwner(m_pParentWnd);
    return ::GetSaveFileName(&m_ofn) ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    return path.Mid(path.ReverseFind('/') + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}
